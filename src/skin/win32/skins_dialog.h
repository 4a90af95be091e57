#pragma once
// CSkinsDialog: the skin chooser. Lists the folders under Skins beside the
// executable, proposes a picked skin's own text colour when it carries one,
// and lets the user pick any colour with the system's colour chooser.
#include <windows.h>

#include <optional>

#include "skin/skin_chooser.h"
#include "skin/win32/skinned_dialog.h"

namespace px {

// FindFirstFileW over root\*.*; the root as GetFullPathNameW gives it.
class Win32FolderSearch final : public FolderSearchPort {
 public:
  FolderListing Search(TextView root) override;
};

// Opens the chooser over `owner` with the skin in force (`context.skinFolder`,
// `skinName`, `context.textColor`); the choice only after OK.
std::optional<SkinChoice> RunSkinsDialog(HWND owner, const SkinnedDialogContext& context, TextView skinName,
                                         TextView executablePath);

}  // namespace px

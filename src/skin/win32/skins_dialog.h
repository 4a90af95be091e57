#pragma once
// CSkinsDialog: the skin chooser over the Win32 frame (its behaviour is
// skin/skin_chooser_controller.h), and the system's folder search.
#include <windows.h>

#include <optional>

#include "skin/skin_chooser.h"
#include "skin/skin_chooser_controller.h"
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

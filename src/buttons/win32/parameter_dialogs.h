#pragma once
// The six dialogs that set a button function's parameter, each behind one
// plain call: the dialog opens modally over `owner` with its own defaults and
// answers its fields only when the user confirms with OK.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "buttons/dialog_controllers.h"
#include "skin/win32/skinned_dialog.h"

namespace px {

// The Win32 windows of the parameter dialogs, each over the same owner.
class Win32DialogWindows final : public DialogWindows {
 public:
  explicit Win32DialogWindows(HWND owner) : owner_(owner) {}
  std::unique_ptr<ModalDialogView> NewDialog(DialogKind kind) override;

 private:
  HWND owner_;
};

std::optional<FireKeyChoice> RunFireKeyDialog(HWND owner, const SkinnedDialogContext& context);
std::optional<ListChoice> RunHotKeyDialog(HWND owner, const SkinnedDialogContext& context);
std::optional<ListChoice> RunMediaDialog(HWND owner, const SkinnedDialogContext& context);
std::optional<ListChoice> RunWindowsDialog(HWND owner, const SkinnedDialogContext& context);
// The DPI values offered are those of the mouse's DPI table variant.
std::optional<ListChoice> RunSnipeDialog(HWND owner, const SkinnedDialogContext& context,
                                         std::uint8_t dpiTableVariant);
std::optional<SingleKeyChoice> RunSingleKeyDialog(HWND owner, const SkinnedDialogContext& context);

}  // namespace px

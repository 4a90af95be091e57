#include "buttons/win32/parameter_dialogs.h"

namespace px {

// The single key dialog's window, with its keyboard hook (single_key_dialog.cpp).
std::unique_ptr<ModalDialogView> NewSingleKeyWindow(HWND owner);

std::unique_ptr<ModalDialogView> Win32DialogWindows::NewDialog(DialogKind kind) {
  if (kind == DialogKind::Single) return NewSingleKeyWindow(owner_);
  return std::make_unique<SkinnedDialog>(kind, owner_);
}

namespace {

std::optional<ListChoice> RunList(DialogKind kind, HWND owner, const SkinnedDialogContext& context,
                                  std::uint8_t variant = 0) {
  SkinnedDialog window(kind, owner);
  return RunListDialog(window, kind, context, variant);
}

}  // namespace

std::optional<FireKeyChoice> RunFireKeyDialog(HWND owner, const SkinnedDialogContext& context) {
  SkinnedDialog window(DialogKind::FireKey, owner);
  return RunFireKeyDialog(window, context);
}

std::optional<ListChoice> RunHotKeyDialog(HWND owner, const SkinnedDialogContext& context) {
  return RunList(DialogKind::HotKey, owner, context);
}

std::optional<ListChoice> RunMediaDialog(HWND owner, const SkinnedDialogContext& context) {
  return RunList(DialogKind::Media, owner, context);
}

std::optional<ListChoice> RunWindowsDialog(HWND owner, const SkinnedDialogContext& context) {
  return RunList(DialogKind::Windows, owner, context);
}

std::optional<ListChoice> RunSnipeDialog(HWND owner, const SkinnedDialogContext& context,
                                         std::uint8_t dpiTableVariant) {
  return RunList(DialogKind::Snipe, owner, context, dpiTableVariant);
}

std::optional<SingleKeyChoice> RunSingleKeyDialog(HWND owner, const SkinnedDialogContext& context) {
  const std::unique_ptr<ModalDialogView> window = NewSingleKeyWindow(owner);
  return RunSingleKeyDialog(*window, context);
}

}  // namespace px

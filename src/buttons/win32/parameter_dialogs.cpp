#include "buttons/win32/parameter_dialogs.h"

#include "buttons/win32/single_key_dialog.h"
#include "skin/win32/skinned_dialog.h"

namespace px {

std::unique_ptr<ModalDialogView> Win32DialogWindows::NewDialog(DialogKind kind) {
  if (kind == DialogKind::Single) return NewSingleKeyWindow(owner_);
  return std::make_unique<SkinnedDialog>(kind, owner_);
}

}  // namespace px

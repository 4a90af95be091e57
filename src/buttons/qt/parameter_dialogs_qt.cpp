#include "buttons/qt/parameter_dialogs_qt.h"

#include "buttons/qt/key_names_qt.h"
#include "skin/qt/dialog_view_qt.h"

namespace px {

std::unique_ptr<ModalDialogView> QtDialogWindows::NewDialog(DialogKind kind) {
  auto window = std::make_unique<QtDialogView>(owner_);
  if (kind == DialogKind::Single) window->SetKeyNamer(&KeyNameOfQtKey);
  return window;
}

}  // namespace px

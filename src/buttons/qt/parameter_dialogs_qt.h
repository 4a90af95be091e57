#pragma once
// The small dialogs' Qt windows, which the portable ParameterDialogs and the
// skin chooser open.
#include <QWidget>

#include "buttons/parameter_dialog_flow.h"

namespace px {

// Qt dialog windows over one owner; the single key dialog's names its keys.
class QtDialogWindows final : public DialogWindows {
 public:
  explicit QtDialogWindows(QWidget* owner) : owner_(owner) {}
  std::unique_ptr<ModalDialogView> NewDialog(DialogKind kind) override;

 private:
  QWidget* owner_;
};

}  // namespace px

#pragma once
// The six parameter dialogs as Qt windows, behind the assignment's port: the
// page runs a function's dialog through QtParameterDialogs::Run and stores
// its answer. The skin, language, text colour and DPI table in force are
// asked for at each opening.
#include <QWidget>

#include <functional>

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

class QtParameterDialogs final : public ParameterDialogPort {
 public:
  QtParameterDialogs(QWidget* owner, std::function<ParameterDialogSettings()> settings)
      : windows_(owner), dialogs_(windows_, std::move(settings)) {}
  std::optional<DialogChoice> Run(std::uint8_t function) override { return dialogs_.Run(function); }

 private:
  QtDialogWindows windows_;
  ParameterDialogs dialogs_;
};

}  // namespace px

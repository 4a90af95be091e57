#pragma once
// The windows of the six dialogs that set a button function's parameter; what
// each asks and answers is buttons/dialog_controllers.h.
#include <windows.h>

#include <memory>

#include "skin/dialog_view.h"

namespace px {

// The Win32 windows of the parameter dialogs, each over the same owner.
class Win32DialogWindows final : public DialogWindows {
 public:
  explicit Win32DialogWindows(HWND owner) : owner_(owner) {}
  std::unique_ptr<ModalDialogView> NewDialog(DialogKind kind) override;

 private:
  HWND owner_;
};

}  // namespace px

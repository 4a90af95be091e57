#pragma once
// The single key dialog's window, with the keyboard hook that names each
// keystroke while it is open.
#include <windows.h>

#include <memory>

#include "skin/dialog_view.h"

namespace px {

std::unique_ptr<ModalDialogView> NewSingleKeyWindow(HWND owner);

}  // namespace px

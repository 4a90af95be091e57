#include "app/win32/parameter_dialog_port.h"

#include "app/win32/skin_flow_win32.h"
#include "buttons/parameter_dialog_flow.h"
#include "buttons/win32/parameter_dialogs.h"

namespace px {

std::optional<DialogChoice> Win32ParameterDialogs::Run(std::uint8_t function) {
  Win32DialogWindows windows(owner_);
  return RunParameterDialog(function, windows, DialogContextOf(state_), state_.Settings.dpiTableVariant);
}

}  // namespace px

#pragma once
// The assignment's dialog port over the six parameter dialogs: each opens
// modally over the main window with the skin, language and text colour in
// force, and its answer on OK becomes the choice the assignment stores.
#include <windows.h>

#include "app/app_state.h"
#include "buttons/assignment.h"

namespace px {

class Win32ParameterDialogs final : public ParameterDialogPort {
 public:
  Win32ParameterDialogs(HWND owner, const AppState& state) : owner_(owner), state_(state) {}
  std::optional<DialogChoice> Run(std::uint8_t function) override;

 private:
  HWND owner_;
  const AppState& state_;
};

}  // namespace px

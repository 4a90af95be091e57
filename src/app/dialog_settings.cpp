#include "app/dialog_settings.h"

namespace px {

DialogContext DialogContextOf(const AppState& state) {
  return DialogContext{state.SkinFolder, state.Settings.language, state.TextColor};
}

ParameterDialogSettings ParameterDialogSettingsOf(const AppState& state) {
  return ParameterDialogSettings{DialogContextOf(state), state.Settings.dpiTableVariant};
}

}  // namespace px

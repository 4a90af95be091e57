#pragma once
// What every small dialog takes from the program when it opens, read from
// the program's state at that moment: the skin folder, language and text
// colour in force, and for the parameter dialogs the mouse's DPI table.
#include "app/app_state.h"
#include "buttons/parameter_dialog_flow.h"
#include "skin/dialog_view.h"

namespace px {

DialogContext DialogContextOf(const AppState& state);
ParameterDialogSettings ParameterDialogSettingsOf(const AppState& state);

}  // namespace px

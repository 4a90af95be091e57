#pragma once
// The skin chooser and, after OK, the choice in force and in str.ini beside
// the executable, for the dialog runner, which has no main controller (the
// main window's skins button goes through the main controller).
#include <windows.h>

#include "app/app_state.h"

namespace px {

// True when the user confirmed a choice.
bool RunSkinFlow(HWND mainWindow, AppState& state);

}  // namespace px

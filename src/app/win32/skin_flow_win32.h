#pragma once
// The skins button's flow: the skin chooser over the main window, and after
// OK the choice in force and in str.ini. The caller then rebuilds the page
// (its images come from the new skin) and brings the window to the front.
#include <windows.h>

#include "app/app_state.h"
#include "skin/win32/skinned_dialog.h"

namespace px {

// What every small dialog takes from the program when it opens: the skin
// folder, the language and the text colour in force.
SkinnedDialogContext DialogContextOf(const AppState& state);

// True when the user confirmed a choice; false after Cancel or close, when
// nothing changed.
bool RunSkinFlow(HWND mainWindow, AppState& state);

}  // namespace px

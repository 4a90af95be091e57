#pragma once
// The skins button's chooser over the main window; what follows its OK (the
// choice in force and in str.ini, the page rebuilt, the window to the front)
// is the main controller's.
#include <windows.h>

#include <optional>

#include "app/app_state.h"
#include "skin/skin_chooser.h"
#include "skin/win32/skinned_dialog.h"

namespace px {

// What every small dialog takes from the program when it opens: the skin
// folder, the language and the text colour in force.
SkinnedDialogContext DialogContextOf(const AppState& state);

// The choice the user confirmed; nothing after Cancel or close.
std::optional<SkinChoice> RunSkinChooser(HWND mainWindow, const AppState& state);

// The chooser and, after OK, the choice in force and in str.ini beside the
// executable (for the dialog runner, which has no main controller). True
// when the user confirmed a choice.
bool RunSkinFlow(HWND mainWindow, AppState& state);

}  // namespace px

#include "app/win32/skin_flow_win32.h"

#include "skin/win32/skins_dialog.h"
#include "app/skin_flow.h"
#include "storage/executable_path.h"
#include "storage/settings_paths.h"
#include "storage/win32/win32_storage.h"

namespace px {

SkinnedDialogContext DialogContextOf(const AppState& state) {
  return SkinnedDialogContext{state.SkinFolder, state.Settings.language, state.TextColor};
}

std::optional<SkinChoice> RunSkinChooser(HWND mainWindow, const AppState& state) {
  return RunSkinsDialog(mainWindow, DialogContextOf(state), state.SkinName, RunningExecutablePath());
}

bool RunSkinFlow(HWND mainWindow, AppState& state) {
  const std::optional<SkinChoice> choice = RunSkinChooser(mainWindow, state);
  if (!choice) return false;
  Win32ProfileStore store(BuildSettingsPaths(RunningExecutablePath()).iniFile);
  ApplySkinChoice(state, store, *choice);
  return true;
}

}  // namespace px

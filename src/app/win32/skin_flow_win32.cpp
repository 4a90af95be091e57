#include "app/win32/skin_flow_win32.h"

#include "app/dialog_settings.h"
#include "app/skin_flow.h"
#include "skin/win32/skin_draw.h"
#include "skin/win32/skins_dialog.h"
#include "storage/executable_path.h"
#include "storage/settings_paths.h"
#include "storage/win32/win32_storage.h"

namespace px {

bool RunSkinFlow(HWND mainWindow, AppState& state) {
  const Text executable = RunningExecutablePath();
  const std::optional<SkinChoice> choice = RunSkinsDialog(mainWindow, DialogContextOf(state), state.SkinName, executable);
  if (!choice) return false;
  Win32ProfileStore store(BuildSettingsPaths(executable).iniFile);
  ApplySkinChoice(state, store, *choice);
  // Chosen again, even the same skin is read afresh: a user who edited its
  // files sees them now.
  DropSkinImages();
  return true;
}

}  // namespace px

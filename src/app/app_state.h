#pragma once
// The process-wide records and flags of the utility: one instance for the
// whole run, shared by the main window, the page and the small dialogs.
#include <cstdint>

#include "common/text.h"
#include "device/device_image.h"
#include "device/settings_model.h"
#include "skin/ui_font.h"

namespace px {

struct AppState {
  DeviceImage Image{};
  SettingsModel Model{};
  SavedSettings Saved{};
  std::uint8_t FirstRunFlag = 0;

  bool LabelsReloadPending = false;
  int PageState = 0;  // kPageNotBuilt, kPageBuilt, kPageRebuilding
  bool PageBuiltOnce = false;

  Text LanguageCode;
  Text SkinFolder;
  Text SkinName;
  UiTextColor TextColor{0, 255, 0};  // until the settings file says otherwise
};

AppState& TheAppState();

}  // namespace px

#pragma once
// The records and flags of the utility: one instance for the whole run,
// owned by the composition (app/utility_core.h) and shared by the main
// window, the page and the small dialogs.
#include "common/text.h"
#include "app/apply_flow.h"
#include "skin/ui_font.h"

namespace px {

struct AppState {
  // Image, model, saved copy, labels, language, flags of the apply flow.
  SettingsSession Settings;

  int PageState = 0;  // kPageNotBuilt, kPageBuilt, kPageRebuilding
  bool PageBuiltOnce = false;

  Text SkinFolder;
  Text SkinName;
  UiTextColor TextColor{0, 255, 0};  // until the settings file says otherwise
};

}  // namespace px

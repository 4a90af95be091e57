#pragma once
// The process-wide settings records of one run: what the page edits, what
// the apply flow sends and saves, and the flags both read.
#include <cstdint>

#include "common/text.h"
#include "model/device_image.h"
#include "model/interface_texts.h"
#include "model/label_set.h"
#include "model/settings_model.h"

namespace px {

// The process-wide values that the commands read and change.
struct SettingsSession {
  DeviceImage image{};
  SettingsModel model{};
  SavedSettings saved{};
  LabelSet labels{};             // the 16 ButtonLabels
  Text languageCode;             // "Lan" as read
  Language language = Language::English;
  std::uint8_t firstRunFlag = 0;
  std::uint8_t dpiTableVariant = 0;
  bool devicePresent = false;
  bool labelsReloadPending = false;
};

}  // namespace px

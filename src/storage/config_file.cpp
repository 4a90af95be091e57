#include "storage/config_file.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace px {

Text SaveFailedText(int errorCode) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "Error Code is: %d \n", errorCode);
  return FromUtf8(buffer);
}

ConfigLoadResult ConfigFile::Load(std::uint8_t& firstRunFlag, SettingsModel& model) {
  if (!files_.Exists(path_)) {
    boxes_.ShowMessage(kConfigMissingText, kApplicationTitle);
    return ConfigLoadResult::Missing;
  }
  // One byte more than needed tells a longer file from a complete one.
  const auto bytes = files_.Read(path_, kConfigFileSize + 1);
  if (!bytes) return ConfigLoadResult::Unreadable;
  if (bytes->size() != kConfigFileSize) return ConfigLoadResult::WrongSize;
  firstRunFlag = (*bytes)[0];
  std::copy(bytes->begin() + 1, bytes->end(), model.Bytes().begin());
  return ConfigLoadResult::Loaded;
}

ConfigSaveResult ConfigFile::Save(const SettingsModel& model) {
  if (!files_.Exists(path_)) {
    boxes_.ShowMessage(kConfigMissingText, kApplicationTitle);
    return ConfigSaveResult::Missing;
  }
  std::array<std::uint8_t, kConfigFileSize> bytes{};
  bytes[0] = 1;
  std::ranges::copy(model.Bytes(), bytes.begin() + 1);
  int error = 0;
  if (!WriteFileAtomically(files_, path_, bytes, error)) {
    boxes_.ShowMessage(SaveFailedText(error), kSaveFailedCaption);
    return ConfigSaveResult::Failed;
  }
  return ConfigSaveResult::Saved;
}

}  // namespace px

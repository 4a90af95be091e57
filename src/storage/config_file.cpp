#include "storage/config_file.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "storage/stale_temporaries.h"
#include "storage/staged_file.h"

namespace px {

namespace {

std::array<std::uint8_t, kConfigFileSize> SavedBytes(const SettingsModel& model) {
  std::array<std::uint8_t, kConfigFileSize> bytes{};
  bytes[0] = 1;
  std::ranges::copy(model.Bytes(), bytes.begin() + 1);
  return bytes;
}

}  // namespace

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
  const ReadResult read = files_.Read(path_, kConfigFileSize);
  if (read.status == ReadResult::Status::TooLarge) return ConfigLoadResult::WrongSize;
  if (!read.Ok()) return ConfigLoadResult::Unreadable;
  if (read.bytes.size() != kConfigFileSize) return ConfigLoadResult::WrongSize;
  firstRunFlag = read.bytes[0];
  std::copy(read.bytes.begin() + 1, read.bytes.end(), model.Bytes().begin());
  return ConfigLoadResult::Loaded;
}

std::optional<ConfigFile::Contents> ConfigFile::CurrentContents() {
  const ReadResult read = files_.Read(path_, kConfigFileSize);
  if (!read.Ok() || read.bytes.size() != kConfigFileSize) return std::nullopt;
  Contents contents;
  contents.firstRunFlag = read.bytes[0];
  std::copy(read.bytes.begin() + 1, read.bytes.end(), contents.model.Bytes().begin());
  return contents;
}

std::optional<SettingsModel> ConfigFile::CurrentModel() {
  if (std::optional<Contents> contents = CurrentContents()) return contents->model;
  return std::nullopt;
}

ConfigSaveResult ConfigFile::Save(const SettingsModel& model) {
  if (!files_.Exists(path_)) {
    boxes_.ShowMessage(kConfigMissingText, kApplicationTitle);
    return ConfigSaveResult::Missing;
  }
  const auto bytes = SavedBytes(model);
  // A folder where only config.bin itself was made writable takes no
  // temporary file; the file is then written in place.
  const WriteResult written = WriteWholeFile(files_, path_, bytes, WhenNoTemporaryFile::WriteInPlace);
  RemoveStaleTemporaries();
  if (!written.Ok()) {
    boxes_.ShowMessage(SaveFailedText(written.error), kSaveFailedCaption);
    return ConfigSaveResult::Failed;
  }
  return ConfigSaveResult::Saved;
}

std::string ConfigFile::TagOf(const SettingsModel& model) { return ContentTag(SavedBytes(model)); }

std::optional<std::string> ConfigFile::CurrentTag() {
  const ReadResult read = files_.Read(path_, kConfigFileSize);
  if (!read.Ok()) return std::nullopt;
  return ContentTag(read.bytes);
}

void ConfigFile::RemoveStaleTemporaries() { px::RemoveStaleTemporaries(files_, files_.Inspect(path_).resolved); }

}  // namespace px

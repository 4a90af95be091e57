#pragma once
// config.bin: one flag byte, then the 199 bytes of the settings model.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/ports.h"
#include "model/settings_model.h"
#include "storage/file_system.h"

namespace px {

inline constexpr std::size_t kConfigFileSize = 1 + kSettingsModelSize;  // 200

inline constexpr TextView kConfigMissingText = u"Config file is not exist.";
inline constexpr TextView kSaveFailedCaption = u"NULL ==fp ";

// The save failure box's text for a platform error code: "Error Code is: %d \n".
Text SaveFailedText(int errorCode);

enum class ConfigLoadResult {
  Loaded,      // flag and model filled
  Missing,     // reported with a box; nothing changed
  Unreadable,  // exists but cannot be read; nothing changed, no box
  WrongSize,   // not exactly 200 bytes; nothing changed, no box
};

enum class ConfigSaveResult {
  Saved,
  Missing,  // reported; the file is not created
  Failed,   // reported with the platform's error code; the old file is intact
};

class ConfigFile {
 public:
  ConfigFile(FileSystem& files, MessageBoxPort& boxes, NativePath path)
      : files_(files), boxes_(boxes), path_(std::move(path)) {}

  // Fills `firstRunFlag` and `model` only from a file of exactly 200 bytes.
  ConfigLoadResult Load(std::uint8_t& firstRunFlag, SettingsModel& model);

  // What the file holds now, without a box: nothing when it is missing,
  // unreadable or not exactly 200 bytes.
  struct Contents {
    std::uint8_t firstRunFlag = 0;
    SettingsModel model{};
  };
  std::optional<Contents> CurrentContents();
  std::optional<SettingsModel> CurrentModel();

  // Writes the flag byte 1 and the model. The file is replaced as a whole:
  // a save that fails at any point leaves the previous file as it was. Only
  // in a folder that refuses new files is it written in place.
  // Then removes what interrupted saves left beside the file.
  ConfigSaveResult Save(const SettingsModel& model);

  // The tag (storage/staged_file.h) of the file a Save of `model` writes.
  static std::string TagOf(const SettingsModel& model);
  // The tag of the file as it is now; nothing when it cannot be read whole.
  std::optional<std::string> CurrentTag();

  // The temporary files that interrupted saves of config.bin left behind.
  void RemoveStaleTemporaries();

  const NativePath& Path() const { return path_; }

 private:
  FileSystem& files_;
  MessageBoxPort& boxes_;
  NativePath path_;
};

}  // namespace px

#pragma once
// Whole-file reads and writes for the command-line tool. File names are
// UTF-8, as the tool receives its arguments on every platform. Every failure
// comes back as one line naming the file and the problem.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/device_image.h"
#include "model/settings_model.h"

namespace px::cli {

// The file's bytes, at most `limit` of them; more gives nothing with `error`
// set, as does a file that cannot be opened or read ("FILE: cannot open: ...").
// The limit keeps a huge or endless file (a device node) from being read whole.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t limit,
                                                       std::string& error);

// Writes through a temporary file beside the target and renames it over the
// target only once complete, so a failure never leaves a partial file.
bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

// config.bin: exactly 200 bytes, a flag byte then the 199-byte model.
struct ConfigFile {
  std::uint8_t firstRunFlag = 0;
  SettingsModel model{};
};
std::optional<ConfigFile> ReadConfigFile(const std::string& path, std::string& error);

// A device image file: exactly 322 bytes in wire order.
std::optional<DeviceImage> ReadImageFile(const std::string& path, std::string& error);
bool WriteImageFile(const std::string& path, const DeviceImage& image, std::string& error);

}  // namespace px::cli

#pragma once
// Whole-file reads and writes for the command-line tool, through the one
// file layer of the program (bounded, non-blocking reads; writes through a
// unique temporary file, devices and FIFOs written directly). File names are
// the arguments as the tool got them (see common/native_path.h). Every
// failure comes back as one line naming the file and the problem.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/device_image.h"
#include "model/settings_model.h"
#include "storage/file_system.h"

namespace px::cli {

// A regular file of at most `limit` bytes, read without blocking; anything
// else gives nothing with "FILE: ..." in `error`.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t limit,
                                                       std::string& error);

// Any whole file through the program's one writer; "FILE: cannot write: ..."
// in `error` on failure.
bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

// "FILE: cannot write: ..." (or "cannot replace", "is a folder") for a
// failed write of FILE.
std::string DescribeWriteFailure(const std::string& path, const WriteResult& result);

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

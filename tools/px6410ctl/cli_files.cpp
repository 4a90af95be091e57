#include "cli_files.h"

#include <algorithm>

#include "common/native_path.h"
#include "storage/file_system.h"

namespace px::cli {

namespace {

// A file of exactly `size` bytes, or nothing with "FILE: ..." set.
std::optional<FileBytes> ReadSized(const std::string& path, std::size_t size, const char* what, std::string& error) {
  FileSystem& files = SystemFileSystem();
  ReadResult read = files.Read(PathFromArgument(path), size);
  using S = ReadResult::Status;
  const std::string expected = ", expected " + std::to_string(size);
  switch (read.status) {
    case S::Ok:
      if (read.bytes.size() == size) return std::move(read.bytes);
      error = path + ": not a " + what + ": " + std::to_string(read.bytes.size()) + " bytes" + expected;
      return std::nullopt;
    case S::TooLarge:
      error = path + ": not a " + what + ": " +
              (read.size != 0 ? std::to_string(read.size) : "more than " + std::to_string(size)) + " bytes" + expected;
      return std::nullopt;
    case S::Folder: error = path + ": cannot open: is a folder"; return std::nullopt;
    case S::NotAFile: error = path + ": cannot open: not a regular file (a device, FIFO or socket)"; return std::nullopt;
    case S::Missing:
    case S::Failed: error = path + ": cannot open: " + files.ErrorText(read.error); return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::optional<ConfigFile> ReadConfigFile(const std::string& path, std::string& error) {
  auto bytes = ReadSized(path, 1 + kSettingsModelSize, "settings file", error);
  if (!bytes) return std::nullopt;
  ConfigFile file;
  file.firstRunFlag = (*bytes)[0];
  std::copy(bytes->begin() + 1, bytes->end(), file.model.Bytes().begin());
  return file;
}

std::optional<DeviceImage> ReadImageFile(const std::string& path, std::string& error) {
  auto bytes = ReadSized(path, kDeviceImageSize, "device image", error);
  if (!bytes) return std::nullopt;
  DeviceImage image;
  std::copy(bytes->begin(), bytes->end(), image.Bytes().begin());
  return image;
}

bool WriteImageFile(const std::string& path, const DeviceImage& image, std::string& error) {
  FileSystem& files = SystemFileSystem();
  const WriteResult result = WriteWholeFile(files, PathFromArgument(path), image.Bytes());
  if (result.Ok()) return true;
  using Step = WriteResult::Step;
  switch (result.failedAt) {
    case Step::Folder: error = path + ": cannot write: is a folder"; break;
    case Step::Replace: error = path + ": cannot replace: " + files.ErrorText(result.error); break;
    default: error = path + ": cannot write: " + files.ErrorText(result.error); break;
  }
  return false;
}

}  // namespace px::cli

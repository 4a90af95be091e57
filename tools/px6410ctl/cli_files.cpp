#include "cli_files.h"

#include <algorithm>

#include "common/native_path.h"
#include "storage/file_system.h"

namespace px::cli {

namespace {

// The file's bytes when it is a regular file of at most `limit` bytes; else
// nothing, with "FILE: ..." in `error` (`what` names the format for a file
// that is too large).
std::optional<FileBytes> ReadBounded(const std::string& path, std::size_t limit, const std::string& tooLarge,
                                     std::string& error) {
  FileSystem& files = SystemFileSystem();
  ReadResult read = files.Read(PathFromArgument(path), limit);
  using S = ReadResult::Status;
  switch (read.status) {
    case S::Ok: return std::move(read.bytes);
    case S::TooLarge:
      error = path + tooLarge + (read.size != 0 ? std::to_string(read.size) : "more than " + std::to_string(limit)) +
              " bytes";
      return std::nullopt;
    case S::Folder: error = path + ": cannot open: is a folder"; return std::nullopt;
    case S::NotAFile: error = path + ": cannot open: not a regular file (a device, FIFO or socket)"; return std::nullopt;
    case S::Missing:
    case S::Failed: error = path + ": cannot open: " + files.ErrorText(read.error); return std::nullopt;
  }
  return std::nullopt;
}

// A file of exactly `size` bytes, or nothing with "FILE: not a WHAT: ..." set.
std::optional<FileBytes> ReadSized(const std::string& path, std::size_t size, const char* what, std::string& error) {
  const std::string expected = ", expected " + std::to_string(size);
  auto bytes = ReadBounded(path, size, std::string(": not a ") + what + ": ", error);
  if (!bytes) {
    if (error.starts_with(path + ": not a ")) error += expected;
    return std::nullopt;
  }
  if (bytes->size() == size) return bytes;
  error = path + ": not a " + what + ": " + std::to_string(bytes->size()) + " bytes" + expected;
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t limit,
                                                       std::string& error) {
  auto bytes = ReadBounded(path, limit, ": too large: ", error);
  if (!bytes) return std::nullopt;
  return std::vector<std::uint8_t>(std::move(*bytes));
}

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
  const auto bytes = image.Bytes();
  return WriteWholeFile(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), error);
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  FileSystem& files = SystemFileSystem();
  const WriteResult result = px::WriteWholeFile(files, PathFromArgument(path), bytes);
  if (result.Ok()) return true;
  error = DescribeWriteFailure(path, result);
  return false;
}

std::string DescribeWriteFailure(const std::string& path, const WriteResult& result) {
  const std::string reason = SystemFileSystem().ErrorText(result.error);
  switch (result.failedAt) {
    case WriteResult::Step::Folder: return path + ": cannot write: is a folder";
    case WriteResult::Step::Replace: return path + ": cannot replace: " + reason;
    default: return path + ": cannot write: " + reason;
  }
}

}  // namespace px::cli

#include "cli_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/replace_file.h"
#include "common/text.h"

namespace px::cli {

namespace {

namespace fs = std::filesystem;

std::string SystemError() { return std::strerror(errno != 0 ? errno : EIO); }

// Windows' narrow file functions would take the UTF-8 name in the ANSI code
// page, so there it goes through UTF-16. Elsewhere the bytes are the name,
// whatever their encoding.
fs::path FilePath(const std::string& utf8) {
#ifdef _WIN32
  return fs::path(FromUtf8(utf8));
#else
  return fs::path(utf8);
#endif
}

// The first `limit` + 1 bytes of the file at most: one byte more than
// wanted tells a longer file from a complete one.
std::optional<std::vector<std::uint8_t>> ReadPrefix(const std::string& path, std::size_t limit, std::string& error) {
  const fs::path file = FilePath(path);
  std::error_code ec;
  if (fs::is_directory(file, ec)) {
    error = path + ": cannot open: is a folder";
    return std::nullopt;
  }
  errno = 0;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = path + ": cannot open: " + SystemError();
    return std::nullopt;
  }
  // istream::read turns a failing read into badbit rather than an exception.
  std::vector<std::uint8_t> bytes(limit + 1);
  errno = 0;
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) {
    error = path + ": cannot read: " + SystemError();
    return std::nullopt;
  }
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

// A file of exactly `size` bytes, or nothing with "FILE: not a WHAT: ..." set.
std::optional<std::vector<std::uint8_t>> ReadSized(const std::string& path, std::size_t size, const char* what,
                                                   std::string& error) {
  auto bytes = ReadPrefix(path, size, error);
  if (!bytes) return std::nullopt;
  if (bytes->size() == size) return bytes;
  std::string found = std::to_string(bytes->size()) + " bytes";
  if (bytes->size() > size) {
    std::error_code ec;
    const auto onDisk = fs::file_size(FilePath(path), ec);
    found = ec ? "more than " + std::to_string(size) + " bytes" : std::to_string(onDisk) + " bytes";
  }
  error = path + ": not a " + what + ": " + found + ", expected " + std::to_string(size);
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t limit,
                                                       std::string& error) {
  auto bytes = ReadPrefix(path, limit, error);
  if (bytes && bytes->size() > limit) {
    error = path + ": too large: more than " + std::to_string(limit) + " bytes";
    return std::nullopt;
  }
  return bytes;
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  const ReplaceFileResult result = ReplaceFileContents(FilePath(path), bytes);
  if (result.Ok()) return true;
  error = path + (result.failedAt == ReplaceFileResult::Step::Write ? ": cannot write: " : ": cannot replace: ") +
          result.reason;
  return false;
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

}  // namespace px::cli

#include "cli_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/text.h"

namespace px::cli {

namespace {

std::string SystemError() { return std::strerror(errno); }

// Arguments are UTF-8; a narrow path would be read in the ANSI code page on Windows.
std::filesystem::path PathOf(const std::string& utf8) { return std::filesystem::path(FromUtf8(utf8)); }

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::string& error) {
  errno = 0;
  std::error_code ec;
  if (std::filesystem::is_directory(PathOf(path), ec)) {  // opens as a stream here, then throws on read
    error = path + ": a folder, not a file";
    return std::nullopt;
  }
  std::ifstream in(PathOf(path), std::ios::binary);
  if (!in) {
    error = path + ": cannot open: " + SystemError();
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  try {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    in.setstate(std::ios::badbit);
  }
  if (in.bad()) {
    error = path + ": cannot read: " + SystemError();
    return std::nullopt;
  }
  return bytes;
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  const std::filesystem::path target = PathOf(path);
  std::filesystem::path temp = target;
  temp += ".tmp";
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = path + ": cannot write: " + SystemError();
      return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      error = path + ": cannot write: " + SystemError();
      out.close();
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::filesystem::rename(temp, target, ec);
#ifdef _WIN32
  std::error_code probe;
  if (ec && !std::filesystem::is_directory(target, probe)) {  // older runtimes do not replace an existing file
    std::filesystem::remove(target, ec);
    std::filesystem::rename(temp, target, ec);
  }
#endif
  if (ec) {
    error = path + ": cannot replace: " + ec.message();
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return false;
  }
  return true;
}

std::optional<ConfigFile> ReadConfigFile(const std::string& path, std::string& error) {
  auto bytes = ReadWholeFile(path, error);
  if (!bytes) return std::nullopt;
  if (bytes->size() != 1 + kSettingsModelSize) {
    error = path + ": not a settings file: " + std::to_string(bytes->size()) + " bytes, expected 200";
    return std::nullopt;
  }
  ConfigFile file;
  file.firstRunFlag = (*bytes)[0];
  std::copy(bytes->begin() + 1, bytes->end(), file.model.Bytes().begin());
  return file;
}

std::optional<DeviceImage> ReadImageFile(const std::string& path, std::string& error) {
  auto bytes = ReadWholeFile(path, error);
  if (!bytes) return std::nullopt;
  if (bytes->size() != kDeviceImageSize) {
    error = path + ": not a device image: " + std::to_string(bytes->size()) + " bytes, expected 322";
    return std::nullopt;
  }
  DeviceImage image;
  std::copy(bytes->begin(), bytes->end(), image.Bytes().begin());
  return image;
}

bool WriteImageFile(const std::string& path, const DeviceImage& image, std::string& error) {
  const auto bytes = image.Bytes();
  return WriteWholeFile(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()), error);
}

}  // namespace px::cli

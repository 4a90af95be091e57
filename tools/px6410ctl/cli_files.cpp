#include "cli_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace px::cli {

namespace {

std::string SystemError() { return std::strerror(errno); }

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::string& error) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot open: " + SystemError();
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = path + ": cannot read: " + SystemError();
    return std::nullopt;
  }
  return bytes;
}

bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
  const std::string temp = path + ".tmp";
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
      std::remove(temp.c_str());
      return false;
    }
  }
#ifdef _WIN32
  // rename() does not replace an existing file on Windows.
  std::remove(path.c_str());
#endif
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    error = path + ": cannot replace: " + SystemError();
    std::remove(temp.c_str());
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

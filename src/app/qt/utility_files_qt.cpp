#include "app/qt/utility_files_qt.h"

#include <cstdlib>
#include <filesystem>

#include "storage/file_system.h"
#include "storage/installed_files.h"

namespace px {
namespace {

namespace fs = std::filesystem;

constexpr const char* kConfigName = "config.bin";
constexpr const char* kIniName = "str.ini";

UtilityFiles FilesIn(const NativePath& folder) { return {folder / kConfigName, folder / kIniName}; }

NativePath UserConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && *xdg == '/') return NativePath(xdg) / "px6410";
  const char* home = std::getenv("HOME");
  return NativePath(home != nullptr ? home : "/") / ".config" / "px6410";
}

}  // namespace

std::optional<UtilityFiles> FindUtilityFilesStandIn(const std::optional<NativePath>& given,
                                                     const NativePath& executableFolder, std::string& error) {
  std::error_code ec;
  if (given) return FilesIn(*given);
  if (fs::is_regular_file(executableFolder / kConfigName, ec)) return FilesIn(executableFolder);
  const NativePath folder = UserConfigFolder();
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) {
    error = "cannot make the settings folder " + PathForDisplay(folder);
    return std::nullopt;
  }
  const UtilityFiles files = FilesIn(folder);
  // The first start gets the installed first settings; later ones keep theirs.
  auto seed = [&](const NativePath& path, const FileBytes& bytes) {
    if (fs::exists(path, ec)) return true;
    return WriteWholeFile(SystemFileSystem(), path, bytes).Ok();
  };
  if (!seed(files.configFile, InstalledConfigBin()) || !seed(files.iniFile, InstalledStrIni())) {
    error = "cannot write the first settings into " + PathForDisplay(folder);
    return std::nullopt;
  }
  return files;
}

Text SkinsRootFor(const NativePath& executableFolder, const NativePath& dataFolder) {
  std::error_code ec;
  const NativePath beside = executableFolder / "Skins";
  return FromUtf8((fs::is_directory(beside, ec) ? beside : dataFolder / "Skins").string());
}

}  // namespace px

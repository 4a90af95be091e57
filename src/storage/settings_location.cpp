#include "storage/settings_location.h"

#include <array>

#include "storage/config_file.h"
#include "storage/ini_file_store.h"

namespace px {

namespace {

struct SettingsFile {
  const char* name;
  std::size_t maxSize;  // the bound of the program's own read of it
};

constexpr std::array kSettingsFiles{
    SettingsFile{"config.bin", kConfigFileSize},
    SettingsFile{"str.ini", IniFileStore::kMaxFileSize},
};

bool IsAbsolute(const std::optional<std::string>& value) { return value && !value->empty() && (*value)[0] == '/'; }

SettingsLocation In(NativePath folder, bool portable) {
  SettingsLocation where{.portable = portable, .folder = std::move(folder), .configFile = {}, .iniFile = {}};
  where.configFile = where.folder / kSettingsFiles[0].name;
  where.iniFile = where.folder / kSettingsFiles[1].name;
  return where;
}

SettingsSetup Failure(SettingsSetup::Status status, NativePath path, int error = 0) {
  return SettingsSetup{status, std::move(path), error};
}

}  // namespace

SettingsLocation ChooseSettingsLocation(FileSystem& files, const SettingsEnvironment& env) {
  // An unknown executable has no folder: "config.bin" alone would name one
  // in whatever folder the program was started from.
  if (!env.executable.empty() && env.executable.has_parent_path()) {
    const NativePath beside = env.executable.parent_path();
    if (files.Inspect(beside / kSettingsFiles[0].name).kind == FileKind::Regular) return In(beside, true);
  }
  if (IsAbsolute(env.xdgConfigHome)) return In(NativePath(*env.xdgConfigHome) / kSettingsFolderName, false);
  if (IsAbsolute(env.home)) return In(NativePath(*env.home) / ".config" / kSettingsFolderName, false);
  return SettingsLocation{};
}

NativePath ChooseSkinsRoot(FileSystem& files, const SettingsEnvironment& env) {
  if (!env.executable.empty() && env.executable.has_parent_path()) {
    NativePath beside = env.executable.parent_path() / "Skins";
    if (files.Inspect(beside).kind == FileKind::Folder) return beside;
  }
  return env.dataFolder / "Skins";
}

SettingsSetup PrepareSettingsFolder(FileSystem& files, FolderMaker& folders, const SettingsLocation& where,
                                    const NativePath& dataFolder) {
  if (where.portable) return {};
  if (where.folder.empty()) return Failure(SettingsSetup::Status::NoFolder, {});
  int error = 0;
  if (!folders.MakeFolders(where.folder, error)) return Failure(SettingsSetup::Status::FolderFailed, where.folder, error);
  for (const SettingsFile& file : kSettingsFiles) {
    const NativePath target = where.folder / file.name;
    const FileInfo there = files.Inspect(target);
    if (there.error != 0) return Failure(SettingsSetup::Status::CopyFailed, target, there.error);
    // The user's file, whatever it holds, is theirs.
    if (there.kind != FileKind::Missing) continue;
    const NativePath seed = dataFolder / file.name;
    const ReadResult read = files.Read(seed, file.maxSize);
    if (read.status == ReadResult::Status::Missing) return Failure(SettingsSetup::Status::SeedMissing, seed);
    if (!read.Ok()) return Failure(SettingsSetup::Status::SeedUnreadable, seed, read.error);
    const WriteResult written = WriteWholeFile(files, target, read.bytes);
    if (!written.Ok()) return Failure(SettingsSetup::Status::CopyFailed, target, written.error);
  }
  return {};
}

std::string DescribeSettingsSetup(FileSystem& files, const SettingsSetup& setup) {
  const std::string path = PathForDisplay(setup.path);
  const std::string why = setup.error != 0 ? ": " + files.ErrorText(setup.error) : std::string();
  switch (setup.status) {
    case SettingsSetup::Status::Ok: return {};
    case SettingsSetup::Status::NoFolder:
      return "no settings folder: neither XDG_CONFIG_HOME nor HOME names an absolute folder";
    case SettingsSetup::Status::FolderFailed: return path + ": cannot make the settings folder" + why;
    case SettingsSetup::Status::SeedMissing:
      return path + ": the installed default settings are missing (reinstall the package)";
    case SettingsSetup::Status::SeedUnreadable:
      return path + ": cannot read the installed default settings" +
             (why.empty() ? std::string(" (not a regular file of the expected size)") : why);
    case SettingsSetup::Status::CopyFailed: return path + ": cannot write the default settings there" + why;
  }
  return {};
}

}  // namespace px

#include "installed.h"

#include "common/native_path.h"
#include "skin/skin_paths.h"
#include "storage/config_file.h"
#include "storage/executable_path.h"
#include "storage/file_system.h"
#include "storage/ini_file_store.h"
#include "storage/installed_folder.h"
#include "storage/settings_location.h"
#include "storage/staged_file.h"

namespace px::cli {

namespace {

#ifdef _WIN32

// The utility's own rule on Windows: the folder of the executable.
std::optional<std::string> ChooseConfigPath(Context&, const std::optional<std::string>& given) {
  if (given) return given;
  return ArgumentFromPath(FindInstalledFolder(SystemFileSystem(), RunningExecutableFile()).configFile);
}

}  // namespace

Language DefaultLanguage() {
  return LanguageFromCode(LanguageCodeBeside(SystemFileSystem(), RunningExecutableFile()));
}

Text SkinsRootOfTool() { return SkinsRootFor(RunningExecutablePath()); }

#else

std::optional<std::string> ChooseConfigPath(Context& ctx, const std::optional<std::string>& given) {
  if (given) return given;
  FileSystem& files = SystemFileSystem();
  const SettingsEnvironment env = SystemSettingsEnvironment();
  const SettingsLocation where = ChooseSettingsLocation(files, env);
  const SettingsSetup setup = PrepareSettingsFolder(files, SystemFolderMaker(), where, env.dataFolder);
  if (!setup.Ok()) {
    UsageError(ctx, DescribeSettingsSetup(files, setup));
    return std::nullopt;
  }
  return ArgumentFromPath(where.configFile);
}

}  // namespace

Language DefaultLanguage() {
  FileSystem& files = SystemFileSystem();
  const SettingsEnvironment env = SystemSettingsEnvironment();
  const SettingsLocation where = ChooseSettingsLocation(files, env);
  // A user's folder not made yet will get the installed str.ini.
  const bool own = where.portable || (!where.folder.empty() && files.Exists(where.iniFile));
  // LanguageCodeBeside takes a file and reads the str.ini in its folder.
  const NativePath inFolder = (own ? where.folder : env.dataFolder) / "config.bin";
  return LanguageFromCode(LanguageCodeBeside(files, inFolder));
}

Text SkinsRootOfTool() {
  return FromUtf8(ChooseSkinsRoot(SystemFileSystem(), SystemSettingsEnvironment()).string());
}

#endif

// The same step as the utility's start: an interrupted save of the pair is
// finished (or its old left-over removed) before anything reads the folder.
void SettleSettingsFolder(const std::string& configPath) {
  FileSystem& files = SystemFileSystem();
  const px::NativePath config = PathFromArgument(configPath);
  const ReadResult read = files.Read(config, kConfigFileSize);
  IniFileStore strIni(files, config.parent_path() / "str.ini");
  strIni.SettleStaged(read.Ok() ? std::optional(ContentTag(read.bytes)) : std::nullopt);
}

std::optional<std::string> ConfigPathOr(Context& ctx, const std::optional<std::string>& given) {
  auto chosen = ChooseConfigPath(ctx, given);
  if (chosen) SettleSettingsFolder(*chosen);
  return chosen;
}

Language LanguageBeside(const std::string& configPath) {
  return LanguageFromCode(LanguageCodeBeside(SystemFileSystem(), PathFromArgument(configPath)));
}

}  // namespace px::cli

#include "installed.h"

#include "common/native_path.h"
#include "storage/executable_path.h"
#include "storage/file_system.h"
#include "storage/installed_folder.h"
#include "storage/settings_location.h"

namespace px::cli {

#ifdef _WIN32

// The utility's own rule on Windows: the folder of the executable.
std::optional<std::string> ConfigPathOr(Context&, const std::optional<std::string>& given) {
  if (given) return given;
  return ArgumentFromPath(FindInstalledFolder(SystemFileSystem(), RunningExecutableFile()).configFile);
}

Language DefaultLanguage() {
  return LanguageFromCode(LanguageCodeBeside(SystemFileSystem(), RunningExecutableFile()));
}

#else

std::optional<std::string> ConfigPathOr(Context& ctx, const std::optional<std::string>& given) {
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

#endif

Language LanguageBeside(const std::string& configPath) {
  return LanguageFromCode(LanguageCodeBeside(SystemFileSystem(), PathFromArgument(configPath)));
}

}  // namespace px::cli

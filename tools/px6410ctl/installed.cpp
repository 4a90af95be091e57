#include "installed.h"

#include "storage/executable_path.h"
#include "storage/file_system.h"
#include "storage/ini_file_store.h"
#include "storage/installed_folder.h"
#include "storage/settings_paths.h"
#include "storage/str_ini.h"

namespace px::cli {

std::string InstalledConfigPath() {
  StdFileSystem files;
  return ToUtf8(FindInstalledFolder(files, RunningExecutablePath()).paths.configFile);
}

Language LanguageBeside(const std::string& configPath) {
  StdFileSystem files;
  Text iniPath = FolderOf(FromUtf8(configPath));
  iniPath += u"str.ini";
  IniFileStore strIni(files, iniPath);
  return LanguageFromCode(ReadLanguageCode(strIni));
}

}  // namespace px::cli

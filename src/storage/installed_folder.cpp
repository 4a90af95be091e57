#include "storage/installed_folder.h"

#include "storage/ini_file_store.h"
#include "storage/str_ini.h"

namespace px {

InstalledFolder FindInstalledFolder(FileSystem& files, TextView executablePath) {
  InstalledFolder folder;
  folder.paths = BuildSettingsPaths(executablePath);
  IniFileStore strIni(files, folder.paths.iniFile);
  folder.languageCode = ReadLanguageCode(strIni);
  return folder;
}

}  // namespace px

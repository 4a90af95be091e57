#include "storage/installed_folder.h"

#include "storage/ini_file_store.h"
#include "storage/str_ini.h"

namespace px {

namespace {

NativePath Beside(const NativePath& file, const char* name) {
  NativePath path = file.parent_path();
  path /= name;
  return path;
}

}  // namespace

InstalledFolder FindInstalledFolder(FileSystem& files, const NativePath& executable) {
  InstalledFolder folder;
  folder.configFile = Beside(executable, "config.bin");
  folder.iniFile = Beside(executable, "str.ini");
  folder.languageCode = LanguageCodeBeside(files, executable);
  return folder;
}

Text LanguageCodeBeside(FileSystem& files, const NativePath& file) {
  IniFileStore strIni(files, Beside(file, "str.ini"));
  return ReadLanguageCode(strIni);
}

}  // namespace px

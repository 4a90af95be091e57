#include "storage/settings_paths.h"

namespace px {

Text FolderOf(TextView path) {
  const auto slash = path.find_last_of(u"\\/");
  return slash == TextView::npos ? Text{} : Text(path.substr(0, slash + 1));
}

SettingsPaths BuildSettingsPaths(TextView executablePath) {
  // For the installed name this is exactly the name replacement: the folder
  // followed by the target name.
  Text folder = FolderOf(executablePath);
  return SettingsPaths{
      .configFile = folder + u"config.bin",
      .iniFile = folder + u"str.ini",
      .executableFolder = std::move(folder),
  };
}

}  // namespace px

#pragma once
// Where the settings files live: beside the running executable. The skins
// folder follows the same folder rule (src/skin/skin_paths.h).
#include "common/text.h"

namespace px {

struct SettingsPaths {
  Text configFile;        // config.bin
  Text iniFile;           // str.ini
  Text executableFolder;  // with its trailing separator, or empty for a bare name
};

// The installed executable "PX6410-3-4.exe" finds its files by putting the
// file name in the place of its own. Under any other name, or in a folder
// whose name contains "PX6410-3-4.exe", the files are still the ones in the
// executable's own folder: a path never ends up naming the executable itself
// or some other folder.
SettingsPaths BuildSettingsPaths(TextView executablePath);

// The part of a path up to and including its last '\' or '/'.
Text FolderOf(TextView path);

}  // namespace px

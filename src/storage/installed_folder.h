#pragma once
// For the command-line tools: the settings files of an installed folder, the
// one the tool itself runs from unless told otherwise.
#include "storage/file_system.h"
#include "storage/settings_paths.h"

namespace px {

struct InstalledFolder {
  SettingsPaths paths;
  Text languageCode;  // "Lan" of its str.ini; empty (English) when missing
};

// The folder of `executablePath` (RunningExecutablePath() for the tool itself).
InstalledFolder FindInstalledFolder(FileSystem& files, TextView executablePath);

}  // namespace px

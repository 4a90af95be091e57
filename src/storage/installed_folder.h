#pragma once
// For the command-line tools: the settings files of an installed folder, the
// one the tool itself runs from unless told otherwise.
#include "common/native_path.h"
#include "storage/file_system.h"

namespace px {

struct InstalledFolder {
  NativePath configFile;
  NativePath iniFile;
  Text languageCode;  // "Lan" of its str.ini; empty (English) when missing
};

// The folder of `executable` (RunningExecutableFile() for the tool itself).
InstalledFolder FindInstalledFolder(FileSystem& files, const NativePath& executable);

// The "Lan" of the str.ini beside `file`.
Text LanguageCodeBeside(FileSystem& files, const NativePath& file);

}  // namespace px

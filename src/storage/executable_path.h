#pragma once
// The full path of the running executable, from which the settings files and
// the skins are found (BuildSettingsPaths). Implemented per platform; empty
// when the system cannot tell.
#include "common/native_path.h"
#include "common/text.h"

namespace px {

// As text, for the utility's paths (lossless on Windows).
Text RunningExecutablePath();
// As the system names it, for the tools: never decoded.
NativePath RunningExecutableFile();

}  // namespace px

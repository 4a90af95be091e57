#pragma once
// The full path of the running executable, from which the settings files and
// the skins are found (BuildSettingsPaths). Implemented per platform; empty
// text when the system cannot tell.
#include "common/text.h"

namespace px {

Text RunningExecutablePath();

}  // namespace px

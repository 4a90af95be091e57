#pragma once
// Where the Linux utility keeps its settings files and finds its skins.
#include <optional>
#include <string>

#include "common/native_path.h"
#include "common/text.h"

namespace px {

struct UtilityFiles {
  NativePath configFile;
  NativePath iniFile;
};

// TEMPORARY STAND-IN, to be replaced by the settings-folder decision of
// src/storage/ once it is in main: the given folder, else the executable's
// folder when a config.bin is there (a portable folder), else
// $XDG_CONFIG_HOME/px6410/ (~/.config/px6410/), made on first start with the
// installed first settings. Nothing, with `error` set, when that folder
// cannot be made or filled.
std::optional<UtilityFiles> FindUtilityFilesStandIn(const std::optional<NativePath>& given,
                                                     const NativePath& executableFolder, std::string& error);

// The skins beside the executable when it has them, else the installed ones
// (dataFolder/Skins). Without a trailing separator.
Text SkinsRootFor(const NativePath& executableFolder, const NativePath& dataFolder);

}  // namespace px

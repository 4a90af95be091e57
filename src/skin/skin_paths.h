#pragma once
// Where a skin's images live. Paths are built as plain text and handed to the
// platform unchanged, mixed separators included ("C:\Tools\/Skins/Blue/main.png").
#include "common/text.h"

namespace px {

// The executable's folder, with its trailing separator, by the same rule as
// the settings files (storage/settings_paths.h): for the installed name it is
// what removing the name from the path leaves; a renamed executable still
// finds its skins beside it instead of under a path through the file itself.
Text ExecutableFolder(TextView executablePath);

// Folder + "/Skins/" + skin name: the `SkinFolder` of a run.
Text SkinFolderFor(TextView executablePath, TextView skinName);
// The same under a skins root found elsewhere (the installed skins on Linux).
Text SkinFolderIn(TextView skinsRoot, TextView skinName);

// Folder + "/Skins": the folder the skin chooser lists.
Text SkinsRootFor(TextView executablePath);

// `SkinFolder` followed directly by an image name, which begins with "/".
Text SkinImagePath(TextView skinFolder, TextView imageName);

// The caption of the skin drawing's failure box: the executable's file name
// without its extension ("PX6410-3-4" for C:\Tools\PX6410-3-4.exe).
Text ApplicationNameFromPath(TextView executablePath);

}  // namespace px

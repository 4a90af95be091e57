#pragma once
// Where a skin's images live. Paths are built as plain text and handed to the
// platform unchanged, mixed separators included ("C:\Tools\/Skins/Blue/main.png").
#include <optional>
#include <string_view>

#include "common/text.h"

namespace px {

// Why a skin's name cannot be a skin (a folder directly under the skins
// root), whatever brought it (str.ini, the chooser, px6410ctl), or nothing
// when it can: empty, "." or "..", a separator ('/' or '\\'), a drive or
// stream colon, an absolute path, a trailing dot or blank (Windows drops
// them, so ".. " climbs), a control character or ill-formed UTF-16 (an
// unpaired surrogate, which str.ini cannot hold). The text only; the folder
// itself is not looked at.
std::optional<std::string_view> SkinNameRefusal(TextView skinName);
// The same, then the folder under this skins root: a link in it that leads
// anywhere but to another folder directly under the root is refused too.
std::optional<std::string_view> SkinRefusal(TextView skinsRoot, TextView skinName);

// The executable's folder, with its trailing separator, by the same rule as
// the settings files (storage/settings_paths.h): for the installed name it is
// what removing the name from the path leaves; a renamed executable still
// finds its skins beside it instead of under a path through the file itself.
Text ExecutableFolder(TextView executablePath);

// Folder + "/Skins/" + skin name: the `SkinFolder` of a run. Empty when the
// name is refused (above) or the folder, links followed, lies elsewhere than
// directly under the skins root: no picture is read from an empty folder, so
// the windows draw as for a missing skin.
Text SkinFolderFor(TextView executablePath, TextView skinName);
// The same under a skins root found elsewhere (the installed skins on Linux).
Text SkinFolderIn(TextView skinsRoot, TextView skinName);

// Folder + "/Skins": the folder the skin chooser lists.
Text SkinsRootFor(TextView executablePath);

// `SkinFolder` followed directly by an image name, which begins with "/".
// Empty for the empty folder of a refused skin (never "/main.png" at the
// file system's root).
Text SkinImagePath(TextView skinFolder, TextView imageName);

// The caption of the skin drawing's failure box: the executable's file name
// without its extension ("PX6410-3-4" for C:\Tools\PX6410-3-4.exe).
Text ApplicationNameFromPath(TextView executablePath);

}  // namespace px

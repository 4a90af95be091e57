#pragma once
// The settings the commands take when no CONFIG.BIN is given: the config.bin
// beside the tool in a portable folder (always on Windows), else on Linux the
// user's settings folder, made from the installed defaults on first use
// (storage/settings_location.h).
#include <optional>
#include <string>

#include "cli.h"
#include "common/text.h"
#include "model/interface_texts.h"

namespace px::cli {

// `given` when there is one; else the default config.bin, its folder made and
// seeded first. Nothing when that fails: one line on stderr says why. Before
// it answers, the folder is settled (SettleSettingsFolder).
std::optional<std::string> ConfigPathOr(Context& ctx, const std::optional<std::string>& given);

// What a start does first: a str.ini staged for the config.bin at
// `configPath` is put in place, old stagings of other ones are removed.
void SettleSettingsFolder(const std::string& configPath);

// The folder the utility beside this tool lists and draws skins from, by the
// utility's own rule: "Skins" beside the executable (on Linux, when there is
// none, the installed data folder's).
Text SkinsRootOfTool();

// The language of the default settings' str.ini, making nothing: the user's
// folder when it holds one, else the installed defaults'.
Language DefaultLanguage();

// The "Lan" of the str.ini in the folder of `configPath` (English when it is
// missing or names no other language).
Language LanguageBeside(const std::string& configPath);

}  // namespace px::cli

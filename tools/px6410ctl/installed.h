#pragma once
// Defaults taken from the folder the tool is installed in: its config.bin and
// the interface language of its str.ini.
#include <optional>
#include <string>

#include "model/interface_texts.h"

namespace px::cli {

// config.bin beside the running tool.
std::string InstalledConfigPath();

// The "Lan" of the str.ini in the folder of `configPath` (English when it is
// missing or names no other language).
Language LanguageBeside(const std::string& configPath);

}  // namespace px::cli

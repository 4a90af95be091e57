#pragma once
// The config.bin and str.ini installed beside the executable. They are made
// here so that they can be changed in one place and regenerated
// (tools/px_make_dist); the build copies the generated files into dist/.
#include "model/interface_texts.h"
#include "model/settings_model.h"
#include "storage/file_system.h"
#include "storage/str_ini.h"

namespace px {

// The skin that the installed str.ini chooses (the dark one).
inline constexpr TextView kInstalledSkinName = u"Default";
// A light grey that reads well on the dark default skin.
inline constexpr Rgb kInstalledTextColor = {230, 230, 230};
inline constexpr TextView kInstalledLanguageCode = u"EN";
// The sensor the first settings are made for (eight levels, 250 to 2500 DPI);
// the stage levels are valid in every table, the snipe code in this one.
inline constexpr std::uint8_t kInstalledDpiTableVariant = 2;

// The first model: four DPI stages in use at rising levels with distinct
// colours, 1000 Hz, standard lighting at full brightness, the factory
// buttons in both modes, the fire-key dialog's default times.
SettingsModel InstalledFirstModel();

// The factory button labels of a language: left, right and middle click,
// "DPI Loop", then "Key Off" for buttons 5..8, the same in both modes.
LabelSet DefaultButtonLabels(Language language);

// 200 bytes; FirstRunFlag 0, so that the first build of the page writes the
// labels of the chosen language.
FileBytes InstalledConfigBin();

// UTF-16LE with a BOM and CRLF line ends, as the profile API keeps Chinese text.
Text InstalledStrIniText();
FileBytes InstalledStrIni();

}  // namespace px

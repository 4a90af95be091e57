#pragma once
// The keys of str.ini: the button labels of each language, the language, the
// skin and the interface text colour.
#include <array>
#include <cstdint>

#include "model/interface_texts.h"
#include "model/label_set.h"
#include "model/settings_model.h"
#include "storage/profile_store.h"

namespace px {

// The label keys in that order. Mode B's keys are the button number followed
// by the digit 3, not a continuation of Mode A's numbering.
inline constexpr std::array<TextView, 2 * kButtonsPerMode> kLabelKeys = {
    u"Item1",  u"Item2",  u"Item3",  u"Item4",  u"Item5",  u"Item6",  u"Item7",  u"Item8",
    u"Item13", u"Item23", u"Item33", u"Item43", u"Item53", u"Item63", u"Item73", u"Item83",
};

inline constexpr TextView kSkinsSection = u"Skins";
inline constexpr TextView kLanguageKey = u"Lan";
inline constexpr TextView kSkinNameKey = u"Path";
inline constexpr TextView kRedKey = u"RColor";
inline constexpr TextView kGreenKey = u"GColor";
inline constexpr TextView kBlueKey = u"BColor";

// "Lan" of "Skins": "CHS", "CHT", anything else (empty included) is English.
Text ReadLanguageCode(ProfileStore& store);

// The 16 labels of the language's section; missing keys give empty labels.
// Each enters the set through SetLabel, so a file written by hand with text
// no reader can decode is not carried into the next save.
LabelSet LoadLabels(ProfileStore& store, Language language);

// Writes the 16 labels in key order to the language's section only, in one
// write of the file. A line break inside a label would end the INI line
// early, so it is written as a blank. False when the write failed.
bool SaveLabels(ProfileStore& store, Language language, const LabelSet& labels);
// The same entries staged under `tag` (ProfileStore::StageAll).
bool StageLabels(ProfileStore& store, Language language, const LabelSet& labels, std::string_view tag);

// The skin keys as text, read in the order "RColor", "GColor", "BColor", "Path".
struct SkinKeys {
  Text red, green, blue;
  Text skinName;
};
SkinKeys LoadSkinKeys(ProfileStore& store);

// A colour value: its leading decimal number after optional blanks and sign
// ("12px" gives 12). Missing or non-numeric text gives 0; numbers beyond the
// byte range are held at its ends, so "300" gives 255 and "-5" gives 0,
// instead of wrapping into an unrelated colour.
std::uint8_t ParseColorComponent(TextView text);
Rgb ParseUiTextColor(const SkinKeys& keys);

// "%d".
Text FormatDecimal(int value);

// After the skin chooser's OK: "RColor", "GColor", "BColor", then "Path", in
// one write of the file.
bool SaveSkinChoice(ProfileStore& store, Rgb color, TextView skinName);

}  // namespace px

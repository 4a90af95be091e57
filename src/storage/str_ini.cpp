#include "storage/str_ini.h"

#include <algorithm>
#include <string>
#include <vector>

namespace px {

Text ReadLanguageCode(ProfileStore& store) { return store.Read(kSkinsSection, kLanguageKey); }

LabelSet LoadLabels(ProfileStore& store, Language language) {
  const TextView section = LabelSectionName(language);
  LabelSet labels;
  for (std::size_t i = 0; i < kLabelKeys.size(); ++i) SetLabel(labels, i, store.Read(section, kLabelKeys[i]));
  return labels;
}

namespace {

std::vector<ProfileEntry> LabelEntries(Language language, const LabelSet& labels) {
  const Text section(LabelSectionName(language));
  std::vector<ProfileEntry> entries;
  for (std::size_t i = 0; i < kLabelKeys.size(); ++i) {
    Text value = labels[i];
    std::ranges::replace(value, u'\r', u' ');
    std::ranges::replace(value, u'\n', u' ');
    entries.push_back({section, Text(kLabelKeys[i]), std::move(value)});
  }
  return entries;
}

}  // namespace

bool SaveLabels(ProfileStore& store, Language language, const LabelSet& labels) {
  return store.WriteAll(LabelEntries(language, labels));
}

bool StageLabels(ProfileStore& store, Language language, const LabelSet& labels, std::string_view tag) {
  return store.StageAll(LabelEntries(language, labels), tag);
}

SkinKeys LoadSkinKeys(ProfileStore& store) {
  SkinKeys keys;
  keys.red = store.Read(kSkinsSection, kRedKey);
  keys.green = store.Read(kSkinsSection, kGreenKey);
  keys.blue = store.Read(kSkinsSection, kBlueKey);
  keys.skinName = store.Read(kSkinsSection, kSkinNameKey);
  return keys;
}

std::uint8_t ParseColorComponent(TextView text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min(value * 10 + (text[i] - u'0'), 1000L);  // anything above 255 is 255
  }
  if (negative) return 0;
  return static_cast<std::uint8_t>(std::min(value, 255L));
}

Rgb ParseUiTextColor(const SkinKeys& keys) {
  return {ParseColorComponent(keys.red), ParseColorComponent(keys.green), ParseColorComponent(keys.blue)};
}

Text FormatDecimal(int value) { return FromUtf8(std::to_string(value)); }

bool SaveSkinChoice(ProfileStore& store, Rgb color, TextView skinName) {
  const Text section(kSkinsSection);
  const ProfileEntry entries[] = {
      {section, Text(kRedKey), FormatDecimal(color.red)},
      {section, Text(kGreenKey), FormatDecimal(color.green)},
      {section, Text(kBlueKey), FormatDecimal(color.blue)},
      {section, Text(kSkinNameKey), Text(skinName)},
  };
  return store.WriteAll(entries);
}

}  // namespace px

#include "skin/ui_font.h"

#include <algorithm>
#include <array>
#include <utility>

namespace px {
namespace {

constexpr int kNormalWeight = 400;
constexpr int kHeadingWeight = 700;
constexpr int kHeadingHeight = 18;
constexpr std::uint8_t kSwissDefaultPitch = 0x20;

// Simplified Chinese takes 黑体 only on Windows 8 (version 6.2); elsewhere 宋体.
enum class VersionRule { Any, Windows8Only };

struct FontRow {
  Language language;
  VersionRule rule;
  TextView face;
  int height;
  TextView headingFace;
};

constexpr std::array<FontRow, 4> kFontTable = {{
    {Language::SimplifiedChinese, VersionRule::Windows8Only, u"黑体", 13, u"黑体"},
    {Language::SimplifiedChinese, VersionRule::Any, u"宋体", 13, u"宋体"},
    {Language::TraditionalChinese, VersionRule::Any, u"黑体", 14, u"黑体"},
    {Language::English, VersionRule::Any, u"Arial", 14, u"Tahoma"},
}};

bool Matches(const FontRow& row, Language language, WindowsVersion version) {
  if (row.language != language) return false;
  return row.rule == VersionRule::Any || (version.major == 6 && version.minor == 2);
}

}  // namespace

WindowsVersion VersionFromGetVersion(std::uint32_t value) {
  return {value & 0xFFu, (value >> 8) & 0xFFu};
}

UiFontChoice ChooseUiFont(Language language, FontRole role, WindowsVersion version) {
  const FontRow* chosen = &kFontTable.back();
  for (const FontRow& row : kFontTable) {
    if (Matches(row, language, version)) {
      chosen = &row;
      break;
    }
  }
  UiFontChoice font;
  font.pitchAndFamily = kSwissDefaultPitch;
  if (role == FontRole::Heading) {
    font.face = chosen->headingFace;
    font.height = kHeadingHeight;
    font.weight = kHeadingWeight;
  } else {
    font.face = chosen->face;
    font.height = chosen->height;
    font.weight = kNormalWeight;
  }
  return font;
}

StandInFont StandInFor(const UiFontChoice& choice) {
  static constexpr std::array<std::pair<TextView, TextView>, 4> kStandIns{{
      {u"Arial", u"Liberation Sans"},
      {u"Tahoma", u"DejaVu Sans Condensed"},
      {u"宋体", u"WenQuanYi Micro Hei"},
      {u"黑体", u"WenQuanYi Micro Hei"},
  }};
  StandInFont font{choice.face, 1, choice.weight >= 700};
  for (const auto& [face, family] : kStandIns) {
    if (face == choice.face) font.family = family;
  }
  // Windows takes a positive height as the cell height (ascent + descent);
  // for these faces the cell is about 1.15 em.
  font.emPixels = std::max(1, (choice.height * 100 + 57) / 115);
  return font;
}

}  // namespace px

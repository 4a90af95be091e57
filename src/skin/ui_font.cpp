#include "skin/ui_font.h"

#include <array>

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

}  // namespace px

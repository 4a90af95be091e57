#include "skin/qt/ui_font_qt.h"

#include <algorithm>
#include <array>
#include <utility>

#include "common/qt/qt_text.h"

namespace px {
namespace {

constexpr std::array<std::pair<TextView, const char*>, 4> kStandIns{{
    {u"Arial", "Liberation Sans"},
    {u"Tahoma", "DejaVu Sans Condensed"},
    {u"宋体", "WenQuanYi Micro Hei"},
    {u"黑体", "WenQuanYi Micro Hei"},
}};

}  // namespace

QString FontFamilyFor(TextView windowsFace) {
  for (const auto& [face, family] : kStandIns) {
    if (face == windowsFace) return QString::fromUtf8(family);
  }
  return ToQString(windowsFace);
}

QFont UiFontQt(Language language, FontRole role) {
  // Linux has no Windows version: the table's rule for other systems holds.
  const UiFontChoice choice = ChooseUiFont(language, role, WindowsVersion{});
  QFont font(FontFamilyFor(choice.face));
  // Windows takes a positive height as the cell height (ascent + descent);
  // Qt sizes the em. For these faces the cell is about 1.15 em.
  font.setPixelSize(std::max(1, (choice.height * 100 + 57) / 115));
  font.setWeight(choice.weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  // Whole-pixel advances, as GDI lays text out: widths then match Windows.
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace px

#include "skin/qt/ui_font_qt.h"

#include "common/qt/qt_text.h"

namespace px {

QFont UiFontQt(Language language, FontRole role) {
  // Linux has no Windows version: the table's rule for other systems holds.
  const StandInFont choice = StandInFor(ChooseUiFont(language, role, WindowsVersion{}));
  QFont font(ToQString(choice.family));
  font.setPixelSize(choice.emPixels);
  font.setWeight(choice.bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  // Whole-pixel advances, as GDI lays text out: widths then match Windows.
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace px

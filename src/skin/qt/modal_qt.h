#pragma once
// The modal boxes a Qt view opens over itself, for the page and the small
// dialogs alike: the message box with its OK button, and the system colour
// chooser opening on the colour both systems start from.
#include <QColorDialog>
#include <QMessageBox>

#include <optional>

#include "common/qt/qt_text.h"
#include "skin/color_chooser.h"
#include "skin/qt/qt_draw.h"

namespace px {

inline void ShowMessageQt(QWidget* owner, TextView text, TextView caption) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), QMessageBox::Ok, owner);
  box.exec();
}

// Nothing when the chooser ends without OK.
inline std::optional<Rgb> RunColorChooserQt(QWidget* owner) {
  QColorDialog chooser(ToQColor(kColorChooserStart), owner);
  if (chooser.exec() != QDialog::Accepted) return std::nullopt;
  return RgbOfQColor(chooser.selectedColor());
}

}  // namespace px

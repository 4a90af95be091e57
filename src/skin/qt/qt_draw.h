#pragma once
// What the page's and the small dialogs' Qt views share: the core's
// rectangle, colour, text format and keys in Qt's terms, and a child's removal.
#include <QColor>
#include <QRect>
#include <QWidget>
#include <Qt>

#include <cstdint>

#include "common/color.h"
#include "common/geometry.h"
#include "skin/text_format.h"
#include "skin/ui_key.h"

namespace px {

inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
inline QColor ToQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }
inline Rgb RgbOfQColor(const QColor& c) {
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()), static_cast<std::uint8_t>(c.blue())};
}

// QPainter::drawText's flags: one line, vertically centred, clipped at the
// rectangle unless whole.
inline int QtTextFlags(TextFormat format) {
  Qt::Alignment align = Qt::AlignHCenter;
  if (format.align == TextAlign::Left) align = Qt::AlignLeft;
  if (format.align == TextAlign::Right) align = Qt::AlignRight;
  return static_cast<int>(align | Qt::AlignVCenter) | Qt::TextSingleLine | (format.whole ? Qt::TextDontClip : 0);
}

inline UiKey UiKeyOfQt(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return UiKey::Enter;
  return key == Qt::Key_Escape ? UiKey::Escape : UiKey::Other;
}

// Gone from sight now, deleted later: the child may be the one whose event
// is running.
inline void RetireWidget(QWidget* widget) {
  if (widget == nullptr) return;
  widget->hide();
  widget->deleteLater();
}

}  // namespace px

#pragma once
// The pairing of presses fed from Qt's events, with the desktop's own limits.
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

#include "skin/double_click.h"

namespace px {

inline DoubleClickLimits DoubleClickLimitsQt() {
  const QStyleHints* hints = QGuiApplication::styleHints();
  return {static_cast<std::uint64_t>(hints->mouseDoubleClickInterval()), hints->mouseDoubleClickDistance()};
}

inline PressEvent PressEventQt(const void* target, const QMouseEvent& event) {
  const QPoint at = event.globalPosition().toPoint();
  return {target, event.timestamp(), at.x(), at.y()};
}

}  // namespace px

#include "buttons/qt/key_names_qt.h"

#include <QKeySequence>

#include "common/qt/qt_text.h"
#include "buttons/key_capture.h"

namespace px {
namespace {

// X11 and Wayland (xkb) number keys from 8 up: the kernel's code plus 8.
constexpr quint32 kXkbOffset = 8;

}  // namespace

Text KeyNameOfQtKey(const QKeyEvent& event) {
  const quint32 native = event.nativeScanCode();
  if (native > kXkbOffset) {
    const TextView name = KeyNameOfLinuxKeyCode(native - kXkbOffset);
    if (!name.empty()) return Text(name);
  }
  if (event.key() == 0 || event.key() == Qt::Key_unknown) return {};
  const QString own = QKeySequence(event.key()).toString(QKeySequence::NativeText);
  return TextOfQString(own);
}

}  // namespace px

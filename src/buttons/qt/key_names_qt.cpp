#include "buttons/qt/key_names_qt.h"

#include <QKeySequence>
#include <QMetaEnum>

#include "buttons/linux_key_names.h"
#include "common/qt/qt_text.h"

namespace px {
namespace {

// X11 and Wayland (xkb) number keys from 8 up: the kernel's code plus 8.
constexpr quint32 kXkbOffset = 8;

// Qt names keys it has no word for by their key value taken as a character,
// which for AltGr, Compose, Mode_switch, the dead keys... is no character at
// all. Those get the name Qt's own enumeration gives them ("Key_Dead_Grave"
// is "Dead Grave"), Compose its everyday name.
QString NameOfQtKey(int key) {
  if (key == Qt::Key_Multi_key) return QStringLiteral("Compose");
  const QString text = QKeySequence(key).toString(QKeySequence::NativeText);
  if (!ReadableKeyName(TextOfQString(text)).empty()) return text;
  const char* enumerated = QMetaEnum::fromType<Qt::Key>().valueToKey(key);
  if (enumerated == nullptr) return {};
  QString name = QString::fromLatin1(enumerated);
  if (name.startsWith(QLatin1String("Key_"))) name.remove(0, 4);
  return name.replace(QLatin1Char('_'), QLatin1Char(' '));
}

}  // namespace

Text KeyNameOfQtKey(const QKeyEvent& event) {
  const quint32 native = event.nativeScanCode();
  if (native > kXkbOffset) {
    const TextView name = KeyNameOfLinuxKeyCode(native - kXkbOffset);
    if (!name.empty()) return Text(name);
  }
  if (event.key() == 0 || event.key() == Qt::Key_unknown) return {};
  return ReadableKeyName(TextOfQString(NameOfQtKey(event.key())));
}

}  // namespace px

#include "buttons/qt/key_names_qt.h"

#include <QKeySequence>
#include <QMetaEnum>

#include "buttons/linux_key_names.h"
#include "common/qt/qt_text.h"

namespace px {
namespace {

// Qt names keys it has no word for by their key value taken as a character,
// which for AltGr, Compose, Mode_switch, the dead keys... is no character at
// all. Those get the name Qt's own enumeration gives them, Compose its
// everyday name.
QString NameOfQtKey(int key) {
  if (key == Qt::Key_Multi_key) return QStringLiteral("Compose");
  const QString text = QKeySequence(key).toString(QKeySequence::NativeText);
  if (!ReadableKeyName(TextOfQString(text)).empty()) return text;
  const char* enumerated = QMetaEnum::fromType<Qt::Key>().valueToKey(key);
  return enumerated == nullptr ? QString() : ToQString(KeyNameOfEnumerator(enumerated));
}

}  // namespace

Text KeyNameOfQtKey(const QKeyEvent& event) {
  const TextView name = KeyNameOfXkbKeyCode(event.nativeScanCode());
  if (!name.empty()) return Text(name);
  if (event.key() == 0 || event.key() == Qt::Key_unknown) return {};
  return ReadableKeyName(TextOfQString(NameOfQtKey(event.key())));
}

}  // namespace px

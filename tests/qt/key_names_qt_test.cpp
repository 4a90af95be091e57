// Keys the key table lacks and Qt has no text for get a readable name or none.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMetaEnum>

#include "buttons/qt/key_names_qt.h"
#include "common/printable_text.h"

namespace px {
namespace {

Text NameOf(int key, quint32 scanCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  return KeyNameOfQtKey(QKeyEvent(QEvent::KeyPress, key, modifiers, scanCode, 0, 0));
}

TEST(QtKeyNames, KeysWithoutQtTextGetTheirQtKeyListName) {
  EXPECT_EQ(NameOf(Qt::Key_AltGr, 135), u"AltGr");  // Menu as AltGr, a common keyboard option
  EXPECT_EQ(NameOf(Qt::Key_Multi_key, 135), u"Compose");
  EXPECT_EQ(NameOf(Qt::Key_Mode_switch, 0), u"Mode switch");
  EXPECT_EQ(NameOf(Qt::Key_Dead_Grave, 0), u"Dead Grave");
  EXPECT_EQ(NameOf(Qt::Key_VolumeUp, 123), u"Volume Up");  // Qt's own text where it has one
}

TEST(QtKeyNames, EveryQtKeyAndScanCodeGivesPrintableTextOrNothing) {
  const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
  for (Qt::KeyboardModifiers state : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
                                      Qt::AltModifier | Qt::ControlModifier, Qt::KeyboardModifiers(Qt::GroupSwitchModifier)}) {
    for (int i = 0; i < keys.keyCount(); ++i) EXPECT_TRUE(IsPrintableText(NameOf(keys.value(i), 0, state))) << keys.key(i);
    for (int key : {0x1001104, 0x100fffe, 0x110000, 0x1fffffe}) EXPECT_TRUE(IsPrintableText(NameOf(key, 0, state))) << key;
    for (quint32 scanCode = 0; scanCode < 256; ++scanCode) {
      for (int key : {0, int(Qt::Key_AltGr), int(Qt::Key_A)}) EXPECT_TRUE(IsPrintableText(NameOf(key, scanCode, state)));
    }
  }
}

}  // namespace
}  // namespace px

// Names of keys the key table lacks, as Qt reports them: readable text or
// none, never the code points Qt makes of keys it has no text for.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMetaEnum>

#include "buttons/qt/key_names_qt.h"
#include "common/printable_text.h"

namespace px {
namespace {

Text NameOf(int key, quint32 scanCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0);
  return KeyNameOfQtKey(event);
}

TEST(QtKeyNames, KeysWithoutQtTextGetTheirQtKeyListName) {
  struct Case {
    Qt::Key key;
    quint32 scanCode;  // a key the table lacks, as X11 and Wayland report it
    TextView name;
  };
  const Case cases[] = {
      {Qt::Key_AltGr, 135, u"AltGr"},            // Menu as AltGr, a common keyboard option
      {Qt::Key_AltGr, 0, u"AltGr"},
      {Qt::Key_Multi_key, 135, u"Compose"},
      {Qt::Key_Mode_switch, 0, u"Mode switch"},
      {Qt::Key_Dead_Grave, 0, u"Dead Grave"},
      {Qt::Key_Dead_Abovering, 0, u"Dead Abovering"},
      {Qt::Key_Super_L, 0, u"Super L"},
      {Qt::Key_VolumeUp, 123, u"Volume Up"},     // Qt's own text where it has one
      {Qt::Key_Menu, 135, u"Menu"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameOf(c.key, c.scanCode), c.name) << c.key;
}

TEST(QtKeyNames, EveryQtKeyAndScanCodeGivesPrintableTextOrNothing) {
  const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
  const Qt::KeyboardModifiers states[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::AltModifier | Qt::ControlModifier,
                                          Qt::GroupSwitchModifier};
  for (Qt::KeyboardModifiers state : states) {
    for (int i = 0; i < keys.keyCount(); ++i) {
      const Text name = NameOf(keys.value(i), 0, state);
      EXPECT_TRUE(IsPrintableText(name)) << keys.key(i);
    }
    // Values Qt has no enumerator for, beyond Unicode included.
    for (int key : {0x1001104, 0x1001300, 0x100fffe, 0x110000, 0x1fffffe}) {
      EXPECT_TRUE(IsPrintableText(NameOf(key, 0, state))) << key;
    }
    for (quint32 scanCode = 0; scanCode < 256; ++scanCode) {
      for (int key : {0, static_cast<int>(Qt::Key_AltGr), static_cast<int>(Qt::Key_A)}) {
        EXPECT_TRUE(IsPrintableText(NameOf(key, scanCode, state))) << scanCode;
      }
    }
  }
}

}  // namespace
}  // namespace px

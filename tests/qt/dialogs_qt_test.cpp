// The Qt dialogs at their seams with Qt, on the offscreen platform: key
// events named by physical key, and the window's events reaching the frame
// (wheel notches, a click on a list entry, the shared OK / Cancel column).
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "buttons/dialog_controllers.h"
#include "buttons/qt/key_names_qt.h"
#include "skin/qt/dialog_view_qt.h"

namespace px {
namespace {

TEST(QtKeyNames, ThePhysicalKeyNamesItElseQtsOwnName) {
  struct Case {
    Qt::Key key;
    quint32 scanCode;  // as X11 and Wayland report it
    TextView name;
  };
  const Case cases[] = {
      {Qt::Key_A, 38, u"A"},
      {Qt::Key_Exclam, 10, u"1"},             // Shift+1: still the 1 key
      {Qt::Key_Return, 36, u"Enter"},
      {Qt::Key_Control, 105, u"Right Ctrl"},
      {Qt::Key_End, 87, u"Num 1"},            // the keypad's 1 without Num Lock
      {Qt::Key_Menu, 135, u"Menu"},           // no table name: Qt's, which sends nothing
      {Qt::Key_unknown, 0, u""},
  };
  for (const Case& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, Qt::NoModifier, c.scanCode, 0, 0);
    EXPECT_EQ(KeyNameOfQtKey(event), c.name) << c.scanCode;
  }
}

TEST(QtDialogView, WheelNotchesAClickedEntryAndTheSharedColumnReachTheFrame) {
  const DialogContext context{FromUtf8(PX_SOURCE_DIR "/skins/Default"), Language::English, UiTextColor{230, 230, 230}};
  QtDialogView view(nullptr);
  ListDialogController snipe(DialogKind::Snipe, view, context, 0);
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(view.size(), QSize(384, 280));
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(140, 113));
    auto* list = view.findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    // Four quarter notches of a fine wheel make one notch: three lines.
    auto quarterNotch = [&] {
      QWheelEvent wheel(QPointF(300, 150), view.mapToGlobal(QPointF(300, 150)), QPoint(), QPoint(0, -30),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(&view, &wheel);
    };
    quarterNotch();
    quarterNotch();
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
    quarterNotch();
    quarterNotch();
    EXPECT_EQ(list->verticalScrollBar()->value(), 3);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(5)).center());
    EXPECT_EQ(snipe.ChosenIndex(), 5);
    EXPECT_EQ(snipe.ChosenText(), u"1500");
    EXPECT_FALSE(view.ListExists());
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(270, 263));
  });
  EXPECT_EQ(view.RunModal(snipe), DialogEnd::Cancel);  // OK, then Cancel: the later end
}

// A left button event at a client point and time (milliseconds), as the
// system delivers it.
void Mouse(QWidget& widget, QEvent::Type type, QPoint at, quint64 time) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
  event.setTimestamp(time);
  QApplication::sendEvent(&widget, &event);
}

TEST(QtDialogView, ADoubleClickIsOneClickOfTheFrameWhenBothClicksCameToIt) {
  const DialogContext context{FromUtf8(PX_SOURCE_DIR "/skins/Default"), Language::English, UiTextColor{230, 230, 230}};
  const QPoint dropdown(140, 136);
  KindState(DialogKind::HotKey) = {};
  QtDialogView view(nullptr);
  ListDialogController hot(DialogKind::HotKey, view, context);
  QTimer::singleShot(0, [&] {
    // A first event that is a double click: its first click went to another
    // window (the dialog before this one), so it is a click here.
    Mouse(view, QEvent::MouseButtonDblClick, dropdown, 1000);
    Mouse(view, QEvent::MouseButtonRelease, dropdown, 1000);
    EXPECT_TRUE(view.ListExists());
    Mouse(view, QEvent::MouseButtonPress, dropdown, 5000);  // closes it
    Mouse(view, QEvent::MouseButtonRelease, dropdown, 5000);
    EXPECT_FALSE(view.ListExists());
    // Both clicks on the drop-down: the list opens and stays open.
    Mouse(view, QEvent::MouseButtonPress, dropdown, 9000);
    Mouse(view, QEvent::MouseButtonRelease, dropdown, 9000);
    Mouse(view, QEvent::MouseButtonDblClick, dropdown, 9100);
    Mouse(view, QEvent::MouseButtonRelease, dropdown, 9100);
    EXPECT_TRUE(view.ListExists());
    EXPECT_TRUE(KindState(DialogKind::HotKey).listOpen);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(320, 263));
  });
  EXPECT_EQ(view.RunModal(hot), DialogEnd::Cancel);
  KindState(DialogKind::HotKey) = {};
}

TEST(QtDialogView, ListsAreAsHighAsTheWindowsListBoxes) {
  // As the Windows list boxes measure: whole rows of the template's 16-pixel
  // font; the fire key's list, whose scroll bar appears, whole rows of the
  // dialog font (14 pixels, 13 in Simplified Chinese).
  struct Case {
    DialogKind kind;
    Language language;
    int height;
  };
  const Case cases[] = {
      {DialogKind::Windows, Language::English, 146}, {DialogKind::Windows, Language::SimplifiedChinese, 146},
      {DialogKind::Snipe, Language::English, 130},   {DialogKind::Snipe, Language::SimplifiedChinese, 130},
      {DialogKind::HotKey, Language::English, 114},  {DialogKind::Media, Language::SimplifiedChinese, 114},
      {DialogKind::FireKey, Language::English, 156}, {DialogKind::FireKey, Language::SimplifiedChinese, 158},
  };
  for (const Case& c : cases) {
    KindState(c.kind) = {};
    const DialogContext context{FromUtf8(PX_SOURCE_DIR "/skins/Default"), c.language, UiTextColor{230, 230, 230}};
    QtDialogView view(nullptr);
    std::unique_ptr<DialogController> controller;
    if (c.kind == DialogKind::FireKey) {
      controller = std::make_unique<FireKeyController>(view, context);
    } else {
      controller = std::make_unique<ListDialogController>(c.kind, view, context, 0);
    }
    const Rect& dropdown = FrameSpec(c.kind).dropdown;
    QTimer::singleShot(0, [&] {
      QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(dropdown.left + 2, dropdown.top + 2));
      auto* list = view.findChild<QListWidget*>();
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(list->height(), c.height) << static_cast<int>(c.kind) << " " << static_cast<int>(c.language);
      QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(360, 14));
    });
    EXPECT_EQ(view.RunModal(*controller), DialogEnd::Cancel);
    KindState(c.kind) = {};
  }
}

}  // namespace
}  // namespace px

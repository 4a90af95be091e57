// What the Qt dialogs show: every pixel of each window painted (nothing of
// the window below shows through), and the colour choosers opening on the
// colour their Windows twins open on.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QColorDialog>
#include <QImage>
#include <QTimer>

#include "buttons/dialog_controllers.h"
#include "buttons/qt/key_names_qt.h"
#include "page/qt/page_view_qt.h"
#include "skin/color_chooser.h"
#include "skin/qt/dialog_view_qt.h"
#include "skin/qt/qt_draw.h"
#include "skin/qt/ui_font_qt.h"
#include "skin/skin_chooser_controller.h"
#include "storage/file_system.h"
#include "qt_wait.h"

namespace px {
namespace {

const Text kDefaultSkin = FromUtf8(PX_SOURCE_DIR "/skins/Default");

std::unique_ptr<DialogController> ControllerFor(DialogKind kind, QtDialogView& view, const DialogContext& context,
                                                FolderSearchPort& search) {
  switch (kind) {
    case DialogKind::FireKey: return std::make_unique<FireKeyController>(view, context);
    case DialogKind::Single: return std::make_unique<SingleKeyController>(view, context);
    case DialogKind::Skins:
      return std::make_unique<SkinChooserController>(view, context, u"Default", FromUtf8(PX_SOURCE_DIR "/skins"), search,
                                                     SystemFileSystem());
    default: return std::make_unique<ListDialogController>(kind, view, context, 0);
  }
}

// Where nothing paints the window: rendered without the window's own
// background onto a transparent picture, those pixels stay transparent.
QRect Unpainted(QWidget& window) {
  QImage picture(window.size(), QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  window.render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
  QRect where;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) where |= qAlpha(picture.pixel(x, y)) == 255 ? QRect() : QRect(x, y, 1, 1);
  }
  return where;
}

TEST(QtDialogLooks, EveryDialogPaintsItsWholeWindow) {
  StdFolderSearch search;
  for (DialogKind kind : {DialogKind::FireKey, DialogKind::HotKey, DialogKind::Media, DialogKind::Single,
                          DialogKind::Skins, DialogKind::Snipe, DialogKind::Windows}) {
    KindState(kind) = {};
    const DialogContext context{kDefaultSkin, Language::English, UiTextColor{230, 230, 230}};
    QtDialogView view(nullptr);
    view.SetKeyNamer([](const QKeyEvent& event) { return KeyNameOfQtKey(event); });
    const std::unique_ptr<DialogController> controller = ControllerFor(kind, view, context, search);
    QTimer::singleShot(0, [&] {
      const QRect where = Unpainted(view);
      EXPECT_TRUE(where.isEmpty()) << static_cast<int>(kind) << ": unpainted in x " << where.left() << ".."
                                   << where.right() << ", y " << where.top() << ".." << where.bottom();
      controller->Cancel();
    });
    EXPECT_EQ(view.RunModal(*controller), DialogEnd::Cancel);
    KindState(kind) = {};
  }
}

// Opens a colour chooser through `run`, reads the colour it opened on and
// cancels it.
QColor StartColourOf(const std::function<void()>& run) {
  QColor seen;
  QTimer::singleShot(0, [&] {
    QColorDialog* chooser = nullptr;
    ASSERT_TRUE(testing::ProcessEventsUntil(
        [&] { return (chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) != nullptr; }));
    seen = chooser->currentColor();
    chooser->reject();
  });
  run();
  return seen;
}

TEST(QtDialogLooks, BothColourChoosersOpenOnTheColourTheWindowsOnesOpenOn) {
  const QColor start(kColorChooserStart.red, kColorChooserStart.green, kColorChooserStart.blue);

  QtDialogView view(nullptr);
  EXPECT_EQ(StartColourOf([&] { EXPECT_FALSE(view.RunColorChooser()); }).name(), start.name()) << "skin chooser";

  QWidget window;
  QImage canvas(880, 660, QImage::Format_RGB32);
  Text skinFolder = kDefaultSkin;
  UiTextColor textColor{230, 230, 230};
  const QFont font = UiFontQt(Language::English, FontRole::Body);
  SettingsModel model{};
  PageQtView page{window, {canvas, skinFolder, textColor, font, font, model}, {}};
  EXPECT_EQ(StartColourOf([&] { EXPECT_FALSE(page.RunColorChooser()); }).name(), start.name()) << "DPI swatch";
}

// The one text format in QPainter's words, for the page and the dialogs.
TEST(QtDraw, EachFormatHasItsTextFlags) {
  const int line = Qt::AlignVCenter | Qt::TextSingleLine;
  const struct {
    TextFormat format;
    int flags;
  } cases[] = {
      {kCentredText, Qt::AlignHCenter | line},
      {kWholeCentredText, Qt::AlignHCenter | line | Qt::TextDontClip},
      {kLeftText, Qt::AlignLeft | line},
      {kWholeLeftText, Qt::AlignLeft | line | Qt::TextDontClip},
      {kRightText, Qt::AlignRight | line},
      {kWholeRightText, Qt::AlignRight | line | Qt::TextDontClip},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QtTextFlags(c.format), c.flags) << static_cast<int>(c.format.align) << " " << c.format.whole;
  }
}

}  // namespace
}  // namespace px

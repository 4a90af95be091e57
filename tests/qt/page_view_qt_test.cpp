// The page's Qt view at its seams: drawing lands on the canvas from pictures
// decoded once per skin; the lists behave as Win32 list boxes for the page
// (a move reports, a click chooses, entries in client coordinates); the
// labels follow the window's colour rule.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>

#include <array>

#include "page/control_colors.h"
#include "page/page_layout.h"
#include "skin/qt/list_box_qt.h"
#include "page/qt/page_view_qt.h"
#include "skin/qt/skin_images_qt.h"
#include "skin/qt/ui_font_qt.h"

namespace px {
namespace {

const Text kDefaultSkin = FromUtf8(PX_SOURCE_DIR "/skins/Default");
const Text kCrimsonSkin = FromUtf8(PX_SOURCE_DIR "/skins/Crimson");

struct ViewFixture {
  QWidget window;
  QImage canvas{880, 660, QImage::Format_RGB32};
  Text skinFolder = kDefaultSkin;
  UiTextColor textColor{230, 230, 230};
  QFont body = UiFontQt(Language::English, FontRole::Body);
  QFont heading = UiFontQt(Language::English, FontRole::Heading);
  SettingsModel model{};
  std::vector<std::string> events;
  PageQtView view{window, {canvas, skinFolder, textColor, body, heading, model},
                  {.listChosen = [this](int id) { events.push_back("chosen " + std::to_string(id)); },
                   .pointerOverList =
                       [this](int id, int item) {
                         events.push_back("over " + std::to_string(id) + " " + std::to_string(item));
                       },
                   .hover = {},
                   .drag = {}}};
  ViewFixture() {
    canvas.fill(Qt::black);
    window.resize(880, 660);
  }
};

void Mouse(QWidget* target, QEvent::Type type, QPoint at) {
  QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

TEST(PageQtViewTest, PicturesLandOnTheCanvasAndAreDecodedOncePerSkin) {
  ViewFixture f;
  const QImage button = QtSkinImages().Get(kDefaultSkin + u"/button-normal.png");
  ASSERT_FALSE(button.isNull());
  for (int i = 0; i < 3; ++i) {
    f.view.BeginDrawing();
    f.view.DrawImage(u"/button-normal.png", {562, 623});
    f.view.DrawImage(u"/button-over.png", {666, 623});
    f.view.CopyToScreen();
  }
  EXPECT_EQ(f.view.Images().Count(), 2u);
  const QPoint inside(button.width() / 2, button.height() / 2);
  EXPECT_EQ(f.canvas.pixel(QPoint(562, 623) + inside) & 0xFFFFFF,
            button.convertToFormat(QImage::Format_RGB32).pixel(inside) & 0xFFFFFF);
  EXPECT_EQ(f.canvas.pixel(500, 600) & 0xFFFFFF, 0u);  // untouched elsewhere

  f.skinFolder = kCrimsonSkin;  // another skin: its own pictures
  f.view.BeginDrawing();
  f.view.DrawImage(u"/button-normal.png", {562, 623});
  f.view.CopyToScreen();
  EXPECT_EQ(f.view.Images().Count(), 1u);
}

// A rebuild (the same skin chosen again, a restore after Cancel) reads the
// skin's files again, as the Windows page does: a picture edited in place shows.
TEST(PageQtViewTest, ARebuildReadsTheSkinsPicturesAgain) {
  QTemporaryDir skin;
  ASSERT_TRUE(skin.isValid());
  const QString button = skin.filePath(QStringLiteral("button-normal.png"));
  auto install = [&](const Text& from) {
    QFile::remove(button);
    return QFile::copy(QString::fromStdString(ToUtf8(from + u"/button-normal.png")), button);
  };
  ASSERT_TRUE(install(kDefaultSkin));
  ViewFixture f;
  f.skinFolder = FromUtf8(skin.path().toStdString());
  auto drawnCentre = [&] {
    f.view.BeginDrawing();
    f.view.DrawImage(u"/button-normal.png", {562, 623});
    f.view.CopyToScreen();
    return f.canvas.pixel(562 + 50, 623 + 10) & 0xFFFFFF;
  };
  const QRgb before = drawnCentre();
  ASSERT_TRUE(install(kCrimsonSkin));
  const QImage replaced = QtSkinImages().Get(f.skinFolder + u"/button-normal.png");
  const QRgb edited = replaced.convertToFormat(QImage::Format_RGB32).pixel(50, 10) & 0xFFFFFF;
  ASSERT_NE(before, edited);
  f.view.BeginRebuild();
  f.view.EndRebuild();
  EXPECT_EQ(drawnCentre(), edited);
}

TEST(PageQtViewTest, AMoveReportsAnEntryAndAClickChoosesIt) {
  ViewFixture f;
  const std::array<TextView, 4> items{u"one", u"two", u"three", u"four"};
  const Rect rect = layout::kButtonLists[0];
  f.view.CreateList(41, rect, items);
  QtListBox* list = f.view.List(41);
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(f.view.ListSelection(41));

  const std::optional<Rect> second = f.view.ListItemRect(41, 1);
  ASSERT_TRUE(second);
  // In the list's client area: as wide as the list inside its one-pixel border.
  EXPECT_EQ(second->left, 0);
  EXPECT_EQ(second->right, rect.right - rect.left - 2);
  EXPECT_GT(second->top, 0);

  // A move reports the entry; making it the selection is the page's call.
  Mouse(list->viewport(), QEvent::MouseMove, QPoint(10, second->top + 2));
  EXPECT_EQ(f.events, (std::vector<std::string>{"over 41 1"}));
  EXPECT_FALSE(f.view.ListSelection(41));
  f.view.SetListSelection(41, 1);
  EXPECT_EQ(f.view.ListSelection(41), 1);

  const Rect third = *f.view.ListItemRect(41, 2);
  Mouse(list->viewport(), QEvent::MouseButtonPress, QPoint(10, third.top + 2));
  EXPECT_EQ(f.events.size(), 1u);  // nothing chosen on the press
  Mouse(list->viewport(), QEvent::MouseButtonRelease, QPoint(10, third.top + 2));
  EXPECT_EQ(f.view.ListSelection(41), 2);
  EXPECT_EQ(f.events.back(), "chosen 41");

  f.view.DestroyControl(41);
  EXPECT_FALSE(f.view.ListExists(41));
  EXPECT_FALSE(f.view.ListItemRect(41, 0));
}

// As the Windows page shows them: each list keeps the whole 16-pixel rows of
// the font it is created in, inside its border; the top and width stay.
TEST(PageQtViewTest, ListsKeepTheWholeRowsOfTheirCreationFont) {
  struct Case {
    int id;
    Rect rect;
    int height;
  };
  const std::array<Case, 5> cases{{{44, layout::kButtonLists[3], 226},
                                   {control_id::kDpiSubList, {464, 360, 524, 420}, 50},
                                   {control_id::kModeList, layout::kLightingRows[0].list, 50},
                                   {control_id::kParameterList, layout::kLightingRows[1].list, 162},
                                   {control_id::kEffectList, layout::kLightingRows[2].list, 34}}};
  ViewFixture f;
  const std::array<TextView, 3> items{u"one", u"two", u"three"};
  for (const Case& c : cases) {
    f.view.CreateList(c.id, c.rect, items);
    const QRect geometry = f.view.List(c.id)->geometry();
    EXPECT_EQ(geometry, QRect(c.rect.left, c.rect.top, c.rect.right - c.rect.left, c.height)) << c.id;
  }
}

TEST(PageQtViewTest, LabelsFollowTheColourRule) {
  ViewFixture f;
  f.model.DpiStageColor[0] = Rgb{10, 20, 30};
  f.view.CreateStatic({control_id::SwatchOf(1), layout::Swatch(1), u"", false, false});
  f.textColor = UiTextColor{0, 0, 0};  // black text on the black lighting labels would vanish
  f.view.CreateStatic({control_id::kModeLabel, layout::kLightingRows[0].dropdown, u"Standard", true, true});
  QLabel* swatch = f.view.Static(control_id::SwatchOf(1));
  QLabel* mode = f.view.Static(control_id::kModeLabel);
  ASSERT_NE(swatch, nullptr);
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(10, 20, 30));
  EXPECT_EQ(mode->palette().color(QPalette::Window), QColor(Qt::black));
  EXPECT_EQ(mode->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(mode->text(), "Standard");

  f.model.DpiStageColor[0] = Rgb{200, 0, 0};
  f.view.InvalidateControl(control_id::SwatchOf(1));
  EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(200, 0, 0));
}

}  // namespace
}  // namespace px

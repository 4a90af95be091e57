// The Qt windows on a scaled screen: the shipped skin's doubled pictures
// decode at a ratio of 2 within the skin's budget, the page draws from them
// at device pixels, and pictures side by side leave no seam at 1.25 or 1.5.
#include <gtest/gtest.h>

#include <QWidget>

#include "page/qt/page_view_qt.h"
#include "skin/qt/canvas_qt.h"
#include "skin/qt/skin_images_qt.h"
#include "skin/qt/ui_font_qt.h"
#include "skin/skin_image_set.h"

namespace px {
namespace {

const Text kDefaultSkin = FromUtf8(PX_SOURCE_DIR "/skins/Default");

TEST(DensityQt, TheShippedSkinAtTwiceItsSizeFitsItsBudget) {
  QtSkinImages plain(kPlainDensity);
  QtSkinImages doubled(kDoubledDensity);
  for (TextView name : kSkinImageSet) {
    const QImage& one = plain.Get(kDefaultSkin + Text(name));
    const QImage& two = doubled.Get(kDefaultSkin + Text(name));
    ASSERT_FALSE(two.isNull()) << ToUtf8(name);
    EXPECT_EQ(two.devicePixelRatio(), 2.0) << ToUtf8(name);
    EXPECT_EQ(two.size(), one.size() * 2) << ToUtf8(name);
    EXPECT_EQ(LogicalSizeQt(two), one.size()) << ToUtf8(name);
  }
  EXPECT_EQ(doubled.Bytes(), 4 * plain.Bytes());
  EXPECT_LE(doubled.Bytes(), kSkinPicturesBudget);
}

TEST(DensityQt, ThePageDrawsTheDoubledPicturesOnACanvasAtDevicePixels) {
  QWidget window;
  QImage canvas = MakeCanvasQt({880, 660}, 2.0);
  canvas.fill(Qt::black);
  const Text folder = kDefaultSkin;
  const UiTextColor color{230, 230, 230};
  const QFont body = UiFontQt(Language::English, FontRole::Body);
  const SettingsModel model{};
  PageQtView view(window, {canvas, folder, color, body, body, model}, {});
  view.BeginDrawing();
  view.DrawImage(u"/BasicSet2.png", {0, 0});
  view.CopyToScreen();
  EXPECT_EQ(view.Images().Density(), kDoubledDensity);
  const QImage picture = QtSkinImages(kDoubledDensity).Get(kDefaultSkin + u"/BasicSet2.png").convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(canvas.size(), picture.size());
  EXPECT_EQ(canvas.convertToFormat(QImage::Format_RGB32), picture);
}

TEST(DensityQt, PicturesSideBySideLeaveNoSeamAtFractionalRatios) {
  // Opaque doubled pictures of 7 x 5 logical pixels tiling a canvas of 9 x 7
  // of them: nothing of the canvas's magenta may show between them.
  QImage tile(14, 10, QImage::Format_ARGB32_Premultiplied);
  tile.fill(QColor(20, 140, 60));
  tile.setDevicePixelRatio(2.0);
  for (double ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    QImage canvas = MakeCanvasQt({63, 35}, ratio);
    canvas.fill(Qt::magenta);
    {
      QPainter painter(&canvas);
      for (int y = 0; y < 35; y += 5) {
        for (int x = 0; x < 63; x += 7) DrawPictureQt(painter, tile, {x, y}, ratio);
      }
    }
    int seams = 0;
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) seams += canvas.pixel(x, y) == QColor(Qt::magenta).rgb() ? 1 : 0;
    }
    EXPECT_EQ(seams, 0) << "at " << ratio;
  }
}

}  // namespace
}  // namespace px

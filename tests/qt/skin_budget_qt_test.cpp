// A skin of large valid pictures, made at test time: the page's pictures stop
// at the skin's budget, in memory and in time, and its 8K background asks for
// no window at all.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <fstream>
#include <string>

#include "common/qt/qt_text.h"
#include "skin/image_limits.h"
#include "skin/qt/canvas_qt.h"
#include "skin/qt/skin_images_qt.h"
#include "skin/skin_image_set.h"

namespace px {
namespace {

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
  }
  return 0;
}

// One bit a pixel: a small file, quick to write, that decodes to 4 bytes a pixel.
bool SavePicture(const QString& path, int width, int height) {
  QImage picture(width, height, QImage::Format_Mono);
  picture.setColorCount(2);
  picture.setColor(0, qRgb(0, 0, 0));
  picture.setColor(1, qRgb(200, 40, 40));
  picture.fill(1);
  return picture.save(path, "PNG");
}

TEST(SkinBudgetQt, ASkinOfLargePicturesStopsAtItsBudget) {
  QTemporaryDir skin;
  ASSERT_TRUE(skin.isValid());
  const QString large = skin.filePath(QStringLiteral("large.png"));
  ASSERT_TRUE(SavePicture(large, 2000, 2000));  // 15.3 MiB decoded: four fit in the budget
  for (TextView name : kSkinImageSet) {
    ASSERT_TRUE(QFile::copy(large, skin.path() + ToQString(name)));
  }
  QFile::remove(skin.filePath(QStringLiteral("main.png")));
  ASSERT_TRUE(SavePicture(skin.filePath(QStringLiteral("main.png")), 7680, 4320));
  const Text folder = FromUtf8(skin.path().toStdString());

  const long residentBefore = ResidentKiB();
  QElapsedTimer timer;
  timer.start();
  // An 8K background would make an 8K window: refused from its header.
  EXPECT_TRUE(LoadBackgroundCanvasQt(folder + u"/main.png", kMainWindowFrameExtent, 1.0).isNull());
  QtSkinImages images;
  int drawn = 0;
  for (int draw = 0; draw < 3; ++draw) {
    for (TextView name : kSkinImageSet) drawn += images.Get(folder + Text(name)).isNull() ? 0 : 1;
  }
  EXPECT_LT(timer.elapsed(), 5000);
  EXPECT_EQ(drawn, 3 * 4);
  EXPECT_EQ(images.Bytes(), 4u * 2000 * 2000 * 4);
  EXPECT_LE(images.Bytes(), kSkinPicturesBudget);
  EXPECT_LT(ResidentKiB() - residentBefore, static_cast<long>(kSkinPicturesBudget / 1024) + 16 * 1024);
}

}  // namespace
}  // namespace px

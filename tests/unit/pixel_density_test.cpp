// Which picture a window draws from at its device pixel ratio: the doubled
// one only when wanted and exactly twice the plain one; a window's background
// by its size limits at its density.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "skin/pixel_density.h"
#include "storage_fakes.h"

namespace px {
namespace {

FileBytes Png(PixelSize size) {
  FileBytes b{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t v : {size.width, size.height}) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
  }
  return b;
}

constexpr TextView kPane = u"/skin/Pane.png";
constexpr TextView kPaneDoubled = u"/skin/Pane@2x.png";

TEST(PixelDensity, TheDoubledPictureOnlyWhenScaledAndExactlyTwiceThePlainOne) {
  struct Case {
    const char* what;
    double ratio;
    std::optional<PixelSize> plain, doubled;
    bool notPng;  // the doubled file is no picture
    std::optional<PixelSize> read;
    int density;
    DoubledPictures from = DoubledPictures::AboveOne;
  };
  const PixelSize plain{16, 12}, twice{32, 24};
  constexpr DoubledPictures kWindows = DoubledPictures::FromOneAndAHalf;
  const Case cases[] = {
      {"unscaled", 1.0, plain, twice, false, plain, 1},
      {"twice", 2.0, plain, twice, false, twice, 2},
      {"at 1.25", 1.25, plain, twice, false, twice, 2},
      {"at 1.5", 1.5, plain, twice, false, twice, 2},
      {"below 1", 0.75, plain, twice, false, plain, 1},
      {"Windows at 1.25", 1.25, plain, twice, false, plain, 1, kWindows},
      {"Windows at 1.5", 1.5, plain, twice, false, twice, 2, kWindows},
      {"Windows at 2", 2.0, plain, twice, false, twice, 2, kWindows},
      {"no doubled picture", 2.0, plain, std::nullopt, false, plain, 1},
      {"one column short", 2.0, plain, PixelSize{31, 24}, false, plain, 1},
      {"one row too many", 2.0, plain, PixelSize{32, 25}, false, plain, 1},
      {"three times", 2.0, plain, PixelSize{48, 36}, false, plain, 1},
      {"doubled not a PNG", 2.0, plain, twice, true, plain, 1},
      {"no plain picture", 2.0, std::nullopt, twice, false, std::nullopt, 0},
  };
  for (const Case& c : cases) {
    testing::MemoryFileSystem files;
    if (c.plain) files.files[Text(kPane)] = Png(*c.plain);
    if (c.doubled) files.files[Text(kPaneDoubled)] = c.notPng ? FileBytes(40, 'x') : Png(*c.doubled);
    const std::optional<SkinPictureFile> read = ReadSkinPictureAt(files, kPane, PictureDensityFor(c.ratio, c.from));
    ASSERT_EQ(read.has_value(), c.read.has_value()) << c.what;
    if (!read) continue;
    EXPECT_EQ(read->size, *c.read) << c.what;
    EXPECT_EQ(read->density, c.density) << c.what;
  }
}

TEST(PixelDensity, ABackgroundHoldsItsWindowAtItsDensity) {
  struct Case {
    const char* what;
    PixelSize plain, doubled;
    std::optional<PixelSize> read;
  };
  const Case cases[] = {
      {"the shipped page", {880, 660}, {1760, 1320}, PixelSize{1760, 1320}},
      // Twice a 4K screen's pixels: its window would be a whole 4K screen
      // of logical pixels; the plain one still makes it.
      {"doubled over the largest window", {1921, 1080}, {3842, 2160}, PixelSize{1921, 1080}},
      {"doubled up to the largest window", {1920, 1080}, {3840, 2160}, PixelSize{3840, 2160}},
      // The frame's buttons need 875 x 647 logical pixels: 1750 x 1294 doubled.
      {"too small at both", {874, 660}, {1748, 1320}, std::nullopt},
  };
  for (const Case& c : cases) {
    testing::MemoryFileSystem files;
    files.files[u"/skin/main.png"] = Png(c.plain);
    files.files[u"/skin/main@2x.png"] = Png(c.doubled);
    const std::optional<SkinPictureFile> read =
        ReadSkinBackgroundAt(files, u"/skin/main.png", kMainWindowFrameExtent, kDoubledDensity);
    ASSERT_EQ(read.has_value(), c.read.has_value()) << c.what;
    if (read) {
      EXPECT_EQ(read->size, *c.read) << c.what;
    }
  }
}

TEST(PixelDensity, NeighboursMeetOnTheDeviceAtEveryRatio) {
  // Push buttons side by side and the canvas they lie on, at common ratios:
  // one edge, one rounding, no seam; the canvas gives its logical size back.
  for (double ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    const Rect left = DeviceRect({457, 623, 562, 644}, ratio);
    const Rect right = DeviceRect({562, 623, 667, 644}, ratio);
    EXPECT_EQ(left.right, right.left) << ratio;
    for (int logical : {377, 435, 658, 660, 877, 880}) {
      EXPECT_EQ(LogicalEdge(DeviceEdge(logical, ratio), ratio), logical);
    }
  }
}

TEST(PixelDensity, AClickLandsOnTheLogicalPixelDrawnUnderIt) {
  // Every device pixel of the canvas, at the ratios of 100 to 200 %: it lies
  // in the device rectangle of exactly the logical pixel it maps back to, so
  // a click on the edge of a button drawn at 150 % reaches that button.
  struct Case {
    double ratio;
    Point device;
    Point logical;
  };
  const Case cases[] = {{1.0, {0, 0}, {0, 0}},       {1.0, {879, 659}, {879, 659}}, {1.5, {1, 1}, {0, 0}},
                        {1.5, {2, 3}, {1, 2}},       {1.25, {2, 3}, {1, 2}},       {2.0, {1759, 1319}, {879, 659}},
                        {2.0, {915, 1247}, {457, 623}}, {1.75, {-1, 7}, {-1, 4}}};
  for (const Case& c : cases) {
    EXPECT_EQ(LogicalPoint(c.device, c.ratio), c.logical) << c.ratio << " " << c.device.x << "," << c.device.y;
  }
  for (double ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    for (int device = 0; device < DeviceEdge(880, ratio); ++device) {
      const int logical = LogicalPoint({device, device}, ratio).x;
      const Rect drawn = DeviceRect({logical, logical, logical + 1, logical + 1}, ratio);
      ASSERT_TRUE(drawn.left <= device && device < drawn.right) << ratio << " " << device;
    }
  }
}

}  // namespace
}  // namespace px

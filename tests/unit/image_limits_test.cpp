#include <gtest/gtest.h>

#include <vector>

#include "skin/image_limits.h"

namespace px {
namespace {

std::vector<std::uint8_t> PngHeader(std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint8_t> b{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t v : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
  }
  return b;
}

TEST(SkinImageLimits, SizeComesFromThePngHeader) {
  EXPECT_EQ(PngHeaderSize(PngHeader(880, 650)), (PixelSize{880, 650}));
  EXPECT_EQ(PngHeaderSize(PngHeader(0x01020304, 7)), (PixelSize{0x01020304, 7}));
  std::vector<std::uint8_t> notPng = PngHeader(10, 10);
  notPng[1] = 'J';
  EXPECT_EQ(PngHeaderSize(notPng), std::nullopt);
  std::vector<std::uint8_t> otherChunk = PngHeader(10, 10);
  otherChunk[12] = 'X';
  EXPECT_EQ(PngHeaderSize(otherChunk), std::nullopt);
  std::vector<std::uint8_t> cut = PngHeader(10, 10);
  cut.pop_back();
  EXPECT_EQ(PngHeaderSize(cut), std::nullopt);
}

TEST(SkinImageLimits, HugeOrEmptyPicturesAreRefusedBeforeDecoding) {
  struct Case {
    PixelSize size;
    bool usable;
  };
  const Case cases[] = {
      {{880, 650}, true},      {{1, 1}, true},          {{7680, 4320}, true},  {{16384, 2025}, true},
      {{16000, 16000}, false},  // a 4 MB file that decodes to 1 GB
      {{16385, 1}, false},     {{1, 16385}, false},     {{0, 100}, false},     {{100, 0}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithinSkinImageLimits(c.size), c.usable) << c.size.width << " x " << c.size.height;
  }
}

TEST(SkinImageLimits, MainBackgroundMustHoldTheFrameButtons) {
  EXPECT_TRUE(BackgroundHolds({880, 650}, kMainWindowFrameExtent));
  EXPECT_TRUE(BackgroundHolds(kMainWindowFrameExtent, kMainWindowFrameExtent));
  EXPECT_FALSE(BackgroundHolds({1, 1}, kMainWindowFrameExtent));
  EXPECT_FALSE(BackgroundHolds({874, 800}, kMainWindowFrameExtent));  // the Cancel button's right edge
  EXPECT_FALSE(BackgroundHolds({1000, 646}, kMainWindowFrameExtent));  // the web link's bottom
}

TEST(SkinImageLimits, NoBackgroundAsksForAWindowLargerThanA4KScreen) {
  struct Case {
    PixelSize size;
    bool holds;
  };
  const Case cases[] = {
      {{3840, 2160}, true}, {{3841, 2160}, false}, {{3840, 2161}, false}, {{7680, 4320}, false}, {{2160, 3840}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BackgroundHolds(c.size, kMainWindowFrameExtent), c.holds) << c.size.width << " x " << c.size.height;
    EXPECT_EQ(BackgroundHolds(c.size, {1, 1}), c.holds) << c.size.width << " x " << c.size.height;  // dialogs too
  }
}

}  // namespace
}  // namespace px

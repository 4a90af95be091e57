#include <gtest/gtest.h>

#include "buttons/dialog_items.h"
#include "model/dpi_table.h"

namespace px {
namespace {

TEST(DpiCode, TableEntryWithBit7ByInUseFlag) {
  EXPECT_EQ(DpiCode(4, true, 2), 0x0A);
  EXPECT_EQ(DpiCode(4, false, 2), 0x8A);
  EXPECT_EQ(DpiCode(0, true, 0), 0x01);
  EXPECT_EQ(DpiCode(11, true, 0), 0x28);
  EXPECT_EQ(DpiCode(11, false, 0), 0xA8);
  EXPECT_EQ(DpiCode(7, true, 1), 0x25);
  EXPECT_EQ(DpiCode(7, true, 2), 0x2A);
  EXPECT_EQ(DpiCode(7, true, 3), 0x08);
}

// A damaged or foreign settings file can hold any level: past the variant's
// table the code is 0, and bit 7 still follows the in-use flag.
TEST(DpiCode, LevelPastTheVariantsTableGivesCodeZero) {
  EXPECT_EQ(DpiCode(8, true, 1), 0x00);   // eight-level variant, ninth level
  EXPECT_EQ(DpiCode(8, false, 1), 0x80);
  EXPECT_EQ(DpiCode(12, true, 0), 0x00);  // twelve-level variant, thirteenth level
  EXPECT_EQ(DpiCode(255, false, 3), 0x80);
  EXPECT_FALSE(DpiLevelInTable(8, 2));
  EXPECT_TRUE(DpiLevelInTable(11, 0));
}

TEST(DpiCode, UnknownVariantGivesCodeZero) {
  EXPECT_EQ(DpiCode(0, true, 4), 0x00);
  EXPECT_EQ(DpiCode(0, false, 4), 0x80);
  EXPECT_EQ(DpiCode(3, true, 255), 0x00);
}

TEST(DpiLevelLabels, PerVariantWithTwelveForUnknown) {
  EXPECT_EQ(DpiLevelCount(0), 12u);
  EXPECT_EQ(DpiLevelCount(1), 8u);
  EXPECT_EQ(DpiLevelCount(3), 8u);
  EXPECT_EQ(DpiLevelCount(9), 12u);
  EXPECT_EQ(DpiLevelLabels(0).back(), u"4000");
  EXPECT_EQ(DpiLevelLabels(1).front(), u"600");
  EXPECT_EQ(DpiLevelLabels(2)[6], u"2000");  // variant 2 skips 1750
  EXPECT_EQ(DpiLevelLabels(3).back(), u"3200");
  EXPECT_EQ(DpiLevelLabels(200)[8], u"2500");
}

TEST(SnipeDpiList, SameValuesAsThePageButNothingForUnknownVariants) {
  EXPECT_EQ(SnipeDpiList(0).size(), 12u);
  EXPECT_EQ(SnipeDpiList(0).front(), u"250");
  EXPECT_EQ(SnipeDpiList(1)[7], u"3200");
  EXPECT_TRUE(SnipeDpiList(4).empty());
}

TEST(DpiTableVariant, ReadFromBlock4Byte1) {
  DeviceImage image;
  image.Block(4)[1] = 3;
  EXPECT_EQ(DpiTableVariantOf(image), 3);
}

}  // namespace
}  // namespace px

#include <gtest/gtest.h>

#include <set>

#include "model/key_tables.h"

namespace px {
namespace {

TEST(KeyCodeFromName, WholeCaseSensitiveNames) {
  EXPECT_EQ(KeyCodeFromName(u"A"), 0x04);
  EXPECT_EQ(KeyCodeFromName(u"Z"), 0x1D);
  EXPECT_EQ(KeyCodeFromName(u"a"), 0);
  EXPECT_EQ(KeyCodeFromName(u"1"), 0x1E);
  EXPECT_EQ(KeyCodeFromName(u"0"), 0x27);
  EXPECT_EQ(KeyCodeFromName(u"Enter"), 0x28);
  EXPECT_EQ(KeyCodeFromName(u"\\"), 0x31);
  EXPECT_EQ(KeyCodeFromName(u"Eurpo(Note 2)"), 0x32);
  EXPECT_EQ(KeyCodeFromName(u"Num 0"), 0x62);
  EXPECT_EQ(KeyCodeFromName(u"Num Del"), 0x63);
  EXPECT_EQ(KeyCodeFromName(u"Delete"), 0x4C);
  EXPECT_EQ(KeyCodeFromName(u"Ctrl"), 0xE0);
  EXPECT_EQ(KeyCodeFromName(u"Right Ctrl"), 0xE4);
  EXPECT_EQ(KeyCodeFromName(u"Right Windows"), 0xE7);
  EXPECT_EQ(KeyCodeFromName(u"L-Button"), 0xF0);
  EXPECT_EQ(KeyCodeFromName(u"M-Button"), 0xF2);
}

TEST(KeyCodeFromName, NamesOutsideTheTableGiveZero) {
  EXPECT_EQ(KeyCodeFromName(u""), 0);
  EXPECT_EQ(KeyCodeFromName(u"Left Ctrl"), 0);
  EXPECT_EQ(KeyCodeFromName(u"B4-Button"), 0);  // only in the fire key list
  EXPECT_EQ(KeyCodeFromName(u"Return"), 0);     // what another key-name service says
  EXPECT_EQ(KeyCodeFromName(u"A "), 0);
  EXPECT_EQ(KeyCodeFromName(u"Num"), 0);
}

TEST(KeyNameTable, EveryCodeOnceInCodeOrder) {
  std::set<std::uint8_t> codes;
  for (std::size_t i = 0; i < KeyNameTable.size(); ++i) {
    codes.insert(KeyNameTable[i].code);
    if (i > 0) {
      EXPECT_LT(KeyNameTable[i - 1].code, KeyNameTable[i].code) << i;
    }
  }
  EXPECT_EQ(codes.size(), 107u);
  for (unsigned c = 0x04; c <= 0x63; ++c) EXPECT_TRUE(codes.contains(static_cast<std::uint8_t>(c))) << c;
  EXPECT_EQ(KeyNameFromCode(0x2C), u"Space");
  EXPECT_FALSE(KeyNameFromCode(0xF3));
}

TEST(FireKeyCode, ListPositionsAndTheEndOfTheList) {
  EXPECT_EQ(FireKeyCode(0), 0xF0);
  EXPECT_EQ(FireKeyCode(3), 0xF3);   // B4-Button
  EXPECT_EQ(FireKeyCode(4), 0xF4);   // B5-Button
  EXPECT_EQ(FireKeyCode(5), 0x04);   // A
  EXPECT_EQ(FireKeyCode(30), 0x1D);  // Z
  EXPECT_EQ(FireKeyCode(40), 0x27);  // 0
  EXPECT_EQ(FireKeyCode(43), 0xE2);  // L-ALT
  EXPECT_EQ(FireKeyCode(44), 0xE4);  // R-CTRL skips the left GUI key
  EXPECT_EQ(FireKeyCode(45), 0xE5);
  EXPECT_EQ(FireKeyCode(47), 0x3A);  // F1
  EXPECT_EQ(FireKeyCode(58), 0x45);  // F12
  EXPECT_EQ(FireKeyCode(59), 0);
  EXPECT_EQ(FireKeyCode(255), 0);
  EXPECT_EQ(FireKeyList[46].text, u"R-ALT");
  EXPECT_EQ(FireKeyTextFromCode(0xF3), u"B4-Button");
  EXPECT_FALSE(FireKeyTextFromCode(0x2C));
}

}  // namespace
}  // namespace px

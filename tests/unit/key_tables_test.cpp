#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
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

// What GetKeyNameTextW names each key of an English (US) keyboard, written
// out key by key from the keyboard, not from the code's table, with the HID
// usage the mouse must send for it (0: a key the mouse cannot send).
struct SystemKeyName {
  const char16_t* name;
  std::uint8_t usage;
};
constexpr SystemKeyName kSystemKeyNames[] = {
    // Keys named by the character they type: the upper-case letter, the
    // unshifted symbol. Top row, then the rows under it.
    {u"`", 0x35}, {u"1", 0x1E}, {u"2", 0x1F}, {u"3", 0x20}, {u"4", 0x21}, {u"5", 0x22}, {u"6", 0x23},
    {u"7", 0x24}, {u"8", 0x25}, {u"9", 0x26}, {u"0", 0x27}, {u"-", 0x2D}, {u"=", 0x2E},
    {u"Q", 0x14}, {u"W", 0x1A}, {u"E", 0x08}, {u"R", 0x15}, {u"T", 0x17}, {u"Y", 0x1C}, {u"U", 0x18},
    {u"I", 0x0C}, {u"O", 0x12}, {u"P", 0x13}, {u"[", 0x2F}, {u"]", 0x30}, {u"\\", 0x31},
    {u"A", 0x04}, {u"S", 0x16}, {u"D", 0x07}, {u"F", 0x09}, {u"G", 0x0A}, {u"H", 0x0B}, {u"J", 0x0D},
    {u"K", 0x0E}, {u"L", 0x0F}, {u";", 0x33}, {u"'", 0x34},
    {u"Z", 0x1D}, {u"X", 0x1B}, {u"C", 0x06}, {u"V", 0x19}, {u"B", 0x05}, {u"N", 0x11}, {u"M", 0x10},
    {u",", 0x36}, {u".", 0x37}, {u"/", 0x38},
    // Keys the layout names, by scan code.
    {u"Esc", 0x29}, {u"Backspace", 0x2A}, {u"Tab", 0x2B}, {u"Enter", 0x28}, {u"Ctrl", 0xE0},
    {u"Shift", 0xE1}, {u"Right Shift", 0xE5}, {u"Alt", 0xE2}, {u"Space", 0x2C}, {u"Caps Lock", 0x39},
    {u"F1", 0x3A}, {u"F2", 0x3B}, {u"F3", 0x3C}, {u"F4", 0x3D}, {u"F5", 0x3E}, {u"F6", 0x3F},
    {u"F7", 0x40}, {u"F8", 0x41}, {u"F9", 0x42}, {u"F10", 0x43}, {u"F11", 0x44}, {u"F12", 0x45},
    {u"Pause", 0x48}, {u"Scroll Lock", 0x47}, {u"Sys Req", 0},
    {u"Num 7", 0x5F}, {u"Num 8", 0x60}, {u"Num 9", 0x61}, {u"Num -", 0x56}, {u"Num 4", 0x5C},
    {u"Num 5", 0x5D}, {u"Num 6", 0x5E}, {u"Num +", 0x57}, {u"Num 1", 0x59}, {u"Num 2", 0x5A},
    {u"Num 3", 0x5B}, {u"Num 0", 0x62}, {u"Num Del", 0x63}, {u"Num *", 0x55},
    {u"F13", 0}, {u"F24", 0},
    // Extended keys (the E0 prefix): their own names.
    {u"Num Enter", 0x58}, {u"Right Ctrl", 0xE4}, {u"Num /", 0x54}, {u"Prnt Scrn", 0x46},
    {u"Right Alt", 0xE6}, {u"Num Lock", 0x53}, {u"Break", 0}, {u"Home", 0x4A}, {u"Up", 0x52},
    {u"Page Up", 0x4B}, {u"Left", 0x50}, {u"Right", 0x4F}, {u"End", 0x4D}, {u"Down", 0x51},
    {u"Page Down", 0x4E}, {u"Insert", 0x49}, {u"Delete", 0x4C}, {u"Left Windows", 0xE3},
    {u"Right Windows", 0xE7}, {u"Application", 0}, {u"Help", 0},
};

// Names in the table that no key of an English keyboard is given: the
// non-US hash key is named like the backslash there, and the mouse buttons
// are not keys.
constexpr const char16_t* kNamesNoKeyGives[] = {u"Eurpo(Note 2)", u"L-Button", u"R-Button", u"M-Button"};

TEST(KeyNameTable, EveryNameIsOneTheSingleKeyDialogCanReturn) {
  for (const KeyName& entry : KeyNameTable) {
    const bool systemName = std::ranges::any_of(kSystemKeyNames, [&](const auto& k) { return entry.name == k.name; });
    const bool noKey = std::ranges::any_of(kNamesNoKeyGives, [&](const char16_t* n) { return entry.name == n; });
    EXPECT_TRUE(systemName || noKey) << ToUtf8(entry.name) << " is a name no key is given";
  }
}

TEST(KeyCodeFromName, EachKeysSystemNameGivesItsUsage) {
  std::set<std::uint8_t> usages;
  for (const SystemKeyName& key : kSystemKeyNames) {
    EXPECT_EQ(KeyCodeFromName(key.name), key.usage) << ToUtf8(key.name);
    if (key.usage != 0) usages.insert(key.usage);
  }
  EXPECT_EQ(usages.size(), kKeyNameCount - std::size(kNamesNoKeyGives));  // every key of the table is reachable
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

// The single key dialog's key names on Linux: the physical key, named so
// that the key table finds its code.
#include <gtest/gtest.h>

#include <set>

#include "buttons/linux_key_names.h"
#include "model/key_tables.h"

namespace px {
namespace {

TEST(KeyCapture, NamesByPhysicalKeyAsTheKeyTableKnowsThem) {
  struct Case {
    unsigned code;
    TextView name;
    std::uint8_t usage;
  };
  const Case cases[] = {
      {30, u"A", 0x04},          {11, u"0", 0x27},           {28, u"Enter", 0x28},      {1, u"Esc", 0x29},
      {29, u"Ctrl", 0xE0},       {97, u"Right Ctrl", 0xE4},  {42, u"Shift", 0xE1},      {54, u"Right Shift", 0xE5},
      {56, u"Alt", 0xE2},        {100, u"Right Alt", 0xE6},  {125, u"Left Windows", 0xE3},
      {126, u"Right Windows", 0xE7}, {82, u"Num 0", 0x62},   {83, u"Num Del", 0x63},    {111, u"Delete", 0x4C},
      {96, u"Num Enter", 0x58},  {99, u"Prnt Scrn", 0x46},   {119, u"Pause", 0x48},     {104, u"Page Up", 0x4B},
      {88, u"F12", 0x45},
      // Keys the table has no name for send nothing.
      {127, u"", 0},             {86, u"", 0},               {183, u"", 0},             {0, u"", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyNameOfLinuxKeyCode(c.code), c.name) << c.code;
    EXPECT_EQ(KeyCodeFromName(KeyNameOfLinuxKeyCode(c.code)), c.usage) << c.code;
  }
}

TEST(KeyCapture, XkbCodesAreTheKernelsPlusEightAndEnumeratorsReadAsNames) {
  EXPECT_EQ(KeyNameOfXkbKeyCode(38), u"A");
  EXPECT_EQ(KeyNameOfXkbKeyCode(9), u"Esc");
  EXPECT_EQ(KeyNameOfXkbKeyCode(8), u"");  // no kernel code 0
  EXPECT_EQ(KeyNameOfXkbKeyCode(0), u"");
  const std::pair<const char*, TextView> enumerators[] = {
      {"Key_Dead_Grave", u"Dead Grave"}, {"Key_AltGr", u"AltGr"}, {"Mode_switch", u"Mode switch"}, {"", u""}};
  for (const auto& [enumerator, name] : enumerators) EXPECT_EQ(KeyNameOfEnumerator(enumerator), name) << enumerator;
}

TEST(KeyCapture, EveryKeyboardNameOfTheTableCanBeCaptured) {
  std::set<std::uint8_t> captured;
  for (unsigned code = 0; code < 256; ++code) {
    const TextView name = KeyNameOfLinuxKeyCode(code);
    if (name.empty()) continue;
    const std::uint8_t usage = KeyCodeFromName(name);
    EXPECT_NE(usage, 0) << ToUtf8(name);
    captured.insert(usage);
  }
  // All but the mouse buttons and the name no key on a layout gives ("Eurpo(Note 2)").
  EXPECT_EQ(captured.size(), kKeyNameCount - 3 - 1);
}

}  // namespace
}  // namespace px

#include <gtest/gtest.h>

#include "model/button_catalogue.h"
#include "buttons/dialog_items.h"

namespace px {
namespace {

namespace fi = function_index;

TEST(EncodeButtonEntry, FixedCodesOfTheParameterlessFunctions) {
  const ButtonParameters p{.dpiSwitchCode = 9, .windowsIndex = 9, .mediaIndex = 9, .hotKeyIndex = 9,
                           .fireKeyUsage = 9, .fireTimes = 9, .singleKeyUsage = 9};
  EXPECT_EQ(EncodeButtonEntry(fi::kLeftClick, p), (ButtonEntry{0xF0, 0x00}));
  EXPECT_EQ(EncodeButtonEntry(fi::kRightClick, p), (ButtonEntry{0xF1, 0x00}));
  EXPECT_EQ(EncodeButtonEntry(fi::kMidClick, p), (ButtonEntry{0xF2, 0x00}));
  EXPECT_EQ(EncodeButtonEntry(fi::kForward, p), (ButtonEntry{0xF4, 0x00}));   // runs against list order
  EXPECT_EQ(EncodeButtonEntry(fi::kBackward, p), (ButtonEntry{0xF3, 0x00}));
  EXPECT_EQ(EncodeButtonEntry(fi::kSnipeKey, p), (ButtonEntry{0x0A, 0x03}));  // whatever the snipe choice
  EXPECT_EQ(EncodeButtonEntry(fi::kKeyOff, p), (ButtonEntry{0x00, 0x00}));
  EXPECT_EQ(EncodeButtonEntry(fi::kShift, p), (ButtonEntry{0x06, 0x03}));
}

TEST(EncodeButtonEntry, ParameterFunctionsTakeTheirOwnEntryOnly) {
  ButtonParameters p{};
  p.dpiSwitchCode = 4;
  p.windowsIndex = 8;
  p.mediaIndex = 0;
  p.hotKeyIndex = 7;
  p.fireKeyUsage = 0xE4;
  p.fireTimes = 0;
  p.singleKeyUsage = 0x2C;
  EXPECT_EQ(EncodeButtonEntry(fi::kDpiSwitch, p), (ButtonEntry{0x04, 0x03}));
  EXPECT_EQ(EncodeButtonEntry(fi::kWindows, p), (ButtonEntry{0x0F, 0x02}));
  EXPECT_EQ(EncodeButtonEntry(fi::kMultimedia, p), (ButtonEntry{0x00, 0x02}));  // differs from Key Off by kind
  EXPECT_EQ(EncodeButtonEntry(fi::kHotKey, p), (ButtonEntry{0x17, 0x02}));
  EXPECT_EQ(EncodeButtonEntry(fi::kFireKey, p), (ButtonEntry{0xE4, 0x80}));
  EXPECT_EQ(EncodeButtonEntry(fi::kSingleKey, p), (ButtonEntry{0x2C, 0x00}));
  p.fireTimes = 127;
  EXPECT_EQ(EncodeButtonEntry(fi::kFireKey, p), (ButtonEntry{0xE4, 0xFF}));
  p.singleKeyUsage = 0;  // a key name the table lacks: same bytes as Key Off
  EXPECT_EQ(EncodeButtonEntry(fi::kSingleKey, p), EncodeButtonEntry(fi::kKeyOff, p));
}

TEST(EncodeButtonEntry, SumsWrapModulo256) {
  ButtonParameters p{};
  p.windowsIndex = 250;  // 250 + 7
  p.hotKeyIndex = 245;   // 245 + 16
  p.fireTimes = 200;     // 200 + 0x80
  EXPECT_EQ(EncodeButtonEntry(fi::kWindows, p), (ButtonEntry{1, 0x02}));
  EXPECT_EQ(EncodeButtonEntry(fi::kHotKey, p), (ButtonEntry{5, 0x02}));
  EXPECT_EQ(EncodeButtonEntry(fi::kFireKey, p).kind, 0x48);
}

TEST(EncodeButtonEntry, EveryIndexPastTheCatalogueIsNoFunction) {
  ButtonParameters p{};
  p.fireTimes = 5;
  p.singleKeyUsage = 0x04;
  for (unsigned index = kFunctionCount; index <= 255; ++index) {
    ASSERT_EQ(EncodeButtonEntry(static_cast<std::uint8_t>(index), p), ButtonEntry{}) << index;
  }
}

TEST(EncodeButtonEntry, FromTheModelUsesTheSameModeAndButton) {
  SettingsModel m{};
  m.ButtonFunction[ButtonIndex(2, 1)] = fi::kMultimedia;
  m.MediaIndex[ButtonIndex(2, 1)] = 6;
  m.MediaIndex[ButtonIndex(2, 0)] = 3;
  EXPECT_EQ(EncodeButtonEntry(m, ButtonIndex(2, 1)), (ButtonEntry{0x06, 0x02}));
  EXPECT_EQ(EncodeButtonEntry(m, ButtonIndex(2, 0)), (ButtonEntry{0xF0, 0x00}));
}

TEST(AssignmentLabel, OwnTextChosenTextOrBothJoined) {
  EXPECT_EQ(AssignmentLabel(fi::kMultimedia, u"多媒体", u"下一首"), u"多媒体-下一首");
  EXPECT_EQ(AssignmentLabel(fi::kFireKey, u"Fire Key", u"L-Button"), u"Fire Key-L-Button");
  EXPECT_EQ(AssignmentLabel(fi::kSingleKey, u"Single Key", u"Num 0"), u"Single Key-Num 0");
  EXPECT_EQ(AssignmentLabel(fi::kSnipeKey, u"Snipe Key", u"3200"), u"Snipe Key-3200");
  EXPECT_EQ(AssignmentLabel(fi::kHotKey, u"HotKey", u"Copy"), u"Copy");
  EXPECT_EQ(AssignmentLabel(fi::kWindows, u"Windows", u"Mail"), u"Mail");
  EXPECT_EQ(AssignmentLabel(fi::kDpiSwitch, u"DPI Switch", u"DPI Loop"), u"DPI Loop");
  EXPECT_EQ(AssignmentLabel(fi::kLeftClick, u"Left Click", u"ignored"), u"Left Click");
  EXPECT_EQ(AssignmentLabel(fi::kShift, u"Shift", u""), u"Shift");
  EXPECT_EQ(AssignmentLabel(fi::kKeyOff, u"Key Off", u"x"), u"Key Off");
}

TEST(AssignmentLabel, UsesTheListTextOfTheLanguage) {
  EXPECT_EQ(AssignmentLabel(fi::kMultimedia, Language::English, MediaKeyList[0].In(Language::English)),
            u"Multimedia-Next");
  EXPECT_EQ(AssignmentLabel(fi::kFireKey, Language::TraditionalChinese, u"A"), u"火力鍵-A");
  EXPECT_EQ(AssignmentLabel(fi::kHotKey, Language::SimplifiedChinese, HotKeyList[0].In(Language::SimplifiedChinese)),
            u"复制");
  EXPECT_EQ(FunctionText(14, Language::English), u"");
}

TEST(DpiSwitchList, CodesThreeToFive) {
  EXPECT_EQ(DpiSwitchText(3), u"DPI +");
  EXPECT_EQ(DpiSwitchText(4), u"DPI -");
  EXPECT_EQ(DpiSwitchText(5), u"DPI Loop");
  EXPECT_EQ(DpiSwitchText(6), u"");
}

TEST(DialogItems, PositionsPastTheListGiveNoText) {
  EXPECT_EQ(ItemText(WindowsFunctionList, 8, Language::English), u"Browser-Refresh");
  EXPECT_EQ(ItemText(WindowsFunctionList, 9, Language::English), u"");
  EXPECT_EQ(ItemText(HotKeyList, 7, Language::TraditionalChinese), u"撤銷");
}

}  // namespace
}  // namespace px

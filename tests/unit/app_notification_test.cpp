#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

#include "app/notification.h"

namespace px {
namespace {

// Distinct stand-ins, so that a wrong row shows up as a wrong text.
InterfaceTexts MakeTexts() {
  InterfaceTexts t{};
  t.ReportRateSwitched = {u"R1000", u"R500", u"R250", u"R125"};
  t.DpiStageSwitched = {u"Switch DPI into the first stage ", u"S2 ", u"S3 ", u"S4 "};
  t.KeyMatrixSwitched = {u"K1", u"K2"};
  t.MacroSwitched = u"\u5207\u6362\u5230\u5B8F";  // 切换到宏
  t.MouseDetected = u"found";
  t.MouseNotDetected = u"lost";
  t.Exit = u"Exit";
  return t;
}

Text LabelOf(int stage) {
  static constexpr std::array<TextView, 4> kLabels = {u"800", u"1600", u"2400", u"3200"};
  return Text(kLabels.at(static_cast<std::size_t>(stage - 1)));
}

class NotificationTest : public ::testing::Test {
 protected:
  std::optional<Balloon> Decide(std::uint64_t type, std::int64_t value) {
    return DecideNotification(type, value, texts, LabelOf);
  }
  InterfaceTexts texts = MakeTexts();
};

TEST_F(NotificationTest, ReportRateCodesPickTheirTextsAndNothingElse) {
  EXPECT_EQ(Decide(5, 1), (Balloon{u"R1000", u"Info", 5000}));
  EXPECT_EQ(Decide(5, 2)->text, u"R500");
  EXPECT_EQ(Decide(5, 4)->text, u"R250");
  EXPECT_EQ(Decide(5, 8)->text, u"R125");
  for (std::int64_t odd : {0, 3, 5, 6, 7, 9, 16, -1, 1000}) EXPECT_FALSE(Decide(5, odd)) << odd;
}

TEST_F(NotificationTest, DpiStageTextIsFollowedDirectlyByTheStageLabel) {
  EXPECT_EQ(Decide(7, 1), (Balloon{u"Switch DPI into the first stage 800", u"Info", 5000}));
  EXPECT_EQ(Decide(7, 2)->text, u"S2 1600");
  EXPECT_EQ(Decide(7, 4)->text, u"S4 3200");
  EXPECT_FALSE(Decide(7, 0));
  EXPECT_FALSE(Decide(7, 5));
  EXPECT_FALSE(Decide(7, -3));
}

TEST_F(NotificationTest, DpiStageWithoutLabelSourceStillShowsTheStageText) {
  auto balloon = DecideNotification(7, 3, texts, nullptr);
  ASSERT_TRUE(balloon);
  EXPECT_EQ(balloon->text, u"S3 ");
}

TEST_F(NotificationTest, KeyMatrixOneAndTwoOnly) {
  EXPECT_EQ(Decide(8, 1)->text, u"K1");
  EXPECT_EQ(Decide(8, 2)->text, u"K2");
  EXPECT_FALSE(Decide(8, 0));
  EXPECT_FALSE(Decide(8, 3));
}

TEST_F(NotificationTest, MacroAppendsTheNumberInDecimalAndIgnoresZero) {
  EXPECT_EQ(Decide(9, 2)->text, u"\u5207\u6362\u5230\u5B8F2");
  EXPECT_EQ(Decide(9, 2)->timeoutMs, 5000u);
  EXPECT_EQ(Decide(9, -7)->text, u"\u5207\u6362\u5230\u5B8F-7");
  EXPECT_EQ(Decide(9, std::numeric_limits<std::int32_t>::max())->text, u"\u5207\u6362\u5230\u5B8F2147483647");
  EXPECT_EQ(Decide(9, std::numeric_limits<std::int32_t>::min())->text, u"\u5207\u6362\u5230\u5B8F-2147483648");
  EXPECT_FALSE(Decide(9, 0));
}

TEST_F(NotificationTest, ValueCountsAsThe32BitIntTheSenderFormats) {
  // A 64-bit lParam whose low half is zero is the value 0: nothing.
  EXPECT_FALSE(Decide(9, std::int64_t{1} << 32));
  EXPECT_EQ(Decide(5, (std::int64_t{7} << 32) | 1)->text, u"R1000");
  EXPECT_EQ(Decide(9, std::numeric_limits<std::int64_t>::min() + 5)->text, u"\u5207\u6362\u5230\u5B8F5");
}

TEST_F(NotificationTest, PresenceBalloonsAreShortAndIgnoreTheValue) {
  EXPECT_EQ(Decide(14, 0), (Balloon{u"found", u"Info", 100}));
  EXPECT_EQ(Decide(14, -99), (Balloon{u"found", u"Info", 100}));
  EXPECT_EQ(Decide(15, 12345), (Balloon{u"lost", u"Warning", 100}));
}

TEST_F(NotificationTest, EveryOtherTypeShowsNothing) {
  for (std::uint64_t type : {0ull, 1ull, 4ull, 6ull, 10ull, 13ull, 16ull, 0xFFFFull, 0x100000005ull,
                             0xFFFFFFFFFFFFFFFFull}) {
    for (std::int64_t value : {0, 1, 2}) EXPECT_FALSE(Decide(type, value)) << type << "/" << value;
  }
}

TEST(StageDpiLabelTest, LevelOfTheStageInTheVariantInForce) {
  SettingsModel model{};
  model.DpiLevel = {0, 4, 7, 11};
  EXPECT_EQ(StageDpiLabelOf(model, 1, 2), u"1600");  // variant 1, level index 4
  EXPECT_EQ(StageDpiLabelOf(model, 3, 1), u"400");
  EXPECT_EQ(StageDpiLabelOf(model, 0, 4), u"4000");  // twelve levels in variant 0
  // Level 11 is past an eight-level table: no label rather than a stray read.
  EXPECT_EQ(StageDpiLabelOf(model, 2, 4), u"");
  model.DpiLevel[0] = 255;
  EXPECT_EQ(StageDpiLabelOf(model, 0, 1), u"");
  EXPECT_EQ(StageDpiLabelOf(model, 1, 0), u"");
  EXPECT_EQ(StageDpiLabelOf(model, 1, 5), u"");
}

TEST(CopyBoundedTest, FitsTerminatesAndCutsAtTheFieldEnd) {
  std::array<char16_t, 8> field{};
  field.fill(u'#');
  EXPECT_EQ(CopyBounded(u"abc", field.data(), field.size()), 3u);
  EXPECT_EQ(Text(field.data()), u"abc");

  field.fill(u'#');
  EXPECT_EQ(CopyBounded(u"0123456789", field.data(), field.size()), 7u);
  EXPECT_EQ(Text(field.data()), u"0123456");
  EXPECT_EQ(field[7], u'\0');

  EXPECT_EQ(CopyBounded(u"abc", field.data(), 1), 0u);
  EXPECT_EQ(field[0], u'\0');
  EXPECT_EQ(CopyBounded(u"abc", nullptr, 4), 0u);
  EXPECT_EQ(CopyBounded(u"abc", field.data(), 0), 0u);
}

TEST(CopyBoundedTest, NeverLeavesHalfASurrogatePair) {
  std::array<char16_t, 4> field{};
  // "ab" + U+1F5B1 (a surrogate pair) needs 5 slots with the terminator.
  EXPECT_EQ(CopyBounded(u"ab\U0001F5B1", field.data(), field.size()), 2u);
  EXPECT_EQ(Text(field.data()), u"ab");
  EXPECT_EQ(CopyBounded(u"a\U0001F5B1", field.data(), field.size()), 3u);
  EXPECT_EQ(Text(field.data()), u"a\U0001F5B1");
}

// The icon's own balloon, where no notification service keeps it: even the
// presence balloons stay up long enough to be read.
TEST(ReadableBalloonTest, EveryBalloonStaysAtLeastTenSeconds) {
  EXPECT_EQ(ReadableBalloonMs(kPresenceBalloonTimeoutMs), 10000u);
  EXPECT_EQ(ReadableBalloonMs(kSwitchBalloonTimeoutMs), 10000u);
  EXPECT_EQ(ReadableBalloonMs(30000), 30000u);
}

}  // namespace
}  // namespace px

#include <gtest/gtest.h>

#include "common/text.h"

namespace px {
namespace {

TEST(Utf, RoundTripsChineseAndAstralText) {
  const Text samples[] = {u"", u"Left Click", u"系统没有检测到游戏鼠标！", u"遊戲滑鼠", u"\U0001F5B1 mouse"};
  for (const Text& s : samples) EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
  EXPECT_EQ(ToUtf8(u"确定"), "\xE7\xA1\xAE\xE5\xAE\x9A");
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(FromUtf8("\xE7\xA1"), u"\uFFFD\uFFFD");     // truncated sequence
  EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");     // overlong slash
  EXPECT_EQ(ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
}

}  // namespace
}  // namespace px

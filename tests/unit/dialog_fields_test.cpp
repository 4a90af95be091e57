// The parameter dialogs' field rules: number fields, list contents, the
// single key dialog's keyboard decisions.
#include <gtest/gtest.h>

#include "buttons/dialog_fields.h"

namespace px {
namespace {

TEST(FireKeyFields, TimesRuleOnEveryChange) {
  struct Case {
    TextView text;
    FireFieldOutcome expected;
  };
  const Case cases[] = {
      {u"", {0, std::nullopt}},          // emptied: firing ends when the button is released
      {u"0", {0, std::nullopt}},         {u"127", {127, std::nullopt}},
      {u"128", {1, u"1"}},               {u"4", {4, std::nullopt}},
      {u"255", {1, u"1"}},               {u"99999999999999999999", {1, u"1"}},  // no wrap into range
      {u"12ab", {12, std::nullopt}},     {u"ab12", {0, std::nullopt}},
      {u"007", {7, std::nullopt}},       {u"-5", {1, u"1"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplyTimesRule(c.text), c.expected) << ToUtf8(c.text);
}

TEST(FireKeyFields, MakeAndBreakRuleOnFocusLoss) {
  struct Case {
    TextView text;
    FireFieldOutcome expected;
  };
  const Case cases[] = {
      {u"", {5, u"5"}},      {u"0", {5, u"5"}},       {u"4", {5, u"5"}},
      {u"5", {5, std::nullopt}},  {u"32", {32, std::nullopt}}, {u"255", {255, std::nullopt}},
      {u"256", {5, u"5"}},   {u"4294967301", {5, u"5"}},  // 2^32 + 5 must not pass as 5
      {u"x9", {5, u"5"}},    {u"40ms", {40, std::nullopt}},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplyTimeRule(c.text), c.expected) << ToUtf8(c.text);
}

TEST(DialogLists, ItemsPerLanguageAndVariant) {
  struct Case {
    DialogKind kind;
    Language language;
    std::uint8_t variant;
    std::size_t count;
    TextView first, last;
  };
  const Case cases[] = {
      {DialogKind::FireKey, Language::SimplifiedChinese, 0, 59, u"L-Button", u"F12"},
      {DialogKind::HotKey, Language::English, 0, 8, u"Copy", u"Undo"},
      {DialogKind::HotKey, Language::SimplifiedChinese, 0, 8, u"复制", u"撤销"},
      {DialogKind::HotKey, Language::TraditionalChinese, 0, 8, u"複製", u"撤銷"},
      {DialogKind::Media, Language::English, 0, 7, u"Next", u"Vol-"},
      {DialogKind::Media, Language::TraditionalChinese, 0, 7, u"下一首", u"音量-"},
      {DialogKind::Windows, Language::English, 0, 9, u"Multimedia Player", u"Browser-Refresh"},
      {DialogKind::Windows, Language::TraditionalChinese, 0, 9, u"打開多媒體播放器", u"瀏覽器-刷新"},
      {DialogKind::Snipe, Language::English, 0, 12, u"250", u"4000"},
      {DialogKind::Snipe, Language::SimplifiedChinese, 1, 8, u"600", u"3200"},
      {DialogKind::Snipe, Language::English, 2, 8, u"250", u"2500"},
      {DialogKind::Snipe, Language::English, 3, 8, u"400", u"3200"},
  };
  for (const Case& c : cases) {
    const std::vector<TextView> items = DialogListItems(c.kind, c.language, c.variant);
    ASSERT_EQ(items.size(), c.count) << static_cast<int>(c.kind);
    EXPECT_EQ(items.front(), c.first);
    EXPECT_EQ(items.back(), c.last);
    EXPECT_EQ(InitialChoiceText(c.kind, c.language, c.variant), c.first);
  }
  // Browser-Refresh follows Browser-Forward directly; "3200" is entry 7 of variant 1.
  EXPECT_EQ(DialogListItems(DialogKind::Windows, Language::English)[7], u"Browser-Forward");
  EXPECT_EQ(DialogListItems(DialogKind::Snipe, Language::English, 1)[7], u"3200");
  // An unknown variant offers nothing, and the label opens empty.
  EXPECT_TRUE(DialogListItems(DialogKind::Snipe, Language::English, 4).empty());
  EXPECT_EQ(InitialChoiceText(DialogKind::Snipe, Language::English, 4), u"");
}

TEST(SingleKeyDialog, FilterSwallowsWindowsKeysAndEnterEscapeKeyDowns) {
  using enum QueuedKey;
  constexpr QueuedMessage kDown = QueuedMessage::KeyDown, kOther = QueuedMessage::Other;
  struct Case {
    QueuedMessage message;
    QueuedKey key;
    bool swallowed;
  };
  const Case cases[] = {
      {kDown, WindowsKey, true}, {kOther, WindowsKey, true},  // whatever the message
      {kDown, Enter, true},      {kDown, Escape, true},       // would end the dialog
      {kOther, Enter, false},    {kOther, Escape, false},     // key-ups, characters
      {kDown, Other, false},     {kOther, Other, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SingleKeySwallows(c.message, c.key), c.swallowed)
        << static_cast<int>(c.message) << " " << static_cast<int>(c.key);
  }
  EXPECT_TRUE(KeyHookCaptures(HookNotice::Keystroke));
  EXPECT_FALSE(KeyHookCaptures(HookNotice::Other));  // a peek, passed on
}

TEST(SingleKeyDialog, CapturedNameEndsAtTheTerminatorWithinTheBuffer) {
  const char16_t name[kKeyNameBuffer] = u"Return";
  EXPECT_EQ(KeyNameFromBuffer(name, kKeyNameBuffer), u"Return");
  const char16_t empty[kKeyNameBuffer] = {};
  EXPECT_EQ(KeyNameFromBuffer(empty, kKeyNameBuffer), u"");
  const char16_t full[3] = {u'A', u'B', u'C'};  // no terminator: never read past the buffer
  EXPECT_EQ(KeyNameFromBuffer(full, 3), u"ABC");
  EXPECT_EQ(HookInstallErrorText(87), u"KeyboardHook_SingleDlgKey Install error code :87\n");
}

}  // namespace
}  // namespace px

// Labels reach the rows and str.ini as printable, well-formed UTF-16, from a
// dialog's answer and from a str.ini someone else wrote.
#include <gtest/gtest.h>

#include "buttons/assignment.h"
#include "common/printable_text.h"
#include "model/button_catalogue.h"
#include "page_fixture.h"
#include "scripted_dialogs.h"
#include "storage/installed_files.h"
#include "storage/str_ini.h"

namespace px {
namespace {

TEST(PrintableText, KeepsWellFormedTextAndDropsOnlyTheOffendingUnits) {
  const std::pair<Text, Text> cases[] = {  // given, kept
      {u"单键-A \xD83D\xDE00", u"单键-A \xD83D\xDE00"},   {u"", u""},
      {u"Key-\x17C4\xDD03", u"Key-\x17C4"},                // Qt's text for AltGr
      {u"a\xDBC0" u"b\xD800\xD83D\xDE00", u"ab\xD83D\xDE00"}, {u"\xDE00\xD83D", u""},
      {Text(u"a\0b\x1B" u"c\x7F\x85", 7), u"abc"},         {u"a\xFFFE\xFFFF", u"a"},
      {u"a\r\nb\tc", u"a  b c"},
  };
  for (const auto& [given, kept] : cases) {
    EXPECT_EQ(PrintableText(given), kept) << ToUtf8(given);
    EXPECT_EQ(IsPrintableText(given), given == kept) << ToUtf8(given);
  }
}

TEST(PrintableText, EveryLabelThatEntersTheSetIsPrintable) {
  SettingsModel model = InstalledFirstModel();
  LabelSet labels = DefaultButtonLabels(Language::English);
  ScriptedDialogs dialogs;
  dialogs.answers = {DialogChoice{.text = u"\x01\xDBC0"}};  // the single key dialog, px6410ctl set key:...
  ASSERT_EQ(CommitButtonChoice({model, labels, Language::English, 0}, 4, function_index::kSingleKey, dialogs),
            CommitOutcome::Committed);
  EXPECT_EQ(labels[static_cast<std::size_t>(ButtonIndex(4, 0))], u"Single Key-");

  testing::MemoryProfileStore ini;
  ini.Write(LabelSectionName(Language::English), kLabelKeys[3], u"Fire Key-\xDC00" u"F5\x07");
  EXPECT_EQ(LoadLabels(ini, Language::English)[3], u"Fire Key-F5");
}

}  // namespace
}  // namespace px

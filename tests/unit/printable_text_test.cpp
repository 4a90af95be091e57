// Text that reaches the rows and str.ini: printable, well-formed UTF-16, from
// every way a label comes in (a dialog's key name, a label read back), and
// key names the system has no word for.
#include <gtest/gtest.h>

#include "buttons/assignment.h"
#include "buttons/key_capture.h"
#include "common/printable_text.h"
#include "model/button_catalogue.h"
#include "page_fixture.h"
#include "scripted_dialogs.h"
#include "storage/installed_files.h"
#include "storage/str_ini.h"

namespace px {
namespace {

struct TextCase {
  const char* what;
  Text given;
  Text printable;  // what PrintableText keeps; equal to `given` when it is printable
};

const TextCase kTexts[] = {
    {"plain", u"Single Key-A", u"Single Key-A"},
    {"Chinese", u"单键-A", u"单键-A"},
    {"a pair", u"key \xD83D\xDE00", u"key \xD83D\xDE00"},
    {"empty", u"", u""},
    {"lone high surrogate", u"Single Key-\xDBC0", u"Single Key-"},
    {"lone low surrogate", u"a\xDC00" u"b", u"ab"},
    {"high then high", u"\xD800\xD83D\xDE00", u"\xD83D\xDE00"},
    {"pair reversed", u"\xDE00\xD83D", u""},
    {"NUL and escape", Text(u"a\0b\x1B" u"c", 5), u"abc"},
    {"DEL and C1", u"a\x7F\x85" u"b", u"ab"},
    {"noncharacters", u"a\xFFFE\xFFFF", u"a"},
    {"line breaks and tab", u"a\r\nb\tc", u"a  b c"},
};

TEST(PrintableText, KeepsWellFormedTextAndDropsOnlyTheOffendingUnits) {
  for (const TextCase& c : kTexts) {
    EXPECT_EQ(PrintableText(c.given), c.printable) << c.what;
    EXPECT_EQ(IsPrintableText(c.given), c.given == c.printable) << c.what;
    EXPECT_TRUE(IsPrintableText(PrintableText(c.given))) << c.what;
  }
}

TEST(PrintableText, AKeyWithoutAReadableNameHasNone) {
  EXPECT_EQ(ReadableKeyName(u"Menu"), u"Menu");
  EXPECT_EQ(ReadableKeyName(u"Dead Grave"), u"Dead Grave");
  EXPECT_EQ(ReadableKeyName(u"\x17C4\xDD03"), u"");  // Qt's text for AltGr: a lone low surrogate
  EXPECT_EQ(ReadableKeyName(u"\x1B"), u"");
  EXPECT_EQ(ReadableKeyName(u" "), u"");
  EXPECT_EQ(ReadableKeyName(u""), u"");
}

TEST(PrintableText, EveryLabelThatEntersTheSetIsPrintable) {
  // A dialog's answer (the single key dialog, px6410ctl set key:...).
  SettingsModel model = InstalledFirstModel();
  LabelSet labels = DefaultButtonLabels(Language::English);
  ScriptedDialogs dialogs;
  dialogs.answers = {DialogChoice{.text = u"\x01\xDBC0"}};
  ASSERT_EQ(CommitButtonChoice({model, labels, Language::English, 0}, 4, function_index::kSingleKey, dialogs),
            CommitOutcome::Committed);
  EXPECT_EQ(labels[static_cast<std::size_t>(ButtonIndex(4, 0))], u"Single Key-");

  // A label read back from a str.ini someone else wrote.
  MapStore ini;
  for (TextView key : kLabelKeys) ini.Write(LabelSectionName(Language::English), key, u"ok");
  ini.Write(LabelSectionName(Language::English), kLabelKeys[3], u"Fire Key-\xDC00" u"F5\x07");
  const LabelSet read = LoadLabels(ini, Language::English);
  EXPECT_EQ(read[3], u"Fire Key-F5");
  EXPECT_EQ(read[2], u"ok");
}

}  // namespace
}  // namespace px

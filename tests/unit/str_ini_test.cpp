#include <gtest/gtest.h>

#include <map>

#include "storage/ini_file_store.h"
#include "storage/str_ini.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::MemoryFileSystem;
using testing::MemoryProfileStore;

LabelSet NumberedLabels(const Text& prefix) {
  LabelSet labels;
  for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = prefix + FromUtf8(std::to_string(i));
  return labels;
}

TEST(StrIniLabels, KeysInOrderModeBIsButtonNumberThenThree) {
  MemoryProfileStore store;
  EXPECT_TRUE(SaveLabels(store, Language::English, NumberedLabels(u"L")));
  const std::vector<std::string> expected = {
      "Setting-EN/Item1=L0",   "Setting-EN/Item2=L1",   "Setting-EN/Item3=L2",   "Setting-EN/Item4=L3",
      "Setting-EN/Item5=L4",   "Setting-EN/Item6=L5",   "Setting-EN/Item7=L6",   "Setting-EN/Item8=L7",
      "Setting-EN/Item13=L8",  "Setting-EN/Item23=L9",  "Setting-EN/Item33=L10", "Setting-EN/Item43=L11",
      "Setting-EN/Item53=L12", "Setting-EN/Item63=L13", "Setting-EN/Item73=L14", "Setting-EN/Item83=L15"};
  EXPECT_EQ(store.writes, expected);
}

TEST(StrIniLabels, EachLanguageReadsAndWritesOnlyItsOwnSection) {
  MemoryFileSystem files;
  IniFileStore store(files, u"str.ini");
  const LabelSet english = NumberedLabels(u"en");
  const LabelSet simplified = NumberedLabels(u"左键");
  ASSERT_TRUE(SaveLabels(store, Language::English, english));
  ASSERT_TRUE(SaveLabels(store, Language::SimplifiedChinese, simplified));
  ASSERT_TRUE(store.Write(u"Skins", u"Lan", u"CHT"));
  const FileBytes before = files.files[u"str.ini"];

  const LabelSet traditional = NumberedLabels(u"左鍵－");
  ASSERT_TRUE(SaveLabels(store, LanguageFromCode(ReadLanguageCode(store)), traditional));
  EXPECT_EQ(LoadLabels(store, Language::TraditionalChinese), traditional);
  EXPECT_EQ(LoadLabels(store, Language::English), english);
  EXPECT_EQ(LoadLabels(store, Language::SimplifiedChinese), simplified);
  // Everything that was there is still there, byte for byte, in front.
  const FileBytes& after = files.files[u"str.ini"];
  ASSERT_GT(after.size(), before.size());
  EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
}

TEST(StrIniLabels, MissingFileOrKeysReadEmptyAndLineBreaksAreNotWritten) {
  MemoryFileSystem files;
  IniFileStore store(files, u"str.ini");
  EXPECT_EQ(LoadLabels(store, Language::English), LabelSet{});
  EXPECT_EQ(ReadLanguageCode(store), u"");
  EXPECT_EQ(LanguageFromCode(ReadLanguageCode(store)), Language::English);
  LabelSet labels{};
  labels[0] = u"Fire Key\r\nItem2=hijack";
  ASSERT_TRUE(SaveLabels(store, Language::English, labels));
  const LabelSet read = LoadLabels(store, Language::English);
  EXPECT_EQ(read[0], u"Fire Key  Item2=hijack");
  EXPECT_EQ(read[1], u"");
}

TEST(StrIniColors, MissingOrNonNumericIsZeroAndOutOfRangeIsHeld) {
  const std::pair<TextView, int> cases[] = {
      {u"", 0},     {u"abc", 0},  {u"-", 0},     {u"0", 0},     {u"255", 255}, {u"128", 128},
      {u" 42", 42}, {u"+7", 7},   {u"12px", 12}, {u"300", 255}, {u"-5", 0},    {u"99999999999999999999", 255},
      {u"0300", 255}, {u"007", 7}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseColorComponent(text), expected) << ToUtf8(text);
}

TEST(StrIniColors, MissingKeysGiveBlackNotTheStartUpGreen) {
  MemoryProfileStore store;
  const SkinKeys keys = LoadSkinKeys(store);
  EXPECT_EQ(ParseUiTextColor(keys), (Rgb{0, 0, 0}));
  EXPECT_EQ(store.reads, (std::vector<std::string>{"Skins/RColor", "Skins/GColor", "Skins/BColor", "Skins/Path"}));
}

TEST(StrIniSkin, ChoiceIsWrittenAsDecimalsThenThePath) {
  MemoryProfileStore store;
  EXPECT_TRUE(SaveSkinChoice(store, Rgb{0, 128, 255}, u"Light"));
  EXPECT_EQ(store.writes,
            (std::vector<std::string>{"Skins/RColor=0", "Skins/GColor=128", "Skins/BColor=255", "Skins/Path=Light"}));
  const SkinKeys keys = LoadSkinKeys(store);
  EXPECT_EQ(ParseUiTextColor(keys), (Rgb{0, 128, 255}));
  EXPECT_EQ(keys.skinName, u"Light");
}

}  // namespace
}  // namespace px

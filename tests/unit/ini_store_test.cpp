#include <gtest/gtest.h>

#include "storage/ini_file_store.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::MemoryFileSystem;

constexpr TextView kIni = u"C:\\PX\\str.ini";

FileBytes Utf16Le(TextView text) { return EncodeIni(text, IniEncoding::Utf16Le); }
FileBytes Plain(std::string_view text) { return FileBytes(text.begin(), text.end()); }

TEST(IniText, DecodesEachEncodingTheProfileApiReads) {
  const Text text = u"[Setting-CHS]\r\nItem1=左键\r\n";
  EXPECT_EQ(DecodeIni(Utf16Le(text)).text, text);
  EXPECT_EQ(DecodeIni(Utf16Le(text)).encoding, IniEncoding::Utf16Le);
  EXPECT_EQ(DecodeIni(EncodeIni(text, IniEncoding::Utf16Be)).text, text);
  EXPECT_EQ(DecodeIni(EncodeIni(text, IniEncoding::Utf8Bom)).text, text);
  const DecodedIni utf8 = DecodeIni(Plain("[A]\nk=\xE5\xB7\xA6\n"));
  EXPECT_EQ(utf8.encoding, IniEncoding::Plain);
  EXPECT_EQ(utf8.text, u"[A]\nk=左\n");
  // Not UTF-8: every byte is its own character, nothing is dropped.
  EXPECT_EQ(DecodeIni(Plain("k=caf\xE9")).text, u"k=caf\u00E9");
  // A dangling odd byte of a UTF-16 file is ignored.
  FileBytes odd = Utf16Le(u"k=v");
  odd.push_back(0x41);
  EXPECT_EQ(DecodeIni(odd).text, u"k=v");
}

TEST(IniText, PlainFileBecomesUtf16OnlyWhenItMustHoldNonAscii) {
  EXPECT_EQ(EncodeIni(u"k=v\r\n", IniEncoding::Plain), Plain("k=v\r\n"));
  const FileBytes upgraded = EncodeIni(u"k=左\r\n", IniEncoding::Plain);
  ASSERT_GE(upgraded.size(), 2u);
  EXPECT_EQ(upgraded[0], 0xFF);
  EXPECT_EQ(upgraded[1], 0xFE);
  EXPECT_EQ(DecodeIni(upgraded).text, u"k=左\r\n");
}

TEST(IniText, FindsValuesAsTheProfileApiDoes) {
  const Text ini =
      u"; settings\r\n[Skins]\r\nLan=CHS\r\n\r\n[setting-en]\r\n  item1 =  Left Click  \r\nItem2=\"  quoted  \"\r\n"
      u"Item3='x'\r\nItem4=\"half\r\nBare\r\nItem5=a=b\r\n[Other]\r\nItem6=elsewhere\r\n";
  EXPECT_EQ(FindIniValue(ini, u"Setting-EN", u"Item1"), u"Left Click");
  EXPECT_EQ(FindIniValue(ini, u"SETTING-EN", u"ITEM2"), u"  quoted  ");
  EXPECT_EQ(FindIniValue(ini, u"Setting-EN", u"Item3"), u"x");
  EXPECT_EQ(FindIniValue(ini, u"Setting-EN", u"Item4"), u"\"half");
  EXPECT_EQ(FindIniValue(ini, u"Setting-EN", u"Bare"), u"");
  EXPECT_EQ(FindIniValue(ini, u"Setting-EN", u"Item5"), u"a=b");
  EXPECT_EQ(FindIniValue(ini, u"Setting-EN", u"Item6"), std::nullopt);
  EXPECT_EQ(FindIniValue(ini, u"Other", u"Item6"), u"elsewhere");
  EXPECT_EQ(FindIniValue(ini, u"Skins", u"Path"), std::nullopt);
  EXPECT_EQ(FindIniValue(ini, u"Missing", u"Lan"), std::nullopt);
}

TEST(IniText, LongValueIsCutToTheBuffer) {
  const Text longValue(5000, u'字');
  const Text ini = SetIniValue(u"", u"S", u"K", longValue);
  const auto read = FindIniValue(ini, u"S", u"K");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->size(), 1023u);
  EXPECT_EQ(*read, longValue.substr(0, 1023));
  EXPECT_EQ(FindIniValue(SetIniValue(u"", u"S", u"K", Text(1023, u'a')), u"S", u"K")->size(), 1023u);
}

TEST(IniText, SettingAValueKeepsEveryOtherLine) {
  const Text ini = u"; keep me\r\n[A]\r\nx=1\r\nItem1=old\r\ny=2\r\n\r\n[B]\r\nItem1=b\r\n";
  EXPECT_EQ(SetIniValue(ini, u"a", u"ITEM1", u"new"),
            u"; keep me\r\n[A]\r\nx=1\r\nITEM1=new\r\ny=2\r\n\r\n[B]\r\nItem1=b\r\n");
  // A new key goes to the end of its section, before the blank line.
  EXPECT_EQ(SetIniValue(ini, u"A", u"z", u"3"),
            u"; keep me\r\n[A]\r\nx=1\r\nItem1=old\r\ny=2\r\nz=3\r\n\r\n[B]\r\nItem1=b\r\n");
  // A new section goes to the end of the file.
  EXPECT_EQ(SetIniValue(ini, u"C", u"k", u"v"), ini + u"\r\n[C]\r\nk=v\r\n");
  // LF files stay LF; a missing final line end is added only when appending.
  EXPECT_EQ(SetIniValue(u"[A]\nk=1", u"A", u"k", u"2"), u"[A]\nk=2");
  EXPECT_EQ(SetIniValue(u"", u"A", u"k", u"1"), u"[A]\r\nk=1\r\n");
  // A line break in a value cannot split the line.
  const Text broken = SetIniValue(u"", u"A", u"k", u"one\r\ntwo=2");
  EXPECT_EQ(FindIniValue(broken, u"A", u"k"), u"one  two=2");
  EXPECT_EQ(FindIniValue(broken, u"A", u"two"), std::nullopt);
}

TEST(IniFileStore, ChineseLabelSurvivesAWriteAndARead) {
  MemoryFileSystem files;
  IniFileStore store(files, Text(kIni));
  EXPECT_EQ(store.Read(u"Setting-CHS", u"Item1"), u"");  // no file yet
  ASSERT_TRUE(store.Write(u"Setting-CHS", u"Item1", u"左键 - 火力键"));
  ASSERT_TRUE(store.Write(u"Setting-CHT", u"Item1", u"左鍵"));
  EXPECT_EQ(store.Read(u"Setting-CHS", u"Item1"), u"左键 - 火力键");
  EXPECT_EQ(store.Read(u"Setting-CHT", u"Item1"), u"左鍵");
  const FileBytes& bytes = files.files[Text(kIni)];
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);  // a new file is UTF-16LE with a BOM
  EXPECT_EQ(bytes[1], 0xFE);
}

TEST(IniFileStore, KeepsTheFilesEncodingAndUpgradesAnAnsiOneForChinese) {
  MemoryFileSystem files;
  IniFileStore store(files, Text(kIni));
  files.files[Text(kIni)] = Plain("[Skins]\r\nLan=EN\r\n");
  ASSERT_TRUE(store.Write(u"Skins", u"Path", u"Light"));
  EXPECT_EQ(files.files[Text(kIni)], Plain("[Skins]\r\nLan=EN\r\nPath=Light\r\n"));
  ASSERT_TRUE(store.Write(u"Setting-CHS", u"Item2", u"右键"));
  EXPECT_EQ(DecodeIni(files.files[Text(kIni)]).encoding, IniEncoding::Utf16Le);
  EXPECT_EQ(store.Read(u"Skins", u"Lan"), u"EN");
  EXPECT_EQ(store.Read(u"Setting-CHS", u"Item2"), u"右键");

  files.files[Text(kIni)] = EncodeIni(u"[A]\nk=1\n", IniEncoding::Utf8Bom);
  ASSERT_TRUE(store.Write(u"A", u"k", u"中"));
  EXPECT_EQ(files.files[Text(kIni)], EncodeIni(u"[A]\nk=中\n", IniEncoding::Utf8Bom));
}

TEST(IniFileStore, FailedWriteLeavesTheFileAsItWas) {
  MemoryFileSystem files;
  IniFileStore store(files, Text(kIni));
  const FileBytes old = Utf16Le(u"[Skins]\r\nPath=Default\r\n");
  files.files[Text(kIni)] = old;
  files.failWriteAfter = 10;
  EXPECT_FALSE(store.Write(u"Skins", u"Path", u"Light"));
  EXPECT_EQ(files.files[Text(kIni)], old);
  files.failWriteAfter.reset();
  files.unreadable.push_back(Text(kIni));  // present but unreadable: never overwritten blind
  EXPECT_FALSE(store.Write(u"Skins", u"Path", u"Light"));
  EXPECT_EQ(files.files[Text(kIni)], old);
  EXPECT_EQ(store.Read(u"Skins", u"Path"), u"");
}

TEST(IniFileStore, OversizedFileIsNotRewrittenFromAPartialRead) {
  MemoryFileSystem files;
  IniFileStore store(files, Text(kIni));
  FileBytes huge(IniFileStore::kMaxFileSize + 10, 'x');
  files.files[Text(kIni)] = huge;
  EXPECT_FALSE(store.Write(u"A", u"k", u"v"));
  EXPECT_EQ(files.files[Text(kIni)].size(), huge.size());
}

}  // namespace
}  // namespace px

#include <gtest/gtest.h>

#include "storage/executable_path.h"
#include "storage/settings_paths.h"

namespace px {
namespace {

// The replacement rule as the installed executable applies it.
Text ReplaceEvery(Text path, TextView name, TextView with) {
  for (auto at = path.find(name); at != Text::npos; at = path.find(name, at + with.size())) {
    path.replace(at, name.size(), with);
  }
  return path;
}

TEST(SettingsPaths, InstalledNameGivesTheReplacementRulesPaths) {
  for (const Text& exe : {Text(u"C:\\Program Files\\PX\\PX6410-3-4.exe"), Text(u"D:\\游戏\\鼠标\\PX6410-3-4.exe"),
                         Text(u"/opt/px/PX6410-3-4.exe")}) {
    const SettingsPaths paths = BuildSettingsPaths(exe);
    EXPECT_EQ(paths.configFile, ReplaceEvery(exe, kExecutableName, u"config.bin"));
    EXPECT_EQ(paths.iniFile, ReplaceEvery(exe, kExecutableName, u"str.ini"));
    EXPECT_EQ(paths.executableFolder, ReplaceEvery(exe, kExecutableName, u""));
  }
}

TEST(SettingsPaths, RenamedExecutableUsesItsOwnFolderNeverItself) {
  // Under another name (a case-sensitive search: "px6410-3-4.exe" is another
  // name too) the replacement finds nothing; a save must not hit the exe.
  for (const Text& exe : {Text(u"C:\\Tools\\mouse.exe"), Text(u"C:\\Tools\\px6410-3-4.exe"),
                         Text(u"C:\\Tools\\PX6410-3-4 (1).exe")}) {
    const SettingsPaths paths = BuildSettingsPaths(exe);
    EXPECT_EQ(paths.configFile, u"C:\\Tools\\config.bin");
    EXPECT_EQ(paths.iniFile, u"C:\\Tools\\str.ini");
    EXPECT_EQ(paths.executableFolder, u"C:\\Tools\\");
    EXPECT_NE(paths.configFile, exe);
    EXPECT_NE(paths.iniFile, exe);
  }
}

TEST(SettingsPaths, FolderNamedLikeTheExecutableIsNotRewritten) {
  const SettingsPaths paths = BuildSettingsPaths(u"D:\\PX6410-3-4.exe\\PX6410-3-4.exe");
  EXPECT_EQ(paths.configFile, u"D:\\PX6410-3-4.exe\\config.bin");
  EXPECT_EQ(paths.executableFolder, u"D:\\PX6410-3-4.exe\\");
}

TEST(SettingsPaths, BareNameAndMixedSeparators) {
  EXPECT_EQ(BuildSettingsPaths(u"PX6410-3-4.exe").configFile, u"config.bin");
  EXPECT_EQ(BuildSettingsPaths(u"PX6410-3-4.exe").executableFolder, u"");
  EXPECT_EQ(BuildSettingsPaths(u"C:/a\\b/other.exe").iniFile, u"C:/a\\b/str.ini");
}

TEST(SettingsPaths, RunningExecutableIsFoundOnThisPlatform) {
  const Text exe = RunningExecutablePath();
  ASSERT_FALSE(exe.empty());
  EXPECT_TRUE(exe.ends_with(u"px_unit_tests")) << ToUtf8(exe);
  EXPECT_EQ(BuildSettingsPaths(exe).configFile, FolderOf(exe) + u"config.bin");
}

}  // namespace
}  // namespace px

// Starting the utility at login, decided against fakes of the file system and
// the registry (tests/wine/ctl_autostart.sh runs the tool on both systems).
#include <gtest/gtest.h>

#include <map>

#include "storage/autostart.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::MemoryFileSystem;

class Folders final : public FolderMaker {
 public:
  bool MakeFolders(const NativePath&, int&) override { return true; }
};

TEST(LinuxAutostart, TheEntryFollowsXdgIsQuotedAndAnotherProgramsOneIsLeftAlone) {
  EXPECT_EQ(AutostartEntryPath({.executable = {}, .xdgConfigHome = "/x", .home = "/h", .dataFolder = {}}),
            NativePath("/x/autostart/px6410.desktop"));
  EXPECT_EQ(AutostartEntryPath({.executable = {}, .xdgConfigHome = "rel", .home = "/h", .dataFolder = {}}),
            NativePath("/h/.config/autostart/px6410.desktop"));
  EXPECT_FALSE(AutostartEntryPath({}));

  const auto exec = [](const std::string& path) {
    const std::optional<std::string> text = AutostartEntryText(NativePath(path));
    if (!text) return std::string("refused");
    const std::size_t at = text->find("\nExec=") + 6;
    return text->substr(at, text->find('\n', at) - at);
  };
  EXPECT_EQ(exec("/my apps/px6410"), "\"/my apps/px6410\"");
  EXPECT_EQ(exec("/a$b\"c\\d%e/px6410"), "\"/a\\\\$b\\\\\"c\\\\\\\\d%%e/px6410\"");
  EXPECT_EQ(exec("/a\nb/px6410"), "refused");
  EXPECT_EQ(exec("/a\xFF/px6410"), "refused");

  MemoryFileSystem files;
  Folders folders;
  const SettingsEnvironment env{.executable = "/opt/px6410ctl", .xdgConfigHome = "/c", .home = {}, .dataFolder = {}};
  files.files[u"/c/autostart/px6410.desktop"] = {'[', ']'};
  EXPECT_EQ(LinuxAutostartOn(files, folders, env).status, AutostartAnswer::Status::NotOurs);
  EXPECT_EQ(LinuxAutostartOff(files, env).status, AutostartAnswer::Status::NotOurs);
  EXPECT_EQ(files.files[u"/c/autostart/px6410.desktop"], (FileBytes{'[', ']'}));
  EXPECT_EQ(LinuxAutostartStatus(files, env).state, AutostartState::Off);
}

class FakeRunKey final : public RunKey {
 public:
  std::map<Text, Text> values{{u"Other", u"other.exe"}};
  std::optional<Text> Read(TextView name) override {
    const auto it = values.find(Text(name));
    return it == values.end() ? std::nullopt : std::optional<Text>(it->second);
  }
  bool Write(TextView name, TextView value, int&) override { return values[Text(name)] = value, true; }
  bool Remove(TextView name, int&) override { return values.erase(Text(name)), true; }
};

TEST(WindowsAutostart, TheRunValueQuotesTheUtilityBesideTheToolAndOffRemovesOnlyIt) {
  MemoryFileSystem files;
  FakeRunKey key;
  const NativePath exe("C:/Program Files/PX6410/PX6410-3-4.exe");
  const Text text = u"C:\\Program Files\\PX6410\\PX6410-3-4.exe";
  EXPECT_EQ(WindowsAutostartOn(key, files, exe, text).status, AutostartAnswer::Status::NoUtility);
  files.files[MemoryFileSystem::Key(exe)] = {1};
  EXPECT_EQ(WindowsAutostartOn(key, files, exe, u"C:\\a\"b.exe").status, AutostartAnswer::Status::BadPath);
  EXPECT_EQ(key.values.size(), 1u);

  ASSERT_TRUE(WindowsAutostartOn(key, files, exe, text).Ok());
  EXPECT_EQ(key.values[u"PX6410"], u"\"C:\\Program Files\\PX6410\\PX6410-3-4.exe\"");
  EXPECT_EQ(WindowsAutostartStatus(key).state, AutostartState::On);
  ASSERT_TRUE(WindowsAutostartOff(key).Ok());
  EXPECT_EQ(key.values, (std::map<Text, Text>{{u"Other", u"other.exe"}}));
}

}  // namespace
}  // namespace px

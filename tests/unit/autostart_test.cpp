// Starting the utility at login: the XDG autostart entry (Linux) and the Run
// value (Windows), decided here and checked against fakes of the file
// system and the registry.
#include <gtest/gtest.h>

#include <map>

#include "storage/autostart.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::MemoryFileSystem;

class Folders final : public FolderMaker {
 public:
  bool MakeFolders(const NativePath& path, int&) override {
    made.push_back(path.string());
    return true;
  }
  std::vector<std::string> made;
};

std::string Content(MemoryFileSystem& files, const std::string& path) {
  const FileBytes& bytes = files.files[MemoryFileSystem::Key(NativePath(path))];
  return std::string(bytes.begin(), bytes.end());
}

TEST(LinuxAutostart, TheEntryFollowsXdgAndStartsTheUtilityBesideTheToolElseTheInstalledOne) {
  struct Case {
    std::optional<std::string> xdg, home;
    bool utilityBeside;
    std::optional<std::string> entry;
    std::string exec;
  };
  const Case cases[] = {
      {"/x/cfg", "/home/u", true, "/x/cfg/autostart/px6410.desktop", "Exec=\"/opt/px/px6410\""},
      {"", "/home/u", false, "/home/u/.config/autostart/px6410.desktop", "Exec=\"/usr/bin/px6410\""},
      {"relative", "/home/u", false, "/home/u/.config/autostart/px6410.desktop", "Exec=\"/usr/bin/px6410\""},
      {std::nullopt, std::nullopt, false, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    Folders folders;
    if (c.utilityBeside) files.files[u"/opt/px/px6410"] = {1};
    const SettingsEnvironment env{.executable = "/opt/px/px6410ctl", .xdgConfigHome = c.xdg, .home = c.home,
                                  .dataFolder = {}};
    const AutostartAnswer on = LinuxAutostartOn(files, folders, env);
    if (!c.entry) {
      EXPECT_EQ(on.status, AutostartAnswer::Status::NoFolder);
      continue;
    }
    ASSERT_TRUE(on.Ok()) << *c.entry;
    EXPECT_EQ(on.where, *c.entry);
    const std::string text = Content(files, *c.entry);
    EXPECT_NE(text.find("\n" + c.exec + "\n"), std::string::npos) << text;
    EXPECT_EQ(folders.made, std::vector<std::string>{NativePath(*c.entry).parent_path().string()});
    EXPECT_EQ(LinuxAutostartStatus(files, env).state, AutostartState::On);
    ASSERT_TRUE(LinuxAutostartOff(files, env).Ok());
    EXPECT_FALSE(files.Has(MemoryFileSystem::Key(NativePath(*c.entry))));
    EXPECT_EQ(LinuxAutostartStatus(files, env).state, AutostartState::Off);
  }
}

TEST(LinuxAutostart, AnotherProgramsEntryIsLeftAloneAndOddPathsAreQuotedOrRefused) {
  MemoryFileSystem files;
  Folders folders;
  const SettingsEnvironment env{.executable = "/opt/px/px6410ctl", .xdgConfigHome = "/c", .home = {}, .dataFolder = {}};
  files.files[u"/c/autostart/px6410.desktop"] = {'[', ']'};
  EXPECT_EQ(LinuxAutostartOn(files, folders, env).status, AutostartAnswer::Status::NotOurs);
  EXPECT_EQ(LinuxAutostartOff(files, env).status, AutostartAnswer::Status::NotOurs);
  EXPECT_EQ(Content(files, "/c/autostart/px6410.desktop"), "[]");
  EXPECT_EQ(LinuxAutostartStatus(files, env).state, AutostartState::Off);

  const auto exec = [](const std::string& path) {
    const std::optional<std::string> text = AutostartEntryText(NativePath(path));
    if (!text) return std::string("refused");
    const std::size_t at = text->find("Exec=") + 5;
    return text->substr(at, text->find('\n', at) - at);
  };
  EXPECT_EQ(exec("/my apps/px6410"), "\"/my apps/px6410\"");
  EXPECT_EQ(exec("/a$b\"c\\d%e/px6410"), "\"/a\\\\$b\\\\\"c\\\\\\\\d%%e/px6410\"");
  EXPECT_EQ(exec("/a\nb/px6410"), "refused");
  EXPECT_EQ(exec("/a\xFF/px6410"), "refused");
}

class FakeRunKey final : public RunKey {
 public:
  std::map<Text, Text> values;
  std::optional<int> fail;
  std::optional<Text> Read(TextView name) override {
    const auto it = values.find(Text(name));
    return it == values.end() ? std::nullopt : std::optional<Text>(it->second);
  }
  bool Write(TextView name, TextView value, int& error) override {
    if (fail) return error = *fail, false;
    values[Text(name)] = value;
    return true;
  }
  bool Remove(TextView name, int& error) override {
    if (fail) return error = *fail, false;
    values.erase(Text(name));
    return true;
  }
};

TEST(WindowsAutostart, TheRunValueQuotesTheUtilityBesideTheToolAndOffRemovesOnlyIt) {
  MemoryFileSystem files;
  FakeRunKey key;
  key.values[u"Other"] = u"other.exe";
  const NativePath exe("C:/Program Files/PX6410/PX6410-3-4.exe");
  const Text text = u"C:\\Program Files\\PX6410\\PX6410-3-4.exe";
  EXPECT_EQ(WindowsAutostartOn(key, files, exe, text).status, AutostartAnswer::Status::NoUtility);
  EXPECT_TRUE(key.values.size() == 1);

  files.files[MemoryFileSystem::Key(exe)] = {1};
  const AutostartAnswer on = WindowsAutostartOn(key, files, exe, text);
  ASSERT_TRUE(on.Ok());
  EXPECT_EQ(key.values[u"PX6410"], u"\"C:\\Program Files\\PX6410\\PX6410-3-4.exe\"");
  EXPECT_EQ(WindowsAutostartStatus(key).state, AutostartState::On);
  EXPECT_EQ(WindowsAutostartOn(key, files, exe, u"C:\\a\"b.exe").status, AutostartAnswer::Status::BadPath);

  ASSERT_TRUE(WindowsAutostartOff(key).Ok());
  EXPECT_EQ(key.values, (std::map<Text, Text>{{u"Other", u"other.exe"}}));
  EXPECT_EQ(WindowsAutostartStatus(key).state, AutostartState::Off);

  key.fail = 5;
  const AutostartAnswer refused = WindowsAutostartOn(key, files, exe, text);
  EXPECT_EQ(refused.status, AutostartAnswer::Status::Failed);
  EXPECT_EQ(refused.error, 5);
}

}  // namespace
}  // namespace px

// Where the Linux programs keep their settings, and the first use that makes
// the user's folder from the installed defaults.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>

#include "storage/settings_location.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::MemoryFileSystem;

const FileBytes kDefaultConfig(200, 7);
const FileBytes kDefaultIni{0xFF, 0xFE, 'L', 0};

Text Key(const std::string& path) { return MemoryFileSystem::Key(NativePath(path)); }

// Records the folders asked for; fails on request.
class FakeFolders final : public FolderMaker {
 public:
  explicit FakeFolders(MemoryFileSystem& files) : files_(files) {}
  std::optional<int> fail;
  bool MakeFolders(const NativePath& path, int& error) override {
    if (fail) {
      error = *fail;
      return false;
    }
    files_.folders.insert(path.u16string());
    return true;
  }

 private:
  MemoryFileSystem& files_;
};

SettingsEnvironment Env(std::optional<std::string> xdg, std::optional<std::string> home = "/home/ann") {
  return SettingsEnvironment{.executable = "/usr/bin/px6410", .xdgConfigHome = std::move(xdg),
                             .home = std::move(home), .dataFolder = "/usr/share/px6410"};
}

TEST(SettingsLocation, ChoosesThePortableFolderElseTheUsersConfigurationFolder) {
  struct Case {
    const char* what;
    std::optional<std::string> xdg, home;
    bool configBeside;
    std::string folder;  // empty: none can be told
  };
  const Case cases[] = {
      {"portable folder wins over XDG", "/x/conf", "/home/ann", true, "/usr/bin"},
      {"XDG_CONFIG_HOME set", "/x/conf", "/home/ann", false, "/x/conf/px6410"},
      {"XDG_CONFIG_HOME unset", std::nullopt, "/home/ann", false, "/home/ann/.config/px6410"},
      {"XDG_CONFIG_HOME empty", "", "/home/ann", false, "/home/ann/.config/px6410"},
      {"XDG_CONFIG_HOME relative", "conf", "/home/ann", false, "/home/ann/.config/px6410"},
      {"no absolute folder at all", "conf", "home", false, ""},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    if (c.configBeside) files.files[Key("/usr/bin/config.bin")] = kDefaultConfig;
    const SettingsLocation where = ChooseSettingsLocation(files, Env(c.xdg, c.home));
    EXPECT_EQ(where.folder, NativePath(c.folder)) << c.what;
    EXPECT_EQ(where.portable, c.configBeside) << c.what;
    if (!c.folder.empty()) {
      EXPECT_EQ(where.configFile, NativePath(c.folder) / "config.bin") << c.what;
      EXPECT_EQ(where.iniFile, NativePath(c.folder) / "str.ini") << c.what;
    }
  }
  // An executable the system could not name has no folder to be portable in.
  MemoryFileSystem files;
  files.files[Key("config.bin")] = kDefaultConfig;
  SettingsEnvironment unknown = Env(std::nullopt);
  unknown.executable.clear();
  EXPECT_FALSE(ChooseSettingsLocation(files, unknown).portable);
}

TEST(SettingsLocation, SkinsBesideTheExecutableElseTheInstalledOnes) {
  MemoryFileSystem files;
  EXPECT_EQ(ChooseSkinsRoot(files, Env(std::nullopt)), NativePath("/usr/share/px6410/Skins"));
  files.folders.insert(Key("/usr/bin/Skins"));
  EXPECT_EQ(ChooseSkinsRoot(files, Env(std::nullopt)), NativePath("/usr/bin/Skins"));
}

class SettingsSetupTest : public ::testing::Test {
 public:  // the table's arrangements reach in
  void SetUp() override {
    files.files[Key("/usr/share/px6410/config.bin")] = kDefaultConfig;
    files.files[Key("/usr/share/px6410/str.ini")] = kDefaultIni;
  }
  SettingsSetup Prepare() {
    where = ChooseSettingsLocation(files, Env("/x/conf"));
    return PrepareSettingsFolder(files, folders, where, "/usr/share/px6410");
  }
  MemoryFileSystem files;
  FakeFolders folders{files};
  SettingsLocation where;
};

TEST_F(SettingsSetupTest, FirstUseMakesTheFolderAndCopiesTheDefaults) {
  ASSERT_TRUE(Prepare().Ok());
  EXPECT_TRUE(files.folders.contains(Key("/x/conf/px6410")));
  EXPECT_EQ(files.files[Key("/x/conf/px6410/config.bin")], kDefaultConfig);
  EXPECT_EQ(files.files[Key("/x/conf/px6410/str.ini")], kDefaultIni);
}

TEST_F(SettingsSetupTest, FilesAlreadyThereAreKept) {
  const FileBytes mine(200, 1);
  files.files[Key("/x/conf/px6410/config.bin")] = mine;
  ASSERT_TRUE(Prepare().Ok());
  EXPECT_EQ(files.files[Key("/x/conf/px6410/config.bin")], mine);
  EXPECT_EQ(files.files[Key("/x/conf/px6410/str.ini")], kDefaultIni);  // only the missing one copied
}

TEST_F(SettingsSetupTest, APortableFolderIsLeftAsItIs) {
  files.files[Key("/usr/bin/config.bin")] = kDefaultConfig;
  ASSERT_TRUE(Prepare().Ok());
  EXPECT_TRUE(where.portable);
  EXPECT_FALSE(files.Has(Key("/usr/bin/str.ini")));
  EXPECT_TRUE(files.folders.empty());
}

TEST_F(SettingsSetupTest, EachFailureNamesItsFileAndLosesNothing) {
  struct Case {
    const char* what;
    std::function<void(SettingsSetupTest&)> arrange;
    SettingsSetup::Status status;
    std::string path;
    std::string words;  // in the description
  };
  const FileBytes mine(200, 1);
  const Case cases[] = {
      {"folder cannot be made", [](SettingsSetupTest& t) { t.folders.fail = 13; }, SettingsSetup::Status::FolderFailed,
       "/x/conf/px6410", "/x/conf/px6410: cannot make the settings folder: error 13"},
      {"default str.ini missing", [](SettingsSetupTest& t) { t.files.files.erase(Key("/usr/share/px6410/str.ini")); },
       SettingsSetup::Status::SeedMissing, "/usr/share/px6410/str.ini",
       "/usr/share/px6410/str.ini: the installed default settings are missing"},
      {"default config.bin unreadable",
       [](SettingsSetupTest& t) { t.files.unreadable.push_back(Key("/usr/share/px6410/config.bin")); },
       SettingsSetup::Status::SeedUnreadable, "/usr/share/px6410/config.bin",
       "/usr/share/px6410/config.bin: cannot read the installed default settings"},
      {"default config.bin too large",
       [](SettingsSetupTest& t) { t.files.files[Key("/usr/share/px6410/config.bin")] = FileBytes(4096); },
       SettingsSetup::Status::SeedUnreadable, "/usr/share/px6410/config.bin", "not a regular file of the expected size"},
      {"copy cannot be written", [](SettingsSetupTest& t) { t.files.failCreate = 28; },
       SettingsSetup::Status::CopyFailed, "/x/conf/px6410/str.ini",
       "/x/conf/px6410/str.ini: cannot write the default settings there: error 28"},
  };
  for (const Case& c : cases) {
    SetUp();
    files.failCreate.reset();
    files.unreadable.clear();
    folders.fail.reset();
    // The user already has a config.bin: whatever fails, it stays as it was.
    files.files[Key("/x/conf/px6410/config.bin")] = mine;
    files.files.erase(Key("/x/conf/px6410/str.ini"));
    if (std::string(c.what).find("config.bin") != std::string::npos) {
      files.files.erase(Key("/x/conf/px6410/config.bin"));
    }
    c.arrange(*this);
    const SettingsSetup setup = Prepare();
    EXPECT_EQ(setup.status, c.status) << c.what;
    EXPECT_EQ(setup.path, NativePath(c.path)) << c.what;
    EXPECT_NE(DescribeSettingsSetup(files, setup).find(c.words), std::string::npos)
        << c.what << ": " << DescribeSettingsSetup(files, setup);
    if (files.Has(Key("/x/conf/px6410/config.bin"))) {
      EXPECT_EQ(files.files[Key("/x/conf/px6410/config.bin")], mine) << c.what;
    }
    EXPECT_FALSE(files.Has(Key("/x/conf/px6410/str.ini"))) << c.what;
  }
  // No absolute folder: said so, nothing made.
  MemoryFileSystem none;
  const SettingsLocation nowhere = ChooseSettingsLocation(none, Env(std::nullopt, std::nullopt));
  const SettingsSetup setup = PrepareSettingsFolder(none, folders, nowhere, "/usr/share/px6410");
  EXPECT_EQ(setup.status, SettingsSetup::Status::NoFolder);
  EXPECT_NE(DescribeSettingsSetup(none, setup).find("XDG_CONFIG_HOME nor HOME"), std::string::npos);
}

// The Linux folder maker: parents made, new folders private, a file in the
// way reported.
TEST(SystemFolderMaker, MakesMissingParentsPrivateAndRefusesAFileInTheWay) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(::testing::TempDir()) / ("px_folders_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root);
  int error = 0;
  ASSERT_TRUE(SystemFolderMaker().MakeFolders(root / "a" / "b" / "px6410", error)) << error;
  EXPECT_TRUE(fs::is_directory(root / "a" / "b" / "px6410"));
  struct stat st {};
  ASSERT_EQ(::stat((root / "a").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_TRUE(SystemFolderMaker().MakeFolders(root / "a", error));  // already there
  std::ofstream(root / "file") << "x";
  EXPECT_FALSE(SystemFolderMaker().MakeFolders(root / "file" / "px6410", error));
  EXPECT_EQ(error, ENOTDIR);
  EXPECT_FALSE(SystemFolderMaker().MakeFolders(root / "file", error));
  fs::remove_all(root);
}

}  // namespace
}  // namespace px

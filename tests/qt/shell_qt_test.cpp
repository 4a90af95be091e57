// The Linux program's own pieces at their seams: one instance per session
// with the second start reaching the first; the simulated mouse's state file
// coming and going as plugs; where the settings files are found or made.
#include <gtest/gtest.h>

#include <QFileSystemWatcher>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

#include "app/qt/plug_watch_qt.h"
#include "app/qt/single_instance_qt.h"
#include "app/qt/utility_files_qt.h"
#include "qt_wait.h"
#include "storage/installed_files.h"

namespace px {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) { std::ofstream(file) << "x"; }

TEST(QtSingleInstanceTest, TheSecondStartAsksTheFirstToShowAndEnds) {
  QTemporaryDir runtime;
  QtSingleInstance first(runtime.path());
  int shows = 0;
  first.onShowRequest = [&] { ++shows; };
  ASSERT_TRUE(first.ClaimFirstInstance());

  QtSingleInstance second(runtime.path());
  EXPECT_FALSE(second.ClaimFirstInstance());
  EXPECT_TRUE(testing::ProcessEventsUntil([&] { return shows == 1; }));

  // Another session (another runtime folder) has its own instance.
  QTemporaryDir otherRuntime;
  QtSingleInstance other(otherRuntime.path());
  EXPECT_TRUE(other.ClaimFirstInstance());
}

TEST(QtSingleInstanceTest, ALockLeftByADeadInstanceIsTakenOver) {
  QTemporaryDir runtime;
  // A lock file naming a process that no longer exists, and its socket.
  std::ofstream(runtime.filePath("px6410.lock").toStdString()) << "999999\npx6410\n" << QSysInfo::machineHostName().toStdString() << "\n";
  Touch(runtime.filePath("px6410.socket").toStdString());
  QtSingleInstance instance(runtime.path());
  EXPECT_TRUE(instance.ClaimFirstInstance());
}

TEST(QtPlugWatchTest, TheStateFileGoingAndComingIsAnUnplugAndAPlug) {
  QTemporaryDir folder;
  const fs::path state = fs::path(folder.path().toStdString()) / "mouse.bin";
  Touch(state);
  std::vector<bool> plugs;
  auto watch = QtPlugWatch::ForStateFile(state, [&](bool arrived) { plugs.push_back(arrived); });
  // A save replaces the file in one rename: no plug, even once the change
  // has been seen and the settling time is over.
  QFileSystemWatcher observer({folder.path()});
  bool changed = false;
  QObject::connect(&observer, &QFileSystemWatcher::directoryChanged, [&] { changed = true; });
  Touch(state.string() + ".tmp");
  fs::rename(state.string() + ".tmp", state);
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return changed; }));
  testing::ProcessEventsUntil([] { return false; }, QtPlugWatch::kSettleMs + 200);
  EXPECT_TRUE(plugs.empty());
  fs::rename(state, state.string() + ".away");
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !plugs.empty(); }));
  fs::rename(state.string() + ".away", state);
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return plugs.size() == 2; }));
  EXPECT_EQ(plugs, (std::vector<bool>{false, true}));
}

TEST(UtilityFilesTest, AGivenFolderThenAPortableFolderThenTheUsersOwn) {
  QTemporaryDir root;
  const fs::path base = root.path().toStdString();
  const fs::path exe = base / "bin";
  fs::create_directories(exe);
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((base / "config").string()));
  std::string error;

  auto files = FindUtilityFilesStandIn(base / "given", exe, error);
  ASSERT_TRUE(files);
  EXPECT_EQ(files->configFile, base / "given" / "config.bin");

  files = FindUtilityFilesStandIn(std::nullopt, exe, error);
  ASSERT_TRUE(files) << error;
  EXPECT_EQ(files->iniFile, base / "config" / "px6410" / "str.ini");
  EXPECT_EQ(fs::file_size(files->configFile), InstalledConfigBin().size());
  // The user's settings stay once made.
  std::ofstream(files->configFile, std::ios::trunc) << "mine";
  files = FindUtilityFilesStandIn(std::nullopt, exe, error);
  EXPECT_EQ(fs::file_size(files->configFile), 4u);

  Touch(exe / "config.bin");
  files = FindUtilityFilesStandIn(std::nullopt, exe, error);
  EXPECT_EQ(files->configFile, exe / "config.bin");

  // Skins beside the executable, else the installed ones.
  EXPECT_EQ(ToUtf8(SkinsRootFor(exe, "/usr/share/px6410")), "/usr/share/px6410/Skins");
  fs::create_directories(exe / "Skins");
  EXPECT_EQ(ToUtf8(SkinsRootFor(exe, "/usr/share/px6410")), (exe / "Skins").string());

  // A settings folder that cannot be made is said so.
  fs::remove(exe / "config.bin");
  Touch(base / "plain-file");
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((base / "plain-file").string()));
  EXPECT_FALSE(FindUtilityFilesStandIn(std::nullopt, exe, error));
  EXPECT_NE(error.find("cannot make the settings folder"), std::string::npos);
  qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace px

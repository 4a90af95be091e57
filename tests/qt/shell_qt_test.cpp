// The Linux program's own pieces at their seams: one instance per session
// with the second start reaching the first; the simulated mouse's state file
// coming and going as plugs.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

#include "app/qt/plug_watch_qt.h"
#include "app/qt/single_instance_qt.h"
#include "qt_wait.h"

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

TEST(QtSingleInstanceTest, WhereNoLockCanBeMadeTheProgramRunsAtOnce) {
  // The runtime folder cannot be made: a file stands where it would be.
  QTemporaryDir dir;
  Touch(dir.filePath("file").toStdString());
  QtSingleInstance instance(dir.filePath("file/run"));
  QElapsedTimer waited;
  waited.start();
  EXPECT_TRUE(instance.ClaimFirstInstance());
  EXPECT_LT(waited.elapsed(), QtSingleInstance::kAskTimeoutMs / 2);
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

}  // namespace
}  // namespace px

// The Linux program's own pieces at their seams: one instance per session
// with the second start reaching the first; the simulated mouse's state file
// coming and going as plugs.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QFileSystemWatcher>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/qt/plug_watch_qt.h"
#include "app/qt/single_instance_qt.h"
#include "qt_wait.h"

namespace px {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) { std::ofstream(file) << "x"; }

TEST(QtSingleInstanceTest, TheSecondStartOfTheSessionHandsTheFirstItsTokenAndEnds) {
  QTemporaryDir runtime;
  QtSingleInstance first(runtime.path(), "px6410-session-1");
  std::vector<ActivationToken> shows;
  first.onShowRequest = [&](const ActivationToken& token) { shows.push_back(token); };
  ASSERT_TRUE(first.ClaimFirstInstance());

  const ActivationToken token{.xdgActivation = "wl-token-1", .startupId = "host-42_TIME1234"};
  QtSingleInstance second(runtime.path(), "px6410-session-1", token);
  EXPECT_FALSE(second.ClaimFirstInstance());
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return shows.size() == 1; }));
  EXPECT_EQ(shows[0], token);

  // The plain request of an earlier version still shows the window.
  QLocalSocket earlier;
  earlier.connectToServer(runtime.filePath("px6410-session-1.socket"));
  ASSERT_TRUE(earlier.waitForConnected(2000));
  earlier.write("show\n");
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return shows.size() == 2; }));
  EXPECT_EQ(shows[1], ActivationToken{});

  // Another session of the same user, in the same runtime folder, has its own.
  QtSingleInstance other(runtime.path(), "px6410-session-2");
  EXPECT_TRUE(other.ClaimFirstInstance());
}

TEST(QtSingleInstanceTest, ALockLeftByADeadInstanceIsTakenOver) {
  QTemporaryDir runtime;
  // A lock file naming a process that no longer exists, and its socket.
  std::ofstream(runtime.filePath("px6410-x.lock").toStdString()) << "999999\npx6410\n" << QSysInfo::machineHostName().toStdString() << "\n";
  Touch(runtime.filePath("px6410-x.socket").toStdString());
  QtSingleInstance instance(runtime.path(), "px6410-x");
  EXPECT_TRUE(instance.ClaimFirstInstance());
}

TEST(QtSingleInstanceTest, ALockWhoseProcessRunsIsNeverStaleHoweverOld) {
  // A live process named in an hour-old lock (Qt's own stale time is half a minute).
  QProcess holder;
  holder.start("sleep", {"600"});
  ASSERT_TRUE(holder.waitForStarted());
  QTemporaryDir runtime;
  const QString lock = runtime.filePath("px6410-x.lock");
  std::ofstream(lock.toStdString()) << holder.processId() << "\nsleep\n" << QSysInfo::machineHostName().toStdString() << "\n";
  QFile file(lock);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
  file.close();
  // Its instance answers on the socket.
  QLocalServer running;
  ASSERT_TRUE(running.listen(runtime.filePath("px6410-x.socket")));

  QtSingleInstance instance(runtime.path(), "px6410-x");
  EXPECT_FALSE(instance.ClaimFirstInstance());
  EXPECT_TRUE(running.hasPendingConnections() || running.waitForNewConnection(2000));
  holder.kill();
  holder.waitForFinished();
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

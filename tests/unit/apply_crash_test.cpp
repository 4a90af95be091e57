// Apply killed at random moments, on real files: each settings file is
// wholly old or wholly new afterwards, never a mix of rows, and once a start
// has looked at the folder the pair agrees: new labels only with the new
// config.bin.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "app/apply_flow.h"
#include "storage/ini_file_store.h"
#include "storage/installed_files.h"
#include "storage_fakes.h"

namespace px {
namespace {

namespace fs = std::filesystem;

struct Saved {
  FileBytes config, ini;
  bool operator==(const Saved&) const = default;
};

class ApplyCrash : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("px_apply_crash_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ASSERT_TRUE(WriteWholeFile(SystemFileSystem(), dir_ / "config.bin", InstalledConfigBin()).Ok());
    ASSERT_TRUE(WriteWholeFile(SystemFileSystem(), dir_ / "str.ini", InstalledStrIni()).Ok());
  }
  void TearDown() override { fs::remove_all(dir_); }

  void RunApply(const SettingsSession& state) {
    testing::RecordingBoxes boxes;
    ConfigFile config(SystemFileSystem(), boxes, dir_ / "config.bin");
    IniFileStore ini(SystemFileSystem(), dir_ / "str.ini");
    testing::ScriptedMouse mouse;
    testing::RecordingWindow window;
    SettingsSession session = state;
    Apply(session, ApplyPorts{mouse, config, ini, window});
  }
  // What every start does before it reads the files.
  void Start() {
    testing::RecordingBoxes boxes;
    ConfigFile config(SystemFileSystem(), boxes, dir_ / "config.bin");
    IniFileStore ini(SystemFileSystem(), dir_ / "str.ini");
    SettingsSession session;
    LoadSettingsAtStart(session, config, ini);
  }
  Saved Files() const {
    return {SystemFileSystem().Read(dir_ / "config.bin", 1000).bytes,
            SystemFileSystem().Read(dir_ / "str.ini", 1 << 20).bytes};
  }

  fs::path dir_;
};

SettingsSession State(std::uint8_t rate, TextView prefix) {
  SettingsSession s;
  s.devicePresent = true;
  s.model.ReportRateCode = rate;
  s.labels = DefaultButtonLabels(Language::English);
  for (std::size_t i = 0; i < 4; ++i) s.labels[i] = s.labels[8 + i] = Text(prefix) + FromUtf8(std::to_string(i));
  return s;
}

TEST_F(ApplyCrash, EachFileIsWhollyOldOrNewAndThePairAgreesAfterAStart) {
  const SettingsSession states[] = {State(1, u"first "), State(8, u"second ")};
  Saved saved[2];
  auto longest = std::chrono::microseconds(0);
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 2; ++i) {
      const auto start = std::chrono::steady_clock::now();
      RunApply(states[i]);
      longest = std::max(longest, std::chrono::duration_cast<std::chrono::microseconds>(
                                      std::chrono::steady_clock::now() - start));
      saved[i] = Files();
    }
  }
  ASSERT_NE(saved[0].config, saved[1].config);
  ASSERT_NE(saved[0].ini, saved[1].ini);

  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<long> moment(0, longest.count() * 3 / 2 + 100);
  int current = 1;
  int mixed = 0;
  for (int kill = 0; kill < 30; ++kill) {
    const int target = 1 - current;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RunApply(states[target]);
      _exit(0);
    }
    // Not a wait for anything: the kill lands at a random moment of the save.
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);

    const Saved killed = Files();
    ASSERT_TRUE(killed.config == saved[target].config || killed.config == saved[current].config)
        << "config.bin is neither old nor new, kill " << kill;
    ASSERT_TRUE(killed.ini == saved[target].ini || killed.ini == saved[current].ini)
        << "str.ini is neither old nor new, kill " << kill;
    if ((killed.config == saved[target].config) != (killed.ini == saved[target].ini)) ++mixed;

    Start();
    const Saved now = Files();
    ASSERT_EQ(now.config, killed.config) << "the start changed config.bin, kill " << kill;
    const bool configNew = now.config == saved[target].config;
    ASSERT_EQ(now.ini, saved[configNew ? target : current].ini) << "labels of the other config.bin, kill " << kill;
    if (configNew) current = target;
  }
  std::printf("30 kills, %d between the two renames, put right by the start\n", mixed);
}

}  // namespace
}  // namespace px

// What px6410ctl tells its user when the mouse misbehaves part-way: the
// utility's box text, then one line saying what happened and what was done.
#include <gtest/gtest.h>

#include <sstream>

#include "cli.h"
#include "device_fixtures.h"
#include "sample_settings.h"
#include "storage/file_system.h"

namespace px {
namespace {

struct Outcome {
  int exitCode;
  std::string err;
};

class CtlDeviceMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteState(state, testing::PatternImage());
    std::vector<std::uint8_t> config{1};
    const SettingsModel model = SampleSettings();
    config.insert(config.end(), model.Bytes().begin(), model.Bytes().end());
    ASSERT_TRUE(WriteWholeFile(SystemFileSystem(), configFile, config).Ok());
  }

  Outcome Run(SimulatedFaults faults, std::vector<std::string> args) {
    std::ostringstream printed, err;
    const std::string command = args.front();
    args.erase(args.begin());
    cli::Context ctx{.simFile = {}, .traceFile = {}, .program = "px6410ctl", .args = args, .out = printed, .err = err};
    ctx.makeBus = [&] {
      auto mouse = std::make_shared<SimulatedMouse>(SystemFileSystem(), state, faults);
      return std::make_unique<SimulatedHidBus>(mouse, MouseInterfaces());
    };
    const int code = command == "read" ? cli::CmdRead(ctx) : cli::CmdApply(ctx);
    return {code, err.str()};
  }

  testing::TempDir dir;
  std::filesystem::path state = dir.path() / "state.bin";
  std::filesystem::path configFile = dir.path() / "config.bin";
  std::string out = (dir.path() / "out.bin").string();
};

TEST_F(CtlDeviceMessages, FailedStatusCheckSaysWhatWasNotDone) {
  SimulatedFaults badReply;
  badReply.wrongSignature = true;
  const Outcome read = Run(badReply, {"read", out});
  EXPECT_EQ(read.exitCode, 1);
  EXPECT_EQ(read.err, "ReadOperation: 1222\npx6410ctl: read: the mouse did not answer the status check as expected; "
                      "nothing was read and " + out + " was not written\n");
  EXPECT_FALSE(std::filesystem::exists(out));

  const Outcome apply = Run(badReply, {"apply", configFile.string()});
  EXPECT_EQ(apply.exitCode, 1);
  EXPECT_NE(apply.err.find("ReadOperation: 1222\n"), std::string::npos) << apply.err;
  EXPECT_NE(apply.err.find("apply: the mouse did not answer the status check as expected; nothing was written to "
                           "the mouse\n"), std::string::npos) << apply.err;
  const DeviceImage pattern = testing::PatternImage();
  EXPECT_EQ(testing::ReadBytes(state), std::vector<std::uint8_t>(pattern.Bytes().begin(), pattern.Bytes().end()));
}

TEST_F(CtlDeviceMessages, UnplugAfterTheStatusWriteSaysTheMouseWasChangedInPart) {
  // Read (2 + 5 x 3), GetDPIStage (2), the write's status read (2) and status
  // write (1): then the mouse is gone.
  SimulatedFaults unplug;
  unplug.unplugAfterTransfers = 22;
  const Outcome apply = Run(unplug, {"apply", configFile.string()});
  EXPECT_EQ(apply.exitCode, 1);
  EXPECT_EQ(apply.err, "px6410ctl: apply: the report rate and DPI stage were changed, but 5 of 5 configuration "
                       "blocks did not reach the mouse (unplugged?): it now holds part old, part new settings; write "
                       "them again once it is back\n");
  EXPECT_EQ(testing::ReadBytes(state)[0], SampleSettings().ReportRateCode);  // the status did change
}

}  // namespace
}  // namespace px

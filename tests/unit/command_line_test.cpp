// The Linux utility's options: what runs, what prints, and the one clear line
// with exit code 2 for everything else.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "device_fixtures.h"

namespace px {
namespace {

CommandLine Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "px6410");
  return ParseCommandLine(args, "px6410 1.2");
}

TEST(CommandLineTest, NoOptionsRunsWithTheRealMouseAndTheUsualFolder) {
  const CommandLine line = Parse({});
  EXPECT_EQ(line.action, CommandLine::Action::Run);
  EXPECT_FALSE(line.options.simulatedMouse);
  EXPECT_FALSE(line.options.settingsFolder);
}

TEST(CommandLineTest, TheSimulatedMouseAndTheSettingsFolderAreTaken) {
  testing::TempDir dir;
  const std::string folder = dir.path().string();
  for (const auto& args : {std::vector<std::string>{"--sim", folder + "/mouse.bin", "--settings-dir", folder},
                           std::vector<std::string>{"--sim=" + folder + "/mouse.bin", "--settings-dir=" + folder}}) {
    const CommandLine line = Parse(args);
    ASSERT_EQ(line.action, CommandLine::Action::Run) << line.output;
    EXPECT_EQ(line.options.simulatedMouse, dir.path() / "mouse.bin");
    EXPECT_EQ(line.options.settingsFolder, dir.path());
  }
}

TEST(CommandLineTest, HelpAndVersionPrintAndEndWithZero) {
  const CommandLine help = Parse({"--help"});
  EXPECT_EQ(help.action, CommandLine::Action::Print);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("--sim"), std::string::npos);
  EXPECT_NE(help.output.find("--settings-dir"), std::string::npos);
  const CommandLine version = Parse({"--version"});
  EXPECT_EQ(version.action, CommandLine::Action::Print);
  EXPECT_EQ(version.output, "px6410 1.2\n");
}

TEST(CommandLineTest, OddArgumentsAreNamedAndEndWithTwo) {
  testing::TempDir dir;
  const std::string folder = dir.path().string();
  testing::WriteState(dir.path() / "file", DeviceImage{});
  struct Case {
    std::vector<std::string> args;
    std::string named;  // what the line must mention
  };
  const std::vector<Case> cases = {
      {{"--sim"}, "--sim"},
      {{"--sim", ""}, "no file named"},
      {{"--sim", folder}, "is a folder"},
      {{"--sim", folder + "/nowhere/mouse.bin"}, "does not exist"},
      {{"--settings-dir", folder + "/nowhere"}, "does not exist"},
      {{"--settings-dir", folder + "/file"}, "is not a folder"},
      {{"--sim", folder + "/a", "--sim", folder + "/b"}, "--sim"},
      {{"--frobnicate"}, "--frobnicate"},
      {{"extra"}, "extra"},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.args);
    EXPECT_EQ(line.action, CommandLine::Action::Fail) << c.args[0];
    EXPECT_EQ(line.exitCode, 2) << c.args[0];
    EXPECT_NE(line.output.find(c.named), std::string::npos) << line.output;
    EXPECT_EQ(line.output.rfind("px6410: ", 0), 0u) << line.output;
  }
}

}  // namespace
}  // namespace px

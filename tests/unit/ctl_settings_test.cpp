// px6410ctl compose and show, run as a user runs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ctl_runner.h"
#include "model/device_image.h"
#include "model/settings_model.h"
#include "sample_settings.h"

namespace px {
namespace {

namespace fs = std::filesystem;

using Result = CtlResult;

std::string Slurp(const fs::path& path) { return SlurpFile(path); }

void Spit(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class CtlSettings : public CtlFolder {
 protected:
  // A config.bin: the flag byte, then the model.
  std::string WriteConfig(const SettingsModel& m, const std::string& name = "config.bin") const {
    std::vector<std::uint8_t> bytes{1};
    bytes.insert(bytes.end(), m.Bytes().begin(), m.Bytes().end());
    Spit(Path(name), bytes);
    return Path(name);
  }

  std::string WriteImage(const DeviceImage& image, const std::string& name) const {
    Spit(Path(name), std::vector<std::uint8_t>(image.Bytes().begin(), image.Bytes().end()));
    return Path(name);
  }
};

TEST_F(CtlSettings, ComposeWritesTheComposedImage) {
  DeviceImage in;
  for (std::size_t i = 0; i < kDeviceImageSize; ++i) in.Bytes()[i] = static_cast<std::uint8_t>(i * 3 + 1);
  in.SensorDPIStage = 3;
  in.Block(4)[1] = 2;  // variant
  const std::string config = WriteConfig(SampleSettings());
  const std::string imageIn = WriteImage(in, "in.bin");
  const Result r = Run({"compose", config, imageIn, Path("out.bin")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string out = Slurp(Path("out.bin"));
  ASSERT_EQ(out.size(), kDeviceImageSize);
  auto byte = [&](int block, std::size_t offset) {
    return static_cast<std::uint8_t>(out[2 + 64 * static_cast<std::size_t>(block - 1) + offset]);
  };
  EXPECT_EQ(static_cast<std::uint8_t>(out[0]), 4);
  EXPECT_EQ(static_cast<std::uint8_t>(out[1]), 3);
  EXPECT_EQ(byte(4, 1), 2);                          // read-only variant byte kept
  EXPECT_EQ(byte(4, 24), 0x02);                      // variant 2, level 1
  EXPECT_EQ(byte(4, 25), 0x88);                      // level 4, not in use
  EXPECT_EQ(byte(4, 27), 0x00);                      // level 12 is past variant 2's table
  EXPECT_EQ(byte(4, 6), 3);
  EXPECT_EQ(byte(5, 27), 1);                         // stage 3 right after stage 1
  EXPECT_EQ(byte(4, 32), 0xB5);                      // fixed tables
  EXPECT_EQ(byte(5, 63), 0x1D);
  EXPECT_EQ(byte(3, 2), 0x04);                       // media "Mute"
  EXPECT_EQ(byte(3, 3), 0x02);
  EXPECT_EQ(byte(3, 5), 0x80);                       // fire key, until released
  EXPECT_EQ(byte(3, 10), 0x05);                      // button 4, DPI Loop, slot 5
  EXPECT_EQ(byte(3, 40), 0x0A);                      // Mode B button 4, snipe, slot 20
  EXPECT_EQ(byte(3, 6), in.Block(3)[6]);             // slots between untouched
  EXPECT_EQ(byte(3, 38), in.Block(3)[38]);
}

TEST_F(CtlSettings, ComposeFailuresNameTheFileAndWriteNothing) {
  const std::string config = WriteConfig(SampleSettings());
  const std::string image = WriteImage(DeviceImage{}, "in.bin");
  Spit(Path("short.bin"), std::vector<std::uint8_t>(199));
  Spit(Path("long.img"), std::vector<std::uint8_t>(323));
  const std::string out = Path("out.bin");

  struct Case {
    std::vector<std::string> args;
    std::string mention;
  };
  const Case cases[] = {
      {{"compose", Path("short.bin"), image, out}, "short.bin: not a settings file: 199 bytes, expected 200"},
      {{"compose", config, Path("long.img"), out}, "long.img: not a device image: 323 bytes, expected 322"},
      {{"compose", Path("missing.bin"), image, out}, "missing.bin: cannot open"},
      {{"compose", config, image, Path("no/such/dir/out.bin")}, "out.bin: cannot write"},
      {{"compose", config, image}, "expected CONFIG.BIN IMAGE_IN IMAGE_OUT"},
      {{"compose", config, image, out, "extra"}, "expected CONFIG.BIN IMAGE_IN IMAGE_OUT"},
      {{"compose", "--force", config, image, out}, "unknown option '--force'"},
      {{"compose", dir_.string(), image, out}, ": cannot open: is a folder"},
      {{"compose", config, dir_.string(), out}, ": cannot open: is a folder"},
      {{"compose", "/dev/zero", image, out}, "/dev/zero: cannot open: not a regular file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mention);
    const Result r = Run(c.args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.mention), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_FALSE(fs::exists(out));
  }
}

// A previous output stays whole until the new one is complete, and names
// outside ASCII are taken as given.
TEST_F(CtlSettings, ComposeReplacesTheOutputOnlyWhenItSucceeds) {
  fs::create_directories(dir_ / "设置");
  const std::string config = WriteConfig(SampleSettings(), "设置/配置.bin");
  const std::string image = WriteImage(DeviceImage{}, "设置/鼠标.img");
  const std::string out = Path("设置/结果.img");
  Spit(out, std::vector<std::uint8_t>(kDeviceImageSize, 0xEE));
  Spit(Path("short.img"), std::vector<std::uint8_t>(100));

  Result r = Run({"compose", config, Path("short.img"), out});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(Slurp(out), std::string(kDeviceImageSize, '\xEE'));

  r = Run({"compose", config, image, out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string composed = Slurp(out);
  ASSERT_EQ(composed.size(), kDeviceImageSize);
  EXPECT_EQ(static_cast<std::uint8_t>(composed[0]), 4);
  EXPECT_FALSE(fs::exists(out + ".tmp"));
  r = Run({"show", config});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Settings: " + config), std::string::npos) << r.out;
}

TEST_F(CtlSettings, ShowInEnglish) {
  const Result r = Run({"show", WriteConfig(SampleSettings())});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* line : {
           "Report rate: 250 Hz\n",
           "DPI stages (table variant 0):\n",
           "  Stage 1: 250 DPI, in use, colour #FF0010\n",
           "  Stage 2: 1000 DPI, not in use, colour #00AB00\n",
           "  Stage 4: 4000 DPI, in use, colour #DEADBE\n",
           "Lighting: Respiration, parameter 7S, effect RGB Effect\n",
           "Button mode shown: Mode A\n",
           "  Button 1: Left Click\n",
           "  Button 2: Multimedia: Mute\n",
           "  Button 3: Fire Key: B4-Button, until released, make time 32, break time 40\n",
           "  Button 4: DPI Switch: DPI Loop\n",
           "Mode B:\n  Button 1: Shift\n  Button 2: HotKey: Undo\n  Button 3: Windows: Calculator\n"
           "  Button 4: Snipe Key: 500 DPI, snipe code 0x02\n",
       }) {
    EXPECT_NE(r.out.find(line), std::string::npos) << "missing: " << line << "in:\n" << r.out;
  }
}

TEST_F(CtlSettings, ShowInChineseWithAnotherVariant) {
  const std::string config = WriteConfig(SampleSettings());
  Result r = Run({"show", "--lang", "CHS", config, "--variant", "1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* text : {"  Stage 1: 600 DPI", "level 12 (out of range for this variant, sent as code 0)",
                           "Lighting: 呼吸模式, parameter 7S, effect RGB效果", "  Button 2: 多媒体: 静音",
                           "  Button 3: Windows: 计算器", "  Button 3: 火力键: B4-Button"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << "missing: " << text << "\nin:\n" << r.out;
  }
  r = Run({"show", config, "--lang", "CHT"});
  EXPECT_NE(r.out.find("  Button 2: 快速鍵: 撤銷"), std::string::npos) << r.out;
}

TEST_F(CtlSettings, ShowNamesValuesOutOfRange) {
  SettingsModel m{};
  m.Bytes()[0] = 0;
  m.ReportRateCode = 3;
  m.DpiLevel[0] = 200;
  m.DpiStageEnabled[1] = 7;
  m.LightMode = 9;
  m.ButtonMode = 4;
  m.ButtonFunction = {14, 255, 6, 5, 0, 0, 0, 0, 9, 10, 10, 7, 0, 0, 0, 0};
  m.WindowsIndex[2] = 9;
  m.DpiSwitchCode[3] = 0;
  m.FireKeyUsage[8] = 0x2C;
  m.FireTimes[8] = 200;
  m.FireMakeTime = 2;
  m.SingleKeyUsage[9] = 0;
  m.SingleKeyUsage[10] = 0x70;
  m.MediaIndex[11] = 7;
  const Result r = Run({"show", WriteConfig(m)});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* text : {
           "Report rate: code 3 (out of range)", "Stage 1: level 201 (out of range",
           "in-use flag 7 (out of range), taken as not in use", "Lighting: mode 9 (out of range)", "Button mode shown: mode 4 (out of range)",
           "Button 1: function 14 (out of range), sent as no function",
           "Button 2: function 255 (out of range), sent as no function", "Button 3: Windows: item 9 (out of range)",
           "Button 4: DPI Switch: sub-code 0 (out of range)",
           "Button 1: Fire Key: key code 0x2C (not in the fire key list), repeat count 200 (out of range), "
           "make time 2 (out of range)",
           "Button 2: Single Key: no key", "Button 3: Single Key: key code 0x70 (not in the key table)",
           "Button 4: Multimedia: item 7 (out of range)",
       }) {
    EXPECT_NE(r.out.find(text), std::string::npos) << "missing: " << text << "\nin:\n" << r.out;
  }
}

TEST_F(CtlSettings, ShowLightingOfEveryMode) {
  SettingsModel m{};
  struct Case {
    std::uint8_t mode, param, effect;
    const char* words;
  } const cases[] = {
      {0, 5, 1, "Lighting: Off\n"},
      {1, 9, 0, "Lighting: Standard, parameter 100%, effect Non-Disolay\n"},
      {2, 5, 2, "Lighting: Respiration, parameter parameter 5 (out of range), effect RGB Flash\n"},
      {3, 0, 3, "Lighting: Neon, parameter 0.5S, effect RGB Fixed On\n"},
  };
  for (const auto& c : cases) {
    m.LightMode = c.mode;
    m.LightParamStandard = m.LightParamBreath = m.LightParamNeon = c.param;
    m.LightEffectStandard = m.LightEffect = m.LightEffectNeon = c.effect;
    const Result r = Run({"show", WriteConfig(m)});
    EXPECT_NE(r.out.find(c.words), std::string::npos) << "missing: " << c.words << "in:\n" << r.out;
  }
}

TEST_F(CtlSettings, ShowWithoutAFileUsesTheInstalledFolderAndItsLanguage) {
  // An installed folder: the tool beside config.bin and a str.ini saying CHT.
  const fs::path tool = dir_ / "px6410ctl";
  fs::copy_file(PX6410CTL_PATH, tool);
  WriteConfig(SampleSettings());
  {
    std::ofstream ini(Path("str.ini"));
    ini << "[Skins]\r\nLan=CHT\r\nPath=Default\r\n";
  }
  Result r = Run({"show"}, tool.string());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Settings: " + Path("config.bin")), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("250 Hz"), std::string::npos);
  EXPECT_NE(r.out.find("\xE5\x91\xBC\xE5\x90\xB8\xE6\xA8\xA1\xE5\xBC\x8F"), std::string::npos) << r.out;  // 呼吸模式

  // --lang still wins over the folder's language.
  r = Run({"show", "--lang", "EN"}, tool.string());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Respiration"), std::string::npos) << r.out;

}

TEST_F(CtlSettings, ShowWithoutAFileOrAPortableFolderUsesTheUsersFolderMadeFromTheDefaults) {
  // No config.bin beside the tool: $XDG_CONFIG_HOME/px6410, made on first use
  // from the installed defaults when the package is installed on this machine,
  // else a clear failure naming the missing default.
  const fs::path tool = dir_ / "bin" / "px6410ctl";
  fs::create_directories(tool.parent_path());
  fs::copy_file(PX6410CTL_PATH, tool);
  environment_ = {"XDG_CONFIG_HOME=" + Path("conf")};
  const fs::path folder = dir_ / "conf" / "px6410";
  const fs::path data(PX_INSTALLED_DATA_DIR);
  const Result r = Run({"show"}, tool.string());
  EXPECT_TRUE(fs::is_directory(folder));
  if (fs::exists(data / "config.bin") && fs::exists(data / "str.ini")) {
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Settings: " + (folder / "config.bin").string()), std::string::npos) << r.out;
    EXPECT_EQ(SlurpFile(folder / "config.bin"), SlurpFile(data / "config.bin"));
    EXPECT_EQ(SlurpFile(folder / "str.ini"), SlurpFile(data / "str.ini"));
  } else {
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find((data / "config.bin").string() + ": the installed default settings are missing"),
              std::string::npos)
        << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(fs::exists(folder / "config.bin"));
  }
  EXPECT_FALSE(fs::exists(tool.parent_path() / "config.bin"));
}

TEST_F(CtlSettings, ShowFailures) {
  const std::string config = WriteConfig(SampleSettings());
  Spit(Path("empty.bin"), {});
  Spit(Path("long.bin"), std::vector<std::uint8_t>(4096));
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"show", Path("empty.bin")}, "empty.bin: not a settings file: 0 bytes, expected 200"},
      {{"show", Path("none.bin")}, "none.bin: cannot open"},
      {{"show", config, config}, "unexpected argument"},
      {{"show", config, "--variant", "4"}, "--variant must be 0, 1, 2 or 3, not '4'"},
      {{"show", config, "--lang", "chs"}, "--lang must be CHS, CHT or EN, not 'chs'"},
      {{"show", config, "--lang"}, "--lang needs a value"},
      {{"show", config, "--colour", "x"}, "unknown option '--colour'"},
      {{"show", dir_.string()}, ": cannot open: is a folder"},
      {{"show", "/dev/zero"}, "/dev/zero: cannot open: not a regular file"},
      {{"show", Path("long.bin")}, "long.bin: not a settings file: 4096 bytes, expected 200"},
  };
  for (const auto& [args, mention] : cases) {
    SCOPED_TRACE(mention);
    const Result r = Run(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(mention), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

}  // namespace
}  // namespace px

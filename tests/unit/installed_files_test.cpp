#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "model/dpi_table.h"
#include "storage/executable_path.h"
#include "storage/ini_file_store.h"
#include "storage/installed_files.h"
#include "storage/installed_folder.h"
#include "storage_fakes.h"

namespace px {
namespace {

TEST(InstalledFiles, ConfigBinHoldsASensibleFirstModel) {
  const FileBytes bytes = InstalledConfigBin();
  ASSERT_EQ(bytes.size(), 200u);
  EXPECT_EQ(bytes[0], 0);  // the first page build writes the labels
  SettingsModel model{};
  std::copy(bytes.begin() + 1, bytes.end(), model.Bytes().begin());
  EXPECT_EQ(model, InstalledFirstModel());

  EXPECT_EQ(model.ReportRateCode, 1);
  EXPECT_EQ(model.DpiStageEnabled, (std::array<std::uint8_t, 4>{1, 1, 1, 1}));
  for (std::size_t s = 1; s < 4; ++s) EXPECT_LT(model.DpiLevel[s - 1], model.DpiLevel[s]);
  EXPECT_LT(model.DpiLevel[3], 8);  // within the smallest level table
  EXPECT_EQ(std::set<Rgb>(model.DpiStageColor.begin(), model.DpiStageColor.end()).size(), 4u);
  EXPECT_EQ(model.LightMode, 1);
  EXPECT_LE(model.LightParamStandard, 9);
  EXPECT_EQ(model.ButtonMode, 0);
  for (int mode = 0; mode < 2; ++mode) {
    const auto at = [&](int button) { return static_cast<std::size_t>(ButtonIndex(button, mode)); };
    EXPECT_EQ(model.ButtonFunction[at(1)], 0);
    EXPECT_EQ(model.ButtonFunction[at(2)], 1);
    EXPECT_EQ(model.ButtonFunction[at(3)], 2);
    EXPECT_EQ(model.ButtonFunction[at(4)], 5);
    EXPECT_EQ(model.DpiSwitchCode[at(4)], 5);
    for (int b = 5; b <= 8; ++b) EXPECT_EQ(model.ButtonFunction[at(b)], 12);
  }
  // The snipe code is the one the snipe dialog stores for the first entry of
  // the assumed sensor's list, so the mouse knows it.
  const auto& table = DpiCodeTable[kInstalledDpiTableVariant];
  EXPECT_NE(std::find(table.codes.begin(), table.codes.begin() + table.levelCount, model.SnipeDpiCode),
            table.codes.begin() + table.levelCount);
  EXPECT_EQ(model.SnipeDpiCode, DpiCode(model.SnipeIndex[0], true, kInstalledDpiTableVariant));
}

TEST(InstalledFiles, StrIniIsUtf16WithEnglishTheDefaultSkinAndEveryLabelSection) {
  const FileBytes bytes = InstalledStrIni();
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  testing::MemoryFileSystem files;
  files.files[u"str.ini"] = bytes;
  IniFileStore store(files, u"str.ini");
  EXPECT_EQ(LanguageFromCode(ReadLanguageCode(store)), Language::English);
  const SkinKeys skin = LoadSkinKeys(store);
  EXPECT_EQ(skin.skinName, u"Default");
  const Rgb color = ParseUiTextColor(skin);
  EXPECT_GE(color.red + color.green + color.blue, 3 * 180);  // light text on the dark skin
  for (Language language : {Language::English, Language::SimplifiedChinese, Language::TraditionalChinese}) {
    EXPECT_EQ(LoadLabels(store, language), DefaultButtonLabels(language));
  }
  EXPECT_EQ(LoadLabels(store, Language::SimplifiedChinese)[0], u"左键");
  EXPECT_EQ(LoadLabels(store, Language::TraditionalChinese)[15], u"按鍵關閉");
  EXPECT_EQ(LoadLabels(store, Language::English)[11], u"DPI Loop");
}

TEST(InstalledFiles, CommittedCopiesAreWhatTheGeneratorMakes) {
  FileSystem& files = SystemFileSystem();
  const std::filesystem::path dist = std::filesystem::path(PX_SOURCE_DIR) / "dist";
  EXPECT_EQ(files.Read(dist / "config.bin", 1 << 16).bytes, InstalledConfigBin());
  EXPECT_EQ(files.Read(dist / "str.ini", 1 << 16).bytes, InstalledStrIni());
}

TEST(InstalledFolder, FindsTheFilesAndLanguageBesideAnExecutable) {
  testing::MemoryFileSystem files;
  files.files[u"/opt/px/str.ini"] = EncodeIni(u"[Skins]\r\nLan=CHT\r\n", IniEncoding::Utf16Le);
  const InstalledFolder folder = FindInstalledFolder(files, "/opt/px/px6410ctl");
  EXPECT_EQ(folder.configFile, "/opt/px/config.bin");
  EXPECT_EQ(folder.iniFile, "/opt/px/str.ini");
  EXPECT_EQ(folder.languageCode, u"CHT");
  EXPECT_EQ(FindInstalledFolder(files, "/elsewhere/px6410ctl").languageCode, u"");
  EXPECT_NE(FindInstalledFolder(files, RunningExecutableFile()).configFile, "config.bin");  // the running executable's folder
}

}  // namespace
}  // namespace px

#include <gtest/gtest.h>

#include <algorithm>

#include "app/apply_flow.h"
#include "storage/ini_file_store.h"
#include "storage/staged_file.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::EventLog;
using testing::MemoryFileSystem;
using testing::RecordingBoxes;

constexpr TextView kConfig = u"C:\\PX\\config.bin";
constexpr TextView kIni = u"C:\\PX\\str.ini";

class LoggingStore final : public ProfileStore {
 public:
  LoggingStore(EventLog& log, ProfileStore& inner) : log_(log), inner_(inner) {}
  Text Read(TextView section, TextView key) override { return inner_.Read(section, key); }
  bool Write(TextView section, TextView key, TextView value) override {
    log_.push_back("ini " + ToUtf8(section) + "/" + ToUtf8(key));
    return inner_.Write(section, key, value);
  }
  bool WriteAll(std::span<const ProfileEntry> entries) override {
    for (const ProfileEntry& e : entries) log_.push_back("ini " + ToUtf8(e.section) + "/" + ToUtf8(e.key));
    return inner_.WriteAll(entries);
  }
  void RemoveStaleTemporaries() override { inner_.RemoveStaleTemporaries(); }
  bool StageAll(std::span<const ProfileEntry> entries, std::string_view tag) override {
    for (const ProfileEntry& e : entries) log_.push_back("ini " + ToUtf8(e.section) + "/" + ToUtf8(e.key));
    return inner_.StageAll(entries, tag);
  }
  bool CommitStaged(std::string_view tag) override { return inner_.CommitStaged(tag); }
  void DropStaged(std::string_view tag) override { inner_.DropStaged(tag); }
  void SettleStaged(const std::optional<std::string>& tag) override { inner_.SettleStaged(tag); }

 private:
  EventLog& log_;
  ProfileStore& inner_;
};

class ApplyFlowTest : public ::testing::Test {
 protected:
  ApplyFlowTest() {
    files.files[Text(kConfig)] = FileBytes(kConfigFileSize, 0);
    session.devicePresent = true;
    session.model.ReportRateCode = 2;
    session.model.DpiStageEnabled = {1, 0, 1, 0};
    session.model.DpiStageColor[0] = {10, 20, 30};
    session.model.DpiStageColor[2] = {40, 50, 60};
    for (std::size_t i = 0; i < session.labels.size(); ++i) session.labels[i] = u"标签" + FromUtf8(std::to_string(i));
  }

  // The events without the str.ini writes and the file replacements they make.
  std::vector<std::string> WithoutIni() const {
    std::vector<std::string> out;
    for (const auto& e : log)
      if (e.rfind("ini ", 0) != 0 && e != "replace " + ToUtf8(kIni)) out.push_back(e);
    return out;
  }
  std::size_t IniWrites() const {
    return static_cast<std::size_t>(std::ranges::count_if(log, [](const std::string& e) { return e.rfind("ini ", 0) == 0; }));
  }

  EventLog log;
  RecordingBoxes boxes{&log};
  MemoryFileSystem files{&log};
  testing::ScriptedMouse mouse{&log, &boxes};
  ConfigFile configFile{files, boxes, Text(kConfig)};
  IniFileStore iniFile{files, Text(kIni)};
  LoggingStore strIni{log, iniFile};
  testing::RecordingWindow window{&log};
  ApplyPorts ports{mouse, configFile, strIni, window};
  SettingsSession session;
};

std::string Staged(const SettingsModel& model) {
  return ToUtf8(StagedPathOf(PathFromText(kIni), ConfigFile::TagOf(model)).u16string());
}

TEST_F(ApplyFlowTest, RunsInOrderAndSendsTheComposedImage) {
  Apply(session, ports);
  // The labels staged under the new config.bin's tag, config.bin replaced,
  // then the staged labels put in place.
  std::vector<std::string> expected = {"GetDPIStage", "WriteOperation"};
  for (TextView key : kLabelKeys) expected.push_back("ini Setting-EN/" + ToUtf8(key));
  expected.insert(expected.end(), {"replace " + Staged(session.model), "replace " + ToUtf8(kConfig),
                                   "replace " + ToUtf8(kIni)});
  EXPECT_EQ(log, expected);
  EXPECT_EQ(files.replacements[Text(kConfig)], 1);
  EXPECT_EQ(files.replacements[Text(kIni)], 1);
  EXPECT_EQ(files.files.size(), 2u);  // nothing left beside them
  EXPECT_TRUE(boxes.shown.empty());

  ASSERT_TRUE(mouse.written);
  const DeviceImage& sent = *mouse.written;
  EXPECT_EQ(sent.USBReportRate, 2);   // from the model
  EXPECT_EQ(sent.SensorDPIStage, 3);  // as just read from the mouse
  EXPECT_EQ(sent.Block(4)[32], 0xB5);  // fixed tables written before sending
  EXPECT_EQ(sent.Block(5)[48], 0xE0);
  EXPECT_EQ(sent.Block(4)[6], 2);      // composed from the model
  EXPECT_EQ(sent.Block(5)[24], 10);
  EXPECT_EQ(sent.Block(5)[27], 40);

  const FileBytes& config = files.files[Text(kConfig)];
  ASSERT_EQ(config.size(), 200u);
  EXPECT_EQ(config[0], 1);
  EXPECT_TRUE(std::equal(config.begin() + 1, config.end(), session.model.Bytes().begin()));
  EXPECT_EQ(LoadLabels(iniFile, Language::English), session.labels);
}

TEST_F(ApplyFlowTest, UnpluggedMouseShowsBothBoxesThenSavesBothFiles) {
  mouse.present = false;
  session.language = Language::TraditionalChinese;
  Apply(session, ports);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].caption, u"GetDPIStage");
  EXPECT_EQ(boxes.shown[1].caption, u"WriteOperation");
  EXPECT_EQ(WithoutIni(), (std::vector<std::string>{"GetDPIStage", "box GetDPIStage", "WriteOperation",
                                                   "box WriteOperation", "replace " + Staged(session.model),
                                                   "replace " + ToUtf8(kConfig)}));
  EXPECT_EQ(IniWrites(), 16u);
  EXPECT_EQ(files.files[Text(kConfig)][0], 1);
  EXPECT_EQ(LoadLabels(iniFile, Language::TraditionalChinese), session.labels);
  EXPECT_EQ(LoadLabels(iniFile, Language::English), LabelSet{});
}

// Labels without their config.bin would name functions the buttons do not
// have: when config.bin is not saved, str.ini stays as it was too.
TEST_F(ApplyFlowTest, ConfigFileNotSavedKeepsTheOldLabels) {
  const struct {
    const char* name;
    bool folder;  // else missing
    const char* caption;
  } cases[] = {
      {"missing config.bin", false, "PX6410-3-4"},
      {"config.bin that cannot be written", true, "NULL ==fp "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    files.files.clear();
    files.files[Text(kIni)] = EncodeIni(u"[Setting-EN]\r\nItem1=Old\r\n", IniEncoding::Utf16Le);
    if (c.folder) files.folders.insert(Text(kConfig));
    const auto before = files.files;
    boxes.shown.clear();
    Apply(session, ports);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, FromUtf8(c.caption));
    EXPECT_EQ(files.files, before);  // str.ini old, nothing staged left behind
    files.folders.clear();
  }
}

TEST_F(ApplyFlowTest, OkAndApplyDoNothingWithoutTheMouse) {
  session.devicePresent = false;
  const SettingsSession before = session;
  OkCommand(session, ports);
  ApplyCommand(session, ports);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(window.hidden, 0);
  EXPECT_EQ(session.saved, before.saved);
  EXPECT_EQ(files.files[Text(kConfig)], FileBytes(kConfigFileSize, 0));
}

TEST_F(ApplyFlowTest, OkAppliesRemembersAndHidesApplyKeepsTheWindow) {
  OkCommand(session, ports);
  EXPECT_EQ(session.saved, session.model);
  EXPECT_EQ(window.hidden, 1);
  EXPECT_EQ(log.back(), "hide");
  EXPECT_TRUE(mouse.written);

  session.model.ReportRateCode = 8;
  ApplyCommand(session, ports);
  EXPECT_EQ(session.saved.ReportRateCode, 8);
  EXPECT_EQ(window.hidden, 1);
  EXPECT_EQ(mouse.written->USBReportRate, 8);
}

TEST_F(ApplyFlowTest, CancelRestoresTheLastAppliedStateAndRereadsLabelsOnShow) {
  for (bool present : {true, false}) {
    SCOPED_TRACE(present);
    session.devicePresent = present;
    session.labelsReloadPending = false;
    session.model.ReportRateCode = 2;
    session.saved = session.model;
    ApplyCommand(session, ports);  // does nothing without the mouse
    const SettingsModel applied = session.saved;
    const LabelSet storedLabels = LoadLabels(iniFile, session.language);
    session.model.ReportRateCode = 8;
    session.model.ButtonFunction[1] = 9;
    session.labels[1] = u"火力键";
    log.clear();
    window.hidden = 0;

    CancelCommand(session, window);
    EXPECT_EQ(session.model, applied);
    EXPECT_TRUE(session.labelsReloadPending);
    EXPECT_EQ(window.hidden, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"hide"}));  // nothing sent, nothing saved

    ReloadLabels(session, strIni);
    EXPECT_FALSE(session.labelsReloadPending);
    EXPECT_EQ(session.labels, storedLabels);
  }
}

TEST_F(ApplyFlowTest, StartUpReadsConfigLanguageLabelsAndSkinKeys) {
  FileBytes config(kConfigFileSize, 0);
  config[0] = 1;
  config[1 + 5] = 8;  // ReportRateCode
  files.files[Text(kConfig)] = config;
  ASSERT_TRUE(iniFile.Write(u"Skins", u"Lan", u"CHT"));
  ASSERT_TRUE(iniFile.Write(u"Skins", u"Path", u"Light"));
  ASSERT_TRUE(iniFile.Write(u"Skins", u"GColor", u"200"));
  ASSERT_TRUE(iniFile.Write(u"Setting-CHT", u"Item13", u"右鍵"));
  ASSERT_TRUE(iniFile.Write(u"Setting-EN", u"Item13", u"Right Click"));

  SettingsSession fresh;
  const StartupSettings start = LoadSettingsAtStart(fresh, configFile, iniFile);
  EXPECT_EQ(start.configLoad, ConfigLoadResult::Loaded);
  EXPECT_EQ(fresh.firstRunFlag, 1);
  EXPECT_EQ(fresh.model.ReportRateCode, 8);
  EXPECT_EQ(fresh.saved, fresh.model);
  EXPECT_EQ(fresh.languageCode, u"CHT");
  EXPECT_EQ(fresh.language, Language::TraditionalChinese);
  EXPECT_EQ(fresh.labels[8], u"右鍵");
  EXPECT_EQ(fresh.labels[0], u"");
  EXPECT_EQ(start.skinKeys.skinName, u"Light");
  EXPECT_EQ(start.uiTextColor, (Rgb{0, 200, 0}));
}

}  // namespace
}  // namespace px

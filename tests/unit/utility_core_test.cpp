// The composition both programs share, through a double of every port it is
// given: the page it assembles is the one the start-up builds, the skin flow
// rebuilds and the frame's buttons apply, and the parameter dialogs open
// in the given windows with the skin in force.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/utility_core.h"
#include "device/simulated_mouse.h"
#include "device_fixtures.h"
#include "model/button_catalogue.h"
#include "page/page_state.h"
#include "page_fixture.h"
#include "recording_dialog_view.h"
#include "storage/ini_file_store.h"
#include "storage/installed_files.h"
#include "storage/str_ini.h"
#include "storage_fakes.h"

namespace px {
namespace {

// The window's ports: only the skin's background and the chooser's answer matter here.
class QuietWindow final : public MainWindowShell, public TrayPort, public SingleInstancePort, public SkinChooserPort {
 public:
  std::vector<std::string> backgrounds;
  std::optional<SkinChoice> choice;

  bool RunPlatformStep(StartupStep) override { return true; }
  bool LoadBackground(TextView folder) override {
    backgrounds.push_back(ToUtf8(folder));
    return true;
  }
  void ShowToFront() override {}
  void Hide() override {}
  void Minimise() override {}
  void Exit() override {}
  bool Add() override { return true; }
  void Remove() override {}
  void ShowBalloon(TextView, TextView, unsigned) override {}
  void ShowExitMenu(TextView) override {}
  bool ClaimFirstInstance() override { return true; }
  std::optional<SkinChoice> Run(const DialogContext&, TextView) override { return choice; }
};

// Each dialog is cancelled; what is kept is the background it was opened with.
class CancelledWindows final : public DialogWindows {
 public:
  std::vector<std::string> backgrounds;
  std::unique_ptr<ModalDialogView> NewDialog(DialogKind) override {
    auto view = std::make_unique<testing::RecordingDialogView>();
    view->user = [this, raw = view.get()](DialogController&) { backgrounds.push_back(raw->calls.front()); };
    return view;
  }
};

Point Inside(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The installed config.bin and str.ini, a plugged mouse, skins Default and
// Blue, and the composition over them.
struct Composed {
  testing::TempDir dir;
  std::filesystem::path stateFile = dir.path() / "mouse.bin";
  Text skinsRoot = FromUtf8((dir.path() / "Skins").string());
  testing::MemoryFileSystem files;
  IniFileStore ini{files, PathFromText(u"/px/str.ini")};  // str.ini as another program sees it
  testing::RecordingBoxes boxes;
  CountingWait waits;
  std::shared_ptr<SimulatedMouse> mouse = std::make_shared<SimulatedMouse>(SystemFileSystem(), stateFile);
  std::vector<std::string> refused;
  QuietWindow window;
  RecordingView view;
  CancelledWindows dialogs;
  UtilityCore core{UtilityParts{
      .files = files,
      .configFile = PathFromText(u"/px/config.bin"),
      .iniFile = PathFromText(u"/px/str.ini"),
      .strIni = std::make_unique<IniFileStore>(files, PathFromText(u"/px/str.ini")),
      .bus = std::make_unique<SimulatedHidBus>(mouse, MouseInterfaces()),
      .boxes = boxes,
      .waits = waits,
      .skinsRoot = skinsRoot,
      .skinRefused = 
          [this](TextView name, std::string_view why) { refused.push_back(ToUtf8(name) + " " + std::string(why)); },
  }};

  Composed() {
    files.files[u"/px/config.bin"] = InstalledConfigBin();
    files.files[u"/px/str.ini"] = InstalledStrIni();
    for (const char* skin : {"Default", "Blue"}) std::filesystem::create_directories(dir.path() / "Skins" / skin);
    DeviceImage image{};
    image.USBReportRate = 1;
    testing::WriteState(stateFile, image);
    core.Assemble({window, window, window, window, view, dialogs});
  }
  std::string Skin(const char* name) const { return ToUtf8(skinsRoot) + "/" + name; }
};

TEST(UtilityCore, TheStartBuildsThePageInTheGivenViewAndApplyWritesItsEditToFilesAndMouse) {
  Composed c;
  ASSERT_TRUE(c.core.StartUp());
  EXPECT_EQ(c.window.backgrounds, (std::vector<std::string>{c.Skin("Default")}));
  EXPECT_EQ(c.core.State().PageState, kPageBuilt);
  EXPECT_TRUE(c.view.Drew("copy"));

  c.core.Page().DispatchClick(Inside(layout::kReportRateSegments[0]));  // 125 Hz
  c.core.Page().DispatchClick(Inside(layout::kApplyButton));
  const std::optional<SettingsModel> saved =
      ConfigFile(c.files, c.boxes, PathFromText(u"/px/config.bin")).CurrentModel();
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->ReportRateCode, 8);
  EXPECT_EQ(c.mouse->Memory().USBReportRate, c.core.State().Settings.image.USBReportRate);
  EXPECT_NE(c.mouse->Memory().USBReportRate, 1);
  EXPECT_TRUE(c.boxes.shown.empty());
}

TEST(UtilityCore, TheSkinsButtonRebuildsThePageAndTheDialogsOpenInTheChosenSkin) {
  Composed c;
  ASSERT_TRUE(c.core.StartUp());
  c.window.choice = SkinChoice{u"Blue", FromUtf8(c.Skin("Blue")), UiTextColor{1, 2, 3}};
  c.view.log.clear();
  c.core.Page().DispatchClick(Inside(layout::kSkinsButton));
  EXPECT_TRUE(c.view.Drew("begin rebuild"));
  EXPECT_TRUE(c.view.Drew("end rebuild"));

  c.core.Page().DispatchClick({300, 274});  // row 4's list
  c.view.selection = function_index::kMultimedia;
  c.core.Page().OnListChosen(44);
  ASSERT_EQ(c.dialogs.backgrounds.size(), 1u);
  EXPECT_TRUE(c.dialogs.backgrounds[0].starts_with("load " + c.Skin("Blue") + "/")) << c.dialogs.backgrounds[0];
}

TEST(UtilityCore, ASkinNameThatCannotBeASkinIsToldAndDrawsAsMissing) {
  Composed c;
  c.ini.Write(kSkinsSection, kSkinNameKey, u"..");
  ASSERT_TRUE(c.core.StartUp());
  EXPECT_EQ(c.window.backgrounds, (std::vector<std::string>{""}));
  EXPECT_EQ(c.refused, (std::vector<std::string>{".. is only dots"}));
}

// Counts the folders it is asked to make, and fails them.
class RefusingFolders final : public FolderMaker {
 public:
  int asked = 0;
  bool MakeFolders(const NativePath&, int& error) override {
    ++asked;
    error = 13;
    return false;
  }
};

TEST(UtilityCore, AGivenSettingsFolderIsTakenAsItIsElseTheUsersIsPreparedOrTheFailureTold) {
  testing::MemoryFileSystem files;
  RefusingFolders folders;
  const SettingsEnvironment environment{
      .executable = {}, .xdgConfigHome = {}, .home = "/home/u", .dataFolder = "/usr/share/px6410"};

  const LocatedSettings given = LocateSettings(files, folders, environment, NativePath("/tmp/given"));
  ASSERT_TRUE(given.where.has_value());
  EXPECT_TRUE(given.where->portable);
  EXPECT_EQ(given.where->configFile, NativePath("/tmp/given/config.bin"));
  EXPECT_EQ(given.where->iniFile, NativePath("/tmp/given/str.ini"));
  EXPECT_EQ(folders.asked, 0);

  const LocatedSettings users = LocateSettings(files, folders, environment, std::nullopt);
  EXPECT_FALSE(users.where.has_value());
  EXPECT_EQ(folders.asked, 1);
  EXPECT_NE(users.error.find("/home/u/.config/px6410"), std::string::npos) << users.error;
}

}  // namespace
}  // namespace px

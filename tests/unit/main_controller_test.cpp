// The main window's reactions through recording ports: what the start-up,
// the icon, the notifications, the mouse coming and going, OK / Apply /
// Cancel and the skin flow ask of the window, the icon and the page, in order.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "app/main_controller.h"
#include "device/simulated_mouse.h"
#include "device_fixtures.h"
#include "page/page_state.h"
#include "storage/ini_file_store.h"
#include "storage/installed_files.h"
#include "storage/staged_file.h"
#include "storage/str_ini.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::TempDir;

constexpr std::array<const char*, 20> kStepNames{
    "",          "instance", "dialog init", "icons",     "tool window", "publish window", "message filter",
    "tray add",  "discover", "register",    "config",    "saved copy",  "language",       "texts",
    "labels",    "background", "resize",    "publish skin", "fonts",    "build"};

class RecordingShell final : public MainWindowShell,
                             public TrayPort,
                             public SingleInstancePort,
                             public SkinChooserPort,
                             public PagePort {
 public:
  std::vector<std::string> log;
  bool first = true;
  bool trayAvailable = true;
  std::optional<SkinChoice> choice;

  // Runs inside a start-up step, as a click does while a step's box is up.
  std::function<void(StartupStep)> during;
  bool RunPlatformStep(StartupStep step) override {
    log.push_back(kStepNames[static_cast<std::size_t>(step)]);
    if (during) during(step);
    return true;
  }
  bool LoadBackground(TextView folder) override {
    log.push_back("background " + ToUtf8(folder));
    return true;
  }
  void ShowToFront() override { log.push_back("show"); }
  void Hide() override { log.push_back("hide"); }
  void Minimise() override { log.push_back("minimise"); }
  void Exit() override { log.push_back("exit"); }
  void SetBehindIcon(bool behind) override { log.push_back(behind ? "behind icon" : "taskbar button"); }
  std::string exitText;  // as the icon's own menu holds it
  void SetExitText(TextView text) override { exitText = ToUtf8(text); }
  bool Add() override {
    log.push_back("tray add");
    return trayAvailable;
  }
  void Remove() override { log.push_back("tray remove"); }
  void ShowBalloon(TextView text, TextView title, unsigned ms) override {
    log.push_back(ToUtf8(title) + ": " + ToUtf8(text) + " (" + std::to_string(ms) + ")");
  }
  void ShowExitMenu(TextView text) override { log.push_back("menu " + ToUtf8(text)); }
  bool ClaimFirstInstance() override {
    log.push_back("instance");
    return first;
  }
  // Logs the skin in force it was opened with.
  std::optional<SkinChoice> Run(const DialogContext& inForce, TextView skinName) override {
    const UiTextColor& c = inForce.textColor;
    log.push_back("chooser " + ToUtf8(skinName) + " in " + ToUtf8(inForce.skinFolder) + " " +
                  std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) +
                  (inForce.language == Language::English ? " EN" : " not EN"));
    return choice;
  }
  // As the page leaves its flags.
  // What the page's first build writes on a first run, when a test asks.
  std::function<void()> firstRunWrite;
  void Build() override {
    log.push_back("build");
    if (state == nullptr) return;
    if (firstRunWrite && !state->PageBuiltOnce && state->Settings.firstRunFlag == 0) firstRunWrite();
    state->PageState = kPageBuilt;
    state->PageBuiltOnce = true;
  }
  AppState* state = nullptr;
  void Rebuild(const std::function<void()>& reread) override {
    log.push_back("rebuild");
    if (reread) reread();
  }
};

constexpr const char* kNotDetectedBalloon = "Warning: The system did not detect the gaming mouse! (100)";
constexpr const char* kDetectedBalloon = "Info: The system detect the gaming mouse. (100)";

// A mouse of DPI table variant 1 whose memory is a state file, config.bin and
// str.ini as installed, and the controller over them.
struct ControllerFixture {
  TempDir dir;
  std::filesystem::path stateFile = dir.path() / "mouse.bin";
  testing::MemoryFileSystem files;
  testing::RecordingBoxes boxes;
  CountingWait waits;
  ConfigFile config{files, boxes, PathFromText(u"/px/config.bin")};
  IniFileStore ini{files, PathFromText(u"/px/str.ini")};
  SharedSettingsFiles shared{files, PathFromText(u"/px/config.bin"), PathFromText(u"/px/str.ini")};
  std::shared_ptr<SimulatedMouse> mouse = std::make_shared<SimulatedMouse>(SystemFileSystem(), stateFile);
  SimulatedHidBus bus{mouse, MouseInterfaces()};
  AppState state;
  RecordingShell shell;
  MainController controller{state,
                            ControllerPorts{shell, shell, shell, shell},
                            config,
                            ini,
                            shared,
                            DeviceParts{bus, boxes, waits},
                            [](TextView name) { return u"/skins/" + Text(name); }};

  explicit ControllerFixture(bool plugged = true) {
    files.files[u"/px/config.bin"] = InstalledConfigBin();
    files.files[u"/px/str.ini"] = InstalledStrIni();
    if (plugged) Plug();
    shell.state = &state;
    controller.AttachPage(shell);
  }
  void Plug() {
    DeviceImage image{};
    image.USBReportRate = 1;
    image.Blocks[3][1] = 1;  // DPI table variant
    testing::WriteState(stateFile, image);
  }
  void Unplug() { std::filesystem::remove(stateFile); }
  void Started() {
    ASSERT_TRUE(controller.StartUp());
    shell.log.clear();
  }
  void SetLanguage(TextView code) { ini.Write(kSkinsSection, kLanguageKey, code); }
};

std::vector<std::string> Lines(std::initializer_list<const char*> lines) { return {lines.begin(), lines.end()}; }

TEST(MainControllerStartUp, WithTheMouseTheStepsRunInOrderAndThePageIsBuiltHidden) {
  ControllerFixture f;
  ASSERT_TRUE(f.controller.StartUp());
  EXPECT_EQ(f.shell.log, Lines({"instance", "dialog init", "icons", "tool window", "publish window", "message filter",
                                "tray add", "register", "background /skins/Default", "resize", "fonts", "build"}));
  EXPECT_TRUE(f.state.Settings.devicePresent);
  EXPECT_EQ(f.state.Settings.dpiTableVariant, 1);
  EXPECT_EQ(ToUtf8(f.state.SkinFolder), "/skins/Default");
  EXPECT_EQ(f.state.TextColor, (UiTextColor{230, 230, 230}));
  EXPECT_TRUE(f.boxes.shown.empty());
}

TEST(MainControllerStartUp, WithoutTheMouseTheIconWarnsInTheFilesLanguageAndNoPageIsBuilt) {
  ControllerFixture f(false);
  f.SetLanguage(u"CHS");
  ASSERT_TRUE(f.controller.StartUp());
  EXPECT_EQ(f.shell.log, Lines({"instance", "dialog init", "icons", "tool window", "publish window", "message filter",
                                "tray add", "Warning: 系统没有检测到游戏鼠标！ (100)", "register",
                                "background /skins/Default", "resize", "fonts"}));
  EXPECT_FALSE(f.state.Settings.devicePresent);
}

TEST(MainControllerStartUp, AnotherInstanceEndsBeforeAnythingElse) {
  ControllerFixture f;
  f.shell.first = false;
  EXPECT_FALSE(f.controller.StartUp());
  EXPECT_EQ(f.shell.log, Lines({"instance"}));
  EXPECT_FALSE(f.state.Settings.devicePresent);
}

TEST(MainControllerStartUp, WithoutANotificationAreaTheWindowShowsAtTheEnd) {
  for (bool plugged : {true, false}) {
    ControllerFixture f(plugged);
    f.shell.trayAvailable = false;
    ASSERT_TRUE(f.controller.StartUp());
    EXPECT_EQ(f.shell.log.back(), "show") << plugged;
  }
}

TEST(MainControllerStartUp, AShowAskedForWhileAStepsBoxIsUpComesAtTheEnd) {
  // A click on the icon, or another start, while the start-up is still in a
  // step: the page is built and the window shown only once texts, skin and
  // fonts are there.
  const std::vector<std::function<void(MainController&)>> asks = {
      [](MainController& c) { c.OnTrayMouse(TrayMouse::LeftUp); },
      [](MainController& c) { c.OnShowRequest(); },
  };
  for (std::size_t i = 0; i < asks.size(); ++i) {
    ControllerFixture f;
    f.shell.during = [&](StartupStep step) {
      if (step == StartupStep::RegisterDeviceNotification) asks[i](f.controller);
    };
    ASSERT_TRUE(f.controller.StartUp());
    EXPECT_EQ(f.shell.log, Lines({"instance", "dialog init", "icons", "tool window", "publish window", "message filter",
                                  "tray add", "register", "background /skins/Default", "resize", "fonts", "build",
                                  "show"}))
        << i;
  }
}

TEST(MainControllerTray, EachClickInEachState) {
  struct Case {
    const char* name;
    bool plugged;
    TrayMouse event;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"left, mouse present", true, TrayMouse::LeftUp, {"show"}},
      {"double click, mouse present", true, TrayMouse::LeftDoubleClick, {"show"}},
      {"left, no mouse", false, TrayMouse::LeftUp, {kNotDetectedBalloon}},
      {"right", true, TrayMouse::RightUp, {"menu Exit"}},
      {"right, no mouse", false, TrayMouse::RightUp, {"menu Exit"}},
      {"other", true, TrayMouse::Other, {}},
  };
  for (const Case& c : cases) {
    ControllerFixture f(c.plugged);
    f.Started();
    f.controller.OnTrayMouse(c.event);
    EXPECT_EQ(f.shell.log, c.expected) << c.name;
  }
}

TEST(MainControllerTray, TheExitMenuSpeaksTheLanguageOfTheSettings) {
  ControllerFixture f;
  f.SetLanguage(u"CHT");
  f.Started();
  f.controller.OnTrayMouse(TrayMouse::RightUp);
  EXPECT_EQ(f.shell.log, Lines({"menu 退出"}));
}

TEST(MainControllerTray, TheIconsOwnMenuHoldsExitInTheLanguageOfTheSettingsBeforeAnyClick) {
  ControllerFixture f;
  f.SetLanguage(u"CHT");
  f.Started();
  EXPECT_EQ(f.shell.exitText, "退出");
}

// A notification area that comes or goes after the start: the window's
// taskbar button follows, and so do close and the keys; a window hidden
// behind an icon that goes away is shown, or nothing could bring it back.
TEST(MainControllerTray, ANotificationAreaThatComesOrGoesChangesCloseAndTheKeys) {
  struct Case {
    const char* name;
    bool atStart;
    bool shownFirst;  // by a click on the icon, before the changes
    std::vector<bool> changes;
    std::vector<std::string> expected;  // after the changes: Escape, then close
  };
  const std::vector<Case> cases = {
      {"appears", false, false, {true}, {"behind icon", "hide", "hide"}},
      {"goes away, window hidden", true, false, {false}, {"taskbar button", "show", "minimise", "tray remove", "exit"}},
      {"goes away, window shown", true, true, {false}, {"taskbar button", "minimise", "tray remove", "exit"}},
      {"goes and comes back", true, false, {false, true}, {"taskbar button", "show", "behind icon", "hide", "hide"}},
      {"reported again as it is", true, false, {true}, {"hide", "hide"}},
  };
  for (const Case& c : cases) {
    ControllerFixture f;
    f.shell.trayAvailable = c.atStart;
    f.Started();
    if (c.shownFirst) f.controller.OnTrayMouse(TrayMouse::LeftUp);
    f.shell.log.clear();
    for (const bool available : c.changes) f.controller.OnTrayAvailability(available);
    f.controller.OnHideKey();
    f.controller.OnCloseRequest();
    EXPECT_EQ(f.shell.log, c.expected) << c.name;
  }
}

// Hidden after a Cancel, the window that the icon's going brings back shows
// the labels as saved, as the icon's show would have; without the mouse it
// shows with no notice about it.
TEST(MainControllerTray, AWindowBroughtBackByTheIconsGoingIsShownAsTheIconWouldShowIt) {
  for (const bool plugged : {true, false}) {
    ControllerFixture f(plugged);
    f.Started();
    f.controller.Cancel();
    f.shell.log.clear();
    f.controller.OnTrayAvailability(false);
    EXPECT_EQ(f.shell.log, plugged ? Lines({"taskbar button", "rebuild", "show"}) : Lines({"taskbar button", "show"}))
        << plugged;
  }
}

TEST(MainControllerTray, AfterCancelTheShowRebuildsThePageWithTheLabelsAsSaved) {
  ControllerFixture f;
  f.Started();
  f.state.Settings.labels[0] = u"edited";
  f.controller.Cancel();
  EXPECT_TRUE(f.state.Settings.labelsReloadPending);
  f.ini.Write(u"Setting-EN", u"Item1", u"saved");
  f.controller.OnTrayMouse(TrayMouse::LeftUp);
  EXPECT_EQ(f.shell.log, Lines({"hide", "rebuild", "show"}));
  EXPECT_EQ(ToUtf8(f.state.Settings.labels[0]), "saved");
  EXPECT_FALSE(f.state.Settings.labelsReloadPending);
}

TEST(MainControllerTray, AMouseThatArrivedAfterTheStartGetsItsPageBuiltAtTheFirstShow) {
  ControllerFixture f(false);
  f.Started();
  f.Plug();
  f.controller.OnMousePlugged(true);
  f.controller.OnTrayMouse(TrayMouse::LeftUp);
  EXPECT_EQ(f.shell.log, Lines({kDetectedBalloon, "build", "show"}));
}

TEST(MainControllerTray, AnotherStartShowsTheWindowLikeALeftClick) {
  ControllerFixture f;
  f.Started();
  f.controller.OnShowRequest();
  EXPECT_EQ(f.shell.log, Lines({"show"}));

  ControllerFixture absent(false);
  absent.Started();
  absent.controller.OnShowRequest();
  EXPECT_EQ(absent.shell.log, Lines({kNotDetectedBalloon}));

  // Without an icon the window is the only way to the program.
  ControllerFixture bare(false);
  bare.shell.trayAvailable = false;
  bare.Started();
  bare.controller.OnShowRequest();
  EXPECT_EQ(bare.shell.log, Lines({kNotDetectedBalloon, "show"}));
}

TEST(MainControllerTray, AWindowBackFromMinimisedIsAShowOnlyWithoutAnIcon) {
  ControllerFixture f;
  f.Started();
  f.controller.OnUnminimised();
  EXPECT_EQ(f.shell.log, Lines({}));

  ControllerFixture bare;
  bare.shell.trayAvailable = false;
  bare.Started();
  bare.controller.OnUnminimised();
  EXPECT_EQ(bare.shell.log, Lines({"show"}));
}

TEST(MainControllerNotification, TextsReachTheBalloon) {
  ControllerFixture f;
  f.Started();
  f.state.Settings.model.DpiLevel[1] = 5;  // "2000" in variant 1
  f.controller.OnNotification(7, 2);
  f.controller.OnNotification(9, 3);
  f.controller.OnNotification(5, 3);  // no such report rate: nothing
  f.controller.OnNotification(14, 0);
  EXPECT_EQ(f.shell.log, Lines({"Info: Switch DPI into the second stage 2000 (5000)", "Info: Switch to macro key3 (5000)",
                                kDetectedBalloon}));
}

TEST(MainControllerDevice, RemovalAndArrivalAsOneEvent) {
  ControllerFixture f;
  f.Started();
  f.Unplug();
  f.controller.OnMousePlugged(false);
  EXPECT_EQ(f.shell.log, Lines({kNotDetectedBalloon, "hide"}));
  EXPECT_FALSE(f.state.Settings.devicePresent);

  f.shell.log.clear();
  f.Plug();
  f.state.Settings.image.Clear();
  f.controller.OnMousePlugged(true);
  EXPECT_EQ(f.shell.log, Lines({kDetectedBalloon}));
  EXPECT_TRUE(f.state.Settings.devicePresent);
  EXPECT_EQ(f.state.Settings.image.USBReportRate, 1);  // read again
  EXPECT_EQ(f.state.Settings.dpiTableVariant, 1);
}

TEST(MainControllerDevice, CountedNotificationsRediscoverAtTheFourth) {
  ControllerFixture f;
  f.Started();
  f.Unplug();
  for (int i = 0; i < 3; ++i) f.controller.OnDeviceChange(DeviceEvent::RemoveComplete, DeviceKind::Interface, kMouseIdUpperCase);
  EXPECT_TRUE(f.shell.log.empty());
  EXPECT_TRUE(f.state.Settings.devicePresent);
  f.controller.OnDeviceChange(DeviceEvent::RemoveComplete, DeviceKind::Interface, kMouseIdUpperCase);
  EXPECT_EQ(f.shell.log, Lines({kNotDetectedBalloon, "hide"}));
  EXPECT_FALSE(f.state.Settings.devicePresent);
}

TEST(MainControllerCommands, OkAppliesSavesAndHides) {
  ControllerFixture f;
  f.Started();
  f.state.Settings.model.ReportRateCode = 8;
  f.controller.Ok();
  EXPECT_EQ(f.shell.log, Lines({"hide"}));
  EXPECT_EQ(f.files.files[u"/px/config.bin"][0], 1);  // flag byte of a saved file
  EXPECT_EQ(f.state.Settings.saved, f.state.Settings.model);
  EXPECT_EQ(testing::ReadBytes(f.stateFile),
            std::vector<std::uint8_t>(f.state.Settings.image.Bytes().begin(), f.state.Settings.image.Bytes().end()));
}

TEST(MainControllerCommands, ApplyKeepsTheWindowAndWithoutAMouseNeitherDoesAnything) {
  ControllerFixture f;
  f.Started();
  f.controller.Apply();
  EXPECT_TRUE(f.shell.log.empty());
  EXPECT_EQ(f.files.files[u"/px/config.bin"][0], 1);

  ControllerFixture absent(false);
  absent.Started();
  const FileBytes before = absent.files.files[u"/px/config.bin"];
  absent.controller.Ok();
  absent.controller.Apply();
  EXPECT_TRUE(absent.shell.log.empty());
  EXPECT_EQ(absent.files.files[u"/px/config.bin"], before);
}

TEST(MainControllerCommands, CancelRestoresTheSavedModelAndHidesOrMinimisesWithoutAnIcon) {
  for (bool tray : {true, false}) {
    ControllerFixture f;
    f.shell.trayAvailable = tray;
    f.Started();
    const SettingsModel saved = f.state.Settings.model;
    f.state.Settings.model.ReportRateCode = 2;
    f.controller.Cancel();
    EXPECT_EQ(f.state.Settings.model, saved);
    EXPECT_EQ(f.shell.log, Lines({tray ? "hide" : "minimise"}));
  }
}

// Another program on the same folder (px6410ctl set): a report rate in
// config.bin and row 4's label in str.ini.
SettingsModel EditElsewhere(ControllerFixture& f) {
  SettingsModel model = f.config.CurrentModel().value();
  model.ReportRateCode = 2;
  FileBytes& bytes = f.files.files[u"/px/config.bin"];
  std::ranges::copy(model.Bytes(), bytes.begin() + 1);
  f.ini.Write(u"Setting-EN", u"Item4", u"Multimedia-Mute");
  return model;
}

TEST(MainControllerSharedFiles, CancelAndShowTakeModelAndLabelsTogetherAndApplyWritesThem) {
  ControllerFixture f;
  f.Started();
  f.state.Settings.model.ReportRateCode = 8;  // an edit on the page
  const SettingsModel elsewhere = EditElsewhere(f);
  f.controller.Cancel();
  EXPECT_EQ(f.state.Settings.model, elsewhere);
  f.controller.OnTrayMouse(TrayMouse::LeftUp);
  EXPECT_EQ(f.shell.log, Lines({"hide", "rebuild", "show"}));
  EXPECT_EQ(ToUtf8(f.state.Settings.labels[3]), "Multimedia-Mute");
  f.controller.Apply();
  EXPECT_EQ(f.config.CurrentModel(), elsewhere);
  EXPECT_EQ(ToUtf8(f.ini.Read(u"Setting-EN", u"Item4")), "Multimedia-Mute");
}

// A save the last run left half done is finished by this start before it
// reads the files: that is no change from elsewhere at the first show.
TEST(MainControllerSharedFiles, ASaveTheStartFinishesIsNoChangeElsewhere) {
  ControllerFixture f;
  const std::string tag = ContentTag(f.files.files[u"/px/config.bin"]);
  f.files.files[u"/px/.str.ini." + FromUtf8(tag) + u".pending"] =
      EncodeIni(SetIniValue(InstalledStrIniText(), u"Setting-EN", u"Item4", u"Multimedia-Mute"), IniEncoding::Utf16Le);
  f.Started();
  ASSERT_EQ(ToUtf8(f.state.Settings.labels[3]), "Multimedia-Mute");
  f.controller.OnTrayMouse(TrayMouse::LeftUp);
  EXPECT_EQ(f.shell.log, Lines({"show"}));
}

// A first run's first build puts the factory labels in str.ini; that write
// is the page's own, so another program's change is still taken at a show.
TEST(MainControllerSharedFiles, TheFirstRunsLabelWriteIsNoEditAndNoChangeElsewhere) {
  ControllerFixture f;
  f.shell.firstRunWrite = [&f] {
    f.state.Settings.labels = DefaultButtonLabels(f.state.Settings.language);
    SaveLabels(f.ini, f.state.Settings.language, f.state.Settings.labels);
  };
  f.ini.Write(u"Setting-EN", u"Item1", u"left over");
  f.Started();
  ASSERT_EQ(ToUtf8(f.state.Settings.labels[0]), "Left Click");
  f.controller.OnTrayMouse(TrayMouse::LeftUp);
  EXPECT_EQ(f.shell.log, Lines({"show"}));
  const SettingsModel elsewhere = EditElsewhere(f);
  f.controller.OnTrayMouse(TrayMouse::LeftUp);
  EXPECT_EQ(f.state.Settings.model, elsewhere);
  EXPECT_EQ(ToUtf8(f.state.Settings.labels[3]), "Multimedia-Mute");
}

// px6410ctl killed between replacing config.bin and putting its staged
// str.ini in place, while the page runs: the show after a Cancel, or a show
// alone, finishes that save before it reads, so the page and its next Apply
// hold the new model with its own labels, never with the old ones.
TEST(MainControllerSharedFiles, AnotherProgramsHalfDoneSaveIsFinishedBeforeTheFilesAreTaken) {
  for (const bool cancel : {true, false}) {
    ControllerFixture f;
    f.Started();
    SettingsModel elsewhere = f.config.CurrentModel().value();
    elsewhere.ReportRateCode = 2;
    FileBytes& config = f.files.files[u"/px/config.bin"];
    std::ranges::copy(elsewhere.Bytes(), config.begin() + 1);
    f.files.files[u"/px/.str.ini." + FromUtf8(ContentTag(config)) + u".pending"] =
        EncodeIni(SetIniValue(InstalledStrIniText(), u"Setting-EN", u"Item4", u"Multimedia-Mute"), IniEncoding::Utf16Le);
    if (cancel) f.controller.Cancel();
    f.controller.OnTrayMouse(TrayMouse::LeftUp);
    EXPECT_EQ(f.state.Settings.model, elsewhere) << cancel;
    EXPECT_EQ(ToUtf8(f.state.Settings.labels[3]), "Multimedia-Mute") << cancel;
    f.controller.Apply();
    EXPECT_EQ(ToUtf8(f.ini.Read(u"Setting-EN", u"Item4")), "Multimedia-Mute") << cancel;
  }
}

// The installed config.bin is a first run's; another program that saved
// buttons and labels ends it, so the first build keeps the labels it took.
TEST(MainControllerSharedFiles, AShowTakesTheFirstRunFlagWithTheModel) {
  ControllerFixture f(false);
  f.Started();
  ASSERT_EQ(f.state.Settings.firstRunFlag, 0);
  EditElsewhere(f);
  f.files.files[u"/px/config.bin"][0] = 1;
  f.Plug();
  f.controller.OnMousePlugged(true);
  f.controller.OnTrayMouse(TrayMouse::LeftUp);
  EXPECT_EQ(f.state.Settings.firstRunFlag, 1);
  EXPECT_EQ(ToUtf8(f.state.Settings.labels[3]), "Multimedia-Mute");
}

TEST(MainControllerSharedFiles, AShowTakesTheFilesUnlessThePageHoldsEditsWhichStayUntilCancel) {
  ControllerFixture f;
  f.Started();
  SettingsModel elsewhere = EditElsewhere(f);
  f.controller.OnTrayMouse(TrayMouse::LeftUp);
  EXPECT_EQ(f.shell.log, Lines({"rebuild", "show"}));
  EXPECT_EQ(f.state.Settings.model, elsewhere);
  EXPECT_EQ(f.state.Settings.saved, elsewhere);

  f.shell.log.clear();
  f.state.Settings.labels[0] = u"Right Click";  // an edit, then the window hidden
  f.controller.OnHideKey();
  elsewhere.ReportRateCode = 4;
  std::ranges::copy(elsewhere.Bytes(), f.files.files[u"/px/config.bin"].begin() + 1);
  f.controller.OnTrayMouse(TrayMouse::LeftUp);
  EXPECT_EQ(f.shell.log, Lines({"hide", "show"}));
  EXPECT_EQ(ToUtf8(f.state.Settings.labels[0]), "Right Click");
  EXPECT_EQ(f.state.Settings.model.ReportRateCode, 2);
  f.controller.Cancel();
  EXPECT_EQ(f.state.Settings.model, elsewhere);
}

// The utility's own writes (Apply, OK, the skin choice) and its reads are no
// change from elsewhere: the next show rebuilds nothing and no flow rewrites
// a file it did not mean to.
TEST(MainControllerSharedFiles, OwnWritesAreNoChangeElsewhere) {
  const std::vector<std::pair<const char*, std::function<void(ControllerFixture&)>>> flows = {
      {"apply", [](ControllerFixture& f) { f.controller.Apply(); }},
      {"ok", [](ControllerFixture& f) { f.controller.Ok(); }},
      {"skin", [](ControllerFixture& f) {
         f.shell.choice = SkinChoice{u"Crimson", u"/skins/Crimson", UiTextColor{1, 2, 3}};
         f.controller.RunSkinFlow();
       }},
      {"show", [](ControllerFixture& f) { f.controller.OnTrayMouse(TrayMouse::LeftUp); }},
  };
  for (const auto& [name, flow] : flows) {
    ControllerFixture f;
    f.Started();
    f.state.Settings.model.ReportRateCode = 8;
    flow(f);
    f.shell.log.clear();
    const auto before = f.files.files;
    f.controller.OnTrayMouse(TrayMouse::LeftUp);
    EXPECT_EQ(f.shell.log, Lines({"show"})) << name;
    EXPECT_EQ(f.state.Settings.model.ReportRateCode, 8) << name;
    EXPECT_EQ(f.files.files, before) << name;
  }
}

TEST(MainControllerCommands, CloseHidesBehindTheIconOrEndsTheProgramWithoutOne) {
  ControllerFixture f;
  f.Started();
  f.controller.OnCloseRequest();
  f.controller.OnHideKey();
  EXPECT_EQ(f.shell.log, Lines({"hide", "hide"}));

  ControllerFixture bare;
  bare.shell.trayAvailable = false;
  bare.Started();
  bare.controller.OnHideKey();
  bare.controller.OnCloseRequest();
  EXPECT_EQ(bare.shell.log, Lines({"minimise", "tray remove", "exit"}));
  EXPECT_EQ(bare.controller.Device()->Link().ControlHandle, nullptr);
}

TEST(MainControllerCommands, EnterAndEscapeOnlyHideTheWindowOtherKeysAreNotItsOwn) {
  struct Case {
    UiKey key;
    bool taken;
    std::vector<std::string> log;
  };
  const Case cases[] = {{UiKey::Enter, true, {"hide"}}, {UiKey::Escape, true, {"hide"}}, {UiKey::Other, false, {}}};
  for (const Case& c : cases) {
    ControllerFixture f;
    f.Started();
    f.shell.log.clear();
    EXPECT_EQ(f.controller.OnKey(c.key), c.taken) << static_cast<int>(c.key);
    EXPECT_EQ(f.shell.log, c.log) << static_cast<int>(c.key);
  }
}

// A screen of another scale: the picture is read again inside a built page's
// rebuild, and alone while there is no page (no mouse at the start).
TEST(MainControllerScale, AnotherScaleRereadsInsideTheRebuildOnlyOnceThePageIsBuilt) {
  for (const bool plugged : {true, false}) {
    ControllerFixture f(plugged);
    f.Started();
    f.shell.log.clear();
    f.controller.OnScaleChanged([&f] { f.shell.log.push_back("reread"); });
    EXPECT_EQ(f.shell.log, plugged ? Lines({"rebuild", "reread"}) : Lines({"reread"})) << plugged;
  }
}

TEST(MainControllerSkins, OkTakesTheChoiceSavesItRebuildsAndShows) {
  ControllerFixture f;
  f.Started();
  f.controller.RunSkinFlow();
  EXPECT_EQ(f.shell.log, Lines({"chooser Default in /skins/Default 230,230,230 EN"}));
  EXPECT_EQ(ToUtf8(f.state.SkinName), "Default");

  f.shell.log.clear();
  f.shell.choice = SkinChoice{u"Crimson", u"/skins/Crimson", UiTextColor{1, 2, 3}};
  f.controller.RunSkinFlow();
  EXPECT_EQ(f.shell.log, Lines({"chooser Default in /skins/Default 230,230,230 EN", "rebuild", "show"}));
  EXPECT_EQ(ToUtf8(f.state.SkinFolder), "/skins/Crimson");
  EXPECT_EQ(f.state.TextColor, (UiTextColor{1, 2, 3}));
  EXPECT_EQ(ToUtf8(f.ini.Read(kSkinsSection, kSkinNameKey)), "Crimson");
  EXPECT_EQ(ToUtf8(f.ini.Read(kSkinsSection, kGreenKey)), "2");

  // The next opening starts from the choice in force.
  f.shell.log.clear();
  f.shell.choice.reset();
  f.controller.RunSkinFlow();
  EXPECT_EQ(f.shell.log, Lines({"chooser Crimson in /skins/Crimson 1,2,3 EN"}));
}

}  // namespace
}  // namespace px

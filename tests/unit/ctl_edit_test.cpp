// px6410ctl set, get, show --json and set --from, run as a user runs them,
// against the page's and the assignment flow's own logic.
#include <sys/inotify.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "buttons/assignment.h"
#include "ctl_runner.h"
#include "model/button_catalogue.h"
#include "model/composition.h"
#include "page/settings_edits.h"
#include "storage/file_system.h"
#include "storage/ini_file_store.h"
#include "storage/installed_files.h"
#include "storage/staged_file.h"
#include "storage/str_ini.h"

namespace px {
namespace {

namespace fi = function_index;

std::string Bytes(const FileBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

class CtlEdit : public CtlFolder {
 protected:
  void SetUp() override {
    CtlFolder::SetUp();
    SpitFile(Path("config.bin"), Bytes(InstalledConfigBin()));
    SpitFile(Path("str.ini"), Bytes(InstalledStrIni()));
    MakeMouse(1);
  }

  // A simulated mouse whose DPI table variant is `variant`.
  void MakeMouse(std::uint8_t variant) {
    std::string state(kDeviceImageSize, '\0');
    state[0] = 1;
    state[2 + 64 * 3 + 1] = static_cast<char>(variant);
    SpitFile(Path("mouse.bin"), state);
  }

  CtlResult Ctl(const std::string& command, std::vector<std::string> args) const {
    args.insert(args.begin(), {"--sim", Path("mouse.bin"), command, Path("config.bin")});
    return Run(args, ctl_);
  }
  std::string ctl_ = PX6410CTL_PATH;
  std::string Get(const std::string& name) const {
    const CtlResult r = Ctl("get", {name});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
  }
  SettingsModel Model() const {
    const std::string bytes = SlurpFile(Path("config.bin"));
    SettingsModel m{};
    std::copy(bytes.begin() + 1, bytes.end(), m.Bytes().begin());
    return m;
  }
  LabelSet Labels(Language language) const {
    FileSystem& files = SystemFileSystem();
    IniFileStore ini(files, Path("str.ini"));
    return LoadLabels(ini, language);
  }
};

TEST_F(CtlEdit, EveryNameSetThenGet) {
  struct Case {
    std::vector<std::string> set;
    std::string get;  // NAME=VALUE as get prints it
  };
  const Case cases[] = {
      {{"rate=125"}, "rate=125"},
      {{"rate=1000"}, "rate=1000"},
      {{"dpi.2=2400"}, "dpi.2=2400"},
      {{"dpi.2.level=3"}, "dpi.2=1000"},
      {{"dpi.2.level=8"}, "dpi.2.level=8"},
      {{"dpi.3.enabled=no"}, "dpi.3.enabled=no"},
      {{"dpi.3.enabled=yes"}, "dpi.3.enabled=yes"},
      {{"dpi.1.color=#ff8000"}, "dpi.1.color=#FF8000"},
      {{"light.mode=off"}, "light.param=none"},
      {{"light.mode=standard", "light.param=55%"}, "light.param=55%"},
      {{"light.mode=standard"}, "light.effect=rgb-effect"},
      {{"light.mode=respiration", "light.param=4s", "light.effect=rgb-flash"}, "light.effect=rgb-flash"},
      {{"light.standard.param=15%"}, "light.standard.param=15%"},
      {{"light.standard.param=25%"}, "light.mode=respiration"},  // kept for later, the mode stays
      {{"light.respiration.param=8s"}, "light.param=8s"},
      {{"light.respiration.effect=rgb-effect"}, "light.respiration.effect=rgb-effect"},
      {{"mode=B"}, "mode=B"},
      {{"button.A.2=left"}, "button.A.2=left"},
      {{"button.A.2=mid"}, "button.A.2=middle"},
      {{"button.A.2=forward"}, "button.A.2=forward"},
      {{"button.B.2=backward"}, "button.B.2=backward"},
      {{"button.B.3=dpi+"}, "button.B.3=dpi+"},
      {{"button.A.4=dpi-"}, "button.A.4=dpi-"},
      {{"button.A.3=windows:browser-refresh"}, "button.A.3=windows:browser-refresh"},
      {{"button.A.3=media:vol+"}, "button.A.3=media:vol+"},
      {{"button.A.3=hotkey:ctrl+v"}, "button.A.3=hotkey:paste"},
      {{"button.B.2=fire:b4-button,times=0"}, "button.B.2=fire:B4-Button,times=0,make=32,break=32"},
      {{"button.B.2=fire:F5,times=127,make=5,break=255"}, "button.B.2=fire:F5,times=127,make=5,break=255"},
      {{"button.B.2=fire:F5,times=007,make=0010"}, "button.B.2=fire:F5,times=7,make=10,break=255"},
      {{"dpi.2.level=0003"}, "dpi.2=1000"},
      {{"button.A.2=key:page-up"}, "button.A.2=key:Page-Up"},
      {{"button.A.2=key:Num 0"}, "button.A.2=key:Num-0"},
      {{"button.A.4=snipe:2400"}, "button.A.4=snipe:2400"},
      {{"button.A.4=off"}, "button.A.4=off"},
      {{"button.B.3=shift"}, "button.A.3=shift"},
      {{"button.A.3=right"}, "button.B.3=right"},  // a Shift button changes in both modes
      {{"buttons=default", "button.B.2=media:mute"}, "button.B.3=middle"},
      {{"buttons=default"}, "buttons=default"},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl("set", c.set);
    ASSERT_EQ(r.exitCode, 0) << c.set[0] << ": " << r.err;
    EXPECT_EQ(r.err, "");
    const std::string name = c.get.substr(0, c.get.find('='));
    EXPECT_EQ(Get(name), c.get + "\n") << c.set[0];
  }
  // Everything at once reads back as `set` takes it.
  const CtlResult all = Ctl("get", {});
  ASSERT_EQ(all.exitCode, 0);
  std::vector<std::string> lines;
  std::istringstream in(all.out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_EQ(lines.size(), 26u);
  const std::string before = SlurpFile(Path("config.bin"));
  EXPECT_EQ(Ctl("set", lines).exitCode, 0);
  EXPECT_EQ(SlurpFile(Path("config.bin")), before);
}

// Whatever `get` prints for a name, `set` takes back as it stands and writes
// nothing new, in each lighting mode the file may hold.
TEST_F(CtlEdit, EachNameAsGetPrintsItChangesNothing) {
  std::vector<std::string> names{"rate", "mode", "buttons", "light.mode", "light.param", "light.effect",
                                 "light.standard.param", "light.respiration.param", "light.respiration.effect"};
  for (const char* stage : {"1", "4"}) {
    for (const char* suffix : {"", ".level", ".enabled", ".color"}) names.push_back(std::string("dpi.") + stage + suffix);
  }
  for (const char* button : {"button.A.1", "button.B.4"}) names.push_back(button);
  for (const char* lightMode : {"off", "standard", "respiration"}) {
    ASSERT_EQ(Ctl("set", {std::string("light.mode=") + lightMode}).exitCode, 0);
    const std::string config = SlurpFile(Path("config.bin"));
    for (const std::string& name : names) {
      std::string line = Get(name);
      line.pop_back();
      const CtlResult r = Ctl("set", {line});
      EXPECT_EQ(r.exitCode, 0) << lightMode << ": " << r.err;
      EXPECT_EQ(SlurpFile(Path("config.bin")), config) << lightMode << ": " << line;
    }
  }
}

// The same edits through the page's edits and the assignment flow give the
// same config.bin and the same labels.
TEST_F(CtlEdit, WritesWhatThePageLogicMakes) {
  const CtlResult r = Ctl("set", {"button.B.4=shift", "rate=250", "dpi.2.level=5", "dpi.3.enabled=no",
                                  "dpi.1.color=#102030", "light.mode=respiration", "light.param=6s",
                                  "light.effect=rgb-flash", "mode=B", "button.A.2=windows:mail",
                                  "button.A.3=snipe:1600", "button.B.1=hotkey:undo", "button.B.2=left",
                                  "button.B.3=fire:F5,times=3,make=10,break=20"});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  SettingsModel m = InstalledFirstModel();
  LabelSet labels = DefaultButtonLabels(Language::English);  // the installed file's first run
  SelectReportRate(m, 2);
  SetStageLevel(m, 2, 5, 1);
  ToggleStage(m, 3);
  SetStageColor(m, 1, Rgb{0x10, 0x20, 0x30});
  ChooseLightMode(m, kLightModeRespiration);
  ChooseLightParameter(m, 2);
  ChooseLightEffect(m, 1);
  struct Answer final : ParameterDialogPort {
    DialogChoice choice;
    std::optional<DialogChoice> Run(std::uint8_t) override { return choice; }
  } dialog;
  const auto choose = [&](int mode, int row, int entry, DialogChoice choice = {}) {
    m.ButtonMode = static_cast<std::uint8_t>(mode);
    dialog.choice = std::move(choice);
    ASSERT_EQ(CommitButtonChoice({m, labels, Language::English, 1}, row, entry, dialog), CommitOutcome::Committed);
  };
  choose(0, 2, fi::kWindows, {.position = 1, .text = u"Mail"});
  choose(0, 3, fi::kSnipeKey, {.position = 4, .text = u"1600"});
  choose(1, 1, fi::kHotKey, {.position = 7, .text = u"Undo"});
  choose(1, 2, fi::kLeftClick);
  choose(1, 3, fi::kFireKey, {.position = 51, .text = u"F5", .times = 3, .makeTime = 10, .breakTime = 20});
  choose(1, 4, fi::kShift);
  SelectButtonMode(m, 1);

  const std::string file = SlurpFile(Path("config.bin"));
  ASSERT_EQ(file.size(), 200u);
  EXPECT_EQ(file[0], 1);
  EXPECT_EQ(Model(), m);
  EXPECT_EQ(Labels(Language::English), labels);
  EXPECT_EQ(Labels(Language::English)[ButtonIndex(4, 0)], u"Shift");
  EXPECT_EQ(Labels(Language::English)[ButtonIndex(3, 0)], u"Snipe Key-1600");
}

// What the page allows in some order of clicks is allowed in any order of
// assignments: Shift moved, the last stage in use moved, Left Click moved.
TEST_F(CtlEdit, TheOrderOfTheAssignmentsDoesNotMatter) {
  ASSERT_EQ(Ctl("set", {"button.A.3=shift", "dpi.2.enabled=no", "dpi.3.enabled=no", "dpi.4.enabled=no"}).exitCode, 0);
  const std::string start = SlurpFile(Path("config.bin"));
  std::vector<std::string> edits{"button.A.4=shift", "button.B.3=forward", "dpi.1.enabled=no", "dpi.2.enabled=yes",
                                 "button.A.1=right", "button.A.2=left", "button.B.1=middle", "button.B.2=left"};
  ASSERT_EQ(Ctl("set", edits).exitCode, 0);
  const std::string forwards = SlurpFile(Path("config.bin"));
  SpitFile(Path("config.bin"), start);
  std::reverse(edits.begin(), edits.end());
  const CtlResult r = Ctl("set", edits);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(SlurpFile(Path("config.bin")), forwards);
  EXPECT_EQ(Get("button.B.4"), "button.B.4=shift\n");
  EXPECT_EQ(Get("button.A.3"), "button.A.3=forward\n");
}

TEST_F(CtlEdit, JsonProfileGivesBackTheSameFileByteForByte) {
  ASSERT_EQ(Ctl("set", {"rate=500", "dpi.1=600", "dpi.4.enabled=no", "dpi.2.color=#abcdef", "light.mode=off",
                        "light.respiration.param=5s", "button.A.2=fire:R-CTRL,times=2,make=9",
                        "button.B.3=snipe:800", "button.A.3=snipe:3200", "button.B.4=shift", "mode=B"})
                .exitCode,
            0);
  const std::string edited = SlurpFile(Path("config.bin"));
  const CtlResult json = Ctl("show", {"--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_NE(json.out.find("\"button.A.2\": \"fire:R-CTRL,times=2,make=9,break=32\""), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"dpi.4.enabled\": false"), std::string::npos);
  SpitFile(Path("profile.json"), json.out);

  // Onto the installed file it started from: the same bytes.
  SpitFile(Path("config.bin"), Bytes(InstalledConfigBin()));
  ASSERT_EQ(Ctl("set", {"--from", Path("profile.json")}).exitCode, 0);
  EXPECT_EQ(SlurpFile(Path("config.bin")), edited);

  // Onto itself: nothing changes, labels included.
  const std::string ini = SlurpFile(Path("str.ini"));
  ASSERT_EQ(Ctl("set", {"--from", Path("profile.json")}).exitCode, 0);
  EXPECT_EQ(SlurpFile(Path("config.bin")), edited);
  EXPECT_EQ(SlurpFile(Path("str.ini")), ini);
}

TEST_F(CtlEdit, RefusalsNameTheAssignmentAndWriteNothing) {
  ASSERT_EQ(Ctl("set", {"button.A.3=shift", "dpi.2.enabled=no", "dpi.3.enabled=no", "dpi.4.enabled=no"}).exitCode, 0);
  SpitFile(Path("profile.json"), "{\"rate\": 500, \"dpi.9\": 800}");
  SpitFile(Path("list.json"), "[\"rate=500\"]");
  SpitFile(Path("twice.json"), "{\"rate\": 500, \"mode\": \"B\", \"rate\": 250}");
  SpitFile(Path("newline.json"), "{\"rate\": \"500\\nrm -rf\"}");
  // The tool in this folder, as in a portable one: its skins are "Skins"
  // beside it, where "Out" is a link leading out of them.
  std::filesystem::copy_file(PX6410CTL_PATH, Path("px6410ctl"));
  ctl_ = Path("px6410ctl");
  std::filesystem::create_directories(Path("Skins"));
  std::filesystem::create_directories(Path("elsewhere"));
  std::filesystem::create_directory_symlink(Path("elsewhere"), Path("Skins/Out"));
  const std::string config = SlurpFile(Path("config.bin"));
  const std::string ini = SlurpFile(Path("str.ini"));
  struct Case {
    std::vector<std::string> args;
    std::string mention;
  };
  const Case cases[] = {
      {{"speed=5"}, "unknown name 'speed' (names: rate, dpi.N"},
      {{"rate=300"}, "rate=300: not a report rate (125, 250, 500 or 1000)"},
      {{"dpi.1=750"}, "dpi.1=750: not a DPI value of table variant 1 (600 800 1000 1200 1600 2000 2400 3200)"},
      {{"dpi.1.level=9"}, "dpi.1.level=9: not a level of table variant 1 (1..8"},
      {{"dpi.1.enabled=no"}, "dpi.1.enabled=no: stage 1 is the last stage in use"},
      {{"dpi.1.color=red"}, "not a colour"},
      {{"light.mode=neon"}, "neon is only ever read from a settings file"},
      {{"light.param=6s"}, "light.param=6s: light.mode standard takes 5% 15%"},
      {{"light.effect=rgb-flash"}, "only light.mode respiration offers an effect"},
      {{"mode=C"}, "mode=C: must be A or B"},
      {{"button.A.1=right"}, "button.A.1=right: Mode A would keep no Left Click (\"Left key must be selected!\")"},
      {{"button.B.1=off"}, "Mode B would keep no Left Click"},
      {{"button.A.1=shift"}, "button.A.1=shift: Mode A already has Shift on button 3"},
      {{"button.A.2=shift"}, "Mode A already has Shift on button 3"},
      {{"button.B.3=left", "button.A.3=shift"}, "disagree: Shift is kept on the same button in both modes"},
      {{"button.A.2=fire:F5,make=40", "button.B.2=fire:F6,make=50"}, "make and break times are shared"},
      {{"button.A.2=fire:F13"}, "'F13' is not a fire key"},
      {{"button.A.2=fire:F5,times=128"}, "times must be 0..127"},
      {{"button.A.2=fire:F5,make=4"}, "make time must be 5..255"},
      {{"button.A.2=fire:F5,times=3,times=4"}, "button.A.2=fire:F5,times=3,times=4: times is given twice"},
      {{"button.A.2=fire:F5,"}, "a fire key takes times=N, make=N and break=N"},
      {{"dpi.1.level=0009"}, "dpi.1.level=0009: not a level of table variant 1 (1..8"},
      {{"button.A.2=key:Return"}, "'Return' is not a key name"},
      {{"button.A.2=snipe:750"}, "'750' is not a snipe DPI of table variant 1"},
      {{"button.A.2=media:louder"}, "'louder' is not in the list (media:next"},
      {{"button.A.2=jump"}, "button.A.2=jump: not a button function (left right"},
      {{"rate=500", "rate=125"}, "rate=125: rate=500 sets it already"},
      {{"rate=500", "button.A.2=teleport", "dpi.2.enabled=yes"}, "button.A.2=teleport"},
      {{"rate"}, "unexpected argument 'rate'"},
      {{"--from", Path("profile.json")}, "profile.json: unknown name 'dpi.9'"},
      {{"--from", Path("list.json")}, "list.json: not a JSON object"},
      {{"--from", Path("twice.json")}, "twice.json: rate is given twice"},
      {{"--from", Path("newline.json")}, "rate=500\\x0arm -rf: not a report rate"},
      {{"--variant", "2", "rate=500"}, "--variant 2 disagrees with the mouse, whose table variant is 1"},
      {{}, "nothing to set"},
      {{"skin=../../../../tmp/elsewhere"}, "skin=../../../../tmp/elsewhere: not a skin's folder name (the name holds a"},
      {{"rate=500", "skin=/tmp/x"}, "skin=/tmp/x: not a skin's folder name"},
      {{"skin=C:\\x"}, "skin=C:\\x: not a skin's folder name"},
      {{"skin=.."}, "skin=..: not a skin's folder name (the name is only dots)"},
      {{"skin="}, "skin=: not a skin's folder name (the name is empty)"},
      {{"skin=Blue", "skin=Red"}, "skin is given twice"},
      {{"skin=Out"}, "/Skins/Out leads out of the skins folder)"},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl("set", c.args);
    EXPECT_EQ(r.exitCode, 2) << c.mention;
    EXPECT_NE(r.err.find(c.mention), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(SlurpFile(Path("config.bin")), config) << c.mention;
    EXPECT_EQ(SlurpFile(Path("str.ini")), ini) << c.mention;
  }
}

// A save killed between config.bin and str.ini is finished by the tool too,
// before it reads the folder; a staging of another config.bin is left to age.
TEST_F(CtlEdit, AnInterruptedSaveIsFinishedBeforeTheFolderIsRead) {
  const std::string config = SlurpFile(Path("config.bin"));
  const std::string mine = ".str.ini." + ContentTag(FileBytes(config.begin(), config.end())) + ".pending";
  const std::string other = ".str.ini.0123456789abcdef.pending";
  const std::string staged = Bytes(EncodeIni(u"[Setting-EN]\r\nItem2=Staged\r\n", IniEncoding::Utf16Le));
  SpitFile(Path(mine), staged);
  SpitFile(Path(other), "another");
  EXPECT_FALSE(Get("rate").empty());
  EXPECT_EQ(SlurpFile(Path("str.ini")), staged);
  EXPECT_FALSE(std::filesystem::exists(Path(mine)));
  EXPECT_TRUE(std::filesystem::exists(Path(other)));
}

// The skin goes to str.ini's "Path" alone: config.bin and the labels stay.
TEST_F(CtlEdit, SkinIsWrittenToStrIniOnly) {
  const std::string config = SlurpFile(Path("config.bin"));
  const LabelSet labels = Labels(Language::English);
  ASSERT_EQ(Ctl("set", {"skin=Crimson"}).exitCode, 0);
  EXPECT_EQ(SlurpFile(Path("config.bin")), config);
  EXPECT_EQ(IniFileStore(SystemFileSystem(), Path("str.ini")).Read(kSkinsSection, kSkinNameKey), u"Crimson");
  EXPECT_EQ(Labels(Language::English), labels);
  ASSERT_EQ(Ctl("set", {"skin=Default", "rate=250"}).exitCode, 0);
  EXPECT_EQ(IniFileStore(SystemFileSystem(), Path("str.ini")).Read(kSkinsSection, kSkinNameKey), u"Default");
  EXPECT_EQ(Get("rate"), "rate=250\n");
}

// Neon only ever comes from a file: the page cannot choose it again, so the
// other modes' kept choices change only by leaving it.
TEST_F(CtlEdit, NeonIsLeftOnlyByChoosingAnotherMode) {
  SettingsModel m = InstalledFirstModel();
  m.LightMode = kLightModeNeon;
  m.LightParamNeon = 2;
  std::string bytes = Bytes(InstalledConfigBin());
  std::copy(m.Bytes().begin(), m.Bytes().end(), bytes.begin() + 1);
  SpitFile(Path("config.bin"), bytes);
  EXPECT_EQ(Get("light.param"), "light.param=1.5s\n");
  EXPECT_EQ(Ctl("set", {"light.standard.param=100%"}).exitCode, 0);  // as it is
  const CtlResult r = Ctl("set", {"light.standard.param=15%"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("only by leaving the neon mode"), std::string::npos) << r.err;
  EXPECT_EQ(SlurpFile(Path("config.bin")), bytes);
  EXPECT_EQ(Ctl("set", {"light.standard.param=15%", "light.mode=respiration"}).exitCode, 0);
  EXPECT_EQ(Get("light.standard.param"), "light.standard.param=15%\n");
}

TEST_F(CtlEdit, GetRefusesUnknownNames) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"get", "raet"}, {"get", "dpi.9"},
                                               {"get", Path("config.bin"), "button.C.1"}}) {
    const CtlResult r = Run(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("get: unknown name '" + args.back() + "' (names: rate,"), std::string::npos) << r.err;
  }
}

TEST_F(CtlEdit, ReadOnlyFilesAreRefusedWithNothingWritten) {
  const std::string ini = SlurpFile(Path("str.ini"));
  ASSERT_EQ(chmod(Path("config.bin").c_str(), 0444), 0);
  CtlResult r = Ctl("set", {"button.A.2=middle"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("config.bin: read-only; nothing written"), std::string::npos) << r.err;
  EXPECT_EQ(SlurpFile(Path("str.ini")), ini);
  ASSERT_EQ(chmod(Path("config.bin").c_str(), 0644), 0);
  ASSERT_EQ(chmod(Path("str.ini").c_str(), 0444), 0);
  r = Ctl("set", {"button.A.2=middle"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("str.ini: read-only; nothing written"), std::string::npos) << r.err;
  EXPECT_EQ(SlurpFile(Path("config.bin")), Bytes(InstalledConfigBin()));
  // A change without labels needs only config.bin.
  EXPECT_EQ(Ctl("set", {"rate=125"}).exitCode, 0);
}

TEST_F(CtlEdit, LabelsGoToTheSectionOfTheStrIniLanguage) {
  FileSystem& files = SystemFileSystem();
  IniFileStore ini(files, Path("str.ini"));
  ASSERT_TRUE(ini.Write(u"Skins", u"Lan", u"CHS"));
  const LabelSet english = Labels(Language::English);
  // The first run's flag: the labels start from the factory ones, as the
  // utility's first page build sets them.
  ASSERT_EQ(Ctl("set", {"button.B.2=media:mute", "button.A.3=snipe:800"}).exitCode, 0);
  LabelSet expected = DefaultButtonLabels(Language::SimplifiedChinese);
  expected[ButtonIndex(2, 1)] = u"多媒体-静音";
  expected[ButtonIndex(3, 0)] = u"狙击-800";
  EXPECT_EQ(Labels(Language::SimplifiedChinese), expected);
  EXPECT_EQ(Labels(Language::English), english);
  EXPECT_EQ(SlurpFile(Path("config.bin"))[0], 1);
  // Without a str.ini the labels go to a new one, in English.
  std::filesystem::remove(Path("str.ini"));
  ASSERT_EQ(Ctl("set", {"button.A.2=hotkey:copy"}).exitCode, 0);
  EXPECT_EQ(Labels(Language::English)[ButtonIndex(2, 0)], u"Copy");
  // A change of no button leaves the labels and the first-run flag alone.
  SpitFile(Path("config.bin"), Bytes(InstalledConfigBin()));
  std::filesystem::remove(Path("str.ini"));
  ASSERT_EQ(Ctl("set", {"rate=250"}).exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(Path("str.ini")));
  EXPECT_EQ(SlurpFile(Path("config.bin"))[0], 0);
}

TEST_F(CtlEdit, ApplySendsWhatComposeMakesAndTheVariantComesFromTheMouse) {
  MakeMouse(3);
  const std::string before = SlurpFile(Path("mouse.bin"));
  SpitFile(Path("before.bin"), before);
  // Variant 3 has 400 DPI; variant 1 has not.
  const CtlResult r = Ctl("set", {"dpi.1=400", "button.A.2=snipe:2800", "--apply"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ASSERT_EQ(Run({"compose", Path("config.bin"), Path("before.bin"), Path("expected.bin")}).exitCode, 0);
  EXPECT_EQ(SlurpFile(Path("mouse.bin")), SlurpFile(Path("expected.bin")));
  EXPECT_NE(SlurpFile(Path("mouse.bin")), before);

  // No mouse: --variant, else 0; --apply then fails after the file is saved.
  const CtlResult none = Run({"--sim", Path("absent.bin"), "set", Path("config.bin"), "dpi.1=4000", "--apply"});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_NE(none.err.find("is saved, but the mouse was not updated"), std::string::npos) << none.err;
  EXPECT_EQ(Run({"--sim", Path("absent.bin"), "get", Path("config.bin"), "dpi.1", "--variant", "2"}).out, "dpi.1=unknown-11\n");
  EXPECT_EQ(Run({"--sim", Path("absent.bin"), "get", Path("config.bin"), "dpi.1.level"}).out, "dpi.1.level=12\n");
}

TEST_F(CtlEdit, HelpListsEveryNameAndCompletionOffersThem) {
  const CtlResult help = Run({"set", "--help"});
  ASSERT_EQ(help.exitCode, 0);
  for (const char* word : {"rate ", "dpi.N ", "dpi.N.level", "dpi.N.enabled", "dpi.N.color", "light.mode",
                           "light.param", "light.effect", "light.standard.param", "light.respiration.param",
                           "light.respiration.effect", "mode ", "button.A.N", "play-pause", "browser-refresh",
                           "select-all", "B5-Button", "Num-Del", "variant 3: 400", "EXIT STATUS"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  for (const char* command : {"show", "compose", "status", "read", "write", "apply", "get", "completion"}) {
    const CtlResult page = Run({"help", command});
    EXPECT_EQ(page.exitCode, 0) << command;
    EXPECT_NE(page.out.find(std::string("px6410ctl ") + command), std::string::npos) << command;
  }
  const CtlResult script = Run({"completion", "bash"});
  ASSERT_EQ(script.exitCode, 0);
  SpitFile(Path("completion.bash"), script.out);
  SpitFile(Path("try.sh"),
           "source \"$1\"\n"
           "t() { COMP_LINE=\"$1\"; COMP_POINT=${#1}; read -ra COMP_WORDS <<<\"$2\"; COMP_CWORD=$3;\n"
           "  _px6410ctl; echo \"${COMPREPLY[*]}\"; }\n"
           "t 'px6410ctl --sim m.bin se' 'px6410ctl --sim m.bin se' 3\n"
           "t 'px6410ctl set light.m' 'px6410ctl set light.m' 2\n"
           "t 'px6410ctl set button.B.4=media:v' 'px6410ctl set button.B.4 = media : v' 6\n"
           "t 'px6410ctl get dpi.3.e' 'px6410ctl get dpi.3.e' 2\n"
           "t 'px6410ctl set light.effect=' 'px6410ctl set light.effect =' 3\n"
           "t 'px6410ctl set button.A.4=snipe:' 'px6410ctl set button.A.4 = snipe :' 5\n");
  const CtlResult tried = Run({Path("try.sh"), Path("completion.bash")}, "bash");
  EXPECT_EQ(tried.out, "set\nlight.mode=\nvol+ vol-\ndpi.3.enabled\nrgb-effect rgb-flash\n"
                       "250 400 500 600 750 800 1000 1200 1250 1500 1600 1750 2000 2400 2500 2800 3000 3200 3500 4000\n")
      << tried.err;
}

}  // namespace
}  // namespace px

namespace px {
namespace {

// Each file is written once, labels and all, in the utility's order: the new
// str.ini staged under config.bin's tag, config.bin, then the staged str.ini.
// Renames into the folder as the system reports them.
TEST_F(CtlEdit, SetReplacesEachFileOnceInThePairsOrder) {
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, dir_.c_str(), IN_MOVED_TO), 0);
  ASSERT_EQ(Ctl("set", {"button.A.2=middle", "button.B.2=media:mute", "button.A.3=snipe:800", "rate=250"}).exitCode, 0);
  std::vector<std::string> renamed;
  alignas(inotify_event) char buffer[16384];
  for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* p = buffer; p < buffer + n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(p);
      if (event->len > 0) renamed.push_back(event->name);
      p += sizeof(inotify_event) + event->len;
    }
  }
  close(watch);
  const std::string config = SlurpFile(Path("config.bin"));
  const std::string tag = ContentTag(FileBytes(config.begin(), config.end()));
  EXPECT_EQ(renamed, (std::vector<std::string>{".str.ini." + tag + ".pending", "config.bin", "str.ini"}));
  EXPECT_EQ(Labels(Language::English)[1], u"Mid Click");
}

}  // namespace
}  // namespace px

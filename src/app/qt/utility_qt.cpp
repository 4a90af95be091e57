#include "app/qt/utility_qt.h"

#include <QApplication>

#include <cstdio>

#include "device/simulated_mouse.h"
#include "page/qt/page_view_qt.h"
#include "skin/skin_paths.h"
#include "storage/file_system.h"
#include "storage/ini_file_store.h"

namespace px {

QtUtility::QtUtility(const UtilityOptions& options, const ActivationToken& startToken)
    : options_(options), instance_({}, {}, startToken) {
  FileSystem& files = SystemFileSystem();
  const SettingsEnvironment environment = SystemSettingsEnvironment();
  const LocatedSettings located = LocateSettings(files, SystemFolderMaker(), environment, options_.settingsFolder);
  if (!located.where) {
    filesError_ = located.error;
    return;
  }
  const SettingsLocation& where = *located.where;
  core_ = std::make_unique<UtilityCore>(UtilityParts{
      .files = files,
      .configFile = where.configFile,
      .iniFile = where.iniFile,
      .strIni = std::make_unique<IniFileStore>(files, where.iniFile),
      .bus = options_.simulatedMouse ? MakeSimulatedMouseBus(files, *options_.simulatedMouse) : MakeSystemHidBus(),
      .boxes = boxes_,
      .waits = waits_,
      .skinsRoot = FromUtf8(ChooseSkinsRoot(files, environment).string()),
      .skinRefused =
          [](TextView skinName, std::string_view why) {
            std::fprintf(stderr, "px6410: skin \"%s\" of str.ini not used: the name %.*s\n",
                         ToUtf8(skinName).c_str(), static_cast<int>(why.size()), why.data());
          },
  });
}

QtUtility::~QtUtility() = default;

int QtUtility::Run() {
  if (!core_) {
    // Started from the desktop's menu nobody reads stderr: the box says it too.
    std::fprintf(stderr, "px6410: %s\n", filesError_.c_str());
    boxes_.ShowMessage(FromUtf8(filesError_), kApplicationTitle);
    return 1;
  }
  window_ = std::make_unique<QtMainWindow>(*core_, QtTray::Available());
  boxes_.SetOwner(window_.get());
  dialogWindows_ = std::make_unique<QtDialogWindows>(window_.get());
  skins_ = std::make_unique<WindowedSkinChooser>(*dialogWindows_, core_->SkinsRoot(), skinFolders_, SystemFileSystem());
  core_->Assemble({*window_, tray_, instance_, *skins_, window_->View(), *dialogWindows_});
  ConnectEvents();
  // Another instance runs: it has been asked to show itself, or, when it
  // did not answer, this start says so where a menu's start is seen too.
  if (!core_->StartUp()) {
    if (instance_.EndingNotice().empty()) return 0;
    boxes_.SetOwner(nullptr);
    boxes_.ShowMessage(FromUtf8(instance_.EndingNotice()), kApplicationTitle);
    return 1;  // a start that failed
  }
  // A notification area may come or go while the program runs.
  tray_.WatchAvailability(core_->Controller().TrayShown());
  return QApplication::exec();
}

void QtUtility::ConnectEvents() {
  MainController& controller = core_->Controller();
  tray_.onMouse = [&controller](TrayMouse event) { controller.OnTrayMouse(event); };
  tray_.onExit = [&controller] { controller.ExitProgram(); };
  tray_.onAvailability = [&controller](bool available) { controller.OnTrayAvailability(available); };
  instance_.onShowRequest = [this, &controller](const ActivationToken& token) {
    window_->AskedByAnotherStart(token);
    controller.OnShowRequest();
  };
  window_->onWatchDevices = [this, &controller] {
    auto onPlug = [&controller](bool arrived) { controller.OnMousePlugged(arrived); };
    plugs_ = options_.simulatedMouse ? QtPlugWatch::ForStateFile(*options_.simulatedMouse, onPlug)
                                     : QtPlugWatch::ForHidraw(onPlug);
  };
}

}  // namespace px

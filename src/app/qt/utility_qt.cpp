#include "app/qt/utility_qt.h"

#include <QApplication>

#include <cstdio>

#include "app/app_state.h"
#include "app/qt/utility_files_qt.h"
#include "device/simulated_mouse.h"
#include "page/qt/page_view_qt.h"
#include "storage/executable_path.h"

namespace px {

QtUtility::QtUtility(const UtilityOptions& options, NativePath dataFolder)
    : options_(options), dataFolder_(std::move(dataFolder)) {
  const NativePath executableFolder = RunningExecutableFile().parent_path();
  skinsRoot_ = SkinsRootFor(executableFolder, dataFolder_);
  if (const std::optional<UtilityFiles> files =
          FindUtilityFilesStandIn(options_.settingsFolder, executableFolder, filesError_)) {
    config_ = std::make_unique<ConfigFile>(SystemFileSystem(), boxes_, files->configFile);
    ini_ = std::make_unique<IniFileStore>(SystemFileSystem(), files->iniFile);
  }
  bus_ = options_.simulatedMouse ? MakeSimulatedMouseBus(*options_.simulatedMouse) : MakeSystemHidBus();
}

QtUtility::~QtUtility() = default;

int QtUtility::Run() {
  if (!config_) {
    std::fprintf(stderr, "px6410: %s\n", filesError_.c_str());
    return 1;
  }
  AppState& state = TheAppState();
  window_ = std::make_unique<QtMainWindow>(state, QtTray::Available());
  boxes_.SetOwner(window_.get());
  controller_ = std::make_unique<MainController>(
      state, ControllerPorts{*window_, tray_, instance_, skins_}, *config_, *ini_, DeviceParts{*bus_, boxes_, waits_},
      [this](TextView skinName) { return skinsRoot_ + u"/" + Text(skinName); });
  page_ = std::make_unique<SettingsPage>(state.Settings, PageFlags{state.PageState, state.PageBuiltOnce}, *ini_,
                                         window_->View(), *controller_, dialogs_);
  window_->Attach(*controller_, *page_);
  controller_->AttachPage(*this);
  tray_.onMouse = [this](std::int64_t message) { controller_->OnTrayMouse(message); };
  tray_.onExit = [this] { controller_->ExitProgram(); };
  instance_.onShowRequest = [this] { controller_->OnShowRequest(); };
  window_->onWatchDevices = [this] {
    auto onPlug = [this](bool arrived) { controller_->OnMousePlugged(arrived); };
    plugs_ = options_.simulatedMouse ? QtPlugWatch::ForStateFile(*options_.simulatedMouse, onPlug)
                                     : QtPlugWatch::ForHidraw(onPlug);
  };
  // Another instance runs: it has been asked to show itself.
  if (!controller_->StartUp()) return 0;
  return QApplication::exec();
}

}  // namespace px

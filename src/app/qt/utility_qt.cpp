#include "app/qt/utility_qt.h"

#include <QApplication>

#include <cstdio>

#include "app/app_state.h"
#include "app/dialog_settings.h"
#include "device/simulated_mouse.h"
#include "page/qt/page_view_qt.h"
#include "skin/skin_paths.h"
#include "storage/file_system.h"
#include "storage/settings_location.h"

namespace px {

QtUtility::QtUtility(const UtilityOptions& options, const ActivationToken& startToken)
    : options_(options), instance_({}, {}, startToken) {
  FileSystem& files = SystemFileSystem();
  const SettingsEnvironment environment = SystemSettingsEnvironment();
  skinsRoot_ = FromUtf8(ChooseSkinsRoot(files, environment).string());
  SettingsLocation where;
  if (options_.settingsFolder) {
    // A folder given for a script or a test is taken as it is, as a portable one.
    where = SettingsLocation{.portable = true,
                             .folder = *options_.settingsFolder,
                             .configFile = *options_.settingsFolder / "config.bin",
                             .iniFile = *options_.settingsFolder / "str.ini"};
  } else {
    where = ChooseSettingsLocation(files, environment);
    const SettingsSetup setup = PrepareSettingsFolder(files, SystemFolderMaker(), where, environment.dataFolder);
    if (!setup.Ok()) {
      filesError_ = DescribeSettingsSetup(files, setup);
      return;
    }
  }
  config_ = std::make_unique<ConfigFile>(files, boxes_, where.configFile);
  ini_ = std::make_unique<IniFileStore>(files, where.iniFile);
  shared_ = std::make_unique<SharedSettingsFiles>(files, where.configFile, where.iniFile);
  bus_ = options_.simulatedMouse ? MakeSimulatedMouseBus(SystemFileSystem(), *options_.simulatedMouse) : MakeSystemHidBus();
}

QtUtility::~QtUtility() = default;

int QtUtility::Run() {
  if (!config_) {
    // Started from the desktop's menu nobody reads stderr: the box says it too.
    std::fprintf(stderr, "px6410: %s\n", filesError_.c_str());
    boxes_.ShowMessage(FromUtf8(filesError_), kApplicationTitle);
    return 1;
  }
  AppState& state = TheAppState();
  window_ = std::make_unique<QtMainWindow>(state, QtTray::Available());
  boxes_.SetOwner(window_.get());
  skins_ = std::make_unique<QtSkinChooser>(window_.get(), skinsRoot_);
  dialogs_ = std::make_unique<QtParameterDialogs>(window_.get(), [&state] { return ParameterDialogSettingsOf(state); });
  controller_ = std::make_unique<MainController>(
      state, ControllerPorts{*window_, tray_, instance_, *skins_}, *config_, *ini_, *shared_, DeviceParts{*bus_, boxes_, waits_},
      [this](TextView skinName) {
        // Drawn as a missing skin; str.ini keeps the user's text as it is.
        if (const auto refused = SkinRefusal(skinsRoot_, skinName)) {
          std::fprintf(stderr, "px6410: skin \"%s\" of str.ini not used: the name %.*s\n", ToUtf8(skinName).c_str(),
                       static_cast<int>(refused->size()), refused->data());
        }
        return SkinFolderIn(skinsRoot_, skinName);
      });
  page_ = std::make_unique<SettingsPage>(state.Settings, PageFlags{state.PageState, state.PageBuiltOnce}, *ini_,
                                         window_->View(), *controller_, *dialogs_);
  window_->Attach(*controller_, *page_);
  controller_->AttachPage(*this);
  tray_.onMouse = [this](TrayMouse event) { controller_->OnTrayMouse(event); };
  tray_.onExit = [this] { controller_->ExitProgram(); };
  instance_.onShowRequest = [this](const ActivationToken& token) {
    window_->AskedByAnotherStart(token);
    controller_->OnShowRequest();
  };
  window_->onWatchDevices = [this] {
    auto onPlug = [this](bool arrived) { controller_->OnMousePlugged(arrived); };
    plugs_ = options_.simulatedMouse ? QtPlugWatch::ForStateFile(*options_.simulatedMouse, onPlug)
                                     : QtPlugWatch::ForHidraw(onPlug);
  };
  tray_.onAvailability = [this](bool available) { controller_->OnTrayAvailability(available); };
  // Another instance runs: it has been asked to show itself.
  if (!controller_->StartUp()) return 0;
  // A notification area may come or go while the program runs.
  tray_.WatchAvailability(controller_->TrayShown());
  return QApplication::exec();
}

}  // namespace px

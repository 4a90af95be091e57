#pragma once
// The Linux utility put together: files, mouse, window, icon, single
// instance and plugging watch around the main controller and the page.
#include <memory>
#include <string>

#include "app/command_line.h"
#include "app/main_controller.h"
#include "app/qt/main_window_qt.h"
#include "app/qt/plug_watch_qt.h"
#include "app/qt/qt_ports.h"
#include "app/qt/single_instance_qt.h"
#include "app/qt/tray_qt.h"
#include "buttons/qt/parameter_dialogs_qt.h"
#include "page/settings_page.h"
#include "skin/qt/skin_chooser_qt.h"
#include "storage/ini_file_store.h"

namespace px {

class QtUtility final : private PagePort {
 public:
  // startToken: what this start was given to come forward with, passed on
  // to a running instance.
  QtUtility(const UtilityOptions& options, const ActivationToken& startToken);
  ~QtUtility() override;

  // The exit code: 0 after Exit; 0 at once when another instance runs; 1
  // when the settings folder could not be had (said on stderr and in a box).
  int Run();

 private:
  void Build() override { page_->BuildPage(); }
  void Rebuild(const std::function<void()>& reread) override { page_->Rebuild(reread); }

  UtilityOptions options_;
  std::string filesError_;
  Text skinsRoot_;
  std::unique_ptr<ConfigFile> config_;
  std::unique_ptr<IniFileStore> ini_;
  std::unique_ptr<SharedSettingsFiles> shared_;
  std::unique_ptr<HidBus> bus_;
  QtMessageBoxes boxes_;
  QtWait waits_;
  QtTray tray_;
  QtSingleInstance instance_;
  std::unique_ptr<QtMainWindow> window_;
  // The small dialogs, over the main window.
  std::unique_ptr<QtSkinChooser> skins_;
  std::unique_ptr<QtParameterDialogs> dialogs_;
  std::unique_ptr<MainController> controller_;
  std::unique_ptr<SettingsPage> page_;
  std::unique_ptr<QtPlugWatch> plugs_;
};

}  // namespace px

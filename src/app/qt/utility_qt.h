#pragma once
// The Linux utility's shell: the Qt and POSIX parts (files, mouse, window,
// icon, single instance, plugging watch) around the portable composition,
// whose controller and page their signals call.
#include <memory>
#include <string>

#include "app/command_line.h"
#include "app/qt/main_window_qt.h"
#include "app/qt/plug_watch_qt.h"
#include "app/qt/qt_ports.h"
#include "app/qt/single_instance_qt.h"
#include "app/qt/tray_qt.h"
#include "app/utility_core.h"
#include "buttons/qt/parameter_dialogs_qt.h"
#include "skin/skin_chooser_controller.h"

namespace px {

class QtUtility final {
 public:
  // startToken: what this start was given to come forward with, passed on
  // to a running instance.
  QtUtility(const UtilityOptions& options, const ActivationToken& startToken);
  ~QtUtility();

  // The exit code: 0 after Exit; 0 at once when another instance runs and
  // was asked to show itself; 1 when it did not answer or the settings
  // folder could not be had (said on stderr and in a box).
  int Run();

 private:
  void ConnectEvents();

  UtilityOptions options_;
  std::string filesError_;
  QtMessageBoxes boxes_;
  QtWait waits_;
  QtTray tray_;
  QtSingleInstance instance_;
  std::unique_ptr<QtMainWindow> window_;
  // The small dialogs, over the main window.
  std::unique_ptr<QtDialogWindows> dialogWindows_;
  StdFolderSearch skinFolders_;
  std::unique_ptr<WindowedSkinChooser> skins_;
  // It goes before the window and the parts it was given.
  std::unique_ptr<UtilityCore> core_;
  // Made at the start-up's device step; the first to go, with its calls into the core.
  std::unique_ptr<QtPlugWatch> plugs_;
};

}  // namespace px

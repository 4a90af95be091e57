#pragma once
// The utility put together once for every toolkit: the program's records,
// the settings files, the main controller, the parameter dialogs and the
// settings page, wired to one another. A toolkit's shell makes its platform
// parts, hands them over here and then only turns its events into calls on
// Controller() and Page().
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "app/main_controller.h"
#include "buttons/parameter_dialog_flow.h"
#include "page/settings_page.h"
#include "storage/config_file.h"
#include "storage/settings_location.h"
#include "storage/shared_files.h"

namespace px {

// Where the settings files are, or one line for a person on why they cannot be had.
struct LocatedSettings {
  std::optional<SettingsLocation> where;
  std::string error;
};
// A folder given (by a script or a test) is taken as it is, as a portable
// one: nothing is made or copied there. Otherwise the platform's choice,
// its folder made and seeded on first use.
LocatedSettings LocateSettings(FileSystem& files, FolderMaker& folders, const SettingsEnvironment& environment,
                               const std::optional<NativePath>& given);

// What a shell has before its window exists.
struct UtilityParts {
  FileSystem& files;
  NativePath configFile;
  NativePath iniFile;
  std::unique_ptr<ProfileStore> strIni;  // the store over iniFile, in the platform's own form
  std::unique_ptr<HidBus> bus;           // where the mouse is looked for
  MessageBoxPort& boxes;                 // the whole program's boxes
  WaitPort& waits;                       // the protocol's pauses
  Text skinsRoot;                        // the folder whose sub-folders are the skins
  // Told of a skin name of str.ini that cannot be a skin, which then draws as
  // a missing one; may be empty.
  std::function<void(TextView skinName, std::string_view why)> skinRefused;
};

// What a shell has once its window exists.
struct UtilityWindow {
  MainWindowShell& window;
  TrayPort& tray;
  SingleInstancePort& instance;
  SkinChooserPort& skins;
  PageView& pageView;
  DialogWindows& dialogWindows;  // the parameter dialogs' windows, over the main window
};

class UtilityCore final : private PagePort {
 public:
  explicit UtilityCore(UtilityParts&& parts);
  ~UtilityCore() override;
  UtilityCore(const UtilityCore&) = delete;
  UtilityCore& operator=(const UtilityCore&) = delete;

  // The records the views draw from; there before the window.
  AppState& State() { return state_; }
  const Text& SkinsRoot() const { return parts_.skinsRoot; }

  // The controller, the parameter dialogs and the page over the window's
  // parts, the page attached to the controller. Once, before StartUp.
  void Assemble(const UtilityWindow& window);
  bool Assembled() const { return page_ != nullptr; }
  MainController& Controller() { return *controller_; }
  SettingsPage& Page() { return *page_; }

  // False when another instance runs: the shell ends at once with exit
  // code 0, having changed nothing.
  bool StartUp() { return controller_->StartUp(); }

 private:
  // PagePort.
  void Build() override { page_->BuildPage(); }
  void Rebuild(const std::function<void()>& reread) override { page_->Rebuild(reread); }

  Text SkinFolderOf(TextView skinName) const;

  UtilityParts parts_;
  AppState state_;
  ConfigFile config_;
  SharedSettingsFiles shared_;
  std::unique_ptr<MainController> controller_;
  std::unique_ptr<ParameterDialogs> dialogs_;
  std::unique_ptr<SettingsPage> page_;
};

}  // namespace px

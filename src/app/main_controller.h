#pragma once
// The main window's reactions, once for every platform: the start-up
// sequence, the notification-area icon's clicks and menu, the balloons, the
// mouse coming and going, OK / Apply / Cancel, the skin flow, hiding and
// exiting. The Win32 dialog and the Qt window only translate their events
// into these calls and carry out what comes back through the ports.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "app/app_state.h"
#include "app/apply_flow.h"
#include "app/shared_settings.h"
#include "app/startup.h"
#include "app/tray_click.h"
#include "device/device_change.h"
#include "page/page_view.h"
#include "skin/skin_chooser.h"
#include "skin/skin_chooser_controller.h"
#include "skin/ui_key.h"
#include "storage/config_file.h"
#include "storage/profile_store.h"
#include "storage/shared_files.h"

namespace px {

// The main window itself.
class MainWindowShell {
 public:
  virtual ~MainWindowShell() = default;
  // The start-up steps that are the platform's own: the framework's
  // initialisation, icons, styles, message filters, the device notification
  // registration, the window's size and fonts. Answers what the step answered.
  virtual bool RunPlatformStep(StartupStep step) = 0;
  // Decodes the skin's background; false when it could not be had.
  virtual bool LoadBackground(TextView skinFolder) = 0;
  virtual void ShowToFront() = 0;
  virtual void Hide() = 0;
  // Iconified instead of hidden, for desktops without a notification area.
  virtual void Minimise() = 0;
  // Ends the program with exit code 0.
  virtual void Exit() = 0;
  // A notification area came (true) or went: behind the icon the window has
  // no taskbar button; without one the taskbar is the way back to it. Windows
  // keeps its window as it was made.
  virtual void SetBehindIcon(bool /*behindIcon*/) {}
};

// The notification-area icon.
class TrayPort {
 public:
  virtual ~TrayPort() = default;
  // False when the desktop has no notification area to show the icon in.
  virtual bool Add() = 0;
  virtual void Remove() = 0;
  virtual void ShowBalloon(TextView text, TextView title, unsigned timeoutMs) = 0;
  virtual void ShowExitMenu(TextView exitText) = 0;
  // The exit item's text ahead of any click, for desktops whose notification
  // area shows the icon's menu itself; Windows makes its menu at the click.
  virtual void SetExitText(TextView /*exitText*/) {}
};

class SingleInstancePort {
 public:
  virtual ~SingleInstancePort() = default;
  // True for the first instance; another one ends at once.
  virtual bool ClaimFirstInstance() = 0;
};

class PagePort {
 public:
  virtual ~PagePort() = default;
  virtual void Build() = 0;
  // Tear down, run `reread` between teardown and build, build again.
  virtual void Rebuild(const std::function<void()>& reread) = 0;
};

struct ControllerPorts {
  MainWindowShell& window;
  TrayPort& tray;
  SingleInstancePort& instance;
  // Opened with the skin in force; the controller applies its choice.
  SkinChooserPort& skins;
};

struct DeviceParts {
  HidBus& bus;
  MessageBoxPort& boxes;
  WaitPort& waits;
};

class MainController final : public PageCommands, private DeviceNotificationPort, private MainWindowPort {
 public:
  // skinFolderFor turns a skin's name into its folder (the platforms keep
  // their skins in different places). `shared` tells when another program
  // changed config.bin or str.ini.
  MainController(AppState& state, ControllerPorts ports, ConfigFile& config, ProfileStore& strIni,
                 SharedSettingsFiles& shared, DeviceParts device, std::function<Text(TextView skinName)> skinFolderFor);
  ~MainController() override;

  void AttachPage(PagePort& page) { page_ = &page; }

  // The start-up sequence. False when another instance runs: the caller ends
  // at once with exit code 0, having changed nothing. A show asked for while
  // it runs (in a box's loop) comes at its end.
  bool StartUp();

  // A click on the icon.
  void OnTrayMouse(TrayMouse event);
  // Another start of the program asks this one to show itself, as a left
  // click on the icon would; without an icon the window comes to the front
  // in any case, there being no other way to it.
  void OnShowRequest();
  // The window came back from being minimised, by the system's hand: without
  // an icon that is the taskbar's show, as a show from the icon (the page is
  // rebuilt when a Cancel asked for it); behind an icon it is nothing.
  void OnUnminimised() {
    if (!trayShown_) OnShowRequest();
  }
  // The notification message: type and value as received.
  void OnNotification(std::uint64_t type, std::int64_t value);
  // A device-interface notification (counted, as one mouse brings several).
  void OnDeviceChange(DeviceEvent event, DeviceKind kind, TextView deviceName);
  // The mouse came or went, as one event (a platform that reports a plug
  // once rather than per interface).
  void OnMousePlugged(bool arrived);
  // The window's close command, Enter and Escape: back to the icon; without
  // an icon, closing ends the program and the keys minimise.
  void OnCloseRequest();
  void OnHideKey() { HideMainWindow(); }
  // A key pressed in the window: Enter and Escape never end the main window,
  // they only send it back (OnHideKey). False: the key is not the window's.
  bool OnKey(UiKey key) {
    if (key == UiKey::Other) return false;
    OnHideKey();
    return true;
  }
  // The desktop's notification area appeared or went away after the start:
  // from then on close, Enter and Escape follow the rules of a desktop with
  // (or without) one. A window hidden behind an icon that goes away is shown,
  // as at a start without one.
  void OnTrayAvailability(bool available);
  // The window is now on a screen of another scale: `reread` takes its
  // picture and fonts at that scale, between a built page's teardown and its
  // build again; before the page is built, alone.
  void OnScaleChanged(const std::function<void()>& reread);

  // Device handles closed and the icon removed (exit, or the window's destruction).
  void ReleaseAtExit();
  void ExitProgram();

  // PageCommands: the page's frame buttons.
  void Ok() override;
  void Apply() override;
  void Cancel() override;
  void Minimise() override { HideMainWindow(); }
  void Close() override { ExitProgram(); }
  void RunSkinFlow() override;

  // The interface texts once set; before that (or when the start-up ended
  // early) those of the language str.ini names, never empty texts.
  const InterfaceTexts& Texts() const;
  Language CurrentLanguage() const { return language_; }
  bool TrayShown() const { return trayShown_; }
  DeviceSession* Device() { return device_.get(); }

 private:
  bool RunStep(StartupStep step);
  void SyncDeviceState();
  ApplyPorts Ports();
  // Whether the files changed elsewhere ask to be taken at this moment.
  bool TakeSharedFiles(SharedFilesMoment moment);
  // The saved copy (and so, at Cancel, the model) and the first-run flag
  // from config.bin as it is now.
  void TakeSavedFromFiles();
  // Labels and skin keys again, with the model when `withModel`.
  void RereadFiles(bool withModel);
  // After a load or an apply: what the page now holds is what the files hold.
  void FilesInStep();
  // The page's build, which on a first run writes the factory labels.
  void BuildPage();

  // DeviceNotificationPort and MainWindowPort.
  void MouseDetected() override;
  void MouseNotDetected() override;
  void HideMainWindow() override;
  // The window's show (and, above, its hide), remembered for an icon that goes away.
  void ShowWindow();

  AppState& state_;
  ControllerPorts ports_;
  ConfigFile& config_;
  ProfileStore& strIni_;
  SharedSettingsFiles& shared_;
  DeviceParts deviceParts_;
  std::function<Text(TextView)> skinFolderFor_;
  PagePort* page_ = nullptr;

  std::unique_ptr<DeviceSession> device_;
  StartupSettings startupSettings_;
  Language language_ = Language::English;
  const InterfaceTexts* texts_ = nullptr;
  SkinKeys skinKeys_;
  // The labels as last loaded or applied, to tell edits not yet applied.
  LabelSet appliedLabels_{};
  Text skinFolder_;
  bool trayShown_ = true;
  // Whether the controller last put the window on the screen (it starts hidden).
  bool windowShown_ = false;
  // A show asked for during the start-up, carried out at its end.
  bool starting_ = false;
  bool showAsked_ = false;
};

}  // namespace px

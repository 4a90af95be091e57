#pragma once
// COrvaneDlg: the main window. A borderless skinned dialog without taskbar
// button that lives behind the notification-area icon: hidden at start,
// shown from the tray, hidden again by close, Enter and Escape, destroyed
// only when the program exits.
#include <windows.h>

#include <array>
#include <memory>
#include <optional>

#include "model/interface_texts.h"
#include "app/apply_flow.h"
#include "app/startup.h"
#include "app/win32/tray_icon.h"
#include "app/win32/win32_ports.h"
#include "device/device_change.h"
#include "page/settings_page.h"
#include "page/win32/page_view_win32.h"
#include "skin/win32/skin_draw.h"
#include "storage/str_ini.h"
#include "storage/win32/win32_storage.h"
#include "winui/dialog.h"
#include "winui/handles.h"

namespace px {

class COrvaneDlg final : public winui::Dialog,
                         private DeviceNotificationPort,
                         private MainWindowPort,
                         private PageCommands {
 public:
  COrvaneDlg();
  ~COrvaneDlg() override;

  // The handle other windows of the process take as their owner.
  static HWND MainWindow();

 protected:
  bool OnInitDialog() override;
  bool PreTranslateMessage(MSG& message) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOk() override { Hide(); }
  void OnCancel() override { Hide(); }

 private:
  // One start-up step; answers what the sequence needs to choose the next.
  bool RunStartupStep(StartupStep step);

  // DeviceNotificationPort: the outcome of a discovery.
  void MouseDetected() override;
  void MouseNotDetected() override;
  // MainWindowPort (the apply flow's commands) and the device session.
  void HideMainWindow() override { Hide(); }

  // PageCommands: the frame buttons of the page.
  void Ok() override;
  void Apply() override;
  void Cancel() override;
  void Minimise() override { Hide(); }
  void Close() override { ExitProgram(); }
  void RunSkinFlow() override;
  void DropPostedDrag();
  ApplyPorts Ports();

  // The session's copy of what the device link found.
  void SyncDeviceState();
  void Hide();
  void ShowFromTray();
  void OnTrayCallback(LPARAM mouseMessage);
  void OnNotification(WPARAM type, LPARAM value);
  void ShowExitMenu();
  [[noreturn]] void ExitProgram();
  void ReleaseAtExit();
  void EraseBackground(HDC dc);
  void PaintIconic();
  // The interface texts once set; before that (or when the start-up ended
  // early) those of the language str.ini names, never empty texts.
  const InterfaceTexts& Texts() const;

  // The page and its view, made once the window exists.
  void CreatePage();
  // The canvas of every redraw: the skin's background, or a plain one of the
  // page's size when the skin has none, so that the page still shows its
  // texts and controls and can be used and closed.
  void LoadBackgroundOrPlain();

  Text executablePath_;
  Text executableFolder_;
  Text configPath_;
  Win32FileSystem files_;
  std::unique_ptr<Win32ProfileStore> ini_;
  std::unique_ptr<ConfigFile> config_;
  StartupSettings startupSettings_;
  Language language_ = Language::English;
  const InterfaceTexts* texts_ = nullptr;
  SkinKeys skinKeys_;   // the window's own copy of the skin keys (name, colours)
  Text skinFolder_;      // the window's own SkinFolder, published at start

  HICON icon_ = nullptr;       // shared resource icon, not destroyed
  HICON smallIcon_ = nullptr;  // shared resource icon, not destroyed
  TrayIcon tray_;
  UINT taskbarCreated_ = 0;  // broadcast when the shell's notification area starts
  HideAtStartCounter hideCounter_;
  bool chooserRanInClick_ = false;  // the skin chooser ran inside the click being dispatched

  WindowMessageBox boxes_;
  SleepWait waits_;
  std::unique_ptr<HidBus> bus_;
  std::unique_ptr<DeviceSession> device_;
  winui::UniqueDeviceNotify deviceNotify_;

  BackgroundBitmap background_;
  winui::UniqueBitmap plainBackground_;
  HBITMAP canvas_ = nullptr;  // background_ or plainBackground_
  winui::UniqueFont normalFont_;
  winui::UniqueFont boldFont_;

  std::unique_ptr<PageWin32View> pageView_;
  std::unique_ptr<SettingsPage> page_;
};

}  // namespace px

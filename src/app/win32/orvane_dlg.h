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
#include "app/startup.h"
#include "app/win32/tray_icon.h"
#include "app/win32/win32_ports.h"
#include "device/device_change.h"
#include "skin/win32/skin_draw.h"
#include "storage/str_ini.h"
#include "storage/win32/win32_storage.h"
#include "winui/dialog.h"
#include "winui/handles.h"

namespace px {

class COrvaneDlg final : public winui::Dialog, private DeviceNotificationPort {
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
  void HideMainWindow() override { Hide(); }

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
  void LoadLabelsAndSkinKeys();
  // The interface texts once set; before that (or when the start-up ended
  // early) those of the language str.ini names, never empty texts.
  const InterfaceTexts& Texts() const;

  // The settings page: drawn over the background bitmap.
  void BuildPage();
  void TearDownPage();
  void DrawPage(HDC dc);

  Text executablePath_;
  Text executableFolder_;
  Text configPath_;
  Win32FileSystem files_;
  std::unique_ptr<Win32ProfileStore> ini_;
  Language language_ = Language::English;
  const InterfaceTexts* texts_ = nullptr;
  SkinKeys skinKeys_;   // the window's own copy of the skin keys (name, colours)
  Text skinFolder_;      // the window's own SkinFolder, published at start

  HICON icon_ = nullptr;       // shared resource icon, not destroyed
  HICON smallIcon_ = nullptr;  // shared resource icon, not destroyed
  TrayIcon tray_;
  UINT taskbarCreated_ = 0;  // broadcast when the shell's notification area starts
  HideAtStartCounter hideCounter_;

  WindowMessageBox boxes_;
  SleepWait waits_;
  std::unique_ptr<HidBus> bus_;
  std::unique_ptr<DeviceSession> device_;
  winui::UniqueDeviceNotify deviceNotify_;

  BackgroundBitmap background_;
  winui::UniqueFont normalFont_;
  winui::UniqueFont boldFont_;
};

}  // namespace px

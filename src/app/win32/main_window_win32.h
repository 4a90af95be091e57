#pragma once
// COrvaneDlg: the main window. A borderless skinned dialog without taskbar
// button that lives behind the notification-area icon: hidden at start,
// shown from the tray, hidden again by close, Enter and Escape, destroyed
// only when the program exits.
#include <windows.h>

#include <memory>
#include <optional>

#include "app/startup.h"
#include "app/utility_core.h"
#include "app/win32/tray_icon.h"
#include "app/win32/win32_ports.h"
#include "buttons/win32/parameter_dialogs.h"
#include "page/win32/page_view_win32.h"
#include "skin/skin_chooser_controller.h"
#include "skin/win32/skin_picture.h"
#include "skin/win32/skins_dialog.h"
#include "storage/win32/win32_file_system.h"
#include "storage/win32/win32_profile_store.h"
#include "winui/dialog.h"
#include "winui/handles.h"

namespace px {

class COrvaneDlg final : public winui::Dialog,
                         private MainWindowShell,
                         private TrayPort,
                         private SingleInstancePort {
 public:
  COrvaneDlg();
  ~COrvaneDlg() override;

 protected:
  bool OnInitDialog() override;
  bool PreTranslateMessage(MSG& message) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOk() override { Controller().OnHideKey(); }
  void OnCancel() override { Controller().OnHideKey(); }

 private:
  // MainWindowShell: the steps and window calls the controller leaves to Win32.
  bool RunPlatformStep(StartupStep step) override;
  bool LoadBackground(TextView skinFolder) override;
  void ShowToFront() override;
  void Hide() override { ::ShowWindow(Hwnd(), SW_HIDE); }
  void Minimise() override { Hide(); }
  [[noreturn]] void Exit() override { ::ExitProcess(0); }
  // TrayPort.
  bool Add() override;
  void Remove() override { tray_.Remove(); }
  void ShowBalloon(TextView text, TextView title, unsigned timeoutMs) override {
    tray_.ShowBalloon(text, title, timeoutMs);
  }
  void ShowExitMenu(TextView exitText) override;
  // SingleInstancePort: the named mutex, never closed.
  bool ClaimFirstInstance() override;

  MainController& Controller() { return core_->Controller(); }
  SettingsPage& Page() { return core_->Page(); }
  void EraseBackground(HDC dc);
  SIZE CanvasSize() const;  // at device pixels
  // The page's two fonts, at the current language and scale.
  void CreateFonts();
  // A pointer message's position, from device to layout pixels: the page
  // decides in the layout's coordinates at every scale.
  Point LayoutPoint(LPARAM lParam) const;
  void PaintIconic();

  // The page's view and the dialogs' windows, made once the window exists,
  // and the composition over them.
  void AssembleCore();
  // The canvas of every redraw: the skin's background, or a plain one of the
  // page's size when the skin has none, so that the page still shows its
  // texts and controls and can be used and closed.
  void LoadBackgroundOrPlain(TextView skinFolder);
  // The monitor's scale changed: the page again at the new one, where the
  // system suggests.
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  Text executablePath_;
  Win32FileSystem files_;

  HICON icon_ = nullptr;       // shared resource icon, not destroyed
  HICON smallIcon_ = nullptr;  // shared resource icon, not destroyed
  TrayIcon tray_;
  UINT taskbarCreated_ = 0;  // broadcast when the shell's notification area starts
  HideAtStartCounter hideCounter_;

  WindowMessageBox boxes_;
  SleepWait waits_;
  winui::UniqueDeviceNotify deviceNotify_;

  BackgroundBitmap background_;
  winui::UniqueBitmap plainBackground_;
  HBITMAP canvas_ = nullptr;  // background_ or plainBackground_, at device pixels
  double scale_ = 1.0;        // device pixels per layout pixel
  winui::UniqueFont normalFont_;
  winui::UniqueFont boldFont_;

  std::unique_ptr<Win32DialogWindows> dialogWindows_;
  Win32FolderSearch skinFolders_;
  std::unique_ptr<WindowedSkinChooser> skins_;
  std::unique_ptr<PageWin32View> pageView_;
  // Last: it goes first, before the views and the parts it was given.
  std::unique_ptr<UtilityCore> core_;
};

}  // namespace px

#pragma once
// The notification-area icon of the main window: added at start, balloons
// on request, removed at exit.
#include <windows.h>
#include <shellapi.h>

#include "app/notification.h"
#include "app/tray_click.h"
#include "common/text.h"

namespace px {

inline constexpr UINT kTrayCallbackMessage = WM_USER + 1;
inline constexpr UINT kNotificationMessage = WM_USER + 2;
inline constexpr UINT kExitCommand = 1028;

// The callback's lParam (the mouse message on the icon) in the core's words.
inline TrayMouse TrayMouseOfMessage(LPARAM message) {
  switch (message) {
    case WM_LBUTTONUP: return TrayMouse::LeftUp;
    case WM_LBUTTONDBLCLK: return TrayMouse::LeftDoubleClick;
    case WM_RBUTTONUP: return TrayMouse::RightUp;
    default: return TrayMouse::Other;
  }
}

class TrayIcon {
 public:
  void Add(HWND window, HICON icon);
  // Text and title are cut to their fields; the record never overflows.
  void ShowBalloon(TextView text, TextView title, unsigned timeoutMs);
  void Remove();
  // The shell's notification area started again (Explorer restarted): its
  // icons are gone, so an added icon is added anew.
  void Restore();
  bool Added() const { return added_; }
  const NOTIFYICONDATAW& Data() const { return data_; }

 private:
  NOTIFYICONDATAW data_{};
  bool added_ = false;
};

}  // namespace px

#include "app/win32/orvane_app.h"

#include <commctrl.h>

#include "app/win32/main_window_win32.h"

namespace px {

BOOL COrvaneApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);  // 8
  controls.dwICC = 0xFF;
  ::InitCommonControlsEx(&controls);

  // A copy of the system dialog class under the name other processes find
  // the main window by.
  WNDCLASSW dialogClass{};
  if (!::GetClassInfoW(nullptr, MAKEINTATOM(0x8002), &dialogClass)) return FALSE;
  dialogClass.lpszClassName = kMainWindowClass;
  if (::RegisterClassW(&dialogClass) == 0) return FALSE;

  gdiplus_ = std::make_unique<GdiplusSession>();

  {
    COrvaneDlg dialog;
    dialog.DoModal();
  }
  return FALSE;
}

int COrvaneApp::ExitInstance() {
  gdiplus_.reset();
  return 0;
}

}  // namespace px

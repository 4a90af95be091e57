#include "winui/window_dpi.h"

namespace px::winui {

UINT WindowDpi(HWND window) {
  // Looked up at run time: the call is newer than the oldest system served.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    FARPROC found = user32 != nullptr ? ::GetProcAddress(user32, "GetDpiForWindow") : nullptr;
    return reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(found));
  }();
  UINT dpi = getDpi != nullptr && window != nullptr ? getDpi(window) : 0;
  if (dpi == 0 && getDpi == nullptr) {
    // Older systems take the manifest as "aware of the system's scale" and
    // stretch nothing: the screen's one scale is the window's.
    if (HDC screen = ::GetDC(nullptr)) {
      dpi = static_cast<UINT>(::GetDeviceCaps(screen, LOGPIXELSY));
      ::ReleaseDC(nullptr, screen);
    }
  }
  return dpi != 0 ? dpi : kPlainDpi;
}

double ScaleOfDpi(UINT dpi) { return static_cast<double>(dpi) / kPlainDpi; }

double WindowScale(HWND window) { return ScaleOfDpi(WindowDpi(window)); }

void LayOutOwnDpiChanges(HWND dialog) {
  // SetDialogDpiChangeBehavior (Windows 10), with DDC_DISABLE_ALL.
  using SetBehaviourFn = BOOL(WINAPI*)(HWND, int, int);
  constexpr int kDisableAll = 1;
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 != nullptr ? ::GetProcAddress(user32, "SetDialogDpiChangeBehavior") : nullptr;
  if (found != nullptr) {
    reinterpret_cast<SetBehaviourFn>(reinterpret_cast<void*>(found))(dialog, kDisableAll, kDisableAll);
  }
}

}  // namespace px::winui

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

double WindowScale(HWND window) { return static_cast<double>(WindowDpi(window)) / kPlainDpi; }

}  // namespace px::winui

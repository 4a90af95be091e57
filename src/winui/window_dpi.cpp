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
  const UINT dpi = getDpi != nullptr && window != nullptr ? getDpi(window) : 0;
  return dpi != 0 ? dpi : kPlainDpi;
}

double WindowScale(HWND window) { return static_cast<double>(WindowDpi(window)) / kPlainDpi; }

}  // namespace px::winui

#pragma once
// The monitor's scale a window is shown at. The program declares per-monitor
// awareness; on systems older than that call the scale is 1.
#include <windows.h>

namespace px::winui {

inline constexpr UINT kPlainDpi = 96;

// GetDpiForWindow where the system has it, else the plain 96.
UINT WindowDpi(HWND window);
// The window's device pixels per logical pixel (DPI / 96).
double WindowScale(HWND window);

}  // namespace px::winui

#pragma once
// The monitor's scale a window is shown at. The program declares per-monitor
// awareness; on systems older than that call the scale is 1.
#include <windows.h>

namespace px::winui {

inline constexpr UINT kPlainDpi = 96;
// WM_GETDPISCALEDSIZE (Windows 10), past the system the headers are set to.
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// GetDpiForWindow where the system has it, else the plain 96.
UINT WindowDpi(HWND window);
// Device pixels per logical pixel at a DPI (DPI / 96).
double ScaleOfDpi(UINT dpi);
// The window's scale (ScaleOfDpi of WindowDpi).
double WindowScale(HWND window);
// The dialog manager leaves a dialog's size, font and controls alone when its
// monitor's scale changes: the window lays itself out again at WM_DPICHANGED
// (the manager would size it from the template's units, not its picture).
void LayOutOwnDpiChanges(HWND dialog);

}  // namespace px::winui

// The yardstick of the start-up measurement: the least a Win32 program does
// to sit in the notification area. A hidden window, one tray icon with the
// stock application icon; a left click shows a small window, the exit
// command (or a WM_CLOSE) removes the icon and ends the program.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kCallback = WM_USER + 1;
NOTIFYICONDATAW g_icon{};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallback && (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK)) {
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    return 0;
  }
  if (message == WM_CLOSE) {
    ::Shell_NotifyIconW(NIM_DELETE, &g_icon);
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"PxMinimalTray";
  ::RegisterClassW(&windowClass);
  HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"PxMinimalTray", L"minimal tray", WS_POPUP | WS_BORDER, 100, 100,
                                  320, 200, nullptr, nullptr, instance, nullptr);
  g_icon.cbSize = sizeof(g_icon);
  g_icon.hWnd = window;
  g_icon.uCallbackMessage = kCallback;
  g_icon.hIcon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
  g_icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  lstrcpynW(g_icon.szTip, L"minimal", 64);
  ::Shell_NotifyIconW(NIM_ADD, &g_icon);
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

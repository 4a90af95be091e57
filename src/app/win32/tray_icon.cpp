#include "app/win32/tray_icon.h"

#include <iterator>

namespace px {

// The record of the shell version this utility speaks (balloons with titles).
static_assert(sizeof(NOTIFYICONDATAW) == 976);

namespace {

template <std::size_t N>
void CopyInto(wchar_t (&field)[N], TextView text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  CopyBounded(text, reinterpret_cast<char16_t*>(field), N);
}

}  // namespace

void TrayIcon::Add(HWND window, HICON icon) {
  data_ = NOTIFYICONDATAW{};
  data_.cbSize = sizeof(NOTIFYICONDATAW);
  data_.hWnd = window;
  data_.uID = 0;
  data_.uCallbackMessage = kTrayCallbackMessage;
  data_.hIcon = icon;
  CopyInto(data_.szTip, kTrayTip);
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  ::Shell_NotifyIconW(NIM_ADD, &data_);
  added_ = true;
}

void TrayIcon::ShowBalloon(TextView text, TextView title, unsigned timeoutMs) {
  CopyInto(data_.szInfo, text);
  CopyInto(data_.szInfoTitle, title);
  data_.uTimeout = timeoutMs;
  data_.dwInfoFlags = NIIF_INFO;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
  ::Shell_NotifyIconW(NIM_MODIFY, &data_);
}

void TrayIcon::Restore() {
  if (!added_) return;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  ::Shell_NotifyIconW(NIM_ADD, &data_);
}

void TrayIcon::Remove() {
  if (!added_) return;
  ::Shell_NotifyIconW(NIM_DELETE, &data_);
  added_ = false;
}

}  // namespace px

#pragma once
// RAII owners for the Win32 handles the windows use. Each owner closes its
// handle exactly once with the matching release call; nothing in the
// windows' logic calls CloseHandle, DeleteObject and friends directly.
#include <windows.h>

#include <utility>

namespace px::winui {

template <typename Traits>
class Unique {
 public:
  using Handle = typename Traits::Handle;

  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  ~Unique() { Reset(); }
  Unique(Unique&& other) noexcept : handle_(other.Release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Traits::Valid(handle_); }
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    Handle old = std::exchange(handle_, handle);
    if (Traits::Valid(old)) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool Valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

// A handle that is null when empty, released by `release`.
template <typename H, auto release>
struct NullableTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool Valid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { release(h); }
};

// A child window created on demand (the drop-down lists).
struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static bool Valid(Handle h) { return h != nullptr; }
  static void Close(Handle h) {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};

using UniqueHandle = Unique<KernelHandleTraits>;
using UniqueBitmap = Unique<NullableTraits<HBITMAP, &::DeleteObject>>;
using UniqueFont = Unique<NullableTraits<HFONT, &::DeleteObject>>;
using UniqueBrush = Unique<NullableTraits<HBRUSH, &::DeleteObject>>;
using UniqueIcon = Unique<NullableTraits<HICON, &::DestroyIcon>>;
using UniqueMenu = Unique<NullableTraits<HMENU, &::DestroyMenu>>;
using UniqueHook = Unique<NullableTraits<HHOOK, &::UnhookWindowsHookEx>>;
using UniqueDeviceNotify = Unique<NullableTraits<HDEVNOTIFY, &::UnregisterDeviceNotification>>;
using UniqueWindow = Unique<WindowTraits>;
using UniqueMemoryDc = Unique<NullableTraits<HDC, &::DeleteDC>>;

// GetDC / ReleaseDC; with flags, GetDCEx (a client DC that clips the child
// windows, say, so that controls keep what they painted).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  WindowDc(HWND window, DWORD flags) : window_(window), dc_(::GetDCEx(window, nullptr, flags)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~PaintDc() { ::EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC Get() const { return dc_; }
  const PAINTSTRUCT& Paint() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
// Without a DC or an object it does nothing.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc != nullptr && object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (previous_ != nullptr) ::SelectObject(dc_, previous_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace px::winui

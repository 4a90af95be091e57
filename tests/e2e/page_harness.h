#pragma once
// The settings page on a real window of its own, without the application
// around it: for the page's benchmark, its view tests and the rebuild
// screenshot. The window is like the main one: it clips its children, its
// erase copies the canvas the page is drawn on, and its controls take their
// colours from the view.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "idle_page_ports.h"
#include "page/settings_page.h"
#include "page/win32/page_view_win32.h"
#include "skin/skin_paths.h"
#include "winui/composition.h"
#include "skin/win32/skin_picture.h"
#include "skin/win32/ui_text.h"

namespace px::pagetest {

inline void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// What the window shows: its client area read back from its own DC, colour
// only (0x00RRGGBB).
inline std::vector<std::uint32_t> Shown(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  winui::UniqueBitmap copy(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  winui::UniqueMemoryDc memory(::CreateCompatibleDC(nullptr));
  if (!copy || !memory) return {};
  {
    winui::SelectGuard select(memory.Get(), copy.Get());
    winui::WindowDc screen(window);
    ::BitBlt(memory.Get(), 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY);
    ::GdiFlush();
  }
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> shown(pixels, pixels + static_cast<std::size_t>(client.right) * client.bottom);
  for (auto& pixel : shown) pixel &= 0x00FFFFFFu;
  return shown;
}

// The real view, watched: `onScreen` runs after each moment something may
// have reached the screen ("copy" for a drawing's copy, "rebuild" when a
// rebuild has ended).
class WatchedView final : public PageView {
 public:
  WatchedView(HWND window, PageViewResources resources) : real(window, resources) {}

  void BeginDrawing() override { real.BeginDrawing(); }
  void DrawImage(TextView name, Point at) override { real.DrawImage(name, at); }
  void DrawString(TextView text, const Rect& r, TextFormat f, PageFont font) override {
    real.DrawString(text, r, f, font);
  }
  void CopyToScreen() override {
    real.CopyToScreen();
    if (onScreen) onScreen("copy");
  }
  void BeginRebuild() override { real.BeginRebuild(); }
  void EndRebuild() override {
    real.EndRebuild();
    if (onScreen) onScreen("rebuild");
  }
  void CreateStatic(const StaticControl& c) override { real.CreateStatic(c); }
  void SetStaticText(int id, TextView text) override { real.SetStaticText(id, text); }
  void InvalidateControl(int id) override { real.InvalidateControl(id); }
  void DestroyControl(int id) override { real.DestroyControl(id); }
  void CreateList(int id, const Rect& r, std::span<const TextView> items) override { real.CreateList(id, r, items); }
  bool ListExists(int id) const override { return real.ListExists(id); }
  std::optional<int> ListSelection(int id) const override { return real.ListSelection(id); }
  void SetListSelection(int id, int item) override { real.SetListSelection(id, item); }
  std::optional<Rect> ListItemRect(int id, int item) const override { return real.ListItemRect(id, item); }
  void ShowMessage(TextView, TextView) override {}
  std::optional<Rgb> RunColorChooser() override { return std::nullopt; }
  void OpenWithShell(TextView) override {}
  void StartWindowDrag(Point) override {}
  void RequestHover() override {}

  PageWin32View real;
  std::function<void(const char* moment)> onScreen;
};

// One page on one window, drawn at `scale` (device pixels per layout pixel,
// as the main window at the monitor's DPI); the skin folder may be changed
// before a rebuild, as the skin flow does.
class PageWindow {
 public:
  static constexpr DWORD kMainWindowStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;

  explicit PageWindow(Text folder, DWORD style = kMainWindowStyle, double deviceScale = 1.0)
      : skinFolder(std::move(folder)), scale(deviceScale) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClass;
    ::RegisterClassW(&windowClass);
    if (!background.Load(SkinImagePath(skinFolder, u"/main.png"), PixelSize{1, 1}, scale)) return;
    canvas_ = background.Handle();
    window = ::CreateWindowExW(0, kClass, L"page", style, 0, 0, background.Width(), background.Height(), nullptr,
                               nullptr, windowClass.hInstance, nullptr);
    session.model.ReportRateCode = 1;
    session.model.DpiLevel = {1, 3, 5, 7};
    session.model.DpiStageEnabled = {1, 1, 1, 1};
    session.model.DpiStageColor = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}}};
    session.model.LightMode = 1;
    session.firstRunFlag = 1;
    session.labels.fill(u"Left Click");
    view = std::make_unique<WatchedView>(
        window, PageViewResources{canvas_, skinFolder, textColor, body, heading, session.model, scale});
    watched_ = view.get();
    page = std::make_unique<SettingsPage>(session, PageFlags{pageState, builtOnce}, store, *view, commands, dialogs);
    Pump();
  }
  ~PageWindow() {
    page.reset();
    watched_ = nullptr;
    view.reset();
    if (window != nullptr) ::DestroyWindow(window);
    ::UnregisterClassW(kClass, ::GetModuleHandleW(nullptr));
  }
  PageWindow(const PageWindow&) = delete;
  PageWindow& operator=(const PageWindow&) = delete;

  bool Ready() const { return window != nullptr && page != nullptr; }

  Text skinFolder;
  double scale;  // device pixels per layout pixel
  BackgroundBitmap background;
  HWND window = nullptr;
  SettingsSession session;
  int pageState = kPageNotBuilt;
  bool builtOnce = false;
  UiTextColor textColor{230, 232, 240};
  winui::UniqueFont body = CreateUiFont(Language::English, FontRole::Body, scale);
  winui::UniqueFont heading = CreateUiFont(Language::English, FontRole::Heading, scale);
  NoCommands commands;
  testing::MemoryProfileStore store;
  ScriptedDialogs dialogs;
  std::unique_ptr<WatchedView> view;
  std::unique_ptr<SettingsPage> page;

 private:
  static constexpr wchar_t kClass[] = L"PxPageHarness";
  static inline HBITMAP canvas_ = nullptr;
  static inline WatchedView* watched_ = nullptr;

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
      winui::Composition copy(window, reinterpret_cast<HDC>(wParam), canvas_);
      return TRUE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC && watched_ != nullptr) {
      if (auto brush = watched_->real.ControlColors(message, reinterpret_cast<HDC>(wParam),
                                                    reinterpret_cast<HWND>(lParam))) {
        return *brush;
      }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
};

}  // namespace px::pagetest

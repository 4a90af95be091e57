#pragma once
// One redraw of a window by composition, off the screen: what is drawn on
// Dc() lands on the window's persistent background bitmap, and the client
// area reaches the window in one copy when the composition ends. The main
// window, its settings page and the small dialogs all redraw so:
//
//   winui::Composition draw(hwnd, background);  // or (hwnd, paintDc, ...) in WM_ERASEBKGND
//   if (draw.HasCanvas()) {
//     ... draw pictures and text on draw.Dc() ...
//   }
//   // the whole client area reaches the window when `draw` ends
#include <windows.h>

#include <optional>

#include "winui/handles.h"

namespace px::winui {

// A memory DC with the background selected as the canvas, in the target's
// coordinates. Without a background nothing can be drawn, and the window
// gets black rather than undefined memory.
class Composition {
 public:
  // Outside painting: on the window's own DC (GetDC / ReleaseDC).
  Composition(HWND window, HBITMAP background);
  // Inside WM_ERASEBKGND: on the paint DC handed over.
  Composition(HWND window, HDC paintDc, HBITMAP background);
  // On any target, over a given area (the client rectangle).
  Composition(HDC target, const RECT& area, HBITMAP background);
  // On the background alone: nothing reaches a window, as while a page is
  // prepared before the screen shows it.
  explicit Composition(HBITMAP background);
  ~Composition();
  Composition(const Composition&) = delete;
  Composition& operator=(const Composition&) = delete;

  HDC Dc() const { return canvasDc_.Get(); }
  bool HasCanvas() const { return static_cast<bool>(canvasDc_); }

 private:
  void Start(HDC target, const RECT& area, HBITMAP background);

  std::optional<WindowDc> windowDc_;  // declared first: released after the copy
  UniqueMemoryDc canvasDc_;
  std::optional<SelectGuard> canvasSelected_;
  HDC target_ = nullptr;  // none on the background alone
  RECT area_{};
};

}  // namespace px::winui

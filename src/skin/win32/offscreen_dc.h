#pragma once
// SkinComposition, one redraw of a window onto its persistent background
// bitmap, off the screen. Win32 only. A redraw, with the pictures of
// skin_picture.h and the text of ui_text.h:
//
//   SkinComposition draw(hwnd, background.Handle());      // or (hwnd, paintDc, ...) in WM_ERASEBKGND
//   if (draw.HasCanvas()) {
//     PrepareUiText(draw.Dc(), font.Get(), textColor);
//     DrawSkinImage(hwnd, draw.Dc(), path, x, y, SkinLoadFailure::ShowMessage);
//     DrawUiText(draw.Dc(), u"OK", okRect);
//   }
//   // the whole client area reaches the window when `draw` ends
#include <windows.h>

#include <optional>

#include "winui/handles.h"

namespace px {

// A memory DC with the window's background bitmap selected as the canvas, in
// the target's coordinates, so that everything drawn stays in the background.
// The area is copied to the target once, when the composition ends. Without a
// background nothing can be drawn, and the window gets black rather than
// undefined memory.
class SkinComposition {
 public:
  // Outside painting: on the window's own DC (GetDC / ReleaseDC).
  SkinComposition(HWND window, HBITMAP background);
  // Inside WM_ERASEBKGND: on the paint DC handed over.
  SkinComposition(HWND window, HDC paintDc, HBITMAP background);
  // On any target, over a given area (the client rectangle).
  SkinComposition(HDC target, const RECT& area, HBITMAP background);
  // On the background alone: nothing reaches a window, as while a page is
  // prepared before the screen shows it.
  explicit SkinComposition(HBITMAP background);
  ~SkinComposition();
  SkinComposition(const SkinComposition&) = delete;
  SkinComposition& operator=(const SkinComposition&) = delete;

  HDC Dc() const { return canvasDc_.Get(); }
  bool HasCanvas() const { return static_cast<bool>(canvasDc_); }

 private:
  void Start(HDC target, const RECT& area, HBITMAP background);

  std::optional<winui::WindowDc> windowDc_;  // declared first: released after the copy
  winui::UniqueMemoryDc canvasDc_;
  std::optional<winui::SelectGuard> canvasSelected_;
  HDC target_ = nullptr;  // none on the background alone
  RECT area_{};
};

}  // namespace px

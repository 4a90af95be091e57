#pragma once
// The off-screen surfaces every redraw goes through: CMemDC over a rectangle
// of a target DC, and SkinComposition, one redraw of a window onto its
// persistent background bitmap. Win32 only. A redraw, with the pictures of
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

// Off-screen surface over one rectangle of a target DC. Drawing uses the
// target's coordinates; the area goes back to the target in one BitBlt when
// the surface ends (or at CopyToTarget). A printer target is drawn on directly.
class CMemDC {
 public:
  // An all-zero area means the target's clip box. The new bitmap is not
  // filled: its content is undefined until something is drawn or selected.
  CMemDC(HDC target, const RECT& area);
  // Drawing on a canvas of the caller's (a window's background bitmap)
  // instead of a bitmap of its own, as if it had been selected at once.
  CMemDC(HDC target, const RECT& area, HBITMAP canvas);
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  HDC Get() const { return offScreen_ ? memory_.Get() : target_; }
  operator HDC() const { return Get(); }
  bool IsOffScreen() const { return offScreen_; }
  const RECT& Area() const { return area_; }

  // Selects a bitmap (a window's background) as the drawing canvas; the
  // surface deselects it again when it ends, so the caller keeps ownership.
  void SelectBitmap(HBITMAP bitmap);

  // Copies the area to the target now; the surface then ends without a
  // second copy. For redraws outside painting, on a GetDC context.
  void CopyToTarget();

 private:
  HDC target_;
  winui::UniqueMemoryDc memory_;
  winui::UniqueBitmap bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  RECT area_{};
  bool offScreen_ = false;
  bool copied_ = false;
};

// One redraw of a window by composition: an off-screen surface over the
// client area with the window's background bitmap selected as the canvas, so
// that everything drawn stays in the background. The client area is copied to
// the window once, when the composition ends. Without a background nothing
// can be drawn, and the window gets black rather than undefined memory.
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
  SkinComposition(const SkinComposition&) = delete;
  SkinComposition& operator=(const SkinComposition&) = delete;

  HDC Dc() const { return surface_ ? surface_->Get() : canvasDc_.Get(); }
  bool HasCanvas() const { return hasCanvas_; }

 private:
  void Start(HDC target, const RECT& area, HBITMAP background);

  std::optional<winui::WindowDc> windowDc_;  // declared first: released after the copy
  std::optional<CMemDC> surface_;
  winui::UniqueMemoryDc canvasDc_;  // on the background alone
  std::optional<winui::SelectGuard> canvasSelected_;
  bool hasCanvas_ = false;
};

}  // namespace px

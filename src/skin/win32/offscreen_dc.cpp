#include "skin/win32/offscreen_dc.h"

namespace px {

// --- CMemDC ----------------------------------------------------------------

CMemDC::CMemDC(HDC target, const RECT& area) : CMemDC(target, area, nullptr) {}

CMemDC::CMemDC(HDC target, const RECT& area, HBITMAP canvas) : target_(target), memory_(CreateCompatibleDC(target)) {
  area_ = area;
  offScreen_ = target != nullptr && GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER;
  if (!offScreen_) return;  // a printer is drawn on directly
  if (area.left == 0 && area.top == 0 && area.right == 0 && area.bottom == 0) GetClipBox(target, &area_);
  // A bitmap of the area's size, only to be replaced by the canvas at once,
  // would cost each redraw as much as its copy to the screen.
  if (canvas == nullptr) {
    bitmap_.Reset(CreateCompatibleBitmap(target, area_.right - area_.left, area_.bottom - area_.top));
    canvas = bitmap_.Get();
  }
  previousBitmap_ = SelectObject(memory_.Get(), canvas);
  SetWindowOrgEx(memory_.Get(), area_.left, area_.top, nullptr);
}

CMemDC::~CMemDC() {
  if (!offScreen_) return;
  if (!copied_) CopyToTarget();
  // Also deselects a bitmap a caller selected, so that it can be freed or reused.
  if (previousBitmap_ != nullptr) SelectObject(memory_.Get(), previousBitmap_);
}

void CMemDC::SelectBitmap(HBITMAP bitmap) {
  if (offScreen_ && bitmap != nullptr) SelectObject(memory_.Get(), bitmap);
}

void CMemDC::CopyToTarget() {
  if (!offScreen_ || copied_) return;
  copied_ = true;
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.Get(),
         area_.left, area_.top, SRCCOPY);
}

// --- Composition -----------------------------------------------------------------

namespace {

RECT ClientRect(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

}  // namespace

SkinComposition::SkinComposition(HWND window, HBITMAP background) {
  windowDc_.emplace(window);
  Start(windowDc_->Get(), ClientRect(window), background);
}

SkinComposition::SkinComposition(HWND window, HDC paintDc, HBITMAP background) {
  Start(paintDc, ClientRect(window), background);
}

SkinComposition::SkinComposition(HDC target, const RECT& area, HBITMAP background) {
  Start(target, area, background);
}

SkinComposition::SkinComposition(HBITMAP background) {
  if (background == nullptr) return;
  canvasDc_.Reset(CreateCompatibleDC(nullptr));
  canvasSelected_.emplace(canvasDc_.Get(), background);
  hasCanvas_ = static_cast<bool>(canvasDc_);
}

void SkinComposition::Start(HDC target, const RECT& area, HBITMAP background) {
  if (target == nullptr) return;
  surface_.emplace(target, area, background);
  if (background != nullptr) {
    hasCanvas_ = true;
  } else {
    // Nothing to compose on: show black, not whatever the new bitmap holds.
    const RECT& all = surface_->Area();
    FillRect(surface_->Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
}

}  // namespace px

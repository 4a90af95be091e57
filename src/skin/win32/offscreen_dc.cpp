#include "skin/win32/offscreen_dc.h"

namespace px {
namespace {

RECT ClientRect(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
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
  canvasDc_.Reset(::CreateCompatibleDC(nullptr));
  canvasSelected_.emplace(canvasDc_.Get(), background);
}

SkinComposition::~SkinComposition() {
  if (target_ == nullptr || !canvasDc_) return;
  ::BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, canvasDc_.Get(),
           area_.left, area_.top, SRCCOPY);
}

void SkinComposition::Start(HDC target, const RECT& area, HBITMAP background) {
  if (target == nullptr) return;
  if (background == nullptr) {
    // Nothing to compose on: show black, not whatever memory holds.
    ::FillRect(target, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return;
  }
  canvasDc_.Reset(::CreateCompatibleDC(target));
  canvasSelected_.emplace(canvasDc_.Get(), background);
  ::SetWindowOrgEx(canvasDc_.Get(), area.left, area.top, nullptr);
  target_ = target;
  area_ = area;
}

}  // namespace px

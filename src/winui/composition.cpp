#include "winui/composition.h"

namespace px::winui {
namespace {

RECT ClientRect(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return client;
}

}  // namespace

Composition::Composition(HWND window, HBITMAP background) {
  windowDc_.emplace(window);
  Start(windowDc_->Get(), ClientRect(window), background);
}

Composition::Composition(HWND window, HDC paintDc, HBITMAP background) {
  Start(paintDc, ClientRect(window), background);
}

Composition::Composition(HDC target, const RECT& area, HBITMAP background) {
  Start(target, area, background);
}

Composition::Composition(HBITMAP background) {
  if (background == nullptr) return;
  canvasDc_.Reset(::CreateCompatibleDC(nullptr));
  canvasSelected_.emplace(canvasDc_.Get(), background);
}

Composition::~Composition() {
  if (target_ == nullptr || !canvasDc_) return;
  ::BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, canvasDc_.Get(),
           area_.left, area_.top, SRCCOPY);
}

void Composition::Start(HDC target, const RECT& given, HBITMAP background) {
  if (target == nullptr) return;
  // No area at all (a minimised window's client): whatever the DC may draw.
  RECT area = given;
  if (area.left == 0 && area.top == 0 && area.right == 0 && area.bottom == 0) ::GetClipBox(target, &area);
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

}  // namespace px::winui

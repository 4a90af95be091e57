#include "app/win32/skin_canvas.h"

#include <objidl.h>
#include <gdiplus.h>

#include "app/win32/win32_text.h"

namespace px {

namespace gp = Gdiplus::DllExports;

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
  if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

namespace {

// A decoded GDI+ bitmap, disposed on scope exit.
class GpPicture {
 public:
  explicit GpPicture(const Text& path) {
    if (gp::GdipCreateBitmapFromFile(WideOf(path), &bitmap_) != Gdiplus::Ok) bitmap_ = nullptr;
  }
  ~GpPicture() {
    if (bitmap_ != nullptr) gp::GdipDisposeImage(bitmap_);
  }
  GpPicture(const GpPicture&) = delete;
  GpPicture& operator=(const GpPicture&) = delete;
  Gdiplus::GpBitmap* Get() const { return bitmap_; }
  SIZE Size() const {
    UINT width = 0, height = 0;
    gp::GdipGetImageWidth(bitmap_, &width);
    gp::GdipGetImageHeight(bitmap_, &height);
    return SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
  }

 private:
  Gdiplus::GpBitmap* bitmap_ = nullptr;
};

}  // namespace

winui::UniqueBitmap LoadPictureBitmap(const Text& path, SIZE& size) {
  size = SIZE{0, 0};
  GpPicture picture(path);
  if (picture.Get() == nullptr) return {};
  HBITMAP bitmap = nullptr;
  if (gp::GdipCreateHBITMAPFromBitmap(picture.Get(), &bitmap, 0xFF000000) != Gdiplus::Ok) return {};
  size = picture.Size();
  return winui::UniqueBitmap(bitmap);
}

bool DrawPicture(HDC dc, const Text& path, int x, int y) {
  GpPicture picture(path);
  if (picture.Get() == nullptr) return false;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (gp::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return false;
  SIZE size = picture.Size();
  gp::GdipDrawImageRectI(graphics, picture.Get(), x, y, size.cx, size.cy);
  gp::GdipDeleteGraphics(graphics);
  return true;
}

OffscreenDc::OffscreenDc(HDC target, const RECT& area)
    : target_(target), area_(area), memory_(::CreateCompatibleDC(target)) {
  bitmap_.Reset(::CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top));
  previous_ = ::SelectObject(memory_.Get(), bitmap_.Get());
  ::SetWindowOrgEx(memory_.Get(), area.left, area.top, nullptr);
}

OffscreenDc::~OffscreenDc() {
  ::BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.Get(),
           area_.left, area_.top, SRCCOPY);
  ::SelectObject(memory_.Get(), previous_);
}

}  // namespace px

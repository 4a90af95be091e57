#pragma once
// Helpers of the drawing tests: a 32-bit top-down canvas in a memory DC whose
// pixels a test reads directly, and the source tree as Wine sees it.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "winui/handles.h"

namespace px::wintest {

struct Pixel {
  int r, g, b;
};

class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill)
      : dc_(CreateCompatibleDC(nullptr)), width_(width), size_(static_cast<std::size_t>(width) * height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    selected_.emplace(dc_.Get(), bitmap_.Get());
    winui::UniqueBrush brush(CreateSolidBrush(fill));
    RECT all{0, 0, width, height};
    FillRect(dc_.Get(), &all, brush.Get());
    GdiFlush();
  }
  HDC Dc() const { return dc_.Get(); }
  HBITMAP Bitmap() const { return bitmap_.Get(); }

  Pixel At(int x, int y) const {
    const std::uint32_t c = ColourAt(x, y);
    return {static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF)};
  }
  // Colour only, 0x00RRGGBB: AlphaBlend also writes the destination's alpha
  // byte, which nothing on screen shows.
  std::vector<std::uint32_t> Colours() const {
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits_);
    std::vector<std::uint32_t> colours(p, p + size_);
    for (auto& c : colours) c &= 0x00FFFFFFu;
    return colours;
  }
  std::uint32_t ColourAt(int x, int y) const {
    GdiFlush();
    return static_cast<const std::uint32_t*>(bits_)[static_cast<std::size_t>(y) * width_ + x] & 0x00FFFFFFu;
  }

 private:
  winui::UniqueMemoryDc dc_;
  winui::UniqueBitmap bitmap_;
  std::optional<winui::SelectGuard> selected_;
  void* bits_ = nullptr;
  int width_;
  std::size_t size_;
};

// A path below the source tree; a Unix path lives on drive Z: under Wine.
inline Text SourcePath(const char* relative) {
  std::string path = PX_SOURCE_DIR;
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  return FromUtf8(path + "/" + relative);
}

}  // namespace px::wintest

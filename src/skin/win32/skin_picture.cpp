#include "skin/win32/skin_picture.h"

#include "skin/win32/gdiplus_headers.h"
#include "skin/win32/ui_text.h"

#include <shlwapi.h>

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "skin/image_limits.h"
#include "skin/pixel_density.h"
#include "skin/premultiply.h"
#include "skin/shared_looks.h"
#include "skin/skin_paths.h"
#include "storage/executable_path.h"
#include "storage/file_system.h"

namespace px {
namespace {

namespace gp = Gdiplus;
namespace flat = Gdiplus::DllExports;

DecoderSession& Decoder() {
  static DecoderSession session;
  return session;
}
ULONG_PTR g_gdiplusToken = 0;  // the session's, while it runs

void ReleaseStream(IStream* stream) { stream->Release(); }
// The file's bytes as the stream GDI+ decodes from; released after the bitmap.
using StreamOwner = winui::Unique<winui::NullableTraits<IStream*, &ReleaseStream>>;
// Releases a GDI+ bitmap on every path out of the loader.
using GpBitmapOwner = winui::Unique<winui::NullableTraits<gp::GpBitmap*, &flat::GdipDisposeImage>>;

// One source DC for every draw of the process (the user interface's
// thread): a DC made and freed per picture costs more than the blend.
HDC SourceDc() {
  static const winui::UniqueMemoryDc source(CreateCompatibleDC(nullptr));
  return source.Get();
}

bool PaletteHasAlpha(gp::GpBitmap* bitmap) {
  INT size = 0;
  if (flat::GdipGetImagePaletteSize(bitmap, &size) != gp::Ok || size < static_cast<INT>(sizeof(gp::ColorPalette))) {
    return false;
  }
  std::vector<std::uint8_t> storage(static_cast<std::size_t>(size));
  auto* palette = reinterpret_cast<gp::ColorPalette*>(storage.data());
  return flat::GdipGetImagePalette(bitmap, palette, size) == gp::Ok && (palette->Flags & gp::PaletteFlagsHasAlpha) != 0;
}

SkinLoadFailureBox failureBox = &ShowOkBox;

}  // namespace

// --- SkinImage ---------------------------------------------------------------

bool SkinImage::Decode(const SkinPictureFile& file) {
  *this = SkinImage{};
  if (!StartSkinDecoder()) return false;
  Decoder().CountDecode();
  const StreamOwner stream(SHCreateMemStream(file.bytes.data(), static_cast<UINT>(file.bytes.size())));
  if (!stream) return false;
  gp::GpBitmap* decoded = nullptr;
  const bool made = flat::GdipCreateBitmapFromStream(stream.Get(), &decoded) == gp::Ok;
  const GpBitmapOwner source(decoded);
  if (!made || !source) return false;
  UINT width = 0, height = 0;
  gp::PixelFormat format = 0;
  if (flat::GdipGetImageWidth(source.Get(), &width) != gp::Ok ||
      flat::GdipGetImageHeight(source.Get(), &height) != gp::Ok ||
      flat::GdipGetImagePixelFormat(source.Get(), &format) != gp::Ok ||
      !WithinSkinImageLimits(PixelSize{width, height})) {
    return false;
  }
  const bool alpha = (format & PixelFormatAlpha) != 0 || (format & PixelFormatPAlpha) != 0 ||
                     ((format & PixelFormatIndexed) != 0 && PaletteHasAlpha(source.Get()));
  // Alpha images become straight 32-bit BGRA; everything else opaque 24-bit BGR.
  const int bitsPerPixel = alpha ? 32 : 24;
  const gp::PixelFormat lockFormat = alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  winui::UniqueBitmap section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || bits == nullptr) return false;

  gp::GpRect whole(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  gp::BitmapData locked{};
  if (flat::GdipBitmapLockBits(source.Get(), &whole, gp::ImageLockModeRead, lockFormat, &locked) != gp::Ok) {
    return false;
  }
  CopyPixelRows({static_cast<const std::uint8_t*>(locked.Scan0), locked.Stride},
                {static_cast<std::uint8_t*>(bits), DibRowBytes(static_cast<int>(width), bitsPerPixel)},
                static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel / 8), static_cast<int>(height));
  flat::GdipBitmapUnlockBits(source.Get(), &locked);
  GdiFlush();

  bitmap_ = std::move(section);
  bits_ = bits;
  width_ = static_cast<int>(width);
  height_ = static_cast<int>(height);
  bitsPerPixel_ = bitsPerPixel;
  hasAlpha_ = alpha;
  density_ = file.density;
  return true;
}

void SkinImage::PremultiplyAlpha() {
  if (!bitmap_ || bits_ == nullptr || bitsPerPixel_ != 32) return;
  GdiFlush();
  PremultiplyBgra(std::span(static_cast<std::uint8_t*>(bits_),
                            static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4));
}

void SkinImage::DrawOver(HDC surface, const Rect& device) const {
  if (!bitmap_ || surface == nullptr) return;
  if (!hasAlpha_ && (device.Width() != width_ || device.Height() != height_)) {
    Resample(surface, device);
    return;
  }
  winui::SelectGuard selected(SourceDc(), bitmap_.Get());
  if (hasAlpha_) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(surface, device.left, device.top, device.Width(), device.Height(), SourceDc(), 0, 0, width_, height_,
               blend);
  } else {
    StretchBlt(surface, device.left, device.top, width_, height_, SourceDc(), 0, 0, width_, height_, SRCCOPY);
  }
}

void SkinImage::Resample(HDC surface, const Rect& device) const {
  if (!bitmap_ || surface == nullptr) return;
  winui::SelectGuard selected(SourceDc(), bitmap_.Get());
  // Resampled (a doubled picture at 150 %, a plain one at 200 %): averaged,
  // not the default mode that ANDs the dropped pixels into dark ones.
  const int mode = SetStretchBltMode(surface, HALFTONE);
  POINT origin{};
  SetBrushOrgEx(surface, 0, 0, &origin);
  StretchBlt(surface, device.left, device.top, device.Width(), device.Height(), SourceDc(), 0, 0, width_, height_,
             SRCCOPY);
  SetBrushOrgEx(surface, origin.x, origin.y, nullptr);
  if (mode != 0) SetStretchBltMode(surface, mode);
}

HBITMAP SkinImage::Detach() {
  HBITMAP bitmap = bitmap_.Release();
  *this = SkinImage{};
  return bitmap;
}

std::size_t SkinImage::Bytes() const {
  if (!bitmap_) return 0;
  return static_cast<std::size_t>(DibRowBytes(width_, bitsPerPixel_)) * static_cast<std::size_t>(height_);
}

// --- GDI+ --------------------------------------------------------------------

bool StartSkinDecoder() {
  return Decoder().Start([] {
    gp::GdiplusStartupInput input;  // version 1, no debug callback, nothing suppressed
    return gp::GdiplusStartup(&g_gdiplusToken, &input, nullptr) == gp::Ok;
  });
}

void StopSkinDecoder() { Decoder().Stop([] { gp::GdiplusShutdown(std::exchange(g_gdiplusToken, 0)); }); }
const DecoderSession& SkinDecoder() { return Decoder(); }

// --- The skin's pictures ---------------------------------------------------------

SkinImageCache<SkinImage>& SkinImages() {
  static SkinImageCache<SkinImage> images(
      [](TextView path, int density) { return ReadSkinPictureAt(SystemFileSystem(), path, density); },
      [](const SkinPictureFile& file) -> std::optional<SkinImage> {
        SkinImage image;
        if (!image.Decode(file)) return std::nullopt;
        image.PremultiplyAlpha();
        return image;
      },
      &SayOverBudget);
  return images;
}

void DropSkinImages() { SkinImages().Drop(); }

void SkinImagesAtDensity(int density) { SkinImages().AtDensity(density); }

// --- DrawSkinImage -------------------------------------------------------------

SkinLoadFailureBox SetSkinLoadFailureBox(SkinLoadFailureBox box) {
  return std::exchange(failureBox, box != nullptr ? box : &ShowOkBox);
}

int DrawSkinImage(HWND owner, HDC surface, TextView imagePath, int x, int y, SkinLoadFailure onFailure,
                  double ratio) {
  if (surface == nullptr) return 0;
  const SkinImage& image = SkinImages().Get(imagePath);
  if (image.IsNull()) {
    if (onFailure == SkinLoadFailure::ShowMessage) {
      failureBox(owner, kPictureFailedText, ApplicationNameFromPath(RunningExecutablePath()));
    }
    return 0;
  }
  const int density = image.Density();
  const Rect logical{x, y, x + image.Width() / density, y + image.Height() / density};
  image.DrawOver(surface, DeviceRect(logical, ratio));
  return 1;
}

// --- BackgroundBitmap ----------------------------------------------------------

bool BackgroundBitmap::Load(TextView path, PixelSize needed, double ratio) {
  bitmap_.Reset();
  width_ = height_ = 0;
  // Sized from the header: a background too small or too large for a window
  // is never decoded.
  const std::optional<SkinPictureFile> file =
      ReadSkinBackgroundAt(SystemFileSystem(), path, needed, PictureDensityFor(ratio, DoubledPictures::FromOneAndAHalf));
  if (!file) return false;
  SkinImage image;
  if (!image.Decode(*file)) return false;
  if (ratio == 1.0 && image.Density() == kPlainDensity) {
    width_ = image.Width();
    height_ = image.Height();
    bitmap_.Reset(image.Detach());
    return true;
  }
  // The canvas at device pixels, the picture drawn over it whole.
  width_ = DeviceEdge(image.Width() / image.Density(), ratio);
  height_ = DeviceEdge(image.Height() / image.Density(), ratio);
  winui::WindowDc screen(nullptr);
  winui::UniqueMemoryDc dc(::CreateCompatibleDC(screen.Get()));
  bitmap_.Reset(::CreateCompatibleBitmap(screen.Get(), width_, height_));
  if (!dc || !bitmap_) {
    bitmap_.Reset();
    width_ = height_ = 0;
    return false;
  }
  winui::SelectGuard selected(dc.Get(), bitmap_.Get());
  image.Resample(dc.Get(), {0, 0, width_, height_});
  return true;
}

}  // namespace px

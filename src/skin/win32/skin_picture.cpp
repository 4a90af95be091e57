#include "skin/win32/skin_picture.h"

#include "skin/win32/gdiplus_headers.h"
#include "skin/win32/ui_text.h"

#include <shlwapi.h>

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "skin/decoder_session.h"
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

// The file's bytes as the stream GDI+ decodes from; released after the bitmap.
struct StreamOwner {
  explicit StreamOwner(IStream* owned) : stream(owned) {}
  IStream* stream;
  StreamOwner(const StreamOwner&) = delete;
  StreamOwner& operator=(const StreamOwner&) = delete;
  ~StreamOwner() {
    if (stream != nullptr) stream->Release();
  }
};

// Releases a GDI+ bitmap on every path out of the loader.
struct GpBitmapOwner {
  gp::GpBitmap* bitmap = nullptr;
  ~GpBitmapOwner() {
    if (bitmap != nullptr) flat::GdipDisposeImage(bitmap);
  }
};

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

std::optional<SkinPictureFile> ReadSkinFile(TextView path) { return ReadSkinPicture(SystemFileSystem(), path); }

}  // namespace

// --- SkinImage ---------------------------------------------------------------

bool SkinImage::Load(TextView path) {
  const std::optional<SkinPictureFile> file = ReadSkinFile(path);
  if (!file) {
    *this = SkinImage{};
    return false;
  }
  return Decode(*file);
}

bool SkinImage::Decode(const SkinPictureFile& file) {
  bitmap_.Reset();
  bits_ = nullptr;
  width_ = height_ = bitsPerPixel_ = 0;
  hasAlpha_ = false;
  density_ = 1;
  if (!StartSkinDecoder()) return false;
  Decoder().CountDecode();
  StreamOwner stream(SHCreateMemStream(file.bytes.data(), static_cast<UINT>(file.bytes.size())));
  if (stream.stream == nullptr) return false;
  GpBitmapOwner source;
  if (flat::GdipCreateBitmapFromStream(stream.stream, &source.bitmap) != gp::Ok || source.bitmap == nullptr) {
    return false;
  }
  UINT width = 0, height = 0;
  gp::PixelFormat format = 0;
  if (flat::GdipGetImageWidth(source.bitmap, &width) != gp::Ok ||
      flat::GdipGetImageHeight(source.bitmap, &height) != gp::Ok ||
      flat::GdipGetImagePixelFormat(source.bitmap, &format) != gp::Ok ||
      !WithinSkinImageLimits(PixelSize{width, height})) {
    return false;
  }
  const bool alpha = (format & PixelFormatAlpha) != 0 || (format & PixelFormatPAlpha) != 0 ||
                     ((format & PixelFormatIndexed) != 0 && PaletteHasAlpha(source.bitmap));
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
  if (flat::GdipBitmapLockBits(source.bitmap, &whole, gp::ImageLockModeRead, lockFormat, &locked) != gp::Ok) {
    return false;
  }
  CopyPixelRows({static_cast<const std::uint8_t*>(locked.Scan0), locked.Stride},
                {static_cast<std::uint8_t*>(bits), DibRowBytes(static_cast<int>(width), bitsPerPixel)},
                static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel / 8), static_cast<int>(height));
  flat::GdipBitmapUnlockBits(source.bitmap, &locked);
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

void SkinImage::Draw(HDC surface, int x, int y) const { DrawOver(surface, {x, y, x + width_, y + height_}); }

void SkinImage::DrawOver(HDC surface, const Rect& device) const {
  if (!bitmap_ || surface == nullptr) return;
  const int x = device.left;
  const int y = device.top;
  // One source DC for every draw of the process (the user interface's
  // thread): a DC made and freed per picture costs more than the blend.
  static const winui::UniqueMemoryDc source(CreateCompatibleDC(nullptr));
  winui::SelectGuard selected(source.Get(), bitmap_.Get());
  if (hasAlpha_) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(surface, x, y, device.Width(), device.Height(), source.Get(), 0, 0, width_, height_, blend);
  } else if (device.Width() == width_ && device.Height() == height_) {
    StretchBlt(surface, x, y, width_, height_, source.Get(), 0, 0, width_, height_, SRCCOPY);
  } else {
    // Resampled (a doubled picture at 150 %, a plain one at 200 %): averaged,
    // not the default mode that ANDs the dropped pixels into dark ones.
    const int mode = SetStretchBltMode(surface, HALFTONE);
    POINT origin{};
    SetBrushOrgEx(surface, 0, 0, &origin);
    StretchBlt(surface, x, y, device.Width(), device.Height(), source.Get(), 0, 0, width_, height_, SRCCOPY);
    SetBrushOrgEx(surface, origin.x, origin.y, nullptr);
    if (mode != 0) SetStretchBltMode(surface, mode);
  }
}

HBITMAP SkinImage::Detach() {
  bits_ = nullptr;
  width_ = height_ = bitsPerPixel_ = 0;
  hasAlpha_ = false;
  return bitmap_.Release();
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
bool SkinDecoderRunning() { return Decoder().Running(); }
int SkinDecoderStarts() { return Decoder().Starts(); }
int SkinDecodes() { return Decoder().Decodes(); }

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
  if (ratio == 1.0 && image.Density() == kPlainDensity) {
    image.Draw(surface, x, y);
  } else {
    const int density = image.Density();
    const Rect logical{x, y, x + image.Width() / density, y + image.Height() / density};
    image.DrawOver(surface, DeviceRect(logical, ratio));
  }
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
  ::SetStretchBltMode(dc.Get(), HALFTONE);
  ::SetBrushOrgEx(dc.Get(), 0, 0, nullptr);
  const int pixelWidth = image.Width();
  const int pixelHeight = image.Height();
  const winui::UniqueBitmap picture(image.Detach());
  winui::UniqueMemoryDc source(::CreateCompatibleDC(screen.Get()));
  winui::SelectGuard from(source.Get(), picture.Get());
  ::StretchBlt(dc.Get(), 0, 0, width_, height_, source.Get(), 0, 0, pixelWidth, pixelHeight, SRCCOPY);
  return true;
}

}  // namespace px

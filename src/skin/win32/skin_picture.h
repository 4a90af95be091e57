#pragma once
// The skin's pictures: the PNG image object over GDI+, its decoder, the cache
// of decoded pictures, DrawSkinImage and window backgrounds. Win32 only; the
// rules themselves (paths, image names, limits, premultiply) are portable, in
// src/skin.
#include <windows.h>

#include <cstddef>

#include "common/geometry.h"
#include "common/text.h"
#include "skin/decoder_session.h"
#include "skin/image_limits.h"
#include "skin/skin_image_cache.h"
#include "winui/handles.h"

namespace px {

// The image object: one decoded PNG as a DIB section. Movable (not
// copyable), so that the skin's image cache can keep it.
class SkinImage {
 public:
  // Decodes a file already read and sized (ReadSkinPicture); false when it is
  // undecodable (or GDI+ does not start). Formats with alpha become 32-bit
  // BGRA marked as having alpha.
  bool Decode(const SkinPictureFile& file);
  bool IsNull() const { return !bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // 2 for a NAME@2x.png picture: its logical size is half its pixels.
  int Density() const { return density_; }
  // What the decoded pixels cost in memory (0 when null).
  std::size_t Bytes() const;

  // 32-bit images only: colour scaled by alpha, as AlphaBlend expects.
  void PremultiplyAlpha();
  // The whole image over a rectangle of device pixels: AlphaBlend with
  // per-pixel alpha when it has alpha, else copied (Resample when resized).
  void DrawOver(HDC surface, const Rect& device) const;
  // The whole image stretched over a rectangle of device pixels, alpha
  // ignored, its pixels averaged.
  void Resample(HDC surface, const Rect& device) const;
  // Hands the bitmap over; the object is empty afterwards.
  HBITMAP Detach();

 private:
  winui::UniqueBitmap bitmap_;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
  bool hasAlpha_ = false;
  int density_ = 1;
};

// GDI+ decodes the skin's PNG files, one session for the process
// (skin/decoder_session.h: when it starts and stops, what it counts).
bool StartSkinDecoder();
void StopSkinDecoder();
// Whether it runs, and its counts.
const DecoderSession& SkinDecoder();

// The pictures every window draws, each decoded once per skin and kept
// premultiplied, ready for AlphaBlend (skin/skin_image_cache.h). A missing or
// refused picture is kept as a null image.
SkinImageCache<SkinImage>& SkinImages();
// The skin changed or the page is rebuilt: the pictures are read again.
void DropSkinImages();
// The density SkinImages() reads at (skin/pixel_density.h): another one
// drops the pictures held.
void SkinImagesAtDensity(int density);

enum class SkinLoadFailure {
  ShowMessage,  // the small dialogs: "LoadPng---Load image failed." at each failed draw
  Silent,       // the main window's settings page
};

// Shows the failure box of the dialog variant; MessageBoxW with an OK button
// unless replaced (tests record the call instead). Returns the previous one.
using SkinLoadFailureBox = void (*)(HWND owner, TextView text, TextView caption);
SkinLoadFailureBox SetSkinLoadFailureBox(SkinLoadFailureBox box);

// Blends one skin picture, taken from SkinImages(), at (x, y). Returns 1 when
// drawn, 0 when the surface is absent or the picture does not load; a picture
// that did not load is reported at every draw that needs it.
// (x, y) is in logical pixels; at a `ratio` other than 1 the picture covers
// the DeviceRect of its logical size.
int DrawSkinImage(HWND owner, HDC surface, TextView imagePath, int x, int y, SkinLoadFailure onFailure,
                  double ratio = 1.0);

// A window's background picture, decoded once when the window opens; its
// bitmap is the canvas of every later redraw.
class BackgroundBitmap {
 public:
  BackgroundBitmap() = default;
  BackgroundBitmap(const BackgroundBitmap&) = delete;
  BackgroundBitmap& operator=(const BackgroundBitmap&) = delete;

  // False when the file does not load, or when the picture is smaller than
  // `needed` (it could not show what the window draws on it) or larger than
  // the largest window; the window then has no background and a size of 0 x 0.
  // At a `ratio` other than 1 the bitmap is the picture at device pixels
  // (DeviceEdge of its logical size), from NAME@2x.png when the skin has it.
  bool Load(TextView path, PixelSize needed = PixelSize{1, 1}, double ratio = 1.0);
  HBITMAP Handle() const { return bitmap_.Get(); }
  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  winui::UniqueBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace px

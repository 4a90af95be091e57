#pragma once
// Drawing the skin: the off-screen surface every redraw goes through, the PNG
// image object over GDI+, the two DrawSkinImage variants, window backgrounds
// and the interface fonts. Win32 only; the rules themselves (paths, image
// names, premultiply, font table) are portable, in src/skin.
//
// A redraw composes onto the window's persistent background bitmap:
//
//   SkinComposition draw(hwnd, background.Handle());      // or (hwnd, paintDc, ...) in WM_ERASEBKGND
//   if (draw.HasCanvas()) {
//     PrepareUiText(draw.Dc(), font.Get(), textColor);
//     DrawSkinImage(hwnd, draw.Dc(), path, x, y, SkinLoadFailure::ShowMessage);
//     DrawUiText(draw.Dc(), u"OK", okRect);
//   }
//   // the whole client area reaches the window when `draw` ends
#include <windows.h>

#include <cstddef>
#include <optional>

#include "common/text.h"
#include "skin/image_limits.h"
#include "skin/skin_image_cache.h"
#include "skin/ui_font.h"
#include "winui/handles.h"

namespace px {

// The running executable's full path (GetModuleFileNameW).
Text ExecutablePath();

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

// The image object: one decoded PNG as a DIB section. Movable, so that the
// skin's image cache can keep it.
class SkinImage {
 public:
  SkinImage() = default;
  SkinImage(SkinImage&&) noexcept = default;
  SkinImage& operator=(SkinImage&&) noexcept = default;
  SkinImage(const SkinImage&) = delete;
  SkinImage& operator=(const SkinImage&) = delete;

  // Decodes the file; false when it is missing or undecodable (or GDI+ does
  // not start). Formats with alpha become 32-bit BGRA marked as having alpha.
  bool Load(TextView path);
  // Decodes a file already read and sized (ReadSkinPicture).
  bool Decode(const SkinPictureFile& file);
  bool IsNull() const { return !bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  bool HasAlpha() const { return hasAlpha_; }
  // What the decoded pixels cost in memory (0 when null).
  std::size_t Bytes() const;

  // 32-bit images only: colour scaled by alpha, as AlphaBlend expects.
  void PremultiplyAlpha();
  // Whole image at (x, y), own size: AlphaBlend with per-pixel alpha when it
  // has alpha, else StretchBlt SRCCOPY.
  void Draw(HDC surface, int x, int y) const;
  // Hands the bitmap over; the object is empty afterwards.
  HBITMAP Detach();

 private:
  winui::UniqueBitmap bitmap_;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
  bool hasAlpha_ = false;
};

// GDI+ decodes the skin's PNG files. It is started once, by the application's
// start or else by the first decode, and stays up for the rest of the process:
// no picture starts or stops it.
bool StartSkinDecoder();
// At the application's end only, once nothing decodes any more.
void StopSkinDecoder();
bool SkinDecoderRunning();
// How many times this process started GDI+, and how many files it handed
// GDI+ to decode (for tests and diagnostics).
int SkinDecoderStarts();
int SkinDecodes();

// The pictures every window draws, each decoded once per skin and kept
// premultiplied, ready for AlphaBlend (skin/skin_image_cache.h). A missing or
// refused picture is kept as a null image.
SkinImageCache<SkinImage>& SkinImages();
// The skin changed or the page is rebuilt: the pictures are read again.
void DropSkinImages();

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
int DrawSkinImage(HWND owner, HDC surface, TextView imagePath, int x, int y, SkinLoadFailure onFailure);

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
  bool Load(TextView path, PixelSize needed = PixelSize{1, 1});
  HBITMAP Handle() const { return bitmap_.Get(); }
  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  winui::UniqueBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
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

// Text drawing convention: the window's font, transparent background, the
// interface text colour. Stays selected for the rest of the composition.
void PrepareUiText(HDC dc, HFONT font, UiTextColor color);

enum class TextAlign : UINT {
  Centre = 0x25,  // DT_CENTER | DT_VCENTER | DT_SINGLELINE
  Left = 0x24,    // DT_LEFT | DT_VCENTER | DT_SINGLELINE
  Right = 0x26,   // DT_RIGHT | DT_VCENTER | DT_SINGLELINE
};
void DrawUiText(HDC dc, TextView text, const RECT& rect, TextAlign align = TextAlign::Centre);

// The window font for a language and role (system version from GetVersion).
winui::UniqueFont CreateUiFont(Language language, FontRole role);

// The text colour of the drawing convention, as the platform takes it.
inline COLORREF ToColorRef(UiTextColor color) { return static_cast<COLORREF>(UiTextColorValue(color)); }

}  // namespace px

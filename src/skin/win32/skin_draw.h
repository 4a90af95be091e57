#pragma once
// Drawing the skin: the off-screen surface every redraw goes through, the PNG
// image object over GDI+, the two DrawSkinImage variants, window backgrounds
// and the interface fonts. Win32 only; the rules themselves (paths, image
// names, premultiply, font table) are portable, in src/skin.
//
// A redraw composes onto the window's persistent background bitmap:
//
//   skin::WindowDc windowDc(hwnd);                // or the paint DC of WM_ERASEBKGND
//   RECT client; GetClientRect(hwnd, &client);
//   CMemDC surface(windowDc.Get(), client);
//   surface.SelectBitmap(background.Handle());    // skip all drawing when !background
//   DrawSkinImage(hwnd, surface, path, x, y, SkinLoadFailure::ShowMessage);
//   surface.CopyToTarget();                        // outside painting; else the destructor copies
#include <windows.h>

#include <optional>

#include "common/text.h"
#include "skin/ui_font.h"
#include "skin/win32/gdi_handles.h"

namespace px {

// The running executable's full path (GetModuleFileNameW, up to 1024 characters).
Text ExecutablePath();

// Off-screen surface over one rectangle of a target DC. Drawing uses the
// target's coordinates; the area goes back to the target in one BitBlt when
// the surface ends (or at CopyToTarget). A printer target is drawn on directly.
class CMemDC {
 public:
  // An all-zero area means the target's clip box. The new bitmap is not
  // filled: its content is undefined until something is drawn or selected.
  CMemDC(HDC target, const RECT& area);
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
  skin::MemoryDc memory_;
  skin::UniqueBitmap bitmap_;
  HGDIOBJ previousBitmap_ = nullptr;
  RECT area_{};
  bool offScreen_ = false;
  bool copied_ = false;
};

// The image object: one decoded PNG as a DIB section. GDI+ is started by the
// first load and shut down when the last live image object goes away.
class SkinImage {
 public:
  SkinImage();
  ~SkinImage();
  SkinImage(const SkinImage&) = delete;
  SkinImage& operator=(const SkinImage&) = delete;

  // Decodes the file; false when it is missing or undecodable (or GDI+ does
  // not start). Formats with alpha become 32-bit BGRA marked as having alpha.
  bool Load(TextView path);
  bool IsNull() const { return !bitmap_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  bool HasAlpha() const { return hasAlpha_; }

  // 32-bit images only: colour scaled by alpha, as AlphaBlend expects.
  void PremultiplyAlpha();
  // Whole image at (x, y), own size: AlphaBlend with per-pixel alpha when it
  // has alpha, else StretchBlt SRCCOPY.
  void Draw(HDC surface, int x, int y) const;
  // Hands the bitmap over; the object stays alive (and counted) but empty.
  HBITMAP Detach();

 private:
  skin::UniqueBitmap bitmap_;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
  bool hasAlpha_ = false;
};

// Live image objects and whether GDI+ runs (for tests and diagnostics).
int LiveSkinImageCount();
bool SkinDecoderRunning();

enum class SkinLoadFailure {
  ShowMessage,  // the small dialogs: "LoadPng---Load image failed." at each failed draw
  Silent,       // the main window's settings page
};

// Shows the failure box of the dialog variant; MessageBoxW with an OK button
// unless replaced (tests record the call instead). Returns the previous one.
using SkinLoadFailureBox = void (*)(HWND owner, TextView text, TextView caption);
SkinLoadFailureBox SetSkinLoadFailureBox(SkinLoadFailureBox box);

// Loads, premultiplies and blends one skin image at (x, y). Returns 1 when
// drawn, 0 when the surface is absent or the file does not load.
int DrawSkinImage(HWND owner, HDC surface, TextView imagePath, int x, int y, SkinLoadFailure onFailure);

// A window's background picture, decoded once when the window opens; its
// bitmap is the canvas of every later redraw. Keeps its (emptied) image
// object alive, so GDI+ stays up as long as a window with a background does.
class BackgroundBitmap {
 public:
  BackgroundBitmap() = default;
  BackgroundBitmap(const BackgroundBitmap&) = delete;
  BackgroundBitmap& operator=(const BackgroundBitmap&) = delete;

  // False when the file does not load; the window then has no background
  // and a size of 0 x 0.
  bool Load(TextView path);
  HBITMAP Handle() const { return bitmap_.Get(); }
  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  std::optional<SkinImage> image_;
  skin::UniqueBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

// The window font for a language and role (system version from GetVersion).
skin::UniqueFont CreateUiFont(Language language, FontRole role);

// The text colour of the drawing convention, as the platform takes it.
inline COLORREF ToColorRef(UiTextColor color) { return static_cast<COLORREF>(UiTextColorValue(color)); }

}  // namespace px

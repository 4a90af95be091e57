#pragma once
// The little the main window draws before the settings page exists: its
// background picture, PNG elements blended over it, and an off-screen DC
// through which every redraw passes.
#include <windows.h>

#include "common/text.h"
#include "winui/handles.h"

namespace px {

// GDI+ for the process: started by the application, stopped at its end.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool Started() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

// Decodes a PNG into a bitmap the window keeps; empty when the file is
// missing or not a picture. size receives its pixel size.
winui::UniqueBitmap LoadPictureBitmap(const Text& path, SIZE& size);

// Blends a PNG at (x, y) at its own size; false when it cannot be loaded.
bool DrawPicture(HDC dc, const Text& path, int x, int y);

// Off-screen surface over `area` of `target`; copies itself back when it goes.
// A caller may select its own bitmap into Get(); the surface's own bitmap is
// put back before it is freed.
class OffscreenDc {
 public:
  OffscreenDc(HDC target, const RECT& area);
  ~OffscreenDc();
  OffscreenDc(const OffscreenDc&) = delete;
  OffscreenDc& operator=(const OffscreenDc&) = delete;
  HDC Get() const { return memory_.Get(); }

 private:
  HDC target_;
  RECT area_;
  winui::UniqueMemoryDc memory_;
  winui::UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace px

#pragma once
// GDI+ for the whole run of the application object: started once by its
// start entry, before any skin picture is decoded, and shut down by its end
// entry. The skin's pictures decode under this one start; none starts or
// stops GDI+ itself.
#include "skin/win32/skin_picture.h"

namespace px {

class GdiplusSession {
 public:
  GdiplusSession() : started_(StartSkinDecoder()) {}
  ~GdiplusSession() {
    if (started_) StopSkinDecoder();
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

 private:
  bool started_ = false;
};

}  // namespace px

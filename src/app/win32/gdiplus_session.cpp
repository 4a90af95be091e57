#include "app/win32/gdiplus_session.h"

#include "skin/win32/skin_picture.h"

namespace px {

GdiplusSession::GdiplusSession() : started_(StartSkinDecoder()) {}

GdiplusSession::~GdiplusSession() {
  if (started_) StopSkinDecoder();
}

}  // namespace px

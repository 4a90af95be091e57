#include "app/window_drag.h"

#include <cstdlib>

namespace px {

bool WindowDragGesture::OnMotion(Point at, bool buttonHeld) {
  if (!armed_) return false;
  // The release went elsewhere (a dialog the press opened took it).
  if (!buttonHeld) {
    armed_ = false;
    return false;
  }
  if (std::abs(at.x - pressAt_.x) < distance_ && std::abs(at.y - pressAt_.y) < distance_) return false;
  armed_ = false;
  return true;
}

}  // namespace px

#include "app/window_drag.h"

#include <cstdlib>

namespace px {

DragMotion WindowDragGesture::OnMotion(Point at, bool buttonHeld) {
  if (following_) {
    following_ = buttonHeld;
    return buttonHeld ? DragMotion::Follow : DragMotion::None;
  }
  if (!armed_) return DragMotion::None;
  // The release went elsewhere (a dialog the press opened took it).
  if (!buttonHeld) {
    armed_ = false;
    return DragMotion::None;
  }
  if (std::abs(at.x - pressAt_.x) < distance_ && std::abs(at.y - pressAt_.y) < distance_) return DragMotion::None;
  armed_ = false;
  return DragMotion::Begin;
}

}  // namespace px

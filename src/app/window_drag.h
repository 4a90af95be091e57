#pragma once
// When a press that asks to move the window really becomes a move. A window
// manager that moves windows for the program grabs the pointer only once it
// has read the request, which can be after the button is up again (a
// touchpad's tap sends press and release back to back): a move asked for at
// the press would then follow the pointer with no button held, until the
// next click. So the press only arms the move; it begins on the first motion
// past a small distance while the button is still down, and never after the
// release.
#include "page/page_layout.h"

namespace px {

class WindowDragGesture {
 public:
  // distance: how far (in pixels, either axis) the pointer travels before a
  // press counts as a move rather than a click.
  explicit WindowDragGesture(int distance) : distance_(distance) {}

  // A press on the screen point `at` asks for a move.
  void Arm(Point at) {
    armed_ = true;
    pressAt_ = at;
  }
  // A motion to `at`; buttonHeld: the left button is still down. True once,
  // when the move is to begin now.
  bool OnMotion(Point at, bool buttonHeld);
  // The button went up, or a new press begins.
  void Cancel() { armed_ = false; }
  bool Armed() const { return armed_; }

 private:
  int distance_;
  bool armed_ = false;
  Point pressAt_{};
};

}  // namespace px

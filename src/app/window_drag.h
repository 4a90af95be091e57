#pragma once
// When a press that asks to move the window really becomes a move. A window
// manager that moves windows for the program grabs the pointer only once it
// has read the request, which can be after the button is up again (a
// touchpad's tap sends press and release back to back): a move asked for at
// the press would then follow the pointer with no button held, until the
// next click. So the press only arms the move; it begins on the first motion
// past a small distance while the button is still down, and never after the
// release. Where the system moves no window (no window manager, as on a
// bare X server), the window follows the pointer itself until the release.
#include <cstdint>

#include "page/page_layout.h"

namespace px {

enum class DragMotion : std::uint8_t {
  None,    // no move: the motion is the page's
  Begin,   // the move is to begin now (once)
  Follow,  // the window follows the pointer by hand: to WindowAt
};

class WindowDragGesture {
 public:
  // distance: how far (in pixels, either axis) the pointer travels before a
  // press counts as a move rather than a click.
  explicit WindowDragGesture(int distance) : distance_(distance) {}

  // A press on the screen point `at`, `grip` from the window's corner, asks
  // for a move.
  void Arm(Point at, Point grip = {}) {
    armed_ = true;
    following_ = false;
    pressAt_ = at;
    grip_ = grip;
  }
  // A motion to `at`; buttonHeld: the left button is still down.
  DragMotion OnMotion(Point at, bool buttonHeld);
  // The system did not take the move it began: the window follows by hand.
  void FollowByHand() { following_ = true; }
  // Where the window's corner goes to keep the grip under the pointer.
  Point WindowAt(Point pointer) const { return {pointer.x - grip_.x, pointer.y - grip_.y}; }
  // The button went up, or a new press begins.
  void Cancel() { armed_ = following_ = false; }
  bool Armed() const { return armed_; }

 private:
  int distance_;
  bool armed_ = false;
  bool following_ = false;
  Point pressAt_{};
  Point grip_{};
};

}  // namespace px

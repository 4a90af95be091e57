#pragma once
// Where a window opens on the screen. A window must never open with its
// top-left corner off the screen's available area: that corner holds what
// moves it, and near it the page's and dialogs' own buttons; a window larger
// than the area overflows to the right and downwards instead.
namespace px {

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// In the desktop's coordinates (Qt's device-independent pixels).
struct ScreenArea {
  int x = 0, y = 0, width = 0, height = 0;
};

struct WindowSize {
  int width = 0;
  int height = 0;
};

// The window at `wanted`, moved as little as needed to lie inside `area`;
// where it cannot fit, its top-left corner is the area's.
ScreenPoint PlaceInside(const ScreenArea& area, ScreenPoint wanted, WindowSize size);

// Centred on the area, under the same rule.
ScreenPoint PlaceCentred(const ScreenArea& area, WindowSize size);

}  // namespace px

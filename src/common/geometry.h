#pragma once
// Client pixels, shared by the page and the small dialogs: a point and a
// rectangle whose right and bottom edges lie outside it.
namespace px {

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr bool Contains(Point p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr Point TopLeft() const { return {left, top}; }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace px

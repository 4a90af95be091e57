#include "skin/screen_placement.h"

#include <algorithm>

namespace px {
namespace {

// One axis: the far edge is pulled in first, so that the near edge wins
// when the window is longer than the area.
int PlaceOnAxis(int areaStart, int areaLength, int wanted, int length) {
  const int farthest = areaStart + areaLength - length;
  return std::max(areaStart, std::min(wanted, farthest));
}

}  // namespace

ScreenPoint PlaceInside(const ScreenArea& area, ScreenPoint wanted, WindowSize size) {
  return {PlaceOnAxis(area.x, area.width, wanted.x, size.width),
          PlaceOnAxis(area.y, area.height, wanted.y, size.height)};
}

ScreenPoint PlaceCentred(const ScreenArea& area, WindowSize size) {
  const ScreenPoint centred{area.x + (area.width - size.width) / 2, area.y + (area.height - size.height) / 2};
  return PlaceInside(area, centred, size);
}

}  // namespace px

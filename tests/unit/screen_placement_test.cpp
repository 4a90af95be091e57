// Where the page and the dialogs open: never with the top-left corner off
// the screen's available area.
#include <gtest/gtest.h>

#include <ostream>

#include "skin/screen_placement.h"

namespace px {

void PrintTo(const ScreenPoint& point, std::ostream* out) { *out << point.x << "," << point.y; }

namespace {

struct CentredCase {
  const char* what;
  ScreenArea area;
  WindowSize size;
  ScreenPoint expected;
};

TEST(ScreenPlacementTest, ThePageOpensCentredWithItsCornerOnTheScreen) {
  const CentredCase cases[] = {
      {"fits: centred", {0, 0, 1280, 800}, {900, 650}, {190, 75}},
      {"fits, area below a top panel", {0, 24, 1280, 776}, {900, 650}, {190, 87}},
      {"twice as large as drawn at scale 2 (1280x800 is 640x400)", {0, 0, 640, 400}, {900, 650}, {0, 0}},
      {"1366x768 at 125 %: too high only", {0, 0, 1093, 614}, {900, 650}, {96, 0}},
      {"too wide only, a panel on the left", {48, 0, 800, 1000}, {900, 650}, {48, 175}},
      {"second screen right of the first", {1280, 0, 1920, 1080}, {900, 650}, {1790, 215}},
  };
  for (const CentredCase& c : cases) {
    EXPECT_EQ(PlaceCentred(c.area, c.size), c.expected) << c.what;
  }
}

struct InsideCase {
  const char* what;
  ScreenPoint wanted;
  WindowSize size;
  ScreenPoint expected;
};

TEST(ScreenPlacementTest, ADialogOpensAtThePageCornerMovedOntoTheScreen) {
  const ScreenArea area{0, 24, 1280, 776};
  const InsideCase cases[] = {
      {"corner on the screen: kept", {100, 100}, {380, 280}, {100, 100}},
      {"corner above and left of the area", {-242, -262}, {380, 280}, {0, 24}},
      {"past the right and bottom edges", {1100, 700}, {380, 280}, {900, 520}},
      {"taller than the area: its top at the area's", {100, 300}, {380, 900}, {100, 24}},
      {"exactly at the far corner", {900, 520}, {380, 280}, {900, 520}},
  };
  for (const InsideCase& c : cases) {
    EXPECT_EQ(PlaceInside(area, c.wanted, c.size), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace px

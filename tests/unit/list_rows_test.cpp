// List heights kept to whole rows inside the border, as a Windows list box.
#include <gtest/gtest.h>

#include <array>

#include "skin/list_rows.h"

namespace px {
namespace {

TEST(WholeRowsHeight, KeepsOnlyWholeRowsInsideTheBorder) {
  struct Case {
    int height, row, kept;
  };
  const std::array<Case, 6> cases{{
      {240, 16, 226},  // a button list: 14 rows
      {60, 16, 50},    // the DPI sub-list: 3 rows
      {50, 16, 50},    // already whole
      {49, 16, 34},    // one pixel short of a row drops it
      {100, 13, 93},   // the dialog font's own rows
      {100, 0, 100},   // no row height yet: left as asked
  }};
  for (const Case& c : cases) EXPECT_EQ(WholeRowsHeight(c.height, c.row), c.kept) << c.height << "/" << c.row;
}

}  // namespace
}  // namespace px

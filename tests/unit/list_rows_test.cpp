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

TEST(DialogListHeight, CreationRowsUnlessAScrollBarCameForMoreEntriesThanShow) {
  struct Case {
    int height, items;
    bool scrollBar;
    int fontRow, kept;
  };
  const std::array<Case, 5> cases{{
      {240, 30, false, 13, 226},  // no scroll bar: the creation font's rows
      {240, 14, true, 13, 226},   // 14 entries of 13 fit in 224: no resize
      {240, 18, true, 13, 223},   // the scroll bar resizes it to the dialog font's rows
      {100, 7, true, 14, 86},     // 98 pixels of entries over 96 inside: resized
      {100, 6, true, 14, 98},     // 84 fit in 96: as created
  }};
  for (const Case& c : cases) {
    EXPECT_EQ(DialogListHeight(c.height, c.items, c.scrollBar, c.fontRow), c.kept) << c.height << "/" << c.items;
  }
}

}  // namespace
}  // namespace px

#pragma once
// A Windows list box keeps only the height its whole rows need, inside its
// one-pixel border; the Qt lists are sized the same way.

namespace px {

inline constexpr int kListBorders = 2;  // one pixel above, one below
// The rows of the font a Windows list box is created in (the system font, or
// the dialog template's 宋体 12 point): it keeps only the height its whole
// rows need, and a font set later changes no size.
inline constexpr int kCreationRowHeight = 16;

constexpr int WholeRowsHeight(int height, int rowHeight) {
  if (rowHeight <= 0) return height;  // no font measured yet: as asked
  return kListBorders + (height - kListBorders) / rowHeight * rowHeight;
}

}  // namespace px

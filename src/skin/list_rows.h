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

// The small dialogs' list, as a Windows list box: only as high as its whole
// rows in the font it is created in need. It fits itself again only when it
// is resized, which its scroll bar does as it appears for more entries than
// it shows: then to whole rows of the dialog font (`fontRow` high).
constexpr int DialogListHeight(int height, int items, bool scrollBar, int fontRow) {
  const int created = WholeRowsHeight(height, kCreationRowHeight);
  if (!scrollBar || items * fontRow <= created - kListBorders) return created;
  return WholeRowsHeight(created, fontRow);
}

}  // namespace px

#pragma once
// Looks the page and the dialogs share on both systems, defined once: the
// Win32 views ask the system for them, the Qt views draw them as Windows does.
#include "common/text.h"
#include "common/color.h"

namespace px {

// How long the pointer rests before an over look shows.
inline constexpr int kHoverDelayMs = 10;

// The dialogs' dark drop-downs and number fields: white on this grey.
inline constexpr Rgb kDarkControlGrey{40, 40, 40};
// A list box's border and its selected entry.
inline constexpr Rgb kListBorderGrey{158, 158, 158};
inline constexpr Rgb kListSelectionBlue{48, 150, 250};

// Said for each skin picture that cannot be read, each time it is drawn.
inline constexpr TextView kPictureFailedText = u"LoadPng---Load image failed.";

}  // namespace px

#pragma once
// The main window's canvas when the skin has no usable background: a plain
// one of the shipped pictures' size, so that the page still shows its texts
// and controls, with marks where minimise and close still work.
#include <array>

#include "model/settings_model.h"
#include "page/page_layout.h"

namespace px {

inline constexpr int kPlainPageWidth = 880;
inline constexpr int kPlainPageHeight = 660;
inline constexpr Rgb kPlainPageColor{24, 26, 32};
inline constexpr Rgb kPlainMarkColor{220, 220, 220};

struct PlainPageMark {
  Rect rect;
  TextView mark;
};
inline constexpr std::array<PlainPageMark, 2> kPlainPageMarks{{
    {layout::kMinimiseButton, u"_"},
    {layout::kCloseButton, u"X"},
}};

}  // namespace px

#pragma once
// A skinned window's redraw: the pictures of skin_picture.h and the text of
// ui_text.h drawn on a composition over its background (winui/composition.h).
#include "winui/composition.h"

namespace px {

using SkinComposition = winui::Composition;

}  // namespace px

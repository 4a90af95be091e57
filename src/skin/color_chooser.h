#pragma once
// The colour the system colour chooser opens on, for the DPI swatches and
// the skin chooser's text colour alike. The Windows choosers are given no
// initial colour and open on black; the Linux ones are given this one, so
// both systems start from the same colour.
#include "model/settings_model.h"

namespace px {

inline constexpr Rgb kColorChooserStart{0, 0, 0};

}  // namespace px

#pragma once
// The colour the system colour chooser opens on, for the DPI swatches and
// the skin chooser's text colour alike. The Windows choosers are given no
// initial colour and open on black; the Linux ones are given this one, so
// both systems start from the same colour.
#include <cstdint>
#include <optional>

#include "common/color.h"

namespace px {

inline constexpr Rgb kColorChooserStart{0, 0, 0};

// What the system colour chooser answered: its value holds red in the low
// byte, as ColorValue makes it; nothing when it ended without OK, so that a
// cancelled choice never stores black.
constexpr std::optional<Rgb> ChosenColor(bool confirmed, std::uint32_t value) {
  if (!confirmed) return std::nullopt;
  return RgbOfValue(value);
}

}  // namespace px

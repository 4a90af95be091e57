#pragma once
// One colour: the DPI stages' colours in config.bin, the texts' colour over
// the skins and the controls' fixed greys. Three bytes red, green, blue, in
// that order: the settings record stores it as it lies in memory.
#include <compare>
#include <cstdint>

namespace px {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend constexpr auto operator<=>(const Rgb&, const Rgb&) = default;
};
static_assert(sizeof(Rgb) == 3 && alignof(Rgb) == 1, "config.bin holds a colour in three bytes");

// R + 256 G + 65536 B, the value the platforms' colour choosers and text
// colours take.
constexpr std::uint32_t ColorValue(Rgb rgb) { return rgb.red + 256u * rgb.green + 65536u * rgb.blue; }
constexpr Rgb RgbOfValue(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
          static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

}  // namespace px

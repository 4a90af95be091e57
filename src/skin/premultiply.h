#pragma once
// Alpha blending with per-pixel alpha expects colour already scaled by alpha.
#include <cstdint>
#include <span>

namespace px {

// Scales the three colour bytes of every 4-byte blue-green-red-alpha pixel by
// its alpha byte (integer quotient of c * a / 255); alpha stays as it is.
// A trailing partial pixel, which a caller's size arithmetic may leave, is
// not touched.
void PremultiplyBgra(std::span<std::uint8_t> pixels);

}  // namespace px

#include "skin/premultiply.h"

#include <cstring>

namespace px {

void PremultiplyBgra(std::span<std::uint8_t> pixels) {
  const std::size_t whole = pixels.size() - pixels.size() % 4;
  for (std::size_t i = 0; i < whole; i += 4) {
    const unsigned alpha = pixels[i + 3];
    for (std::size_t c = 0; c < 3; ++c) {
      pixels[i + c] = static_cast<std::uint8_t>(pixels[i + c] * alpha / 255u);
    }
  }
}

void CopyPixelRows(PixelRows<const std::uint8_t> from, PixelRows<std::uint8_t> to, std::size_t rowBytes, int rows) {
  for (int row = 0; row < rows; ++row) {
    std::memcpy(to.first + row * to.stride, from.first + row * from.stride, rowBytes);
  }
}

}  // namespace px

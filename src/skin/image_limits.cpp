#include "skin/image_limits.h"

#include <algorithm>
#include <array>

namespace px {

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::array<std::uint8_t, 8> kIhdrStart{0, 0, 0, 13, 'I', 'H', 'D', 'R'};  // length 13, type

std::uint32_t BigEndian32(std::span<const std::uint8_t> b) {
  return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
         static_cast<std::uint32_t>(b[2]) << 8 | b[3];
}

}  // namespace

std::optional<PixelSize> PngHeaderSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 24 || !std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin()) ||
      !std::equal(kIhdrStart.begin(), kIhdrStart.end(), bytes.begin() + 8)) {
    return std::nullopt;
  }
  return PixelSize{BigEndian32(bytes.subspan(16, 4)), BigEndian32(bytes.subspan(20, 4))};
}

bool WithinSkinImageLimits(PixelSize size) {
  return size.width > 0 && size.height > 0 && size.width <= kMaxSkinImageSide && size.height <= kMaxSkinImageSide &&
         std::uint64_t{size.width} * size.height <= kMaxSkinImagePixels;
}

bool BackgroundHolds(PixelSize background, PixelSize needed) {
  return background.width >= needed.width && background.height >= needed.height;
}

}  // namespace px

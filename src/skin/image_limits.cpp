#include "skin/image_limits.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "common/native_path.h"

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

std::optional<SkinPictureFile> ReadSkinPicture(FileSystem& files, TextView path) {
  // Read through the one bounded file reader (a FIFO or a device named like
  // an image cannot stall the window), and sized from the header before
  // anything is decoded.
  ReadResult file = files.Read(PathFromText(path), kMaxSkinImageFileSize);
  if (!file.Ok()) return std::nullopt;
  const std::optional<PixelSize> declared = PngHeaderSize(file.bytes);
  if (!declared || !WithinSkinImageLimits(*declared)) return std::nullopt;
  return SkinPictureFile{std::move(file.bytes), *declared};
}

void SayOverBudget(TextView imagePath, std::size_t budget) {
  std::fprintf(stderr, "px6410: skin picture %s not drawn: the skin's pictures would take more than %u MiB\n",
               ToUtf8(imagePath).c_str(), static_cast<unsigned>(budget / (1024 * 1024)));
}

std::uint64_t DecodedBytes(PixelSize size) { return std::uint64_t{size.width} * size.height * 4; }

bool BackgroundHolds(PixelSize background, PixelSize needed, int density) {
  const std::uint64_t scale = density > 1 ? static_cast<std::uint64_t>(density) : 1;
  return background.width >= scale * needed.width && background.height >= scale * needed.height &&
         background.width <= kMaxWindowSize.width && background.height <= kMaxWindowSize.height;
}

}  // namespace px

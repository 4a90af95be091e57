#pragma once
// What a skin image may be before it is decoded: the PNG header tells its
// size, so a picture too big for any screen is refused before the decoder
// spends seconds and gigabytes on it. And what a window background must hold
// to be of any use.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace px {

struct PixelSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Larger files are not read at all.
inline constexpr std::size_t kMaxSkinImageFileSize = 64 * 1024 * 1024;
inline constexpr std::uint32_t kMaxSkinImageSide = 16384;
// A whole 8K screen: no window picture needs more.
inline constexpr std::uint64_t kMaxSkinImagePixels = 7680ull * 4320ull;

// The size in a PNG's header (signature, then the IHDR chunk); nothing when
// the bytes do not start like a PNG.
std::optional<PixelSize> PngHeaderSize(std::span<const std::uint8_t> bytes);

// Not empty, no side over the cap, no more pixels than an 8K screen.
bool WithinSkinImageLimits(PixelSize size);

// The main window's frame buttons (skins, minimise, close, previous page,
// OK, Apply, Cancel and the web link) reach this far: a background smaller
// than that leaves them off the window, and is treated like a missing one.
inline constexpr PixelSize kMainWindowFrameExtent{875, 647};

bool BackgroundHolds(PixelSize background, PixelSize needed);

}  // namespace px

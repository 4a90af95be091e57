#pragma once
// What a skin image may be before it is decoded: the PNG header tells its
// size, so a picture too big for any screen is refused before the decoder
// spends seconds and gigabytes on it. And what a window background must hold
// to be of any use, and what a whole skin's pictures may cost.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "common/text.h"
#include "storage/file_system.h"

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

// A picture's file as read for decoding: its bytes and the size its header
// declares, within the limits above. Nothing when the file is missing, too
// large, not a PNG or too big a picture: nothing was decoded by then.
struct SkinPictureFile {
  FileBytes bytes;
  PixelSize size;
  int density = 1;  // 2 for a NAME@2x.png picture (skin/pixel_density.h)
};
std::optional<SkinPictureFile> ReadSkinPicture(FileSystem& files, TextView path);

// What one decoded picture costs at most: four bytes a pixel (the Qt images
// and the Windows sections alike), so that both systems keep or refuse the
// same pictures of a skin.
std::uint64_t DecodedBytes(PixelSize size);

// What the decoded pictures of one skin may cost together. The shipped skins
// decode to under 8 MiB, their doubled pictures (a scaled screen's) to about
// 30 MiB; a skin of huge pictures stops here instead of taking
// gigabytes and seconds before the page shows.
inline constexpr std::size_t kSkinPicturesBudget = 64 * 1024 * 1024;

// One line on the standard error: this picture, and the skin's later ones
// that do not fit either, are not drawn. The windows skip a missing picture
// silently or box it per draw; this says why, once per skin.
void SayOverBudget(TextView imagePath, std::size_t budget);

// The main window's frame buttons (skins, minimise, close, previous page,
// OK, Apply, Cancel and the web link) reach this far: a background smaller
// than that leaves them off the window, and is treated like a missing one.
inline constexpr PixelSize kMainWindowFrameExtent{875, 647};

// The largest window a background may ask for: a whole 4K screen. The page
// is drawn at its pictures' own size and its window has no frame to be
// dragged by beyond the screen, so a larger one could only be cut off; it
// costs 32 MiB decoded, four times the shipped skins' pictures at twice their
// scale (880 x 660).
inline constexpr PixelSize kMaxWindowSize{3840, 2160};

// At least `needed` (what the window draws on it, in logical pixels) and at
// most kMaxWindowSize. A picture of density 2 holds twice `needed` in its
// pixels, and its pixels stay within kMaxWindowSize: its window is half a 4K
// screen's logical size, a whole 4K screen of device pixels at a ratio of 2,
// and it still costs 32 MiB decoded at most.
bool BackgroundHolds(PixelSize background, PixelSize needed, int density = 1);

}  // namespace px

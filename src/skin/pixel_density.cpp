#include "skin/pixel_density.h"

#include <cmath>

namespace px {

int PictureDensityFor(double devicePixelRatio, DoubledPictures from) {
  const bool doubled = from == DoubledPictures::AboveOne ? devicePixelRatio > 1.0 : devicePixelRatio >= 1.5;
  return doubled ? kDoubledDensity : kPlainDensity;
}

Text DoubledPicturePath(TextView imagePath) {
  constexpr TextView kPng = u".png";
  if (!imagePath.ends_with(kPng)) return {};
  Text doubled(imagePath.substr(0, imagePath.size() - kPng.size()));
  return doubled.append(u"@2x").append(kPng);
}

int ChoosePictureDensity(int wanted, std::optional<PixelSize> plain, std::optional<PixelSize> doubled) {
  if (wanted < kDoubledDensity || !plain || !doubled) return kPlainDensity;
  const bool twice = std::uint64_t{doubled->width} == 2ull * plain->width &&
                     std::uint64_t{doubled->height} == 2ull * plain->height;
  return twice ? kDoubledDensity : kPlainDensity;
}

namespace {

// The doubled picture when the rule takes it (its size against the plain
// one's header), else nothing; `plain` is the plain picture's file.
std::optional<SkinPictureFile> DoubledOf(FileSystem& files, TextView path, int wanted,
                                         const std::optional<SkinPictureFile>& plain) {
  if (wanted < kDoubledDensity || !plain) return std::nullopt;
  const Text doubledPath = DoubledPicturePath(path);
  if (doubledPath.empty()) return std::nullopt;
  std::optional<SkinPictureFile> doubled = ReadSkinPicture(files, doubledPath);
  const std::optional<PixelSize> doubledSize = doubled ? std::optional(doubled->size) : std::nullopt;
  if (ChoosePictureDensity(wanted, plain->size, doubledSize) != kDoubledDensity) return std::nullopt;
  doubled->density = kDoubledDensity;
  return doubled;
}

}  // namespace

std::optional<SkinPictureFile> ReadSkinPictureAt(FileSystem& files, TextView path, int wanted) {
  std::optional<SkinPictureFile> plain = ReadSkinPicture(files, path);
  if (std::optional<SkinPictureFile> doubled = DoubledOf(files, path, wanted, plain)) return doubled;
  return plain;
}

std::optional<SkinPictureFile> ReadSkinBackgroundAt(FileSystem& files, TextView path, PixelSize needed, int wanted) {
  std::optional<SkinPictureFile> plain = ReadSkinPicture(files, path);
  std::optional<SkinPictureFile> doubled = DoubledOf(files, path, wanted, plain);
  if (doubled && BackgroundHolds(doubled->size, needed, kDoubledDensity)) return doubled;
  if (plain && BackgroundHolds(plain->size, needed)) return plain;
  return std::nullopt;
}

int DeviceEdge(int logical, double ratio) { return static_cast<int>(std::lround(logical * ratio)); }

Rect DeviceRect(const Rect& logical, double ratio) {
  return {DeviceEdge(logical.left, ratio), DeviceEdge(logical.top, ratio), DeviceEdge(logical.right, ratio),
          DeviceEdge(logical.bottom, ratio)};
}

// At a ratio of 1 or more a rounded edge lies less than half a logical pixel
// from its exact place, so rounding back finds the logical edge.
int LogicalEdge(int device, double ratio) { return static_cast<int>(std::lround(device / ratio)); }

int RescaledEdge(int device, double from, double to) { return DeviceEdge(LogicalEdge(device, from), to); }

namespace {
// The largest logical edge whose device edge is at or before `device`:
// DeviceEdge(l) <= d exactly when l * ratio < d + 0.5.
int LogicalPixelOf(int device, double ratio) {
  return static_cast<int>(std::ceil((device + 0.5) / ratio)) - 1;
}
}  // namespace

Point LogicalPoint(Point device, double ratio) {
  return {LogicalPixelOf(device.x, ratio), LogicalPixelOf(device.y, ratio)};
}

}  // namespace px

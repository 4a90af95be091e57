#pragma once
// The skin's pictures for the Qt windows: each file read through the bounded
// reader, checked against the image limits before decoding, decoded once and
// kept premultiplied, ready to draw. Dropped when the skin changes, so a user
// who edits a skin's files sees them after choosing the skin again. The
// keeping itself is the portable SkinImageCache, shared with the Windows build,
// and so is its budget. On a scaled screen the doubled pictures are read
// (skin/pixel_density.h) and decoded with a device pixel ratio of 2, so that
// they draw at their logical size.
#include <QImage>

#include <cstddef>
#include <optional>

#include "common/text.h"
#include "skin/image_limits.h"
#include "skin/pixel_density.h"
#include "skin/skin_image_cache.h"

namespace px {

class QtSkinImages {
 public:
  explicit QtSkinImages(int density = kPlainDensity);
  QtSkinImages(const QtSkinImages&) = delete;
  QtSkinImages& operator=(const QtSkinImages&) = delete;

  // The decoded picture at this path; a null image when the file is missing,
  // too large, not a PNG or over the skin's budget (asked again, it is
  // missing again).
  const QImage& Get(TextView imagePath) { return images_.Get(imagePath); }
  void Drop() { images_.Drop(); }
  // The pictures of this density from now on: another one drops them all.
  void AtDensity(int density) { images_.AtDensity(density); }
  int Density() const { return images_.Density(); }
  std::size_t Count() const { return images_.Count(); }
  std::size_t Bytes() const { return images_.Bytes(); }

 private:
  SkinImageCache<QImage> images_;
};

// Decodes a picture read by ReadSkinPicture, premultiplied when it has alpha,
// with the file's density as its device pixel ratio.
std::optional<QImage> DecodeSkinImageQt(const SkinPictureFile& file);

// Reads and decodes one skin picture as the cache would, without keeping it.
QImage LoadSkinImageQt(TextView imagePath, int density = kPlainDensity);

// A window's background: a null image when it does not load or, from its
// header before any decoding, is smaller than `needed` or larger than the
// largest window (BackgroundHolds at its density).
QImage LoadSkinBackgroundQt(TextView imagePath, PixelSize needed, int density = kPlainDensity);

}  // namespace px

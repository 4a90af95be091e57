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

#include <optional>

#include "common/text.h"
#include "skin/image_limits.h"
#include "skin/pixel_density.h"
#include "skin/skin_image_cache.h"

namespace px {

// Get gives a null image when the file is missing, too large, not a PNG or
// over the skin's budget (asked again, it is missing again).
class QtSkinImages : public SkinImageCache<QImage> {
 public:
  explicit QtSkinImages(int density = kPlainDensity);
  QtSkinImages(const QtSkinImages&) = delete;
  QtSkinImages& operator=(const QtSkinImages&) = delete;
};

// Decodes a picture read by ReadSkinPicture, premultiplied when it has alpha,
// with the file's density as its device pixel ratio.
std::optional<QImage> DecodeSkinImageQt(const SkinPictureFile& file);

}  // namespace px

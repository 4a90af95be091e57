#pragma once
// The skin's pictures for the Qt windows: each file read through the bounded
// reader, checked against the image limits before decoding, decoded once and
// kept premultiplied, ready to draw. Dropped when the skin changes, so a user
// who edits a skin's files sees them after choosing the skin again. The
// keeping itself is the portable SkinImageCache, shared with the Windows build.
#include <QImage>

#include <cstddef>

#include "common/text.h"
#include "skin/skin_image_cache.h"

namespace px {

class QtSkinImages {
 public:
  QtSkinImages();

  // The decoded picture at this path; a null image when the file is missing,
  // too large or not a PNG (asked again, it is missing again).
  const QImage& Get(TextView imagePath) { return images_.Get(imagePath); }
  void Drop() { images_.Drop(); }
  std::size_t Count() const { return images_.Count(); }

 private:
  SkinImageCache<QImage> images_;
};

// Decodes one skin picture as above, without keeping it.
QImage LoadSkinImageQt(TextView imagePath);

}  // namespace px

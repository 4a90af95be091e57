#pragma once
// The skin's pictures for the Qt windows: each file read through the bounded
// reader, checked against the image limits before decoding, decoded once and
// kept premultiplied, ready to draw. Dropped when the skin changes, so a user
// who edits a skin's files sees them after choosing the skin again.
#include <QImage>

#include <map>

#include "common/text.h"

namespace px {

class QtSkinImages {
 public:
  // The decoded picture at this path; a null image when the file is missing,
  // too large or not a PNG (asked again, it is missing again).
  const QImage& Get(TextView imagePath);
  void Drop() { images_.clear(); }
  std::size_t Count() const { return images_.size(); }

 private:
  std::map<Text, QImage> images_;
};

// Decodes one skin picture as above, without keeping it.
QImage LoadSkinImageQt(TextView imagePath);

}  // namespace px

#pragma once
// The skin's pictures, each read and decoded once per skin and kept ready to
// draw. Decoding a PNG costs far more than drawing it, and the pictures of a
// skin do not change while it is in force, so every window takes them from
// one cache over the platform's decoded image type:
//
//   SkinImageCache<QImage> images(&LoadSkinImageQt, &QImageBytes);
//   images.ForSkin(skinFolder);  // another skin: the old pictures go
//   const QImage& pane = images.Get(SkinImagePath(skinFolder, u"/Pane.png"));
//
// The cache is dropped when the skin changes and when the page is rebuilt, so
// a user who edits a skin's files sees them after choosing the skin again.
// One thread (the user interface's) uses it; it takes no lock.
#include <cstddef>
#include <functional>
#include <map>
#include <utility>

#include "common/text.h"

namespace px {

template <typename Image>
class SkinImageCache {
 public:
  // Reads and decodes one picture, ready to draw; a null image when the file
  // is missing, too large or not a picture.
  using Loader = std::function<Image(TextView imagePath)>;
  // What one decoded picture costs in memory, in bytes (0 for a null image).
  using Cost = std::function<std::size_t(const Image&)>;

  SkinImageCache(Loader loader, Cost cost) : loader_(std::move(loader)), cost_(std::move(cost)) {}

  // The picture at this path, decoded at the first ask. A missing or refused
  // picture is kept as missing: asked again it is missing again, and its file
  // is not read again before the cache is dropped. The reference stays valid
  // until then.
  const Image& Get(TextView imagePath) {
    auto found = images_.find(imagePath);
    if (found == images_.end()) {
      Image image = loader_(imagePath);
      const std::size_t cost = cost_(image);
      found = images_.emplace(Text(imagePath), std::move(image)).first;
      bytes_ += cost;
    }
    return found->second;
  }

  // The pictures held are those of this skin folder from now on: when it is
  // not the folder they came from, they are all dropped, so the cache never
  // holds two skins at once.
  void ForSkin(TextView skinFolder) {
    if (skinFolder == folder_) return;
    Drop();
    folder_ = Text(skinFolder);
  }

  // Every picture goes; the next asks read their files again.
  void Drop() {
    images_.clear();
    bytes_ = 0;
  }

  std::size_t Count() const { return images_.size(); }
  // What the decoded pictures held cost together.
  std::size_t Bytes() const { return bytes_; }

 private:
  Loader loader_;
  Cost cost_;
  std::map<Text, Image, std::less<>> images_;
  Text folder_;
  std::size_t bytes_ = 0;
};

}  // namespace px

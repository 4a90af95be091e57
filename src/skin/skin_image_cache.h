#pragma once
// The skin's pictures, each read and decoded once per skin and kept ready to
// draw. Decoding a PNG costs far more than drawing it, and the pictures of a
// skin do not change while it is in force, so every window takes them from
// one cache over the platform's decoded image type:
//
//   SkinImageCache<QImage> images(&ReadSystemSkinPicture, &DecodeSkinImageQt, &SayOverBudget);
//   images.ForSkin(skinFolder);  // another skin: the old pictures go
//   const QImage& pane = images.Get(SkinImagePath(skinFolder, u"/Pane.png"));
//
// The cache is dropped when the skin changes and when the page is rebuilt, so
// a user who edits a skin's files sees them after choosing the skin again.
// The pictures held never cost more than a budget together: a picture that
// would pass it is refused from its header, before it is decoded, and kept
// as missing like a broken one. One thread (the user interface's) uses it;
// it takes no lock.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "common/text.h"
#include "skin/image_limits.h"

namespace px {

template <typename Image>
class SkinImageCache {
 public:
  // Reads one picture's file and its header at a density (ReadSkinPictureAt:
  // the doubled picture when asked for and present); nothing when the file
  // is missing, too large or not a picture.
  using Reader = std::function<std::optional<SkinPictureFile>(TextView imagePath, int density)>;
  // Decodes a picture read, ready to draw; nothing when it does not decode.
  using Decoder = std::function<std::optional<Image>(const SkinPictureFile& file)>;
  // Told of the first picture the budget refuses since the cache was last
  // dropped, so that a skin too heavy is said once, not at every draw.
  using OverBudget = std::function<void(TextView imagePath, std::size_t budget)>;

  SkinImageCache(Reader read, Decoder decode, OverBudget overBudget = {}, std::size_t budget = kSkinPicturesBudget)
      : read_(std::move(read)), decode_(std::move(decode)), overBudget_(std::move(overBudget)), budget_(budget) {}

  // The picture at this path, decoded at the first ask. A missing or refused
  // picture is kept as missing: asked again it is missing again, and its file
  // is not read again before the cache is dropped. The reference stays valid
  // until then.
  const Image& Get(TextView imagePath) {
    auto found = images_.find(imagePath);
    if (found == images_.end()) found = images_.emplace(Text(imagePath), Load(imagePath)).first;
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

  // The pictures of this density from now on (2: the doubled pictures of a
  // scaled screen, where a skin has them); another one drops them all.
  void AtDensity(int density) {
    if (density == density_) return;
    Drop();
    density_ = density;
  }
  int Density() const { return density_; }

  // Every picture goes; the next asks read their files again.
  void Drop() {
    images_.clear();
    bytes_ = 0;
    saidOverBudget_ = false;
  }

  std::size_t Count() const { return images_.size(); }
  // What the decoded pictures held cost together, four bytes a pixel.
  std::size_t Bytes() const { return bytes_; }

 private:
  Image Load(TextView imagePath) {
    std::optional<SkinPictureFile> file = read_(imagePath, density_);
    if (!file) return Image{};
    // A doubled picture costs four plain ones: past the budget, the plain
    // picture (scaled on the screen) is better than none.
    if (file->density > 1 && DecodedBytes(file->size) > budget_ - bytes_) {
      file = read_(imagePath, 1);
      if (!file) return Image{};
    }
    const std::uint64_t cost = DecodedBytes(file->size);
    if (cost > budget_ - bytes_) {
      if (!saidOverBudget_ && overBudget_) overBudget_(imagePath, budget_);
      saidOverBudget_ = true;
      return Image{};
    }
    std::optional<Image> image = decode_(*file);
    if (!image) return Image{};
    bytes_ += static_cast<std::size_t>(cost);
    return std::move(*image);
  }

  Reader read_;
  Decoder decode_;
  OverBudget overBudget_;
  std::size_t budget_;
  std::map<Text, Image, std::less<>> images_;
  Text folder_;
  std::size_t bytes_ = 0;
  int density_ = 1;
  bool saidOverBudget_ = false;
};

}  // namespace px

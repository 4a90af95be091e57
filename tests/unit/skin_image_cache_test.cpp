// The skin's pictures decoded once per skin: read again only when the skin
// changes or the cache is dropped, a missing picture missing every time, and
// never two skins' pictures held at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "skin/skin_image_cache.h"
#include "skin/skin_image_set.h"
#include "skin/skin_paths.h"

namespace px {
namespace {

// A decoded picture: which edit of its file it shows, and what it costs
// (nothing when it is missing).
struct Picture {
  int edit = 0;
  std::size_t bytes = 0;
};

constexpr TextView kBlue = u"C:\\Tools\\/Skins/Blue";
constexpr TextView kRed = u"C:\\Tools\\/Skins/Red";
constexpr TextView kDark = u"C:\\Tools\\/Skins/Dark";

// Skin folders on a pretend disk, every read counted, and the cache over them.
struct Fixture {
  std::map<Text, Picture> files;
  std::map<Text, int> reads;
  SkinImageCache<Picture> cache{[this](TextView path) {
                                  ++reads[Text(path)];
                                  const auto found = files.find(Text(path));
                                  return found == files.end() ? Picture{} : found->second;
                                },
                                [](const Picture& p) { return p.bytes; }};

  void AddSkin(TextView folder, std::size_t bytes) {
    for (TextView name : kSkinImageSet) files[SkinImagePath(folder, name)] = Picture{1, bytes};
  }
  Picture& File(TextView folder, TextView name) { return files[SkinImagePath(folder, name)]; }
  const Picture& Get(TextView folder, TextView name) { return cache.Get(SkinImagePath(folder, name)); }
  int Reads(TextView folder, TextView name) { return reads[SkinImagePath(folder, name)]; }
};

TEST(SkinImageCache, EachPictureIsReadOncePerSkinAndCostsWhatItDecodedTo) {
  Fixture f;
  f.AddSkin(kBlue, 100);
  for (int draw = 0; draw < 5; ++draw) {
    f.cache.ForSkin(kBlue);  // the same skin again keeps what is held
    EXPECT_EQ(f.Get(kBlue, skin_image::kButtonNormal).edit, 1);
    EXPECT_EQ(f.Get(kBlue, skin_image::kTickBox).edit, 1);
  }
  EXPECT_EQ(f.Reads(kBlue, skin_image::kButtonNormal), 1);
  EXPECT_EQ(f.Reads(kBlue, skin_image::kTickBox), 1);
  EXPECT_EQ(f.cache.Count(), 2u);
  EXPECT_EQ(f.cache.Bytes(), 200u);
}

TEST(SkinImageCache, AMissingPictureIsMissingEveryTimeWithoutReadingAgain) {
  Fixture f;
  f.AddSkin(kBlue, 100);
  f.files.erase(SkinImagePath(kBlue, skin_image::kCloseOver));
  for (int draw = 0; draw < 3; ++draw) {
    EXPECT_EQ(f.Get(kBlue, skin_image::kCloseOver).bytes, 0u);
    EXPECT_EQ(f.Get(kBlue, skin_image::kCloseNormal).bytes, 100u);
  }
  EXPECT_EQ(f.Reads(kBlue, skin_image::kCloseOver), 1);
  EXPECT_EQ(f.cache.Bytes(), 100u);
}

TEST(SkinImageCache, AnotherSkinOrADropRefillsFromTheFilesAsTheyAreNow) {
  Fixture f;
  f.AddSkin(kBlue, 100);
  f.AddSkin(kRed, 300);
  f.cache.ForSkin(kBlue);
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 1);
  f.File(kBlue, skin_image::kPage).edit = 2;  // edited while Blue is in force: not seen yet
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 1);

  f.cache.ForSkin(kRed);
  EXPECT_EQ(f.cache.Count(), 0u);
  EXPECT_EQ(f.cache.Bytes(), 0u);
  EXPECT_EQ(f.Get(kRed, skin_image::kPage).bytes, 300u);
  f.cache.ForSkin(kBlue);  // chosen again: the edit shows
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 2);

  // A rebuild, or the same skin chosen again, drops the pictures in force.
  f.File(kBlue, skin_image::kPage).edit = 3;
  f.files.erase(SkinImagePath(kBlue, skin_image::kTickBox));
  EXPECT_EQ(f.Get(kBlue, skin_image::kTickBox).bytes, 0u);
  f.File(kBlue, skin_image::kTickBox) = Picture{3, 100};  // and a missing one put back
  f.cache.Drop();
  EXPECT_EQ(f.cache.Count(), 0u);
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 3);
  EXPECT_EQ(f.Get(kBlue, skin_image::kTickBox).edit, 3);
}

TEST(SkinImageCache, SwitchingSkinsNeverHoldsMoreThanOneSkin) {
  Fixture f;
  f.AddSkin(kBlue, 100);
  f.AddSkin(kRed, 300);
  f.AddSkin(kDark, 200);
  std::size_t most = 0;
  for (int round = 0; round < 20; ++round) {
    for (TextView folder : {kBlue, kRed, kDark}) {
      f.cache.ForSkin(folder);
      for (int draw = 0; draw < 2; ++draw) {
        for (TextView name : kSkinImageSet) f.Get(folder, name);
      }
      EXPECT_EQ(f.cache.Count(), kSkinImageSet.size());
      most = std::max(most, f.cache.Bytes());
    }
  }
  EXPECT_EQ(most, kSkinImageSet.size() * 300);  // the largest skin alone
  EXPECT_EQ(f.cache.Bytes(), kSkinImageSet.size() * 200);
  EXPECT_EQ(f.Reads(kRed, skin_image::kPage), 20);  // once per switch, however often drawn
}

}  // namespace
}  // namespace px

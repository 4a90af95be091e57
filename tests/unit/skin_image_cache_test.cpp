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

// A decoded picture: which edit of its file it shows, and what it costs.
struct Picture {
  int edit = 0;
  std::size_t bytes = 0;
  bool Null() const { return bytes == 0; }
};

// Skin folders on a pretend disk; every read is counted.
struct Disk {
  std::map<Text, Picture> files;
  std::map<Text, int> reads;

  Picture Load(TextView path) {
    ++reads[Text(path)];
    const auto found = files.find(Text(path));
    return found == files.end() ? Picture{} : found->second;
  }
  // A skin whose every picture costs `bytes`, at edit 1.
  void AddSkin(TextView folder, std::size_t bytes) {
    for (TextView name : kSkinImageSet) files[SkinImagePath(folder, name)] = Picture{1, bytes};
  }
  int TotalReads() const {
    int total = 0;
    for (const auto& [path, count] : reads) total += count;
    return total;
  }
};

struct CacheFixture {
  Disk disk;
  SkinImageCache<Picture> cache{[this](TextView path) { return disk.Load(path); },
                                [](const Picture& p) { return p.bytes; }};
  const Picture& Get(TextView folder, TextView name) { return cache.Get(SkinImagePath(folder, name)); }
};

constexpr TextView kBlue = u"C:\\Tools\\/Skins/Blue";
constexpr TextView kRed = u"C:\\Tools\\/Skins/Red";
constexpr TextView kDark = u"C:\\Tools\\/Skins/Dark";

TEST(SkinImageCache, EachPictureIsReadOncePerSkinAndCostsWhatItDecodedTo) {
  CacheFixture f;
  f.disk.AddSkin(kBlue, 100);
  f.cache.ForSkin(kBlue);
  for (int draw = 0; draw < 5; ++draw) {
    EXPECT_EQ(f.Get(kBlue, skin_image::kButtonNormal).edit, 1);
    EXPECT_EQ(f.Get(kBlue, skin_image::kTickBox).edit, 1);
    f.cache.ForSkin(kBlue);  // the same skin again keeps what is held
  }
  EXPECT_EQ(f.disk.reads[SkinImagePath(kBlue, skin_image::kButtonNormal)], 1);
  EXPECT_EQ(f.disk.TotalReads(), 2);
  EXPECT_EQ(f.cache.Count(), 2u);
  EXPECT_EQ(f.cache.Bytes(), 200u);
}

TEST(SkinImageCache, AMissingPictureIsMissingEveryTimeWithoutReadingAgain) {
  CacheFixture f;
  f.disk.AddSkin(kBlue, 100);
  f.disk.files.erase(SkinImagePath(kBlue, skin_image::kCloseOver));
  f.cache.ForSkin(kBlue);
  for (int draw = 0; draw < 3; ++draw) {
    EXPECT_TRUE(f.Get(kBlue, skin_image::kCloseOver).Null());
    EXPECT_FALSE(f.Get(kBlue, skin_image::kCloseNormal).Null());
  }
  EXPECT_EQ(f.disk.reads[SkinImagePath(kBlue, skin_image::kCloseOver)], 1);
  EXPECT_EQ(f.cache.Bytes(), 100u);  // a missing picture costs nothing
  // Put back, it shows only once the cache is dropped (the skin chosen again).
  f.disk.files[SkinImagePath(kBlue, skin_image::kCloseOver)] = Picture{2, 100};
  EXPECT_TRUE(f.Get(kBlue, skin_image::kCloseOver).Null());
  f.cache.Drop();
  EXPECT_EQ(f.Get(kBlue, skin_image::kCloseOver).edit, 2);
}

TEST(SkinImageCache, AnotherSkinOrADropRefillsFromTheFilesAsTheyAreNow) {
  CacheFixture f;
  f.disk.AddSkin(kBlue, 100);
  f.disk.AddSkin(kRed, 300);
  f.cache.ForSkin(kBlue);
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 1);
  // The user edits the picture while Blue is in force: not seen yet.
  f.disk.files[SkinImagePath(kBlue, skin_image::kPage)].edit = 2;
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 1);

  f.cache.ForSkin(kRed);
  EXPECT_EQ(f.cache.Count(), 0u);
  EXPECT_EQ(f.cache.Bytes(), 0u);
  EXPECT_EQ(f.Get(kRed, skin_image::kPage).bytes, 300u);
  f.cache.ForSkin(kBlue);  // chosen again: the edit shows
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 2);

  // A rebuild drops the pictures of the skin in force too.
  f.disk.files[SkinImagePath(kBlue, skin_image::kPage)].edit = 3;
  f.cache.Drop();
  EXPECT_EQ(f.cache.Count(), 0u);
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 3);
}

TEST(SkinImageCache, SwitchingSkinsNeverHoldsMoreThanOneSkin) {
  CacheFixture f;
  f.disk.AddSkin(kBlue, 100);
  f.disk.AddSkin(kRed, 300);
  f.disk.AddSkin(kDark, 200);
  const auto drawEverything = [&](TextView folder) {
    f.cache.ForSkin(folder);
    for (int draw = 0; draw < 2; ++draw) {
      for (TextView name : kSkinImageSet) f.Get(folder, name);
    }
  };
  const std::size_t oneRedSkin = kSkinImageSet.size() * 300;
  std::size_t most = 0;
  for (int round = 0; round < 20; ++round) {
    for (TextView folder : {kBlue, kRed, kDark}) {
      drawEverything(folder);
      EXPECT_EQ(f.cache.Count(), kSkinImageSet.size());
      most = std::max(most, f.cache.Bytes());
    }
  }
  EXPECT_EQ(most, oneRedSkin);
  EXPECT_EQ(f.cache.Bytes(), kSkinImageSet.size() * 200);
  // Each switch read each picture once, however often it was drawn.
  EXPECT_EQ(f.disk.TotalReads(), static_cast<int>(20 * 3 * kSkinImageSet.size()));
}

}  // namespace
}  // namespace px

// The skin's pictures decoded once per skin: read again only when the skin
// changes or the cache is dropped, a missing picture missing every time, and
// never two skins' pictures held at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "skin/skin_image_cache.h"
#include "skin/skin_image_set.h"
#include "skin/skin_paths.h"

namespace px {
namespace {

// A decoded picture: which edit of its file it shows (0 when it is missing).
struct Picture {
  int edit = 0;
};

constexpr TextView kBlue = u"C:\\Tools\\/Skins/Blue";
constexpr TextView kRed = u"C:\\Tools\\/Skins/Red";
constexpr TextView kDark = u"C:\\Tools\\/Skins/Dark";

// A file on the pretend disk: its edit and the size its header declares.
struct File {
  int edit = 1;
  PixelSize size{5, 5};  // 100 bytes decoded
};

// Skin folders on a pretend disk, every read and decode counted, and the
// cache over them.
struct Fixture {
  std::map<Text, File> files;
  std::map<Text, int> reads;
  int decodes = 0;
  std::uint64_t decodedBytes = 0;  // what the decoder was made to allocate
  std::vector<Text> saidOverBudget;
  std::size_t budget = kSkinPicturesBudget;
  SkinImageCache<Picture> cache{
      // A doubled picture is the file at PATH@2x.
      [this](TextView path, int density) -> std::optional<SkinPictureFile> {
        ++reads[Text(path)];
        auto found = density > 1 ? files.find(Text(path) + u"@2x") : files.end();
        const int got = found == files.end() ? 1 : density;
        if (found == files.end()) found = files.find(Text(path));
        if (found == files.end()) return std::nullopt;
        return SkinPictureFile{FileBytes{static_cast<std::uint8_t>(found->second.edit)}, found->second.size, got};
      },
      [this](const SkinPictureFile& file) -> std::optional<Picture> {
        ++decodes;
        decodedBytes += DecodedBytes(file.size);
        return Picture{file.bytes.at(0)};
      },
      [this](TextView path, std::size_t) { saidOverBudget.emplace_back(path); }, budget};

  explicit Fixture(std::size_t budgetBytes = kSkinPicturesBudget) : budget(budgetBytes) {}

  void AddSkin(TextView folder, PixelSize size) {
    for (TextView name : kSkinImageSet) files[SkinImagePath(folder, name)] = File{1, size};
  }
  File& FileOf(TextView folder, TextView name) { return files[SkinImagePath(folder, name)]; }
  const Picture& Get(TextView folder, TextView name) { return cache.Get(SkinImagePath(folder, name)); }
  int Reads(TextView folder, TextView name) { return reads[SkinImagePath(folder, name)]; }
};

constexpr PixelSize k100Bytes{5, 5};
constexpr PixelSize k300Bytes{5, 15};
constexpr PixelSize k200Bytes{5, 10};

TEST(SkinImageCache, EachPictureIsReadOncePerSkinAndCostsWhatItDecodedTo) {
  Fixture f;
  f.AddSkin(kBlue, k100Bytes);
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
  f.AddSkin(kBlue, k100Bytes);
  f.files.erase(SkinImagePath(kBlue, skin_image::kCloseOver));
  for (int draw = 0; draw < 3; ++draw) {
    EXPECT_EQ(f.Get(kBlue, skin_image::kCloseOver).edit, 0);
    EXPECT_EQ(f.Get(kBlue, skin_image::kCloseNormal).edit, 1);
  }
  EXPECT_EQ(f.Reads(kBlue, skin_image::kCloseOver), 1);
  EXPECT_EQ(f.cache.Bytes(), 100u);
}

TEST(SkinImageCache, AnotherSkinOrADropRefillsFromTheFilesAsTheyAreNow) {
  Fixture f;
  f.AddSkin(kBlue, k100Bytes);
  f.AddSkin(kRed, k300Bytes);
  f.cache.ForSkin(kBlue);
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 1);
  f.FileOf(kBlue, skin_image::kPage).edit = 2;  // edited while Blue is in force: not seen yet
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 1);

  f.cache.ForSkin(kRed);
  EXPECT_EQ(f.cache.Count(), 0u);
  EXPECT_EQ(f.cache.Bytes(), 0u);
  EXPECT_EQ(f.Get(kRed, skin_image::kPage).edit, 1);
  EXPECT_EQ(f.cache.Bytes(), 300u);
  f.cache.ForSkin(kBlue);  // chosen again: the edit shows
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 2);

  // A rebuild, or the same skin chosen again, drops the pictures in force.
  f.FileOf(kBlue, skin_image::kPage).edit = 3;
  f.files.erase(SkinImagePath(kBlue, skin_image::kTickBox));
  EXPECT_EQ(f.Get(kBlue, skin_image::kTickBox).edit, 0);
  f.FileOf(kBlue, skin_image::kTickBox) = File{3, k100Bytes};  // and a missing one put back
  f.cache.Drop();
  EXPECT_EQ(f.cache.Count(), 0u);
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 3);
  EXPECT_EQ(f.Get(kBlue, skin_image::kTickBox).edit, 3);
}

TEST(SkinImageCache, SwitchingSkinsNeverHoldsMoreThanOneSkin) {
  Fixture f;
  f.AddSkin(kBlue, k100Bytes);
  f.AddSkin(kRed, k300Bytes);
  f.AddSkin(kDark, k200Bytes);
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

// 26 pictures of an 8K screen each took gigabytes: a picture that would take
// the skin over its budget is refused from its header, never decoded, and
// said once per filling of the cache, however often it is drawn.
TEST(SkinImageCache, AHeavySkinStopsAtItsBudgetWithoutDecodingWhatDoesNotFit) {
  Fixture f;
  f.AddSkin(kBlue, {7680, 4320});
  f.FileOf(kBlue, skin_image::kTickBox).size = k100Bytes;
  for (int draw = 0; draw < 3; ++draw) {
    for (TextView name : kSkinImageSet) f.Get(kBlue, name);
  }
  EXPECT_EQ(f.decodes, 1);
  EXPECT_EQ(f.decodedBytes, 100u);
  EXPECT_EQ(f.cache.Bytes(), 100u);
  EXPECT_EQ(f.Get(kBlue, skin_image::kTickBox).edit, 1);
  EXPECT_EQ(f.Get(kBlue, skin_image::kPage).edit, 0);  // missing, as a broken picture
  EXPECT_EQ(f.Reads(kBlue, skin_image::kPage), 1);
  EXPECT_EQ(f.saidOverBudget, (std::vector<Text>{SkinImagePath(kBlue, kSkinImageSet[0])}));

  // Pictures that fit are kept up to the budget exactly, later smaller ones too.
  Fixture g(1000);
  g.AddSkin(kRed, k300Bytes);
  g.FileOf(kRed, skin_image::kTickBox).size = k100Bytes;
  for (TextView name : kSkinImageSet) g.Get(kRed, name);
  EXPECT_EQ(g.decodes, 4);
  EXPECT_EQ(g.decodedBytes, 1000u);
  EXPECT_EQ(g.cache.Bytes(), 1000u);
  EXPECT_EQ(g.saidOverBudget.size(), 1u);
  g.cache.Drop();  // the skin read again: said again, once
  for (TextView name : kSkinImageSet) g.Get(kRed, name);
  EXPECT_EQ(g.saidOverBudget.size(), 2u);
  EXPECT_EQ(g.cache.Bytes(), 1000u);
}

// On a scaled screen the doubled pictures are taken while they fit the
// budget; one that would pass it gives way to its plain picture, which fits.
TEST(SkinImageCache, ADoubledPicturePastTheBudgetGivesWayToThePlainOne) {
  Fixture f(500);
  f.cache.AtDensity(2);
  f.files[SkinImagePath(kBlue, u"/Pane.png") + u"@2x"] = File{2, {10, 10}};     // 400 bytes
  f.files[SkinImagePath(kBlue, u"/Pane.png")] = File{1, k100Bytes};
  f.files[SkinImagePath(kBlue, u"/Button.png") + u"@2x"] = File{2, {10, 10}};
  f.files[SkinImagePath(kBlue, u"/Button.png")] = File{1, k100Bytes};
  EXPECT_EQ(f.Get(kBlue, u"/Pane.png").edit, 2);
  EXPECT_EQ(f.Get(kBlue, u"/Button.png").edit, 1);
  EXPECT_EQ(f.cache.Bytes(), 500u);
  EXPECT_TRUE(f.saidOverBudget.empty());
  // Back at the plain density every picture is read again, plain.
  f.cache.AtDensity(1);
  EXPECT_EQ(f.Get(kBlue, u"/Pane.png").edit, 1);
  EXPECT_EQ(f.cache.Bytes(), 100u);
}

}  // namespace
}  // namespace px

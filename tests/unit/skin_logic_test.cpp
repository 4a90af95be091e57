#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <optional>
#include <filesystem>
#include <string>
#include <cstdint>
#include <set>
#include <vector>

#include "skin/color_chooser.h"
#include "skin/decoder_session.h"
#include "skin/premultiply.h"
#include "skin/skin_chooser.h"
#include "skin/skin_image_set.h"
#include "skin/skin_paths.h"
#include "skin/ui_font.h"
#include "skin/wheel_notches.h"

namespace px {
namespace {

TEST(SkinPaths, FolderIsTheExecutablePathWithItsNameRemoved) {
  EXPECT_EQ(ExecutableFolder(u"C:\\Tools\\PX6410-3-4.exe"), u"C:\\Tools\\");
  EXPECT_EQ(SkinFolderFor(u"C:\\Tools\\PX6410-3-4.exe", u"Blue"), u"C:\\Tools\\/Skins/Blue");
  EXPECT_EQ(SkinImagePath(SkinFolderFor(u"C:\\Tools\\PX6410-3-4.exe", u"Blue"), u"/button-normal.png"),
            u"C:\\Tools\\/Skins/Blue/button-normal.png");
  EXPECT_EQ(SkinsRootFor(u"C:\\Tools\\PX6410-3-4.exe"), u"C:\\Tools\\/Skins");
  // A folder named like the executable stays: skins sit beside the settings files.
  EXPECT_EQ(ExecutableFolder(u"D:\\PX6410-3-4.exe\\PX6410-3-4.exe"), u"D:\\PX6410-3-4.exe\\");
  // Chinese folder names pass through unchanged.
  EXPECT_EQ(SkinFolderFor(u"C:\\鼠标\\PX6410-3-4.exe", u"默认"), u"C:\\鼠标\\/Skins/默认");
}

TEST(SkinPaths, RenamedExecutableStillFindsItsFolder) {
  // The name match is case-sensitive: a differently cased name counts as renamed.
  EXPECT_EQ(ExecutableFolder(u"C:\\Tools\\px6410-3-4.EXE"), u"C:\\Tools\\");
  EXPECT_EQ(SkinFolderFor(u"C:\\Tools\\mouse.exe", u"Default"), u"C:\\Tools\\/Skins/Default");
  EXPECT_EQ(ExecutableFolder(u"Z:/home/u/dist/copy.exe"), u"Z:/home/u/dist/");
  EXPECT_EQ(ExecutableFolder(u"bare.exe"), u"");
  EXPECT_EQ(ExecutableFolder(u""), u"");
}

// Whatever brings the name (str.ini, the chooser, px6410ctl), only a folder
// directly under the skins root is a skin; any other gives no folder, and so
// no picture path at all.
TEST(SkinPaths, ANameThatIsNotAFolderOfTheSkinsRootGivesNoFolder) {
  struct Case {
    TextView name;
    bool refused;
  };
  const Case cases[] = {
      {u"Default", false}, {u"My skin", false},  {u"默认", false},        {u".hidden", false}, {u"a..b", false},
      {u"", true},         {u".", true},         {u"..", true},          {u"...", true},      {u"../../../../tmp/x", true},
      {u"..\\..\\x", true}, {u"Blue/..", true}, {u"Blue\\sub", true}, {u"/tmp/x", true},   {u"\\\\server\\share", true},
      {u"C:\\x", true},    {u"C:x", true},       {u"Blue:stream", true}, {u".. ", true},      {u"Blue.", true},
      {u"Blue ", true},    {TextView(u"a\0b", 3), true}, {u"a\nb", true},
      {u"Blue\xD800", true},  // a lone surrogate
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SkinNameRefusal(c.name).has_value(), c.refused) << ToUtf8(c.name);
    const Text folder = SkinFolderFor(u"C:\\Tools\\PX6410-3-4.exe", c.name);
    EXPECT_EQ(folder.empty(), c.refused) << ToUtf8(c.name);
    if (c.refused) {
      EXPECT_EQ(SkinImagePath(folder, u"/main.png"), u"") << ToUtf8(c.name);
    }
  }
}

// A folder of the skins root that is a link: to another skin it is a skin, out
// of the root it is refused like a climbing name.
TEST(SkinPaths, ALinkOutOfTheSkinsRootIsRefused) {
  namespace fs = std::filesystem;
  const fs::path base = fs::temp_directory_path() / ("px-skin-links-" + std::to_string(::getpid()));
  fs::remove_all(base);
  fs::create_directories(base / "Skins" / "Default");
  fs::create_directories(base / "elsewhere");
  fs::create_directory_symlink("Default", base / "Skins" / "Alias");
  fs::create_directory_symlink(base / "elsewhere", base / "Skins" / "Out");
  fs::create_directory_symlink("Default/..", base / "Skins" / "Up");
  const Text root = FromUtf8((base / "Skins").string());
  EXPECT_EQ(SkinFolderIn(root, u"Default"), root + u"/Default");
  EXPECT_EQ(SkinFolderIn(root, u"Alias"), root + u"/Alias");
  EXPECT_EQ(SkinFolderIn(root, u"Missing"), root + u"/Missing");  // drawn as missing, no refusal needed
  EXPECT_EQ(SkinFolderIn(root, u"Out"), u"");
  EXPECT_EQ(SkinFolderIn(root, u"Up"), u"");
  EXPECT_EQ(SkinRefusal(root, u"Out"), "leads out of the skins folder");
  EXPECT_EQ(SkinFolderIn(root + u"/", u"Default"), root + u"//Default");  // a root as a folder search reports it
  fs::remove_all(base);
}

TEST(SkinPaths, ApplicationNameIsTheFileNameWithoutExtension) {
  EXPECT_EQ(ApplicationNameFromPath(u"C:\\Tools\\PX6410-3-4.exe"), u"PX6410-3-4");
  EXPECT_EQ(ApplicationNameFromPath(u"C:\\a.b\\mouse"), u"mouse");
  EXPECT_EQ(ApplicationNameFromPath(u"Z:/x/my.tool.exe"), u"my.tool");
  EXPECT_EQ(ApplicationNameFromPath(u"C:\\x\\.hidden"), u".hidden");
}

TEST(SkinPaths, TheSkinsRootEndsWithASeparatorOfItsSystem) {
  const std::pair<TextView, TextView> windows[] = {
      {u"C:\\px\\skins", u"C:\\px\\skins\\"}, {u"C:\\px\\skins\\", u"C:\\px\\skins\\"},
      {u"C:/px/skins/", u"C:/px/skins/"}, {u"", u"\\"}};
  for (const auto& [root, prefix] : windows) EXPECT_EQ(AsFolderPrefix(Text(root), u"\\/"), prefix) << ToUtf8(root);
  EXPECT_EQ(AsFolderPrefix(u"/px/skins\\", u"/"), u"/px/skins\\/");  // a backslash is a name's on Linux
}

TEST(SkinImageSet, HoldsTwentySevenDistinctPngNames) {
  std::set<TextView> names(kSkinImageSet.begin(), kSkinImageSet.end());
  EXPECT_EQ(names.size(), 27u);
  for (TextView name : kSkinImageSet) {
    ASSERT_GE(name.size(), 6u);
    EXPECT_EQ(name.front(), u'/') << ToUtf8(name);
    EXPECT_EQ(name.substr(name.size() - 4), u".png") << ToUtf8(name);
  }
}

TEST(Premultiply, ScalesColourByAlphaAndKeepsAlpha) {
  std::vector<std::uint8_t> pixels = {
      255, 255, 255, 128,  // half-transparent white
      10,  20,  30,  0,    // fully transparent: colour dropped
      10,  200, 255, 255,  // opaque: unchanged
      254, 1,   100, 1,    // rounding is truncation
  };
  PremultiplyBgra(pixels);
  const std::vector<std::uint8_t> expected = {128, 128, 128, 128, 0,  0, 0, 0,
                                              10,  200, 255, 255, 0, 0, 0, 1};
  EXPECT_EQ(pixels, expected);
}

TEST(Premultiply, LeavesATrailingPartialPixelAlone) {
  std::vector<std::uint8_t> pixels = {100, 100, 100, 0, 7, 8, 9};
  PremultiplyBgra(pixels);
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{0, 0, 0, 0, 7, 8, 9}));
  PremultiplyBgra({});  // an empty image is fine
}

TEST(PixelRows, DibRowsAreWholeWordsAndRowsCopyAcrossStrides) {
  struct Case {
    int width, bits, rowBytes;
  };
  for (const Case& c : {Case{1, 24, 4}, Case{3, 24, 12}, Case{5, 24, 16}, Case{880, 24, 2640}, Case{7, 32, 28}}) {
    EXPECT_EQ(DibRowBytes(c.width, c.bits), c.rowBytes) << c.width << " x " << c.bits;
  }
  // Two rows of three bytes from a decoder's stride of five (and bottom-up, a
  // negative one) into a bitmap's stride of four: the padding stays as it was.
  const std::vector<std::uint8_t> decoded = {1, 2, 3, 88, 88, 4, 5, 6, 88, 88};
  std::vector<std::uint8_t> bitmap(8, 0);
  CopyPixelRows({decoded.data(), 5}, {bitmap.data(), 4}, 3, 2);
  EXPECT_EQ(bitmap, (std::vector<std::uint8_t>{1, 2, 3, 0, 4, 5, 6, 0}));
  CopyPixelRows({decoded.data() + 5, -5}, {bitmap.data(), 4}, 3, 2);
  EXPECT_EQ(bitmap, (std::vector<std::uint8_t>{4, 5, 6, 0, 1, 2, 3, 0}));
}

TEST(UiFont, StandInsTakeTheFacesMetricsSizedByTheirEm) {
  struct Case {
    UiFontChoice choice;
    TextView family;
    int em;
    bool bold;
  };
  const Case cases[] = {
      {{u"Arial", 14, 400}, u"Liberation Sans", 12, false},  // a 14-pixel cell: a 12-pixel em
      {{u"Tahoma", 16, 700}, u"DejaVu Sans Condensed", 14, true},
      {{u"宋体", 12, 400}, u"WenQuanYi Micro Hei", 10, false},
      {{u"黑体", 23, 900}, u"WenQuanYi Micro Hei", 20, true},
      {{u"Verdana", 0, 699}, u"Verdana", 1, false},  // unknown: itself; never below a pixel
  };
  for (const Case& c : cases) {
    const StandInFont font = StandInFor(c.choice);
    EXPECT_EQ(font.family, c.family) << ToUtf8(c.choice.face);
    EXPECT_EQ(font.emPixels, c.em) << ToUtf8(c.choice.face);
    EXPECT_EQ(font.bold, c.bold) << ToUtf8(c.choice.face);
  }
}

TEST(WheelNotches, PartsOfANotchAddUpAndTheRestWaits) {
  struct Case {
    std::vector<int> turns;
    std::vector<int> notches;
  };
  const Case cases[] = {
      {{120, -120}, {1, -1}},
      {{360}, {3}},
      {{40, 40, 40, 40}, {0, 0, 1, 0}},      // a touchpad: the fourth part waits
      {{-100, -30, 20}, {0, -1, 0}},         // -130: one notch, -10 left
      {{100, -100, 100, 30}, {0, 0, 0, 1}},  // back and forth cancels out
  };
  for (const Case& c : cases) {
    WheelNotches wheel;
    std::vector<int> got;
    for (int turn : c.turns) got.push_back(wheel.Turn(turn));
    EXPECT_EQ(got, c.notches) << c.turns.front();
  }
}

TEST(DecoderSession, StartsOnceRetriesAFailedStartAndStopsOnlyWhatRuns) {
  DecoderSession session;
  int starts = 0, stops = 0;
  bool works = false;
  auto start = [&] {
    ++starts;
    return works;
  };
  auto stop = [&] { ++stops; };
  EXPECT_FALSE(session.Start(start));  // the system refused: tried again next time
  session.Stop(stop);
  EXPECT_EQ(stops, 0);
  works = true;
  EXPECT_TRUE(session.Start(start));
  EXPECT_TRUE(session.Start(start));  // up already: not started twice
  EXPECT_EQ(starts, 2);
  EXPECT_EQ(session.Starts(), 2);
  session.CountDecode();
  EXPECT_EQ(session.Decodes(), 1);
  session.Stop(stop);
  session.Stop(stop);
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(session.Running());
}

TEST(UiFont, ChoosesFaceHeightAndWeightByLanguageRoleAndVersion) {
  const WindowsVersion win7{6, 1}, win8{6, 2}, win10{10, 0};
  struct Case {
    Language language;
    WindowsVersion version;
    FontRole role;
    TextView face;
    int height;
    int weight;
  };
  const Case cases[] = {
      {Language::SimplifiedChinese, win8, FontRole::Dialog, u"黑体", 13, 400},
      {Language::SimplifiedChinese, win8, FontRole::Heading, u"黑体", 18, 700},
      {Language::SimplifiedChinese, win7, FontRole::Body, u"宋体", 13, 400},
      {Language::SimplifiedChinese, win10, FontRole::Heading, u"宋体", 18, 700},
      {Language::SimplifiedChinese, WindowsVersion{5, 2}, FontRole::Dialog, u"宋体", 13, 400},
      {Language::TraditionalChinese, win7, FontRole::Body, u"黑体", 14, 400},
      {Language::TraditionalChinese, win8, FontRole::Heading, u"黑体", 18, 700},
      {Language::English, win8, FontRole::Dialog, u"Arial", 14, 400},
      {Language::English, win7, FontRole::Body, u"Arial", 14, 400},
      {Language::English, win10, FontRole::Heading, u"Tahoma", 18, 700},
  };
  for (const Case& c : cases) {
    const UiFontChoice font = ChooseUiFont(c.language, c.role, c.version);
    EXPECT_EQ(font.face, c.face);
    EXPECT_EQ(font.height, c.height);
    EXPECT_EQ(font.weight, c.weight);
    EXPECT_EQ(font.charset, 0);
    EXPECT_EQ(font.pitchAndFamily, 0x20);
  }
}

TEST(UiFont, VersionComesFromTheLowTwoBytes) {
  // Windows 8 reports 0x23F00206: major 6, minor 2; the build number is ignored.
  const WindowsVersion v = VersionFromGetVersion(0x23F00206u);
  EXPECT_EQ(v.major, 6u);
  EXPECT_EQ(v.minor, 2u);
  EXPECT_EQ(ChooseUiFont(Language::SimplifiedChinese, FontRole::Body, v).face, u"黑体");
  // Wine 8 reports 6.1: the Song face.
  EXPECT_EQ(ChooseUiFont(Language::SimplifiedChinese, FontRole::Body, VersionFromGetVersion(0x1DB10106u)).face,
            u"宋体");
}

TEST(Colors, ValueIsRedPlus256GreenPlus65536Blue) {
  EXPECT_EQ(ColorValue({0, 0, 0}), 0u);
  EXPECT_EQ(ColorValue({0, 255, 0}), 0x00FF00u);
  EXPECT_EQ(ColorValue({1, 2, 3}), 1u + 2u * 256u + 3u * 65536u);
  EXPECT_EQ(ColorValue({255, 255, 255}), 0xFFFFFFu);
}

}  // namespace
TEST(Colors, TheChoosersAnswerIsRedInTheLowByteAndNothingWithoutOk) {
  struct Case {
    bool confirmed;
    std::uint32_t value;  // red in the low byte
    std::optional<Rgb> colour;
  };
  const Case cases[] = {
      {true, 0x00332211u, Rgb{0x11, 0x22, 0x33}},
      {true, 0x000000FFu, Rgb{0xFF, 0, 0}},
      {true, 0x00FF0000u, Rgb{0, 0, 0xFF}},
      {true, 0x00000000u, Rgb{0, 0, 0}},
      {false, 0x00000000u, std::nullopt},
      {false, 0x00FFFFFFu, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ChosenColor(c.confirmed, c.value), c.colour) << std::hex << c.value;
  EXPECT_EQ(ColorValue(*ChosenColor(true, 0x00ABCDEFu)), 0x00ABCDEFu);
}

}  // namespace px

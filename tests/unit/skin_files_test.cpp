// The shipped skins: every skin folder holds the whole image set, each file a
// complete PNG whose size fits where the program draws it.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "skin/skin_image_set.h"

namespace px {
namespace {

namespace fs = std::filesystem;

struct PngHeader {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int colourType = -1;
};

std::uint32_t BigEndian(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
         bytes[at + 3];
}

// Signature, IHDR first, IEND last: a file cut short or of another kind fails.
std::optional<PngHeader> ReadPng(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  static constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  static constexpr std::array<std::uint8_t, 8> kEnd = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  if (bytes.size() < 45 || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) return std::nullopt;
  if (BigEndian(bytes, 8) != 13 || std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR") return std::nullopt;
  if (!std::equal(kEnd.begin(), kEnd.end(), bytes.end() - 8)) return std::nullopt;
  return PngHeader{BigEndian(bytes, 16), BigEndian(bytes, 20), bytes[25]};
}

std::string Name(TextView image) { return ToUtf8(image.substr(1)); }

fs::path SkinsFolder() { return fs::path(PX_SOURCE_DIR) / "skins"; }

std::vector<fs::path> ShippedSkins() {
  std::vector<fs::path> skins;
  for (const auto& entry : fs::directory_iterator(SkinsFolder())) {
    if (entry.is_directory()) skins.push_back(entry.path());
  }
  return skins;
}

// Where each element image is drawn: the largest size that stays inside its
// rectangles (width, height). Elements also have an alpha channel.
const std::map<std::string, std::pair<std::uint32_t, std::uint32_t>>& ElementLimits() {
  static const std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> limits = {
      {"button-normal.png", {105, 21}},        {"button-over.png", {105, 21}},  // OK, Apply, Cancel, Mode, Default
      {"button-close-normal.png", {18, 18}},   {"button-close-over.png", {18, 18}},
      {"button-min-normal.png", {18, 18}},     {"button-min-over.png", {18, 18}},
      {"button-Skins-normal.png", {18, 18}},   {"button-Skins-over.png", {18, 18}},
      {"button-PrePage-normal.png", {40, 40}}, {"button-PrePage-over.png", {40, 40}},
      {"DropdownBox-normal.png", {211, 21}},   {"DropdownBox-over.png", {211, 21}},
      {"slider-RP-dark.png", {70, 11}},        {"slider-RP-light.png", {70, 11}},
      {"slider-DPI-dark.png", {16, 16}},       {"slider-DPI-light.png", {16, 16}},
      {"Pane.png", {16, 16}},                  {"PaneMakingTick.png", {16, 16}},
  };
  return limits;
}

// Backgrounds: the smallest size whose client area (the picture less the
// window's 1-pixel border on each side) holds every rectangle drawn in it.
const std::map<std::string, std::pair<std::uint32_t, std::uint32_t>>& BackgroundMinimums() {
  static const std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> minimums = {
      {"main.png", {875 + 2, 647 + 2}},        // Cancel's right edge, the web link's bottom
      {"BasicSet2.png", {875 + 2, 647 + 2}},
      {"fire-key.png", {433 + 2, 274 + 2}},    // its notes reach x 433
      {"hot-key.png", {375 + 2, 274 + 2}},     // Cancel's right and bottom edges
      {"media-key.png", {375 + 2, 274 + 2}},
      {"single-key.png", {375 + 2, 274 + 2}},
      {"snipe-key.png", {375 + 2, 274 + 2}},
      {"windows-key.png", {375 + 2, 306 + 2}},  // its list reaches y 306
      {"skins.png", {375 + 2, 274 + 2}},
  };
  return minimums;
}

TEST(ShippedSkins, DefaultAndAtLeastOneMoreAreShipped) {
  const std::vector<fs::path> skins = ShippedSkins();
  EXPECT_GE(skins.size(), 2u);
  EXPECT_TRUE(fs::is_directory(SkinsFolder() / "Default"));
}

TEST(ShippedSkins, EveryImageIsAPngThatFitsWhereItIsDrawn) {
  ASSERT_EQ(ElementLimits().size() + BackgroundMinimums().size(), kSkinImageSet.size());
  for (const fs::path& skin : ShippedSkins()) {
    SCOPED_TRACE(skin.filename().string());
    for (TextView image : kSkinImageSet) {
      const std::string name = Name(image);
      SCOPED_TRACE(name);
      const std::optional<PngHeader> png = ReadPng(skin / name);
      ASSERT_TRUE(png.has_value()) << "missing or not a whole PNG";
      if (const auto limit = ElementLimits().find(name); limit != ElementLimits().end()) {
        EXPECT_GE(png->width, 1u);
        EXPECT_GE(png->height, 1u);
        EXPECT_LE(png->width, limit->second.first);
        EXPECT_LE(png->height, limit->second.second);
        EXPECT_EQ(png->colourType, 6) << "element images carry alpha (RGBA)";
      } else {
        const auto minimum = BackgroundMinimums().find(name);
        ASSERT_NE(minimum, BackgroundMinimums().end());
        EXPECT_GE(png->width, minimum->second.first);
        EXPECT_GE(png->height, minimum->second.second);
        EXPECT_LE(png->width, 1920u);  // a window, not a wallpaper
        EXPECT_LE(png->height, 1080u);
      }
    }
  }
}

TEST(ShippedSkins, PairedImagesShareTheirSize) {
  const std::array<std::pair<const char*, const char*>, 9> pairs = {{
      {"main.png", "BasicSet2.png"},  // the page picture covers the whole background
      {"button-normal.png", "button-over.png"},
      {"button-close-normal.png", "button-close-over.png"},
      {"button-min-normal.png", "button-min-over.png"},
      {"button-Skins-normal.png", "button-Skins-over.png"},
      {"button-PrePage-normal.png", "button-PrePage-over.png"},
      {"DropdownBox-normal.png", "DropdownBox-over.png"},
      {"slider-RP-dark.png", "slider-RP-light.png"},
      {"Pane.png", "PaneMakingTick.png"},
  }};
  for (const fs::path& skin : ShippedSkins()) {
    for (const auto& [a, b] : pairs) {
      const auto first = ReadPng(skin / a), second = ReadPng(skin / b);
      ASSERT_TRUE(first && second) << skin << " " << a;
      EXPECT_EQ(first->width, second->width) << skin << " " << a;
      EXPECT_EQ(first->height, second->height) << skin << " " << a;
    }
  }
}

}  // namespace
}  // namespace px

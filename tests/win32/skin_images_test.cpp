// The shipped skins drawn the way the program draws them: over a persistent
// canvas, again and again. Hover looks must not leave traces behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "skin/skin_image_set.h"
#include "skin/skin_paths.h"
#include "common/win32/wide_text.h"
#include "skin/win32/skin_picture.h"
#include "dib_canvas.h"

namespace px {
namespace {

// 2 x 1, 1-bit palette: red (transparent through tRNS), blue.
constexpr std::array<std::uint8_t, 98> kPalettePng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x01, 0x03, 0x00, 0x00, 0x00, 0xCE, 0xEC, 0xED, 0xC9, 0x00,
    0x00, 0x00, 0x06, 0x50, 0x4C, 0x54, 0x45, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x6C, 0xA1, 0xFD, 0x8E,
    0x00, 0x00, 0x00, 0x01, 0x74, 0x52, 0x4E, 0x53, 0x00, 0x40, 0xE6, 0xD8, 0x66, 0x00, 0x00, 0x00, 0x0A,
    0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x70, 0x00, 0x00, 0x00, 0x42, 0x00, 0x41, 0x84, 0xBF, 0x8E,
    0x62, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

using wintest::Canvas;

Text SkinsFolder() { return wintest::SourcePath("skins"); }

std::vector<Text> ShippedSkinFolders() {
  std::vector<Text> folders;
  std::filesystem::path root(reinterpret_cast<const wchar_t*>(SkinsFolder().c_str()));
  for (const auto& entry : std::filesystem::directory_iterator(root)) {
    if (entry.is_directory()) {
      folders.push_back(SkinsFolder() + u"/" + reinterpret_cast<const char16_t*>(entry.path().filename().c_str()));
    }
  }
  return folders;
}

int Draw(HDC dc, const Text& folder, TextView image) {
  return DrawSkinImage(nullptr, dc, SkinImagePath(folder, image), 0, 0, SkinLoadFailure::Silent);
}

TEST(ShippedSkinLooks, OverThenNormalLeavesExactlyTheNormalLook) {
  using namespace skin_image;
  const std::array<std::pair<TextView, TextView>, 10> pairs = {{
      {kButtonNormal, kButtonOver},
      {kCloseNormal, kCloseOver},
      {kMinimiseNormal, kMinimiseOver},
      {kSkinsNormal, kSkinsOver},
      {kPrePageNormal, kPrePageOver},
      {kDropdownNormal, kDropdownOver},
      {kReportRateDark, kReportRateLight},
      {kDpiDark, kDpiLight},
      {kTickBox, kTickBoxTicked},
      {kTickBoxTicked, kTickBox},
  }};
  const std::vector<Text> skins = ShippedSkinFolders();
  ASSERT_GE(skins.size(), 2u);
  for (const Text& skin : skins) {
    for (const auto& [normal, over] : pairs) {
      SCOPED_TRACE(ToUtf8(skin) + ToUtf8(normal));
      // Two backgrounds, so that a trace shows whatever colour the panel has.
      for (COLORREF under : {RGB(255, 0, 255), RGB(0, 90, 0)}) {
        Canvas once(220, 48, under), hovered(220, 48, under);
        ASSERT_EQ(Draw(once.Dc(), skin, normal), 1);
        ASSERT_EQ(Draw(hovered.Dc(), skin, normal), 1);
        for (int i = 0; i < 3; ++i) {
          ASSERT_EQ(Draw(hovered.Dc(), skin, over), 1);
          ASSERT_EQ(Draw(hovered.Dc(), skin, normal), 1);
        }
        EXPECT_EQ(once.Colours(), hovered.Colours());
      }
    }
  }
}

// Relative luminance contrast of two 0x00RRGGBB colours (1 = none, 21 = black on white).
double Contrast(std::uint32_t a, std::uint32_t b) {
  const auto luminance = [](std::uint32_t c) {
    const auto channel = [](std::uint32_t v) {
      const double s = v / 255.0;
      return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c >> 16 & 0xFF) + 0.7152 * channel(c >> 8 & 0xFF) + 0.0722 * channel(c & 0xFF);
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ShippedSkinLooks, ButtonSymbolsStandOutFromTheirFillInBothLooks) {
  using namespace skin_image;
  struct Button {
    TextView image;
    int size;
  };
  const std::array<Button, 8> buttons = {{
      {kCloseNormal, 18}, {kCloseOver, 18}, {kMinimiseNormal, 18}, {kMinimiseOver, 18},
      {kSkinsNormal, 18}, {kSkinsOver, 18}, {kPrePageNormal, 40}, {kPrePageOver, 40},
  }};
  for (const Text& skin : ShippedSkinFolders()) {
    for (const Button& button : buttons) {
      SCOPED_TRACE(ToUtf8(skin) + ToUtf8(button.image));
      Canvas canvas(button.size, button.size, RGB(255, 0, 255));
      ASSERT_EQ(Draw(canvas.Dc(), skin, button.image), 1);
      // The middle half holds the symbol on the button's fill, away from its rim.
      std::vector<std::uint32_t> middle;
      for (int y = button.size / 4; y < button.size * 3 / 4; ++y) {
        for (int x = button.size / 4; x < button.size * 3 / 4; ++x) middle.push_back(canvas.ColourAt(x, y));
      }
      std::map<std::uint32_t, int> counts;
      for (std::uint32_t c : middle) ++counts[c];
      const std::uint32_t fill =
          std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
      double best = 1.0;
      for (std::uint32_t c : middle) best = std::max(best, Contrast(c, fill));
      EXPECT_GE(best, 3.0) << "symbol too faint on its fill";
    }
  }
}

TEST(ShippedSkinLooks, PagePictureCoversTheWholeBackground) {
  for (const Text& skin : ShippedSkinFolders()) {
    SCOPED_TRACE(ToUtf8(skin));
    // A rebuild draws the page over a canvas full of old texts: nothing may show through.
    Canvas magenta(880, 660, RGB(255, 0, 255)), green(880, 660, RGB(0, 255, 0));
    ASSERT_EQ(Draw(magenta.Dc(), skin, skin_image::kPage), 1);
    ASSERT_EQ(Draw(green.Dc(), skin, skin_image::kPage), 1);
    EXPECT_EQ(magenta.Colours(), green.Colours());
  }
}

TEST(ShippedSkinLooks, PaletteImageWithTransparencyIsBlended) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring file = std::wstring(folder) + L"px_skin_palette.png";
  std::ofstream(std::filesystem::path(file), std::ios::binary)
      .write(reinterpret_cast<const char*>(kPalettePng.data()), static_cast<std::streamsize>(kPalettePng.size()));
  Canvas canvas(2, 1, RGB(0, 200, 0));
  ASSERT_EQ(DrawSkinImage(nullptr, canvas.Dc(), reinterpret_cast<const char16_t*>(file.c_str()), 0, 0,
                          SkinLoadFailure::Silent),
            1);
  EXPECT_EQ(canvas.ColourAt(0, 0), 0x00C800u);  // transparent entry: the canvas shows
  EXPECT_EQ(canvas.ColourAt(1, 0), 0x0000FFu);  // blue (BGRA in memory: blue is the low byte)
}

std::wstring TempPng(const wchar_t* name, std::array<std::uint8_t, 98> bytes) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring file = std::wstring(folder) + name;
  std::ofstream(std::filesystem::path(file), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return file;
}

TEST(SkinImageFiles, AHugePictureIsRefusedFromItsHeaderBeforeDecoding) {
  // The header says 16000 x 16000: four megabytes of file, a gigabyte decoded.
  std::array<std::uint8_t, 98> huge = kPalettePng;
  for (std::size_t at : {16u, 20u}) {
    huge[at] = 0x00, huge[at + 1] = 0x00, huge[at + 2] = 0x3E, huge[at + 3] = 0x80;
  }
  const std::wstring file = TempPng(L"px_skin_huge.png", huge);
  const int decodes = SkinDecoder().Decodes();
  EXPECT_TRUE(SkinImages().Get(reinterpret_cast<const char16_t*>(file.c_str())).IsNull());
  EXPECT_EQ(SkinDecoder().Decodes(), decodes);  // the decoder was never asked
  DeleteFileW(file.c_str());
}

TEST(SkinImageFiles, MainBackgroundSmallerThanTheFrameButtonsCountsAsMissing) {
  const std::wstring file = TempPng(L"px_skin_tiny.png", kPalettePng);  // 2 x 1
  const auto* path = reinterpret_cast<const char16_t*>(file.c_str());
  BackgroundBitmap tiny;
  EXPECT_FALSE(tiny.Load(path, kMainWindowFrameExtent));
  EXPECT_FALSE(tiny);
  EXPECT_EQ(tiny.Width(), 0);
  BackgroundBitmap dialog;  // a small dialog asks for nothing in particular
  EXPECT_TRUE(dialog.Load(path));
  EXPECT_EQ(dialog.Width(), 2);
  DeleteFileW(file.c_str());
}

// An 8K picture is within the per-picture limits but over a skin's budget and
// a window's largest size: refused from its header, never decoded.
TEST(SkinImageFiles, An8KPictureIsNeitherDecodedForTheSkinNorAWindow) {
  std::array<std::uint8_t, 98> large = kPalettePng;
  large[16] = 0, large[17] = 0, large[18] = 0x1E, large[19] = 0x00;  // 7680
  large[20] = 0, large[21] = 0, large[22] = 0x10, large[23] = 0xE0;  // 4320
  const std::wstring file = TempPng(L"px_skin_8k.png", large);
  const auto* path = reinterpret_cast<const char16_t*>(file.c_str());
  const int decodes = SkinDecoder().Decodes();
  DropSkinImages();
  EXPECT_TRUE(SkinImages().Get(path).IsNull());
  BackgroundBitmap background;
  EXPECT_FALSE(background.Load(path));
  EXPECT_EQ(SkinDecoder().Decodes(), decodes);
  DropSkinImages();
  DeleteFileW(file.c_str());
}

// Whether `path` is there, as a link (symbolic link or junction).
bool IsLink(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Wine runs a Unix program as it is, without waiting for it: the caller
// awaits what it does.
void RunUnix(const wchar_t* program, std::wstring commandLine, const std::wstring& folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                     &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

void AwaitLink(const std::wstring& path, bool there) {
  for (int tries = 0; tries < 1000 && IsLink(path) != there; ++tries) Sleep(10);
}

enum class LinkMaker { None, System, UnixLn };

// A folder link `name` -> `target` (relative) inside `folder`: a symbolic
// link where the system makes them. Wine only pretends to (CreateSymbolicLinkW
// answers true and makes nothing), but shows a Unix link as a reparse point
// and resolves it: there the Unix `ln` makes it.
LinkMaker MakeFolderLink(const std::wstring& folder, const wchar_t* name, const wchar_t* target) {
  const std::wstring link = folder + L"\\" + name;
  CreateSymbolicLinkW(link.c_str(), target, SYMBOLIC_LINK_FLAG_DIRECTORY);
  if (IsLink(link)) return LinkMaker::System;
  std::wstring command = std::wstring(L"ln -s ") + target + L" " + name;
  std::replace(command.begin(), command.end(), L'\\', L'/');
  RunUnix(L"Z:\\bin\\ln", command, folder);
  AwaitLink(link, true);
  return IsLink(link) ? LinkMaker::UnixLn : LinkMaker::None;
}

// The link itself, not what it leads to. Wine's RemoveDirectoryW on a Unix
// link removes the folder it leads to and keeps the link: the Unix `rm` then.
void RemoveFolderLink(const std::wstring& folder, const wchar_t* name, LinkMaker maker) {
  const std::wstring link = folder + L"\\" + name;
  if (maker == LinkMaker::System) RemoveDirectoryW(link.c_str());
  if (maker != LinkMaker::UnixLn) return;
  RunUnix(L"Z:\\bin\\rm", std::wstring(L"rm ") + name, folder);
  AwaitLink(link, false);
}

// The skins root as the program builds it, mixed separators and all: a
// shipped skin is found, a climbing name gives no folder. A folder of the
// root that is a link is followed as the system follows it: to another skin
// it is a skin, out of the root it is refused like a climbing name.
TEST(SkinImageFiles, SkinNamesResolveUnderTheSkinsRootOnly) {
  const Text executable = wintest::SourcePath("PX6410-3-4.exe");
  EXPECT_EQ(SkinFolderFor(executable, u"Default"), SkinsRootFor(executable) + u"/Default");
  EXPECT_EQ(SkinFolderFor(executable, u"..\\tests"), u"");
  EXPECT_EQ(SkinFolderFor(executable, u"../tests"), u"");
  EXPECT_EQ(SkinFolderFor(executable, u"C:\\windows"), u"");

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path base = std::filesystem::path(temp) / (L"px_skin_links_" + std::to_wstring(GetCurrentProcessId()));
  std::filesystem::create_directories(base / L"Skins" / L"Default");
  std::filesystem::create_directories(base / L"elsewhere");
  const std::wstring skins = (base / L"Skins").wstring();
  const LinkMaker out = MakeFolderLink(skins, L"Out", L"..\\elsewhere");
  const LinkMaker alias = MakeFolderLink(skins, L"Alias", L"Default");
  const auto cleanUp = [&] {
    RemoveFolderLink(skins, L"Out", out);
    RemoveFolderLink(skins, L"Alias", alias);
    std::error_code kept;  // a leftover in the temporary folder is not this test's finding
    std::filesystem::remove_all(base, kept);
  };
  if (out == LinkMaker::None || alias == LinkMaker::None) {
    cleanUp();
    GTEST_SKIP() << "this system makes no folder links here";
  }
  const Text root = TextOf(skins) + u"\\";  // as a search reports it
  EXPECT_EQ(SkinFolderIn(root, u"Default"), root + u"/Default");
  EXPECT_EQ(SkinFolderIn(root, u"Alias"), root + u"/Alias");
  EXPECT_EQ(SkinFolderIn(root, u"Missing"), root + u"/Missing");
  EXPECT_EQ(SkinRefusal(root, u"Out"), "leads out of the skins folder");
  cleanUp();
}

}  // namespace
}  // namespace px

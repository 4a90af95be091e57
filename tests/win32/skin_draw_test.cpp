#include <gtest/gtest.h>
#include <windows.h>

#include "skin/win32/gdiplus_headers.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "skin/skin_image_set.h"
#include "skin/skin_paths.h"
#include "skin/win32/skin_picture.h"
#include "skin/win32/ui_text.h"
#include "winui/composition.h"
#include "dib_canvas.h"

namespace px {
namespace {

// 2 x 2 RGBA: (255,255,255,128) (10,20,30,0) / (200,100,50,255) (0,0,255,64).
constexpr std::array<std::uint8_t, 83> kAlphaPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xB6, 0x0D, 0x24, 0x00,
    0x00, 0x00, 0x1A, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xFF, 0xFF, 0x7F, 0x03, 0x97, 0x88,
    0x1C, 0x03, 0xC3, 0x89, 0x14, 0xA3, 0xFF, 0x0C, 0x0C, 0xFF, 0x1D, 0x00, 0x4A, 0xFF, 0x07, 0x56, 0x80,
    0xF7, 0xD1, 0xCA, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
// 2 x 1 RGB without alpha: (10,200,30) (250,5,5).
constexpr std::array<std::uint8_t, 72> kOpaquePng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x7B, 0x40, 0xE8, 0xDD, 0x00, 0x00, 0x00,
    0x0F, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xE0, 0x3A, 0x21, 0xF7, 0x8B, 0x95, 0x15, 0x00, 0x07, 0xA0,
    0x01, 0xF5, 0x2B, 0xB7, 0x00, 0x49, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

using Rgb = wintest::Pixel;
using wintest::Canvas;
using wintest::SourcePath;

::testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance = 1) {
  if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
      std::abs(actual.b - expected.b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "(" << actual.r << "," << actual.g << "," << actual.b << ") != ("
                                       << expected.r << "," << expected.g << "," << expected.b << ")";
}

Text TempFile(const char16_t* name, const std::uint8_t* data, std::size_t size) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  Text path = reinterpret_cast<const char16_t*>(folder);
  path += name;
  std::ofstream out(reinterpret_cast<const wchar_t*>(path.c_str()), std::ios::binary);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

Text DefaultSkinImage(TextView name) { return SkinImagePath(SourcePath("skins/Default"), name); }

TEST(SkinDraw, BlendsPremultipliedAlphaAndCopiesOpaqueImages) {
  const Text alphaPng = TempFile(u"px_skin_alpha.png", kAlphaPng.data(), kAlphaPng.size());
  const Text opaquePng = TempFile(u"px_skin_opaque.png", kOpaquePng.data(), kOpaquePng.size());
  Canvas black(8, 8, RGB(0, 0, 0));
  ASSERT_EQ(DrawSkinImage(nullptr, black.Dc(), alphaPng, 3, 4, SkinLoadFailure::Silent), 1);
  EXPECT_TRUE(Near(black.At(3, 4), {128, 128, 128}));  // white at alpha 128, stored premultiplied
  EXPECT_TRUE(Near(black.At(4, 4), {0, 0, 0}, 0));     // alpha 0 leaves the canvas
  EXPECT_TRUE(Near(black.At(3, 5), {200, 100, 50}, 0));
  EXPECT_TRUE(Near(black.At(4, 5), {0, 0, 64}));
  EXPECT_TRUE(Near(black.At(2, 4), {0, 0, 0}, 0));     // nothing outside the image

  Canvas grey(8, 8, RGB(100, 100, 100));
  ASSERT_EQ(DrawSkinImage(nullptr, grey.Dc(), alphaPng, 0, 0, SkinLoadFailure::Silent), 1);
  EXPECT_TRUE(Near(grey.At(0, 0), {128 + 100 * 127 / 255, 128 + 100 * 127 / 255, 128 + 100 * 127 / 255}));
  EXPECT_TRUE(Near(grey.At(1, 0), {100, 100, 100}, 0));
  // Drawn twice over the persistent canvas, the half-transparent pixel blends twice.
  ASSERT_EQ(DrawSkinImage(nullptr, grey.Dc(), alphaPng, 0, 0, SkinLoadFailure::Silent), 1);
  const int twice = 128 + (128 + 100 * 127 / 255) * 127 / 255;
  EXPECT_TRUE(Near(grey.At(0, 0), {twice, twice, twice}, 2));

  Canvas opaque(4, 4, RGB(1, 2, 3));
  ASSERT_EQ(DrawSkinImage(nullptr, opaque.Dc(), opaquePng, 1, 1, SkinLoadFailure::Silent), 1);
  EXPECT_TRUE(Near(opaque.At(1, 1), {10, 200, 30}, 0));
  EXPECT_TRUE(Near(opaque.At(2, 1), {250, 5, 5}, 0));
  EXPECT_TRUE(Near(opaque.At(1, 2), {1, 2, 3}, 0));
}

TEST(SkinDraw, ShippedButtonBlendsOverTheCanvasPixelByPixel) {
  const Text path = DefaultSkinImage(skin_image::kCloseOver);
  // Expected values from GDI+'s own decode of the same file.
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  Gdiplus::GpBitmap* decoded = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromFile(reinterpret_cast<const wchar_t*>(path.c_str()), &decoded),
            Gdiplus::Ok);
  UINT width = 0, height = 0;
  Gdiplus::DllExports::GdipGetImageWidth(decoded, &width);
  Gdiplus::DllExports::GdipGetImageHeight(decoded, &height);
  ASSERT_EQ(width, 18u);
  ASSERT_EQ(height, 18u);

  const Rgb under{30, 160, 90};
  Canvas canvas(24, 24, RGB(under.r, under.g, under.b));
  ASSERT_EQ(DrawSkinImage(nullptr, canvas.Dc(), path, 2, 3, SkinLoadFailure::Silent), 1);
  int transparent = 0, opaque = 0;
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      Gdiplus::ARGB argb = 0;
      Gdiplus::DllExports::GdipBitmapGetPixel(decoded, static_cast<INT>(x), static_cast<INT>(y), &argb);
      const int a = static_cast<int>(argb >> 24), r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
      transparent += a == 0;
      opaque += a == 255;
      const auto blend = [a](int src, int dst) { return src * a / 255 + dst * (255 - a) / 255; };
      ASSERT_TRUE(Near(canvas.At(static_cast<int>(x) + 2, static_cast<int>(y) + 3),
                       {blend(r, under.r), blend(g, under.g), blend(b, under.b)}, 2))
          << "pixel " << x << "," << y << " alpha " << a;
    }
  }
  EXPECT_GT(transparent, 0);  // rounded corners
  EXPECT_GT(opaque, 0);
  Gdiplus::DllExports::GdipDisposeImage(decoded);
  Gdiplus::GdiplusShutdown(token);
}

TEST(SkinDraw, MissingFileOrSurfaceDrawsNothing) {
  Canvas canvas(4, 4, RGB(9, 9, 9));
  EXPECT_EQ(DrawSkinImage(nullptr, canvas.Dc(), DefaultSkinImage(u"/no-such-image.png"), 0, 0,
                          SkinLoadFailure::Silent),
            0);
  EXPECT_TRUE(Near(canvas.At(0, 0), {9, 9, 9}, 0));
  EXPECT_EQ(DrawSkinImage(nullptr, nullptr, DefaultSkinImage(skin_image::kButtonNormal), 0, 0,
                          SkinLoadFailure::Silent),
            0);
  // A renamed executable's path runs through the file itself: nothing loads.
  EXPECT_EQ(DrawSkinImage(nullptr, canvas.Dc(), SourcePath("CMakeLists.txt/Skins/Default/main.png"), 0, 0,
                          SkinLoadFailure::Silent),
            0);
}

// Records the failure boxes of the dialog variant instead of showing them.
struct BoxRecorder {
  struct Box {
    HWND owner;
    Text text, caption;
  };
  static inline std::vector<Box> boxes;
  static void Record(HWND owner, TextView text, TextView caption) {
    boxes.push_back({owner, Text(text), Text(caption)});
  }
};

TEST(SkinDraw, DialogVariantReportsEachFailedLoadWithTheExecutablesName) {
  BoxRecorder::boxes.clear();
  const SkinLoadFailureBox previous = SetSkinLoadFailureBox(&BoxRecorder::Record);
  HWND owner = reinterpret_cast<HWND>(0x1234);
  Canvas canvas(4, 4, RGB(0, 0, 0));
  const Text missing = DefaultSkinImage(u"/missing.png");
  EXPECT_EQ(DrawSkinImage(owner, canvas.Dc(), missing, 0, 0, SkinLoadFailure::ShowMessage), 0);
  EXPECT_EQ(DrawSkinImage(owner, canvas.Dc(), missing, 0, 0, SkinLoadFailure::ShowMessage), 0);
  EXPECT_EQ(DrawSkinImage(owner, canvas.Dc(), DefaultSkinImage(skin_image::kTickBox), 0, 0,
                          SkinLoadFailure::ShowMessage),
            1);
  EXPECT_EQ(DrawSkinImage(owner, canvas.Dc(), missing, 0, 0, SkinLoadFailure::Silent), 0);
  SetSkinLoadFailureBox(previous);
  ASSERT_EQ(BoxRecorder::boxes.size(), 2u);  // at each failed draw, never for the page's variant
  EXPECT_EQ(BoxRecorder::boxes[0].owner, owner);
  EXPECT_EQ(BoxRecorder::boxes[0].text, u"LoadPng---Load image failed.");
  EXPECT_EQ(BoxRecorder::boxes[0].caption, u"px_win_tests");
}

TEST(SkinDraw, DecoderStartsOnceAndStaysUpForTheProcess) {
  Canvas canvas(16, 16, RGB(0, 0, 0));
  DropSkinImages();
  EXPECT_EQ(DrawSkinImage(nullptr, canvas.Dc(), DefaultSkinImage(skin_image::kTickBoxTicked), 0, 0,
                          SkinLoadFailure::Silent),
            1);
  EXPECT_TRUE(SkinDecoder().Running());
  {
    BackgroundBitmap background;
    ASSERT_TRUE(background.Load(DefaultSkinImage(skin_image::kMainBackground)));
    EXPECT_TRUE(SkinImages().Get(DefaultSkinImage(u"/absent.png")).IsNull());
  }
  for (int skinChange = 0; skinChange < 3; ++skinChange) {
    DropSkinImages();
    EXPECT_EQ(DrawSkinImage(nullptr, canvas.Dc(), DefaultSkinImage(skin_image::kTickBox), 0, 0,
                            SkinLoadFailure::Silent),
              1);
  }
  // Pictures and windows come and go; GDI+ was started once and still runs.
  EXPECT_TRUE(SkinDecoder().Running());
  EXPECT_EQ(SkinDecoder().Starts(), 1);
}

TEST(SkinDraw, BackgroundTakesTheImageSizeAndStaysTheCanvas) {
  BackgroundBitmap background;
  ASSERT_TRUE(background.Load(DefaultSkinImage(skin_image::kMainBackground)));
  EXPECT_EQ(background.Width(), 880);
  EXPECT_EQ(background.Height(), 660);

  Canvas screen(880, 660, RGB(255, 0, 255));
  {
    winui::Composition draw(screen.Dc(), RECT{0, 0, 880, 660}, background.Handle());
    winui::UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    RECT mark{100, 100, 110, 110};
    FillRect(draw.Dc(), &mark, brush.Get());
  }
  EXPECT_TRUE(Near(screen.At(105, 105), {1, 2, 3}, 0));
  EXPECT_FALSE(Near(screen.At(300, 300), {255, 0, 255}, 0));  // the background came along
  // The mark stayed in the background bitmap, which the composition deselected again.
  winui::UniqueMemoryDc reader(CreateCompatibleDC(screen.Dc()));
  ASSERT_NE(SelectObject(reader.Get(), background.Handle()), nullptr);
  EXPECT_EQ(GetPixel(reader.Get(), 105, 105), RGB(1, 2, 3));

  BackgroundBitmap missing;
  EXPECT_FALSE(missing.Load(DefaultSkinImage(u"/gone.png")));
  EXPECT_FALSE(missing);
  EXPECT_EQ(missing.Width(), 0);
  EXPECT_EQ(missing.Height(), 0);
}

TEST(UiFontWin32, CreatesTheTableFont) {
  const auto check = [](Language language, FontRole role, const wchar_t* face, LONG height, LONG weight) {
    const winui::UniqueFont font = CreateUiFont(language, role);
    ASSERT_TRUE(font);
    LOGFONTW info{};
    ASSERT_EQ(GetObjectW(font.Get(), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_STREQ(info.lfFaceName, face);
    EXPECT_EQ(info.lfHeight, height);
    EXPECT_EQ(info.lfWeight, weight);
    EXPECT_EQ(info.lfCharSet, 0);
    EXPECT_EQ(info.lfPitchAndFamily, 0x20);
  };
  check(Language::English, FontRole::Body, L"Arial", 14, 400);
  check(Language::English, FontRole::Heading, L"Tahoma", 18, 700);
  check(Language::TraditionalChinese, FontRole::Dialog, L"黑体", 14, 400);
  // Wine reports version 6.1, so Simplified Chinese takes the Song face.
  const WindowsVersion version = VersionFromGetVersion(GetVersion());
  check(Language::SimplifiedChinese, FontRole::Body, version.major == 6 && version.minor == 2 ? L"黑体" : L"宋体", 13,
        400);
}

}  // namespace
}  // namespace px

namespace px {
namespace {

TEST(Composition, DrawsOnTheBackgroundAndCopiesTheClientAreaOnce) {
  BackgroundBitmap background;
  ASSERT_TRUE(background.Load(DefaultSkinImage(skin_image::kSkinsBackground)));
  const RECT client{0, 0, background.Width() - 2, background.Height() - 2};
  Canvas window(background.Width(), background.Height(), RGB(255, 0, 255));
  {
    winui::Composition draw(window.Dc(), client, background.Handle());
    ASSERT_TRUE(draw.HasCanvas());
    EXPECT_EQ(DrawSkinImage(nullptr, draw.Dc(), DefaultSkinImage(skin_image::kButtonOver), 166, 253,
                            SkinLoadFailure::ShowMessage),
              1);
    EXPECT_TRUE(Near(window.At(200, 263), {255, 0, 255}, 0));  // nothing reaches the window before the end
  }
  const Rgb button = window.At(200, 263);
  EXPECT_FALSE(Near(button, {255, 0, 255}, 0));
  EXPECT_TRUE(Near(window.At(client.right, 10), {255, 0, 255}, 0));  // only the client area is copied
  // A second composition starts from what the first left in the background.
  Canvas again(background.Width(), background.Height(), RGB(0, 0, 0));
  { winui::Composition draw(again.Dc(), client, background.Handle()); }
  EXPECT_TRUE(Near(again.At(200, 263), button, 0));
}

// An area off the target's origin is drawn in the target's coordinates and
// copied back there; an all-zero area (a minimised window's client) takes
// what the target may draw.
TEST(Composition, CopiesItsAreaBackInTargetCoordinates) {
  struct Case {
    RECT area;
    POINT inside, lastInside, outside;
  };
  for (const Case& c : {Case{{10, 20, 30, 35}, {10, 20}, {29, 34}, {30, 34}}, Case{{0, 0, 0, 0}, {0, 0}, {39, 39}, {-1, -1}}}) {
    Canvas target(40, 40, RGB(10, 10, 10));
    winui::UniqueBitmap background(::CreateCompatibleBitmap(target.Dc(), 40, 40));
    {
      winui::Composition draw(target.Dc(), c.area, background.Get());
      ASSERT_TRUE(draw.HasCanvas());
      winui::UniqueBrush red(::CreateSolidBrush(RGB(200, 0, 0)));
      RECT all{0, 0, 40, 40};
      ::FillRect(draw.Dc(), &all, red.Get());
      EXPECT_TRUE(Near(target.At(c.inside.x, c.inside.y), {10, 10, 10}, 0));  // nothing shows before the end
    }
    EXPECT_TRUE(Near(target.At(c.inside.x, c.inside.y), {200, 0, 0}, 0));
    EXPECT_TRUE(Near(target.At(c.lastInside.x, c.lastInside.y), {200, 0, 0}, 0));
    if (c.outside.x >= 0) {
      EXPECT_TRUE(Near(target.At(c.outside.x, c.outside.y), {10, 10, 10}, 0));
    }
  }
}

TEST(Composition, WithoutBackgroundShowsBlackAndDrawsNothing) {
  Canvas window(20, 10, RGB(255, 255, 255));
  {
    winui::Composition draw(window.Dc(), RECT{0, 0, 20, 10}, nullptr);
    EXPECT_FALSE(draw.HasCanvas());
  }
  EXPECT_TRUE(Near(window.At(0, 0), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(window.At(19, 9), {0, 0, 0}, 0));
  winui::Composition none(static_cast<HDC>(nullptr), RECT{0, 0, 20, 10}, nullptr);
  EXPECT_EQ(none.Dc(), nullptr);
}

TEST(Composition, TextsAreTransparentInTheTextColourAndStayInTheirRectangle) {
  Canvas canvas(120, 40, RGB(10, 20, 30));
  const winui::UniqueFont font = CreateUiFont(Language::English, FontRole::Body);
  PrepareUiText(canvas.Dc(), font.Get(), UiTextColor{250, 200, 0});
  DrawUiText(canvas.Dc(), u"Cancel", Rect{20, 10, 100, 30});
  int inked = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      const Rgb p = canvas.At(x, y);
      const bool background = Near(p, {10, 20, 30}, 0);
      if (x < 20 || x >= 100 || y < 10 || y >= 30) {
        ASSERT_TRUE(background) << x << "," << y;
      } else if (!background) {
        ++inked;
        EXPECT_GE(p.r, p.b) << "text colour is R 250, G 200, B 0";
      }
    }
  }
  EXPECT_GT(inked, 20);
  EXPECT_TRUE(Near(canvas.At(21, 11), {10, 20, 30}, 0));  // transparent: no box behind the text
}

// The one text format in DrawText's words: always one line, vertically
// centred; only a whole text goes past the rectangle.
TEST(UiText, EachFormatHasItsDrawTextFlags) {
  const struct {
    TextFormat format;
    UINT flags;
  } cases[] = {
      {kCentredText, DT_CENTER | DT_VCENTER | DT_SINGLELINE},
      {kWholeCentredText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP},
      {kLeftText, DT_LEFT | DT_VCENTER | DT_SINGLELINE},
      {kWholeLeftText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP},
      {kRightText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE},
      {kWholeRightText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DrawTextFlags(c.format), c.flags) << static_cast<int>(c.format.align) << " " << c.format.whole;
  }
}

}  // namespace
}  // namespace px

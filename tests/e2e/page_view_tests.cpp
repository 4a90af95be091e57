// The settings page's view over a real window on a (virtual) display: a
// rebuild shows nothing until the whole new page, its controls included,
// reaches the screen, and it reads the skin's pictures again.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "page_harness.h"

namespace px {
namespace {

using pagetest::PageWindow;
using pagetest::Pump;
using pagetest::Shown;

Text SkinFolder(const char* name) {
  std::string path = std::string(PX_SOURCE_DIR) + "/skins/" + name;
  if (path.front() == '/') path = "Z:" + path;
  return FromUtf8(path);
}

TEST(PageRebuild, TheScreenGoesFromTheOldPageStraightToTheWholeNewOne) {
  PageWindow w(SkinFolder("Default"));
  ASSERT_TRUE(w.Ready());
  std::vector<std::vector<std::uint32_t>> shownAtCopies;
  w.view->onScreen = [&](const char* moment) {
    if (std::string(moment) == "copy") shownAtCopies.push_back(Shown(w.window));
  };
  w.page->BuildPage();
  Pump();
  const std::vector<std::uint32_t> before = Shown(w.window);
  w.page->DispatchClick({800, 335});  // an open list goes with the rebuild
  Pump();
  const std::vector<std::uint32_t> withList = Shown(w.window);

  w.skinFolder = SkinFolder("Crimson");  // as the skin flow does before it rebuilds
  w.session.model.LightMode = 2;        // and a label that reads differently
  shownAtCopies.clear();
  w.page->Rebuild();
  const std::vector<std::uint32_t> afterFirstCopy = Shown(w.window);
  Pump();
  const std::vector<std::uint32_t> settled = Shown(w.window);

  // While the page was prepared, the screen kept the old one, list and all.
  ASSERT_FALSE(shownAtCopies.empty());
  for (const auto& shown : shownAtCopies) EXPECT_TRUE(shown == withList);
  // The rebuild's one copy showed the whole new page: nothing changed after it.
  EXPECT_FALSE(afterFirstCopy == before);
  EXPECT_TRUE(afterFirstCopy == settled);
}

TEST(PageRebuild, ReadsTheSkinsPicturesAgainAndHoldsOneSkin) {
  PageWindow w(SkinFolder("Default"));
  ASSERT_TRUE(w.Ready());
  w.page->BuildPage();
  const std::size_t count = SkinImages().Count();
  const std::size_t bytes = SkinImages().Bytes();
  ASSERT_GT(count, 10u);
  w.page->OnPageHover({710, 14});  // one picture more: the skins button's over look
  ASSERT_EQ(SkinImages().Count(), count + 1);
  int decodes = SkinDecoder().Decodes();
  w.page->Rebuild();  // as after the skin chooser, even with the same skin
  EXPECT_EQ(SkinDecoder().Decodes() - decodes, static_cast<int>(count));
  EXPECT_EQ(SkinImages().Count(), count);
  EXPECT_EQ(SkinImages().Bytes(), bytes);

  // Another skin and back, repeatedly: never more than one skin held.
  for (int round = 0; round < 3; ++round) {
    for (const char* skin : {"Crimson", "Light", "Default"}) {
      w.skinFolder = SkinFolder(skin);
      w.page->Rebuild();
      EXPECT_EQ(SkinImages().Count(), count) << skin;
    }
    EXPECT_EQ(SkinImages().Bytes(), bytes);
  }
  // Drawn again and again, each picture is read once.
  decodes = SkinDecoder().Decodes();
  for (int i = 0; i < 3; ++i) {
    w.page->OnPageHover({710, 14});
    w.page->OnPageHover({700, 630});
    w.page->DispatchClick({560, 470 - 36 * (i % 2)});
  }
  EXPECT_EQ(SkinDecoder().Decodes(), decodes + 1);  // the skins button's over look, first shown now
}

}  // namespace
}  // namespace px

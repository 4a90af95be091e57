// The small dialogs' frame decisions and the skin chooser's folder rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/skin_flow.h"
#include "skin/dialog_frame.h"
#include "skin/skin_chooser.h"
#include "storage_fakes.h"

namespace px {
namespace {

using Step = FrameClickStep;

TEST(FrameClick, StepsRunInOrderAndTheLaterEndWins) {
  const DialogFrameSpec& hot = FrameSpec(DialogKind::HotKey);
  const DialogFrameSpec& single = FrameSpec(DialogKind::Single);
  const Rect swatch{42, 94, 151, 110};
  struct Case {
    const DialogFrameSpec* spec;
    int x, y;
    bool listExists;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {&hot, 200, 260, false, {Step::EndOk}},
      {&hot, 270, 253, false, {Step::EndOk, Step::EndCancel}},  // shared column: the owner sees Cancel
      {&hot, 270, 273, false, {Step::EndOk, Step::EndCancel}},
      {&hot, 270, 274, false, {}},
      {&hot, 374, 260, false, {Step::EndCancel}},
      {&hot, 352, 6, false, {Step::EndCancel}},                 // close
      {&hot, 200, 260, true, {Step::CloseList, Step::EndOk}},   // list closes first
      {&hot, 50, 150, true, {}},                                // inside the open list
      {&hot, 150, 130, true, {Step::ToggleList}},               // arrow part of the drop-down
      {&hot, 151, 130, true, {Step::CloseList}},
      {&hot, 10, 10, false, {}},                                // no drag, nothing
      {&single, 80, 130, false, {}},                            // no drop-down there
      {&FrameSpec(DialogKind::Skins), 60, 100, true, {Step::CloseList, Step::ExtraHit}},
  };
  for (const Case& c : cases) {
    const Rect extra = c.spec->kind == DialogKind::Skins ? swatch : Rect{};
    EXPECT_EQ(PlanFrameClick(*c.spec, c.x, c.y, c.listExists, extra), c.steps) << c.x << "," << c.y;
  }
  EXPECT_EQ(FrameButtonAt(270, 260), FrameButton::Ok);  // hover: OK first in the column
  EXPECT_EQ(FrameButtonAt(369, 23), FrameButton::Close);
  EXPECT_EQ(FrameButtonAt(370, 23), FrameButton::None);
}

// A skins root on disk: folders Blue and Red and a file, and later BLUE.
class SkinsRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() /
            ("px-skins-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "Blue");
    std::filesystem::create_directories(root_ / "Red");
    std::ofstream(root_ / "notes.txt") << "not a skin";
  }
  void TearDown() override { std::filesystem::remove_all(root_); }
  Text Root() const { return root_.u16string(); }
  std::filesystem::path root_;
};

TEST_F(SkinsRoot, ListsFoldersOnlyAndMatchesWithoutRegardToCase) {
  StdFolderSearch search;
  const FolderListing listing = search.Search(Root());
  EXPECT_EQ(SkinNames(listing), (std::vector<Text>{u"Blue", u"Red"}));
  EXPECT_EQ(SkinFolderOf(listing, u"bLUE"), listing.fullRoot + u"Blue");
  EXPECT_EQ(SkinFolderOf(listing, u"Green"), std::nullopt);
  EXPECT_EQ(SkinFolderOf(listing, u"notes.txt"), std::nullopt);
  // By name, whatever order the disk keeps them in.
  for (const char* name : {"Teal", "Olive", "Amber", "Mint", "Gold", "Jade"}) {
    std::filesystem::create_directories(root_ / name);
  }
  EXPECT_EQ(SkinNames(search.Search(Root())), (std::vector<Text>{u"Amber", u"Blue", u"Gold", u"Jade", u"Mint",
                                                                  u"Olive", u"Red", u"Teal"}));
  // A root that is gone lists nothing.
  EXPECT_TRUE(SkinNames(search.Search(Root() + u"/missing")).empty());
}

TEST(SkinChooser, FirstReportedFolderWinsAmongCaseTwinsAndOnlyAZFold) {
  const FolderListing listing{u"C:\\Tools\\Skins\\", {{u".", true}, {u"..", true}, {u"BLUE", true},
                                                      {u"Blue", true}, {u"blue.png", false}, {u"Ä", true}}};
  EXPECT_EQ(SkinNames(listing), (std::vector<Text>{u"BLUE", u"Blue", u"Ä"}));
  EXPECT_EQ(SkinFolderOf(listing, u"blue"), u"C:\\Tools\\Skins\\BLUE");
  EXPECT_EQ(SkinFolderOf(listing, u"ä"), std::nullopt);  // only A to Z fold
  EXPECT_FALSE(EqualsIgnoringAsciiCase(u"Blue", u"Blues"));
}

TEST(SkinChooser, RecommendedTextColourFile) {
  struct Case {
    std::string_view text;
    std::optional<UiTextColor> color;
  };
  const Case cases[] = {
      {"32, 36, 44\n", UiTextColor{32, 36, 44}}, {"255 255 255", UiTextColor{255, 255, 255}},
      {"0,0,0\r\n", UiTextColor{0, 0, 0}},       {"256, 0, 0", std::nullopt},
      {"1, 2", std::nullopt},                    {"1, 2, 3, 4", std::nullopt},
      {"", std::nullopt},                        {"a, b, c", std::nullopt},
      {"00001, 2, 3", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseSkinTextColor(c.text), c.color) << c.text;

  testing::MemoryFileSystem files;
  const std::string light = "32, 36, 44\n";
  files.files[u"C:\\S/Light/text-color.txt"] = FileBytes(light.begin(), light.end());
  EXPECT_EQ(RecommendedTextColor(files, u"C:\\S/Light"), (UiTextColor{32, 36, 44}));
  EXPECT_EQ(RecommendedTextColor(files, u"C:\\S/Plain"), std::nullopt);  // a skin without one
}

TEST(SkinFlow, ChoiceTakesEffectAndTheFourKeysAreWrittenInOrder) {
  AppState state;
  state.SkinName = u"Default";
  state.SkinFolder = u"C:\\Tools\\/Skins/Default";
  testing::MemoryProfileStore store;
  const SkinChoice choice{u"Light", u"C:\\Tools\\Skins\\Light", UiTextColor{32, 36, 44}};
  EXPECT_TRUE(ApplySkinChoice(state, store, choice));
  EXPECT_EQ(state.SkinName, u"Light");
  EXPECT_EQ(state.SkinFolder, u"C:\\Tools\\Skins\\Light");
  EXPECT_EQ(state.TextColor, (UiTextColor{32, 36, 44}));
  EXPECT_EQ(store.writes, (std::vector<std::string>{"Skins/RColor=32", "Skins/GColor=36", "Skins/BColor=44",
                                                    "Skins/Path=Light"}));
  store.failWrites = true;
  EXPECT_FALSE(ApplySkinChoice(state, store, choice));  // a file that cannot be written is not a success
}

}  // namespace
}  // namespace px

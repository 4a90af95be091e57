// The page's button rows: their lists with the left-click guard, the DPI
// sub-list under the pointer, choices through the scripted dialogs, the row
// redraws and the Default button. The assignment rules themselves are tested
// on the model in assignment_test.cpp.
#include <gtest/gtest.h>

#include "model/button_catalogue.h"
#include "page_fixture.h"
#include "storage/installed_files.h"

namespace px {
namespace {

namespace fi = function_index;
using Lines = std::vector<std::string>;

std::size_t Index(int button, int mode) { return static_cast<std::size_t>(ButtonIndex(button, mode)); }

constexpr Point kModeB{410, 528};
constexpr Point kDefault{350, 555};

class PageRows : public ::testing::Test {
 protected:
  PageRows() {
    for (int mode : {0, 1}) {
      for (int button = 1; button <= kButtonsPerMode; ++button) {
        model().ButtonFunction[Index(button, mode)] = kFactoryButtonFunctions[static_cast<std::size_t>(button - 1)];
      }
    }
    model().ButtonMode = 0;
    f.session.labels = DefaultButtonLabels(Language::English);
    f.view.log.clear();
  }
  SettingsModel& model() { return f.session.model; }
  LabelSet& labels() { return f.session.labels; }
  void ClickRow(int row) { f.page.DispatchClick({300, 205 + 23 * (row - 1)}); }
  // The list notifies a choice of `entry`; a dialog it opens answers `answer`.
  void Choose(int row, int entry, std::optional<DialogChoice> answer = std::nullopt) {
    f.dialogs.answers = {answer};
    f.view.selection = entry;
    f.page.OnListChosen(40 + row);
  }

  PageFixture f;
};

TEST_F(PageRows, TheGuardKeepsTheModesOnlyLeftClickAndOneListIsOpen) {
  ClickRow(1);
  EXPECT_EQ(f.view.Actions(), (Lines{"box Warning: Left key must be selected!"}));
  EXPECT_FALSE(f.page.ListOpen(41));
  for (int row : {2, 3, 4}) {
    ClickRow(row);
    EXPECT_TRUE(f.page.ListOpen(40 + row)) << row;
  }
  EXPECT_EQ(f.view.lists, (std::set<int>{44}));

  // Left Click on row 2 as well: row 1 opens now, and so does row 2.
  ClickRow(2);
  Choose(2, fi::kLeftClick);
  EXPECT_EQ(labels()[Index(2, 0)], u"Left Click");
  EXPECT_TRUE(f.view.Drew("text Left Click 272,222"));
  EXPECT_TRUE(f.view.lists.empty());
  EXPECT_FALSE(f.page.ListOpen(42));
  ClickRow(3);
  ClickRow(1);  // closes row 3's list and opens row 1's
  EXPECT_EQ(f.view.lists, (std::set<int>{41}));
  EXPECT_TRUE(f.page.ListOpen(41));
  EXPECT_FALSE(f.page.ListOpen(43));
  ClickRow(1);  // a second click on the row closes it
  EXPECT_TRUE(f.view.lists.empty());
  ClickRow(2);
  EXPECT_TRUE(f.page.ListOpen(42));

  // Mode B looks at Mode B only, where row 1 is still the only left click.
  f.page.DispatchClick(kModeB);
  EXPECT_FALSE(f.page.ListOpen(42));
  f.view.log.clear();
  ClickRow(1);
  EXPECT_EQ(f.view.Actions(), (Lines{"box Warning: Left key must be selected!"}));
}

TEST_F(PageRows, TheDpiSubListFollowsThePointer) {
  ClickRow(2);
  f.page.OnPointerOverList(42, 4);
  EXPECT_FALSE(f.view.lists.contains(40));
  f.page.OnPointerOverList(42, fi::kDpiSwitch);
  ASSERT_TRUE(f.view.lists.contains(40));
  // Beside entry 5: the list's corner moved by the entry's right and top edges.
  EXPECT_EQ(f.view.listRects.at(40), (Rect{252 + 209, 244 + 80, 252 + 209 + 60, 244 + 80 + 60}));
  EXPECT_TRUE(f.view.Drew("list 40 to 384: DPI + DPI - DPI Loop"));
  f.page.OnPointerOverList(42, fi::kDpiSwitch);
  f.page.OnPointerOverList(40, 2);  // into the sub-list: it stays
  EXPECT_EQ(std::count_if(f.view.log.begin(), f.view.log.end(), [](const auto& l) { return l.starts_with("list 40"); }), 1);
  EXPECT_TRUE(f.view.lists.contains(40));
  f.page.OnPointerOverList(42, 6);
  EXPECT_FALSE(f.view.lists.contains(40));

  // "DPI Switch" itself, or no entry, chooses nothing: the list stays open.
  const SettingsModel before = model();
  const LabelSet labelsBefore = labels();
  Choose(2, fi::kDpiSwitch);
  f.view.selection.reset();
  f.page.OnListChosen(42);
  EXPECT_TRUE(f.page.ListOpen(42));
  EXPECT_EQ(model(), before);
  EXPECT_EQ(labels(), labelsBefore);
  EXPECT_TRUE(f.dialogs.asked.empty());

  // A click on the row closes the list and the sub-list with it.
  f.page.OnPointerOverList(42, fi::kDpiSwitch);
  ClickRow(2);
  EXPECT_TRUE(f.view.lists.empty());
  EXPECT_FALSE(f.page.ListOpen(42));
}

// Both windows report every move over an entry; the page alone decides.
TEST_F(PageRows, AMoveSelectsAnEntryOnlyWhileThePageIsBuilt) {
  ClickRow(2);
  f.page.OnPointerOverList(42, 3);
  EXPECT_EQ(f.view.selection, 3);
  for (int state : {kPageNotBuilt, kPageRebuilding}) {
    f.pageState = state;
    f.view.selection.reset();
    f.page.OnPointerOverList(42, fi::kDpiSwitch);
    EXPECT_FALSE(f.view.selection) << state;
    EXPECT_FALSE(f.view.lists.contains(40)) << state;
  }
}

TEST_F(PageRows, AShiftButtonTakesTheSubListsChoiceInBothModes) {
  ClickRow(3);
  Choose(3, fi::kShift);
  EXPECT_EQ(labels()[Index(3, 1)], u"Shift");

  // Shift is taken: the list closes, nothing changes, the row shows its label.
  const SettingsModel before = model();
  ClickRow(4);
  f.view.log.clear();
  Choose(4, fi::kShift);
  EXPECT_EQ(model(), before);
  EXPECT_FALSE(f.page.ListOpen(44));
  EXPECT_EQ(f.view.log, (Lines{"destroy 44", "begin", "image /DropdownBox-normal.png 252,268", "text 4 252,268",
                               "text DPI Loop 272,268", "copy"}));

  ClickRow(3);
  f.page.OnPointerOverList(43, fi::kDpiSwitch);
  f.view.selection = 1;  // "DPI -"
  f.page.OnListChosen(40);
  for (int mode : {0, 1}) {
    EXPECT_EQ(model().ButtonFunction[Index(3, mode)], fi::kDpiSwitch) << mode;
    EXPECT_EQ(model().DpiSwitchCode[Index(3, mode)], 4) << mode;
    EXPECT_EQ(labels()[Index(3, mode)], u"DPI -") << mode;
  }
  EXPECT_TRUE(f.view.Drew("text DPI - 272,245"));
  EXPECT_TRUE(f.view.lists.empty());
  EXPECT_FALSE(f.page.ListOpen(43));
  f.view.log.clear();
  f.page.DispatchClick(kModeB);
  EXPECT_TRUE(f.view.Drew("text DPI - 272,245"));
}

TEST_F(PageRows, ParameterDialogsAnswerThroughThePort) {
  const SettingsModel before = model();
  const LabelSet labelsBefore = labels();
  ClickRow(4);
  f.view.log.clear();
  Choose(4, fi::kMultimedia, std::nullopt);  // the media key dialog is cancelled
  EXPECT_EQ(f.dialogs.asked, (std::vector<std::uint8_t>{fi::kMultimedia}));
  EXPECT_EQ(model(), before);
  EXPECT_EQ(labels(), labelsBefore);
  EXPECT_FALSE(f.page.ListOpen(44));
  EXPECT_EQ(f.view.log, (Lines{"destroy 44", "begin", "image /DropdownBox-normal.png 252,268", "text 4 252,268",
                               "text DPI Loop 272,268", "copy"}));

  f.page.DispatchClick(kModeB);
  ClickRow(4);
  Choose(4, fi::kHotKey, DialogChoice{.position = 7, .text = u"Undo"});
  EXPECT_EQ(labels()[Index(4, 1)], u"Undo");
  EXPECT_EQ(EncodeButtonEntry(model(), ButtonIndex(4, 1)), (ButtonEntry{0x17, 0x02}));
  EXPECT_EQ(EncodeButtonEntry(model(), ButtonIndex(4, 0)), (ButtonEntry{0x05, 0x03}));
  EXPECT_TRUE(f.view.Drew("text Undo 272,268"));
}

TEST_F(PageRows, ListsAndNewLabelsSpeakTheLanguageInForce) {
  f.session.language = Language::TraditionalChinese;
  ClickRow(2);
  EXPECT_TRUE(f.view.Drew(
      "list 42 to 474: 左鍵 右鍵 中鍵 前進方向鍵 後退方向鍵 DPI切換 Windows 多媒體 快速鍵 火力鍵 單鍵 狙擊 按鍵關閉 Shift"));
  Choose(2, fi::kMultimedia, DialogChoice{.position = 0, .text = u"下一首"});
  EXPECT_EQ(labels()[Index(2, 0)], u"多媒體-下一首");
  EXPECT_EQ(labels()[Index(3, 0)], u"Mid Click");  // stored labels keep their language
}

TEST_F(PageRows, DefaultInModeBRedrawsTheRestoredRowsAndKeepsModeB) {
  f.page.DispatchClick(kModeB);
  ClickRow(2);
  Choose(2, fi::kKeyOff);
  ClickRow(3);
  Choose(3, fi::kShift);
  f.view.log.clear();
  f.page.DispatchClick(kDefault);
  EXPECT_EQ(model().ButtonMode, 1);
  EXPECT_EQ(labels(), DefaultButtonLabels(Language::English));
  EXPECT_EQ(model().ButtonFunction[Index(2, 1)], fi::kRightClick);
  EXPECT_EQ(model().ButtonFunction[Index(3, 0)], fi::kMidClick);
  EXPECT_TRUE(f.view.Actions().empty());
  EXPECT_TRUE(f.view.Drew("text Right Click 272,222"));
  EXPECT_TRUE(f.view.Drew("text Mid Click 272,245"));
  EXPECT_FALSE(f.view.Drew("image /button-over.png 253,518"));  // Mode A stays unselected
}

}  // namespace
}  // namespace px

// The assignment rules on the model and the labels: the left-click guard,
// the commit of a list, sub-list or dialog choice, Shift across the modes,
// and the Default button.
#include <gtest/gtest.h>

#include <vector>

#include "buttons/assignment.h"
#include "model/button_catalogue.h"
#include "scripted_dialogs.h"
#include "storage/installed_files.h"

namespace px {
namespace {

namespace fi = function_index;

std::size_t At(int button, int mode) { return static_cast<std::size_t>(ButtonIndex(button, mode)); }

class Assignment : public testing::Test {
 protected:
  Assignment() : model(InstalledFirstModel()), labels(DefaultButtonLabels(Language::English)) {}
  AssignmentTarget Target(std::uint8_t variant = 0) { return {model, labels, Language::English, variant}; }
  CommitOutcome Choose(int mode, int row, int entry, std::optional<DialogChoice> answer = std::nullopt) {
    model.ButtonMode = static_cast<std::uint8_t>(mode);
    dialogs.answers = {answer};
    return CommitButtonChoice(Target(), row, entry, dialogs);
  }
  void GiveShift(int row) { ASSERT_EQ(Choose(0, row, fi::kShift), CommitOutcome::Committed); }

  SettingsModel model;
  LabelSet labels;
  ScriptedDialogs dialogs;
};

TEST_F(Assignment, LeftClickGuardCountsTheShownModesEightButtons) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::size_t, std::uint8_t>> functions;  // index, function
    std::uint8_t mode;
    std::array<bool, 4> refused;  // rows 1..4
  };
  const Case cases[] = {
      {"factory assignment", {}, 0, {true, false, false, false}},
      {"left click on row 2 too", {{At(2, 0), fi::kLeftClick}}, 0, {false, false, false, false}},
      {"a hidden button holds left click", {{At(6, 0), fi::kLeftClick}}, 0, {false, false, false, false}},
      {"Mode B looks at Mode B only", {{At(3, 0), fi::kLeftClick}}, 1, {true, false, false, false}},
      {"Mode B's second left click", {{At(3, 1), fi::kLeftClick}}, 1, {false, false, false, false}},
      {"Mode A ignores Mode B's", {{At(3, 1), fi::kLeftClick}}, 0, {true, false, false, false}},
      {"no guard for another ButtonMode", {}, 2, {false, false, false, false}},
  };
  for (const Case& c : cases) {
    SettingsModel m = InstalledFirstModel();
    for (auto [i, f] : c.functions) m.ButtonFunction[i] = f;
    m.ButtonMode = c.mode;
    for (int row = 1; row <= 4; ++row) {
      EXPECT_EQ(LeftClickGuardRefuses(m, row), c.refused[static_cast<std::size_t>(row - 1)]) << c.what << ", row " << row;
    }
  }
}

TEST_F(Assignment, DialogChoicesAreStoredAtTheShownModesIndexWithTheirLabels) {
  using PerButton = ButtonArray SettingsModel::*;
  using Shared = std::uint8_t SettingsModel::*;
  struct Case {
    int entry;
    DialogChoice choice;
    std::uint8_t variant;
    Text label;
    std::vector<std::pair<PerButton, std::uint8_t>> stored;  // at the shown mode's index
    std::vector<std::pair<Shared, std::uint8_t>> shared;
  };
  const auto m = [](std::uint8_t pos, const char16_t* text) { return DialogChoice{.position = pos, .text = text}; };
  // Every number of a choice distinct, so that no two can change places unseen.
  const Case cases[] = {
      {fi::kWindows, m(8, u"Browser-Refresh"), 0, u"Browser-Refresh", {{&SettingsModel::WindowsIndex, 8}}, {}},
      {fi::kMultimedia, m(6, u"Vol-"), 0, u"Multimedia-Vol-", {{&SettingsModel::MediaIndex, 6}}, {}},
      {fi::kHotKey, m(7, u"Undo"), 0, u"Undo", {{&SettingsModel::HotKeyIndex, 7}}, {}},
      {fi::kFireKey, {.position = 51, .text = u"F5", .times = 3, .makeTime = 5, .breakTime = 255}, 0, u"Fire Key-F5",
       {{&SettingsModel::FireKeyListIndex, 51}, {&SettingsModel::FireTimes, 3}},
       {{&SettingsModel::FireMakeTime, 5}, {&SettingsModel::FireBreakTime, 255}}},
      {fi::kSingleKey, m(0, u"Num 0"), 0, u"Single Key-Num 0", {}, {}},
      {fi::kSingleKey, m(0, u"Return"), 0, u"Single Key-Return", {}, {}},  // a name the table lacks
      {fi::kSnipeKey, m(7, u"3200"), 1, u"Snipe Key-3200", {{&SettingsModel::SnipeIndex, 7}},
       {{&SettingsModel::SnipeDpiCode, 0x25}}},
  };
  for (const Case& c : cases) {
    model = InstalledFirstModel();
    labels = DefaultButtonLabels(Language::English);
    model.ButtonMode = 1;
    dialogs.answers = {c.choice};
    const SettingsModel before = model;
    ASSERT_EQ(CommitButtonChoice(Target(c.variant), 2, c.entry, dialogs), CommitOutcome::Committed) << c.entry;
    EXPECT_EQ(model.ButtonFunction[At(2, 1)], c.entry);
    EXPECT_EQ(labels[At(2, 1)], c.label);
    EXPECT_EQ(labels[At(2, 0)], u"Right Click") << "the other mode's label stays";
    EXPECT_EQ(EncodeButtonEntry(model, ButtonIndex(2, 0)), EncodeButtonEntry(before, ButtonIndex(2, 0)));
    for (const auto& [field, value] : c.stored) EXPECT_EQ((model.*field)[At(2, 1)], value) << c.entry;
    for (const auto& [field, value] : c.shared) EXPECT_EQ(model.*field, value) << c.entry;
  }
  // What the last cases stored, by the encoding the mouse receives.
  model = InstalledFirstModel();
  model.ButtonMode = 1;
  dialogs.answers = {DialogChoice{.position = 51, .text = u"F5", .times = 3, .makeTime = 5, .breakTime = 255}};
  CommitButtonChoice(Target(), 2, fi::kFireKey, dialogs);
  EXPECT_EQ(EncodeButtonEntry(model, ButtonIndex(2, 1)), (ButtonEntry{0x3E, 0x83}));
  EXPECT_EQ(model.FireKeyListIndex[At(2, 1)], 51);
  EXPECT_EQ(model.FireMakeTime, 5);
}

TEST_F(Assignment, TheListStaysOpenForNoEntryAndForDpiSwitchItself) {
  const SettingsModel before = model;
  const LabelSet labelsBefore = labels;
  for (int entry : {-1, int{fi::kDpiSwitch}, 14}) {
    EXPECT_EQ(Choose(0, 2, entry), CommitOutcome::ListStaysOpen) << entry;
  }
  EXPECT_TRUE(dialogs.asked.empty());
  model.ButtonMode = before.ButtonMode;
  EXPECT_EQ(model, before);
  EXPECT_EQ(labels, labelsBefore);
}

TEST_F(Assignment, ACancelledDialogChangesNothing) {
  for (int entry = fi::kWindows; entry <= fi::kSnipeKey; ++entry) {
    const SettingsModel before = model;
    const LabelSet labelsBefore = labels;
    EXPECT_EQ(Choose(0, 3, entry, std::nullopt), CommitOutcome::Cancelled) << entry;
    EXPECT_EQ(model, before) << entry;
    EXPECT_EQ(labels, labelsBefore) << entry;
  }
  EXPECT_EQ(dialogs.asked.size(), 6u);
}

TEST_F(Assignment, TwoFireKeyButtonsShareTheLaterTimes) {
  Choose(0, 1, fi::kFireKey, DialogChoice{.position = 0, .text = u"L-Button", .times = 2, .makeTime = 10, .breakTime = 20});
  Choose(0, 2, fi::kFireKey, DialogChoice{.position = 5, .text = u"A", .times = 9, .makeTime = 50, .breakTime = 60});
  EXPECT_EQ(model.FireMakeTime, 50);
  EXPECT_EQ(model.FireBreakTime, 60);
  EXPECT_EQ(model.FireTimes[At(1, 0)], 2);  // the repeat count stays each button's own
  EXPECT_EQ(EncodeButtonEntry(model, ButtonIndex(1, 0)), (ButtonEntry{0xF0, 0x82}));
  EXPECT_EQ(EncodeButtonEntry(model, ButtonIndex(2, 0)), (ButtonEntry{0x04, 0x89}));
}

TEST_F(Assignment, ShiftIsKeptOnTheSameButtonInBothModes) {
  // Button 3 holds Shift; in Mode B it is given Mid Click: Mode A follows.
  GiveShift(3);
  EXPECT_EQ(model.ButtonFunction[At(3, 1)], fi::kShift);
  EXPECT_EQ(labels[At(3, 1)], u"Shift");
  EXPECT_EQ(Choose(1, 3, fi::kMidClick), CommitOutcome::Committed);
  EXPECT_EQ(model.ButtonFunction[At(3, 0)], fi::kMidClick);
  EXPECT_EQ(labels[At(3, 0)], u"Mid Click");
  EXPECT_EQ(labels[At(3, 1)], u"Mid Click");

  // Given "DPI -" through the sub-list in Mode A: both modes, code included.
  GiveShift(3);
  model.ButtonMode = 0;
  ASSERT_TRUE(CommitDpiChoice(Target(), 3, 1));
  for (int mode : {0, 1}) {
    EXPECT_EQ(model.ButtonFunction[At(3, mode)], fi::kDpiSwitch);
    EXPECT_EQ(model.DpiSwitchCode[At(3, mode)], 4);
    EXPECT_EQ(labels[At(3, mode)], u"DPI -");
  }

  // A dialog's parameter follows the function into the other mode.
  GiveShift(3);
  EXPECT_EQ(Choose(1, 3, fi::kMultimedia, DialogChoice{.position = 3, .text = u"Play/Pause"}), CommitOutcome::Committed);
  EXPECT_EQ(EncodeButtonEntry(model, ButtonIndex(3, 0)), EncodeButtonEntry(model, ButtonIndex(3, 1)));
  EXPECT_EQ(labels[At(3, 0)], u"Multimedia-Play/Pause");

  // A button without Shift changes in the shown mode only.
  EXPECT_EQ(Choose(1, 3, fi::kKeyOff), CommitOutcome::Committed);
  EXPECT_EQ(model.ButtonFunction[At(3, 0)], fi::kMultimedia);
}

// A button without Shift takes the sub-list's choice in the shown mode only:
// the other mode's function, DPI Switch code and label stay as they were.
TEST_F(Assignment, ADpiChoiceWithoutShiftChangesTheShownModeOnly) {
  struct Case {
    int mode, row, entry;
    std::uint8_t code;
  };
  const Case cases[] = {
      {0, 4, 0, 3}, {1, 4, 1, 4}, {0, 2, 2, 5}, {1, 2, 0, 3},
  };
  for (const Case& c : cases) {
    model = InstalledFirstModel();  // button 4: DPI Loop (5) in both modes; button 2: code 0
    labels = DefaultButtonLabels(Language::English);
    model.ButtonMode = static_cast<std::uint8_t>(c.mode);
    SettingsModel expected = model;
    LabelSet expectedLabels = labels;
    const std::size_t i = At(c.row, c.mode);
    expected.ButtonFunction[i] = fi::kDpiSwitch;
    expected.DpiSwitchCode[i] = c.code;
    expectedLabels[i] = Text(DpiSwitchList[static_cast<std::size_t>(c.entry)].text);
    ASSERT_TRUE(CommitDpiChoice(Target(), c.row, c.entry));
    EXPECT_EQ(model, expected) << "mode " << c.mode << ", row " << c.row;
    EXPECT_EQ(labels, expectedLabels) << "mode " << c.mode << ", row " << c.row;
  }
}

TEST_F(Assignment, OnlyOneShiftPerMode) {
  GiveShift(3);
  const SettingsModel before = model;
  const LabelSet labelsBefore = labels;
  EXPECT_EQ(Choose(0, 4, fi::kShift), CommitOutcome::ShiftTaken);
  EXPECT_EQ(Choose(1, 3, fi::kShift), CommitOutcome::ShiftTaken);  // the same button again
  model.ButtonMode = before.ButtonMode;
  EXPECT_EQ(model, before);
  EXPECT_EQ(labels, labelsBefore);
  // Once button 3 has another function, button 4 may take Shift, in both modes.
  EXPECT_EQ(Choose(0, 3, fi::kRightClick), CommitOutcome::Committed);
  EXPECT_EQ(Choose(0, 4, fi::kShift), CommitOutcome::Committed);
  EXPECT_EQ(model.ButtonFunction[At(4, 1)], fi::kShift);
  EXPECT_EQ(labels[At(4, 1)], u"Shift");
}

TEST_F(Assignment, ShiftOverwritesTheOtherModesOnlyLeftClick) {
  EXPECT_EQ(Choose(0, 2, fi::kLeftClick), CommitOutcome::Committed);
  EXPECT_FALSE(LeftClickGuardRefuses(model, 1));
  EXPECT_EQ(Choose(0, 1, fi::kShift), CommitOutcome::Committed);
  EXPECT_EQ(model.ButtonFunction[At(1, 1)], fi::kShift);
  EXPECT_FALSE(ModeHasLeftClick(model, 1));
  EXPECT_TRUE(ModeHasLeftClick(model, 0));
}

TEST_F(Assignment, DefaultInModeBRestoresBothModesAndKeepsModeB) {
  Choose(1, 2, fi::kHotKey, DialogChoice{.position = 1, .text = u"Cut"});
  GiveShift(3);
  model.ButtonFunction[At(7, 1)] = fi::kLeftClick;
  model.ButtonMode = 1;
  model.ReportRateCode = 8;
  model.DpiSwitchCode[At(4, 0)] = 3;
  SettingsModel expected = model;
  expected.ButtonFunction = InstalledFirstModel().ButtonFunction;
  expected.DpiSwitchCode[At(4, 0)] = 5;
  expected.DpiSwitchCode[At(4, 1)] = 5;

  RestoreDefaultButtons({model, labels, Language::SimplifiedChinese, 0});
  EXPECT_EQ(model, expected);  // HotKeyIndex and everything else as they were
  EXPECT_EQ(model.ButtonMode, 1);
  EXPECT_EQ(labels, DefaultButtonLabels(Language::SimplifiedChinese));
  EXPECT_EQ(labels[At(1, 1)], u"左键");
  EXPECT_EQ(labels[At(4, 1)], u"DPI Loop");
}

}  // namespace
}  // namespace px

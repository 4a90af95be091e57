#pragma once
// Giving a button a function: the left-click guard before a row's list
// opens, the commit of a choice from the list, the DPI sub-list or a
// parameter dialog, and the factory assignment of the Default button. Pure
// edits of the model and the labels; the page and px6410ctl both drive them,
// so a file edited from the command line is one the utility would have made.
#include <cstdint>
#include <optional>

#include "common/text.h"
#include "model/interface_texts.h"
#include "model/label_set.h"
#include "model/settings_model.h"

namespace px {

// What an edit works on: the shown mode is the model's ButtonMode, the
// language is the one new labels are built in, the variant turns a snipe
// choice into the shared snipe DPI code.
struct AssignmentTarget {
  SettingsModel& model;
  LabelSet& labels;
  Language language = Language::English;
  std::uint8_t dpiTableVariant = 0;
};

// True when row `row` (1..4) of the shown mode is that mode's only Left
// Click among its eight buttons: its list must stay closed and the warning
// "Left key must be selected!" is due. A ButtonMode other than 0 or 1 has no
// guard.
bool LeftClickGuardRefuses(const SettingsModel& model, int row);

// Whether any of the mode's eight buttons holds Left Click.
bool ModeHasLeftClick(const SettingsModel& model, int mode);

// The button (1..8) of the mode that holds Shift, if any.
std::optional<int> ShiftButton(const SettingsModel& model, int mode);

// What a parameter dialog answered on OK. `position` is the list position
// chosen (Windows function, media key, hot key, fire key, snipe DPI) and
// `text` its text as the dialog showed it; the single key dialog answers only
// `text`, the captured key name. The fire key dialog adds its three numbers.
struct DialogChoice {
  std::uint8_t position = 0;
  Text text;
  std::uint8_t times = 1;
  std::uint8_t makeTime = 32;
  std::uint8_t breakTime = 32;
};

// Runs the parameter dialog of a function (6..11) modally and answers its
// choice, or nothing when the user did not confirm.
class ParameterDialogPort {
 public:
  virtual ~ParameterDialogPort() = default;
  virtual std::optional<DialogChoice> Run(std::uint8_t function) = 0;
};

// Whether choosing the function opens a parameter dialog.
constexpr bool FunctionHasDialog(int function) { return function >= 6 && function <= 11; }

enum class CommitOutcome {
  ListStaysOpen,  // no entry, or "DPI Switch" itself: the list keeps its open flag
  ShiftTaken,     // Shift chosen while the mode already has it: list closes, nothing changed
  Cancelled,      // the parameter dialog was not confirmed: list closes, nothing changed
  Committed,      // the model and the labels hold the new choice; the list closes
};

// The choice of list entry `entry` (−1 for none, 0..13) for button `row` of
// the shown mode. Shift is kept on the same button in both modes: choosing it
// sets both modes, and a button that held it takes its new function, label
// and parameter in both modes. The parameter goes to the other mode too so
// that the button does in both modes what both labels say. The dialog runs
// only for functions 6..11, after the checks that leave the list open.
CommitOutcome CommitButtonChoice(const AssignmentTarget& target, int row, int entry, ParameterDialogPort& dialogs);

// The choice of DPI sub-list entry `entry` (0 "DPI +", 1 "DPI -", 2 "DPI
// Loop") for button `row` of the shown mode: function 5 with that code, by
// the same commit. False, changing nothing, for any other entry.
bool CommitDpiChoice(const AssignmentTarget& target, int row, int entry);

// The factory functions of both modes (left, right, middle click, DPI Loop,
// then key off for buttons 5..8) and their labels in the target's language.
// Nothing else changes; ButtonMode in particular is kept.
void RestoreDefaultButtons(const AssignmentTarget& target);

}  // namespace px

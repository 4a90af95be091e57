#include "buttons/assignment.h"

#include <cstddef>

#include "model/button_catalogue.h"
#include "model/dpi_table.h"
#include "model/key_tables.h"
#include "storage/installed_files.h"

namespace px {

namespace {

namespace fi = function_index;

std::size_t At(int button, int mode) { return static_cast<std::size_t>(ButtonIndex(button, mode)); }

int ShownMode(const SettingsModel& model) { return model.ButtonMode == 1 ? 1 : 0; }

// The per-button part of a dialog's answer, stored at one index. The shared
// fire times and snipe code are set once by the caller.
void StoreParameter(SettingsModel& m, std::size_t i, std::uint8_t function, const DialogChoice& c) {
  switch (function) {
    case fi::kWindows: m.WindowsIndex[i] = c.position; break;
    case fi::kMultimedia: m.MediaIndex[i] = c.position; break;
    case fi::kHotKey: m.HotKeyIndex[i] = c.position; break;
    case fi::kFireKey:
      m.FireKeyListIndex[i] = c.position;
      m.FireKeyUsage[i] = FireKeyCode(c.position);
      m.FireTimes[i] = c.times;
      break;
    case fi::kSingleKey: m.SingleKeyUsage[i] = KeyCodeFromName(c.text); break;
    case fi::kSnipeKey: m.SnipeIndex[i] = c.position; break;
    default: break;
  }
}

void StoreSharedParameter(SettingsModel& m, std::uint8_t function, const DialogChoice& c, std::uint8_t variant) {
  if (function == fi::kFireKey) {
    m.FireMakeTime = c.makeTime;
    m.FireBreakTime = c.breakTime;
  } else if (function == fi::kSnipeKey) {
    m.SnipeDpiCode = DpiCode(c.position, true, variant);
  }
}

// The last step of every choice: a button that held Shift changes in both
// modes; the shown mode's label always takes the new one.
void Commit(const AssignmentTarget& t, int row, std::uint8_t function, const Text& label,
            const auto& storeParameter) {
  const int m = ShownMode(t.model);
  const std::size_t i = At(row, m);
  const std::size_t o = At(row, 1 - m);
  storeParameter(i);
  if (t.model.ButtonFunction[i] == fi::kShift) {
    t.model.ButtonFunction[o] = function;
    SetLabel(t.labels, o, label);
    storeParameter(o);
  }
  t.model.ButtonFunction[i] = function;
  SetLabel(t.labels, i, label);
}

}  // namespace

bool ModeHasLeftClick(const SettingsModel& model, int mode) {
  for (int button = 1; button <= kButtonsPerMode; ++button) {
    if (model.ButtonFunction[At(button, mode)] == fi::kLeftClick) return true;
  }
  return false;
}

std::optional<int> ShiftButton(const SettingsModel& model, int mode) {
  for (int button = 1; button <= kButtonsPerMode; ++button) {
    if (model.ButtonFunction[At(button, mode)] == fi::kShift) return button;
  }
  return std::nullopt;
}

bool LeftClickGuardRefuses(const SettingsModel& model, int row) {
  if (model.ButtonMode > 1) return false;
  const int mode = model.ButtonMode;
  if (model.ButtonFunction[At(row, mode)] != fi::kLeftClick) return false;
  for (int button = 1; button <= kButtonsPerMode; ++button) {
    if (button != row && model.ButtonFunction[At(button, mode)] == fi::kLeftClick) return false;
  }
  return true;
}

CommitOutcome CommitButtonChoice(const AssignmentTarget& t, int row, int entry, ParameterDialogPort& dialogs) {
  if (entry < 0 || entry >= static_cast<int>(kFunctionCount) || entry == fi::kDpiSwitch) {
    return CommitOutcome::ListStaysOpen;
  }
  const auto function = static_cast<std::uint8_t>(entry);
  const int m = ShownMode(t.model);
  const TextView functionText = FunctionText(function, t.language);

  if (function == fi::kShift) {
    if (ShiftButton(t.model, m)) return CommitOutcome::ShiftTaken;
    for (int mode : {0, 1}) {
      t.model.ButtonFunction[At(row, mode)] = fi::kShift;
      SetLabel(t.labels, At(row, mode), functionText);
    }
    return CommitOutcome::Committed;
  }

  if (!FunctionHasDialog(function)) {
    Commit(t, row, function, Text(functionText), [](std::size_t) {});
    return CommitOutcome::Committed;
  }

  const std::optional<DialogChoice> choice = dialogs.Run(function);
  if (!choice) return CommitOutcome::Cancelled;
  StoreSharedParameter(t.model, function, *choice, t.dpiTableVariant);
  Commit(t, row, function, AssignmentLabel(function, functionText, choice->text),
         [&](std::size_t i) { StoreParameter(t.model, i, function, *choice); });
  return CommitOutcome::Committed;
}

bool CommitDpiChoice(const AssignmentTarget& t, int row, int entry) {
  if (entry < 0 || entry >= static_cast<int>(DpiSwitchList.size())) return false;
  const DpiSwitchItem& item = DpiSwitchList[static_cast<std::size_t>(entry)];
  Commit(t, row, fi::kDpiSwitch, Text(item.text), [&](std::size_t i) { t.model.DpiSwitchCode[i] = item.code; });
  return true;
}

void RestoreDefaultButtons(const AssignmentTarget& t) {
  for (int mode : {0, 1}) {
    for (int button = 1; button <= kButtonsPerMode; ++button) {
      t.model.ButtonFunction[At(button, mode)] = kFactoryButtonFunctions[static_cast<std::size_t>(button - 1)];
    }
    t.model.DpiSwitchCode[At(4, mode)] = kFactoryDpiSwitchCode;
  }
  t.labels = DefaultButtonLabels(t.language);
}

}  // namespace px

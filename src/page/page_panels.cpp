// SettingsPage: the key setting panel, the report-rate bar and the DPI stages.
#include "page/settings_page.h"

#include "page/page_looks.h"
#include "page/settings_edits.h"

namespace px {

using namespace page_detail;

// Key setting panel

void SettingsPage::SelectButtonMode(int mode) {
  px::SelectButtonMode(session_.model, mode);
  view_.BeginDrawing();
  DrawModeButtons();
  for (int row = 1; row <= kShownButtons; ++row) DrawRow(row, false);
  view_.CopyToScreen();
}

void SettingsPage::ToggleButtonList(int row) {
  const int list = id::ButtonList(row);
  if (OpenFlag(list)) {
    CloseList(list);
    return;
  }
  bool destroyedOne = false;
  for (int other = 1; other <= kShownButtons; ++other) {
    if (other == row) continue;
    OpenFlag(id::ButtonList(other)) = false;
    if (!destroyedOne && view_.ListExists(id::ButtonList(other))) {
      view_.DestroyControl(id::ButtonList(other));
      destroyedOne = true;
    }
  }
  // The only button of the mode that still clicks left may not be changed.
  const SettingsModel& model = session_.model;
  if (model.ButtonMode == 0 || model.ButtonMode == 1) {
    const int mode = model.ButtonMode;
    int leftClicks = 0;
    for (int button = 1; button <= kButtonsPerMode; ++button) {
      if (model.ButtonFunction[static_cast<std::size_t>(ButtonIndex(button, mode))] == kLeftClick) ++leftClicks;
    }
    if (model.ButtonFunction[static_cast<std::size_t>(ButtonIndex(row, mode))] == kLeftClick && leftClicks == 1) {
      view_.ShowMessage(Texts().LeftKeyMustBeSelected, kWarningCaption);
      return;
    }
  }
  if (!view_.ListExists(list)) {
    view_.CreateList(list, layout::kButtonLists[static_cast<std::size_t>(row - 1)], Texts().ButtonFunctions);
  }
  OpenFlag(list) = true;
}

void SettingsPage::RestoreDefaultButtons() {
  SettingsModel& model = session_.model;
  for (int mode = 0; mode < 2; ++mode) {
    for (int button = 1; button <= kButtonsPerMode; ++button) {
      model.ButtonFunction[static_cast<std::size_t>(ButtonIndex(button, mode))] =
          kDefaultFunctions[static_cast<std::size_t>(button - 1)];
    }
    model.DpiSwitchCode[static_cast<std::size_t>(ButtonIndex(4, mode))] = kDpiLoopCode;
  }
  session_.labels = DefaultButtonLabels(Texts());
  view_.BeginDrawing();
  for (int row = 1; row <= kShownButtons; ++row) DrawRow(row, false);
  view_.CopyToScreen();
}

// ---------------------------------------------------------------------------
// Report rate and DPI stages

void SettingsPage::SelectReportRate(int segment) {
  const int shown = ReportRateSegmentOf(session_.model.ReportRateCode);
  view_.BeginDrawing();
  if (shown != segment) {
    DrawSegment(segment, true);
    DrawSegment(shown, false);
  }
  px::SelectReportRate(session_.model, segment);
  view_.CopyToScreen();
}

void SettingsPage::SetStageLevel(int stage, int level) {
  if (px::SetStageLevel(session_.model, stage, level, session_.dpiTableVariant) == EditOutcome::Refused) return;
  // Drawn lit whether or not the stage is in use, until the stage is next redrawn.
  litCount_[stage - 1] = level;
  view_.BeginDrawing();
  for (int k = 1; k <= LevelCount(); ++k) {
    view_.DrawImage(k <= level ? img::kCellLight : img::kCellDark, layout::LevelCell(stage, k).TopLeft());
  }
  view_.CopyToScreen();
}

void SettingsPage::ToggleStage(int stage) {
  view_.BeginDrawing();
  const bool wasInUse = StageInUse(session_.model, stage);
  if (px::ToggleStage(session_.model, stage) != EditOutcome::Refused) {
    view_.DrawImage(wasInUse ? img::kUnticked : img::kTicked, layout::TickBox(stage).TopLeft());
    if (!wasInUse) litCount_[stage - 1] = session_.model.DpiLevel[stage - 1] + 1;
    DrawStage(stage);
  }
  view_.CopyToScreen();
}

void SettingsPage::PickStageColor(int stage) {
  if (!StageInUse(session_.model, stage)) return;
  const std::optional<Rgb> color = view_.RunColorChooser();
  if (!color) return;
  px::SetStageColor(session_.model, stage, *color);
  view_.InvalidateControl(id::SwatchOf(stage));
}

}  // namespace px

// SettingsPage: the Mode A / Mode B buttons, the report-rate bar and the DPI stages.
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
  // A stage out of use keeps its column dark: the level is kept and lights
  // once the stage is back in use.
  litCount_[stage - 1] = level;
  view_.BeginDrawing();
  DrawStage(stage);
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

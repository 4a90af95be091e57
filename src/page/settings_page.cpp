// SettingsPage: building, tearing down and rebuilding the page, and the dispatch of clicks and list choices.
#include "page/settings_page.h"

#include "model/dpi_table.h"
#include "page/lighting_texts.h"
#include "page/page_looks.h"
#include "page/settings_edits.h"
#include "storage/installed_files.h"
#include "storage/str_ini.h"

namespace px {

using namespace page_detail;

SettingsPage::SettingsPage(SettingsSession& session, PageFlags flags, ProfileStore& strIni, PageView& view,
                           PageCommands& commands, ParameterDialogPort& dialogs)
    : session_(session), flags_(flags), strIni_(strIni), view_(view), commands_(commands), dialogs_(dialogs) {}

// Fixed at each build: a mouse of another variant plugged in later shows its
// levels only once the page is built again.
int SettingsPage::LevelCount() const { return levelCount_; }

bool& SettingsPage::OpenFlag(int listId) {
  for (std::size_t i = 0; i < kListIds.size(); ++i) {
    if (kListIds[i] == listId) return open_[i];
  }
  notAList_ = false;  // not a page list: never open
  return notAList_;
}

bool SettingsPage::ListOpen(int listId) const {
  for (std::size_t i = 0; i < kListIds.size(); ++i) {
    if (kListIds[i] == listId) return open_[i];
  }
  return false;
}

void SettingsPage::CloseList(int listId) {
  view_.DestroyControl(listId);
  OpenFlag(listId) = false;
}

// ---------------------------------------------------------------------------
// Building

void SettingsPage::BuildPage() {
  if (flags_.pageState == kPageBuilt) return;
  flags_.pageState = kPageBuilt;
  if (!flags_.pageBuiltOnce) {
    if (session_.firstRunFlag == 0) {
      session_.labels = DefaultButtonLabels(session_.language);
      SaveLabels(strIni_, session_.language, session_.labels);
    }
    flags_.pageBuiltOnce = true;
  }
  DrawBuild();
}

void SettingsPage::DrawBuild() {
  const InterfaceTexts& texts = Texts();
  const SettingsModel& model = session_.model;
  view_.BeginDrawing();
  view_.DrawImage(img::kPage, {0, 0});
  for (const FrameLook& look : kFrameLooks) view_.DrawImage(look.normal, look.rect.TopLeft());
  for (const Rect& row : layout::kButtonRows) view_.DrawImage(img::kRowNormal, row.TopLeft());
  for (int n = 1; n <= kReportRateSegments; ++n) DrawSegment(n, false);

  view_.DrawString(texts.BasicSettings, layout::kTitle, kWholeCentredText, PageFont::Heading);
  view_.DrawString(texts.KeySetting, layout::kKeySettingHeading, kWholeCentredText, PageFont::Body);
  view_.DrawString(texts.ReportRateSetting, layout::kReportRateHeading, kWholeCentredText, PageFont::Body);
  view_.DrawString(texts.DpiSetting, layout::kDpiHeading, kWholeCentredText, PageFont::Body);
  view_.DrawString(texts.DpiEffect, layout::kLightingHeading, kWholeCentredText, PageFont::Body);
  view_.DrawString(texts.WebSite, layout::kWebLink, kWholeCentredText, PageFont::Body);
  for (const FrameLook& look : kFrameLooks) {
    if (look.caption != nullptr) view_.DrawString(texts.*look.caption, look.rect, kWholeCentredText, PageFont::Body);
  }
  // The boxes are already drawn: a second blend would darken their soft corners.
  for (int row = 1; row <= kShownButtons; ++row) DrawRowTexts(row);
  DrawModeButtons();
  for (int n = 1; n <= kReportRateSegments; ++n) {
    view_.DrawString(layout::kReportRateLabels[static_cast<std::size_t>(n - 1)], layout::ReportRateLabelRect(n),
                   kWholeCentredText, PageFont::Body);
  }
  view_.DrawString(u"Color", layout::kColorLabel, kWholeRightText, PageFont::Body);
  view_.DrawString(u"Select", layout::kSelectLabel, kWholeRightText, PageFont::Body);
  const std::array<TextView, 3> rowNames{texts.Mode, texts.Parameter, texts.Effect};
  for (std::size_t r = 0; r < rowNames.size(); ++r) {
    view_.DrawString(rowNames[r], layout::kLightingRows[r].label, kWholeRightText, PageFont::Body);
  }
  for (int s = 1; s <= kDpiStages; ++s) {
    view_.DrawString(kStageNumbers[static_cast<std::size_t>(s - 1)], layout::StageNumber(s), kWholeCentredText,
                   PageFont::Body);
  }

  for (int s = 1; s <= kDpiStages; ++s) view_.CreateStatic({id::SwatchOf(s), layout::Swatch(s), {}, false, false});
  const LightingLabels lighting = LightingLabelsFor(model, texts);
  const std::array<Text, 3> lightingTexts{lighting.mode, lighting.parameter, lighting.effect};
  for (std::size_t r = 0; r < lightingTexts.size(); ++r) {
    const bool centreImage = r == 0 || !lightingTexts[r].empty();
    view_.CreateStatic({id::kModeLabel + static_cast<int>(r), layout::kLightingRows[r].dropdown, lightingTexts[r],
                        true, centreImage});
  }
  controlsExist_ = true;
  const auto levelLabels = DpiLevelLabels(session_.dpiTableVariant);
  levelCount_ = static_cast<int>(DpiLevelCount(session_.dpiTableVariant));
  const int levelCount = levelCount_;
  for (int k = 1; k <= levelCount; ++k) {
    view_.DrawString(levelLabels[static_cast<std::size_t>(k - 1)], layout::LevelLabel(k, levelCount), kWholeRightText,
                   PageFont::Body);
  }

  DrawSegment(ReportRateSegmentOf(model.ReportRateCode), true);
  for (int s = 1; s <= kDpiStages; ++s) {
    litCount_[s - 1] = model.DpiLevel[s - 1] + 1;
    view_.DrawImage(StageInUse(model, s) ? img::kTicked : img::kUnticked, layout::TickBox(s).TopLeft());
    DrawStage(s);
  }
  view_.CopyToScreen();
}

void SettingsPage::TearDownPage() {
  if (flags_.pageState != kPageRebuilding || !controlsExist_) return;
  for (int s = 1; s <= kDpiStages; ++s) view_.DestroyControl(id::SwatchOf(s));
  for (int label = id::kModeLabel; label <= id::kEffectLabel; ++label) view_.DestroyControl(label);
  for (int list : kListIds) {
    if (view_.ListExists(list)) view_.DestroyControl(list);
  }
  open_.fill(false);
  controlsExist_ = false;
}

void SettingsPage::Rebuild(const std::function<void()>& reread) {
  if (flags_.pageState != kPageBuilt) return;
  // The screen goes from the old page straight to the whole new one.
  view_.BeginRebuild();
  flags_.pageState = kPageRebuilding;
  TearDownPage();
  flags_.pageState = kPageNotBuilt;
  if (reread) reread();
  BuildPage();
  view_.EndRebuild();
}

// ---------------------------------------------------------------------------
// Drawing pieces (inside a drawing operation)

void SettingsPage::DrawCaptionButton(const Rect& rect, TextView image, TextView caption) {
  view_.DrawImage(image, rect.TopLeft());
  view_.DrawString(caption, rect, kWholeCentredText, PageFont::Body);
}

void SettingsPage::DrawRow(int row, bool over) {
  const Rect rect = layout::kButtonRows[static_cast<std::size_t>(row - 1)];
  view_.DrawImage(over ? img::kRowOver : img::kRowNormal, rect.TopLeft());
  DrawRowTexts(row);
}

void SettingsPage::DrawRowTexts(int row) {
  const Rect rect = layout::kButtonRows[static_cast<std::size_t>(row - 1)];
  view_.DrawString(kRowNumbers[static_cast<std::size_t>(row - 1)],
                 {rect.left, rect.top, rect.left + layout::kRowNumberWidth, rect.bottom}, kLeftText,
                 PageFont::Body);
  // Any ButtonMode but 1 shows Mode A's labels.
  const int mode = session_.model.ButtonMode == 1 ? 1 : 0;
  view_.DrawString(session_.labels[static_cast<std::size_t>(ButtonIndex(row, mode))],
                 {rect.left + layout::kRowNumberWidth, rect.top, rect.right, rect.bottom}, kLeftText,
                 PageFont::Body);
}

void SettingsPage::DrawModeButtons() {
  const bool modeB = session_.model.ButtonMode == 1;
  DrawCaptionButton(layout::kModeAButton, modeB ? img::kButtonNormal : img::kButtonOver, kModeACaption);
  DrawCaptionButton(layout::kModeBButton, modeB ? img::kButtonOver : img::kButtonNormal, kModeBCaption);
}

void SettingsPage::DrawSegment(int segment, bool light) {
  view_.DrawImage(light ? img::kRateLight : img::kRateDark,
                  layout::kReportRateSegments[static_cast<std::size_t>(segment - 1)].TopLeft());
}

void SettingsPage::DrawStage(int stage) {
  const int lit = StageInUse(session_.model, stage) ? litCount_[stage - 1] : 0;
  for (int k = 1; k <= LevelCount(); ++k) {
    view_.DrawImage(k <= lit ? img::kCellLight : img::kCellDark, layout::LevelCell(stage, k).TopLeft());
  }
}

// ---------------------------------------------------------------------------
// Click and list-choice dispatch

void SettingsPage::DispatchClick(Point at) {
  lastClick_ = at;
  if (layout::kOkButton.Contains(at)) commands_.Ok();
  if (layout::kApplyButton.Contains(at)) commands_.Apply();
  const bool chooserRan = layout::kSkinsButton.Contains(at);
  if (chooserRan) commands_.RunSkinFlow();
  if (layout::kMinimiseButton.Contains(at)) {
    commands_.Minimise();
    return;
  }
  if (layout::kCloseButton.Contains(at)) {
    commands_.Close();
    return;
  }
  if (layout::kPreviousPageButton.Contains(at)) {
    BuildPage();
    return;
  }
  if (layout::kCancelButton.Contains(at)) commands_.Cancel();
  if (layout::kWebLink.Contains(at)) {
    view_.OpenWithShell(Texts().WebSite);
    return;
  }
  if (flags_.pageState == kPageBuilt) {
    CloseDropdownsOutside(at);
    if (ClickPageElement(at)) return;
  }
  // The skin chooser took the click's release (it ends on a press of its
  // own): a move asked for after it would follow the pointer with no button
  // held, until the next click.
  if (!chooserRan) view_.StartWindowDrag(at);
}

void SettingsPage::CloseDropdownsOutside(Point at) {
  for (int row = 1; row <= kShownButtons; ++row) {
    const auto r = static_cast<std::size_t>(row - 1);
    if (layout::kButtonRows[r].Contains(at) || layout::kButtonLists[r].Contains(at)) continue;
    CloseList(id::ButtonList(row));
    CloseList(id::kDpiSubList);
  }
  for (std::size_t r = 0; r < layout::kLightingRows.size(); ++r) {
    const int list = id::kModeList + static_cast<int>(r);
    const layout::LightingRow& row = layout::kLightingRows[r];
    // The Parameter list reaches its longer extent only in Standard mode.
    const Rect listRect = list == id::kParameterList && session_.model.LightMode == kLightModeRespiration
                              ? layout::kRespirationParameterList
                              : row.list;
    if (row.clickArea.Contains(at) || listRect.Contains(at)) continue;
    if (view_.ListExists(list)) CloseList(list);
  }
}

bool SettingsPage::ClickPageElement(Point at) {
  if (layout::kModeAButton.Contains(at)) return SelectButtonMode(0), true;
  if (layout::kModeBButton.Contains(at)) return SelectButtonMode(1), true;
  if (layout::kDefaultButton.Contains(at)) return RestoreDefaultButtons(), true;
  for (int row = 1; row <= kShownButtons; ++row) {
    if (layout::kButtonRows[static_cast<std::size_t>(row - 1)].Contains(at)) return ToggleButtonList(row), true;
  }
  for (int n = 1; n <= kReportRateSegments; ++n) {
    if (layout::kReportRateSegments[static_cast<std::size_t>(n - 1)].Contains(at)) return SelectReportRate(n), true;
  }
  for (int s = 1; s <= kDpiStages; ++s) {
    if (layout::TickBox(s).Contains(at)) return ToggleStage(s), true;
  }
  for (int s = 1; s <= kDpiStages; ++s) {
    if (layout::Swatch(s).Contains(at)) return PickStageColor(s), true;
  }
  if (layout::kLightingRows[0].clickArea.Contains(at)) return ToggleModeList(), true;
  if (layout::kLightingRows[1].clickArea.Contains(at)) return ToggleParameterList(), true;
  if (layout::kLightingRows[2].clickArea.Contains(at)) return ToggleEffectList(), true;
  const int selectable = SelectableLevelCount(session_.dpiTableVariant);
  for (int s = 1; s <= kDpiStages; ++s) {
    for (int k = 1; k <= selectable; ++k) {
      if (layout::LevelCell(s, k).Contains(at)) return SetStageLevel(s, k), true;
    }
  }
  return false;
}

void SettingsPage::OnListChosen(int listId) {
  if (listId == id::kDpiSubList) return ChooseDpiSwitch();
  for (int row = 1; row <= kShownButtons; ++row) {
    if (listId == id::ButtonList(row)) return ChooseButtonFunction(row);
  }
  if (listId == id::kModeList || listId == id::kParameterList || listId == id::kEffectList) ChooseLighting(listId);
}

}  // namespace px

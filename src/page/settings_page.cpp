#include "page/settings_page.h"

#include "model/dpi_table.h"
#include "page/lighting_texts.h"
#include "page/settings_edits.h"
#include "storage/str_ini.h"

namespace px {
namespace {

namespace img = page_image;
namespace id = control_id;

constexpr std::array<int, 8> kListIds{40, 41, 42, 43, 44, 60, 61, 62};
constexpr std::array<TextView, 4> kRowNumbers{u"1", u"2", u"3", u"4"};
constexpr std::array<TextView, 4> kStageNumbers{u"1", u"2", u"3", u"4"};
constexpr TextView kModeACaption = u"Mode A";
constexpr TextView kModeBCaption = u"Mode B";
constexpr TextView kWarningCaption = u"Warning";
constexpr TextView kDpiLoopLabel = u"DPI Loop";

constexpr std::uint8_t kLeftClick = 0;
constexpr std::uint8_t kDpiSwitch = 5;
constexpr std::uint8_t kKeyOff = 12;
constexpr std::uint8_t kDpiLoopCode = 5;
constexpr std::array<std::uint8_t, kButtonsPerMode> kDefaultFunctions{0, 1, 2, kDpiSwitch, kKeyOff, kKeyOff, kKeyOff,
                                                                      kKeyOff};

// Tracked elements that are not rows: rectangle, normal and over image, caption.
struct FrameLook {
  Rect rect;
  TextView normal, over;
  TextView InterfaceTexts::*caption;  // null: the image alone
};
constexpr std::array<FrameLook, 8> kFrameLooks{{
    {layout::kOkButton, img::kButtonNormal, img::kButtonOver, &InterfaceTexts::Ok},
    {layout::kApplyButton, img::kButtonNormal, img::kButtonOver, &InterfaceTexts::Apply},
    {layout::kCancelButton, img::kButtonNormal, img::kButtonOver, &InterfaceTexts::Cancel},
    {layout::kSkinsButton, img::kSkinsNormal, img::kSkinsOver, nullptr},
    {layout::kCloseButton, img::kCloseNormal, img::kCloseOver, nullptr},
    {layout::kMinimiseButton, img::kMinNormal, img::kMinOver, nullptr},
    {layout::kPreviousPageButton, img::kPrePageNormal, img::kPrePageOver, nullptr},
    {layout::kDefaultButton, img::kButtonNormal, img::kButtonOver, &InterfaceTexts::Default},
}};

constexpr HoverElement RowElement(int row) { return static_cast<HoverElement>(static_cast<int>(HoverElement::Row1) + row - 1); }

}  // namespace

LabelSet DefaultButtonLabels(const InterfaceTexts& texts) {
  LabelSet labels;
  for (int mode = 0; mode < 2; ++mode) {
    for (int button = 1; button <= kButtonsPerMode; ++button) {
      Text& label = labels[static_cast<std::size_t>(ButtonIndex(button, mode))];
      if (button <= 3) {
        label = texts.ButtonFunctions[static_cast<std::size_t>(button - 1)];
      } else if (button == 4) {
        label = kDpiLoopLabel;
      } else {
        label = texts.ButtonFunctions[kKeyOff];
      }
    }
  }
  return labels;
}

SettingsPage::SettingsPage(SettingsSession& session, PageFlags flags, ProfileStore& strIni, PageView& view,
                           PageCommands& commands)
    : session_(session), flags_(flags), strIni_(strIni), view_(view), commands_(commands) {}

int SettingsPage::LevelCount() const { return static_cast<int>(DpiLevelCount(session_.dpiTableVariant)); }

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
      session_.labels = DefaultButtonLabels(Texts());
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

  view_.DrawString(texts.BasicSettings, layout::kTitle, TextFormat::Centre, PageFont::Heading);
  view_.DrawString(texts.KeySetting, layout::kKeySettingHeading, TextFormat::Centre, PageFont::Body);
  view_.DrawString(texts.ReportRateSetting, layout::kReportRateHeading, TextFormat::Centre, PageFont::Body);
  view_.DrawString(texts.DpiSetting, layout::kDpiHeading, TextFormat::Centre, PageFont::Body);
  view_.DrawString(texts.DpiEffect, layout::kLightingHeading, TextFormat::Centre, PageFont::Body);
  view_.DrawString(texts.WebSite, layout::kWebLink, TextFormat::Centre, PageFont::Body);
  for (const FrameLook& look : kFrameLooks) {
    if (look.caption != nullptr) view_.DrawString(texts.*look.caption, look.rect, TextFormat::Centre, PageFont::Body);
  }
  for (int row = 1; row <= kShownButtons; ++row) DrawRow(row, false);
  DrawModeButtons();
  for (int n = 1; n <= kReportRateSegments; ++n) {
    view_.DrawString(layout::kReportRateLabels[static_cast<std::size_t>(n - 1)], layout::ReportRateLabelRect(n),
                   TextFormat::Centre, PageFont::Body);
  }
  view_.DrawString(u"Color", layout::kColorLabel, TextFormat::Right, PageFont::Body);
  view_.DrawString(u"Select", layout::kSelectLabel, TextFormat::Right, PageFont::Body);
  const std::array<TextView, 3> rowNames{texts.Mode, texts.Parameter, texts.Effect};
  for (std::size_t r = 0; r < rowNames.size(); ++r) {
    view_.DrawString(rowNames[r], layout::kLightingRows[r].label, TextFormat::Right, PageFont::Body);
  }
  for (int s = 1; s <= kDpiStages; ++s) {
    view_.DrawString(kStageNumbers[static_cast<std::size_t>(s - 1)], layout::StageNumber(s), TextFormat::Centre,
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
  const int levelCount = LevelCount();
  for (int k = 1; k <= levelCount; ++k) {
    view_.DrawString(levelLabels[static_cast<std::size_t>(k - 1)], layout::LevelLabel(k, levelCount), TextFormat::Right,
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
  flags_.pageState = kPageRebuilding;
  TearDownPage();
  flags_.pageState = kPageNotBuilt;
  if (reread) reread();
  BuildPage();
}

// ---------------------------------------------------------------------------
// Drawing pieces (inside a drawing operation)

void SettingsPage::DrawCaptionButton(const Rect& rect, TextView image, TextView caption) {
  view_.DrawImage(image, rect.TopLeft());
  view_.DrawString(caption, rect, TextFormat::Centre, PageFont::Body);
}

void SettingsPage::DrawRow(int row, bool over) {
  const Rect rect = layout::kButtonRows[static_cast<std::size_t>(row - 1)];
  view_.DrawImage(over ? img::kRowOver : img::kRowNormal, rect.TopLeft());
  view_.DrawString(kRowNumbers[static_cast<std::size_t>(row - 1)],
                 {rect.left, rect.top, rect.left + layout::kRowNumberWidth, rect.bottom}, TextFormat::Centre,
                 PageFont::Body);
  // Any ButtonMode but 1 shows Mode A's labels.
  const int mode = session_.model.ButtonMode == 1 ? 1 : 0;
  view_.DrawString(session_.labels[static_cast<std::size_t>(ButtonIndex(row, mode))],
                 {rect.left + layout::kRowNumberWidth, rect.top, rect.right, rect.bottom}, TextFormat::Left,
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
// Click dispatch

void SettingsPage::DispatchClick(Point at) {
  lastClick_ = at;
  if (layout::kOkButton.Contains(at)) commands_.Ok();
  if (layout::kApplyButton.Contains(at)) commands_.Apply();
  if (layout::kSkinsButton.Contains(at)) commands_.RunSkinFlow();
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
  view_.StartWindowDrag(at);
}

void SettingsPage::CloseDropdownsOutside(Point at) {
  for (int row = 1; row <= kShownButtons; ++row) {
    const auto r = static_cast<std::size_t>(row - 1);
    if (layout::kButtonRows[r].Contains(at) || layout::kButtonLists[r].Contains(at)) continue;
    CloseList(id::ButtonList(row));
    view_.DestroyControl(id::kDpiSubList);
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

// ---------------------------------------------------------------------------
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

// ---------------------------------------------------------------------------
// Lighting

void SettingsPage::ToggleModeList() {
  bool& open = OpenFlag(id::kModeList);
  if (open) return CloseList(id::kModeList);
  if (!view_.ListExists(id::kModeList)) {
    const InterfaceTexts& texts = Texts();
    // Neon is shown when the file holds it, but never offered.
    const std::array<TextView, 3> items{LightModeName(texts, 0), LightModeName(texts, 1), LightModeName(texts, 2)};
    view_.CreateList(id::kModeList, layout::kLightingRows[0].list, items);
  }
  open = true;
}

void SettingsPage::ToggleParameterList() {
  bool& open = OpenFlag(id::kParameterList);
  if (open) return CloseList(id::kParameterList);
  if (!view_.ListExists(id::kParameterList)) {
    if (session_.model.LightMode == kLightModeStandard) {
      view_.CreateList(id::kParameterList, layout::kLightingRows[1].list, kBrightnessTexts);
    } else if (session_.model.LightMode == kLightModeRespiration) {
      view_.CreateList(id::kParameterList, layout::kRespirationParameterList, kPeriodTexts);
    }
  }
  open = view_.ListExists(id::kParameterList);
}

void SettingsPage::ToggleEffectList() {
  bool& open = OpenFlag(id::kEffectList);
  if (open) return CloseList(id::kEffectList);
  if (!view_.ListExists(id::kEffectList)) {
    const InterfaceTexts& texts = Texts();
    if (session_.model.LightMode == kLightModeRespiration) {
      const std::array<TextView, 2> items{LightEffectName(texts, 1), LightEffectName(texts, 2)};
      view_.CreateList(id::kEffectList, layout::kLightingRows[2].list, items);
    } else if (session_.model.LightMode == kLightModeStandard) {
      // Standard mode has a single effect: shown, not offered.
      view_.SetStaticText(id::kEffectLabel, LightEffectName(texts, 1));
      view_.InvalidateControl(id::kEffectLabel);
    }
  }
  // Where the mode offers no list, nothing is open: the next click on the
  // area must open the list a new mode offers, not close an empty one.
  open = view_.ListExists(id::kEffectList);
}

void SettingsPage::OnListChosen(int listId) {
  if (listId != id::kModeList && listId != id::kParameterList && listId != id::kEffectList) return;
  const std::optional<int> selection = view_.ListSelection(listId);
  if (!selection) return;  // nothing chosen yet: the list stays open
  SettingsModel& model = session_.model;
  const InterfaceTexts& texts = Texts();
  if (listId == id::kModeList) {
    if (ChooseLightMode(model, *selection) == EditOutcome::Refused) return;
    const LightingLabels labels = LightingLabelsFor(model, texts);
    view_.SetStaticText(id::kModeLabel, labels.mode);
    view_.SetStaticText(id::kParameterLabel, labels.parameter);
    // Choosing Standard shows its one effect, whatever the file held.
    view_.SetStaticText(id::kEffectLabel,
                        model.LightMode == kLightModeStandard ? LightEffectName(texts, 1) : TextView(labels.effect));
    for (int label = id::kModeLabel; label <= id::kEffectLabel; ++label) view_.InvalidateControl(label);
  } else if (listId == id::kParameterList) {
    if (ChooseLightParameter(model, *selection) == EditOutcome::Refused) return;
    view_.SetStaticText(id::kParameterLabel, LightingLabelsFor(model, texts).parameter);
    view_.InvalidateControl(id::kParameterLabel);
  } else {
    if (ChooseLightEffect(model, *selection) == EditOutcome::Refused) return;
    view_.SetStaticText(id::kEffectLabel, LightingLabelsFor(model, texts).effect);
    view_.InvalidateControl(id::kEffectLabel);
  }
  CloseList(listId);
}

// ---------------------------------------------------------------------------
// Hover

void SettingsPage::DrawHoverLook(HoverElement element, bool over) {
  const auto index = static_cast<std::size_t>(element);
  if (element >= HoverElement::Row1) {
    DrawRow(static_cast<int>(index) - static_cast<int>(HoverElement::Row1) + 1, over);
    return;
  }
  const FrameLook& look = kFrameLooks[index];
  view_.DrawImage(over ? look.over : look.normal, look.rect.TopLeft());
  if (look.caption != nullptr) view_.DrawString(Texts().*look.caption, look.rect, TextFormat::Centre, PageFont::Body);
}

void SettingsPage::ClearHover(std::initializer_list<HoverElement> elements) {
  for (HoverElement element : elements) {
    bool& flag = hover_[static_cast<std::size_t>(element)];
    if (!flag) continue;
    DrawHoverLook(element, false);
    flag = false;
  }
}

void SettingsPage::OnPageMouseMove(Point at) {
  for (std::size_t i = 0; i < static_cast<std::size_t>(HoverElement::Default); ++i) {
    if (kFrameLooks[i].rect.Contains(at)) return view_.RequestHover();
  }
  if (flags_.pageState == kPageBuilt) {
    if (layout::kDefaultButton.Contains(at)) return view_.RequestHover();
    for (const Rect& row : layout::kButtonRows) {
      if (row.Contains(at)) return view_.RequestHover();
    }
  }
  bool any = false;
  for (bool flag : hover_) any = any || flag;
  if (!any) return;
  view_.BeginDrawing();
  for (std::size_t i = 0; i < hover_.size(); ++i) ClearHover({static_cast<HoverElement>(i)});
  view_.CopyToScreen();
}

void SettingsPage::OnPageHover(Point at) {
  using H = HoverElement;
  auto show = [&](H element, std::initializer_list<H> siblings) {
    view_.BeginDrawing();
    DrawHoverLook(element, true);
    ClearHover(siblings);
    hover_[static_cast<std::size_t>(element)] = true;
    view_.CopyToScreen();
  };
  if (layout::kOkButton.Contains(at)) return show(H::Ok, {H::Apply, H::Cancel});
  if (layout::kApplyButton.Contains(at)) return show(H::Apply, {H::Ok, H::Cancel});
  if (layout::kCancelButton.Contains(at)) return show(H::Cancel, {H::Ok, H::Apply});
  if (layout::kSkinsButton.Contains(at)) return show(H::Skins, {});
  if (layout::kCloseButton.Contains(at)) return show(H::Close, {});
  if (layout::kMinimiseButton.Contains(at)) return show(H::Minimise, {});
  if (layout::kPreviousPageButton.Contains(at)) return show(H::PreviousPage, {});
  if (flags_.pageState != kPageBuilt) return;
  if (layout::kDefaultButton.Contains(at)) return show(H::Default, {});
  for (int row = 1; row <= kShownButtons; ++row) {
    if (!layout::kButtonRows[static_cast<std::size_t>(row - 1)].Contains(at)) continue;
    std::initializer_list<H> allRows{H::Row1, H::Row2, H::Row3, H::Row4};
    view_.BeginDrawing();
    DrawHoverLook(RowElement(row), true);
    for (H other : allRows) {
      if (other != RowElement(row)) ClearHover({other});
    }
    hover_[static_cast<std::size_t>(RowElement(row))] = true;
    view_.CopyToScreen();
    return;
  }
}

}  // namespace px

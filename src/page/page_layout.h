#pragma once
// Where everything of the settings page sits: client pixels of the main
// window, fixed for the whole run. A click is resolved by testing these.
#include <array>

#include "common/geometry.h"
#include "common/text.h"

namespace px {

namespace layout {

// Frame buttons and captions.
inline constexpr Rect kSkinsButton{701, 5, 719, 23};
inline constexpr Rect kMinimiseButton{825, 5, 843, 23};
inline constexpr Rect kCloseButton{850, 5, 868, 23};
inline constexpr Rect kPreviousPageButton{44, 54, 84, 94};
inline constexpr Rect kTitle{90, 51, 236, 99};
inline constexpr Rect kKeySettingHeading{259, 160, 364, 181};
inline constexpr Rect kReportRateHeading{504, 161, 609, 182};
inline constexpr Rect kDpiHeading{504, 275, 609, 296};
inline constexpr Rect kLightingHeading{704, 275, 809, 296};
inline constexpr Rect kWebLink{273, 627, 449, 647};
inline constexpr Rect kOkButton{562, 623, 667, 644};
inline constexpr Rect kApplyButton{666, 623, 771, 644};
inline constexpr Rect kCancelButton{770, 623, 875, 644};
inline constexpr Rect kModeAButton{253, 518, 358, 539};
inline constexpr Rect kModeBButton{357, 518, 462, 539};
inline constexpr Rect kDefaultButton{307, 549, 412, 570};

// Button rows 1..4 and their lists 41..44 (index row - 1).
inline constexpr std::array<Rect, 4> kButtonRows{{
    {252, 199, 463, 220}, {252, 222, 463, 243}, {252, 245, 463, 266}, {252, 268, 463, 289}}};
inline constexpr std::array<Rect, 4> kButtonLists{{
    {252, 221, 463, 451}, {252, 244, 463, 474}, {252, 267, 463, 497}, {252, 290, 463, 520}}};
inline constexpr int kRowNumberWidth = 20;

// Report-rate segments 1..4; each label sits 10..30 pixels under its segment.
inline constexpr std::array<Rect, 4> kReportRateSegments{{
    {542, 204, 612, 215}, {614, 204, 684, 215}, {686, 204, 756, 215}, {758, 204, 828, 215}}};
inline constexpr std::array<TextView, 4> kReportRateLabels{u"125", u"250", u"500", u"1000"};
constexpr Rect ReportRateLabelRect(int segment) {
  const Rect s = kReportRateSegments[segment - 1];
  return {s.left, s.bottom + 10, s.right, s.bottom + 30};
}

// DPI stages 1..4: a column of level cells, a swatch, a tick box, a number.
inline constexpr int kStageColumnLeft = 554;
inline constexpr int kStageColumnStep = 27;
inline constexpr int kCellSize = 16;
inline constexpr int kCellStep = 18;
constexpr int StageLeft(int stage) { return kStageColumnLeft + kStageColumnStep * (stage - 1); }
// Level 1 is the bottom cell.
constexpr Rect LevelCell(int stage, int level) {
  const int top = 500 - kCellStep * (level - 1);
  return {StageLeft(stage), top, StageLeft(stage) + kCellSize, top + kCellSize};
}
constexpr Rect Swatch(int stage) { return {StageLeft(stage), 523, StageLeft(stage) + kCellSize, 539}; }
constexpr Rect TickBox(int stage) { return {StageLeft(stage), 541, StageLeft(stage) + kCellSize, 557}; }
constexpr Rect StageNumber(int stage) { return {StageLeft(stage), 562, StageLeft(stage) + kCellSize, 587}; }
// Eight levels have longer labels than twelve: their column is wider.
constexpr Rect LevelLabel(int level, int levelCount) {
  const int top = 500 - kCellStep * (level - 1);
  return {levelCount == 12 ? 514 : 494, top, 544, top + kCellSize};
}
inline constexpr Rect kColorLabel{494, 523, 544, 539};
inline constexpr Rect kSelectLabel{494, 541, 544, 557};

// Lighting rows: Mode, Parameter, Effect.
struct LightingRow {
  Rect label;       // the row's name, right-aligned
  Rect dropdown;    // the DropdownLabel static
  Rect clickArea;   // the static plus 16 pixels to its right
  Rect list;        // the list under it (Parameter: in Standard mode)
};
inline constexpr std::array<LightingRow, 3> kLightingRows{{
    {{697, 330, 757, 344}, {767, 330, 835, 344}, {767, 330, 851, 344}, {766, 347, 851, 407}},
    {{697, 360, 757, 374}, {767, 360, 835, 374}, {767, 360, 851, 374}, {767, 377, 851, 547}},
    {{697, 390, 757, 404}, {767, 390, 835, 404}, {767, 390, 851, 404}, {766, 407, 851, 447}},
}};
// The Parameter list of Respiration mode has five items, not ten.
inline constexpr Rect kRespirationParameterList{767, 377, 851, 467};

}  // namespace layout

// Child control ids of the main window.
namespace control_id {
inline constexpr int kDpiSubList = 40;
constexpr int ButtonList(int row) { return 40 + row; }  // rows 1..4
inline constexpr int kModeList = 60;
inline constexpr int kParameterList = 61;
inline constexpr int kEffectList = 62;
constexpr int SwatchOf(int stage) { return 70 + stage; }  // stages 1..4
inline constexpr int kModeLabel = 80;
inline constexpr int kParameterLabel = 81;
inline constexpr int kEffectLabel = 82;
}  // namespace control_id

// Skin image names.
namespace page_image {
inline constexpr TextView kPage = u"/BasicSet2.png";
inline constexpr TextView kButtonNormal = u"/button-normal.png";
inline constexpr TextView kButtonOver = u"/button-over.png";
inline constexpr TextView kSkinsNormal = u"/button-Skins-normal.png";
inline constexpr TextView kSkinsOver = u"/button-Skins-over.png";
inline constexpr TextView kMinNormal = u"/button-min-normal.png";
inline constexpr TextView kMinOver = u"/button-min-over.png";
inline constexpr TextView kCloseNormal = u"/button-close-normal.png";
inline constexpr TextView kCloseOver = u"/button-close-over.png";
inline constexpr TextView kPrePageNormal = u"/button-PrePage-normal.png";
inline constexpr TextView kPrePageOver = u"/button-PrePage-over.png";
inline constexpr TextView kRowNormal = u"/DropdownBox-normal.png";
inline constexpr TextView kRowOver = u"/DropdownBox-over.png";
inline constexpr TextView kRateDark = u"/slider-RP-dark.png";
inline constexpr TextView kRateLight = u"/slider-RP-light.png";
inline constexpr TextView kCellDark = u"/slider-DPI-dark.png";
inline constexpr TextView kCellLight = u"/slider-DPI-light.png";
inline constexpr TextView kTicked = u"/PaneMakingTick.png";
inline constexpr TextView kUnticked = u"/Pane.png";
}  // namespace page_image

}  // namespace px

#include "skin/dialog_frame.h"

#include "skin/skin_image_set.h"

namespace px {
namespace {

constexpr Rect kNone{};

constexpr std::array<DialogFrameSpec, kDialogKindCount> kSpecs{{
    {DialogKind::FireKey, 704, skin_image::kFireKeyBackground, u"FireKey Dialog Load background image failed!!!", 572,
     {82, 69, 150, 85}, true, {82, 69, 165, 85}, 573, {82, 87, 165, 257}, true},
    {DialogKind::HotKey, 712, skin_image::kHotKeyBackground, u"HotKey Dialog Load background image failed!!!", 565,
     {42, 128, 136, 144}, false, {42, 128, 151, 144}, 566, {42, 146, 151, 266}, false},
    {DialogKind::Media, 703, skin_image::kMediaKeyBackground, u"Media Dialog Load background image failed!!!", 552,
     {42, 128, 136, 144}, false, {42, 128, 151, 144}, 553, {42, 146, 151, 266}, false},
    {DialogKind::Single, 701, skin_image::kSingleKeyBackground, u"Single Key Dialog Load background image failed!!!",
     502, {73, 128, 151, 144}, true, kNone, 0, kNone, false},
    {DialogKind::Skins, 710, skin_image::kSkinsBackground, u"Skins Dialog Load background image failed!!!", 560,
     {42, 128, 136, 144}, false, {42, 128, 151, 144}, 562, {42, 146, 151, 266}, true},
    {DialogKind::Snipe, 711, skin_image::kSnipeKeyBackground, u"Snipe Dialog Load background image failed!!!", 563,
     {42, 105, 136, 121}, false, {42, 105, 151, 121}, 564, {42, 123, 151, 263}, true},
    {DialogKind::Windows, 702, skin_image::kWindowsKeyBackground, u"Windows Dialog Load background image failed!!!",
     532, {42, 128, 136, 144}, false, {42, 128, 151, 144}, 533, {42, 146, 151, 306}, false},
}};

std::array<DialogKindState, kDialogKindCount> kindStates{};

}  // namespace

const DialogFrameSpec& FrameSpec(DialogKind kind) { return kSpecs[static_cast<std::size_t>(kind)]; }

FrameCaptions FrameCaptionsFor(Language language) {
  switch (language) {
    case Language::SimplifiedChinese: return {u"确定", u"取消"};
    case Language::TraditionalChinese: return {u"確定", u"取消"};
    case Language::English: break;
  }
  return {u"OK", u"Cancel"};
}

std::vector<FrameClickStep> PlanFrameClick(const DialogFrameSpec& spec, int x, int y, bool listExists,
                                           const Rect& extraHit) {
  std::vector<FrameClickStep> steps;
  if (spec.HasDropdown() && listExists && !spec.list.Contains({x, y}) && !spec.dropdown.Contains({x, y})) {
    steps.push_back(FrameClickStep::CloseList);
  }
  if (kFrameOk.Contains({x, y})) steps.push_back(FrameClickStep::EndOk);
  if (kFrameCancel.Contains({x, y})) steps.push_back(FrameClickStep::EndCancel);
  if (kFrameClose.Contains({x, y})) steps.push_back(FrameClickStep::EndCancel);
  if (spec.HasDropdown() && spec.dropdown.Contains({x, y})) steps.push_back(FrameClickStep::ToggleList);
  if (!extraHit.Empty() && extraHit.Contains({x, y})) steps.push_back(FrameClickStep::ExtraHit);
  return steps;
}

FrameButton FrameButtonAt(int x, int y) {
  if (kFrameClose.Contains({x, y})) return FrameButton::Close;
  if (kFrameOk.Contains({x, y})) return FrameButton::Ok;
  if (kFrameCancel.Contains({x, y})) return FrameButton::Cancel;
  return FrameButton::None;
}

DialogKindState& KindState(DialogKind kind) { return kindStates[static_cast<std::size_t>(kind)]; }

}  // namespace px

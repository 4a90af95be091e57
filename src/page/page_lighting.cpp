// SettingsPage: the lighting drop-downs and what their entries choose.
#include "page/settings_page.h"

#include "page/lighting_texts.h"
#include "page/page_looks.h"
#include "page/settings_edits.h"

namespace px {

using namespace page_detail;

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

void SettingsPage::ChooseLighting(int listId) {
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

}  // namespace px

#include "page/lighting_texts.h"

#include <string>

#include "page/settings_edits.h"

namespace px {
namespace {

template <typename Table>
TextView At(const Table& table, int index) {
  return index >= 0 && index < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(index)] : TextView{};
}

}  // namespace

TextView LightModeName(const InterfaceTexts& texts, int mode) {
  const std::array<TextView, 4> names{texts.LightOff, texts.LightStandard, texts.LightRespiration, texts.LightNeon};
  return At(names, mode);
}

TextView LightEffectName(const InterfaceTexts& texts, int effect) {
  const std::array<TextView, 4> names{texts.NonDisplay, texts.RgbEffect, texts.RgbFlash, texts.RgbFixedOn};
  return At(names, effect);
}

TextView BrightnessText(int index) { return At(kBrightnessTexts, index); }

TextView PeriodText(int index) { return At(kPeriodTexts, index); }

Text NeonParameterText(int index) {
  if (index < 0 || index >= kNeonParameters) return {};
  const int halves = index + 1;
  Text text;
  for (char c : std::to_string(halves / 2)) text.push_back(static_cast<char16_t>(c));
  if (halves % 2 != 0) text += u".5";
  return text + u"S";
}

LightingLabels LightingLabelsFor(const SettingsModel& model, const InterfaceTexts& texts) {
  LightingLabels labels{Text(LightModeName(texts, model.LightMode)), {}, {}};
  switch (model.LightMode) {
    case kLightModeStandard:
      labels.parameter = BrightnessText(model.LightParamStandard);
      labels.effect = LightEffectName(texts, model.LightEffectStandard);
      break;
    case kLightModeRespiration:
      labels.parameter = PeriodText(model.LightParamBreath);
      labels.effect = LightEffectName(texts, model.LightEffect);
      break;
    case kLightModeNeon:
      labels.parameter = NeonParameterText(model.LightParamNeon);
      labels.effect = LightEffectName(texts, model.LightEffectNeon);
      break;
    default:
      break;
  }
  return labels;
}

}  // namespace px

#include "page/settings_edits.h"

namespace px {
namespace {

EditOutcome Store(std::uint8_t& field, std::uint8_t value) {
  if (field == value) return EditOutcome::Unchanged;
  field = value;
  return EditOutcome::Changed;
}

bool ValidStage(int stage) { return stage >= 1 && stage <= kDpiStages; }

}  // namespace

int ReportRateSegmentOf(std::uint8_t code) {
  for (int n = 1; n < kReportRateSegments; ++n) {
    if (kReportRateCodes[n - 1] == code) return n;
  }
  return kReportRateSegments;
}

EditOutcome SelectReportRate(SettingsModel& model, int segment) {
  if (segment < 1 || segment > kReportRateSegments) return EditOutcome::Refused;
  return Store(model.ReportRateCode, kReportRateCodes[segment - 1]);
}

int SelectableLevelCount(std::uint8_t dpiTableVariant) { return dpiTableVariant == 0 ? 12 : 8; }

EditOutcome SetStageLevel(SettingsModel& model, int stage, int level, std::uint8_t dpiTableVariant) {
  if (!ValidStage(stage) || level < 1 || level > SelectableLevelCount(dpiTableVariant)) return EditOutcome::Refused;
  return Store(model.DpiLevel[stage - 1], static_cast<std::uint8_t>(level - 1));
}

bool StageInUse(const SettingsModel& model, int stage) {
  return ValidStage(stage) && model.DpiStageEnabled[stage - 1] == 1;
}

EditOutcome ToggleStage(SettingsModel& model, int stage) {
  if (!ValidStage(stage)) return EditOutcome::Refused;
  if (!StageInUse(model, stage)) return Store(model.DpiStageEnabled[stage - 1], 1);
  for (int other = 1; other <= kDpiStages; ++other) {
    if (other != stage && StageInUse(model, other)) return Store(model.DpiStageEnabled[stage - 1], 0);
  }
  return EditOutcome::Refused;
}

EditOutcome SetStageColor(SettingsModel& model, int stage, Rgb color) {
  if (!ValidStage(stage)) return EditOutcome::Refused;
  if (model.DpiStageColor[stage - 1] == color) return EditOutcome::Unchanged;
  model.DpiStageColor[stage - 1] = color;
  return EditOutcome::Changed;
}

EditOutcome ChooseLightMode(SettingsModel& model, int mode) {
  if (mode < kLightModeOff || mode > kLightModeRespiration) return EditOutcome::Refused;
  return Store(model.LightMode, static_cast<std::uint8_t>(mode));
}

EditOutcome ChooseLightParameter(SettingsModel& model, int item) {
  if (item < 0) return EditOutcome::Refused;
  const auto value = static_cast<std::uint8_t>(item);
  switch (model.LightMode) {
    case kLightModeStandard:
      return item < kStandardParameters ? Store(model.LightParamStandard, value) : EditOutcome::Refused;
    case kLightModeRespiration:
      return item < kRespirationParameters ? Store(model.LightParamBreath, value) : EditOutcome::Refused;
    default:
      return EditOutcome::Refused;
  }
}

EditOutcome ChooseLightEffect(SettingsModel& model, int item) {
  if (model.LightMode != kLightModeRespiration || item < 0 || item >= kRespirationEffects) return EditOutcome::Refused;
  return Store(model.LightEffect, static_cast<std::uint8_t>(item + 1));
}

EditOutcome SelectButtonMode(SettingsModel& model, int mode) {
  if (mode != 0 && mode != 1) return EditOutcome::Refused;
  return Store(model.ButtonMode, static_cast<std::uint8_t>(mode));
}

}  // namespace px

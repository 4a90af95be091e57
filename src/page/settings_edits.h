#pragma once
// The model edits behind the settings page's controls, with no view: the page
// and the command-line tool make the same change through these, and the page
// draws what they report.
#include <cstdint>

#include "model/settings_model.h"

namespace px {

enum class EditOutcome {
  Changed,    // the model now differs
  Unchanged,  // accepted, but the model already held the value
  Refused,    // not allowed; the model is untouched
};

inline constexpr int kReportRateSegments = 4;
// ReportRateCode of segments 1..4 (125, 250, 500, 1000 Hz).
inline constexpr std::uint8_t kReportRateCodes[kReportRateSegments] = {8, 4, 2, 1};

// The segment (1..4) that shows a ReportRateCode; an unexpected code shows on 4.
int ReportRateSegmentOf(std::uint8_t code);

// Segment 1..4 of the report-rate bar.
EditOutcome SelectReportRate(SettingsModel& model, int segment);

// Levels a click can choose for a sensor variant: twelve only for variant 0;
// an unknown variant shows twelve cells but only its first eight respond.
int SelectableLevelCount(std::uint8_t dpiTableVariant);

// Stage 1..4, level 1..SelectableLevelCount. The in-use flag is not consulted.
EditOutcome SetStageLevel(SettingsModel& model, int stage, int level, std::uint8_t dpiTableVariant);

bool StageInUse(const SettingsModel& model, int stage);

// Puts a stage in use or takes it out; the last stage in use stays in use.
EditOutcome ToggleStage(SettingsModel& model, int stage);

EditOutcome SetStageColor(SettingsModel& model, int stage, Rgb color);

// Lighting. Each mode keeps its own parameter and effect, so switching modes
// back and forth restores each mode's last choice.
inline constexpr std::uint8_t kLightModeOff = 0;
inline constexpr std::uint8_t kLightModeStandard = 1;
inline constexpr std::uint8_t kLightModeRespiration = 2;
inline constexpr std::uint8_t kLightModeNeon = 3;  // only ever read from a settings file
inline constexpr int kStandardParameters = 10;
inline constexpr int kRespirationParameters = 5;
inline constexpr int kRespirationEffects = 2;  // RGB Effect, RGB Flash

// Modes 0..2; Neon is never offered.
EditOutcome ChooseLightMode(SettingsModel& model, int mode);
// The parameter list's item of the current mode (Standard 0..9, Respiration 0..4).
EditOutcome ChooseLightParameter(SettingsModel& model, int item);
// The effect list's item (0 RGB Effect, 1 RGB Flash); only Respiration offers one.
EditOutcome ChooseLightEffect(SettingsModel& model, int item);

// 0 Mode A, 1 Mode B.
EditOutcome SelectButtonMode(SettingsModel& model, int mode);

}  // namespace px

#pragma once
// The texts the lighting drop-downs show for the model's lighting fields.
// An index outside a table gives the empty text.
#include <array>
#include <cstdint>

#include "common/text.h"
#include "model/interface_texts.h"
#include "model/settings_model.h"

namespace px {

inline constexpr std::array<TextView, 10> kBrightnessTexts{u"5%",  u"15%", u"25%", u"35%", u"45%",
                                                            u"55%", u"65%", u"75%", u"85%", u"100%"};
inline constexpr std::array<TextView, 5> kPeriodTexts{u"8S", u"7S", u"6S", u"5S", u"4S"};
inline constexpr int kNeonParameters = 30;

// Modes 0..3: Off, Standard, Respiration, Neon.
TextView LightModeName(const InterfaceTexts& texts, int mode);
// Effects 0..3: Non-Display, RGB Effect, RGB Flash, RGB Fixed On.
TextView LightEffectName(const InterfaceTexts& texts, int effect);
TextView BrightnessText(int index);
TextView PeriodText(int index);
// (index + 1) half seconds: "0.5S", "1S", ... "15S".
Text NeonParameterText(int index);

// What the Parameter and Effect labels show for the model's mode.
struct LightingLabels {
  Text mode, parameter, effect;
};
LightingLabels LightingLabelsFor(const SettingsModel& model, const InterfaceTexts& texts);

}  // namespace px

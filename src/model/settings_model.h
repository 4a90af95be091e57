#pragma once
// The user's settings record. config.bin stores it byte for byte after one
// flag byte, so its layout is a file format: every field sits at a fixed
// offset, proven below.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/color.h"

namespace px {

// Arrays of 16 hold Mode A buttons 1..8 at 0..7 and Mode B buttons 1..8 at 8..15.
using ButtonArray = std::array<std::uint8_t, 16>;

inline constexpr int kButtonsPerMode = 8;
inline constexpr int kShownButtons = 4;
inline constexpr int kDpiStages = 4;

// Index into the 16-entry button arrays of button b (1..8) in mode m (0 = A, 1 = B).
constexpr int ButtonIndex(int button, int mode) { return button - 1 + kButtonsPerMode * mode; }

struct SettingsModel {
  std::array<std::uint8_t, 5> Reserved0;           // 0..4: kept, never interpreted
  std::uint8_t ReportRateCode;                     // 5: 1, 2, 4, 8 = 1000, 500, 250, 125 Hz
  std::uint8_t Reserved6;                          // 6
  std::array<std::uint8_t, 4> DpiLevel;            // 7..10
  std::array<std::uint8_t, 4> DpiStageEnabled;     // 11..14: 1 = in use
  std::array<Rgb, 4> DpiStageColor;                // 15..26
  std::uint8_t LightMode;                          // 27: 0 Off, 1 Standard, 2 Respiration, 3 Neon
  std::uint8_t LightParamStandard;                 // 28
  std::uint8_t LightParamBreath;                   // 29
  std::uint8_t LightParamNeon;                     // 30
  std::uint8_t LightEffectStandard;                // 31
  std::uint8_t LightEffect;                        // 32: 1 RGB Effect, 2 RGB Flash
  std::uint8_t LightEffectNeon;                    // 33
  std::uint8_t Reserved34;                         // 34
  std::uint8_t ButtonMode;                         // 35: 0 Mode A, 1 Mode B
  std::uint8_t FireMakeTime;                       // 36
  std::uint8_t FireBreakTime;                      // 37
  std::uint8_t SnipeDpiCode;                       // 38
  ButtonArray ButtonFunction;                      // 39..54
  ButtonArray MediaIndex;                          // 55..70
  ButtonArray WindowsIndex;                        // 71..86
  ButtonArray HotKeyIndex;                         // 87..102
  ButtonArray SingleKeyUsage;                      // 103..118
  ButtonArray SnipeIndex;                          // 119..134
  ButtonArray FireKeyListIndex;                    // 135..150
  ButtonArray FireKeyUsage;                        // 151..166
  ButtonArray FireTimes;                           // 167..182
  ButtonArray DpiSwitchCode;                       // 183..198

  std::span<std::uint8_t, 199> Bytes() { return std::span<std::uint8_t, 199>(reinterpret_cast<std::uint8_t*>(this), 199); }
  std::span<const std::uint8_t, 199> Bytes() const {
    return std::span<const std::uint8_t, 199>(reinterpret_cast<const std::uint8_t*>(this), 199);
  }
  friend bool operator==(const SettingsModel&, const SettingsModel&) = default;
};

inline constexpr std::size_t kSettingsModelSize = 199;

static_assert(sizeof(SettingsModel) == kSettingsModelSize);
static_assert(alignof(SettingsModel) == 1);
static_assert(offsetof(SettingsModel, ReportRateCode) == 5);
static_assert(offsetof(SettingsModel, DpiLevel) == 7);
static_assert(offsetof(SettingsModel, DpiStageEnabled) == 11);
static_assert(offsetof(SettingsModel, DpiStageColor) == 15);
static_assert(offsetof(SettingsModel, LightMode) == 27);
static_assert(offsetof(SettingsModel, LightParamStandard) == 28);
static_assert(offsetof(SettingsModel, LightParamBreath) == 29);
static_assert(offsetof(SettingsModel, LightParamNeon) == 30);
static_assert(offsetof(SettingsModel, LightEffectStandard) == 31);
static_assert(offsetof(SettingsModel, LightEffect) == 32);
static_assert(offsetof(SettingsModel, LightEffectNeon) == 33);
static_assert(offsetof(SettingsModel, ButtonMode) == 35);
static_assert(offsetof(SettingsModel, FireMakeTime) == 36);
static_assert(offsetof(SettingsModel, FireBreakTime) == 37);
static_assert(offsetof(SettingsModel, SnipeDpiCode) == 38);
static_assert(offsetof(SettingsModel, ButtonFunction) == 39);
static_assert(offsetof(SettingsModel, MediaIndex) == 55);
static_assert(offsetof(SettingsModel, WindowsIndex) == 71);
static_assert(offsetof(SettingsModel, HotKeyIndex) == 87);
static_assert(offsetof(SettingsModel, SingleKeyUsage) == 103);
static_assert(offsetof(SettingsModel, SnipeIndex) == 119);
static_assert(offsetof(SettingsModel, FireKeyListIndex) == 135);
static_assert(offsetof(SettingsModel, FireKeyUsage) == 151);
static_assert(offsetof(SettingsModel, FireTimes) == 167);
static_assert(offsetof(SettingsModel, DpiSwitchCode) == 183);

// The model as last loaded or applied; Cancel returns to it.
using SavedSettings = SettingsModel;

}  // namespace px

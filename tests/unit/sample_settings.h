#pragma once
// One settings record used by the composition tests, the px6410ctl tests and
// the benchmark: every parameter function, Shift and Snipe Key among the
// eight buttons sent, a stage out of use between stages in use, and a level
// that only the twelve-level table has.
#include "model/settings_model.h"

namespace px {

inline SettingsModel SampleSettings() {
  SettingsModel m{};
  m.ReportRateCode = 4;
  m.DpiLevel = {0, 3, 7, 11};
  m.DpiStageEnabled = {1, 0, 1, 1};
  m.DpiStageColor = {Rgb{0xFF, 0x00, 0x10}, Rgb{0, 0xAB, 0}, Rgb{1, 2, 3}, Rgb{0xDE, 0xAD, 0xBE}};
  m.LightMode = 2;
  m.LightParamBreath = 1;
  m.LightEffect = 1;
  m.FireMakeTime = 32;
  m.FireBreakTime = 40;
  m.ButtonFunction = {0, 7, 9, 5, 0, 0, 0, 0, 13, 8, 6, 11, 0, 0, 0, 0};
  m.MediaIndex[1] = 4;
  m.FireKeyUsage[2] = 0xF3;
  m.FireTimes[2] = 0;
  m.DpiSwitchCode[3] = 5;
  m.HotKeyIndex[9] = 7;
  m.WindowsIndex[10] = 2;
  m.SnipeIndex[11] = 1;
  m.SnipeDpiCode = 0x02;
  return m;
}

}  // namespace px

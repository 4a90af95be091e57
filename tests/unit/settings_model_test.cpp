#include <gtest/gtest.h>

#include <numeric>

#include "model/settings_model.h"

namespace px {
namespace {

// config.bin stores the model byte for byte: a record whose byte n holds n
// must show each field's offset in that field.
TEST(SettingsModelLayout, NamedFieldsReadTheirFileBytes) {
  SettingsModel m{};
  auto bytes = m.Bytes();
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});

  EXPECT_EQ(m.ReportRateCode, 5);
  EXPECT_EQ(m.DpiLevel[0], 7);
  EXPECT_EQ(m.DpiLevel[3], 10);
  EXPECT_EQ(m.DpiStageEnabled[0], 11);
  EXPECT_EQ(m.DpiStageColor[0], (Rgb{15, 16, 17}));  // red, green, blue
  EXPECT_EQ(m.DpiStageColor[3].blue, 26);
  EXPECT_EQ(m.LightMode, 27);
  EXPECT_EQ(m.LightEffect, 32);
  EXPECT_EQ(m.LightEffectNeon, 33);
  EXPECT_EQ(m.ButtonMode, 35);
  EXPECT_EQ(m.SnipeDpiCode, 38);
  // Each 16-entry array: first and last entry.
  const std::pair<const ButtonArray*, int> arrays[] = {
      {&m.ButtonFunction, 39}, {&m.MediaIndex, 55},        {&m.WindowsIndex, 71}, {&m.HotKeyIndex, 87},
      {&m.SingleKeyUsage, 103}, {&m.SnipeIndex, 119},      {&m.FireKeyListIndex, 135},
      {&m.FireKeyUsage, 151},  {&m.FireTimes, 167},        {&m.DpiSwitchCode, 183},
  };
  for (const auto& [array, offset] : arrays) {
    EXPECT_EQ((*array)[0], offset);
    EXPECT_EQ((*array)[15], offset + 15);
  }
  EXPECT_EQ(bytes.back(), 198);
}

}  // namespace
}  // namespace px

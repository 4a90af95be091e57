#include <gtest/gtest.h>

#include <numeric>

#include "device/device_image.h"
#include "device/settings_model.h"

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
  EXPECT_EQ(m.DpiStageColor[0][0], 15);
  EXPECT_EQ(m.DpiStageColor[3][2], 26);
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

TEST(SettingsModelLayout, ButtonIndexSplitsModes) {
  EXPECT_EQ(ButtonIndex(1, 0), 0);
  EXPECT_EQ(ButtonIndex(8, 0), 7);
  EXPECT_EQ(ButtonIndex(1, 1), 8);
  EXPECT_EQ(ButtonIndex(4, 1), 11);
}

TEST(DeviceImageLayout, BlocksFollowTheStatusBytesInWireOrder) {
  DeviceImage image;
  auto bytes = image.Bytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
  EXPECT_EQ(image.USBReportRate, 0);
  EXPECT_EQ(image.SensorDPIStage, 1);
  EXPECT_EQ(image.Block(1)[0], 2);
  EXPECT_EQ(image.Block(3)[0], 130);
  EXPECT_EQ(image.Block(4)[0], 194);
  EXPECT_EQ(image.Block(5)[63], 321 % 251);
  image.Clear();
  for (auto b : image.Bytes()) ASSERT_EQ(b, 0);
}

}  // namespace
}  // namespace px

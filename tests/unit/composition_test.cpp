#include <gtest/gtest.h>

#include <set>

#include "model/button_catalogue.h"
#include "model/composition.h"
#include "sample_settings.h"

namespace px {
namespace {

constexpr std::size_t At(int block, std::size_t offset) { return 2 + kConfigBlockSize * static_cast<std::size_t>(block - 1) + offset; }

// An image as a mouse might return it: every byte non-zero and distinct
// from its neighbours, so that a stray write shows.
DeviceImage ReadImage() {
  DeviceImage image;
  auto bytes = image.Bytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(0x40 + (i * 7) % 150);
  return image;
}

// Every byte outside `written` (image offsets) is as it was.
void ExpectOnlyWritten(const DeviceImage& before, const DeviceImage& after, const std::set<std::size_t>& written) {
  for (std::size_t i = 0; i < kDeviceImageSize; ++i) {
    if (!written.contains(i)) {
      EXPECT_EQ(after.Bytes()[i], before.Bytes()[i]) << "image byte " << i;
    }
  }
}

std::set<std::size_t> Range(int block, std::size_t first, std::size_t last) {
  std::set<std::size_t> s;
  for (std::size_t o = first; o <= last; ++o) s.insert(At(block, o));
  return s;
}

std::set<std::size_t> Union(std::set<std::size_t> a, const std::set<std::size_t>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

TEST(WriteFixedTables, ConsumerUsagesLittleEndianAndHotKeys) {
  const DeviceImage before = ReadImage();
  DeviceImage image = before;
  WriteFixedTables(image);
  const ConfigBlock& b4 = image.Block(4);
  EXPECT_EQ(b4[32], 0xB5);
  EXPECT_EQ(b4[33], 0x00);
  EXPECT_EQ(b4[46], 0x83);  // entry 7: media player 0x0183
  EXPECT_EQ(b4[47], 0x01);
  EXPECT_EQ(b4[62], 0x27);  // entry 15: refresh 0x0227
  EXPECT_EQ(b4[63], 0x02);
  const ConfigBlock& b5 = image.Block(5);
  const std::uint8_t keys[] = {0x06, 0x1B, 0x19, 0x04, 0x12, 0x11, 0x16, 0x1D};
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(b5[48 + 2 * i], 0xE0);
    EXPECT_EQ(b5[49 + 2 * i], keys[i]);
  }
  ExpectOnlyWritten(before, image, Union(Range(4, 32, 63), Range(5, 48, 63)));
}

TEST(ComposeReportRate, TakesTheModelAndKeepsTheStageByte) {
  const DeviceImage before = ReadImage();
  DeviceImage image = before;
  SettingsModel m{};
  m.ReportRateCode = 8;
  ComposeReportRate(image, m);
  EXPECT_EQ(image.USBReportRate, 8);
  ExpectOnlyWritten(before, image, {0});
}

struct LightingCase {
  std::uint8_t mode, effect;
  std::set<std::size_t> written;  // block 4 offsets
  std::array<int, 6> bytes7to12;  // -1: as read
};

TEST(ComposeLighting, EveryModeAndEffectBranch) {
  const DeviceImage before = ReadImage();
  const ConfigBlock& read = before.Block(4);
  const LightingCase cases[] = {
      {0, 2, {7, 10}, {0, -1, -1, 0, -1, -1}},
      {1, 2, {7, 10, 11, 12}, {1, -1, -1, 1, 6, 2}},               // standard ignores the effect
      {2, 1, {7, 10, 11, 12}, {1, -1, -1, 2, 3, 2}},
      {2, 2, {7, 8, 9, 10, 11, 12}, {2, 0xFA, 3, 2, 3, 3}},
      {2, 0, {10, 11}, {-1, -1, -1, 2, 3, -1}},                    // effect outside the table
      {2, 9, {10, 11}, {-1, -1, -1, 2, 3, -1}},
      {3, 1, {10}, {-1, -1, -1, 3, -1, -1}},                       // neon: mode byte only
      {200, 2, {10}, {-1, -1, -1, 200, -1, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << int{c.mode} << " effect " << int{c.effect});
    SettingsModel m{};
    m.LightMode = c.mode;
    m.LightEffect = c.effect;
    m.LightParamStandard = 6;
    m.LightParamBreath = 3;
    DeviceImage image = before;
    ComposeLighting(image, m);
    std::set<std::size_t> written;
    for (auto o : c.written) written.insert(At(4, o));
    ExpectOnlyWritten(before, image, written);
    for (std::size_t k = 0; k < 6; ++k) {
      const int expected = c.bytes7to12[k] < 0 ? read[7 + k] : c.bytes7to12[k];
      EXPECT_EQ(image.Block(4)[7 + k], expected) << "block 4 byte " << 7 + k;
    }
  }
}

TEST(ComposeStageColors, PacksStagesInUseWithoutGaps) {
  const DeviceImage before = ReadImage();
  DeviceImage image = before;
  SettingsModel m{};
  m.DpiStageEnabled = {1, 0, 1, 0};
  m.DpiStageColor = {Rgb{0x11, 0x12, 0x13}, Rgb{0x21, 0x22, 0x23}, Rgb{0x31, 0x32, 0x33}, Rgb{0x41, 0x42, 0x43}};
  ComposeStageColors(image, m);
  const ConfigBlock& b5 = image.Block(5);
  const std::uint8_t packed[] = {0x11, 0x12, 0x13, 0x31, 0x32, 0x33};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(b5[24 + i], packed[i]);
  for (std::size_t i = 30; i < 48; ++i) EXPECT_EQ(b5[i], 0) << i;
  EXPECT_EQ(image.Block(4)[6], 2);
  ExpectOnlyWritten(before, image, Union(Range(5, 24, 47), {At(4, 6)}));
}

TEST(ComposeStageColors, OnlyAFlagOfExactlyOneCounts) {
  DeviceImage image = ReadImage();
  SettingsModel m{};
  m.DpiStageEnabled = {0, 2, 0xFF, 1};
  m.DpiStageColor[3] = Rgb{7, 8, 9};
  ComposeStageColors(image, m);
  EXPECT_EQ(image.Block(4)[6], 1);
  EXPECT_EQ(image.Block(5)[24], 7);
  EXPECT_EQ(image.Block(5)[27], 0);
}

TEST(ComposeStageColors, NoStageInUseClearsTheList) {
  DeviceImage image = ReadImage();
  SettingsModel m{};
  m.DpiStageColor[0] = Rgb{1, 2, 3};
  ComposeStageColors(image, m);
  EXPECT_EQ(image.Block(4)[6], 0);
  for (std::size_t i = 24; i < 48; ++i) EXPECT_EQ(image.Block(5)[i], 0) << i;
}

TEST(ComposeDpiCodes, AllFourStagesWithBit7OnThoseOutOfUse) {
  const DeviceImage before = ReadImage();
  DeviceImage image = before;
  SettingsModel m{};
  m.DpiLevel = {0, 4, 7, 11};
  m.DpiStageEnabled = {1, 0, 1, 0};
  ComposeDpiCodes(image, m, 2);
  const ConfigBlock& b4 = image.Block(4);
  EXPECT_EQ(b4[24], 0x02);
  EXPECT_EQ(b4[25], 0x8A);
  EXPECT_EQ(b4[26], 0x2A);
  EXPECT_EQ(b4[27], 0x80);  // level 12 does not exist in variant 2
  ExpectOnlyWritten(before, image, Range(4, 24, 27));

  m.DpiStageEnabled = {2, 0xFF, 1, 1};  // damaged flags count as not in use, as for the colours
  ComposeDpiCodes(image, m, 2);
  EXPECT_EQ(b4[24], 0x82);
  EXPECT_EQ(b4[25], 0x8A);
}

TEST(ComposeSnipeAndFireTimes, CopyTheSharedValues) {
  const DeviceImage before = ReadImage();
  DeviceImage image = before;
  SettingsModel m{};
  m.SnipeDpiCode = 0x26;
  m.FireMakeTime = 5;
  m.FireBreakTime = 255;
  ComposeSnipeDpi(image, m);
  ComposeFireTimes(image, m);
  EXPECT_EQ(image.Block(4)[23], 0x26);
  EXPECT_EQ(image.Block(4)[14], 5);
  EXPECT_EQ(image.Block(4)[15], 255);
  ExpectOnlyWritten(before, image, {At(4, 23), At(4, 14), At(4, 15)});
}

TEST(ComposeButtons, SlotsOfBothModesWithTheFourthButtonApart) {
  const DeviceImage before = ReadImage();
  DeviceImage image = before;
  SettingsModel m{};
  m.ButtonFunction = {0, 1, 2, 4, 9, 9, 9, 9, 13, 12, 11, 3, 9, 9, 9, 9};
  m.ButtonFunction[4] = 1;  // button 5 of Mode A: kept in the model, never sent
  ComposeButtons(image, m);
  const ConfigBlock& b3 = image.Block(3);
  const std::pair<std::size_t, ButtonEntry> expected[] = {
      {0, {0xF0, 0}}, {2, {0xF1, 0}}, {4, {0xF2, 0}}, {10, {0xF3, 0}},             // Mode A, button 4 at slot 5
      {32, {0x06, 3}}, {34, {0x00, 0}}, {36, {0x0A, 3}}, {40, {0xF4, 0}},          // Mode B, button 4 at slot 20
  };
  std::set<std::size_t> written;
  for (const auto& [offset, entry] : expected) {
    EXPECT_EQ(b3[offset], entry.code) << "block 3 byte " << offset;
    EXPECT_EQ(b3[offset + 1], entry.kind) << "block 3 byte " << offset + 1;
    written.insert(At(3, offset));
    written.insert(At(3, offset + 1));
  }
  // Slots 3, 4 and 19 (bytes 6..9, 38..39) keep what the mouse returned.
  ExpectOnlyWritten(before, image, written);
}

TEST(ComposeFromModel, RunsEveryStepAndIsRepeatable) {
  const SettingsModel m = SampleSettings();
  DeviceImage image = ReadImage();
  image.Block(4)[1] = 1;
  const std::uint8_t stage = image.SensorDPIStage;
  WriteFixedTables(image);
  ComposeFromModel(image, m, 1);
  EXPECT_EQ(image.USBReportRate, 4);
  EXPECT_EQ(image.SensorDPIStage, stage);
  EXPECT_EQ(image.Block(4)[1], 1);      // the variant byte is read only
  EXPECT_EQ(image.Block(4)[6], 3);
  EXPECT_EQ(image.Block(4)[7], 1);      // respiration, RGB Effect
  EXPECT_EQ(image.Block(4)[11], 1);
  EXPECT_EQ(image.Block(4)[14], 32);
  EXPECT_EQ(image.Block(4)[15], 40);
  EXPECT_EQ(image.Block(4)[23], 0x02);
  EXPECT_EQ(image.Block(4)[24], 0x01);
  EXPECT_EQ(image.Block(4)[25], 0x84);  // level 4 of variant 1, not in use
  EXPECT_EQ(image.Block(4)[26], 0x25);
  EXPECT_EQ(image.Block(4)[27], 0x00);  // level 12 is past variant 1's table
  EXPECT_EQ(image.Block(5)[27], 1);     // stage 3 packed second
  EXPECT_EQ(image.Block(5)[30], 0xDE);  // stage 4 packed third
  const std::pair<std::size_t, ButtonEntry> buttons[] = {
      {0, {0xF0, 0x00}},  {2, {0x04, 0x02}},  {4, {0xF3, 0x80}},  {10, {0x05, 0x03}},
      {32, {0x06, 0x03}}, {34, {0x17, 0x02}}, {36, {0x09, 0x02}}, {40, {0x0A, 0x03}},
  };
  for (const auto& [offset, entry] : buttons) {
    EXPECT_EQ(image.Block(3)[offset], entry.code) << "block 3 byte " << offset;
    EXPECT_EQ(image.Block(3)[offset + 1], entry.kind) << "block 3 byte " << offset + 1;
  }

  DeviceImage again = image;
  WriteFixedTables(again);
  ComposeFromModel(again, m, 1);
  EXPECT_EQ(again, image);
}

}  // namespace
}  // namespace px

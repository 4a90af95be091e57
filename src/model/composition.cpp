#include "model/composition.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "model/button_catalogue.h"
#include "model/dpi_table.h"

namespace px {

namespace {

namespace off = image_offsets;

// Consumer-page usages the mouse sends for kind-0x02 positions 0..15: the
// seven media keys, then the nine Windows functions.
constexpr std::array<std::uint16_t, 16> ConsumerUsageTable{
    0x00B5, 0x00B6, 0x00B7, 0x00CD, 0x00E2, 0x00E9, 0x00EA, 0x0183,
    0x018A, 0x0192, 0x0194, 0x0221, 0x0223, 0x0224, 0x0225, 0x0227,
};

// (modifier, key) pairs for kind-0x02 positions 16..23: Left Control with
// C, X, V, A, O, N, S, Z.
constexpr std::array<std::array<std::uint8_t, 2>, 8> HotKeyTable{{
    {0xE0, 0x06}, {0xE0, 0x1B}, {0xE0, 0x19}, {0xE0, 0x04},
    {0xE0, 0x12}, {0xE0, 0x11}, {0xE0, 0x16}, {0xE0, 0x1D},
}};

static_assert(off::kConsumerUsageTable + 2 * ConsumerUsageTable.size() == kConfigBlockSize);
static_assert(off::kHotKeyTable + 2 * HotKeyTable.size() == kConfigBlockSize);

constexpr std::size_t kDpiColorListSize = 24;  // bytes 24..47 of block 5, cleared whole
static_assert(off::kDpiColorList + kDpiColorListSize == off::kHotKeyTable);

// Button entry slots in block 3 (2 bytes each) of buttons 1..4. The fourth
// button sits at slot 5 in Mode A but slot 20 in Mode B; both are the format.
constexpr std::array<std::size_t, kShownButtons> kModeASlots{0, 1, 2, 5};
constexpr std::array<std::size_t, kShownButtons> kModeBSlots{16, 17, 18, 20};

void StoreEntry(ConfigBlock& block, std::size_t slot, ButtonEntry entry) {
  block[2 * slot] = entry.code;
  block[2 * slot + 1] = entry.kind;
}

}  // namespace

void WriteFixedTables(DeviceImage& image) {
  ConfigBlock& block4 = image.Block(4);
  for (std::size_t i = 0; i < ConsumerUsageTable.size(); ++i) {
    block4[off::kConsumerUsageTable + 2 * i] = static_cast<std::uint8_t>(ConsumerUsageTable[i] & 0xFF);
    block4[off::kConsumerUsageTable + 2 * i + 1] = static_cast<std::uint8_t>(ConsumerUsageTable[i] >> 8);
  }
  ConfigBlock& block5 = image.Block(5);
  for (std::size_t i = 0; i < HotKeyTable.size(); ++i) {
    block5[off::kHotKeyTable + 2 * i] = HotKeyTable[i][0];
    block5[off::kHotKeyTable + 2 * i + 1] = HotKeyTable[i][1];
  }
}

void ComposeReportRate(DeviceImage& image, const SettingsModel& model) {
  // SensorDPIStage keeps what the mouse just reported.
  image.USBReportRate = model.ReportRateCode;
}

void ComposeLighting(DeviceImage& image, const SettingsModel& model) {
  ConfigBlock& b = image.Block(4);
  b[off::kLightMode] = model.LightMode;
  switch (model.LightMode) {
    case 0:
      b[off::kLightByte7] = 0;
      break;
    case 1:
      b[off::kLightByte12] = 2;
      b[off::kLightByte7] = 1;
      b[off::kLightByte11] = model.LightParamStandard;
      break;
    case 2:
      b[off::kLightByte11] = model.LightParamBreath;
      if (model.LightEffect == 1) {
        b[off::kLightByte12] = 2;
        b[off::kLightByte7] = 1;
      } else if (model.LightEffect == 2) {
        b[off::kLightByte12] = 3;
        b[off::kLightByte7] = 2;
        b[off::kLightByte8] = 0xFA;
        b[off::kLightByte9] = 3;
      }
      // Any other effect leaves the mouse's bytes as they were read.
      break;
    default:
      // Neon and unknown modes are the mouse's own; only the mode byte is sent.
      break;
  }
}

void ComposeStageColors(DeviceImage& image, const SettingsModel& model) {
  ConfigBlock& block5 = image.Block(5);
  const auto list = block5.begin() + static_cast<std::ptrdiff_t>(off::kDpiColorList);
  std::fill(list, list + static_cast<std::ptrdiff_t>(kDpiColorListSize), std::uint8_t{0});
  std::uint8_t copied = 0;
  for (std::size_t stage = 0; stage < kDpiStages; ++stage) {
    if (model.DpiStageEnabled[stage] != 1) continue;
    const Rgb& color = model.DpiStageColor[stage];
    const auto at = list + 3 * copied;
    at[0] = color.red;
    at[1] = color.green;
    at[2] = color.blue;
    ++copied;
  }
  image.Block(4)[off::kStagesInUse] = copied;
}

void ComposeSnipeDpi(DeviceImage& image, const SettingsModel& model) {
  image.Block(4)[off::kSnipeDpiCode] = model.SnipeDpiCode;
}

void ComposeDpiCodes(DeviceImage& image, const SettingsModel& model, std::uint8_t variant) {
  ConfigBlock& block4 = image.Block(4);
  for (std::size_t stage = 0; stage < kDpiStages; ++stage) {
    // In use means exactly 1, as for the colour list, so that the stage count
    // and the codes without bit 7 always agree.
    const bool inUse = model.DpiStageEnabled[stage] == 1;
    block4[off::kStageDpiCodes + stage] = DpiCode(model.DpiLevel[stage], inUse, variant);
  }
}

void ComposeFireTimes(DeviceImage& image, const SettingsModel& model) {
  ConfigBlock& block4 = image.Block(4);
  block4[off::kFireMakeTime] = model.FireMakeTime;
  block4[off::kFireBreakTime] = model.FireBreakTime;
}

void ComposeButtons(DeviceImage& image, const SettingsModel& model) {
  ConfigBlock& block3 = image.Block(3);
  for (int button = 1; button <= kShownButtons; ++button) {
    const auto b = static_cast<std::size_t>(button - 1);
    StoreEntry(block3, kModeASlots[b], EncodeButtonEntry(model, ButtonIndex(button, 0)));
    StoreEntry(block3, kModeBSlots[b], EncodeButtonEntry(model, ButtonIndex(button, 1)));
  }
}

void ComposeFromModel(DeviceImage& image, const SettingsModel& model, std::uint8_t dpiTableVariant) {
  ComposeReportRate(image, model);
  ComposeLighting(image, model);
  ComposeStageColors(image, model);
  ComposeSnipeDpi(image, model);
  ComposeDpiCodes(image, model, dpiTableVariant);
  ComposeFireTimes(image, model);
  ComposeButtons(image, model);
}

}  // namespace px

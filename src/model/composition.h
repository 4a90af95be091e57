#pragma once
// Folding the settings model into the device configuration image. The apply
// flow writes the fixed tables, refreshes the status bytes from the mouse,
// then runs the remaining steps in order; each step is callable on its own.
#include <cstdint>

#include "model/device_image.h"
#include "model/settings_model.h"

namespace px {

// Step 1: ConsumerUsageTable into block 4, HotKeyTable into block 5.
void WriteFixedTables(DeviceImage& image);

// Steps 3..9 in order. The variant selects the DPI code table.
void ComposeFromModel(DeviceImage& image, const SettingsModel& model, std::uint8_t dpiTableVariant);

// The individual steps, in the order ComposeFromModel runs them.
void ComposeReportRate(DeviceImage& image, const SettingsModel& model);                    // 3
void ComposeLighting(DeviceImage& image, const SettingsModel& model);                      // 4
void ComposeStageColors(DeviceImage& image, const SettingsModel& model);                   // 5
void ComposeSnipeDpi(DeviceImage& image, const SettingsModel& model);                      // 6
void ComposeDpiCodes(DeviceImage& image, const SettingsModel& model, std::uint8_t variant); // 7
void ComposeFireTimes(DeviceImage& image, const SettingsModel& model);                     // 8
void ComposeButtons(DeviceImage& image, const SettingsModel& model);                       // 9

}  // namespace px

// Composition and button encoding of a full image, as every apply runs them.
#include <benchmark/benchmark.h>

#include "buttons/button_catalogue.h"
#include "device/composition.h"

namespace px {
namespace {

SettingsModel BusyModel() {
  SettingsModel m{};
  m.ReportRateCode = 1;
  m.DpiLevel = {1, 4, 7, 11};
  m.DpiStageEnabled = {1, 0, 1, 1};
  m.DpiStageColor = {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}, Rgb{255, 255, 0}};
  m.LightMode = 2;
  m.LightParamBreath = 2;
  m.LightEffect = 2;
  m.FireMakeTime = 32;
  m.FireBreakTime = 32;
  m.SnipeDpiCode = 0x02;
  // Every parameter function somewhere among the eight shown buttons.
  m.ButtonFunction = {0, 9, 7, 5, 0, 0, 0, 0, 13, 8, 6, 10, 0, 0, 0, 0};
  m.FireKeyUsage[1] = 0x04;
  m.FireTimes[1] = 10;
  m.MediaIndex[2] = 3;
  m.DpiSwitchCode[3] = 5;
  m.HotKeyIndex[9] = 2;
  m.WindowsIndex[10] = 4;
  m.SingleKeyUsage[11] = 0x2C;
  return m;
}

void BM_ComposeFullImage(benchmark::State& state) {
  const SettingsModel model = BusyModel();
  DeviceImage image;
  image.Block(4)[1] = 0;
  for (auto _ : state) {
    WriteFixedTables(image);
    ComposeFromModel(image, model, 0);
    benchmark::DoNotOptimize(image);
  }
}
BENCHMARK(BM_ComposeFullImage);

void BM_EncodeEveryFunctionIndex(benchmark::State& state) {
  ButtonParameters parameters{};
  parameters.fireTimes = 5;
  parameters.fireKeyUsage = 0xF0;
  for (auto _ : state) {
    unsigned sum = 0;
    for (unsigned index = 0; index < 256; ++index) {
      const ButtonEntry entry = EncodeButtonEntry(static_cast<std::uint8_t>(index), parameters);
      sum += entry.code + entry.kind;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_EncodeEveryFunctionIndex);

}  // namespace
}  // namespace px

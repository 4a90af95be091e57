// Composition and button encoding of a full image, as every apply runs them.
#include <benchmark/benchmark.h>

#include "buttons/button_catalogue.h"
#include "device/composition.h"
#include "../tests/unit/sample_settings.h"

namespace px {
namespace {

void BM_ComposeFullImage(benchmark::State& state) {
  const SettingsModel model = SampleSettings();
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

// Composition and button encoding of a full image, as every apply runs them.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "model/button_catalogue.h"
#include "model/composition.h"
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

// Baseline for the figure above: copying the model into the image's place,
// the least any composition has to touch.
void BM_CopyModelBaseline(benchmark::State& state) {
  const SettingsModel model = SampleSettings();
  DeviceImage image;
  for (auto _ : state) {
    std::copy(model.Bytes().begin(), model.Bytes().end(), image.Bytes().begin());
    benchmark::DoNotOptimize(image);
  }
}
BENCHMARK(BM_CopyModelBaseline);

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

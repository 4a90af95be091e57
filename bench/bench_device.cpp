// The cost of the device link itself: the transactions against the
// simulated mouse with the pauses counted, not slept; and a whole apply with
// real pauses, as a ratio to the 120 ms that its six pauses take at least.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "common/ports.h"
#include "model/composition.h"
#include "device/discovery.h"
#include "model/dpi_table.h"
#include "device/scrambling.h"
#include "device/simulated_mouse.h"
#include "device/transactions.h"
#include "device/wire_trace.h"

namespace px {
namespace {

class NoBoxes final : public MessageBoxPort {
 public:
  void ShowMessage(TextView, TextView) override { ++shown; }
  int shown = 0;
};

// A simulated mouse in a temporary state file, found and linked.
class BenchMouse {
 public:
  explicit BenchMouse(SimulatedMouse::Persistence persistence) {
    std::random_device rd;
    dir_ = std::filesystem::temp_directory_path() / ("px-bench-" + std::to_string(rd()));
    std::filesystem::create_directories(dir_);
    DeviceImage state;
    auto bytes = state.Bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    state.Block(4)[image_offsets::kVariant] = 1;
    std::ofstream(dir_ / "state.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    mouse_ = std::make_shared<SimulatedMouse>(SystemFileSystem(), dir_ / "state.bin", SimulatedFaults{}, persistence);
    bus_ = std::make_unique<SimulatedHidBus>(mouse_, MouseInterfaces());
    Discover(*bus_, link, boxes);
    link.ScramblingOn = true;
  }
  ~BenchMouse() {
    link.CloseHandles();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  DeviceLink link;
  NoBoxes boxes;

 private:
  std::filesystem::path dir_;
  std::shared_ptr<SimulatedMouse> mouse_;
  std::unique_ptr<SimulatedHidBus> bus_;
};

// The transactions over a simulated mouse, counting the protocol's pauses.
struct BenchOperations {
  explicit BenchOperations(SimulatedMouse::Persistence persistence) : mouse(persistence) {}
  // Every run ends so: a box means the status check failed, and the pauses are averaged per iteration.
  void Report(benchmark::State& state) const {
    if (mouse.boxes.shown != 0) state.SkipWithError("status check failed");
    state.counters["pauses"] = benchmark::Counter(waits.count, benchmark::Counter::kAvgIterations);
    state.counters["paused_ms"] =
        benchmark::Counter(static_cast<double>(waits.totalMs), benchmark::Counter::kAvgIterations);
  }
  BenchMouse mouse;
  CountingWait waits;
  FeatureReportTransactions ops{mouse.link, mouse.boxes, waits, u"not detected"};
};

void BM_ReadOperation(benchmark::State& state) {
  BenchOperations bench(SimulatedMouse::Persistence::MemoryOnly);
  DeviceImage image;
  for (auto _ : state) {
    image.Clear();
    benchmark::DoNotOptimize(bench.ops.ReadOperation(image));
  }
  bench.Report(state);
}
BENCHMARK(BM_ReadOperation);

void WriteOperations(benchmark::State& state, SimulatedMouse::Persistence persistence) {
  BenchOperations bench(persistence);
  DeviceImage image;
  bench.ops.ReadOperation(image);
  for (auto _ : state) benchmark::DoNotOptimize(bench.ops.WriteOperation(image));
  bench.Report(state);
}

void BM_WriteOperation(benchmark::State& state) { WriteOperations(state, SimulatedMouse::Persistence::MemoryOnly); }
BENCHMARK(BM_WriteOperation);

// The same write with the mouse saving its state file after every block,
// as it does behind px6410ctl --sim.
void BM_WriteOperationSavingState(benchmark::State& state) {
  WriteOperations(state, SimulatedMouse::Persistence::EveryWrite);
}
BENCHMARK(BM_WriteOperationSavingState);

void BM_ScrambleBlockReport(benchmark::State& state) {
  std::array<std::uint8_t, kBlockReportSize> report{};
  for (std::size_t i = 0; i < report.size(); ++i) report[i] = static_cast<std::uint8_t>(i);
  for (auto _ : state) {
    ScrambleBlockReport(report);
    benchmark::DoNotOptimize(report);
  }
}
BENCHMARK(BM_ScrambleBlockReport);

// Fixed tables, GetDPIStage, composition, WriteOperation, sleeping for real.
void BM_ApplyWithRealPauses(benchmark::State& state) {
  BenchMouse mouse(SimulatedMouse::Persistence::EveryWrite);
  SleepingWait waits;
  FeatureReportTransactions ops(mouse.link, mouse.boxes, waits, u"not detected");
  DeviceImage image;
  ops.ReadOperation(image);
  const std::uint8_t variant = DpiTableVariantOf(image);
  SettingsModel model{};
  model.ReportRateCode = 2;
  model.DpiStageEnabled = {1, 1, 0, 1};
  model.LightMode = 1;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    WriteFixedTables(image);
    ops.GetDPIStage(image);
    ComposeFromModel(image, model, variant);
    ops.WriteOperation(image);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  if (mouse.boxes.shown != 0) state.SkipWithError("status check failed");
  state.counters["ratio_to_120ms"] = seconds / static_cast<double>(state.iterations()) / 0.120;
}
BENCHMARK(BM_ApplyWithRealPauses)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

}  // namespace
}  // namespace px

#pragma once
// Shared pieces of the device-link tests: a temporary folder and a simulated
// mouse behind a bus whose collections are traced.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "device/device_change.h"
#include "device/discovery.h"
#include "device/simulated_mouse.h"
#include "device/wire_trace.h"
#include "port_fakes.h"

namespace px::testing {

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("px-devicelink-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline constexpr TextView kNotDetected = u"The system did not detect the gaming mouse!";

// Memory byte i = 7i + 3, with report rate 2 (500 Hz) and stage 3.
inline DeviceImage PatternImage() {
  DeviceImage image;
  auto bytes = image.Bytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
  image.USBReportRate = 2;
  image.SensorDPIStage = 3;
  return image;
}

inline void WriteState(const std::filesystem::path& file, const DeviceImage& image) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(image.Bytes().data()), static_cast<std::streamsize>(kDeviceImageSize));
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A simulated mouse whose memory is a state file in a folder of its own (no
// state: the mouse is not plugged in), behind a bus of `devices`.
struct MouseOnBus {
  MouseOnBus(std::vector<SimulatedHidDevice> devices, const std::optional<DeviceImage>& state,
             SimulatedFaults faults = {})
      : stateFile(dir.path() / "state.bin") {
    if (state) WriteState(stateFile, *state);
    mouse = std::make_shared<SimulatedMouse>(SystemFileSystem(), stateFile, faults);
    bus = std::make_unique<SimulatedHidBus>(mouse, std::move(devices));
  }

  TempDir dir;
  std::filesystem::path stateFile;
  std::shared_ptr<SimulatedMouse> mouse;
  std::unique_ptr<SimulatedHidBus> bus;
  DeviceLink link;
  RecordingBoxes boxes;
};

// A simulated mouse with a state file, found by discovery, its collections
// traced into `trace`.
struct LinkedMouse : MouseOnBus {
  explicit LinkedMouse(const DeviceImage& state = PatternImage(), SimulatedFaults faults = {},
                       std::vector<SimulatedHidDevice> devices = MouseInterfaces())
      : MouseOnBus(std::move(devices), state, faults) {}

  // Discovery, scrambling on, and the trace wrapped around what is open.
  bool Connect() {
    const bool found = Discover(*bus, link, boxes);
    link.ScramblingOn = true;
    auto sink = [this](const std::string& line) { trace.push_back(line); };
    link.ControlHandle = std::make_unique<TracingCollection>(std::move(link.ControlHandle), "control", sink);
    link.DataHandle = std::make_unique<TracingCollection>(std::move(link.DataHandle), "data", sink);
    return found;
  }

  CountingWait counted;
  std::vector<std::string> trace;
  TracingWait waits{counted, [this](const std::string& line) { trace.push_back(line); }};
  FeatureReportTransactions operations{link, boxes, waits, kNotDetected};
};

}  // namespace px::testing

#include "app/win32/utility_bus.h"

#include "device/simulated_mouse.h"

namespace px {

std::unique_ptr<HidBus> MakeUtilityHidBus(TextView executableFolder) {
  Text statePath(executableFolder);
  statePath += kSimulatedMouseStateFile;
  auto mouse = std::make_shared<SimulatedMouse>(SystemFileSystem(), PathFromText(statePath));
  // The machine's own devices come first, as on a real bus.
  std::vector<SimulatedHidDevice> devices = ForeignInterfaces();
  for (auto& device : MouseInterfaces()) devices.push_back(std::move(device));
  return std::make_unique<SimulatedHidBus>(std::move(mouse), std::move(devices));
}

}  // namespace px

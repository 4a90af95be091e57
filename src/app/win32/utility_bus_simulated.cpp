#include "app/win32/utility_bus.h"

#include "device/simulated_mouse.h"

namespace px {

std::unique_ptr<HidBus> MakeUtilityHidBus(TextView executableFolder) {
  Text statePath(executableFolder);
  statePath += kSimulatedMouseStateFile;
  return MakeSimulatedMouseBus(PathFromText(statePath));
}

}  // namespace px

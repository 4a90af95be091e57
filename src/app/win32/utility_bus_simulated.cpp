#include "app/win32/utility_bus.h"

#include "device/simulated_mouse.h"
#include "storage/file_system.h"

namespace px {

std::unique_ptr<HidBus> MakeUtilityHidBus(TextView executableFolder) {
  Text statePath(executableFolder);
  statePath += kSimulatedMouseStateFile;
  return MakeSimulatedMouseBus(SystemFileSystem(), PathFromText(statePath));
}

}  // namespace px

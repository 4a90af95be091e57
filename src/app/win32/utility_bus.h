#pragma once
// The HID bus the utility discovers its mouse on. The real build links the
// system's bus; the simulator build links a simulated mouse whose memory is
// the state file beside the executable (no file, no mouse).
#include <memory>

#include "common/text.h"
#include "device/hid_port.h"

namespace px {

inline constexpr TextView kSimulatedMouseStateFile = u"simulated-mouse.bin";

std::unique_ptr<HidBus> MakeUtilityHidBus(TextView executableFolder);

}  // namespace px

#pragma once
// WM_DEVICECHANGE as the device session understands it: the event from
// wParam, the device kind and name from the broadcast header in lParam, each
// translated from the system's numbers into the core's words here.
#include <windows.h>

#include "device/device_change.h"

namespace px {

struct DeviceChangeMessage {
  DeviceEvent event = DeviceEvent::Other;
  DeviceKind kind = DeviceKind::Other;  // Other when there is no broadcast header
  Text deviceName;
};

// The whole wParam is compared, so that high bits do not make an odd code an arrival.
DeviceEvent DeviceEventOfCode(WPARAM wParam);
DeviceKind DeviceKindOfType(std::uint32_t deviceType);

DeviceChangeMessage DecodeDeviceChangeMessage(WPARAM wParam, LPARAM lParam);

// Always answers TRUE, as the window procedure must.
LRESULT OnDeviceChangeMessage(DeviceSession& session, WPARAM wParam, LPARAM lParam);

}  // namespace px

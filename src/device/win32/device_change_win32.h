#pragma once
// WM_DEVICECHANGE as the device session understands it: the event code from
// wParam, the device type and name from the broadcast header in lParam.
#include <windows.h>

#include "device/device_change.h"

namespace px {

struct DeviceChangeMessage {
  std::uint32_t eventCode = 0;
  std::uint32_t deviceType = 0;  // 0 when there is no broadcast header
  Text deviceName;
};

DeviceChangeMessage DecodeDeviceChangeMessage(WPARAM wParam, LPARAM lParam);

// Always answers TRUE, as the window procedure must.
LRESULT OnDeviceChangeMessage(DeviceSession& session, WPARAM wParam, LPARAM lParam);

}  // namespace px

#pragma once
// WM_DEVICECHANGE as the device session understands it: the event code from
// wParam, the device type and name from the broadcast header in lParam.
#include <windows.h>

#include "device/device_change.h"

namespace px {

// Always answers TRUE, as the window procedure must.
LRESULT OnDeviceChangeMessage(DeviceSession& session, WPARAM wParam, LPARAM lParam);

}  // namespace px

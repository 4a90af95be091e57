#pragma once
// WM_DEVICECHANGE as the device session understands it: the event from
// wParam, the device kind and name from the broadcast header in lParam, each
// translated from the system's numbers into the core's words here.
#include <windows.h>

#include "device/device_change.h"
#include "winui/handles.h"

namespace px {

struct DeviceChangeMessage {
  DeviceEvent event = DeviceEvent::Other;
  DeviceKind kind = DeviceKind::Other;  // Other when there is no broadcast header
  Text deviceName;
};

DeviceChangeMessage DecodeDeviceChangeMessage(WPARAM wParam, LPARAM lParam);

// The window's WM_DEVICECHANGE for HID device interfaces; empty on failure.
winui::UniqueDeviceNotify RegisterHidDeviceNotification(HWND window);

}  // namespace px

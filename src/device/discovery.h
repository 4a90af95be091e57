#pragma once
// Finding the mouse among the present HID device interfaces and opening its
// control (keyboard, 8-byte reports) and data (mouse, 65-byte reports)
// collections.
#include "common/ports.h"
#include "device/device_link.h"
#include "device/hid_port.h"

namespace px {

// Answers whether the control collection is open. Handles of an earlier run
// are closed first; the enumeration goes on after the control collection
// until the data collection is open too or the list ends. A collection that
// cannot be opened gets the box "CreateFile Error Code:%d" (caption: the
// application's title).
bool Discover(HidBus& bus, DeviceLink& link, MessageBoxPort& boxes);

// The text of that box for a platform error code.
Text CreateFileErrorText(std::uint32_t errorCode);

}  // namespace px

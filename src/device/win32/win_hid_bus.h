#pragma once
// The HID device interface class: the one the system bus lists the mice of
// (win_hid_bus.cpp) and the one the main window asks device notices for.
#include <windows.h>

namespace px {

// {4D1E55B2-F16F-11CF-88CB-001111000030}: the HID device interface class.
inline constexpr GUID kHidInterfaceClass{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

}  // namespace px

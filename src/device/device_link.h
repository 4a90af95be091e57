#pragma once
// What discovery opened: the two collections of the mouse, their feature
// report lengths and the process-wide flags of the link.
#include <cstdint>
#include <memory>

#include "device/hid_port.h"

namespace px {

inline constexpr std::uint16_t kMouseVendorId = 0x04D9;
inline constexpr std::uint16_t kMouseProductId = 0xA09E;

inline constexpr std::uint16_t kGenericDesktopPage = 0x01;
inline constexpr std::uint16_t kUsageMouse = 0x02;
inline constexpr std::uint16_t kUsageKeyboard = 0x06;
inline constexpr std::uint16_t kControlReportLength = 8;
inline constexpr std::uint16_t kDataReportLength = 65;

struct DeviceLink {
  std::unique_ptr<HidCollection> ControlHandle;  // keyboard collection, 8-byte reports
  std::unique_ptr<HidCollection> DataHandle;     // mouse collection, 65-byte reports
  std::uint16_t ControlReportLength = 0;
  std::uint16_t DataReportLength = 0;
  int DevicePresent = 0;      // 1 = the control collection is open
  bool ScramblingOn = false;  // switched on at every successful discovery, never off

  void CloseHandles() {
    ControlHandle.reset();
    DataHandle.reset();
    ControlReportLength = 0;
    DataReportLength = 0;
  }
};

}  // namespace px

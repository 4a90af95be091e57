#include "device/win32/device_change_win32.h"

#include <dbt.h>

#include <cstddef>
#include <cwchar>

namespace px {

LRESULT OnDeviceChangeMessage(DeviceSession& session, WPARAM wParam, LPARAM lParam) {
  const auto eventCode = static_cast<std::uint32_t>(wParam);
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  // A broadcast from another process arrives copied by its own dbch_size:
  // one too short for the header carries no device type to trust. The whole
  // wParam is compared, so that high bits do not make an odd code an arrival.
  if (header == nullptr || (wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE) ||
      header->dbch_size < sizeof(DEV_BROADCAST_HDR)) {
    session.OnDeviceChange(eventCode, 0, u"");
    return TRUE;
  }
  Text name;
  if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
    // The name ends with its terminator or with the structure, whichever comes first.
    const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    constexpr std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (header->dbch_size > nameOffset) {
      const std::size_t maxChars = (header->dbch_size - nameOffset) / sizeof(wchar_t);
      const std::size_t length = wcsnlen(broadcast->dbcc_name, maxChars);
      name.assign(reinterpret_cast<const char16_t*>(broadcast->dbcc_name), length);
    }
  }
  session.OnDeviceChange(eventCode, header->dbch_devicetype, name);
  return TRUE;
}

}  // namespace px

#include "device/win32/device_change_win32.h"

#include <dbt.h>

#include <cstddef>

namespace px {

DeviceChangeMessage DecodeDeviceChangeMessage(WPARAM wParam, LPARAM lParam) {
  DeviceChangeMessage decoded;
  decoded.eventCode = static_cast<std::uint32_t>(wParam);
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  // A broadcast from another process arrives copied by its own dbch_size:
  // nothing beyond it counts. The whole wParam is compared, so that high bits
  // do not make an odd code an arrival.
  if (header == nullptr || (wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE)) return decoded;
  const std::optional<DeviceBroadcast> broadcast = DecodeDeviceBroadcast(
      std::span(reinterpret_cast<const std::uint8_t*>(header), static_cast<std::size_t>(header->dbch_size)));
  if (!broadcast) return decoded;
  decoded.deviceType = broadcast->deviceType;
  decoded.deviceName = broadcast->name;
  return decoded;
}

LRESULT OnDeviceChangeMessage(DeviceSession& session, WPARAM wParam, LPARAM lParam) {
  const DeviceChangeMessage change = DecodeDeviceChangeMessage(wParam, lParam);
  session.OnDeviceChange(change.eventCode, change.deviceType, change.deviceName);
  return TRUE;
}

static_assert(sizeof(DEV_BROADCAST_HDR) == kBroadcastHeaderSize);
static_assert(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) == kBroadcastNameOffset);

}  // namespace px

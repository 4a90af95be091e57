#include "device/win32/device_change_win32.h"

#include <dbt.h>

#include <cstddef>

namespace px {

DeviceEvent DeviceEventOfCode(WPARAM wParam) {
  switch (wParam) {
    case DBT_DEVICEARRIVAL: return DeviceEvent::Arrival;
    case DBT_DEVICEREMOVECOMPLETE: return DeviceEvent::RemoveComplete;
    default: return DeviceEvent::Other;
  }
}

DeviceKind DeviceKindOfType(std::uint32_t deviceType) {
  return deviceType == DBT_DEVTYP_DEVICEINTERFACE ? DeviceKind::Interface : DeviceKind::Other;
}

DeviceChangeMessage DecodeDeviceChangeMessage(WPARAM wParam, LPARAM lParam) {
  DeviceChangeMessage decoded;
  decoded.event = DeviceEventOfCode(wParam);
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  // A broadcast from another process arrives copied by its own dbch_size:
  // nothing beyond it counts.
  if (header == nullptr || decoded.event == DeviceEvent::Other) return decoded;
  const std::optional<DeviceBroadcast> broadcast = DecodeDeviceBroadcast(
      std::span(reinterpret_cast<const std::uint8_t*>(header), static_cast<std::size_t>(header->dbch_size)));
  if (!broadcast) return decoded;
  decoded.kind = DeviceKindOfType(broadcast->deviceType);
  if (decoded.kind == DeviceKind::Interface) decoded.deviceName = broadcast->name;
  return decoded;
}

LRESULT OnDeviceChangeMessage(DeviceSession& session, WPARAM wParam, LPARAM lParam) {
  const DeviceChangeMessage change = DecodeDeviceChangeMessage(wParam, lParam);
  session.OnDeviceChange(change.event, change.kind, change.deviceName);
  return TRUE;
}

static_assert(sizeof(DEV_BROADCAST_HDR) == kBroadcastHeaderSize);
static_assert(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) == kBroadcastNameOffset);

}  // namespace px

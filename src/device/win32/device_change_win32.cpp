#include "device/win32/device_change_win32.h"

#include <dbt.h>

#include <cstddef>

#include "device/win32/win_hid_bus.h"

namespace px {

DeviceChangeMessage DecodeDeviceChangeMessage(WPARAM wParam, LPARAM lParam) {
  DeviceChangeMessage decoded;
  // The whole wParam is compared, so that high bits do not make an odd code an arrival.
  decoded.event = wParam == DBT_DEVICEARRIVAL          ? DeviceEvent::Arrival
                  : wParam == DBT_DEVICEREMOVECOMPLETE ? DeviceEvent::RemoveComplete
                                                       : DeviceEvent::Other;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  // A broadcast from another process arrives copied by its own dbch_size:
  // nothing beyond it counts.
  if (header == nullptr || decoded.event == DeviceEvent::Other) return decoded;
  const std::optional<DeviceBroadcast> broadcast = DecodeDeviceBroadcast(
      std::span(reinterpret_cast<const std::uint8_t*>(header), static_cast<std::size_t>(header->dbch_size)));
  if (!broadcast) return decoded;
  decoded.kind = broadcast->deviceType == DBT_DEVTYP_DEVICEINTERFACE ? DeviceKind::Interface : DeviceKind::Other;
  if (decoded.kind == DeviceKind::Interface) decoded.deviceName = broadcast->name;
  return decoded;
}

winui::UniqueDeviceNotify RegisterHidDeviceNotification(HWND window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof(filter);
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kHidInterfaceClass;
  return winui::UniqueDeviceNotify(::RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

static_assert(sizeof(DEV_BROADCAST_HDR) == kBroadcastHeaderSize);
static_assert(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) == kBroadcastNameOffset);
static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) == 32);

}  // namespace px

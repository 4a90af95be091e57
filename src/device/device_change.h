#pragma once
// The mouse's link for the whole run: discovery at start, the reaction to
// device-interface notifications, and the transactions over what is open.
#include <cstdint>
#include <optional>
#include <span>

#include "common/ports.h"
#include "model/device_image.h"
#include "device/device_link.h"
#include "device/hid_port.h"
#include "device/transactions.h"

namespace px {

// A device change in the core's words; each system's adapter translates its
// own announcement (on Windows the device-change broadcast's event code and
// device type, in device/win32/device_change_win32.h).
enum class DeviceEvent : std::uint8_t {
  Arrival,         // a device is ready to use
  RemoveComplete,  // a device is gone
  Other,           // queries, node changes, anything else: not counted
};
enum class DeviceKind : std::uint8_t {
  Interface,  // a device interface, named by its path
  Other,      // volumes, ports, a broadcast without a header
};

// Searched for, case-sensitively, in the device name of a notification.
inline constexpr TextView kMouseIdMixedCase = u"Vid_04d9&Pid_a09e";
inline constexpr TextView kMouseIdUpperCase = u"VID_04D9&PID_A09E";
inline constexpr std::uint8_t kDeviceChangesPerDiscovery = 4;

bool NamesTheMouse(TextView deviceName);

// A device-change broadcast as bytes, as many as its own size field says
// (another process's broadcast is copied by that size): size, device type and
// a reserved word (32 bits each, little-endian); for a device interface then
// the class GUID (16 bytes) and the name in UTF-16, which ends at its
// terminator or at the end of the bytes. Nothing when the bytes are shorter
// than the header. The type stays the broadcast's own number: the adapter
// that knows the system's codes says which one is a device interface.
struct DeviceBroadcast {
  std::uint32_t deviceType = 0;
  Text name;  // what follows the class GUID; meaningful for device interfaces only
};
inline constexpr std::size_t kBroadcastHeaderSize = 12;
inline constexpr std::size_t kBroadcastNameOffset = 28;
std::optional<DeviceBroadcast> DecodeDeviceBroadcast(std::span<const std::uint8_t> bytes);

// Where the outcome of a discovery goes: the tray balloons (types 14 and 15)
// and the main window.
class DeviceNotificationPort {
 public:
  virtual ~DeviceNotificationPort() = default;
  virtual void MouseDetected() = 0;
  virtual void MouseNotDetected() = 0;
  virtual void HideMainWindow() = 0;
};

class DeviceSession {
 public:
  // `image` is the process-wide device configuration image.
  DeviceSession(HidBus& bus, MessageBoxPort& boxes, WaitPort& waits, DeviceNotificationPort& notifications,
                DeviceImage& image, TextView mouseNotDetected);

  // Start-up: discover; when found switch scrambling on and read the image;
  // otherwise announce that the mouse was not detected. Answers DevicePresent.
  bool StartUp();

  // A counted device change: `kind` and `deviceName` come from the
  // broadcast's header (Other and empty when there is none). Always answers true.
  bool OnDeviceChange(DeviceEvent event, DeviceKind kind, TextView deviceName);

  // The mouse came or went as one event (Linux reports each hidraw node
  // once, not each collection): discovery runs at once, with the reactions
  // of a counted change, and the count is left alone.
  void OnMouseChange(bool arrived);

  DeviceLink& Link() { return link_; }
  FeatureReportTransactions& Operations() { return operations_; }
  int DevicePresent() const { return link_.DevicePresent; }
  std::uint8_t DpiTableVariant() const { return dpiTableVariant_; }
  std::uint8_t DeviceChangeCounter() const { return deviceChangeCounter_; }
  // Closes both collections (at exit).
  void Close() { link_.CloseHandles(); }

 private:
  void ReadImage();
  // What a discovery run by a device change leads to.
  void React(bool found, bool arrival);

  HidBus& bus_;
  MessageBoxPort& boxes_;
  DeviceNotificationPort& notifications_;
  DeviceImage& image_;
  DeviceLink link_;
  FeatureReportTransactions operations_;
  std::uint8_t dpiTableVariant_ = 0;
  std::uint8_t deviceChangeCounter_ = 0;
};

}  // namespace px

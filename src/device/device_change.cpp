#include "device/device_change.h"

#include "device/discovery.h"
#include "model/dpi_table.h"

namespace px {

bool NamesTheMouse(TextView deviceName) {
  return deviceName.find(kMouseIdMixedCase) != TextView::npos ||
         deviceName.find(kMouseIdUpperCase) != TextView::npos;
}

std::optional<DeviceBroadcast> DecodeDeviceBroadcast(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kBroadcastHeaderSize) return std::nullopt;
  const auto word = [&](std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
  };
  DeviceBroadcast broadcast;
  broadcast.deviceType = word(4);
  for (std::size_t at = kBroadcastNameOffset; at + 1 < bytes.size(); at += 2) {
    const auto c = static_cast<char16_t>(bytes[at] | bytes[at + 1] << 8);
    if (c == 0) break;
    broadcast.name += c;
  }
  return broadcast;
}

DeviceSession::DeviceSession(HidBus& bus, MessageBoxPort& boxes, WaitPort& waits,
                             DeviceNotificationPort& notifications, DeviceImage& image, TextView mouseNotDetected)
    : bus_(bus),
      boxes_(boxes),
      notifications_(notifications),
      image_(image),
      operations_(link_, boxes, waits, mouseNotDetected) {}

void DeviceSession::ReadImage() {
  link_.ScramblingOn = true;
  image_.Clear();
  operations_.ReadOperation(image_);
  dpiTableVariant_ = DpiTableVariantOf(image_);
}

bool DeviceSession::StartUp() {
  if (Discover(bus_, link_, boxes_)) {
    link_.DevicePresent = 1;
    ReadImage();
  } else {
    notifications_.MouseNotDetected();
    link_.DevicePresent = 0;
  }
  return link_.DevicePresent == 1;
}

bool DeviceSession::OnDeviceChange(DeviceEvent event, DeviceKind kind, TextView deviceName) {
  if (event == DeviceEvent::Other || kind != DeviceKind::Interface) return true;
  if (!NamesTheMouse(deviceName)) return true;

  // Arrivals and removals share the count; one mouse brings several
  // interfaces, so discovery waits for the fourth.
  if (++deviceChangeCounter_ < kDeviceChangesPerDiscovery) return true;

  const bool found = Discover(bus_, link_, boxes_);
  deviceChangeCounter_ = 0;
  React(found, event == DeviceEvent::Arrival);
  return true;
}

void DeviceSession::OnMouseChange(bool arrived) { React(Discover(bus_, link_, boxes_), arrived); }

void DeviceSession::React(bool found, bool arrival) {
  // The mouse found is always spoken to scrambled, whatever event ran the
  // discovery: a removal that finds it again must not leave the next Apply
  // talking in clear.
  if (found) link_.ScramblingOn = true;
  if (!found) {
    notifications_.MouseNotDetected();
    notifications_.HideMainWindow();
    link_.DevicePresent = 0;
  } else if (arrival) {
    notifications_.MouseDetected();
    ReadImage();
    link_.DevicePresent = 1;
  } else {
    link_.DevicePresent = 1;
  }
}

}  // namespace px

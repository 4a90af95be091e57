#pragma once
// hidraw nodes coming and going, from udev: the monitor's socket for an
// event loop to watch, and each event as the device session needs it.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "device/hid_port.h"

struct udev;
struct udev_monitor;

namespace px {

struct HidrawPlug {
  bool arrived = false;  // add; otherwise remove
  HidAttributes ids;
};

// The vendor and product of a hidraw node from its device path, which passes
// through the HID device's own folder "BBBB:VVVV:PPPP.NNNN"
// (".../0003:04D9:A09E.0001/hidraw/hidraw3"). Read from the path because a
// removed node's folders are gone from sysfs by the time the event is read.
std::optional<HidAttributes> HidIdsFromDevPath(std::string_view devpath);

class UdevHidrawMonitor {
 public:
  // Nothing when udev cannot be reached (no udev in a container, say): the
  // program then runs without noticing plugs.
  static std::unique_ptr<UdevHidrawMonitor> Open(std::string* error = nullptr);
  ~UdevHidrawMonitor();
  UdevHidrawMonitor(const UdevHidrawMonitor&) = delete;
  UdevHidrawMonitor& operator=(const UdevHidrawMonitor&) = delete;

  // Readable when an event waits (non-blocking).
  int Fd() const;
  // The next waiting add or remove of a hidraw node; nothing when none waits
  // or the event is of another kind.
  std::optional<HidrawPlug> Receive();

 private:
  UdevHidrawMonitor(udev* context, udev_monitor* monitor) : udev_(context), monitor_(monitor) {}
  udev* udev_;
  udev_monitor* monitor_;
};

}  // namespace px

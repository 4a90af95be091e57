#include "device/linux/udev_monitor.h"

#include <libudev.h>

#include <charconv>
#include <cstring>

namespace px {
namespace {

std::optional<unsigned> Hex(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<HidAttributes> HidIdsFromDevPath(std::string_view devpath) {
  // The folder just above "/hidraw/".
  const std::size_t mark = devpath.rfind("/hidraw/");
  if (mark == std::string_view::npos) return std::nullopt;
  const std::string_view above = devpath.substr(0, mark);
  const std::string_view folder = above.substr(above.rfind('/') + 1);
  // BBBB:VVVV:PPPP.NNNN
  if (folder.size() != 19 || folder[4] != ':' || folder[9] != ':' || folder[14] != '.') return std::nullopt;
  const auto bus = Hex(folder.substr(0, 4));
  const auto vendor = Hex(folder.substr(5, 4));
  const auto product = Hex(folder.substr(10, 4));
  const auto instance = Hex(folder.substr(15, 4));
  if (!bus || !vendor || !product || !instance) return std::nullopt;
  return HidAttributes{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product)};
}

std::unique_ptr<UdevHidrawMonitor> UdevHidrawMonitor::Open(std::string* error) {
  auto fail = [&](const char* what) {
    if (error != nullptr) *error = what;
    return nullptr;
  };
  udev* context = udev_new();
  if (context == nullptr) return fail("no udev context");
  udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
  if (monitor == nullptr) {
    udev_unref(context);
    return fail("no udev monitor");
  }
  std::unique_ptr<UdevHidrawMonitor> owner(new UdevHidrawMonitor(context, monitor));
  if (udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor) < 0) {
    return fail("the udev monitor does not receive");
  }
  return owner;
}

UdevHidrawMonitor::~UdevHidrawMonitor() {
  udev_monitor_unref(monitor_);
  udev_unref(udev_);
}

int UdevHidrawMonitor::Fd() const { return udev_monitor_get_fd(monitor_); }

std::optional<HidrawPlug> UdevHidrawMonitor::Receive() {
  udev_device* device = udev_monitor_receive_device(monitor_);
  if (device == nullptr) return std::nullopt;
  std::optional<HidrawPlug> plug;
  const char* action = udev_device_get_action(device);
  const char* devpath = udev_device_get_devpath(device);
  const bool add = action != nullptr && std::strcmp(action, "add") == 0;
  const bool remove = action != nullptr && std::strcmp(action, "remove") == 0;
  if ((add || remove) && devpath != nullptr) {
    if (auto ids = HidIdsFromDevPath(devpath)) plug = HidrawPlug{add, *ids};
  }
  udev_device_unref(device);
  return plug;
}

}  // namespace px

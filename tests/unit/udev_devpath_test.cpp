// Which hidraw node an udev event names, from its device path alone (a
// removed node's sysfs folders are gone when the event is read).
#include <gtest/gtest.h>

#include "device/linux/udev_monitor.h"

namespace px {
namespace {

TEST(HidIdsFromDevPathTest, TheHidFolderAboveTheNodeGivesVendorAndProduct) {
  struct Case {
    const char* path;
    std::optional<std::pair<int, int>> ids;
  };
  const Case cases[] = {
      {"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:04D9:A09E.0007/hidraw/hidraw3", {{0x04D9, 0xA09E}}},
      {"/devices/virtual/misc/uhid/0003:04d9:a09e.0001/hidraw/hidraw0", {{0x04D9, 0xA09E}}},
      {"/devices/pci0000:00/usb1/1-1/1-1:1.0/0005:046D:B01A.000C/hidraw/hidraw12", {{0x046D, 0xB01A}}},
      {"/devices/pci0000:00/usb1/1-1/1-1:1.0/0003:04D9:A09E.0007/input/input5", std::nullopt},
      {"/devices/pci0000:00/usb1/1-1/1-1:1.0/0003:04D9:A09E/hidraw/hidraw3", std::nullopt},
      {"/devices/usb1/1-1/0003:04DX:A09E.0007/hidraw/hidraw3", std::nullopt},
      {"0003:04D9:A09E.0007/hidraw/hidraw3", {{0x04D9, 0xA09E}}},
      {"", std::nullopt},
      {"/hidraw/", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<HidAttributes> ids = HidIdsFromDevPath(c.path);
    ASSERT_EQ(ids.has_value(), c.ids.has_value()) << c.path;
    if (!ids) continue;
    EXPECT_EQ(ids->VendorID, c.ids->first) << c.path;
    EXPECT_EQ(ids->ProductID, c.ids->second) << c.path;
  }
}

}  // namespace
}  // namespace px

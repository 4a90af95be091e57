#pragma once
// The HID bus through hidraw: the walk of /sys/class/hidraw gives one
// interface per top-level collection of each hidraw node (Windows lists
// each collection as its own interface), with vendor and product from the
// HID device's uevent and the caps from its report descriptor. Feature
// reports go through HIDIOCSFEATURE / HIDIOCGFEATURE on /dev/hidrawN.
#include <filesystem>
#include <string>
#include <vector>

#include "device/hid_port.h"

namespace px {

struct HidrawLocations {
  std::filesystem::path sysfsRoot = "/sys";
  std::filesystem::path devRoot = "/dev";
};

struct HidrawInterface {
  Text path;                    // node, with "#k" for the k-th top-level collection when k > 0
  std::filesystem::path node;   // /dev/hidrawN
  HidAttributes attributes;
  HidCaps caps;
};

// Nodes in number order, collections in descriptor order. Nodes whose uevent
// or descriptor cannot be read or parsed are left out and noted in `skipped`.
std::vector<HidrawInterface> WalkHidraw(const HidrawLocations& where, std::vector<std::string>* skipped = nullptr);

// "HID_ID=0003:000004D9:0000A09E" -> 04D9, A09E.
std::optional<HidAttributes> ParseHidUevent(const std::string& uevent);

class HidrawBus final : public HidBus {
 public:
  explicit HidrawBus(HidrawLocations where = {});
  std::unique_ptr<HidInterfaceSet> PresentInterfaces() override;
  std::unique_ptr<HidQueryHandle> OpenForQuery(const Text& path) override;
  OpenedCollection OpenCollection(const Text& path, CollectionRole role) override;

 private:
  const HidrawInterface* Find(const Text& path) const;
  HidrawLocations where_;
  std::vector<HidrawInterface> walked_;
};

}  // namespace px

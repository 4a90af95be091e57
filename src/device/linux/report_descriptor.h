#pragma once
// The top-level collections of a HID report descriptor, with what Windows
// would report for each as its caps: usage page, usage, and the length in
// bytes of its longest feature report, report ID byte included (a device
// without report IDs still gets the leading zero byte).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/hid_port.h"

namespace px {

struct TopLevelCollection {
  HidCaps caps;
  std::vector<std::uint8_t> featureReportIds;  // 0 when the device numbers no reports
};

struct ParsedDescriptor {
  std::vector<TopLevelCollection> collections;
  std::string error;  // set when the descriptor is malformed; collections then hold what was parsed
};

ParsedDescriptor ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace px

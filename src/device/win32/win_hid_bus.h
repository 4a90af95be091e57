#pragma once
// The HID bus of Windows: SetupAPI lists the present HID device interfaces,
// hid.dll answers attributes and caps and carries the feature reports.
#include "device/hid_port.h"

namespace px {

class WinHidBus final : public HidBus {
 public:
  std::unique_ptr<HidInterfaceSet> PresentInterfaces() override;
  std::unique_ptr<HidQueryHandle> OpenForQuery(const Text& path) override;
  OpenedCollection OpenCollection(const Text& path, CollectionRole role) override;
};

}  // namespace px

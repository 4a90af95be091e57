#include "device/discovery.h"

#include <string>

namespace px {

Text CreateFileErrorText(std::uint32_t errorCode) {
  // %d of the error code: a signed 32-bit decimal.
  const std::string digits = std::to_string(static_cast<std::int32_t>(errorCode));
  return u"CreateFile Error Code:" + Text(digits.begin(), digits.end());
}

namespace {

// One of the two collections discovery opens, and where the link keeps it.
struct Collection {
  CollectionRole role;
  std::uint16_t usage;
  std::uint16_t reportLength;
  std::unique_ptr<HidCollection> DeviceLink::*handle;
  std::uint16_t DeviceLink::*length;
  std::unique_ptr<HidCollection> DeviceLink::*other;
};
constexpr Collection kData{CollectionRole::Data, kUsageMouse, kDataReportLength, &DeviceLink::DataHandle,
                           &DeviceLink::DataReportLength, &DeviceLink::ControlHandle};
constexpr Collection kControl{CollectionRole::Control, kUsageKeyboard, kControlReportLength,
                              &DeviceLink::ControlHandle, &DeviceLink::ControlReportLength, &DeviceLink::DataHandle};

bool Is(const Collection& collection, const HidCaps& caps) {
  return caps.Usage == collection.usage && caps.UsagePage == kGenericDesktopPage &&
         caps.FeatureReportByteLength == collection.reportLength;
}

enum class Step { Next, Stop };

// Opens the collection unless one is open already (the first is kept); the
// search stops once both are open, or at a failure to open.
Step OpenInto(const Collection& collection, HidBus& bus, const Text& path, const HidCaps& caps, DeviceLink& link,
              MessageBoxPort& boxes) {
  if (link.*collection.handle) return Step::Next;
  // The mouse counts as present from its control collection on, opened or not.
  if (collection.role == CollectionRole::Control) link.DevicePresent = 1;
  OpenedCollection opened = bus.OpenCollection(path, collection.role);
  if (!opened.collection) {
    boxes.ShowMessage(CreateFileErrorText(opened.errorCode), kApplicationTitle);
    return Step::Stop;
  }
  link.*collection.handle = std::move(opened.collection);
  link.*collection.length = caps.FeatureReportByteLength;
  return link.*collection.other ? Step::Stop : Step::Next;
}

// Steps 2..9 for the current interface of the set.
Step ExamineInterface(HidBus& bus, HidInterfaceSet& set, DeviceLink& link, MessageBoxPort& boxes) {
  // An interface that cannot be looked at is some other device (the
  // machine's own keyboard, a device another program holds): pass it over.
  const std::optional<Text> path = set.InterfacePath();
  if (!path) return Step::Next;

  std::unique_ptr<HidQueryHandle> query = bus.OpenForQuery(*path);
  if (!query) return Step::Next;

  const std::optional<HidAttributes> attributes = query->GetAttributes();
  if (!attributes || attributes->VendorID != kMouseVendorId || attributes->ProductID != kMouseProductId) {
    return Step::Next;
  }

  std::optional<HidCaps> caps;
  {
    std::unique_ptr<HidPreparsedData> preparsed = query->GetPreparsedData();
    if (!preparsed) return Step::Stop;
    query.reset();
    caps = preparsed->GetCaps();
    // The preparsed data is released here, right after use.
  }
  if (!caps) return Step::Stop;

  for (const Collection& collection : {kData, kControl}) {
    if (Is(collection, *caps)) return OpenInto(collection, bus, *path, *caps, link, boxes);
  }
  return Step::Next;  // another collection of the mouse
}

}  // namespace

bool Discover(HidBus& bus, DeviceLink& link, MessageBoxPort& boxes) {
  // A new run must not leak the handles of the last one.
  link.CloseHandles();

  std::unique_ptr<HidInterfaceSet> set = bus.PresentInterfaces();
  if (!set) return false;

  for (std::uint32_t index = 0;; ++index) {
    const HidInterfaceSet::EnumResult found = set->EnumInterface(index);
    if (found == HidInterfaceSet::EnumResult::NoMoreItems) break;
    const Step step = ExamineInterface(bus, *set, link, boxes);
    // Any enumeration error other than the end of the list ends the search
    // once the current interface has been examined.
    if (step == Step::Stop || found == HidInterfaceSet::EnumResult::Failed) break;
  }
  // The control collection decides: without it no command reaches the mouse.
  return link.ControlHandle != nullptr;
}

}  // namespace px

#include "device/discovery.h"

#include <string>

namespace px {

Text CreateFileErrorText(std::uint32_t errorCode) {
  // %d of the error code: a signed 32-bit decimal.
  const std::string digits = std::to_string(static_cast<std::int32_t>(errorCode));
  return u"CreateFile Error Code:" + Text(digits.begin(), digits.end());
}

namespace {

bool IsDataCollection(const HidCaps& caps) {
  return caps.Usage == kUsageMouse && caps.UsagePage == kGenericDesktopPage &&
         caps.FeatureReportByteLength == kDataReportLength;
}

bool IsControlCollection(const HidCaps& caps) {
  return caps.Usage == kUsageKeyboard && caps.UsagePage == kGenericDesktopPage &&
         caps.FeatureReportByteLength == kControlReportLength;
}

enum class Step { Next, Stop };

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

  if (IsDataCollection(*caps)) {
    if (link.DataHandle) return Step::Next;  // already open: keep the first
    OpenedCollection opened = bus.OpenCollection(*path, CollectionRole::Data);
    if (!opened.collection) {
      boxes.ShowMessage(CreateFileErrorText(opened.errorCode), kApplicationTitle);
      return Step::Stop;
    }
    link.DataHandle = std::move(opened.collection);
    link.DataReportLength = caps->FeatureReportByteLength;
    return link.ControlHandle ? Step::Stop : Step::Next;
  }
  if (IsControlCollection(*caps)) {
    if (link.ControlHandle) return Step::Next;
    link.DevicePresent = 1;
    OpenedCollection opened = bus.OpenCollection(*path, CollectionRole::Control);
    if (!opened.collection) {
      boxes.ShowMessage(CreateFileErrorText(opened.errorCode), kApplicationTitle);
      return Step::Stop;
    }
    link.ControlHandle = std::move(opened.collection);
    link.ControlReportLength = caps->FeatureReportByteLength;
    return link.DataHandle ? Step::Stop : Step::Next;
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

// A hidraw node's report descriptor, as the Linux bus parses it to find the
// mouse's collections: any bytes a device may hand over.
#include "device/linux/report_descriptor.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace px;
  const ParsedDescriptor parsed = ParseReportDescriptor(std::span(data, size));
  // A descriptor holds at most one collection per byte or two.
  if (parsed.collections.size() > size) fuzz::Broken();
  return 0;
}

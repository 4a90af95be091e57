#include "device/wire_trace.h"

#include <chrono>
#include <thread>

namespace px {

std::string LowerHex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0x0F]);
  }
  return hex;
}

TracingCollection::TracingCollection(std::unique_ptr<HidCollection> inner, std::string name, TraceSink sink)
    : inner_(std::move(inner)), name_(std::move(name)), sink_(std::move(sink)) {}

bool TracingCollection::SetFeature(std::span<const std::uint8_t> report) {
  const bool ok = inner_ && inner_->SetFeature(report);
  sink_("set " + name_ + " " + LowerHex(report) + (ok ? "" : " failed"));
  return ok;
}

bool TracingCollection::GetFeature(std::span<std::uint8_t> report) {
  const bool ok = inner_ && inner_->GetFeature(report);
  sink_("get " + name_ + " " + LowerHex(report) + (ok ? "" : " failed"));
  return ok;
}

void TracingWait::Wait(unsigned milliseconds) {
  sink_("wait " + std::to_string(milliseconds));
  inner_.Wait(milliseconds);
}

void SleepingWait::Wait(unsigned milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace px

#pragma once
// A record of every transfer and pause as it crossed the wire, one line
// each: "set control <hex>", "get control <hex>", "set data <hex>",
// "get data <hex>" (the whole report in lower-case hex, report ID included,
// as sent or as received, so scrambled) and "wait <ms>". A transfer that did
// not go through gets " failed" after its bytes.
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "common/ports.h"
#include "device/hid_port.h"

namespace px {

using TraceSink = std::function<void(const std::string& line)>;

std::string LowerHex(std::span<const std::uint8_t> bytes);

// Wraps an open collection (or none: every transfer then fails) under a name.
class TracingCollection final : public HidCollection {
 public:
  TracingCollection(std::unique_ptr<HidCollection> inner, std::string name, TraceSink sink);
  bool SetFeature(std::span<const std::uint8_t> report) override;
  bool GetFeature(std::span<std::uint8_t> report) override;

 private:
  std::unique_ptr<HidCollection> inner_;
  std::string name_;
  TraceSink sink_;
};

class TracingWait final : public WaitPort {
 public:
  TracingWait(WaitPort& inner, TraceSink sink) : inner_(inner), sink_(std::move(sink)) {}
  void Wait(unsigned milliseconds) override;

 private:
  WaitPort& inner_;
  TraceSink sink_;
};

// Sleeps for real.
class SleepingWait final : public WaitPort {
 public:
  void Wait(unsigned milliseconds) override;
};

// Counts the pauses and their total without sleeping.
class CountingWait final : public WaitPort {
 public:
  void Wait(unsigned milliseconds) override {
    ++count;
    totalMs += milliseconds;
  }
  unsigned count = 0;
  unsigned long long totalMs = 0;
};

}  // namespace px

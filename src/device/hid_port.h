#pragma once
// The HID bus as discovery and the transactions see it. Real adapters:
// SetupAPI + hid.dll (win32/), hidraw (linux/); the simulated bus stands in
// for both in tests and behind px6410ctl --sim. Paths are UTF-16 because the
// Windows device paths are.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "common/text.h"

namespace px {

struct HidAttributes {
  std::uint16_t VendorID = 0;
  std::uint16_t ProductID = 0;
};

struct HidCaps {
  std::uint16_t Usage = 0;
  std::uint16_t UsagePage = 0;
  std::uint16_t FeatureReportByteLength = 0;  // report ID byte included
};

// One open collection: the handle the feature reports travel through. Byte 0
// of every report is its report ID. Answers whether the transfer went through.
class HidCollection {
 public:
  virtual ~HidCollection() = default;
  virtual bool SetFeature(std::span<const std::uint8_t> report) = 0;
  virtual bool GetFeature(std::span<std::uint8_t> report) = 0;
};

// The collection's parsed report layout; released when destroyed.
class HidPreparsedData {
 public:
  virtual ~HidPreparsedData() = default;
  // Nothing when the data is invalid.
  virtual std::optional<HidCaps> GetCaps() = 0;
};

// A collection opened for querying only (no access rights requested).
class HidQueryHandle {
 public:
  virtual ~HidQueryHandle() = default;
  virtual std::optional<HidAttributes> GetAttributes() = 0;
  // Nothing when the preparsed data cannot be had.
  virtual std::unique_ptr<HidPreparsedData> GetPreparsedData() = 0;
};

// The set of present HID device interfaces, released when destroyed.
class HidInterfaceSet {
 public:
  enum class EnumResult { Found, NoMoreItems, Failed };
  virtual ~HidInterfaceSet() = default;
  // Makes member `index` the current interface. On Failed the current
  // interface stays what it was (none before the first success).
  virtual EnumResult EnumInterface(std::uint32_t index) = 0;
  // The current interface's device path; nothing when it cannot be fetched.
  virtual std::optional<Text> InterfacePath() = 0;
};

enum class CollectionRole { Control, Data };

struct OpenedCollection {
  std::unique_ptr<HidCollection> collection;  // null on failure
  std::uint32_t errorCode = 0;                // the platform's error on failure
};

class HidBus {
 public:
  virtual ~HidBus() = default;
  // Nothing when the set cannot be had.
  virtual std::unique_ptr<HidInterfaceSet> PresentInterfaces() = 0;
  // Null on failure.
  virtual std::unique_ptr<HidQueryHandle> OpenForQuery(const Text& path) = 0;
  // Opens a collection for feature reports.
  virtual OpenedCollection OpenCollection(const Text& path, CollectionRole role) = 0;
};

// The bus of this machine: hidraw on Linux, SetupAPI + hid.dll on Windows.
std::unique_ptr<HidBus> MakeSystemHidBus();

}  // namespace px

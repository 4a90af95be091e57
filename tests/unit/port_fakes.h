#pragma once
// The one test double of each narrow port the core talks through: message
// boxes, device notifications, str.ini, the mouse's operations, the main
// window and the skins folder search. Each records what it was asked,
// optionally into a shared event log, so that tests can assert the order of
// what happened across ports. Pauses need no double of their own:
// device/wire_trace.h's CountingWait counts them without sleeping.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/apply_flow.h"
#include "common/ports.h"
#include "device/device_change.h"
#include "device/device_operations.h"
#include "device/wire_trace.h"
#include "skin/skin_chooser.h"
#include "storage/profile_store.h"

namespace px::testing {

using EventLog = std::vector<std::string>;

struct Box {
  Text text, caption;
  friend bool operator==(const Box&, const Box&) = default;
};

class RecordingBoxes final : public MessageBoxPort {
 public:
  explicit RecordingBoxes(EventLog* log = nullptr) : log_(log) {}
  void ShowMessage(TextView text, TextView caption) override {
    shown.push_back({Text(text), Text(caption)});
    if (log_) log_->push_back("box " + ToUtf8(caption));
  }
  std::vector<Box> shown;

 private:
  EventLog* log_;
};

class RecordingNotifications final : public DeviceNotificationPort {
 public:
  void MouseDetected() override { Record("detected"); }
  void MouseNotDetected() override { Record("not detected"); }
  void HideMainWindow() override { Record("hide"); }
  std::vector<std::string> events;
  std::function<void(const std::string&)> observe;  // sees each event as it happens

 private:
  void Record(const std::string& event) {
    events.push_back(event);
    if (observe) observe(event);
  }
};

// What a device session reports through, recorded, and the image it fills.
struct SessionPorts {
  RecordingBoxes boxes;
  CountingWait waits;
  RecordingNotifications notes;
  DeviceImage image;
};

// str.ini as a map of (section, key); reads and writes are recorded in order
// as "section/key" and "section/key=value". A refused write stores nothing.
class MemoryProfileStore final : public ProfileStore {
 public:
  std::map<std::pair<Text, Text>, Text> values;
  std::vector<std::string> reads, writes;
  bool failWrites = false;

  Text Read(TextView section, TextView key) override {
    reads.push_back(ToUtf8(section) + "/" + ToUtf8(key));
    const auto it = values.find({Text(section), Text(key)});
    return it == values.end() ? Text{} : it->second;
  }
  bool Write(TextView section, TextView key, TextView value) override {
    writes.push_back(ToUtf8(section) + "/" + ToUtf8(key) + "=" + ToUtf8(value));
    if (failWrites) return false;
    values[{Text(section), Text(key)}] = Text(value);
    return true;
  }
};

// A mouse that answers as told and reports its failures with its own boxes.
class ScriptedMouse final : public DeviceOperations {
 public:
  explicit ScriptedMouse(EventLog* log = nullptr, MessageBoxPort* boxes = nullptr) : log_(log), boxes_(boxes) {}

  bool present = true;
  std::uint8_t reportRate = 4;
  std::uint8_t dpiStage = 3;
  DeviceImage stored{};  // what a read returns
  std::optional<DeviceImage> written;

  bool GetDPIStage(DeviceImage& image) override {
    if (!Step("GetDPIStage")) return false;
    image.USBReportRate = reportRate;
    image.SensorDPIStage = dpiStage;
    return true;
  }
  bool ReadOperation(DeviceImage& image) override {
    if (!Step("ReadOperation")) return false;
    image = stored;
    return true;
  }
  bool WriteOperation(const DeviceImage& image) override {
    if (!Step("WriteOperation")) return false;
    written = image;
    return true;
  }

 private:
  bool Step(const std::string& operation) {
    if (log_) log_->push_back(operation);
    if (present) return true;
    if (boxes_) boxes_->ShowMessage(u"status check failed", FromUtf8(operation));
    return false;
  }
  EventLog* log_;
  MessageBoxPort* boxes_;
};

class RecordingWindow final : public MainWindowPort {
 public:
  explicit RecordingWindow(EventLog* log = nullptr) : log_(log) {}
  void HideMainWindow() override {
    ++hidden;
    if (log_) log_->push_back("hide");
  }
  int hidden = 0;

 private:
  EventLog* log_;
};

// A skins folder that lists what it is given and remembers the roots searched.
class ListedFolders final : public FolderSearchPort {
 public:
  explicit ListedFolders(FolderListing given = {u"R/", {}}) : listing(std::move(given)) {}
  FolderListing Search(TextView root) override {
    roots.emplace_back(root);
    return listing;
  }
  FolderListing listing;
  std::vector<Text> roots;
};

}  // namespace px::testing

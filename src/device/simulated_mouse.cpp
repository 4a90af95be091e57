#include "device/simulated_mouse.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "device/device_link.h"
#include "device/scrambling.h"
#include "device/transactions.h"

namespace px {

// ---------------------------------------------------------------------------
// The mouse

class SimulatedMouse::Collection final : public HidCollection {
 public:
  Collection(SimulatedMouse& mouse, bool control) : mouse_(mouse), control_(control), plugging_(mouse.plugging_) {}
  bool SetFeature(std::span<const std::uint8_t> report) override {
    return control_ ? mouse_.ControlSet(plugging_, report) : mouse_.DataSet(plugging_, report);
  }
  bool GetFeature(std::span<std::uint8_t> report) override {
    return control_ ? mouse_.ControlGet(plugging_, report) : mouse_.DataGet(plugging_, report);
  }

 private:
  SimulatedMouse& mouse_;
  bool control_;
  unsigned plugging_;
};

SimulatedMouse::SimulatedMouse(FileSystem& files, NativePath stateFile, SimulatedFaults faults,
                               Persistence persistence)
    : files_(files), stateFile_(std::move(stateFile)), faults_(faults), persistence_(persistence) {}

SimulatedMouse::StateFile SimulatedMouse::Load() {
  const std::string name = PathForDisplay(stateFile_);
  // Bounded and non-blocking: a FIFO or /dev/zero named as the state file is
  // refused, not read until memory runs out.
  const ReadResult read = files_.Read(stateFile_, kDeviceImageSize);
  using S = ReadResult::Status;
  switch (read.status) {
    case S::Ok: break;
    case S::Missing:
      error_ = name + ": no such file (no mouse attached)";
      return StateFile::Missing;
    case S::Folder:
      error_ = name + ": a folder, not a mouse state file";
      return StateFile::Damaged;
    case S::NotAFile:
      error_ = name + ": not a regular file, not a mouse state file";
      return StateFile::Damaged;
    case S::TooLarge:
      error_ = name + ": not a mouse state file: more than " + std::to_string(kDeviceImageSize) + " bytes";
      return StateFile::Damaged;
    case S::Failed:
      error_ = name + ": cannot read the mouse state file: " + files_.ErrorText(read.error);
      return StateFile::Damaged;
  }
  if (read.bytes.size() != kDeviceImageSize) {
    error_ = name + ": not a mouse state file: " + std::to_string(read.bytes.size()) + " bytes, expected " +
             std::to_string(kDeviceImageSize);
    return StateFile::Damaged;
  }
  std::ranges::copy(read.bytes, memory_.Bytes().begin());
  error_.clear();
  return StateFile::Loaded;
}

bool SimulatedMouse::Attached() { return !unplugged_ && Load() == StateFile::Loaded; }

std::unique_ptr<HidCollection> SimulatedMouse::OpenControl() {
  if (!Attached()) return nullptr;
  return std::make_unique<Collection>(*this, true);
}

std::unique_ptr<HidCollection> SimulatedMouse::OpenData() {
  if (!Attached()) return nullptr;
  return std::make_unique<Collection>(*this, false);
}

// Only the state file's presence is asked (its memory is the mouse's own
// between loads), and not in memory-only runs, whose file is not the memory.
bool SimulatedMouse::StateFilePresent() {
  return persistence_ == Persistence::MemoryOnly || files_.Inspect(stateFile_).kind == FileKind::Regular;
}

bool SimulatedMouse::CountTransfer(unsigned plugging) {
  if (plugging != plugging_) return false;
  if (!StateFilePresent()) {
    ++plugging_;
    return false;
  }
  if (unplugged_ || faults_.failTransfers) return false;
  if (faults_.unplugAfterTransfers && transfers_ >= *faults_.unplugAfterTransfers) {
    unplugged_ = true;
    return false;
  }
  ++transfers_;
  return true;
}

// Through a temporary file, so that a crash never leaves half a state. A
// file removed since the transfer began, even while the state is written, is
// not made again: the mouse is gone.
bool SimulatedMouse::Save() {
  if (persistence_ == Persistence::MemoryOnly) return true;
  if (StateFilePresent() && WriteWholeExistingFile(files_, stateFile_, memory_.Bytes()).Ok()) return true;
  if (!StateFilePresent()) ++plugging_;
  return false;
}

bool SimulatedMouse::ControlSet(unsigned plugging, std::span<const std::uint8_t> report) {
  if (!CountTransfer(plugging)) return false;
  if (report.size() < kControlReportSize || report[0] != kControlReportId) return false;
  std::array<std::uint8_t, kControlReportSize> r{};
  std::copy_n(report.begin(), kControlReportSize, r.begin());
  UnscrambleControlReport(r);
  haveCommand_ = false;
  if (!std::equal(ReportSignature.begin(), ReportSignature.end(), r.begin() + 1)) return true;  // not for us
  const std::uint8_t command = r[5];
  if (command == kCommandStatusWrite) {
    memory_.USBReportRate = r[6];
    memory_.SensorDPIStage = r[7];
    return Save();
  }
  const int block = command & 0x7F;
  if (command == kCommandStatusRead || (block >= 1 && block <= kConfigBlockCount)) {
    lastCommand_ = command;
    haveCommand_ = true;
  }
  return true;
}

bool SimulatedMouse::ControlGet(unsigned plugging, std::span<std::uint8_t> report) {
  if (!CountTransfer(plugging)) return false;
  if (report.size() < kControlReportSize) return false;
  std::array<std::uint8_t, kControlReportSize> r{};
  r[0] = kControlReportId;
  std::copy(ReportSignature.begin(), ReportSignature.end(), r.begin() + 1);
  if (haveCommand_) {
    r[5] = lastCommand_;
    if (lastCommand_ == kCommandStatusRead) {
      r[6] = memory_.USBReportRate;
      r[7] = memory_.SensorDPIStage;
    }
  }
  if (faults_.wrongSignature) r[4] = static_cast<std::uint8_t>(r[4] ^ 0x01);
  ScrambleControlReport(r);
  if (faults_.wrongReportId) r[0] = 0x02;
  std::fill(report.begin(), report.end(), std::uint8_t{0});
  std::copy(r.begin(), r.end(), report.begin());
  return true;
}

bool SimulatedMouse::DataGet(unsigned plugging, std::span<std::uint8_t> report) {
  if (!CountTransfer(plugging)) return false;
  const int block = lastCommand_ & 0x7F;
  if (report.size() < kBlockReportSize || !haveCommand_ || (lastCommand_ & 0x80) == 0 || block < 1 ||
      block > kConfigBlockCount) {
    return false;
  }
  haveCommand_ = false;
  std::array<std::uint8_t, kBlockReportSize> r{};
  r[0] = kBlockReportId;
  std::copy(memory_.Block(block).begin(), memory_.Block(block).end(), r.begin() + 1);
  ScrambleBlockReport(r);
  std::fill(report.begin(), report.end(), std::uint8_t{0});
  std::copy(r.begin(), r.end(), report.begin());
  return true;
}

bool SimulatedMouse::DataSet(unsigned plugging, std::span<const std::uint8_t> report) {
  if (!CountTransfer(plugging)) return false;
  const int block = lastCommand_;
  if (report.size() < kBlockReportSize || report[0] != kBlockReportId || !haveCommand_ || block < 1 ||
      block > kConfigBlockCount) {
    return false;
  }
  haveCommand_ = false;
  std::array<std::uint8_t, kBlockReportSize> r{};
  std::copy_n(report.begin(), kBlockReportSize, r.begin());
  UnscrambleBlockReport(r);
  std::copy(r.begin() + 1, r.end(), memory_.Block(block).begin());
  return Save();
}

// ---------------------------------------------------------------------------
// The bus

std::vector<SimulatedHidDevice> MouseInterfaces() {
  using K = SimulatedHidDevice::Kind;
  const HidAttributes mouse{kMouseVendorId, kMouseProductId};
  return {
      {K::MouseControl, u"\\\\?\\HID#VID_04D9&PID_A09E&MI_00#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
       mouse, {kUsageKeyboard, kGenericDesktopPage, kControlReportLength}},
      {K::MouseData, u"\\\\?\\HID#VID_04D9&PID_A09E&MI_01&Col01#7&2b3c4d5e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
       mouse, {kUsageMouse, kGenericDesktopPage, kDataReportLength}},
      {K::MouseOther, u"\\\\?\\HID#VID_04D9&PID_A09E&MI_01&Col02#7&2b3c4d5e&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}",
       mouse, {0x01, 0x0C, 3}},
  };
}

std::vector<SimulatedHidDevice> ForeignInterfaces() {
  using K = SimulatedHidDevice::Kind;
  // Same usages and lengths as the mouse's, other identifiers: never taken.
  return {
      {K::Foreign, u"\\\\?\\HID#VID_046D&PID_C31C&MI_00#8&0a0b0c0d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
       {0x046D, 0xC31C}, {kUsageKeyboard, kGenericDesktopPage, kControlReportLength}},
      {K::Foreign, u"\\\\?\\HID#VID_04D9&PID_A09F#8&1b1c1d1e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
       {kMouseVendorId, 0xA09F}, {kUsageMouse, kGenericDesktopPage, kDataReportLength}},
  };
}

class SimulatedHidBus::Set final : public HidInterfaceSet {
 public:
  Set(std::vector<const SimulatedHidDevice*> listed, const SimulatedHidBus& bus, std::shared_ptr<int> live)
      : listed_(std::move(listed)), bus_(bus), live_(std::move(live)) {
    ++*live_;
  }
  ~Set() override { --*live_; }
  EnumResult EnumInterface(std::uint32_t index) override {
    if (bus_.enumFailsAt && *bus_.enumFailsAt == index) return EnumResult::Failed;
    if (index >= listed_.size()) return EnumResult::NoMoreItems;
    current_ = index;
    return EnumResult::Found;
  }
  std::optional<Text> InterfacePath() override {
    if (!current_ || (bus_.pathFailsAt && *bus_.pathFailsAt == *current_)) return std::nullopt;
    return listed_[*current_]->path;
  }

 private:
  std::vector<const SimulatedHidDevice*> listed_;
  const SimulatedHidBus& bus_;
  std::shared_ptr<int> live_;
  std::optional<std::uint32_t> current_;
};

class SimulatedHidBus::Preparsed final : public HidPreparsedData {
 public:
  Preparsed(const SimulatedHidDevice& device, std::shared_ptr<int> live) : device_(device), live_(std::move(live)) {
    ++*live_;
  }
  ~Preparsed() override { --*live_; }
  std::optional<HidCaps> GetCaps() override {
    if (device_.invalidPreparsedData) return std::nullopt;
    return device_.caps;
  }

 private:
  const SimulatedHidDevice& device_;
  std::shared_ptr<int> live_;
};

class SimulatedHidBus::Query final : public HidQueryHandle {
 public:
  Query(const SimulatedHidDevice& device, std::shared_ptr<int> handles, std::shared_ptr<int> preparsed)
      : device_(device), handles_(std::move(handles)), preparsed_(std::move(preparsed)) {
    ++*handles_;
  }
  ~Query() override { --*handles_; }
  std::optional<HidAttributes> GetAttributes() override { return device_.attributes; }
  std::unique_ptr<HidPreparsedData> GetPreparsedData() override {
    if (device_.failPreparsedData) return nullptr;
    return std::make_unique<Preparsed>(device_, preparsed_);
  }

 private:
  const SimulatedHidDevice& device_;
  std::shared_ptr<int> handles_;
  std::shared_ptr<int> preparsed_;
};

// A foreign device's collection answers nothing; the mouse's forwards to it.
class SimulatedHidBus::CountedCollection final : public HidCollection {
 public:
  CountedCollection(std::unique_ptr<HidCollection> inner, std::shared_ptr<SimulatedMouse> mouse,
                    std::shared_ptr<int> handles)
      : inner_(std::move(inner)), mouse_(std::move(mouse)), handles_(std::move(handles)) {
    ++*handles_;
  }
  ~CountedCollection() override { --*handles_; }
  bool SetFeature(std::span<const std::uint8_t> report) override { return inner_ && inner_->SetFeature(report); }
  bool GetFeature(std::span<std::uint8_t> report) override { return inner_ && inner_->GetFeature(report); }

 private:
  std::unique_ptr<HidCollection> inner_;
  std::shared_ptr<SimulatedMouse> mouse_;  // kept alive while a handle is open
  std::shared_ptr<int> handles_;
};

SimulatedHidBus::SimulatedHidBus(std::shared_ptr<SimulatedMouse> mouse, std::vector<SimulatedHidDevice> devices)
    : mouse_(std::move(mouse)), devices_(std::move(devices)) {}

const SimulatedHidDevice* SimulatedHidBus::Find(const Text& path) const {
  for (const auto& d : devices_) {
    if (d.path != path) continue;
    if (d.kind != SimulatedHidDevice::Kind::Foreign && !(mouse_ && mouse_->Attached())) return nullptr;
    return &d;
  }
  return nullptr;
}

std::unique_ptr<HidInterfaceSet> SimulatedHidBus::PresentInterfaces() {
  // A new discovery: what the last one opened has been released with it.
  opened_.clear();
  if (failInterfaceSet) return nullptr;
  const bool mousePresent = mouse_ && mouse_->Attached();
  std::vector<const SimulatedHidDevice*> listed;
  for (const auto& d : devices_) {
    if (d.kind == SimulatedHidDevice::Kind::Foreign || mousePresent) listed.push_back(&d);
  }
  return std::make_unique<Set>(std::move(listed), *this, liveSets_);
}

std::unique_ptr<HidQueryHandle> SimulatedHidBus::OpenForQuery(const Text& path) {
  const SimulatedHidDevice* device = Find(path);
  if (device == nullptr || device->failQueryOpen) return nullptr;
  return std::make_unique<Query>(*device, openHandles_, livePreparsed_);
}

OpenedCollection SimulatedHidBus::OpenCollection(const Text& path, CollectionRole role) {
  const SimulatedHidDevice* device = Find(path);
  if (device == nullptr) return {nullptr, 2};  // ERROR_FILE_NOT_FOUND
  if (device->failOpen) return {nullptr, device->openErrorCode};
  opened_.emplace_back(path, role);
  std::unique_ptr<HidCollection> inner;
  if (device->kind == SimulatedHidDevice::Kind::MouseControl) inner = mouse_->OpenControl();
  if (device->kind == SimulatedHidDevice::Kind::MouseData) inner = mouse_->OpenData();
  return {std::make_unique<CountedCollection>(std::move(inner), mouse_, openHandles_), 0};
}

std::unique_ptr<HidBus> MakeSimulatedMouseBus(FileSystem& files, const NativePath& stateFile) {
  auto mouse = std::make_shared<SimulatedMouse>(files, stateFile);
  std::vector<SimulatedHidDevice> devices = ForeignInterfaces();
  for (auto& device : MouseInterfaces()) devices.push_back(std::move(device));
  return std::make_unique<SimulatedHidBus>(std::move(mouse), std::move(devices));
}

}  // namespace px

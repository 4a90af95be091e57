#pragma once
// A stand-in for the mouse that keeps its side of the protocol: identity,
// the control and data collections, the status and block exchanges, and
// scrambling of everything it sends and receives. Its memory (status bytes
// and blocks 1..5, 322 bytes in image order) lives in a state file: loaded
// when a collection is opened, saved after every write. No state file, no
// mouse: once the file is gone, the collections opened before fail every
// transfer, as a real mouse's handles do once it is unplugged (even when
// the file comes back: a mouse plugged in again is opened again), and the
// file is never made again by a save. It can misbehave on request for tests.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/device_image.h"
#include "device/hid_port.h"
#include "storage/file_system.h"

namespace px {

struct SimulatedFaults {
  bool wrongSignature = false;  // status replies carry a damaged signature
  bool wrongReportId = false;   // status replies carry report ID 0x02
  bool failTransfers = false;   // every transfer fails
  // After this many transfers the mouse is gone: transfers fail and the bus
  // no longer lists it.
  std::optional<unsigned> unplugAfterTransfers;
};

class SimulatedMouse {
 public:
  enum class StateFile { Loaded, Missing, Damaged };

  // Memory only: writes are not saved (for benchmarks, where the file
  // system would drown the cost of the protocol itself).
  enum class Persistence { EveryWrite, MemoryOnly };

  SimulatedMouse(FileSystem& files, NativePath stateFile, SimulatedFaults faults = {},
                 Persistence persistence = Persistence::EveryWrite);

  // Reads the state file. Damaged (wrong size, unreadable, not a regular
  // file) leaves the memory as it was and sets Error().
  StateFile Load();
  const std::string& Error() const { return error_; }
  // Plugged in: the state file loads and the mouse has not been unplugged.
  bool Attached();

  std::unique_ptr<HidCollection> OpenControl();
  std::unique_ptr<HidCollection> OpenData();

  const DeviceImage& Memory() const { return memory_; }
  unsigned Transfers() const { return transfers_; }
  SimulatedFaults& Faults() { return faults_; }

 private:
  class Collection;
  // Whether a transfer on a collection opened while plugged in as
  // `plugging` goes through.
  bool CountTransfer(unsigned plugging);
  bool StateFilePresent();
  bool ControlSet(unsigned plugging, std::span<const std::uint8_t> report);
  bool ControlGet(unsigned plugging, std::span<std::uint8_t> report);
  bool DataSet(unsigned plugging, std::span<const std::uint8_t> report);
  bool DataGet(unsigned plugging, std::span<std::uint8_t> report);
  bool Save();

  FileSystem& files_;
  NativePath stateFile_;
  SimulatedFaults faults_;
  Persistence persistence_;
  DeviceImage memory_{};
  std::string error_;
  unsigned transfers_ = 0;
  bool unplugged_ = false;
  // Counts the times the state file was found gone: collections opened
  // before the latest stay dead.
  unsigned plugging_ = 0;
  std::uint8_t lastCommand_ = 0;
  bool haveCommand_ = false;
};

// One HID device interface as the simulated bus lists it.
struct SimulatedHidDevice {
  enum class Kind { Foreign, MouseControl, MouseData, MouseOther };
  Kind kind = Kind::Foreign;
  Text path;
  HidAttributes attributes;
  HidCaps caps;
  // Failures of the platform calls for this interface.
  bool failQueryOpen = false;
  bool failPreparsedData = false;
  bool invalidPreparsedData = false;
  bool failOpen = false;
  std::uint32_t openErrorCode = 5;  // ERROR_ACCESS_DENIED
};

// The mouse's three collections (control, data, and a consumer-control one
// that discovery must pass over) and a foreign keyboard and mouse.
std::vector<SimulatedHidDevice> MouseInterfaces();
std::vector<SimulatedHidDevice> ForeignInterfaces();

class SimulatedHidBus final : public HidBus {
 public:
  // Lists `devices` in the given order; the mouse's own entries only while
  // `mouse` is attached.
  SimulatedHidBus(std::shared_ptr<SimulatedMouse> mouse, std::vector<SimulatedHidDevice> devices);

  std::unique_ptr<HidInterfaceSet> PresentInterfaces() override;
  std::unique_ptr<HidQueryHandle> OpenForQuery(const Text& path) override;
  OpenedCollection OpenCollection(const Text& path, CollectionRole role) override;

  // Platform failures to imitate.
  bool failInterfaceSet = false;
  std::optional<std::uint32_t> enumFailsAt;   // an error other than the end of the list
  std::optional<std::uint32_t> pathFailsAt;

  // Resources alive right now, to prove that nothing leaks.
  int OpenHandles() const { return *openHandles_; }
  int LivePreparsedData() const { return *livePreparsed_; }
  int LiveInterfaceSets() const { return *liveSets_; }
  // Paths opened as collections by the latest discovery (since the latest
  // PresentInterfaces), in order, with their role.
  const std::vector<std::pair<Text, CollectionRole>>& Opened() const { return opened_; }

 private:
  class Set;
  class Query;
  class Preparsed;
  class CountedCollection;
  const SimulatedHidDevice* Find(const Text& path) const;

  std::shared_ptr<SimulatedMouse> mouse_;
  std::vector<SimulatedHidDevice> devices_;
  std::shared_ptr<int> openHandles_ = std::make_shared<int>(0);
  std::shared_ptr<int> livePreparsed_ = std::make_shared<int>(0);
  std::shared_ptr<int> liveSets_ = std::make_shared<int>(0);
  std::vector<std::pair<Text, CollectionRole>> opened_;
};

// The bus of a program run with a simulated mouse (the utility's simulator
// build, px6410 --sim): the machine's own devices first, as on a real bus,
// then the mouse whose memory is `stateFile` (no file, no mouse), kept
// through `files` (the machine's file system).
std::unique_ptr<HidBus> MakeSimulatedMouseBus(FileSystem& files, const NativePath& stateFile);

}  // namespace px

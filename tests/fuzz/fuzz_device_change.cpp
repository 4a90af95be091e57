// Device-change broadcasts as bytes, and the device session's reaction to
// any sequence of them with the mouse coming and going.
#include "../unit/storage_fakes.h"
#include "device/device_change.h"
#include "device/simulated_mouse.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace px;
  fuzz::Input in(data, size);
  testing::MemoryFileSystem files;
  const FileBytes state(kDeviceImageSize, 0x5A);
  auto mouse = std::make_shared<SimulatedMouse>(files, PathFromText(u"state.bin"));
  auto devices = ForeignInterfaces();
  for (auto& d : MouseInterfaces()) devices.push_back(d);
  SimulatedHidBus bus(mouse, devices);
  testing::SessionPorts ports;
  DeviceSession session(bus, ports.boxes, ports.waits, ports.notes, ports.image, u"not detected");
  session.StartUp();
  while (in.Left() > 0) {
    const std::uint8_t op = in.Byte();
    if (op & 0x80) {  // the mouse is plugged in or out
      if (op & 1) {
        files.files[u"state.bin"] = state;
      } else {
        files.files.erase(u"state.bin");
      }
    }
    const DeviceEvent event = (op & 0x40) ? DeviceEvent::Arrival : (op & 0x20) ? DeviceEvent::RemoveComplete : DeviceEvent::Other;
    const auto broadcast = DecodeDeviceBroadcast(in.Take(in.Byte()));
    // Any type may stand for a device interface here: the session sees only the kind.
    const DeviceKind kind = broadcast && (op & 0x10) ? DeviceKind::Interface : DeviceKind::Other;
    session.OnDeviceChange(event, kind, broadcast ? Text(broadcast->name) : Text());
    if (session.DeviceChangeCounter() >= kDeviceChangesPerDiscovery) fuzz::Broken();
    if (session.DevicePresent() == 1 && !session.Link().ScramblingOn) fuzz::Broken();
  }
  session.Close();
  if (bus.OpenHandles() != 0) fuzz::Broken();
  return 0;
}

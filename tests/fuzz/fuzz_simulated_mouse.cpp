// The simulated mouse: any state file, then any reports on its collections.
#include "../unit/storage_fakes.h"
#include "device/simulated_mouse.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace px;
  fuzz::Input in(data, size);
  testing::MemoryFileSystem files;
  const std::size_t stateSize = in.Byte() < 200 ? kDeviceImageSize : in.Byte();
  files.files[u"state.bin"] = in.Take(stateSize);
  SimulatedMouse mouse(files, PathFromText(u"state.bin"));
  const SimulatedMouse::StateFile state = mouse.Load();
  if ((state == SimulatedMouse::StateFile::Loaded) != (files.files[u"state.bin"].size() == kDeviceImageSize)) {
    fuzz::Broken();
  }
  auto control = mouse.OpenControl();
  auto dataCollection = mouse.OpenData();
  if (!control || !dataCollection) return 0;
  while (in.Left() > 0) {
    const std::uint8_t op = in.Byte();
    std::vector<std::uint8_t> report = in.Take(op & 0x7F);
    HidCollection& target = (op & 0x80) ? *dataCollection : *control;
    if (in.Byte() & 1) {
      target.SetFeature(report);
    } else {
      target.GetFeature(report);
    }
  }
  // Whatever arrived, the memory stays one whole state file.
  if (files.files[u"state.bin"].size() != kDeviceImageSize) fuzz::Broken();
  return 0;
}

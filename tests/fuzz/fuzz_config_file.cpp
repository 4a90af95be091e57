// config.bin as the utility loads and saves it: any bytes in the file.
#include "../unit/storage_fakes.h"
#include "fuzz_input.h"
#include "storage/config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace px;
  testing::MemoryFileSystem files;
  testing::RecordingBoxes boxes;
  files.files[u"config.bin"] = FileBytes(data, data + size);
  ConfigFile config(files, boxes, PathFromText(u"config.bin"));
  std::uint8_t flag = 0;
  SettingsModel model{};
  const ConfigLoadResult loaded = config.Load(flag, model);
  if ((loaded == ConfigLoadResult::Loaded) != (size == kConfigFileSize)) fuzz::Broken();
  if (loaded != ConfigLoadResult::Loaded && model != SettingsModel{}) fuzz::Broken();  // nothing half-read
  if (loaded == ConfigLoadResult::Loaded) {
    if (config.Save(model) != ConfigSaveResult::Saved) fuzz::Broken();
    SettingsModel again{};
    if (config.Load(flag, again) != ConfigLoadResult::Loaded || again != model || flag != 1) fuzz::Broken();
  }
  return 0;
}

#include "storage/shared_files.h"

#include "storage/config_file.h"
#include "storage/ini_file_store.h"

namespace px {

SharedSettingsFiles::SharedSettingsFiles(FileSystem& files, NativePath configFile, NativePath iniFile)
    : files_(files), configFile_(std::move(configFile)), iniFile_(std::move(iniFile)) {}

// Read as the utility reads them, with the same bounds: a file too large to
// be taken is one state, whatever it holds.
SharedSettingsFiles::Version SharedSettingsFiles::Now(const NativePath& path, std::size_t maxSize) {
  ReadResult read = files_.Read(path, maxSize);
  return Version{read.status, std::move(read.bytes)};
}

void SharedSettingsFiles::Remember() {
  config_ = Now(configFile_, kConfigFileSize);
  ini_ = Now(iniFile_, IniFileStore::kMaxFileSize);
}

bool SharedSettingsFiles::ChangedElsewhere() {
  return Now(configFile_, kConfigFileSize) != config_ || Now(iniFile_, IniFileStore::kMaxFileSize) != ini_;
}

}  // namespace px

#pragma once
// config.bin and str.ini may be shared: px6410ctl, or a second copy of the
// utility, can rewrite them while the utility runs on the same folder. This
// tells whether either file holds other bytes than when the utility last
// read or wrote it. The contents themselves are compared (both files are
// small): a rewrite within one tick of the file system's clock, of the same
// size, in place, is still seen, and a touch is no change.
#include <cstddef>

#include "storage/file_system.h"

namespace px {

class SharedSettingsFiles {
 public:
  SharedSettingsFiles(FileSystem& files, NativePath configFile, NativePath iniFile);

  // Takes the files as they are now as the ones the utility knows: just
  // before it reads them (a write that comes between is then seen at the
  // next check, not lost) and just after its own writes.
  void Remember();
  // Either file changed since Remember.
  bool ChangedElsewhere();

 private:
  struct Version {
    ReadResult::Status status = ReadResult::Status::Missing;
    FileBytes bytes;
    friend bool operator==(const Version&, const Version&) = default;
  };
  Version Now(const NativePath& path, std::size_t maxSize);

  FileSystem& files_;
  NativePath configFile_;
  NativePath iniFile_;
  Version config_;
  Version ini_;
};

}  // namespace px

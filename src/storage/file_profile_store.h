#pragma once
// What every str.ini store with a file of its own does alike, whoever writes
// the file's bytes: the staged copies beside it and the sweep of temporaries,
// at the place the file's link leads to.
#include "storage/file_system.h"
#include "storage/profile_store.h"

namespace px {

class FileProfileStore : public ProfileStore {
 public:
  FileProfileStore(FileSystem& files, NativePath path) : files_(files), path_(std::move(path)) {}

  void RemoveStaleTemporaries() override;
  bool CommitStaged(std::string_view tag) override;
  void DropStaged(std::string_view tag) override;
  void SettleStaged(const std::optional<std::string>& currentTag) override;

  const NativePath& Path() const { return path_; }

 protected:
  // The file, or the one its link leads to.
  NativePath Target() { return files_.Inspect(path_).resolved; }

  FileSystem& files_;
  const NativePath path_;
};

}  // namespace px

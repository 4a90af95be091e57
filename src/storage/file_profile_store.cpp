#include "storage/file_profile_store.h"

#include "storage/staged_file.h"
#include "storage/stale_temporaries.h"

namespace px {

void FileProfileStore::RemoveStaleTemporaries() { px::RemoveStaleTemporaries(files_, Target()); }

bool FileProfileStore::CommitStaged(std::string_view tag) {
  int error = 0;
  const bool committed = px::CommitStaged(files_, Target(), tag, error);
  RemoveStaleTemporaries();
  return committed;
}

void FileProfileStore::DropStaged(std::string_view tag) { files_.Remove(StagedPathOf(Target(), tag)); }

void FileProfileStore::SettleStaged(const std::optional<std::string>& currentTag) {
  px::SettleStaged(files_, Target(), currentTag);
}

}  // namespace px

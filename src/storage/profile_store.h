#pragma once
// str.ini as the program sees it: string values by section and key.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/text.h"

namespace px {

// Every value is read into a buffer of this many characters, the terminator
// included: a longer value comes back cut to 1023 characters.
inline constexpr std::size_t kProfileValueBuffer = 1024;
inline constexpr std::size_t kProfileValueMaxLength = kProfileValueBuffer - 1;

struct ProfileEntry {
  Text section;
  Text key;
  Text value;
};

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The value, or empty text when the file, the section or the key is missing.
  virtual Text Read(TextView section, TextView key) = 0;
  // Creates the file, the section or the key as needed; other keys and
  // sections stay as they are. False when the file could not be written.
  virtual bool Write(TextView section, TextView key, TextView value) = 0;
  // Every entry, in order, in one replacement of the file: a crash or another
  // reader sees all of them or none. A store without a file of its own (the
  // tests' maps) may take them one by one.
  virtual bool WriteAll(std::span<const ProfileEntry> entries) {
    bool ok = true;
    for (const ProfileEntry& e : entries) ok = Write(e.section, e.key, e.value) && ok;
    return ok;
  }
  // Removes the temporary files that interrupted saves of the file left.
  virtual void RemoveStaleTemporaries() {}

  // The entries written as WriteAll would, but into a complete copy of the
  // file set aside under `tag` (storage/staged_file.h); the file itself is
  // not touched yet. False when nothing was staged: a store without a file
  // of its own, or a file that cannot have a copy beside it.
  virtual bool StageAll(std::span<const ProfileEntry> /*entries*/, std::string_view /*tag*/) { return false; }
  // The copy staged under `tag` in the file's place, in one step.
  virtual bool CommitStaged(std::string_view /*tag*/) { return false; }
  // The copy staged under `tag` thrown away; the file stays as it is.
  virtual void DropStaged(std::string_view /*tag*/) {}
  // At start, before anything is read: the copy staged for `currentTag` (the
  // config.bin there now) is committed, other old ones removed.
  virtual void SettleStaged(const std::optional<std::string>& /*currentTag*/) {}
};

}  // namespace px

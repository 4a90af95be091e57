#pragma once
// str.ini as the program sees it: string values by section and key.
#include <cstddef>
#include <span>

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
};

}  // namespace px

#pragma once
// str.ini as the program sees it: string values by section and key.
#include <cstddef>

#include "common/text.h"

namespace px {

// Every value is read into a buffer of this many characters, the terminator
// included: a longer value comes back cut to 1023 characters.
inline constexpr std::size_t kProfileValueBuffer = 1024;
inline constexpr std::size_t kProfileValueMaxLength = kProfileValueBuffer - 1;

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The value, or empty text when the file, the section or the key is missing.
  virtual Text Read(TextView section, TextView key) = 0;
  // Creates the file, the section or the key as needed; other keys and
  // sections stay as they are. False when the file could not be written.
  virtual bool Write(TextView section, TextView key, TextView value) = 0;
};

}  // namespace px

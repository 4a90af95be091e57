#pragma once
// Where a path really is, links followed as the system follows them: symbolic
// links on Linux; symbolic links, junctions and other reparse points on
// Windows (which std::filesystem does not follow there).
#include <optional>

#include "common/native_path.h"

namespace px {

// The path with every link followed; a part that does not exist yet is kept
// as written below the real place of the part before it. Without a trailing
// separator ("/a/Skins/" comes back as "/a/Skins"). Nothing when the system
// cannot tell (a loop, no access).
std::optional<NativePath> RealLocation(const NativePath& path);

// Whether two real locations (above) are the same place, as the system
// compares names: byte for byte on Linux, case-blind on Windows.
bool SamePlace(const NativePath& a, const NativePath& b);

// The system's part of RealLocation: the real place of a path that exists.
struct ExistingPlace {
  enum class Status { Found, Missing, Failed };
  Status status = Status::Failed;
  NativePath place;
};
ExistingPlace RealPlaceOfExisting(const NativePath& path);

}  // namespace px

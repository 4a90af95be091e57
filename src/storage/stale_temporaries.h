#pragma once
// A save killed between creating its temporary file and renaming it leaves
// the hidden ".NAME.<12 hex digits>.tmp" beside NAME. Nothing else would ever
// remove it, so the saves of NAME and the start of the utility do.
#include <chrono>
#include <cstdint>

#include "storage/file_system.h"

namespace px {

// Younger ones may belong to a save running in another process right now.
inline constexpr std::chrono::seconds kStaleTemporaryAge{60};

// A temporary file's path for `target`, in its folder: the 12 hex digits
// are the low 48 bits of `random`.
NativePath TemporaryPathOf(const NativePath& target, std::uint64_t random);
// Whether `name` has the form of a temporary file of the file `target`.
bool IsTemporaryNameOf(const NativePath& name, const NativePath& target);

// Removes the temporary files of `target` in its folder that are plain files
// at least kStaleTemporaryAge old. Links, folders, younger files and every
// other name are left alone. Answers how many were removed.
int RemoveStaleTemporaries(FileSystem& files, const NativePath& target);

}  // namespace px

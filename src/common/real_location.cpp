#include "common/real_location.h"

#include <cerrno>
#include <system_error>

namespace px {

std::optional<NativePath> RealLocation(const NativePath& path) {
  // The missing end is kept as written: a skin folder that is not there
  // still lies under its root, drawn as a missing skin.
  NativePath existing = path;
  NativePath missing;
  for (;;) {
    const ExistingPlace found = RealPlaceOfExisting(existing);
    if (found.status == ExistingPlace::Status::Failed) return std::nullopt;
    if (found.status == ExistingPlace::Status::Found) {
      // Only the missing end is tidied by its text: the real place may be in
      // a form ("\\?\C:\...") that lexical rules do not know.
      const NativePath tail = missing.lexically_normal();
      NativePath real = tail.empty() || tail == "." ? found.place : found.place / tail;
      if (!real.has_filename() && real.has_relative_path()) real = real.parent_path();
      return real;
    }
    // Not even the root, or the current folder, is there.
    if (!existing.has_relative_path() || existing == ".") return std::nullopt;
    const NativePath last = existing.has_filename() ? existing.filename() : NativePath();
    missing = missing.empty() ? last : last / missing;
    existing = existing.parent_path();
    if (existing.empty()) existing = ".";
  }
}

#ifndef _WIN32
bool SamePlace(const NativePath& a, const NativePath& b) { return a == b; }

ExistingPlace RealPlaceOfExisting(const NativePath& path) {
  std::error_code error;
  NativePath place = std::filesystem::canonical(path, error);
  if (!error) return {ExistingPlace::Status::Found, std::move(place)};
  const bool missing = error == std::errc::no_such_file_or_directory;
  return {missing ? ExistingPlace::Status::Missing : ExistingPlace::Status::Failed, {}};
}
#endif

}  // namespace px

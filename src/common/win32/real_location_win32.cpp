// The real place of a path on Windows: the system's own answer for an open
// handle, which follows symbolic links, junctions and mount points alike.
#include <windows.h>

#include <string>

#include "common/real_location.h"
#include "common/win32/final_path.h"

namespace px {

std::optional<NativePath> FinalPathOf(HANDLE handle) {
  std::wstring place(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(handle, place.data(), static_cast<DWORD>(place.size()), VOLUME_NAME_DOS);
  if (length >= place.size()) {  // too small: the length asked for, the end included
    place.resize(length);
    length = GetFinalPathNameByHandleW(handle, place.data(), static_cast<DWORD>(place.size()), VOLUME_NAME_DOS);
  }
  if (length == 0 || length >= place.size()) return std::nullopt;
  place.resize(length);
  return NativePath(std::move(place));
}

bool SamePlace(const NativePath& a, const NativePath& b) {
  const std::wstring& left = a.native();
  const std::wstring& right = b.native();
  return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                              static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

ExistingPlace RealPlaceOfExisting(const NativePath& path) {
  // Attributes only, folders included, shared with everyone: opening for
  // the name disturbs no other program's use of the file.
  const HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? ExistingPlace::Status::Missing : ExistingPlace::Status::Failed, {}};
  }
  std::optional<NativePath> place = FinalPathOf(handle);
  CloseHandle(handle);
  if (!place) return {ExistingPlace::Status::Failed, {}};
  return {ExistingPlace::Status::Found, std::move(*place)};
}

}  // namespace px

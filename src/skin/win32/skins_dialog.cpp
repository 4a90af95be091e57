#include "skin/win32/skins_dialog.h"

#include <windows.h>

#include <array>

#include "common/win32/wide_text.h"
#include "skin/skin_paths.h"

namespace px {

FolderListing Win32FolderSearch::Search(TextView root) {
  FolderListing listing;
  const Text rootText(root);
  std::array<wchar_t, 32768> full{};
  const DWORD length = ::GetFullPathNameW(WideOf(rootText), static_cast<DWORD>(full.size()), full.data(), nullptr);
  listing.fullRoot = AsFolderPrefix(
      length > 0 && length < full.size() ? Text(reinterpret_cast<const char16_t*>(full.data()), length) : rootText,
      u"\\/");
  const Text pattern = rootText + u"\\*.*";
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(WideOf(pattern), &found);
  if (search == INVALID_HANDLE_VALUE) return listing;
  do {
    listing.entries.push_back({Text(reinterpret_cast<const char16_t*>(found.cFileName)),
                               (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return listing;
}

}  // namespace px

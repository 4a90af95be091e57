#include "skin/win32/skins_dialog.h"

#include <array>

#include "common/win32/wide_text.h"
#include "skin/skin_paths.h"
#include "storage/win32/win32_file_system.h"

namespace px {
namespace {

}  // namespace

FolderListing Win32FolderSearch::Search(TextView root) {
  FolderListing listing;
  const Text rootText(root);
  std::array<wchar_t, 32768> full{};
  const DWORD length = ::GetFullPathNameW(WideOf(rootText), static_cast<DWORD>(full.size()), full.data(), nullptr);
  listing.fullRoot = length > 0 && length < full.size()
                         ? Text(reinterpret_cast<const char16_t*>(full.data()), length)
                         : rootText;
  if (listing.fullRoot.empty() || (listing.fullRoot.back() != u'\\' && listing.fullRoot.back() != u'/')) {
    listing.fullRoot.push_back(u'\\');
  }
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

std::optional<SkinChoice> RunSkinsDialog(HWND owner, const SkinnedDialogContext& context, TextView skinName,
                                         TextView executablePath) {
  SkinnedDialog window(DialogKind::Skins, owner);
  Win32FolderSearch search;
  Win32FileSystem files;
  return RunSkinChooser(window, context, skinName, SkinsRootFor(executablePath), search, files);
}

}  // namespace px

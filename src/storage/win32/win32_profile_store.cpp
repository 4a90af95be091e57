// str.ini through the profile API, written to a copy that replaces the file.
#include "storage/win32/win32_profile_store.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "common/win32/wide_text.h"
#include "storage/ini_file_store.h"
#include "storage/staged_file.h"
#include "storage/stale_temporaries.h"
#include "storage/win32/win32_file_system.h"

namespace px {

Text Win32ProfileStore::Read(TextView section, TextView key) {
  wchar_t buffer[kProfileValueBuffer] = {};
  const DWORD length = GetPrivateProfileStringW(WideOf(Text(section)), WideOf(Text(key)), L"", buffer,
                                                static_cast<DWORD>(kProfileValueBuffer), path_.c_str());
  return Text(reinterpret_cast<const char16_t*>(buffer), std::min<std::size_t>(length, kProfileValueMaxLength));
}

namespace {

// The profile API's own writes, straight into `file`.
bool WriteEachThroughApi(std::span<const ProfileEntry> entries, const NativePath& file) {
  for (const ProfileEntry& e : entries) {
    if (!WritePrivateProfileStringW(WideOf(e.section), WideOf(e.key), WideOf(e.value), file.c_str())) return false;
  }
  // Three nulls: nothing of the file stays in the API's cache.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
  return true;
}

bool FlushToDisk(const NativePath& path) {
  winui::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && FlushFileBuffers(file.Get()) && CloseNow(file);
}

enum class CopyWrite { Done, Failed, NoCopy };

// The profile API's writes go to a copy of the file beside it, which is then
// flushed and renamed to `destination`. NoCopy: the folder refused the copy.
CopyWrite WriteThroughCopy(FileSystem& files, std::span<const ProfileEntry> entries, const FileInfo& info,
                           const NativePath& destination) {
  const NativePath& target = info.resolved;
  std::optional<FileBytes> old;
  if (info.kind == FileKind::Regular) {
    ReadResult read = files.Read(target, IniFileStore::kMaxFileSize);
    if (!read.Ok()) return CopyWrite::Failed;  // never rewritten from a partial or failed read
    old = std::move(read.bytes);
  }
  NativePath copy;
  int error = 0;
  auto out = files.CreateBeside(target, copy, error);
  if (!out) return files.IsAccessDenied(error) ? CopyWrite::NoCopy : CopyWrite::Failed;
  const bool copied = (!old || out->Write(*old)) && out->Finish(false);
  out.reset();
  if (!old) files.Remove(copy);  // the API makes a missing file as it always did
  const bool ok = copied && WriteEachThroughApi(entries, copy) && FlushToDisk(copy) &&
                  files.Replace(copy, destination, error);
  if (!ok) files.Remove(copy);
  px::RemoveStaleTemporaries(files, target);
  return ok ? CopyWrite::Done : CopyWrite::Failed;
}

}  // namespace

bool Win32ProfileStore::Write(TextView section, TextView key, TextView value) {
  const ProfileEntry entry{Text(section), Text(key), Text(value)};
  return WriteAll({&entry, 1});
}

bool Win32ProfileStore::WriteAll(std::span<const ProfileEntry> entries) {
  const FileInfo info = files_.Inspect(path_);
  if (info.error != 0 || info.kind == FileKind::Folder) return false;
  // A device has no contents to keep whole.
  if (info.kind == FileKind::Special) return WriteEachThroughApi(entries, path_);
  switch (WriteThroughCopy(files_, entries, info, info.resolved)) {
    case CopyWrite::Done: return true;
    case CopyWrite::Failed: return false;
    case CopyWrite::NoCopy: break;
  }
  // A folder that takes no new file, around a file that may be written: the
  // API writes it in place, as it always did.
  return info.kind == FileKind::Regular && WriteEachThroughApi(entries, path_);
}

bool Win32ProfileStore::StageAll(std::span<const ProfileEntry> entries, std::string_view tag) {
  const FileInfo info = files_.Inspect(path_);
  // A folder or a device has no contents to stage beside it.
  if (info.error != 0 || (info.kind != FileKind::Regular && info.kind != FileKind::Missing)) return false;
  return WriteThroughCopy(files_, entries, info, StagedPathOf(info.resolved, tag)) == CopyWrite::Done;
}

}  // namespace px

// The file system port through the Win32 file API: bounded reads, new files
// beside their target, replacement in one step.
#include "storage/win32/win32_file_system.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "common/win32/final_path.h"
#include "common/win32/wide_text.h"
#include "storage/stale_temporaries.h"

namespace px {

bool CloseNow(winui::UniqueHandle& handle) { return !handle || ::CloseHandle(handle.Release()) != 0; }

namespace {

int LastErrorCode() { return static_cast<int>(GetLastError()); }

class Win32WritableFile final : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE handle) : file_(handle) {}

  bool Write(std::span<const std::uint8_t> bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
      DWORD written = 0;
      if (!WriteFile(file_.Get(), bytes.data() + done, chunk, &written, nullptr)) return Fail();
      if (written == 0) return Fail(ERROR_DISK_FULL);
      done += written;
    }
    return true;
  }

  bool Finish(bool sync) override {
    if (sync && !FlushFileBuffers(file_.Get())) return Fail();
    if (!CloseNow(file_)) return Fail();
    return true;
  }

  int LastError() const override { return error_; }

 private:
  bool Fail(int error = 0) {
    error_ = error != 0 ? error : LastErrorCode();
    return false;
  }

  winui::UniqueHandle file_;
  int error_ = 0;
};

bool IsNotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

FileInfo Win32FileSystem::Inspect(const NativePath& path) {
  FileInfo info;
  info.resolved = path;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  // Devices and pipes have no attributes to tell; opening them does.
  winui::UniqueHandle handle(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) {
    const DWORD error = GetLastError();
    if (!IsNotFound(error) || attributes != INVALID_FILE_ATTRIBUTES) info.error = static_cast<int>(error);
    return info;
  }
  if (GetFileType(handle.Get()) != FILE_TYPE_DISK) {
    info.kind = FileKind::Special;
    return info;
  }
  BY_HANDLE_FILE_INFORMATION about{};
  if (!GetFileInformationByHandle(handle.Get(), &about)) {
    info.error = LastErrorCode();
    return info;
  }
  info.kind = (about.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Folder : FileKind::Regular;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    // A link: the write goes to the file it leads to.
    if (std::optional<NativePath> real = FinalPathOf(handle.Get())) info.resolved = std::move(*real);
  }
  return info;
}

ReadResult Win32FileSystem::Read(const NativePath& path, std::size_t maxSize) {
  ReadResult result;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    result.status = ReadResult::Status::Folder;
    return result;
  }
  winui::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    result.error = LastErrorCode();
    result.status = IsNotFound(static_cast<DWORD>(result.error)) ? ReadResult::Status::Missing : ReadResult::Status::Failed;
    return result;
  }
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
    result.status = ReadResult::Status::NotAFile;
    return result;
  }
  LARGE_INTEGER size{};
  const std::uint64_t reported = GetFileSizeEx(file.Get(), &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  return ReadOpenFile(reported, maxSize, [&](std::span<std::uint8_t> into) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 20));
    DWORD n = 0;
    if (!ReadFile(file.Get(), into.data(), want, &n, nullptr)) return ReadPiece{0, LastErrorCode()};
    return ReadPiece{n, std::nullopt};
  });
}

std::unique_ptr<WritableFile> Win32FileSystem::CreateBeside(const NativePath& target, NativePath& created, int& error) {
  static std::mt19937_64 random{std::random_device{}() ^ GetCurrentProcessId() ^ GetTickCount64()};
  for (int attempt = 0; attempt < 16; ++attempt) {
    NativePath name = TemporaryPathOf(target, random());
    // CREATE_NEW: never an existing file, never through a link.
    const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      created = std::move(name);
      return std::make_unique<Win32WritableFile>(handle);
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  error = LastErrorCode();
  return nullptr;
}

std::unique_ptr<WritableFile> Win32FileSystem::OpenExisting(const NativePath& path, int& error) {
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = LastErrorCode();
    return nullptr;
  }
  auto file = std::make_unique<Win32WritableFile>(handle);
  if (GetFileType(handle) == FILE_TYPE_DISK && !SetEndOfFile(handle)) {
    error = LastErrorCode();
    return nullptr;
  }
  return file;
}

namespace {

// A read-only file could not be opened for writing; it is not replaced either.
bool MayReplace(const NativePath& target, int& error) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    error = ERROR_ACCESS_DENIED;
    return false;
  }
  return true;
}

}  // namespace

bool Win32FileSystem::Replace(const NativePath& source, const NativePath& target, int& error) {
  if (!MayReplace(target, error)) return false;
  if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = LastErrorCode();
    return false;
  }
  return true;
}

// ReplaceFileW fails when the file to replace is missing, where a move would
// make it again.
bool Win32FileSystem::ReplaceExisting(const NativePath& source, const NativePath& target, int& error) {
  if (!MayReplace(target, error)) return false;
  // Whole paths: given a bare file name, some systems' ReplaceFileW finds no
  // folder to work in and refuses.
  std::error_code whole;
  const NativePath from = std::filesystem::absolute(source, whole);
  const NativePath to = whole ? target : std::filesystem::absolute(target, whole);
  if (whole) {
    error = whole.value();
    return false;
  }
  if (!ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    error = LastErrorCode();
    return false;
  }
  return true;
}

void Win32FileSystem::Remove(const NativePath& path) { DeleteFileW(path.c_str()); }

std::vector<FolderItem> Win32FileSystem::ListFolder(const NativePath& folder) {
  std::vector<FolderItem> entries;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) {
    return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
  };
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    // A link (reparse point) is reported as such, never as its target.
    const bool plain = (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT |
                                                  FILE_ATTRIBUTE_DEVICE)) == 0;
    const long long age = (ticks(now) - ticks(found.ftLastWriteTime)) / 10'000'000;  // 100 ns ticks
    entries.push_back(FolderItem{NativePath(name), plain, std::chrono::seconds(age)});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

std::string Win32FileSystem::ErrorText(int error) const {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                          FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&buffer), 0,
                                      nullptr);
  std::u16string text;
  if (length > 0 && buffer != nullptr) text.assign(reinterpret_cast<const char16_t*>(buffer), length);
  if (buffer != nullptr) LocalFree(buffer);
  text.erase(text.find_last_not_of(u"\r\n .") + 1);  // npos + 1: all of it
  if (text.empty()) return "error " + std::to_string(error);
  return ToUtf8(text);
}

bool Win32FileSystem::IsAccessDenied(int error) const { return error == ERROR_ACCESS_DENIED; }

FileSystem& SystemFileSystem() {
  static Win32FileSystem files;
  return files;
}

}  // namespace px

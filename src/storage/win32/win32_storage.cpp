#include "storage/win32/win32_storage.h"

#include <windows.h>

#include <algorithm>

namespace px {

namespace {

const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

int LastErrorCode() { return static_cast<int>(GetLastError()); }

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  bool Close() {
    if (!Valid()) return true;
    const bool ok = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

class Win32WritableFile final : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE handle) : file_(handle) {}

  bool Write(std::span<const std::uint8_t> bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
      DWORD written = 0;
      if (!WriteFile(file_.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return Fail();
      done += written;
    }
    return true;
  }

  bool Finish() override {
    if (!FlushFileBuffers(file_.Get())) return Fail();
    if (!file_.Close()) return Fail();
    return true;
  }

  int LastError() const override { return error_; }

 private:
  bool Fail() {
    error_ = LastErrorCode();
    return false;
  }

  FileHandle file_;
  int error_ = 0;
};

}  // namespace

bool Win32FileSystem::Exists(TextView path) {
  return GetFileAttributesW(Wide(Text(path))) != INVALID_FILE_ATTRIBUTES;
}

std::optional<FileBytes> Win32FileSystem::Read(TextView path, std::size_t limit) {
  FileHandle file(CreateFileW(Wide(Text(path)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return std::nullopt;
  FileBytes bytes;
  constexpr std::size_t kChunk = 64 * 1024;
  while (bytes.size() < limit) {
    const std::size_t start = bytes.size();
    const DWORD want = static_cast<DWORD>(std::min(kChunk, limit - start));
    bytes.resize(start + want);
    DWORD got = 0;
    if (!ReadFile(file.Get(), bytes.data() + start, want, &got, nullptr)) return std::nullopt;
    bytes.resize(start + got);
    if (got == 0) break;
  }
  return bytes;
}

std::unique_ptr<WritableFile> Win32FileSystem::Create(TextView path, int& error) {
  const HANDLE handle =
      CreateFileW(Wide(Text(path)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = LastErrorCode();
    return nullptr;
  }
  return std::make_unique<Win32WritableFile>(handle);
}

bool Win32FileSystem::Replace(TextView source, TextView target, int& error) {
  const Text to(target);
  const DWORD attributes = GetFileAttributesW(Wide(to));
  // A read-only file could not be opened for writing; it is not replaced either.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    error = ERROR_ACCESS_DENIED;
    return false;
  }
  if (!MoveFileExW(Wide(Text(source)), Wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = LastErrorCode();
    return false;
  }
  return true;
}

void Win32FileSystem::Remove(TextView path) { DeleteFileW(Wide(Text(path))); }

Text Win32ProfileStore::Read(TextView section, TextView key) {
  wchar_t buffer[kProfileValueBuffer] = {};
  const DWORD length = GetPrivateProfileStringW(Wide(Text(section)), Wide(Text(key)), L"", buffer,
                                                static_cast<DWORD>(kProfileValueBuffer), Wide(path_));
  return Text(reinterpret_cast<const char16_t*>(buffer), std::min<std::size_t>(length, kProfileValueMaxLength));
}

bool Win32ProfileStore::Write(TextView section, TextView key, TextView value) {
  return WritePrivateProfileStringW(Wide(Text(section)), Wide(Text(key)), Wide(Text(value)), Wide(path_)) != 0;
}

// However long the path is: a cut path would name some other file.
Text RunningExecutablePath() {
  std::wstring buffer(1024, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);  // cut: try again with room to spare
  }
  return Text(reinterpret_cast<const char16_t*>(buffer.data()), buffer.size());
}

}  // namespace px

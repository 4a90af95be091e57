#pragma once
// The Windows adapters of the storage ports: files through the Win32 file
// API (flushed to the disk before they replace the old file), str.ini through
// the profile API. RunningExecutablePath (executable_path.h) is here too.
#include "storage/executable_path.h"
#include "storage/file_system.h"
#include "storage/profile_store.h"

namespace px {

class Win32FileSystem final : public FileSystem {
 public:
  FileInfo Inspect(const NativePath& path) override;
  ReadResult Read(const NativePath& path, std::size_t maxSize) override;
  std::unique_ptr<WritableFile> CreateBeside(const NativePath& target, NativePath& created, int& error) override;
  std::unique_ptr<WritableFile> OpenExisting(const NativePath& path, int& error) override;
  bool Replace(const NativePath& source, const NativePath& target, int& error) override;
  void Remove(const NativePath& path) override;
  std::vector<FolderItem> ListFolder(const NativePath& folder) override;
  std::string ErrorText(int error) const override;
  bool IsAccessDenied(int error) const override;
};

// GetPrivateProfileStringW / WritePrivateProfileStringW on one file, with
// 1024-character value buffers. Writes go to a copy of the file, which then
// replaces it in one step (or is staged beside it): the bytes are the profile
// API's own, and a crash leaves the file wholly old or wholly new.
class Win32ProfileStore final : public ProfileStore {
 public:
  explicit Win32ProfileStore(Text path, FileSystem& files = SystemFileSystem())
      : path_(std::move(path)), files_(files) {}
  Text Read(TextView section, TextView key) override;
  bool Write(TextView section, TextView key, TextView value) override;
  bool WriteAll(std::span<const ProfileEntry> entries) override;
  void RemoveStaleTemporaries() override;
  // The profile API's own bytes, in a staged file beside this one.
  bool StageAll(std::span<const ProfileEntry> entries, std::string_view tag) override;
  bool CommitStaged(std::string_view tag) override;
  void DropStaged(std::string_view tag) override;
  void SettleStaged(const std::optional<std::string>& currentTag) override;
  const Text& Path() const { return path_; }

 private:
  Text path_;
  FileSystem& files_;
};

}  // namespace px

#pragma once
// The profile store port on Windows: str.ini through the profile API.
#include "storage/file_system.h"
#include "storage/profile_store.h"

namespace px {

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

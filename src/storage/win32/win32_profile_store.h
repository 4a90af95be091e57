#pragma once
// The profile store port on Windows: str.ini through the profile API.
#include "storage/file_profile_store.h"

namespace px {

// GetPrivateProfileStringW / WritePrivateProfileStringW on one file, with
// 1024-character value buffers. Writes go to a copy of the file, which then
// replaces it in one step (or is staged beside it): the bytes are the profile
// API's own, and a crash leaves the file wholly old or wholly new.
class Win32ProfileStore final : public FileProfileStore {
 public:
  explicit Win32ProfileStore(TextView path, FileSystem& files = SystemFileSystem())
      : FileProfileStore(files, PathFromText(path)) {}
  Text Read(TextView section, TextView key) override;
  bool Write(TextView section, TextView key, TextView value) override;
  bool WriteAll(std::span<const ProfileEntry> entries) override;
  // The profile API's own bytes, in a staged file beside this one.
  bool StageAll(std::span<const ProfileEntry> entries, std::string_view tag) override;
};

}  // namespace px

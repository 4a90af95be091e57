#pragma once
// The file system port on Windows: files through the Win32 file API, flushed
// to the disk before they replace the old file.
#include <windows.h>

#include "storage/file_system.h"
#include "winui/handles.h"

namespace px {

class Win32FileSystem final : public FileSystem {
 public:
  FileInfo Inspect(const NativePath& path) override;
  ReadResult Read(const NativePath& path, std::size_t maxSize) override;
  std::unique_ptr<WritableFile> CreateBeside(const NativePath& target, NativePath& created, int& error) override;
  std::unique_ptr<WritableFile> OpenExisting(const NativePath& path, int& error) override;
  bool Replace(const NativePath& source, const NativePath& target, int& error) override;
  bool ReplaceExisting(const NativePath& source, const NativePath& target, int& error) override;
  void Remove(const NativePath& path) override;
  std::vector<FolderItem> ListFolder(const NativePath& folder) override;
  std::string ErrorText(int error) const override;
  bool IsAccessDenied(int error) const override;
};

// Closes the handle now, telling whether the system took the close (a
// write may fail only then); an empty handle closes trivially.
bool CloseNow(winui::UniqueHandle& handle);

}  // namespace px

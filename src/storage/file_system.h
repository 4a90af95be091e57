#pragma once
// The few file operations the settings files need, behind a port so that a
// save can be made to fail at any step in tests. Error codes are the
// platform's own (errno, or GetLastError on Windows): they end up in the
// save failure box.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "common/text.h"

namespace px {

using FileBytes = std::vector<std::uint8_t>;

// A file being written. Nothing is promised about its contents until
// Finish() has answered true.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Flushes the data to the disk and closes the file.
  virtual bool Finish() = 0;
  // The error code of the last failed call.
  virtual int LastError() const = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True for anything present under that name, directories included.
  virtual bool Exists(TextView path) = 0;
  // At most `limit` bytes from the start of the file; nothing when the file
  // cannot be opened or read.
  virtual std::optional<FileBytes> Read(TextView path, std::size_t limit) = 0;
  // Creates the file, or truncates it when present.
  virtual std::unique_ptr<WritableFile> Create(TextView path, int& error) = 0;
  // Puts `source` in the place of `target` in one step. Refuses (false) when
  // `target` exists but may not be written, as writing it in place would.
  virtual bool Replace(TextView source, TextView target, int& error) = 0;
  virtual void Remove(TextView path) = 0;
};

// The name of the temporary file that a save of `path` writes first.
Text TemporaryPathFor(TextView path);

// Writes `bytes` to a temporary file beside `path` and only once it is
// complete and on disk puts it in the place of `path`. On any failure the old
// file is left as it was, the temporary file is removed, `error` holds the
// platform's code and the answer is false.
bool WriteFileAtomically(FileSystem& fs, TextView path, std::span<const std::uint8_t> bytes, int& error);

// Portable adapter over std::filesystem and file streams: the Linux tools and
// the native tests use it. Paths are UTF-16 and converted by the library.
class StdFileSystem final : public FileSystem {
 public:
  bool Exists(TextView path) override;
  std::optional<FileBytes> Read(TextView path, std::size_t limit) override;
  std::unique_ptr<WritableFile> Create(TextView path, int& error) override;
  bool Replace(TextView source, TextView target, int& error) override;
  void Remove(TextView path) override;
};

}  // namespace px

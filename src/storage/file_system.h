#pragma once
// Every file the program reads or writes goes through this port: the
// settings files, the mouse simulator's state file, the tool's images and
// outputs. Two rules hold for all of them:
// - a read is bounded and never blocks: only regular files are read, and no
//   more than the format allows plus one byte;
// - a write never leaves a partial file and never replaces what is not a
//   regular file: a unique temporary file, created exclusively beside the
//   target, is flushed to the disk and renamed over the target; devices and
//   FIFOs are written directly, folders are refused.
// Error codes are the platform's own (errno, or GetLastError on Windows):
// they end up in the utility's save failure box.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/native_path.h"

namespace px {

using FileBytes = std::vector<std::uint8_t>;

enum class FileKind {
  Missing,
  Regular,
  Folder,
  Special,  // a device, a FIFO, a socket: written directly, never replaced
};

struct FileInfo {
  FileKind kind = FileKind::Missing;
  // For a link, the file it leads to; else the path itself. A write goes
  // there, so that the link stays a link.
  NativePath resolved;
  int error = 0;  // why the kind could not be told (the kind is Missing then)
};

struct ReadResult {
  enum class Status {
    Ok,
    Missing,
    Folder,
    NotAFile,  // a device, a FIFO...: not read, so it cannot block or run on
    TooLarge,  // more than the bound; nothing read
    Failed,    // cannot be opened or read: `error`
  };
  Status status = Status::Failed;
  FileBytes bytes;
  int error = 0;
  std::uint64_t size = 0;  // TooLarge: the file's size when the system told it, else 0
  bool Ok() const { return status == Status::Ok; }
};

// A file being written. Nothing is promised about its contents until
// Finish() has answered true.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Flushes the data to the disk (when `sync`) and closes the file.
  virtual bool Finish(bool sync) = 0;
  // The error code of the last failed call.
  virtual int LastError() const = 0;
};

// One name in a folder, as the folder itself holds it (links not followed).
struct FolderItem {
  NativePath name;              // the name alone, without the folder
  bool plainFile = false;       // a regular file: not a link, folder or device
  std::chrono::seconds age{0};  // since its last change; negative if the clock went back
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // What is there under that name, following links.
  virtual FileInfo Inspect(const NativePath& path) = 0;
  bool Exists(const NativePath& path) { return Inspect(path).kind != FileKind::Missing; }
  // The whole file when it holds at most `maxSize` bytes.
  virtual ReadResult Read(const NativePath& path, std::size_t maxSize) = 0;
  // A new file with a name no other file has, created exclusively in the
  // folder of `target` (never through a link); its name goes to `created`.
  virtual std::unique_ptr<WritableFile> CreateBeside(const NativePath& target, NativePath& created, int& error) = 0;
  // An existing file opened for writing as it is (truncated when regular).
  virtual std::unique_ptr<WritableFile> OpenExisting(const NativePath& path, int& error) = 0;
  // Puts `source` in the place of `target` in one step. Refuses (false) when
  // `target` exists but may not be written, as writing it in place would.
  virtual bool Replace(const NativePath& source, const NativePath& target, int& error) = 0;
  // The same, only while `target` is there: when it is gone, refuses (false)
  // and creates nothing, in one step with the replacement itself.
  virtual bool ReplaceExisting(const NativePath& source, const NativePath& target, int& error) = 0;
  virtual void Remove(const NativePath& path) = 0;
  // What the folder holds; empty when it cannot be read.
  virtual std::vector<FolderItem> ListFolder(const NativePath& folder) = 0;
  // The system's words for one of its error codes.
  virtual std::string ErrorText(int error) const = 0;
  // Whether the code says "not allowed" (rather than: full, gone, broken).
  virtual bool IsAccessDenied(int error) const = 0;
};

// The folder a file is in; "." for a bare name.
NativePath ContainingFolder(const NativePath& path);

// The file system of this machine (POSIX or Win32).
FileSystem& SystemFileSystem();

// Buffer sizes for a bounded read. The first holds what the system says the
// file has plus the one byte that tells it grew; the bound is only a cap, not
// a size to allocate (64 MiB zeroed for every small skin image stalled the
// window). A file that grows while read gets a larger buffer, never more than
// the bound plus one byte.
std::size_t FirstReadBufferSize(std::uint64_t reportedSize, std::size_t maxSize);
std::size_t GrownReadBufferSize(std::size_t current, std::size_t maxSize);

// One read of the system into the span given: the bytes placed there (0 at
// the end of the file), or the system's error code.
struct ReadPiece {
  std::size_t count = 0;
  std::optional<int> error;
};
// Reads an open regular file to its end through `readSome`, with the buffers
// above: Ok with the bytes, TooLarge past `maxSize` (one byte over is enough
// to tell), Failed with the first error. A file the system says is larger
// (`reportedSize`, 0 when it cannot tell) is TooLarge at once, not read.
ReadResult ReadOpenFile(std::uint64_t reportedSize, std::size_t maxSize,
                        const std::function<ReadPiece(std::span<std::uint8_t>)>& readSome);

struct WriteResult {
  enum class Step { None, Inspect, Folder, Create, Write, Replace };
  Step failedAt = Step::None;
  int error = 0;
  bool inPlace = false;  // written directly into the target
  bool Ok() const { return failedAt == Step::None; }
};

enum class WhenNoTemporaryFile {
  Fail,
  // The folder refuses a new file (access denied) but the target itself may
  // be written: write it in place (config.bin in a folder where only the file
  // was made writable). Never on a full disk: that would truncate the file.
  WriteInPlace,
};

// The one way to write a whole file. On any failure a regular target is left
// as it was and no temporary file remains.
WriteResult WriteWholeFile(FileSystem& files, const NativePath& path, std::span<const std::uint8_t> bytes,
                           WhenNoTemporaryFile fallback = WhenNoTemporaryFile::Fail);
// The same over a file that must stay where it is: one that is gone, or goes
// while the new bytes are written, is refused (Step::Replace) and not made.
WriteResult WriteWholeExistingFile(FileSystem& files, const NativePath& path, std::span<const std::uint8_t> bytes);

}  // namespace px

#include "storage/file_system.h"

#include <algorithm>

namespace px {

namespace {

WriteResult Failed(WriteResult::Step step, int error, bool inPlace = false) {
  return WriteResult{step, error, inPlace};
}

// Straight into the target: a device or FIFO, or the fallback for a folder
// that takes no new file.
WriteResult WriteInPlace(FileSystem& files, const NativePath& path, std::span<const std::uint8_t> bytes, bool sync) {
  int error = 0;
  auto out = files.OpenExisting(path, error);
  if (!out) return Failed(WriteResult::Step::Create, error, true);
  if (!out->Write(bytes) || !out->Finish(sync)) return Failed(WriteResult::Step::Write, out->LastError(), true);
  return WriteResult{WriteResult::Step::None, 0, true};
}

}  // namespace

NativePath ContainingFolder(const NativePath& path) {
  return path.has_parent_path() ? path.parent_path() : NativePath(".");
}

std::size_t FirstReadBufferSize(std::uint64_t reportedSize, std::size_t maxSize) {
  return static_cast<std::size_t>(std::min<std::uint64_t>(reportedSize, maxSize)) + 1;
}

std::size_t GrownReadBufferSize(std::size_t current, std::size_t maxSize) {
  constexpr std::size_t kMinimumStep = 64 * 1024;
  const std::size_t cap = maxSize + 1;
  if (current >= cap) return cap;
  return std::min(cap, current + std::max(current, kMinimumStep));
}

ReadResult ReadOpenFile(std::uint64_t reportedSize, std::size_t maxSize,
                        const std::function<ReadPiece(std::span<std::uint8_t>)>& readSome) {
  ReadResult result;
  if (reportedSize > maxSize) {
    result.status = ReadResult::Status::TooLarge;
    result.size = reportedSize;
    return result;
  }
  // The file may grow while it is read: never take more than one byte over.
  FileBytes bytes(FirstReadBufferSize(reportedSize, maxSize));
  std::size_t got = 0;
  while (got <= maxSize) {
    if (got == bytes.size()) bytes.resize(GrownReadBufferSize(bytes.size(), maxSize));
    const ReadPiece piece = readSome(std::span(bytes).subspan(got));
    if (piece.error) {
      result.error = *piece.error;
      return result;
    }
    if (piece.count == 0) break;
    got += piece.count;
  }
  if (got > maxSize) {
    result.status = ReadResult::Status::TooLarge;
    return result;
  }
  bytes.resize(got);
  result.bytes = std::move(bytes);
  result.status = ReadResult::Status::Ok;
  return result;
}

namespace {

enum class WhenTargetMissing { Create, Refuse };

WriteResult WriteThroughTemporary(FileSystem& files, const NativePath& path, std::span<const std::uint8_t> bytes,
                                  WhenNoTemporaryFile fallback, WhenTargetMissing missing) {
  const FileInfo info = files.Inspect(path);
  if (info.error != 0) return Failed(WriteResult::Step::Inspect, info.error);
  if (info.kind == FileKind::Folder) {
    // The system's own word for it: opening a folder for writing fails.
    int error = 0;
    files.OpenExisting(path, error);
    return Failed(WriteResult::Step::Folder, error);
  }
  // A device or a FIFO has no contents to keep whole; renaming a file over it
  // would destroy the node.
  if (info.kind == FileKind::Special) return WriteInPlace(files, path, bytes, false);

  const NativePath& target = info.resolved.empty() ? path : info.resolved;
  NativePath temp;
  int error = 0;
  auto out = files.CreateBeside(target, temp, error);
  if (!out) {
    if (fallback == WhenNoTemporaryFile::WriteInPlace && info.kind == FileKind::Regular && files.IsAccessDenied(error)) {
      const WriteResult direct = WriteInPlace(files, target, bytes, true);
      // The first refusal says more when the file cannot be opened either.
      if (direct.failedAt == WriteResult::Step::Create) return Failed(WriteResult::Step::Create, error);
      return direct;
    }
    return Failed(WriteResult::Step::Create, error);
  }
  if (!out->Write(bytes) || !out->Finish(true)) {
    const int writeError = out->LastError();
    out.reset();
    files.Remove(temp);
    return Failed(WriteResult::Step::Write, writeError);
  }
  out.reset();
  const bool replaced = missing == WhenTargetMissing::Refuse ? files.ReplaceExisting(temp, target, error)
                                                             : files.Replace(temp, target, error);
  if (!replaced) {
    files.Remove(temp);
    return Failed(WriteResult::Step::Replace, error);
  }
  return {};
}

}  // namespace

WriteResult WriteWholeFile(FileSystem& files, const NativePath& path, std::span<const std::uint8_t> bytes,
                           WhenNoTemporaryFile fallback) {
  return WriteThroughTemporary(files, path, bytes, fallback, WhenTargetMissing::Create);
}

WriteResult WriteWholeExistingFile(FileSystem& files, const NativePath& path, std::span<const std::uint8_t> bytes) {
  return WriteThroughTemporary(files, path, bytes, WhenNoTemporaryFile::Fail, WhenTargetMissing::Refuse);
}

}  // namespace px

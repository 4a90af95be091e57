#include "storage/file_system.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(__unix__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace px {

namespace fs = std::filesystem;

Text TemporaryPathFor(TextView path) { return Text(path) + u".tmp"; }

bool WriteFileAtomically(FileSystem& files, TextView path, std::span<const std::uint8_t> bytes, int& error) {
  const Text temp = TemporaryPathFor(path);
  auto out = files.Create(temp, error);
  if (!out) return false;
  const bool written = out->Write(bytes);
  if (!written || !out->Finish()) {
    error = out->LastError();
    out.reset();
    files.Remove(temp);
    return false;
  }
  out.reset();
  if (!files.Replace(temp, path, error)) {
    files.Remove(temp);
    return false;
  }
  return true;
}

namespace {

int ErrnoOr(int fallback) { return errno != 0 ? errno : fallback; }

#if defined(__unix__)
// Streams cannot flush to the disk; a second descriptor can.
bool SyncToDisk(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}
#else
bool SyncToDisk(const fs::path&) { return true; }
#endif

class StdWritableFile final : public WritableFile {
 public:
  StdWritableFile(fs::path path, std::ofstream stream) : path_(std::move(path)), stream_(std::move(stream)) {}

  bool Write(std::span<const std::uint8_t> bytes) override {
    errno = 0;
    stream_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!stream_) return Fail();
    return true;
  }

  bool Finish() override {
    errno = 0;
    stream_.flush();
    if (!stream_) return Fail();
    stream_.close();
    if (!stream_) return Fail();
    if (!SyncToDisk(path_)) return Fail();
    return true;
  }

  int LastError() const override { return error_; }

 private:
  bool Fail() {
    error_ = ErrnoOr(EIO);
    return false;
  }

  fs::path path_;
  std::ofstream stream_;
  int error_ = 0;
};

}  // namespace

bool StdFileSystem::Exists(TextView path) {
  std::error_code ec;
  return fs::exists(fs::path(Text(path)), ec);
}

std::optional<FileBytes> StdFileSystem::Read(TextView path, std::size_t limit) {
  std::ifstream in(fs::path(Text(path)), std::ios::binary);
  if (!in) return std::nullopt;
  FileBytes bytes;
  constexpr std::size_t kChunk = 64 * 1024;
  while (bytes.size() < limit && in) {
    const std::size_t start = bytes.size();
    const std::size_t want = std::min(kChunk, limit - start);
    bytes.resize(start + want);
    in.read(reinterpret_cast<char*>(bytes.data() + start), static_cast<std::streamsize>(want));
    bytes.resize(start + static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::unique_ptr<WritableFile> StdFileSystem::Create(TextView path, int& error) {
  fs::path p(Text{path});
  errno = 0;
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = ErrnoOr(EACCES);
    return nullptr;
  }
  return std::make_unique<StdWritableFile>(std::move(p), std::move(out));
}

bool StdFileSystem::Replace(TextView source, TextView target, int& error) {
  const fs::path from(Text{source});
  const fs::path to(Text{target});
  std::error_code ec;
  if (fs::exists(to, ec)) {
    // A rename would replace even a read-only file; writing it in place
    // would not. Opening for appending changes nothing but asks the same.
    errno = 0;
    std::ofstream probe(to, std::ios::binary | std::ios::app);
    if (!probe) {
      error = ErrnoOr(EACCES);
      return false;
    }
    probe.close();
    // The new file takes the old one's permissions.
    const auto perms = fs::status(to, ec).permissions();
    if (!ec) fs::permissions(from, perms, ec);
  }
  fs::rename(from, to, ec);
  if (ec) {
    error = ec.value();
    return false;
  }
#if defined(__unix__)
  // Make the rename itself durable.
  const fs::path folder = to.has_parent_path() ? to.parent_path() : fs::path(".");
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
#endif
  return true;
}

void StdFileSystem::Remove(TextView path) {
  std::error_code ec;
  fs::remove(fs::path(Text(path)), ec);
}

}  // namespace px

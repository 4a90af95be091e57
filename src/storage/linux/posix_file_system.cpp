// The file system port over POSIX calls: names are bytes from end to end.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <system_error>

#include "storage/file_system.h"
#include "storage/stale_temporaries.h"

namespace px {

namespace {

// A descriptor that closes itself.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Close(); }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  bool Close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

int Errno() { return errno != 0 ? errno : EIO; }

class PosixWritableFile final : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}

  bool Write(std::span<const std::uint8_t> bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd_.Get(), bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return Fail(n == 0 ? ENOSPC : Errno());
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Finish(bool sync) override {
    if (sync && ::fsync(fd_.Get()) != 0) return Fail(Errno());
    if (!fd_.Close()) return Fail(Errno());
    return true;
  }

  int LastError() const override { return error_; }

 private:
  bool Fail(int error) {
    error_ = error;
    return false;
  }
  Fd fd_;
  int error_ = 0;
};

// A rename would replace even a file its owner made read-only; writing it in
// place would not. Ask the same question. The new file keeps the old one's
// permissions. A missing target is the replacement's own answer.
bool MayReplace(const NativePath& source, const NativePath& target, int& error) {
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return true;
  if (::access(target.c_str(), W_OK) != 0) {
    error = Errno();
    return false;
  }
  ::chmod(source.c_str(), st.st_mode & 07777);
  return true;
}

// Makes the rename itself durable.
void SyncFolderOf(const NativePath& target) {
  Fd folder(::open(ContainingFolder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid()) ::fsync(folder.Get());
}

class PosixFileSystem final : public FileSystem {
 public:
  FileInfo Inspect(const NativePath& path) override {
    FileInfo info;
    info.resolved = path;
    struct stat linkStat {};
    if (::lstat(path.c_str(), &linkStat) != 0) {
      if (errno != ENOENT && errno != ENOTDIR) info.error = Errno();
      return info;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      // A link that leads nowhere (or in a loop) is not replaced by a file.
      info.error = errno == ENOENT ? ENOENT : Errno();
      return info;
    }
    // Only a regular file is written by replacing it; a device or a pipe
    // behind a link (/dev/stdout) is written through the link itself.
    if (S_ISLNK(linkStat.st_mode) && S_ISREG(st.st_mode)) {
      std::error_code ec;
      NativePath resolved = std::filesystem::canonical(path, ec);
      if (ec) {
        info.error = ec.value();
        return info;
      }
      info.resolved = std::move(resolved);
    }
    info.kind = S_ISREG(st.st_mode) ? FileKind::Regular : S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Special;
    return info;
  }

  ReadResult Read(const NativePath& path, std::size_t maxSize) override {
    ReadResult result;
    // Non-blocking: opening a FIFO must not wait for a writer.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.Valid()) {
      result.error = Errno();
      result.status = result.error == ENOENT ? ReadResult::Status::Missing : ReadResult::Status::Failed;
      return result;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
      result.error = Errno();
      return result;
    }
    if (S_ISDIR(st.st_mode)) {
      result.status = ReadResult::Status::Folder;
      return result;
    }
    if (!S_ISREG(st.st_mode)) {
      result.status = ReadResult::Status::NotAFile;
      return result;
    }
    return ReadOpenFile(static_cast<std::uint64_t>(st.st_size), maxSize, [&](std::span<std::uint8_t> into) {
      for (;;) {
        const ssize_t n = ::read(fd.Get(), into.data(), into.size());
        if (n >= 0) return ReadPiece{static_cast<std::size_t>(n), std::nullopt};
        if (errno != EINTR) return ReadPiece{0, Errno()};
      }
    });
  }

  std::unique_ptr<WritableFile> CreateBeside(const NativePath& target, NativePath& created, int& error) override {
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    for (int attempt = 0; attempt < 16; ++attempt) {
      NativePath name = TemporaryPathOf(target, random());
      const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (fd >= 0) {
        created = std::move(name);
        return std::make_unique<PosixWritableFile>(fd);
      }
      if (errno != EEXIST) break;
    }
    error = Errno();
    return nullptr;
  }

  std::unique_ptr<WritableFile> OpenExisting(const NativePath& path, int& error) override {
    // Non-blocking for the open only: a FIFO without a reader is an error,
    // not a hang.
    Fd fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0) {
      error = Errno();
      return nullptr;
    }
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        (S_ISREG(st.st_mode) && ::ftruncate(fd.Get(), 0) != 0)) {
      error = Errno();
      return nullptr;
    }
    return std::make_unique<PosixWritableFile>(fd.Release());
  }

  bool Replace(const NativePath& source, const NativePath& target, int& error) override {
    if (!MayReplace(source, target, error)) return false;
    if (::rename(source.c_str(), target.c_str()) != 0) {
      error = Errno();
      return false;
    }
    SyncFolderOf(target);
    return true;
  }

  bool ReplaceExisting(const NativePath& source, const NativePath& target, int& error) override {
    if (!MayReplace(source, target, error)) return false;
    // Swapped rather than renamed: the swap fails (ENOENT) when the target
    // went since it was looked at, where a rename would make it again.
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) != 0) {
      error = Errno();
      return false;
    }
    ::unlink(source.c_str());  // the old copy, now under the temporary's name
    SyncFolderOf(target);
    return true;
  }

  void Remove(const NativePath& path) override { ::unlink(path.c_str()); }

  std::vector<FolderItem> ListFolder(const NativePath& folder) override {
    std::vector<FolderItem> entries;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return entries;
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
      ::close(fd);
      return entries;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent* found = ::readdir(dir)) {
      const std::string name = found->d_name;
      if (name == "." || name == "..") continue;
      struct stat st {};
      // The entry itself: a link is reported as a link, never as its target.
      if (::fstatat(::dirfd(dir), found->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      entries.push_back(FolderItem{name, S_ISREG(st.st_mode), std::chrono::seconds(now - st.st_mtime)});
    }
    ::closedir(dir);
    return entries;
  }

  std::string ErrorText(int error) const override { return std::strerror(error); }
  bool IsAccessDenied(int error) const override { return error == EACCES || error == EPERM; }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem files;
  return files;
}

}  // namespace px

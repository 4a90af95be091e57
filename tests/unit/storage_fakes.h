#pragma once
// The file system's test double: in memory, every step can be made to fail,
// and each step can go to the shared event log of port_fakes.h.
#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "port_fakes.h"
#include "storage/file_system.h"

namespace px::testing {

class MemoryFileSystem final : public FileSystem {
 public:
  explicit MemoryFileSystem(EventLog* log = nullptr) : log_(log) {}

  // Failure injection; error codes are what the failing step reports.
  std::optional<int> failCreate;
  std::optional<std::size_t> failWriteAfter;  // bytes accepted before the write fails
  std::optional<int> failFinish;
  std::optional<int> failReplace;
  std::optional<int> failOpenExisting;
  std::vector<Text> unreadable;

  std::map<Text, FileBytes> files;
  std::set<Text> folders;
  std::set<Text> links;  // listed, but neither read nor written here
  std::map<Text, std::chrono::seconds> ages;  // the others are brand new
  std::map<Text, int> replacements;           // by target

  bool Has(TextView path) const { return files.contains(Text(path)); }

  FileInfo Inspect(const NativePath& path) override {
    const FileKind kind = Has(Key(path))                   ? FileKind::Regular
                          : folders.contains(Key(path)) ? FileKind::Folder
                                                        : FileKind::Missing;
    return FileInfo{kind, path, 0};
  }

  ReadResult Read(const NativePath& path, std::size_t maxSize) override {
    ReadResult r;
    const auto it = files.find(Key(path));
    if (it == files.end()) {
      r.status = ReadResult::Status::Missing;
      return r;
    }
    for (const auto& u : unreadable)
      if (u == Key(path)) return r;
    if (it->second.size() > maxSize) {
      r.status = ReadResult::Status::TooLarge;
      return r;
    }
    r.bytes = it->second;
    r.status = ReadResult::Status::Ok;
    return r;
  }

  std::unique_ptr<WritableFile> CreateBeside(const NativePath& target, NativePath& created, int& error) override {
    if (failCreate) {
      error = *failCreate;
      return nullptr;
    }
    const Text name = Key(target) + u".~" + FromUtf8(std::to_string(++temporaries_));
    files[name].clear();
    created = PathFromText(name);
    return std::make_unique<File>(*this, name);
  }

  std::unique_ptr<WritableFile> OpenExisting(const NativePath& path, int& error) override {
    if (failOpenExisting || !Has(Key(path))) {
      error = failOpenExisting.value_or(2);
      return nullptr;
    }
    files[Key(path)].clear();
    if (log_) log_->push_back("in place " + ToUtf8(Key(path)));
    return std::make_unique<File>(*this, Key(path));
  }

  bool Replace(const NativePath& source, const NativePath& target, int& error) override {
    if (failReplace) {
      error = *failReplace;
      return false;
    }
    auto node = files.extract(Key(source));
    if (node.empty()) {
      error = 2;
      return false;
    }
    files[Key(target)] = std::move(node.mapped());
    ++replacements[Key(target)];
    if (log_) log_->push_back("replace " + ToUtf8(Key(target)));
    return true;
  }

  bool ReplaceExisting(const NativePath& source, const NativePath& target, int& error) override {
    if (!failReplace && !Has(Key(target))) {
      error = 2;
      return false;
    }
    return Replace(source, target, error);
  }

  void Remove(const NativePath& path) override {
    files.erase(Key(path));
    links.erase(Key(path));
  }

  std::vector<FolderItem> ListFolder(const NativePath& folder) override {
    std::vector<FolderItem> out;
    const auto list = [&](const Text& name, bool plain) {
      const NativePath path = PathFromText(name);
      if (path.parent_path() != folder) return;
      const auto age = ages.find(name);
      out.push_back(FolderItem{path.filename(), plain, age == ages.end() ? std::chrono::seconds(0) : age->second});
    };
    for (const auto& [name, bytes] : files) list(name, true);
    for (const Text& name : folders) list(name, false);
    for (const Text& name : links) list(name, false);
    return out;
  }
  std::string ErrorText(int error) const override { return "error " + std::to_string(error); }
  bool IsAccessDenied(int error) const override { return error == 13; }

  static Text Key(const NativePath& path) { return path.u16string(); }

 private:
  class File final : public WritableFile {
   public:
    File(MemoryFileSystem& owner, Text path) : owner_(owner), path_(std::move(path)) {}
    bool Write(std::span<const std::uint8_t> bytes) override {
      FileBytes& content = owner_.files[path_];
      for (std::uint8_t b : bytes) {
        if (owner_.failWriteAfter && content.size() >= *owner_.failWriteAfter) {
          error_ = 28;  // no space left
          return false;
        }
        content.push_back(b);
      }
      return true;
    }
    bool Finish(bool) override {
      if (owner_.failFinish) {
        error_ = *owner_.failFinish;
        return false;
      }
      return true;
    }
    int LastError() const override { return error_; }

   private:
    MemoryFileSystem& owner_;
    Text path_;
    int error_ = 0;
  };

  EventLog* log_;
  int temporaries_ = 0;
};

}  // namespace px::testing

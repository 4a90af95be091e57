#pragma once
// Test doubles for the storage and apply-flow tests: an in-memory file
// system whose every step can be made to fail, a message-box recorder and a
// shared event log, so that tests can assert the order of what happened.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/ports.h"
#include "storage/file_system.h"

namespace px::testing {

using EventLog = std::vector<std::string>;

class LoggingBoxes final : public MessageBoxPort {
 public:
  explicit LoggingBoxes(EventLog* log = nullptr) : log_(log) {}
  void ShowMessage(TextView text, TextView caption) override {
    shown.emplace_back(Text(text), Text(caption));
    if (log_) log_->push_back("box " + ToUtf8(caption));
  }
  std::vector<std::pair<Text, Text>> shown;  // (text, caption)

 private:
  EventLog* log_;
};

class MemoryFileSystem final : public FileSystem {
 public:
  explicit MemoryFileSystem(EventLog* log = nullptr) : log_(log) {}

  // Failure injection; error codes are what the failing step reports.
  std::optional<int> failCreate;
  std::optional<std::size_t> failWriteAfter;  // bytes accepted before the write fails
  std::optional<int> failFinish;
  std::optional<int> failReplace;
  std::vector<Text> unreadable;

  std::map<Text, FileBytes> files;

  bool Has(TextView path) const { return files.contains(Text(path)); }

  bool Exists(TextView path) override { return files.contains(Text(path)); }

  std::optional<FileBytes> Read(TextView path, std::size_t limit) override {
    const auto it = files.find(Text(path));
    if (it == files.end()) return std::nullopt;
    for (const auto& u : unreadable)
      if (u == path) return std::nullopt;
    FileBytes bytes = it->second;
    if (bytes.size() > limit) bytes.resize(limit);
    return bytes;
  }

  std::unique_ptr<WritableFile> Create(TextView path, int& error) override {
    if (failCreate) {
      error = *failCreate;
      return nullptr;
    }
    files[Text(path)].clear();
    return std::make_unique<File>(*this, Text(path));
  }

  bool Replace(TextView source, TextView target, int& error) override {
    if (failReplace) {
      error = *failReplace;
      return false;
    }
    auto node = files.extract(Text(source));
    if (node.empty()) {
      error = 2;
      return false;
    }
    files[Text(target)] = std::move(node.mapped());
    if (log_) log_->push_back("replace " + ToUtf8(target));
    return true;
  }

  void Remove(TextView path) override { files.erase(Text(path)); }

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
    bool Finish() override {
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
};

}  // namespace px::testing

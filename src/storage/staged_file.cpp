#include "storage/staged_file.h"

#include <cstdint>

#include "storage/stale_temporaries.h"

namespace px {

namespace {

constexpr std::size_t kTagDigits = 16;

NativePath::string_type Native(std::string_view ascii) { return NativePath::string_type(ascii.begin(), ascii.end()); }

bool IsTagDigit(NativePath::value_type c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

}  // namespace

std::string ContentTag(std::span<const std::uint8_t> bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (std::uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3ull;
  std::string out(kTagDigits, '0');
  for (std::size_t i = kTagDigits; i-- > 0; hash >>= 4) out[i] = "0123456789abcdef"[hash & 0xF];
  return out;
}

NativePath StagedPathOf(const NativePath& target, std::string_view tag) {
  return ContainingFolder(target) /
         (Native(".") + target.filename().native() + Native(".") + Native(tag) + Native(".pending"));
}

std::optional<std::string> StagedTagOf(const NativePath& name, const NativePath& target) {
  using String = NativePath::string_type;
  const String& n = name.native();
  const String prefix = Native(".") + target.filename().native() + Native(".");
  const String suffix = Native(".pending");
  if (target.filename().empty() || n.size() != prefix.size() + kTagDigits + suffix.size()) return std::nullopt;
  if (n.compare(0, prefix.size(), prefix) != 0 || n.compare(n.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return std::nullopt;
  }
  std::string tag;
  for (std::size_t i = prefix.size(); i < prefix.size() + kTagDigits; ++i) {
    if (!IsTagDigit(n[i])) return std::nullopt;
    tag += static_cast<char>(n[i]);
  }
  return tag;
}

WriteResult StageFile(FileSystem& files, const NativePath& target, std::string_view tag,
                      std::span<const std::uint8_t> bytes) {
  NativePath temp;
  int error = 0;
  auto out = files.CreateBeside(target, temp, error);
  if (!out) return WriteResult{WriteResult::Step::Create, error};
  if (!out->Write(bytes) || !out->Finish(true)) {
    const int writeError = out->LastError();
    out.reset();
    files.Remove(temp);
    return WriteResult{WriteResult::Step::Write, writeError};
  }
  out.reset();
  if (!files.Replace(temp, StagedPathOf(target, tag), error)) {
    files.Remove(temp);
    return WriteResult{WriteResult::Step::Replace, error};
  }
  return {};
}

bool CommitStaged(FileSystem& files, const NativePath& target, std::string_view tag, int& error) {
  return files.Replace(StagedPathOf(target, tag), target, error);
}

StagedAction DecideStaged(std::string_view stagedTag, const std::optional<std::string>& currentTag,
                          std::chrono::seconds age) {
  if (currentTag && stagedTag == *currentTag) return StagedAction::Commit;
  // A younger one may belong to a save in another process that has not yet
  // replaced config.bin.
  return age >= kStaleTemporaryAge ? StagedAction::Remove : StagedAction::Keep;
}

void SettleStaged(FileSystem& files, const NativePath& target, const std::optional<std::string>& currentTag) {
  const NativePath folder = ContainingFolder(target);
  for (const FolderItem& item : files.ListFolder(folder)) {
    if (!item.plainFile) continue;
    const auto tag = StagedTagOf(item.name, target);
    if (!tag) continue;
    switch (DecideStaged(*tag, currentTag, item.age)) {
      case StagedAction::Commit: {
        int error = 0;
        files.Replace(folder / item.name, target, error);  // a refusal leaves it for the next start
        break;
      }
      case StagedAction::Remove: files.Remove(folder / item.name); break;
      case StagedAction::Keep: break;
    }
  }
}

}  // namespace px

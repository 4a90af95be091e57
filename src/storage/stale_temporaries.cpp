#include "storage/stale_temporaries.h"

#include <algorithm>
#include <string>

namespace px {

namespace {

// The suffix the file system adapters give their temporary files.
constexpr std::size_t kRandomDigits = 12;

bool IsLowerHex(NativePath::value_type c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

}  // namespace

NativePath TemporaryPathOf(const NativePath& target, std::uint64_t random) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string digits(kRandomDigits, '0');
  for (char& digit : digits) {
    digit = kHex[random & 0xF];
    random >>= 4;
  }
  NativePath name(".");
  name += target.filename().native();  // the system's own characters, unconverted
  name += "." + digits + ".tmp";
  return ContainingFolder(target) / name;
}

bool IsTemporaryNameOf(const NativePath& name, const NativePath& target) {
  using String = NativePath::string_type;
  const String& n = name.native();
  const String targetName = target.filename().native();
  if (targetName.empty()) return false;
  const String prefix = String(1, '.') + targetName + String(1, '.');
  const String suffix{'.', 't', 'm', 'p'};
  if (n.size() != prefix.size() + kRandomDigits + suffix.size()) return false;
  if (n.compare(0, prefix.size(), prefix) != 0 || n.compare(n.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return false;
  }
  return std::all_of(n.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                     n.end() - static_cast<std::ptrdiff_t>(suffix.size()), IsLowerHex);
}

int RemoveStaleTemporaries(FileSystem& files, const NativePath& target) {
  const NativePath folder = ContainingFolder(target);
  int removed = 0;
  for (const FolderItem& entry : files.ListFolder(folder)) {
    if (!entry.plainFile || entry.age < kStaleTemporaryAge || !IsTemporaryNameOf(entry.name, target)) continue;
    files.Remove(folder / entry.name);
    ++removed;
  }
  return removed;
}

}  // namespace px

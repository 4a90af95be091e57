#include "skin/skin_chooser.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "skin/skin_paths.h"

namespace px {
namespace {

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// Tiny and fixed: three numbers never need more.
constexpr std::size_t kColorFileLimit = 64;

}  // namespace

Text AsFolderPrefix(Text root, TextView separators) {
  if (root.empty() || separators.find(root.back()) == TextView::npos) root.push_back(separators.front());
  return root;
}

FolderListing StdFolderSearch::Search(TextView root) {
  FolderListing listing;
  std::error_code error;
  const std::filesystem::path rootPath{Text(root)};
  const std::filesystem::path full = std::filesystem::absolute(rootPath, error);
  const auto separator = static_cast<char16_t>(std::filesystem::path::preferred_separator);
  listing.fullRoot = AsFolderPrefix((error ? rootPath : full).u16string(), TextView(&separator, 1));
  std::filesystem::directory_iterator it(rootPath, error);
  if (error) return listing;
  for (const auto& entry : it) {
    std::error_code kind;
    listing.entries.push_back({entry.path().filename().u16string(), entry.is_directory(kind)});
  }
  // Linux lists a folder in no particular order: by name, as the Windows
  // search reports an NTFS folder, so that the list keeps its order.
  std::sort(listing.entries.begin(), listing.entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return listing;
}

std::vector<Text> SkinNames(const FolderListing& listing) {
  std::vector<Text> names;
  for (const FolderEntry& entry : listing.entries) {
    // "." and "..", and names no skin may have (a trailing dot, a colon).
    if (!entry.isFolder || SkinNameRefusal(entry.name)) continue;
    names.push_back(entry.name);
  }
  return names;
}

bool EqualsIgnoringAsciiCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::optional<Text> SkinFolderOf(const FolderListing& listing, TextView name) {
  for (const Text& folder : SkinNames(listing)) {
    if (EqualsIgnoringAsciiCase(folder, name)) return listing.fullRoot + folder;
  }
  return std::nullopt;
}

TextView SkinsPrompt(Language language) {
  switch (language) {
    case Language::SimplifiedChinese: return u"请点击设置UI文本颜色";
    case Language::TraditionalChinese: return u"請點擊設置UI文本顏色";
    case Language::English: break;
  }
  return u"Please click to set the UI text color";
}

std::optional<UiTextColor> ParseSkinTextColor(std::string_view text) {
  std::array<int, 3> values{};
  std::size_t at = 0;
  auto skipSeparators = [&](bool allowComma) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || (allowComma && text[at] == ','))) ++at;
  };
  for (std::size_t i = 0; i < values.size(); ++i) {
    skipSeparators(i > 0);
    const std::size_t start = at;
    int value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 4) {
      value = value * 10 + (text[at] - '0');
      ++at;
    }
    if (at == start || value > 255) return std::nullopt;
    values[i] = value;
  }
  skipSeparators(false);
  while (at < text.size() && (text[at] == '\r' || text[at] == '\n')) ++at;
  if (at != text.size()) return std::nullopt;
  return UiTextColor{static_cast<std::uint8_t>(values[0]), static_cast<std::uint8_t>(values[1]),
                     static_cast<std::uint8_t>(values[2])};
}

std::optional<UiTextColor> RecommendedTextColor(FileSystem& files, TextView skinFolder) {
  const ReadResult read = files.Read(PathFromText(SkinImagePath(skinFolder, kSkinTextColorFile)), kColorFileLimit);
  if (!read.Ok()) return std::nullopt;
  return ParseSkinTextColor(std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()));
}

}  // namespace px

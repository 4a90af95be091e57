#pragma once
// The skin chooser's rules: which entries of the skins root are skins, which
// folder a chosen name gives, the prompt, and a skin's own recommended text
// colour (a small file beside its images; a skin without one leaves the
// colour as it is).
#include <optional>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "model/interface_texts.h"
#include "skin/ui_font.h"
#include "storage/file_system.h"

namespace px {

// One entry of a folder search, in the order the file system reports it.
struct FolderEntry {
  Text name;
  bool isFolder = false;
};

// A search over the skins root: the root as the search reports it (full
// path, ending with a separator) and its entries. No entries when the root
// does not exist.
struct FolderListing {
  Text fullRoot;
  std::vector<FolderEntry> entries;
};

// The root as the start of its entries' paths: ending with one of
// `separators`, else with the first of them added.
Text AsFolderPrefix(Text root, TextView separators);

// The folder search the chooser runs; the Windows adapter uses the system's
// search, Linux std::filesystem with the entries sorted by name.
class FolderSearchPort {
 public:
  virtual ~FolderSearchPort() = default;
  virtual FolderListing Search(TextView root) = 0;
};

class StdFolderSearch final : public FolderSearchPort {
 public:
  FolderListing Search(TextView root) override;
};

// The folders of a listing in its order; files and the names SkinNameRefusal
// refuses (".", ".." among them) skipped.
std::vector<Text> SkinNames(const FolderListing& listing);

// A and a, ..., Z and z are the same; every other character only itself.
bool EqualsIgnoringAsciiCase(TextView a, TextView b);

// The full path of the first folder named like `name` (case-blind), or
// nothing when no folder matches any more.
std::optional<Text> SkinFolderOf(const FolderListing& listing, TextView name);

TextView SkinsPrompt(Language language);

// The choice the chooser hands to its owner after OK.
struct SkinChoice {
  Text skinName;
  Text skinFolder;
  UiTextColor color;
  friend bool operator==(const SkinChoice&, const SkinChoice&) = default;
};

// The file beside a skin's images that names its recommended text colour.
inline constexpr TextView kSkinTextColorFile = u"/text-color.txt";

// "R, G, B" (blanks, commas or both between three decimal numbers 0..255,
// optional line break at the end). Anything else gives nothing.
std::optional<UiTextColor> ParseSkinTextColor(std::string_view text);

// The recommended colour of the skin in `skinFolder`, if it carries one.
std::optional<UiTextColor> RecommendedTextColor(FileSystem& files, TextView skinFolder);

}  // namespace px

#include "skin/skin_paths.h"

#include "common/native_path.h"
#include "common/printable_text.h"
#include "common/real_location.h"
#include "storage/settings_paths.h"

namespace px {
namespace {

constexpr TextView kSkinsFolder = u"/Skins";

// A link inside the skins root that leads out of it (or into a skin's
// subfolder) is refused like a climbing name: pictures are only read from
// the skins root's own folders. A link to a sibling skin stays a skin.
bool ResolvesDirectlyUnder(TextView skinsRoot, TextView skinName) {
  const NativePath root = PathFromText(skinsRoot);
  const std::optional<NativePath> resolvedRoot = RealLocation(root);
  const std::optional<NativePath> folder = RealLocation(root / PathFromText(skinName));
  return resolvedRoot && folder && SamePlace(folder->parent_path(), *resolvedRoot);
}

std::size_t AfterLastSeparator(TextView path) {
  const std::size_t pos = path.find_last_of(u"\\/");
  return pos == TextView::npos ? 0 : pos + 1;
}

}  // namespace

Text ExecutableFolder(TextView executablePath) {
  // One folder rule for the settings files and the skins, so that they are
  // always looked up side by side.
  return FolderOf(executablePath);
}

Text SkinFolderFor(TextView executablePath, TextView skinName) {
  return SkinFolderIn(SkinsRootFor(executablePath), skinName);
}

std::optional<std::string_view> SkinNameRefusal(TextView name) {
  if (name.empty()) return "is empty";
  if (name.find_first_not_of(u'.') == TextView::npos) return "is only dots";
  if (name.find_first_of(u"/\\") != TextView::npos) return "holds a path separator";
  // "C:x" is relative to drive C's current folder, "x:y" a stream of x.
  if (name.find(u':') != TextView::npos) return "holds a colon";
  if (name.back() == u'.' || name.back() == u' ') return "ends with a dot or a blank";
  // The chooser writes the name to str.ini, which must stay readable.
  if (!IsPrintableText(name)) return "holds a control character or ill-formed text";
  return std::nullopt;
}

std::optional<std::string_view> SkinRefusal(TextView skinsRoot, TextView skinName) {
  if (const auto refused = SkinNameRefusal(skinName)) return refused;
  if (!ResolvesDirectlyUnder(skinsRoot, skinName)) return "leads out of the skins folder";
  return std::nullopt;
}

Text SkinFolderIn(TextView skinsRoot, TextView skinName) {
  if (SkinRefusal(skinsRoot, skinName)) return Text{};
  Text folder(skinsRoot);
  folder.push_back(u'/');
  folder.append(skinName);
  return folder;
}

Text SkinsRootFor(TextView executablePath) {
  Text root = ExecutableFolder(executablePath);
  root.append(kSkinsFolder);
  return root;
}

Text SkinImagePath(TextView skinFolder, TextView imageName) {
  if (skinFolder.empty()) return Text{};
  Text path(skinFolder);
  path.append(imageName);
  return path;
}

Text ApplicationNameFromPath(TextView executablePath) {
  TextView name = executablePath.substr(AfterLastSeparator(executablePath));
  if (const std::size_t dot = name.find_last_of(u'.'); dot != TextView::npos && dot > 0) {
    name = name.substr(0, dot);
  }
  return Text(name);
}

}  // namespace px

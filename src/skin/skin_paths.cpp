#include "skin/skin_paths.h"

#include "storage/settings_paths.h"

namespace px {
namespace {

constexpr TextView kSkinsFolder = u"/Skins";

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

Text SkinFolderIn(TextView skinsRoot, TextView skinName) {
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

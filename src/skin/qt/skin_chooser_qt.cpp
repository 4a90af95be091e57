#include "skin/qt/skin_chooser_qt.h"

#include "skin/qt/dialog_view_qt.h"

namespace px {

std::optional<SkinChoice> RunSkinChooserQt(QWidget* owner, const DialogContext& inForce, TextView skinName,
                                           TextView skinsRoot) {
  QtDialogView window(owner);
  StdFolderSearch search;
  return RunSkinChooser(window, inForce, skinName, Text(skinsRoot), search, SystemFileSystem());
}

}  // namespace px

#pragma once
// The skin chooser over a Qt window: the folders under the skins root, a
// picked skin's own colour proposed, and any colour through QColorDialog.
// The owner applies the choice (skin_flow) after OK.
#include <QWidget>

#include <optional>

#include "skin/skin_chooser_controller.h"

namespace px {

// Runs the chooser modally over `owner` with the skin in force (`inForce`'s
// folder and text colour, `skinName`); the choice only after OK.
std::optional<SkinChoice> RunSkinChooserQt(QWidget* owner, const DialogContext& inForce, TextView skinName,
                                           TextView skinsRoot);

// The same behind the port the owner's flow runs the chooser through.
class QtSkinChooser final : public SkinChooserPort {
 public:
  QtSkinChooser(QWidget* owner, Text skinsRoot) : owner_(owner), skinsRoot_(std::move(skinsRoot)) {}
  std::optional<SkinChoice> Run(const DialogContext& inForce, TextView skinName) override {
    return RunSkinChooserQt(owner_, inForce, skinName, skinsRoot_);
  }

 private:
  QWidget* owner_;
  Text skinsRoot_;
};

}  // namespace px

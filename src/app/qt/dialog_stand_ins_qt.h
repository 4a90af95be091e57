#pragma once
// TEMPORARY STAND-INS, to be replaced by the Qt dialogs (parameter dialogs
// and skin chooser) once they are in main: each answers "cancelled", so a
// function that needs a dialog leaves its button as it was, and the skins
// button changes nothing.
#include "app/main_controller.h"
#include "buttons/assignment.h"

namespace px {

class CancelledParameterDialogsStandIn final : public ParameterDialogPort {
 public:
  std::optional<DialogChoice> Run(std::uint8_t) override { return std::nullopt; }
};

class CancelledSkinChooserStandIn final : public SkinChooserRunner {
 public:
  std::optional<SkinChoice> Run() override { return std::nullopt; }
};

}  // namespace px

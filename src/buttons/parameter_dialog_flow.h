#pragma once
// Which dialog a button function opens, and its answer on OK as the
// assignment takes it, over any platform's dialog windows.
#include <cstdint>
#include <functional>
#include <optional>

#include "buttons/assignment.h"
#include "skin/dialog_view.h"

namespace px {

// The dialog of a function (6..11) run once in a new window; nothing after
// Cancel, or for a function without a dialog.
std::optional<DialogChoice> RunParameterDialog(std::uint8_t function, DialogWindows& windows,
                                               const DialogContext& context, std::uint8_t dpiTableVariant);

// What the dialogs take from the program at each opening.
struct ParameterDialogSettings {
  DialogContext context;
  std::uint8_t dpiTableVariant = 0;
};

// The assignment's dialog port over a platform's windows; the skin, language,
// text colour and DPI table in force are asked for at each opening.
class ParameterDialogs final : public ParameterDialogPort {
 public:
  ParameterDialogs(DialogWindows& windows, std::function<ParameterDialogSettings()> settings)
      : windows_(windows), settings_(std::move(settings)) {}
  std::optional<DialogChoice> Run(std::uint8_t function) override;

 private:
  DialogWindows& windows_;
  std::function<ParameterDialogSettings()> settings_;
};

}  // namespace px

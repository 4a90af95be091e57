#include "buttons/parameter_dialog_flow.h"

#include "buttons/dialog_controllers.h"
#include "model/button_catalogue.h"

namespace px {
namespace {

namespace fi = function_index;

// List positions are small and never negative; anything else is no position.
std::uint8_t Position(std::int32_t index) {
  return index >= 0 && index <= 0xFF ? static_cast<std::uint8_t>(index) : std::uint8_t{0xFF};
}

std::optional<DialogKind> ListKindOf(std::uint8_t function) {
  switch (function) {
    case fi::kWindows: return DialogKind::Windows;
    case fi::kMultimedia: return DialogKind::Media;
    case fi::kHotKey: return DialogKind::HotKey;
    case fi::kSnipeKey: return DialogKind::Snipe;
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<DialogChoice> RunParameterDialog(std::uint8_t function, DialogWindows& windows,
                                               const DialogContext& context, std::uint8_t dpiTableVariant) {
  if (!FunctionHasDialog(function)) return std::nullopt;
  const std::optional<DialogKind> listKind = ListKindOf(function);
  const DialogKind kind = listKind     ? *listKind
                          : function == fi::kFireKey ? DialogKind::FireKey
                                                     : DialogKind::Single;
  const std::unique_ptr<ModalDialogView> window = windows.NewDialog(kind);
  if (!window) return std::nullopt;
  if (listKind) {
    const std::optional<ListChoice> choice = RunListDialog(*window, kind, context, dpiTableVariant);
    if (!choice) return std::nullopt;
    return DialogChoice{.position = Position(choice->chosenIndex), .text = choice->chosenText};
  }
  if (kind == DialogKind::FireKey) {
    const std::optional<FireKeyChoice> fire = RunFireKeyDialog(*window, context);
    if (!fire) return std::nullopt;
    return DialogChoice{.position = Position(fire->chosenIndex),
                        .text = fire->chosenText,
                        .times = fire->times,
                        .makeTime = fire->makeTime,
                        .breakTime = fire->breakTime};
  }
  const std::optional<SingleKeyChoice> key = RunSingleKeyDialog(*window, context);
  if (!key) return std::nullopt;
  return DialogChoice{.position = 0, .text = key->keyName};
}

std::optional<DialogChoice> ParameterDialogs::Run(std::uint8_t function) {
  const ParameterDialogSettings settings = settings_();
  return RunParameterDialog(function, windows_, settings.context, settings.dpiTableVariant);
}

}  // namespace px

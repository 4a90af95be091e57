#include "app/win32/parameter_dialog_port.h"

#include "app/win32/skin_flow_win32.h"
#include "buttons/win32/parameter_dialogs.h"
#include "model/button_catalogue.h"

namespace px {
namespace {

namespace fi = function_index;

// List positions are small and never negative; anything else is no position.
std::uint8_t Position(std::int32_t index) {
  return index >= 0 && index <= 0xFF ? static_cast<std::uint8_t>(index) : std::uint8_t{0xFF};
}

std::optional<DialogChoice> FromList(const std::optional<ListChoice>& choice) {
  if (!choice) return std::nullopt;
  return DialogChoice{.position = Position(choice->chosenIndex), .text = choice->chosenText};
}

}  // namespace

std::optional<DialogChoice> Win32ParameterDialogs::Run(std::uint8_t function) {
  const SkinnedDialogContext context = DialogContextOf(state_);
  switch (function) {
    case fi::kWindows: return FromList(RunWindowsDialog(owner_, context));
    case fi::kMultimedia: return FromList(RunMediaDialog(owner_, context));
    case fi::kHotKey: return FromList(RunHotKeyDialog(owner_, context));
    case fi::kSnipeKey: return FromList(RunSnipeDialog(owner_, context, state_.Settings.dpiTableVariant));
    case fi::kFireKey: {
      const std::optional<FireKeyChoice> fire = RunFireKeyDialog(owner_, context);
      if (!fire) return std::nullopt;
      return DialogChoice{.position = Position(fire->chosenIndex),
                          .text = fire->chosenText,
                          .times = fire->times,
                          .makeTime = fire->makeTime,
                          .breakTime = fire->breakTime};
    }
    case fi::kSingleKey: {
      const std::optional<SingleKeyChoice> key = RunSingleKeyDialog(owner_, context);
      if (!key) return std::nullopt;
      return DialogChoice{.position = 0, .text = key->keyName};
    }
    default: return std::nullopt;
  }
}

}  // namespace px

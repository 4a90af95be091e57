#pragma once
// The six dialogs that set a button function's parameter, each behind one
// plain call: the dialog opens modally over `owner` with its own defaults and
// answers its fields only when the user confirms with OK.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "common/text.h"
#include "skin/win32/skinned_dialog.h"

namespace px {

// Hot key, media key, Windows function and snipe: a position in the dialog's
// list and its text.
struct ListChoice {
  std::int32_t chosenIndex = 0;
  Text chosenText;
};

struct FireKeyChoice {
  std::int32_t chosenIndex = 0;  // position in the FireKeyList
  Text chosenText;
  std::uint8_t times = 1;
  std::uint8_t makeTime = 32;
  std::uint8_t breakTime = 32;
};

struct SingleKeyChoice {
  Text keyName;  // empty when no key was pressed
};

std::optional<FireKeyChoice> RunFireKeyDialog(HWND owner, const SkinnedDialogContext& context);
std::optional<ListChoice> RunHotKeyDialog(HWND owner, const SkinnedDialogContext& context);
std::optional<ListChoice> RunMediaDialog(HWND owner, const SkinnedDialogContext& context);
std::optional<ListChoice> RunWindowsDialog(HWND owner, const SkinnedDialogContext& context);
// The DPI values offered are those of the mouse's DPI table variant.
std::optional<ListChoice> RunSnipeDialog(HWND owner, const SkinnedDialogContext& context,
                                         std::uint8_t dpiTableVariant);
std::optional<SingleKeyChoice> RunSingleKeyDialog(HWND owner, const SkinnedDialogContext& context);

}  // namespace px

// The four dialogs that are only the frame and one drop-down: hot key, media
// key, Windows function and snipe.
#include "buttons/dialog_fields.h"
#include "buttons/win32/parameter_dialogs.h"

namespace px {
namespace {

class ListDialog final : public SkinnedDialog {
 public:
  ListDialog(DialogKind kind, HWND owner, const SkinnedDialogContext& context, std::uint8_t variant)
      : SkinnedDialog(kind, owner, context), variant_(variant) {
    SetChosen(0, Text(InitialChoiceText(kind, context.language, variant)));
  }

 protected:
  std::vector<Text> ListItems() override {
    std::vector<Text> items;
    for (TextView item : DialogListItems(Spec().kind, Context().language, variant_)) items.emplace_back(item);
    return items;
  }

 private:
  std::uint8_t variant_;
};

std::optional<ListChoice> Run(DialogKind kind, HWND owner, const SkinnedDialogContext& context,
                              std::uint8_t variant = 0) {
  ListDialog dialog(kind, owner, context, variant);
  if (dialog.DoModal() != IDOK) return std::nullopt;
  return ListChoice{dialog.ChosenIndex(), dialog.ChosenText()};
}

}  // namespace

std::optional<ListChoice> RunHotKeyDialog(HWND owner, const SkinnedDialogContext& context) {
  return Run(DialogKind::HotKey, owner, context);
}

std::optional<ListChoice> RunMediaDialog(HWND owner, const SkinnedDialogContext& context) {
  return Run(DialogKind::Media, owner, context);
}

std::optional<ListChoice> RunWindowsDialog(HWND owner, const SkinnedDialogContext& context) {
  return Run(DialogKind::Windows, owner, context);
}

std::optional<ListChoice> RunSnipeDialog(HWND owner, const SkinnedDialogContext& context,
                                         std::uint8_t dpiTableVariant) {
  return Run(DialogKind::Snipe, owner, context, dpiTableVariant);
}

}  // namespace px

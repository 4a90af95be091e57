#include "skin/skin_chooser_controller.h"

#include "skin/skin_paths.h"

namespace px {

SkinChooserController::SkinChooserController(DialogView& view, DialogContext context, TextView skinName,
                                             Text skinsRoot, FolderSearchPort& search, FileSystem& files)
    : DialogController(DialogKind::Skins, view, std::move(context)),
      skinNameInForce_(skinName),
      skinsRoot_(std::move(skinsRoot)),
      search_(search),
      files_(files),
      chosenFolder_(Context().skinFolder),
      chosenColor_(Context().textColor) {
  SetChosen(0, Text(skinName));
}

void SkinChooserController::CreateOwnControls() { View().CreateSwatch(kSkinsSwatchId, kSkinsSwatch, chosenColor_); }

std::vector<Text> SkinChooserController::ListItems() {
  std::vector<Text> names = SkinNames(search_.Search(skinsRoot_));
  // A link that leads out of the skins root is no skin of it.
  std::erase_if(names, [this](const Text& name) { return SkinFolderIn(skinsRoot_, name).empty(); });
  return names;
}

void SkinChooserController::AfterChoice() {
  const std::optional<Text> folder = SkinFolderOf(search_.Search(skinsRoot_), ChosenText());
  if (!folder) return;
  // Made a link out since the list was filled: drawn as a missing skin.
  chosenFolder_ = SkinFolderIn(skinsRoot_, ChosenText()).empty() ? Text{} : *folder;
  // A colour the user chose in this opening is never replaced. Otherwise
  // another skin proposes its own colour when it names one, and the skin in
  // force (or one without a colour) keeps the colour in force.
  if (userChoseColor_) return;
  std::optional<UiTextColor> proposed;
  if (!EqualsIgnoringAsciiCase(ChosenText(), skinNameInForce_)) proposed = RecommendedTextColor(files_, chosenFolder_);
  SetColor(proposed.value_or(Context().textColor));
}

void SkinChooserController::OnExtraHit() {
  if (const std::optional<UiTextColor> color = View().RunColorChooser()) {
    userChoseColor_ = true;
    SetColor(*color);
  }
}

void SkinChooserController::DrawExtraTexts() {
  // In the colour in force: the choice only applies after OK.
  View().DrawText(SkinsPrompt(Context().language), kSkinsPrompt, kWholeCentredText,
                  Context().textColor);
}

void SkinChooserController::SetColor(UiTextColor color) {
  chosenColor_ = color;
  View().SetSwatchColor(kSkinsSwatchId, color);
}

std::optional<SkinChoice> RunSkinChooser(ModalDialogView& window, const DialogContext& context, TextView skinName,
                                         Text skinsRoot, FolderSearchPort& search, FileSystem& files) {
  SkinChooserController controller(window, context, skinName, std::move(skinsRoot), search, files);
  if (window.RunModal(controller) != DialogEnd::Ok) return std::nullopt;
  return controller.Result();
}

}  // namespace px

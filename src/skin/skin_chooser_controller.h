#pragma once
// CSkinsDialog's behaviour over the frame: the skins under the skins root in
// the drop-down, a swatch of the chosen text colour that opens the system's
// colour chooser, and a picked skin's own colour proposed in place of the one
// in force, never over a colour the user chose.
#include "skin/dialog_controller.h"
#include "skin/skin_chooser.h"
#include "storage/file_system.h"

namespace px {

inline constexpr int kSkinsSwatchId = 561;
inline constexpr Rect kSkinsSwatch{42, 94, 151, 110};
inline constexpr Rect kSkinsPrompt{12, 64, 181, 94};  // 30 pixels around the swatch, 30 high above it

class SkinChooserController final : public DialogController {
 public:
  // `context` and `skinName` hold the skin in force; `skinsRoot` is the
  // folder whose sub-folders are the skins.
  SkinChooserController(DialogView& view, DialogContext context, TextView skinName, Text skinsRoot,
                        FolderSearchPort& search, FileSystem& files);

  SkinChoice Result() const { return {ChosenText(), chosenFolder_, chosenColor_}; }

 protected:
  void CreateOwnControls() override;
  std::vector<Text> ListItems() override;
  void AfterChoice() override;
  Rect ExtraHitRect() const override { return kSkinsSwatch; }
  void OnExtraHit() override;
  void DrawExtraTexts() override;

 private:
  void SetColor(UiTextColor color);

  Text skinNameInForce_;
  Text skinsRoot_;
  FolderSearchPort& search_;
  FileSystem& files_;
  Text chosenFolder_;
  UiTextColor chosenColor_;
  bool userChoseColor_ = false;
};

// One modal run of the chooser in `window`; the choice only after OK.
std::optional<SkinChoice> RunSkinChooser(ModalDialogView& window, const DialogContext& context, TextView skinName,
                                         Text skinsRoot, FolderSearchPort& search, FileSystem& files);

// How the owner runs the chooser on a platform: the skin in force in,
// the choice out after OK (nothing after Cancel or close).
class SkinChooserPort {
 public:
  virtual ~SkinChooserPort() = default;
  virtual std::optional<SkinChoice> Run(const DialogContext& inForce, TextView skinName) = 0;
};

// The port over a toolkit's dialog windows, for both programs: each run in a
// new Skins window, over the folders under the skins root.
class WindowedSkinChooser final : public SkinChooserPort {
 public:
  WindowedSkinChooser(DialogWindows& windows, Text skinsRoot, FolderSearchPort& search, FileSystem& files)
      : windows_(windows), skinsRoot_(std::move(skinsRoot)), search_(search), files_(files) {}
  std::optional<SkinChoice> Run(const DialogContext& inForce, TextView skinName) override {
    return RunSkinChooser(*windows_.NewDialog(DialogKind::Skins), inForce, skinName, skinsRoot_, search_, files_);
  }

 private:
  DialogWindows& windows_;
  Text skinsRoot_;
  FolderSearchPort& search_;
  FileSystem& files_;
};

}  // namespace px

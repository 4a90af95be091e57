#pragma once
// The frame's behaviour shared by the seven small dialogs, over a DialogView:
// opening, erase, the left click, hover looks, the drop-down with its open
// flag kept per kind, the wheel and pointer-over selection. Each dialog
// derives from it and fills in its own texts, controls, list and result.
#include <cstdint>
#include <vector>

#include "common/text.h"
#include "skin/dialog_frame.h"
#include "skin/dialog_view.h"
#include "skin/ui_key.h"

namespace px {

inline constexpr UiTextColor kDialogWhite{255, 255, 255};

class DialogController {
 public:
  DialogController(DialogKind kind, DialogView& view, DialogContext context);
  virtual ~DialogController() = default;
  DialogController(const DialogController&) = delete;
  DialogController& operator=(const DialogController&) = delete;

  // --- what the window reports (client coordinates) ---
  // False when the opening failed or wants no focus.
  bool Open();
  void Erase();
  void LeftButtonDown(int x, int y);
  void PointerMove(int x, int y);
  void PointerRest(int x, int y);
  // One wheel notification; positive: away from the user.
  void Wheel(int delta);
  // The pointer moved over the open list, on this entry (−1: none).
  void PointerOverList(int item);
  // The list reports a selection (a click on an entry).
  void ListSelectionMade();
  // OK button or Enter; Cancel or Escape.
  virtual void Ok();
  void Cancel();
  // Whether Enter and Escape end the dialog.
  virtual bool KeysEndDialog() const { return true; }
  // A key pressed in the dialog: Enter is OK and Escape Cancel where keys end
  // it. False: the key is not the frame's.
  bool KeyPressed(UiKey key);
  virtual void EditChanged(int /*id*/, TextView /*text*/) {}
  virtual void EditFocusLost(int /*id*/, TextView /*text*/) {}
  virtual void KeyCaptured(TextView /*name*/) {}

  DialogKind Kind() const { return spec_.kind; }
  const DialogFrameSpec& Spec() const { return spec_; }
  const DialogContext& Context() const { return context_; }
  std::int32_t ChosenIndex() const { return chosenIndex_; }
  const Text& ChosenText() const { return chosenText_; }

 protected:
  // --- what each dialog adds ---
  virtual void CreateOwnControls() {}
  // Last step of opening; false: no focus.
  virtual bool FinishOpening() { return true; }
  // Drawn by the erase after the OK and Cancel captions.
  virtual void DrawExtraTexts() {}
  virtual std::vector<Text> ListItems() { return {}; }
  virtual bool ListHasScrollBar() const { return false; }
  // Around the list's life: the fire key fields give way to it.
  virtual void BeforeListCreated() {}
  virtual void AfterListClosed() {}
  virtual void AfterChoice() {}
  virtual Rect ExtraHitRect() const { return {}; }
  virtual void OnExtraHit() {}

  DialogView& View() { return view_; }
  void SetChosen(std::int32_t index, Text text) {
    chosenIndex_ = index;
    chosenText_ = std::move(text);
  }
  Text ImagePath(TextView name) const;

 private:
  void ToggleList();
  void CloseList();
  void DrawButton(FrameButton button, bool over);

  DialogView& view_;
  const DialogFrameSpec& spec_;
  DialogContext context_;
  FrameCaptions captions_;
  std::vector<Text> items_;
  std::int32_t chosenIndex_ = 0;
  Text chosenText_;
};

}  // namespace px

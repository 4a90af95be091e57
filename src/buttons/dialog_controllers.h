#pragma once
// The six parameter dialogs' behaviour over the frame: the four that are one
// drop-down (hot key, media key, Windows function, snipe), the fire key
// dialog with its three number fields, and the single key dialog that names
// the key pressed. The Win32 and Qt dialogs only carry these out.
#include <array>
#include <cstdint>
#include <optional>

#include "skin/dialog_controller.h"

namespace px {

// Hot key, media key, Windows function and snipe: a position in the
// dialog's list and its text.
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

class ListDialogController final : public DialogController {
 public:
  // The snipe dialog offers the DPI values of the mouse's table variant.
  ListDialogController(DialogKind kind, DialogView& view, DialogContext context, std::uint8_t dpiTableVariant = 0);
  ListChoice Result() const { return {ChosenIndex(), ChosenText()}; }

 protected:
  std::vector<Text> ListItems() override;

 private:
  std::uint8_t variant_;
};

// CFireKeyDialog: the key to repeat from a scrolling list, and three number
// fields that give way to the list while it is open and come back with the
// texts they had.
class FireKeyController final : public DialogController {
 public:
  FireKeyController(DialogView& view, DialogContext context);
  FireKeyChoice Result() const { return {ChosenIndex(), ChosenText(), times_, makeTime_, breakTime_}; }

  void Ok() override;
  void EditChanged(int id, TextView text) override;
  void EditFocusLost(int id, TextView text) override;

 protected:
  void CreateOwnControls() override { CreateFields(); }
  void DrawExtraTexts() override;
  std::vector<Text> ListItems() override;
  bool ListHasScrollBar() const override { return true; }
  void BeforeListCreated() override;
  void AfterListClosed() override;

 private:
  void CreateFields();
  // Make and break time: the rule that focus loss applies.
  void ApplyTimeField(int id, TextView text);

  Text timesText_;
  Text makeText_;
  Text breakText_;
  std::uint8_t times_ = 1;
  std::uint8_t makeTime_ = 32;
  std::uint8_t breakTime_ = 32;
};

// CSingleDialog: every keystroke while it is open names its key in the
// label; Enter and Escape are captured like any other key instead of ending it.
class SingleKeyController final : public DialogController {
 public:
  SingleKeyController(DialogView& view, DialogContext context);
  SingleKeyChoice Result() const { return {ChosenText()}; }

  bool KeysEndDialog() const override { return false; }
  void KeyCaptured(TextView name) override;

 protected:
  bool FinishOpening() override;
  void DrawExtraTexts() override;
};

// One modal run of a dialog in `window`; its answer only after OK.
std::optional<ListChoice> RunListDialog(ModalDialogView& window, DialogKind kind, const DialogContext& context,
                                        std::uint8_t dpiTableVariant = 0);
std::optional<FireKeyChoice> RunFireKeyDialog(ModalDialogView& window, const DialogContext& context);
std::optional<SingleKeyChoice> RunSingleKeyDialog(ModalDialogView& window, const DialogContext& context);

}  // namespace px

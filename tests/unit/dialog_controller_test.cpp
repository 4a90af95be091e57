// The small dialogs' frame through a recording view: opening, erase, the
// left click, hover looks, the drop-down and its flag kept per kind, the
// wheel and pointer-over selection.
#include <gtest/gtest.h>

#include <memory>

#include "buttons/dialog_controllers.h"
#include "recording_dialog_view.h"
#include "skin/skin_chooser_controller.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::RecordingDialogView;
using Calls = std::vector<std::string>;

const DialogContext kContext{u"S", Language::English, UiTextColor{1, 2, 3}};  // colour value 197121
const DialogContext kChinese{u"S", Language::SimplifiedChinese, UiTextColor{1, 2, 3}};

class Frame : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetDialogKindStates(); }

  std::unique_ptr<DialogController> Make(DialogKind kind, RecordingDialogView& view,
                                         const DialogContext& context = kContext) {
    switch (kind) {
      case DialogKind::FireKey: return std::make_unique<FireKeyController>(view, context);
      case DialogKind::Single: return std::make_unique<SingleKeyController>(view, context);
      case DialogKind::Skins:
        return std::make_unique<SkinChooserController>(view, context, u"Default", u"R", search_, files_);
      default: return std::make_unique<ListDialogController>(kind, view, context);
    }
  }
  // An opened dialog with its record emptied.
  std::unique_ptr<DialogController> Opened(DialogKind kind, RecordingDialogView& view,
                                           const DialogContext& context = kContext) {
    auto controller = Make(kind, view, context);
    controller->Open();
    view.Clear();
    return controller;
  }

  testing::ListedFolders search_;
  testing::MemoryFileSystem files_;
};

TEST_F(Frame, OpeningStepsAndAFailedBackground) {
  struct Case {
    DialogKind kind;
    bool loads;
    std::optional<unsigned long> captureError;
    bool opened;
    Calls calls;
  };
  const Case cases[] = {
      {DialogKind::HotKey, true, {}, true, {"load S/hot-key.png", "label 565 Copy"}},
      {DialogKind::FireKey, true, {}, true,
       {"load S/fire-key.png", "label 572 centred L-Button", "edit 575 1", "edit 576 32", "edit 577 32"}},
      {DialogKind::Single, true, {}, true, {"load S/single-key.png", "label 502 centred ", "capture keys"}},
      {DialogKind::Skins, true, {}, true, {"load S/skins.png", "label 560 Default", "swatch 561 197121"}},
      // The background fails: the box, then the dialog ends at once; nothing else is made.
      {DialogKind::HotKey, false, {}, false,
       {"load S/hot-key.png", "message error | HotKey Dialog Load background image failed!!!", "end cancel"}},
      {DialogKind::Snipe, false, {}, false,
       {"load S/snipe-key.png", "message error | Snipe Dialog Load background image failed!!!", "end cancel"}},
      // No key capture: the box, and the dialog stays open without the focus.
      {DialogKind::Single, true, 5, false,
       {"load S/single-key.png", "label 502 centred ", "capture keys",
        "message KeyboardHook_SingleDlgKey Install error code :5\n | PX6410-3-4"}},
  };
  for (const Case& c : cases) {
    RecordingDialogView view;
    view.backgroundLoads = c.loads;
    view.keyCaptureError = c.captureError;
    auto controller = Make(c.kind, view);
    EXPECT_EQ(controller->Open(), c.opened) << c.calls.front();
    EXPECT_EQ(view.calls, c.calls);
  }
}

TEST_F(Frame, EraseDrawsTheNormalLooksThenTheDialogsOwnTexts) {
  const Calls head = {"begin", "restore", "image S/button-normal.png 166,253", "image S/button-normal.png 270,253"};
  const std::string close = "image S/button-close-normal.png 352,6";
  struct Case {
    DialogKind kind;
    DialogContext context;
    Calls texts;  // between the background and the close button
  };
  const Case cases[] = {
      {DialogKind::HotKey, kContext, {"text OK 166,253 centre 197121", "text Cancel 270,253 centre 197121"}},
      {DialogKind::FireKey, kChinese,
       {"text 确定 166,253 centre 197121", "text 取消 270,253 centre 197121", "text 次数 -7,104 right 197121",
        "text 按下时间 -7,138 right 197121", "text 弹起时间 -7,172 right 197121",
        "text 时间(数值范围5-255) 23,198 left whole 197121",
        "text 次数(数值范围0-127，0表示按键放开火力键结束) 23,214 left whole 197121",
        "text L-Button 82,69 centre 197121"}},
      // The prompt in white whatever the text colour.
      {DialogKind::Single, kContext,
       {"text OK 166,253 centre 197121", "text Cancel 270,253 centre 197121",
        "text Please enter a key 43,108 centre 16777215"}},
      {DialogKind::Skins, kContext,
       {"text OK 166,253 centre 197121", "text Cancel 270,253 centre 197121",
        "text Please click to set the UI text color 12,64 centre whole 197121"}},
  };
  for (const Case& c : cases) {
    RecordingDialogView view;
    auto controller = Opened(c.kind, view, c.context);
    controller->Erase();
    Calls expected = head;
    expected.insert(expected.end(), c.texts.begin(), c.texts.end());
    expected.push_back(close);
    expected.push_back("end drawing");
    EXPECT_EQ(view.calls, expected);
  }
}

TEST_F(Frame, LeftClickStepsRunInOrderAndTheLaterEndWins) {
  struct Case {
    int x, y;
    bool listOpen;
    Calls calls;
    std::optional<DialogEnd> end;
    bool listOpenAfter;
  };
  const Case cases[] = {
      {200, 263, false, {"end ok"}, DialogEnd::Ok, false},
      {270, 263, false, {"end ok", "end cancel"}, DialogEnd::Cancel, false},  // the shared column
      {320, 263, false, {"end cancel"}, DialogEnd::Cancel, false},
      {360, 14, false, {"end cancel"}, DialogEnd::Cancel, false},             // close
      {200, 263, true, {"destroy list", "end ok"}, DialogEnd::Ok, false},     // the list closes first
      {140, 136, false, {"list 566 8"}, {}, true},                            // the label toggles too
      {150, 143, true, {"destroy list"}, {}, false},
      {50, 150, true, {}, {}, true},                                          // inside the list: its own
      {300, 60, true, {"destroy list"}, {}, false},                           // anywhere else closes it
      {10, 10, false, {}, {}, false},                                         // no drag, nothing
  };
  for (const Case& c : cases) {
    testing::ResetDialogKindStates();
    RecordingDialogView view;
    auto controller = Opened(DialogKind::HotKey, view);
    if (c.listOpen) {
      controller->LeftButtonDown(140, 136);
      view.Clear();
    }
    controller->LeftButtonDown(c.x, c.y);
    EXPECT_EQ(view.calls, c.calls) << c.x << "," << c.y;
    EXPECT_EQ(view.ended, c.end) << c.x << "," << c.y;
    EXPECT_EQ(KindState(DialogKind::HotKey).listOpen, c.listOpenAfter) << c.x << "," << c.y;
  }
}

TEST_F(Frame, HoverLooksFollowThePointer) {
  RecordingDialogView view;
  auto controller = Opened(DialogKind::Media, view);
  const std::string ok = "text OK 166,253 centre 197121", cancel = "text Cancel 270,253 centre 197121";
  struct Step {
    bool rest;  // a rest, else a move
    int x, y;
    Calls calls;
  };
  const Step steps[] = {
      {false, 200, 262, {"hover request"}},
      {true, 200, 262, {"begin", "image S/button-over.png 166,253", ok, "end drawing"}},
      // Cancel takes the look and OK gives it back, and the other way round.
      {true, 320, 262,
       {"begin", "image S/button-over.png 270,253", cancel, "image S/button-normal.png 166,253", ok, "end drawing"}},
      {true, 200, 262,
       {"begin", "image S/button-over.png 166,253", ok, "image S/button-normal.png 270,253", cancel, "end drawing"}},
      {true, 320, 262,
       {"begin", "image S/button-over.png 270,253", cancel, "image S/button-normal.png 166,253", ok, "end drawing"}},
      // Close: Cancel keeps its look until the pointer leaves all three.
      {true, 358, 12, {"begin", "image S/button-close-over.png 352,6", "end drawing"}},
      {false, 358, 12, {"hover request"}},
      {false, 300, 100,
       {"begin", "image S/button-close-normal.png 352,6", "image S/button-normal.png 270,253", cancel,
        "end drawing"}},
      {false, 300, 100, {}},
      {true, 300, 100, {}},
  };
  for (const Step& s : steps) {
    view.Clear();
    if (s.rest) {
      controller->PointerRest(s.x, s.y);
    } else {
      controller->PointerMove(s.x, s.y);
    }
    EXPECT_EQ(view.calls, s.calls) << (s.rest ? "rest " : "move ") << s.x << "," << s.y;
  }
  const DialogKindState& state = KindState(DialogKind::Media);
  EXPECT_FALSE(state.okHover || state.cancelHover || state.closeHover);
}

TEST_F(Frame, TheOpenFlagOutlivesAnOpeningOfItsKind) {
  {
    RecordingDialogView view;
    auto controller = Opened(DialogKind::HotKey, view);
    controller->LeftButtonDown(140, 136);
    controller->Ok();  // Enter while the list is open
    EXPECT_EQ(view.ended, DialogEnd::Ok);
  }
  EXPECT_TRUE(KindState(DialogKind::HotKey).listOpen);
  RecordingDialogView view;
  auto controller = Opened(DialogKind::HotKey, view);
  controller->LeftButtonDown(140, 136);  // only clears the flag
  EXPECT_EQ(view.calls, Calls{});
  EXPECT_FALSE(KindState(DialogKind::HotKey).listOpen);
  controller->LeftButtonDown(140, 136);
  EXPECT_EQ(view.calls, Calls{"list 566 8"});
  // Another kind keeps its own flag.
  RecordingDialogView media;
  auto other = Opened(DialogKind::Media, media);
  other->LeftButtonDown(140, 136);
  EXPECT_EQ(media.calls, Calls{"list 553 7"});
}

TEST_F(Frame, EnterIsOkAndEscapeCancelExceptWhereKeysAreCaptured) {
  struct Case {
    DialogKind kind;
    UiKey key;
    bool taken;
    std::optional<DialogEnd> end;
  };
  const Case cases[] = {
      {DialogKind::HotKey, UiKey::Enter, true, DialogEnd::Ok},
      {DialogKind::Snipe, UiKey::Escape, true, DialogEnd::Cancel},
      {DialogKind::HotKey, UiKey::Other, false, {}},
      {DialogKind::Single, UiKey::Enter, false, {}},  // a key to name, not an end
      {DialogKind::Single, UiKey::Escape, false, {}},
  };
  for (const Case& c : cases) {
    RecordingDialogView view;
    auto controller = Opened(c.kind, view);
    EXPECT_EQ(controller->KeyPressed(c.key), c.taken) << static_cast<int>(c.kind) << static_cast<int>(c.key);
    EXPECT_EQ(view.ended, c.end) << static_cast<int>(c.kind) << static_cast<int>(c.key);
  }
}

TEST_F(Frame, TheWheelScrollsAnOpenListThreeLinesANotchWhereTheDialogHasOne) {
  struct Case {
    DialogKind kind;
    int dropdownX, dropdownY;
    bool open;
    int delta;
    Calls calls;
  };
  const Case cases[] = {
      {DialogKind::Snipe, 140, 113, true, -120, {"scroll 3"}},
      {DialogKind::Snipe, 140, 113, true, 0, {"scroll 3"}},
      {DialogKind::Snipe, 140, 113, true, 240, {"scroll -3"}},  // one notification, whatever its size
      {DialogKind::Snipe, 140, 113, false, -120, {}},
      {DialogKind::FireKey, 150, 77, true, -120, {"scroll 3"}},
      {DialogKind::Skins, 140, 136, true, -120, {"scroll 3"}},
      {DialogKind::HotKey, 140, 136, true, -120, {}},
      {DialogKind::Media, 140, 136, true, -120, {}},
      {DialogKind::Windows, 140, 136, true, -120, {}},
  };
  for (const Case& c : cases) {
    testing::ResetDialogKindStates();
    RecordingDialogView view;
    auto controller = Opened(c.kind, view);
    if (c.open) controller->LeftButtonDown(c.dropdownX, c.dropdownY);
    view.Clear();
    controller->Wheel(c.delta);
    EXPECT_EQ(view.calls, c.calls) << static_cast<int>(c.kind) << " " << c.delta;
  }
}

TEST_F(Frame, PointingMarksAnEntryAndOnlyAClickChoosesIt) {
  RecordingDialogView view;
  auto controller = Opened(DialogKind::Media, view);
  controller->PointerOverList(2);  // no list yet
  EXPECT_EQ(view.calls, Calls{});
  controller->LeftButtonDown(140, 136);
  view.Clear();
  controller->PointerOverList(2);
  controller->PointerOverList(-1);
  controller->PointerOverList(3);
  EXPECT_EQ(view.calls, (Calls{"select 2", "select -1", "select 3"}));
  EXPECT_EQ(controller->ChosenText(), u"Next");
  EXPECT_EQ(view.labels[552], u"Next");
  view.Clear();
  view.ClickEntry(*controller, 2);
  EXPECT_EQ(view.calls, (Calls{"set label 552 Stop", "destroy list"}));
  EXPECT_EQ(controller->ChosenIndex(), 2);
  EXPECT_EQ(controller->ChosenText(), u"Stop");
  EXPECT_FALSE(KindState(DialogKind::Media).listOpen);
  // A notification without a selection, or after the list is gone, chooses nothing.
  controller->LeftButtonDown(140, 136);
  view.selection.reset();
  view.Clear();
  controller->ListSelectionMade();
  EXPECT_EQ(view.calls, Calls{});
  EXPECT_FALSE(KindState(DialogKind::Media).listOpen);
  EXPECT_EQ(controller->ChosenText(), u"Stop");
}

}  // namespace
}  // namespace px

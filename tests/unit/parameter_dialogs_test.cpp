// The parameter dialogs' own behaviour over the frame: the fire key fields'
// life around the list, the single key capture, and which dialog a function
// opens with what it answers.
#include <gtest/gtest.h>

#include <deque>

#include "buttons/dialog_controllers.h"
#include "buttons/dialog_fields.h"
#include "buttons/parameter_dialog_flow.h"
#include "model/button_catalogue.h"
#include "recording_dialog_view.h"

namespace px {
namespace {

using testing::RecordingDialogView;
using Calls = std::vector<std::string>;

const DialogContext kContext{u"S", Language::English, UiTextColor{1, 2, 3}};

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetDialogKindStates(); }
};

TEST_F(Dialogs, FireKeyFieldsGiveWayToTheListAndComeBackWithTheirTexts) {
  RecordingDialogView view;
  FireKeyController fire(view, kContext);
  fire.Open();
  view.Type(fire, kFireTimesId, u"0");
  view.Type(fire, kFireMakeId, u"4");     // still being typed: no rule yet
  view.Type(fire, kFireBreakId, u"255");
  fire.EditFocusLost(kFireBreakId, u"255");
  view.Clear();
  fire.LeftButtonDown(150, 77);
  EXPECT_EQ(view.calls, (Calls{"set edit 576 5", "destroy edit 575", "destroy edit 576", "destroy edit 577",
                               "list 573 59 scroll"}));
  view.Clear();
  view.ClickEntry(fire, 51);
  EXPECT_EQ(view.calls, (Calls{"set label 572 F5", "destroy list", "edit 575 0", "edit 576 5", "edit 577 255"}));
  // Closed without a choice they come back too.
  fire.LeftButtonDown(150, 77);
  view.Clear();
  fire.LeftButtonDown(150, 77);
  EXPECT_EQ(view.calls, (Calls{"destroy list", "edit 575 0", "edit 576 5", "edit 577 255"}));
  fire.Ok();
  const FireKeyChoice result = fire.Result();
  EXPECT_EQ(result.chosenIndex, 51);
  EXPECT_EQ(result.chosenText, u"F5");
  EXPECT_EQ(result.times, 0);
  EXPECT_EQ(result.makeTime, 5);
  EXPECT_EQ(result.breakTime, 255);
}

TEST_F(Dialogs, FireKeyRulesRunOnTheirEventsAndOnOk) {
  struct Case {
    int id;
    TextView typed;
    bool focusLeaves;
    Calls calls;  // after the typing
    std::uint8_t times, make, breakTime;
  };
  const Case cases[] = {
      {kFireTimesId, u"128", false, {"set edit 575 1", "end ok"}, 1, 32, 32},
      {kFireTimesId, u"", false, {"end ok"}, 0, 32, 32},
      {kFireMakeId, u"4", true, {"set edit 576 5", "end ok"}, 1, 5, 32},
      {kFireMakeId, u"255", true, {"end ok"}, 1, 255, 32},
      // Typed and confirmed at once: it counts as shown.
      {kFireBreakId, u"300", false, {"set edit 577 5", "end ok"}, 1, 32, 5},
      {kFireBreakId, u"40", false, {"end ok"}, 1, 32, 40},
  };
  for (const Case& c : cases) {
    RecordingDialogView view;
    FireKeyController fire(view, kContext);
    fire.Open();
    view.Clear();
    view.Type(fire, c.id, c.typed);
    if (c.focusLeaves) fire.EditFocusLost(c.id, c.typed);
    fire.Ok();
    EXPECT_EQ(view.calls, c.calls) << ToUtf8(c.typed);
    const FireKeyChoice r = fire.Result();
    EXPECT_EQ(r.times, c.times) << ToUtf8(c.typed);
    EXPECT_EQ(r.makeTime, c.make) << ToUtf8(c.typed);
    EXPECT_EQ(r.breakTime, c.breakTime) << ToUtf8(c.typed);
  }
}

TEST_F(Dialogs, SingleKeyNamesEveryKeystrokeAndKeysDoNotEndIt) {
  RecordingDialogView view;
  SingleKeyController single(view, kContext);
  single.Open();
  EXPECT_FALSE(single.KeysEndDialog());
  EXPECT_TRUE(ListDialogController(DialogKind::HotKey, view, kContext).KeysEndDialog());
  view.Clear();
  single.KeyCaptured(u"A");
  single.KeyCaptured(u"A");  // the release names it again
  single.KeyCaptured(u"Enter");
  EXPECT_EQ(view.calls, (Calls{"set label 502 A", "set label 502 A", "set label 502 Enter"}));
  EXPECT_EQ(view.ended, std::nullopt);
  single.Ok();
  EXPECT_EQ(single.Result().keyName, u"Enter");
  // OK without a key answers an empty name.
  RecordingDialogView other;
  SingleKeyController untouched(other, kContext);
  untouched.Open();
  untouched.Ok();
  EXPECT_EQ(untouched.Result().keyName, u"");
}

// Windows that answer as a user would: each opening chooses the scripted
// entry (or types the scripted key), types into the scripted fields and ends
// with the scripted end.
class ScriptedWindows final : public DialogWindows {
 public:
  struct Script {
    std::optional<int> entry;
    Text key;
    DialogEnd end = DialogEnd::Ok;
    std::vector<std::pair<int, Text>> typed;  // field id, text
  };
  std::deque<Script> scripts;
  std::vector<DialogKind> opened;

  std::unique_ptr<ModalDialogView> NewDialog(DialogKind kind) override {
    opened.push_back(kind);
    auto view = std::make_unique<RecordingDialogView>();
    const Script script = scripts.empty() ? Script{} : scripts.front();
    if (!scripts.empty()) scripts.pop_front();
    RecordingDialogView* raw = view.get();
    view->user = [raw, kind, script](DialogController& controller) {
      if (script.entry) {
        const Rect& dropdown = FrameSpec(kind).dropdown;
        controller.LeftButtonDown(dropdown.left + 2, dropdown.top + 2);
        raw->ClickEntry(controller, *script.entry);
      }
      if (!script.key.empty()) controller.KeyCaptured(script.key);
      for (const auto& [id, text] : script.typed) raw->Type(controller, id, text);
      controller.LeftButtonDown(script.end == DialogEnd::Ok ? 200 : 320, 263);
    };
    return view;
  }
};

TEST_F(Dialogs, EachFunctionOpensItsDialogAndAnswersWhatTheAssignmentStores) {
  namespace fi = function_index;
  struct Case {
    std::uint8_t function;
    std::uint8_t variant;
    ScriptedWindows::Script script;
    std::optional<DialogKind> kind;
    std::optional<DialogChoice> answer;
  };
  const Case cases[] = {
      {fi::kWindows, 0, {8, {}, DialogEnd::Ok, {}}, DialogKind::Windows, DialogChoice{8, u"Browser-Refresh"}},
      {fi::kMultimedia, 0, {{}, {}, DialogEnd::Ok, {}}, DialogKind::Media, DialogChoice{0, u"Next"}},
      {fi::kHotKey, 0, {7, {}, DialogEnd::Ok, {}}, DialogKind::HotKey, DialogChoice{7, u"Undo"}},
      {fi::kSnipeKey, 1, {7, {}, DialogEnd::Ok, {}}, DialogKind::Snipe, DialogChoice{7, u"3200"}},
      // Every number distinct, so that no two of them can change places unseen.
      {fi::kFireKey, 0, {51, {}, DialogEnd::Ok, {{kFireTimesId, u"3"}, {kFireMakeId, u"10"}, {kFireBreakId, u"20"}}},
       DialogKind::FireKey, DialogChoice{51, u"F5", 3, 10, 20}},
      {fi::kSingleKey, 0, {{}, u"Page Up", DialogEnd::Ok, {}}, DialogKind::Single, DialogChoice{0, u"Page Up"}},
      {fi::kHotKey, 0, {3, {}, DialogEnd::Cancel, {}}, DialogKind::HotKey, std::nullopt},
      {fi::kKeyOff, 0, {}, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    ScriptedWindows windows;
    windows.scripts.push_back(c.script);
    ParameterDialogs dialogs(windows, [&] { return ParameterDialogSettings{kContext, c.variant}; });
    const std::optional<DialogChoice> answer = dialogs.Run(c.function);
    EXPECT_EQ(windows.opened, c.kind ? std::vector<DialogKind>{*c.kind} : std::vector<DialogKind>{});
    ASSERT_EQ(answer.has_value(), c.answer.has_value()) << int{c.function};
    if (!answer) continue;
    EXPECT_EQ(answer->position, c.answer->position) << int{c.function};
    EXPECT_EQ(answer->text, c.answer->text) << int{c.function};
    EXPECT_EQ(answer->times, c.answer->times) << int{c.function};
    EXPECT_EQ(answer->makeTime, c.answer->makeTime) << int{c.function};
    EXPECT_EQ(answer->breakTime, c.answer->breakTime) << int{c.function};
  }
}

}  // namespace
}  // namespace px

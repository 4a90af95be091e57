// The skin chooser's flow over the frame: the skins listed, the folder a
// pick gives, and which colour the choice carries.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "device_fixtures.h"
#include "recording_dialog_view.h"
#include "skin/skin_chooser_controller.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::RecordingDialogView;

constexpr UiTextColor kInForce{230, 230, 230};
constexpr UiTextColor kLight{32, 36, 44};
constexpr UiTextColor kPicked{9, 8, 7};

struct Action {
  enum Kind { Pick, PickGone, ChooseColour, CancelColourChooser } kind;
  TextView skin;
};

struct Case {
  const char* name;
  TextView nameInForce;
  std::vector<Action> actions;
  DialogEnd end;
  std::optional<SkinChoice> result;
};

class SkinChooserFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ResetDialogKindStates();
    Put(u"R/Default/text-color.txt", "1, 2, 3");
    Put(u"R/Light/text-color.txt", "32, 36, 44\n");
  }
  void Put(TextView path, const std::string& text) { files_.files[Text(path)] = FileBytes(text.begin(), text.end()); }

  // The skins root is looked at for links (a missing one holds none).
  std::optional<SkinChoice> Run(const Case& c, RecordingDialogView& view, TextView skinsRoot = u"Skins") {
    // Default, Light, Plain and Out under R, and a file; Default and Light name a colour.
    search_ = testing::ListedFolders(
        {u"R/", {{u"Default", true}, {u"Light", true}, {u"Plain", true}, {u"Out", true}, {u"notes.txt", false}}});
    view.user = [&](DialogController& controller) {
      for (const Action& action : c.actions) {
        switch (action.kind) {
          case Action::Pick:
          case Action::PickGone: {
            controller.LeftButtonDown(140, 136);
            const auto at = std::find(view.listItems.begin(), view.listItems.end(), Text(action.skin));
            ASSERT_NE(at, view.listItems.end()) << ToUtf8(action.skin);
            // Removed by another hand while the list was open.
            if (action.kind == Action::PickGone) search_.listing.entries.clear();
            view.ClickEntry(controller, static_cast<int>(at - view.listItems.begin()));
            break;
          }
          case Action::ChooseColour:
          case Action::CancelColourChooser:
            view.colorChooserAnswer = action.kind == Action::ChooseColour ? std::optional(kPicked) : std::nullopt;
            controller.LeftButtonDown(60, 100);
            break;
        }
      }
      controller.LeftButtonDown(c.end == DialogEnd::Ok ? 200 : 320, 263);
    };
    const DialogContext context{u"X/Skins/Default", Language::English, kInForce};
    std::optional<SkinChoice> choice = RunSkinChooser(view, context, c.nameInForce, Text(skinsRoot), search_, files_);
    for (const Text& root : search_.roots) EXPECT_EQ(root, skinsRoot) << c.name;
    return choice;
  }

  testing::ListedFolders search_;
  testing::MemoryFileSystem files_;
};

TEST_F(SkinChooserFlow, AChoiceCarriesAProposedColourOnlyInPlaceOfTheOneInForce) {
  using A = Action;
  const Case cases[] = {
      {"OK untouched: the skin and colour in force", u"Default", {}, DialogEnd::Ok,
       SkinChoice{u"Default", u"X/Skins/Default", kInForce}},
      {"another skin proposes its colour", u"Default", {{A::Pick, u"Light"}}, DialogEnd::Ok,
       SkinChoice{u"Light", u"R/Light", kLight}},
      {"the skin in force proposes nothing", u"Default", {{A::Pick, u"Default"}}, DialogEnd::Ok,
       SkinChoice{u"Default", u"R/Default", kInForce}},
      {"named in force in another case", u"DEFAULT", {{A::Pick, u"Default"}}, DialogEnd::Ok,
       SkinChoice{u"Default", u"R/Default", kInForce}},
      {"back to the skin in force, back to its colour", u"Default", {{A::Pick, u"Light"}, {A::Pick, u"Default"}},
       DialogEnd::Ok, SkinChoice{u"Default", u"R/Default", kInForce}},
      {"a skin without a colour keeps the one in force", u"Default", {{A::Pick, u"Light"}, {A::Pick, u"Plain"}},
       DialogEnd::Ok, SkinChoice{u"Plain", u"R/Plain", kInForce}},
      {"the user's colour is kept over a later pick", u"Default", {{A::ChooseColour, {}}, {A::Pick, u"Light"}},
       DialogEnd::Ok, SkinChoice{u"Light", u"R/Light", kPicked}},
      {"the user's colour replaces a proposal", u"Default", {{A::Pick, u"Light"}, {A::ChooseColour, {}}},
       DialogEnd::Ok, SkinChoice{u"Light", u"R/Light", kPicked}},
      {"a cancelled colour chooser changes nothing", u"Default",
       {{A::Pick, u"Light"}, {A::CancelColourChooser, {}}, {A::Pick, u"Plain"}}, DialogEnd::Ok,
       SkinChoice{u"Plain", u"R/Plain", kInForce}},
      {"a skin gone before the pick keeps the folder", u"Default", {{A::PickGone, u"Light"}},
       DialogEnd::Ok, SkinChoice{u"Light", u"X/Skins/Default", kInForce}},
      {"Cancel answers nothing", u"Default", {{A::Pick, u"Light"}, {A::ChooseColour, {}}}, DialogEnd::Cancel,
       std::nullopt},
  };
  for (const Case& c : cases) {
    testing::ResetDialogKindStates();
    RecordingDialogView view;
    EXPECT_EQ(Run(c, view), c.result) << c.name;
    if (c.result) {
      EXPECT_EQ(view.swatch, c.result->color) << c.name << ": the swatch shows the choice";
    }
  }
}

// "Out" is a link leading out of the skins root: no skin of it.
TEST_F(SkinChooserFlow, ListsFoldersOnlyInTheSearchsOrderWithoutLinksLeadingOut) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path() / "Skins");
  std::filesystem::create_directories(dir.path() / "elsewhere");
  std::filesystem::create_directory_symlink(dir.path() / "elsewhere", dir.path() / "Skins" / "Out");
  RecordingDialogView view;
  const Case c{"list", u"Default", {{Action::Pick, u"Plain"}}, DialogEnd::Cancel, std::nullopt};
  Run(c, view, FromUtf8((dir.path() / "Skins").string()));
  EXPECT_EQ(view.listItems, (std::vector<Text>{u"Default", u"Light", u"Plain"}));
}

// Both programs' chooser: a new Skins window at each run, over the skins root.
TEST_F(SkinChooserFlow, ThePortRunsEachChoiceInANewSkinsWindow) {
  struct Windows final : DialogWindows {
    std::vector<DialogKind> opened;
    DialogEnd end = DialogEnd::Ok;
    std::unique_ptr<ModalDialogView> NewDialog(DialogKind kind) override {
      opened.push_back(kind);
      auto view = std::make_unique<RecordingDialogView>();
      view->user = [this, raw = view.get()](DialogController& controller) {
        controller.LeftButtonDown(140, 136);  // the skins under the root
        raw->ClickEntry(controller, 0);
        controller.LeftButtonDown(end == DialogEnd::Ok ? 200 : 320, 263);
      };
      return view;
    }
  } windows;
  search_ = testing::ListedFolders({u"R/", {{u"Default", true}}});
  WindowedSkinChooser chooser(windows, u"Skins", search_, files_);
  const DialogContext context{u"X/Skins/Default", Language::English, kInForce};
  EXPECT_EQ(chooser.Run(context, u"Default"), (SkinChoice{u"Default", u"R/Default", kInForce}));
  windows.end = DialogEnd::Cancel;
  EXPECT_EQ(chooser.Run(context, u"Default"), std::nullopt);
  EXPECT_EQ(windows.opened, (std::vector<DialogKind>{DialogKind::Skins, DialogKind::Skins}));
  ASSERT_FALSE(search_.roots.empty());
  for (const Text& root : search_.roots) EXPECT_EQ(root, u"Skins");
}

}  // namespace
}  // namespace px

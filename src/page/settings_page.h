#pragma once
// The settings page as logic over a view: building and tearing it down, the
// click dispatch with its fixed order of tests, the report rate and DPI
// stages, the lighting drop-downs, the button rows and the hover looks.
// Everything it draws goes through the PageView; every command of the window
// through PageCommands.
#include <array>
#include <functional>

#include "buttons/assignment.h"
#include "model/interface_texts.h"
#include "model/settings_session.h"
#include "page/page_layout.h"
#include "page/page_state.h"
#include "page/page_view.h"
#include "storage/profile_store.h"

namespace px {

// The process-wide page flags, owned by the application.
struct PageFlags {
  int& pageState;      // PageState
  bool& pageBuiltOnce;  // PageBuiltOnce
};

// Elements with an over look, in the order of their HoverState flags.
enum class HoverElement { Ok, Apply, Cancel, Skins, Close, Minimise, PreviousPage, Default, Row1, Row2, Row3, Row4 };
inline constexpr int kHoverElements = 12;

class SettingsPage {
 public:
  // `dialogs` runs the parameter dialog of a function chosen in a button list.
  SettingsPage(SettingsSession& session, PageFlags flags, ProfileStore& strIni, PageView& view,
               PageCommands& commands, ParameterDialogPort& dialogs);

  // Draws the whole page and creates its controls; nothing while it is built.
  void BuildPage();
  // Only during a rebuild: the page's controls and open lists go.
  void TearDownPage();
  // For whoever changes what the whole page shows; reread runs between the
  // teardown and the new build, and the screen shows only the finished page.
  // Nothing while the page is not built.
  void Rebuild(const std::function<void()>& reread = {});

  // The left button pressed on the main window (WM_LBUTTONDOWN).
  void DispatchClick(Point at);
  Point LastClickPoint() const { return lastClick_; }

  // An entry of a page list chosen or double-clicked (LBN_SELCHANGE, LBN_DBLCLK).
  void OnListChosen(int listId);

  // The pointer moved over entry `item` of a page list: while the page is
  // built the entry becomes the selection, and over a button list's
  // "DPI Switch" entry the DPI sub-list opens beside it, over any other
  // entry it goes.
  void OnPointerOverList(int listId, int item);

  // The pointer moved over the page, or rested there (WM_MOUSEMOVE, WM_MOUSEHOVER).
  void OnPageMouseMove(Point at);
  void OnPageHover(Point at);

  // The steps the dispatch reaches, each one complete action.
  void SelectButtonMode(int mode);
  void ToggleButtonList(int row);
  void RestoreDefaultButtons();
  void SelectReportRate(int segment);
  void ToggleStage(int stage);
  void PickStageColor(int stage);
  void SetStageLevel(int stage, int level);
  void ToggleModeList();
  void ToggleParameterList();
  void ToggleEffectList();

  bool ListOpen(int listId) const;
  int LitCount(int stage) const { return litCount_[stage - 1]; }
  bool HoverShown(HoverElement element) const { return hover_[static_cast<std::size_t>(element)]; }

 private:
  const InterfaceTexts& Texts() const { return TextsFor(session_.language); }
  int LevelCount() const;
  bool& OpenFlag(int listId);
  bool ClickPageElement(Point at);
  void CloseDropdownsOutside(Point at);
  void CloseList(int listId);
  AssignmentTarget Target();
  // The row whose button list is open, or 0.
  int OpenButtonRow() const;
  void ChooseButtonFunction(int row);
  void ChooseDpiSwitch();
  // The entry chosen in the lighting list `listId`; nothing while none is.
  void ChooseLighting(int listId);
  void RedrawRow(int row);

  void DrawBuild();
  void DrawCaptionButton(const Rect& rect, TextView image, TextView caption);
  void DrawRow(int row, bool over);
  void DrawRowTexts(int row);
  void DrawModeButtons();
  void DrawSegment(int segment, bool light);
  void DrawStage(int stage);
  void DrawHoverLook(HoverElement element, bool over);
  void ClearHover(std::initializer_list<HoverElement> elements);

  SettingsSession& session_;
  PageFlags flags_;
  ProfileStore& strIni_;
  PageView& view_;
  PageCommands& commands_;
  ParameterDialogPort& dialogs_;

  Point lastClick_;
  bool controlsExist_ = false;
  std::array<bool, 8> open_{};  // lists 40..44, 60..62
  bool notAList_ = false;
  std::array<int, kDpiStages> litCount_{};
  int levelCount_ = 12;  // LevelCount as fixed by the last build
  std::array<bool, kHoverElements> hover_{};
};

}  // namespace px

// SettingsPage: the four button rows, their lists of functions with the DPI
// sub-list, the left-click guard and the Default button. The rules are the
// assignment's; this file opens and closes the lists and redraws the rows.
#include <array>

#include "model/button_catalogue.h"
#include "page/page_looks.h"
#include "page/settings_page.h"

namespace px {

using namespace page_detail;

namespace {

constexpr std::array<TextView, DpiSwitchList.size()> kDpiSubListItems{
    DpiSwitchList[0].text, DpiSwitchList[1].text, DpiSwitchList[2].text};

// The row of a button list id, or 0 for any other id.
int RowOfList(int listId) {
  for (int row = 1; row <= kShownButtons; ++row) {
    if (listId == id::ButtonList(row)) return row;
  }
  return 0;
}

}  // namespace

AssignmentTarget SettingsPage::Target() {
  return {session_.model, session_.labels, session_.language, session_.dpiTableVariant};
}

int SettingsPage::OpenButtonRow() const {
  for (int row = 1; row <= kShownButtons; ++row) {
    if (ListOpen(id::ButtonList(row))) return row;
  }
  return 0;
}

void SettingsPage::RedrawRow(int row) {
  hover_[static_cast<std::size_t>(RowElement(row))] = false;
  view_.BeginDrawing();
  DrawRow(row, false);
  view_.CopyToScreen();
}

void SettingsPage::ToggleButtonList(int row) {
  const int list = id::ButtonList(row);
  if (OpenFlag(list)) {
    CloseList(list);
    return;
  }
  bool destroyedOne = false;
  for (int other = 1; other <= kShownButtons; ++other) {
    if (other == row) continue;
    OpenFlag(id::ButtonList(other)) = false;
    if (!destroyedOne && view_.ListExists(id::ButtonList(other))) {
      view_.DestroyControl(id::ButtonList(other));
      destroyedOne = true;
    }
  }
  if (LeftClickGuardRefuses(session_.model, row)) {
    view_.ShowMessage(Texts().LeftKeyMustBeSelected, kWarningCaption);
    return;
  }
  if (!view_.ListExists(list)) {
    view_.CreateList(list, layout::kButtonLists[static_cast<std::size_t>(row - 1)], Texts().ButtonFunctions);
  }
  OpenFlag(list) = true;
}

void SettingsPage::RestoreDefaultButtons() {
  px::RestoreDefaultButtons(Target());
  view_.BeginDrawing();
  for (int row = 1; row <= kShownButtons; ++row) DrawRow(row, false);
  view_.CopyToScreen();
}

void SettingsPage::OnPointerOverList(int listId, int item) {
  // A move that arrives while the page is torn down or rebuilt finds no list of this page.
  if (flags_.pageState != kPageBuilt) return;
  view_.SetListSelection(listId, item);
  const int row = RowOfList(listId);
  if (row == 0 || !ListOpen(listId)) return;  // over the sub-list itself: it stays
  if (item != function_index::kDpiSwitch) {
    if (view_.ListExists(id::kDpiSubList)) CloseList(id::kDpiSubList);
    return;
  }
  if (view_.ListExists(id::kDpiSubList)) return;
  const std::optional<Rect> entry = view_.ListItemRect(listId, item);
  if (!entry) return;
  // Beside the entry: right of its right edge, level with its top.
  const Rect list = layout::kButtonLists[static_cast<std::size_t>(row - 1)];
  const Point at{list.left + entry->right, list.top + entry->top};
  view_.CreateList(id::kDpiSubList, {at.x, at.y, at.x + kDpiSubListSize, at.y + kDpiSubListSize}, kDpiSubListItems);
  OpenFlag(id::kDpiSubList) = view_.ListExists(id::kDpiSubList);
}

void SettingsPage::ChooseButtonFunction(int row) {
  const int list = id::ButtonList(row);
  if (!ListOpen(list)) return;  // a late notification of a list already closed
  const int entry = view_.ListSelection(list).value_or(-1);
  if (CommitButtonChoice(Target(), row, entry, dialogs_) == CommitOutcome::ListStaysOpen) return;
  CloseList(list);
  CloseList(id::kDpiSubList);
  RedrawRow(row);
}

void SettingsPage::ChooseDpiSwitch() {
  const int row = OpenButtonRow();
  const std::optional<int> entry = view_.ListSelection(id::kDpiSubList);
  if (row == 0 || !entry) return;
  if (!CommitDpiChoice(Target(), row, *entry)) return;
  RedrawRow(row);
  CloseList(id::kDpiSubList);
  CloseList(id::ButtonList(row));
}

}  // namespace px

#include "skin/dialog_controller.h"

#include "skin/skin_image_set.h"
#include "skin/skin_paths.h"

namespace px {
namespace {

constexpr int kWheelLines = 3;

const Rect& ButtonRect(FrameButton button) {
  switch (button) {
    case FrameButton::Close: return kFrameClose;
    case FrameButton::Ok: return kFrameOk;
    case FrameButton::Cancel:
    case FrameButton::None: break;
  }
  return kFrameCancel;
}

}  // namespace

DialogController::DialogController(DialogKind kind, DialogView& view, DialogContext context)
    : view_(view), spec_(FrameSpec(kind)), context_(std::move(context)), captions_(FrameCaptionsFor(context_.language)) {}

Text DialogController::ImagePath(TextView name) const { return SkinImagePath(context_.skinFolder, name); }

bool DialogController::Open() {
  if (!view_.LoadBackground(ImagePath(spec_.background))) {
    view_.ShowMessage(u"error", spec_.failureCaption);
    // An invisible window that only the keyboard could end helps nobody:
    // the owner sees "not confirmed" and nothing changes.
    view_.End(DialogEnd::Cancel);
    return false;
  }
  view_.CreateLabel(spec_.labelId, spec_.label, spec_.labelCentred, chosenText_);
  CreateOwnControls();
  return FinishOpening();
}

void DialogController::Erase() {
  view_.BeginDrawing();
  // Every erase starts again from the picture as loaded: texts drawn straight
  // onto it would otherwise thicken with each erase until dense glyphs fill in.
  view_.RestoreBackground();
  view_.DrawImage(ImagePath(skin_image::kButtonNormal), kFrameOk.left, kFrameOk.top);
  view_.DrawImage(ImagePath(skin_image::kButtonNormal), kFrameCancel.left, kFrameCancel.top);
  view_.DrawText(captions_.ok, kFrameOk, kCentredText, context_.textColor);
  view_.DrawText(captions_.cancel, kFrameCancel, kCentredText, context_.textColor);
  DrawExtraTexts();
  view_.DrawImage(ImagePath(skin_image::kCloseNormal), kFrameClose.left, kFrameClose.top);
  view_.EndDrawing();
}

void DialogController::LeftButtonDown(int x, int y) {
  for (FrameClickStep step : PlanFrameClick(spec_, x, y, view_.ListExists(), ExtraHitRect())) {
    switch (step) {
      case FrameClickStep::CloseList: CloseList(); break;
      case FrameClickStep::EndOk: Ok(); break;
      case FrameClickStep::EndCancel: view_.End(DialogEnd::Cancel); break;
      case FrameClickStep::ToggleList: ToggleList(); break;
      case FrameClickStep::ExtraHit: OnExtraHit(); break;
    }
  }
}

void DialogController::Ok() { view_.End(DialogEnd::Ok); }

void DialogController::Cancel() { view_.End(DialogEnd::Cancel); }

bool DialogController::KeyPressed(UiKey key) {
  if (key == UiKey::Other || !KeysEndDialog()) return false;
  key == UiKey::Enter ? Ok() : Cancel();
  return true;
}

void DialogController::CloseList() {
  view_.DestroyList();
  KindState(spec_.kind).listOpen = false;
  AfterListClosed();
}

void DialogController::ToggleList() {
  DialogKindState& state = KindState(spec_.kind);
  if (state.listOpen) {
    CloseList();
    return;
  }
  if (!view_.ListExists()) {
    BeforeListCreated();
    items_ = ListItems();
    view_.CreateList(spec_.listId, spec_.list, items_, ListHasScrollBar());
  }
  state.listOpen = true;
}

void DialogController::ListSelectionMade() {
  KindState(spec_.kind).listOpen = false;
  const std::optional<int> selected = view_.ListSelection();
  if (!view_.ListExists() || !selected || *selected < 0 || static_cast<std::size_t>(*selected) >= items_.size()) {
    return;
  }
  SetChosen(*selected, items_[static_cast<std::size_t>(*selected)]);
  view_.SetLabelText(spec_.labelId, chosenText_);
  view_.DestroyList();
  AfterListClosed();
  AfterChoice();
}

void DialogController::PointerOverList(int item) {
  // Marking sends no notification: nothing is chosen before a click.
  if (view_.ListExists()) view_.SetListSelection(item);
}

void DialogController::Wheel(int delta) {
  if (spec_.wheel && view_.ListExists()) view_.ScrollList(delta > 0 ? -kWheelLines : kWheelLines);
}

void DialogController::DrawButton(FrameButton button, bool over) {
  if (button == FrameButton::Close) {
    view_.DrawImage(ImagePath(over ? skin_image::kCloseOver : skin_image::kCloseNormal), kFrameClose.left,
                    kFrameClose.top);
    return;
  }
  const Rect& rect = ButtonRect(button);
  view_.DrawImage(ImagePath(over ? skin_image::kButtonOver : skin_image::kButtonNormal), rect.left, rect.top);
  view_.DrawText(button == FrameButton::Ok ? captions_.ok : captions_.cancel, rect, kCentredText, context_.textColor);
}

void DialogController::PointerMove(int x, int y) {
  if (FrameButtonAt(x, y) != FrameButton::None) {
    view_.RequestHover();
    return;
  }
  DialogKindState& state = KindState(spec_.kind);
  if (!state.closeHover && !state.okHover && !state.cancelHover) return;
  view_.BeginDrawing();
  if (state.closeHover) DrawButton(FrameButton::Close, false);
  if (state.okHover) DrawButton(FrameButton::Ok, false);
  if (state.cancelHover) DrawButton(FrameButton::Cancel, false);
  state.closeHover = state.okHover = state.cancelHover = false;
  view_.EndDrawing();
}

void DialogController::PointerRest(int x, int y) {
  const FrameButton button = FrameButtonAt(x, y);
  if (button == FrameButton::None) return;
  DialogKindState& state = KindState(spec_.kind);
  view_.BeginDrawing();
  DrawButton(button, true);
  switch (button) {
    case FrameButton::Close: state.closeHover = true; break;
    case FrameButton::Ok:
      state.okHover = true;
      if (state.cancelHover) DrawButton(FrameButton::Cancel, false);
      state.cancelHover = false;
      break;
    case FrameButton::Cancel:
      state.cancelHover = true;
      if (state.okHover) DrawButton(FrameButton::Ok, false);
      state.okHover = false;
      break;
    case FrameButton::None: break;
  }
  view_.EndDrawing();
}

}  // namespace px

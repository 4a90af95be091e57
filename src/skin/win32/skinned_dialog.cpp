#include "skin/win32/skinned_dialog.h"

#include <windowsx.h>

#include <utility>

#include "skin/skin_image_set.h"
#include "skin/skin_paths.h"

namespace px {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kDarkGrey = RGB(40, 40, 40);
constexpr DWORD kLabelStyle = 0x50001000;  // WS_CHILD WS_VISIBLE SS_SUNKEN
constexpr DWORD kCentred = 0x1;            // SS_CENTER
constexpr DWORD kHoverTime = 10;

const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

RECT ToRect(const FrameRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void ShowErrorBox(HWND owner, TextView text, TextView caption) {
  ::MessageBoxW(owner, Wide(Text(text)), Wide(Text(caption)), MB_OK);
}
SkinnedDialogErrorBox errorBox = &ShowErrorBox;

const FrameRect& ButtonRect(FrameButton button) {
  switch (button) {
    case FrameButton::Close: return kFrameClose;
    case FrameButton::Ok: return kFrameOk;
    case FrameButton::Cancel:
    case FrameButton::None: break;
  }
  return kFrameCancel;
}

}  // namespace

SkinnedDialogErrorBox SetSkinnedDialogErrorBox(SkinnedDialogErrorBox box) {
  return std::exchange(errorBox, box != nullptr ? box : &ShowErrorBox);
}

SkinnedDialog::SkinnedDialog(DialogKind kind, HWND owner, SkinnedDialogContext context)
    : Dialog(FrameSpec(kind).templateId, owner), kind_(kind), spec_(FrameSpec(kind)), context_(std::move(context)) {}

bool SkinnedDialog::OnInitDialog() {
  HWND hwnd = Hwnd();
  // The picture decides the window's outer size; the border hides its last
  // column and row. Without a picture the window is 0 x 0.
  background_.Load(SkinImagePath(context_.skinFolder, spec_.background));
  ::SetWindowPos(hwnd, nullptr, 0, 0, background_.Width(), background_.Height(), SWP_NOMOVE | SWP_NOZORDER);
  if (!background_) {
    errorBox(hwnd, u"error", spec_.failureCaption);
    // An invisible window that only the keyboard could end helps nobody:
    // the owner sees "not confirmed" and nothing changes.
    EndDialog(IDCANCEL);
    return false;
  }
  // Every erase starts again from the picture as loaded: texts drawn straight
  // onto it would otherwise thicken with each erase until dense glyphs fill in.
  pristine_.Reset(static_cast<HBITMAP>(::CopyImage(background_.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  font_ = CreateUiFont(context_.language, FontRole::Dialog);
  darkBrush_.Reset(::CreateSolidBrush(kDarkGrey));
  captions_ = FrameCaptionsFor(context_.language);
  label_.Create(hwnd, spec_.labelId, ToRect(spec_.label), kLabelStyle | (spec_.labelCentred ? kCentred : 0),
                std::wstring(chosenText_.begin(), chosenText_.end()));
  CreateOwnControls();
  const bool focus = FinishOpening();
  // The templates carry no WS_VISIBLE: a modal run shows its window itself.
  ::ShowWindow(hwnd, SW_SHOWNORMAL);
  return focus;
}

bool SkinnedDialog::PreTranslateMessage(MSG& message) {
  if (message.message == WM_MOUSEMOVE && list_.Exists()) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (::WindowFromPoint(cursor) == list_.Hwnd()) {
      ::ScreenToClient(list_.Hwnd(), &cursor);
      // Selecting sends no notification: nothing is chosen before a click.
      list_.SetCurrentSelection(list_.ItemFromPoint(cursor));
    }
  }
  return Dialog::PreTranslateMessage(message);
}

std::optional<LRESULT> SkinnedDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (std::optional<LRESULT> own = OnOwnMessage(message, wParam, lParam)) return own;
  switch (message) {
    case WM_ERASEBKGND:
      Erase(reinterpret_cast<HDC>(wParam));
      return TRUE;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return std::nullopt;
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return std::nullopt;
    case WM_MOUSEHOVER:
      OnMouseHover(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return std::nullopt;
    case WM_MOUSEWHEEL:
      if (spec_.wheel && list_.Exists()) {
        const WPARAM direction = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN;
        for (int i = 0; i < 3; ++i) ::SendMessageW(list_.Hwnd(), WM_VSCROLL, direction, 0);
      }
      return std::nullopt;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (std::optional<LRESULT> own = OwnControlColour(message, dc, reinterpret_cast<HWND>(lParam))) return own;
      if (message == WM_CTLCOLOREDIT) return std::nullopt;
      return DarkControlColour(dc);
    }
    case WM_COMMAND:
      if (spec_.HasDropdown() && LOWORD(wParam) == spec_.listId &&
          (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK)) {
        OnListNotification(wParam);
        return 0;
      }
      break;
    default:
      break;
  }
  return Dialog::OnMessage(message, wParam, lParam);
}

LRESULT SkinnedDialog::DarkControlColour(HDC dc) {
  ::SetTextColor(dc, kWhite);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetBkColor(dc, kDarkGrey);
  if (font_) ::SelectObject(dc, font_.Get());
  return reinterpret_cast<LRESULT>(darkBrush_.Get());
}

void SkinnedDialog::DrawUnclippedText(HDC dc, TextView text, const FrameRect& rect, TextAlign align) {
  RECT box = ToRect(rect);
  ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &box,
              static_cast<UINT>(align) | DT_NOCLIP);
}

void SkinnedDialog::DrawImage(HDC dc, TextView name, const FrameRect& at) {
  DrawSkinImage(Hwnd(), dc, SkinImagePath(context_.skinFolder, name), at.left, at.top, SkinLoadFailure::ShowMessage);
}

void SkinnedDialog::DrawButton(HDC dc, FrameButton button, bool over) {
  if (button == FrameButton::Close) {
    DrawImage(dc, over ? skin_image::kCloseOver : skin_image::kCloseNormal, kFrameClose);
    return;
  }
  const FrameRect& rect = ButtonRect(button);
  DrawImage(dc, over ? skin_image::kButtonOver : skin_image::kButtonNormal, rect);
  PrepareUiText(dc, font_.Get(), context_.textColor);
  DrawUiText(dc, button == FrameButton::Ok ? captions_.ok : captions_.cancel, ToRect(rect));
}

void SkinnedDialog::Erase(HDC dc) {
  SkinComposition draw(Hwnd(), dc, background_.Handle());
  if (!draw.HasCanvas()) return;
  HDC surface = draw.Dc();
  RestoreCanvas(surface);
  PrepareUiText(surface, font_.Get(), context_.textColor);
  DrawImage(surface, skin_image::kButtonNormal, kFrameOk);
  DrawImage(surface, skin_image::kButtonNormal, kFrameCancel);
  PrepareUiText(surface, font_.Get(), context_.textColor);
  DrawUiText(surface, captions_.ok, ToRect(kFrameOk));
  DrawUiText(surface, captions_.cancel, ToRect(kFrameCancel));
  DrawExtraTexts(surface);
  DrawImage(surface, skin_image::kCloseNormal, kFrameClose);
}

void SkinnedDialog::RestoreCanvas(HDC surface) {
  if (!pristine_) return;
  winui::UniqueMemoryDc source(::CreateCompatibleDC(surface));
  winui::SelectGuard selected(source.Get(), pristine_.Get());
  ::BitBlt(surface, 0, 0, background_.Width(), background_.Height(), source.Get(), 0, 0, SRCCOPY);
}

void SkinnedDialog::OnLeftButtonDown(int x, int y) {
  for (FrameClickStep step : PlanFrameClick(spec_, x, y, list_.Exists(), ExtraHitRect())) {
    switch (step) {
      case FrameClickStep::CloseList:
        CloseList();
        break;
      case FrameClickStep::EndOk:
        OnOk();
        break;
      case FrameClickStep::EndCancel:
        EndDialog(IDCANCEL);
        break;
      case FrameClickStep::ToggleList:
        ToggleList();
        break;
      case FrameClickStep::ExtraHit:
        OnExtraHit();
        break;
    }
  }
}

void SkinnedDialog::CloseList() {
  list_.Destroy();
  KindState(kind_).listOpen = false;
  AfterListClosed();
}

void SkinnedDialog::ToggleList() {
  DialogKindState& state = KindState(kind_);
  if (state.listOpen) {
    CloseList();
    return;
  }
  if (!list_.Exists()) {
    BeforeListCreated();
    if (list_.Create(Hwnd(), spec_.listId, ToRect(spec_.list), ListStyle())) {
      // Rows as high as the dialog font they are drawn in: in the template's
      // taller font the last entries of the hot key and Windows lists would
      // fall below the list's end, out of the pointer's reach.
      ::SendMessageW(list_.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
      for (const Text& item : ListItems()) list_.AddString(std::wstring(item.begin(), item.end()));
    }
  }
  state.listOpen = true;
}

void SkinnedDialog::OnListNotification(WPARAM) {
  KindState(kind_).listOpen = false;
  const int selected = list_.CurrentSelection();
  if (!list_.Exists() || selected == LB_ERR) return;
  const std::wstring text = list_.Text(selected);
  SetChosen(selected, Text(text.begin(), text.end()));
  ::SetDlgItemTextW(Hwnd(), spec_.labelId, text.c_str());
  ::InvalidateRect(label_.Hwnd(), nullptr, TRUE);
  list_.Destroy();
  AfterListClosed();
  AfterChoice();
}

void SkinnedDialog::OnMouseMove(int x, int y) {
  DialogKindState& state = KindState(kind_);
  if (FrameButtonAt(x, y) != FrameButton::None) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER, Hwnd(), kHoverTime};
    ::TrackMouseEvent(&track);
    return;
  }
  if (!state.closeHover && !state.okHover && !state.cancelHover) return;
  SkinComposition draw(Hwnd(), background_.Handle());
  if (!draw.HasCanvas()) return;
  if (state.closeHover) {
    DrawButton(draw.Dc(), FrameButton::Close, false);
    state.closeHover = false;
  }
  if (state.okHover) {
    DrawButton(draw.Dc(), FrameButton::Ok, false);
    state.okHover = false;
  }
  if (state.cancelHover) {
    DrawButton(draw.Dc(), FrameButton::Cancel, false);
    state.cancelHover = false;
  }
}

void SkinnedDialog::OnMouseHover(int x, int y) {
  const FrameButton button = FrameButtonAt(x, y);
  if (button == FrameButton::None) return;
  DialogKindState& state = KindState(kind_);
  SkinComposition draw(Hwnd(), background_.Handle());
  if (!draw.HasCanvas()) return;
  switch (button) {
    case FrameButton::Close:
      DrawButton(draw.Dc(), FrameButton::Close, true);
      state.closeHover = true;
      break;
    case FrameButton::Ok:
      DrawButton(draw.Dc(), FrameButton::Ok, true);
      state.okHover = true;
      if (state.cancelHover) {
        DrawButton(draw.Dc(), FrameButton::Cancel, false);
        state.cancelHover = false;
      }
      break;
    case FrameButton::Cancel:
      DrawButton(draw.Dc(), FrameButton::Cancel, true);
      state.cancelHover = true;
      if (state.okHover) {
        DrawButton(draw.Dc(), FrameButton::Ok, false);
        state.okHover = false;
      }
      break;
    case FrameButton::None:
      break;
  }
}

}  // namespace px

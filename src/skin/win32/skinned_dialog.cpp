#include "skin/win32/skinned_dialog.h"

#include <windowsx.h>

#include <array>
#include <cstdlib>

#include "common/win32/wide_text.h"
#include "skin/pixel_density.h"
#include "skin/shared_looks.h"
#include "skin/skin_paths.h"
#include "skin/win32/color_chooser_win32.h"
#include "skin/win32/ui_text.h"
#include "storage/executable_path.h"
#include "winui/window_dpi.h"

namespace px {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kDarkGrey = ToColorRef(kDarkControlGrey);
constexpr DWORD kLabelStyle = 0x50001000;      // WS_CHILD WS_VISIBLE SS_SUNKEN
constexpr DWORD kCentred = 0x1;                // SS_CENTER
constexpr DWORD kListStyle = 0x50800001;       // WS_CHILD WS_VISIBLE WS_BORDER LBS_NOTIFY
constexpr DWORD kScrollingList = 0x50A00001;   // the same with a vertical scroll bar
constexpr DWORD kFieldStyle = 0x50002001;      // WS_CHILD WS_VISIBLE ES_NUMBER ES_CENTER
constexpr DWORD kSwatchStyle = 0x50000001;     // WS_CHILD WS_VISIBLE SS_CENTER

// The colour chooser's custom colours, kept for the process.
std::array<COLORREF, 16> g_customColours{};

}  // namespace

SkinnedDialog::SkinnedDialog(DialogKind kind, HWND owner) : Dialog(FrameSpec(kind).templateId, owner) {}

DialogEnd SkinnedDialog::RunModal(DialogController& controller) {
  controller_ = &controller;
  const INT_PTR result = DoModal();
  controller_ = nullptr;
  return result == IDOK ? DialogEnd::Ok : DialogEnd::Cancel;
}

RECT SkinnedDialog::DeviceOf(const Rect& layout) const { return ToRect(DeviceRect(layout, scale_)); }

RECT SkinnedDialog::Place(int id, const Rect& layout) {
  layouts_[id] = layout;
  return DeviceOf(layout);
}

Point SkinnedDialog::LayoutPoint(LPARAM lParam) const {
  return LogicalPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, scale_);
}

bool SkinnedDialog::OnInitDialog() {
  winui::LayOutOwnDpiChanges(Hwnd());
  scale_ = winui::WindowScale(Hwnd());
  font_ = CreateUiFont(controller_->Context().language, FontRole::Dialog, scale_);
  darkBrush_.Reset(::CreateSolidBrush(kDarkGrey));
  const bool focus = controller_->Open();
  if (!background_) return false;
  // The templates carry no WS_VISIBLE: a modal run shows its window itself.
  ::ShowWindow(Hwnd(), SW_SHOWNORMAL);
  return focus;
}

bool SkinnedDialog::LoadBackground(TextView imagePath) {
  // The picture decides the window's outer size; the border hides its last
  // column and row. Without a picture the window is 0 x 0.
  backgroundPath_ = Text(imagePath);
  background_.Load(backgroundPath_, PixelSize{1, 1}, scale_);
  // The copy before the resize: a window grown to a new scale may be erased
  // at once, from the copy, and a stale one would be drawn into the picture.
  pristine_.Reset(background_ ? static_cast<HBITMAP>(::CopyImage(background_.Handle(), IMAGE_BITMAP, 0, 0,
                                                                 LR_CREATEDIBSECTION))
                              : nullptr);
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, background_.Width(), background_.Height(), SWP_NOMOVE | SWP_NOZORDER);
  return static_cast<bool>(background_);
}

void SkinnedDialog::BeginDrawing() {
  // The pictures at this dialog's scale (its monitor may not be the page's).
  SkinImagesAtDensity(PictureDensityFor(scale_, DoubledPictures::FromOneAndAHalf));
  drawing_.reset();
  if (paintDc_ != nullptr) {
    drawing_.emplace(Hwnd(), paintDc_, background_.Handle());
  } else {
    drawing_.emplace(Hwnd(), background_.Handle());
  }
}

void SkinnedDialog::RestoreBackground() {
  if (!drawing_ || !drawing_->HasCanvas() || !pristine_) return;
  winui::UniqueMemoryDc source(::CreateCompatibleDC(drawing_->Dc()));
  winui::SelectGuard selected(source.Get(), pristine_.Get());
  ::BitBlt(drawing_->Dc(), 0, 0, background_.Width(), background_.Height(), source.Get(), 0, 0, SRCCOPY);
}

void SkinnedDialog::DrawImage(TextView imagePath, int x, int y) {
  if (!drawing_ || !drawing_->HasCanvas()) return;
  DrawSkinImage(Hwnd(), drawing_->Dc(), imagePath, x, y, SkinLoadFailure::ShowMessage, scale_);
}

void SkinnedDialog::DrawText(TextView text, const Rect& rect, TextFormat format, UiTextColor color) {
  if (!drawing_ || !drawing_->HasCanvas()) return;
  HDC dc = drawing_->Dc();
  PrepareUiText(dc, font_.Get(), color);
  DrawUiText(dc, text, DeviceRect(rect, scale_), format);
}

void SkinnedDialog::EndDrawing() { drawing_.reset(); }

void SkinnedDialog::CreateLabel(int id, const Rect& rect, bool centred, TextView text) {
  label_.Create(Hwnd(), id, Place(id, rect), kLabelStyle | (centred ? kCentred : 0), WideString(text));
}

void SkinnedDialog::SetLabelText(int id, TextView text) {
  ::SetDlgItemTextW(Hwnd(), id, WideString(text).c_str());
  // Redrawn with the new text in the frame's colours.
  ::InvalidateRect(::GetDlgItem(Hwnd(), id), nullptr, TRUE);
}

void SkinnedDialog::CreateList(int id, const Rect& rect, std::span<const Text> items, bool scrollBar) {
  listId_ = id;
  if (!list_.Create(Hwnd(), id, Place(id, rect), scrollBar ? kScrollingList : kListStyle)) return;
  // Rows as high as the dialog font they are drawn in: in the template's
  // taller font the last entries of the hot key and Windows lists would
  // fall below the list's end, out of the pointer's reach.
  ::SendMessageW(list_.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  for (const Text& item : items) list_.AddString(WideString(item));
}

std::optional<int> SkinnedDialog::ListSelection() const {
  const int selected = list_.CurrentSelection();
  if (selected == LB_ERR) return std::nullopt;
  return selected;
}

void SkinnedDialog::ScrollList(int lines) {
  const WPARAM direction = lines < 0 ? SB_LINEUP : SB_LINEDOWN;
  for (int i = 0; i < std::abs(lines); ++i) ::SendMessageW(list_.Hwnd(), WM_VSCROLL, direction, 0);
}

void SkinnedDialog::CreateEdit(int id, const Rect& rect, TextView text) {
  winui::Edit& field = edits_[id];
  field.Create(Hwnd(), id, Place(id, rect), kFieldStyle, WideString(text));
  ::SendMessageW(field.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

void SkinnedDialog::DestroyEdit(int id) {
  auto found = edits_.find(id);
  if (found == edits_.end()) return;
  // A focused field reports its focus loss while it goes; it is still known then.
  found->second.Destroy();
  edits_.erase(id);
}

bool SkinnedDialog::EditExists(int id) const { return edits_.count(id) != 0 && edits_.at(id).Hwnd() != nullptr; }

Text SkinnedDialog::EditText(int id) const { return EditExists(id) ? TextOf(edits_.at(id).Text()) : Text{}; }

void SkinnedDialog::SetEditText(int id, TextView text) {
  if (EditExists(id)) edits_.at(id).SetText(WideString(text));
}

void SkinnedDialog::CreateSwatch(int id, const Rect& rect, UiTextColor color) {
  swatch_.Create(Hwnd(), id, Place(id, rect), kSwatchStyle, L"");
  swatchBrush_.Reset(::CreateSolidBrush(ToColorRef(color)));
}

void SkinnedDialog::SetSwatchColor(int, UiTextColor color) {
  swatchBrush_.Reset(::CreateSolidBrush(ToColorRef(color)));
  ::InvalidateRect(swatch_.Hwnd(), nullptr, TRUE);
}

void SkinnedDialog::ShowMessage(TextView text, TextView caption) {
  ShowOkBox(Hwnd(), text, caption);
}

Text SkinnedDialog::ApplicationName() const { return ApplicationNameFromPath(RunningExecutablePath()); }

std::optional<UiTextColor> SkinnedDialog::RunColorChooser() {
  // Owned by the dialog, so that it stays modal over it.
  return RunColorChooserWin32(Hwnd(), g_customColours);
}

void SkinnedDialog::RequestHover() {
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER, Hwnd(), kHoverDelayMs};
  ::TrackMouseEvent(&track);
}

void SkinnedDialog::OnOk() { controller_->Ok(); }

void SkinnedDialog::OnCancel() { controller_->Cancel(); }

bool SkinnedDialog::PreTranslateMessage(MSG& message) {
  if (message.message == WM_MOUSEMOVE) {
    if (const std::optional<int> item = list_.ItemUnderPointer()) controller_->PointerOverList(*item);
  }
  return Dialog::PreTranslateMessage(message);
}

std::optional<LRESULT> SkinnedDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (list_.Exists() && id == listId_ && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
    controller_->ListSelectionMade();
    return 0;
  }
  if (edits_.count(id) != 0 && (code == EN_CHANGE || code == EN_KILLFOCUS)) {
    // The sender's own handle: a field that is being destroyed still reports
    // its last text when it loses the focus.
    HWND field = reinterpret_cast<HWND>(lParam);
    const Text text = TextOf(winui::WindowText(field));
    if (code == EN_CHANGE) {
      controller_->EditChanged(id, text);
    } else {
      controller_->EditFocusLost(id, text);
    }
    ::InvalidateRect(field, nullptr, TRUE);
    return 0;
  }
  return std::nullopt;
}

std::optional<LRESULT> SkinnedDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (controller_ == nullptr) return Dialog::OnMessage(message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      paintDc_ = reinterpret_cast<HDC>(wParam);
      controller_->Erase();
      paintDc_ = nullptr;
      return TRUE;
    case WM_LBUTTONDOWN: {
      const Point at = LayoutPoint(lParam);
      controller_->LeftButtonDown(at.x, at.y);
      return std::nullopt;
    }
    case WM_MOUSEMOVE: {
      const Point at = LayoutPoint(lParam);
      controller_->PointerMove(at.x, at.y);
      return std::nullopt;
    }
    case WM_MOUSEHOVER: {
      const Point at = LayoutPoint(lParam);
      controller_->PointerRest(at.x, at.y);
      return std::nullopt;
    }
    case WM_MOUSEWHEEL:
      controller_->Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return std::nullopt;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (swatch_.Hwnd() != nullptr && reinterpret_cast<HWND>(lParam) == swatch_.Hwnd()) {
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(swatchBrush_.Get());
      }
      // The other controls are dark, in white text.
      ::SetTextColor(dc, kWhite);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetBkColor(dc, kDarkGrey);
      if (font_) ::SelectObject(dc, font_.Get());
      return reinterpret_cast<LRESULT>(darkBrush_.Get());
    }
    case WM_COMMAND:
      if (std::optional<LRESULT> handled = OnCommand(wParam, lParam)) return handled;
      break;
    case winui::kGetDpiScaledSizeMessage: {
      // The picture's size at the new scale, which WM_DPICHANGED then makes.
      const double to = winui::ScaleOfDpi(LOWORD(wParam));
      *reinterpret_cast<SIZE*>(lParam) = {RescaledEdge(background_.Width(), scale_, to),
                                          RescaledEdge(background_.Height(), scale_, to)};
      return TRUE;
    }
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    default:
      break;
  }
  return Dialog::OnMessage(message, wParam, lParam);
}

void SkinnedDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
  const double scale = winui::ScaleOfDpi(dpi);
  // A picture gone since the opening: the dialog stays as it is, usable,
  // rather than a window of 0 x 0 that holds its owner.
  BackgroundBitmap probe;
  if (backgroundPath_.empty() || !probe.Load(backgroundPath_, PixelSize{1, 1}, scale)) return;
  scale_ = scale;
  winui::UniqueFont font = CreateUiFont(controller_->Context().language, FontRole::Dialog, scale_);
  for (const auto& [id, layout] : layouts_) {
    HWND control = ::GetDlgItem(Hwnd(), id);
    if (control == nullptr) continue;  // destroyed since
    const RECT at = DeviceOf(layout);
    ::MoveWindow(control, at.left, at.top, at.right - at.left, at.bottom - at.top, FALSE);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  }
  font_ = std::move(font);  // the old one only once no control draws with it
  LoadBackground(Text(backgroundPath_));  // a copy: the load sets the name
  ::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The children too: the frame clips them, and a moved static does not redraw itself.
  ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace px

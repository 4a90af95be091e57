#include "page/win32/page_view_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <string>

#include "common/win32/wide_text.h"
#include "page/control_colors.h"
#include "skin/pixel_density.h"
#include "skin/shared_looks.h"
#include "skin/skin_paths.h"
#include "skin/win32/color_chooser_win32.h"
#include "skin/win32/skin_picture.h"
#include "skin/win32/ui_text.h"

namespace px {

PageWin32View::PageWin32View(HWND window, PageViewResources resources) : window_(window), res_(resources) {}

void PageWin32View::BeginDrawing() {
  SkinImages().ForSkin(res_.skinFolder);
  SkinImagesAtDensity(PictureDensityFor(res_.scale, DoubledPictures::FromOneAndAHalf));
  if (preparing_) {
    drawing_.emplace(res_.background);
  } else {
    drawing_.emplace(window_, res_.background);
  }
}

void PageWin32View::DrawImage(TextView imageName, Point at) {
  if (!drawing_ || !drawing_->HasCanvas()) return;
  DrawSkinImage(window_, drawing_->Dc(), SkinImagePath(res_.skinFolder, imageName), at.x, at.y,
                SkinLoadFailure::Silent, res_.scale);
}

void PageWin32View::DrawString(TextView text, const Rect& rect, TextFormat format, PageFont font) {
  if (!drawing_ || !drawing_->HasCanvas()) return;
  HDC dc = drawing_->Dc();
  PrepareUiText(dc, (font == PageFont::Heading ? res_.headingFont : res_.bodyFont).Get(), res_.textColor);
  DrawUiText(dc, text, DeviceRect(rect, res_.scale), format);
}

void PageWin32View::CopyToScreen() { drawing_.reset(); }

void PageWin32View::BeginRebuild() {
  // The skin, or its files, may have changed: its pictures are read again.
  DropSkinImages();
  preparing_ = true;
  // Controls destroyed and made while the page is prepared paint nothing. A
  // hidden window is left alone: redraw switched on again would mark it shown.
  redrawOff_ = ::IsWindowVisible(window_) != FALSE;
  if (redrawOff_) ::SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
}

void PageWin32View::EndRebuild() {
  preparing_ = false;
  if (!redrawOff_) return;  // shown later, whole, by the window's own painting
  redrawOff_ = false;
  ::SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
  ShowWholePage();
}

void PageWin32View::ShowWholePage() {
  // The new controls paint first, where the old ones stood; then the page
  // reaches the screen around them in one copy: the screen goes from the old
  // page straight to the whole new one.
  for (auto& [id, control] : statics_) {
    ::RedrawWindow(control.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  }
  // Around the child windows: the controls keep what they painted.
  winui::WindowDc screen(window_, DCX_CACHE | DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS);
  RECT client{};
  ::GetClientRect(window_, &client);
  winui::Composition copy(screen.Get(), client, res_.background);
}

void PageWin32View::CreateStatic(const StaticControl& control) {
  // Clipped by its siblings, so that a repaint never covers an open list.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_CENTER;
  if (control.sunken) style |= SS_SUNKEN;
  if (control.centreImage) style |= SS_CENTERIMAGE;
  statics_[control.id].Create(window_, control.id, ToRect(DeviceRect(control.rect, res_.scale)), style, WideString(control.text));
}

void PageWin32View::SetStaticText(int id, TextView text) {
  auto found = statics_.find(id);
  if (found != statics_.end()) found->second.SetText(WideString(text));
}

void PageWin32View::InvalidateControl(int id) {
  HWND control = ::GetDlgItem(window_, id);
  if (control != nullptr) ::InvalidateRect(control, nullptr, TRUE);
}

void PageWin32View::DestroyControl(int id) {
  statics_.erase(id);
  lists_.erase(id);
}

void PageWin32View::CreateList(int id, const Rect& rect, std::span<const TextView> items) {
  winui::ListBox& list = lists_[id];
  if (!list.Create(window_, id, ToRect(DeviceRect(rect, res_.scale)), WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY)) {
    lists_.erase(id);
    return;
  }
  // Above the labels it drops over.
  ::SetWindowPos(list.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SendMessageW(list.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(res_.bodyFont.Get()), FALSE);
  for (TextView item : items) list.AddString(WideString(item));
}

const winui::ListBox* PageWin32View::FindList(int id) const {
  auto found = lists_.find(id);
  return found != lists_.end() && found->second.Exists() ? &found->second : nullptr;
}

bool PageWin32View::ListExists(int id) const { return FindList(id) != nullptr; }

std::optional<int> PageWin32View::ListSelection(int id) const {
  const winui::ListBox* list = FindList(id);
  const int selection = list != nullptr ? list->CurrentSelection() : -1;
  if (selection < 0) return std::nullopt;
  return selection;
}

void PageWin32View::SetListSelection(int id, int item) {
  if (auto found = lists_.find(id); found != lists_.end()) found->second.SetCurrentSelection(item);
}

std::optional<Rect> PageWin32View::ListItemRect(int id, int item) const {
  const winui::ListBox* list = FindList(id);
  RECT r{};
  if (list == nullptr ||
      ::SendMessageW(list->Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r)) == LB_ERR) {
    return std::nullopt;
  }
  // Back in layout pixels, where the page asked.
  const double scale = res_.scale;
  return Rect{LogicalEdge(r.left, scale), LogicalEdge(r.top, scale), LogicalEdge(r.right, scale),
              LogicalEdge(r.bottom, scale)};
}

void PageWin32View::ShowMessage(TextView text, TextView caption) {
  ShowOkBox(window_, text, caption);
}

std::optional<Rgb> PageWin32View::RunColorChooser() {
  static std::array<COLORREF, 16> customColors{};  // the page's own, kept for the run
  return RunColorChooserWin32(window_, customColors);
}

void PageWin32View::OpenWithShell(TextView address) {
  ::ShellExecuteW(window_, L"open", WideString(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void PageWin32View::StartWindowDrag(Point at) {
  // OK and Cancel hide the window before the click falls through to here: a
  // move loop on a hidden window would place it wherever the pointer next
  // goes, and the tray would show it there (off the screen, under Wine).
  if (!::IsWindowVisible(window_)) return;
  POINT screen{DeviceEdge(at.x, res_.scale), DeviceEdge(at.y, res_.scale)};
  ::ClientToScreen(window_, &screen);
  ::PostMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

void PageWin32View::RequestHover() {
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, window_, kHoverDelayMs};
  ::_TrackMouseEvent(&track);
}

std::optional<PageWin32View::ItemUnderPointer> PageWin32View::FindItemUnderPointer(const MSG& message) const {
  if (message.message != WM_MOUSEMOVE) return std::nullopt;
  for (const auto& [id, list] : lists_) {
    if (list.Hwnd() != message.hwnd) continue;
    const POINT point{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
    const int item = list.ItemFromPoint(point);
    if (item < 0) return std::nullopt;
    return ItemUnderPointer{id, item};
  }
  return std::nullopt;
}

std::optional<LRESULT> PageWin32View::ControlColors(UINT message, HDC dc, HWND control) {
  brush_.Reset();
  ControlKind kind = ControlKind::Other;
  switch (message) {
    case WM_CTLCOLORLISTBOX: kind = ControlKind::ListBox; break;
    case WM_CTLCOLORSTATIC: kind = ControlKind::Static; break;
    case WM_CTLCOLOREDIT: kind = ControlKind::Edit; break;
    case WM_CTLCOLORBTN: kind = ControlKind::Button; break;
    default: return std::nullopt;
  }
  const px::ControlColors colors = ColorsForControl(kind, ::GetDlgCtrlID(control), res_.model, res_.textColor);
  if (colors.textColor) ::SetTextColor(dc, *colors.textColor);
  if (colors.transparent) ::SetBkMode(dc, TRANSPARENT);
  if (colors.backgroundColor) ::SetBkColor(dc, *colors.backgroundColor);
  if (colors.bodyFont && res_.bodyFont) ::SelectObject(dc, res_.bodyFont.Get());
  if (!colors.brushColor) return std::nullopt;
  brush_.Reset(::CreateSolidBrush(*colors.brushColor));
  return reinterpret_cast<LRESULT>(brush_.Get());
}

}  // namespace px

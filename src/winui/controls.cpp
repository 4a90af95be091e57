#include "winui/controls.h"

#include <vector>

namespace px::winui {

namespace {

HWND CreateChild(const wchar_t* className, HWND parent, int id, const RECT& rect, DWORD style,
                 const std::wstring& text) {
  return ::CreateWindowExW(0, className, text.c_str(), style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ::GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

std::wstring WindowText(HWND window) {
  if (window == nullptr) return {};
  int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  int copied = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

bool ListBox::Create(HWND parent, int id, const RECT& rect, DWORD style) {
  window_.Reset(CreateChild(L"LISTBOX", parent, id, rect, style, L""));
  // The list takes its parent's font, like a template control would.
  if (window_) {
    auto font = static_cast<WPARAM>(::SendMessageW(parent, WM_GETFONT, 0, 0));
    ::SendMessageW(window_.Get(), WM_SETFONT, font, FALSE);
  }
  return static_cast<bool>(window_);
}

int ListBox::AddString(const std::wstring& text) {
  return static_cast<int>(::SendMessageW(window_.Get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int ListBox::Count() const { return static_cast<int>(::SendMessageW(window_.Get(), LB_GETCOUNT, 0, 0)); }

int ListBox::CurrentSelection() const {
  if (!Exists()) return LB_ERR;
  return static_cast<int>(::SendMessageW(window_.Get(), LB_GETCURSEL, 0, 0));
}

void ListBox::SetCurrentSelection(int index) {
  ::SendMessageW(window_.Get(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring ListBox::Text(int index) const {
  if (!Exists() || index < 0 || index >= Count()) return {};
  LRESULT length = ::SendMessageW(window_.Get(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  ::SendMessageW(window_.Get(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  return std::wstring(buffer.data());
}

int ListBox::ItemFromPoint(POINT clientPoint) const {
  if (!Exists()) return -1;
  auto answer = static_cast<DWORD>(::SendMessageW(
      window_.Get(), LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(clientPoint.x), static_cast<WORD>(clientPoint.y))));
  if (HIWORD(answer) != 0) return -1;  // outside the client area
  return LOWORD(answer);
}

std::optional<int> ListBox::ItemUnderPointer() const {
  if (!Exists()) return std::nullopt;
  POINT pointer{};
  ::GetCursorPos(&pointer);
  if (::WindowFromPoint(pointer) != window_.Get()) return std::nullopt;
  ::ScreenToClient(window_.Get(), &pointer);
  return ItemFromPoint(pointer);
}

bool TextControl::Create(HWND parent, int id, const RECT& rect, DWORD style, const std::wstring& text) {
  window_.Reset(CreateChild(windowClass_, parent, id, rect, style, text));
  return static_cast<bool>(window_);
}

void TextControl::SetText(const std::wstring& text) { ::SetWindowTextW(window_.Get(), text.c_str()); }

void Edit::LimitText(int characters) {
  ::SendMessageW(Hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

}  // namespace px::winui

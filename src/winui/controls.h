#pragma once
// Thin wrappers over the standard controls the windows create: a list box
// made on demand and destroyed with its owner object, and static and edit
// controls addressed by window handle.
#include <windows.h>

#include <optional>
#include <string>

#include "winui/handles.h"

namespace px::winui {

// Window text of any control, whatever its length.
std::wstring WindowText(HWND window);

class ListBox {
 public:
  ListBox() = default;
  // Creates the list as a child of parent at rect (client coordinates).
  bool Create(HWND parent, int id, const RECT& rect, DWORD style);
  void Destroy() { window_.Reset(); }
  bool Exists() const { return static_cast<bool>(window_) && ::IsWindow(window_.Get()); }
  HWND Hwnd() const { return window_.Get(); }

  int AddString(const std::wstring& text);
  int Count() const;
  int CurrentSelection() const;  // LB_ERR (-1) when none
  void SetCurrentSelection(int index);
  std::wstring Text(int index) const;  // empty for an index out of range
  // Item under a point in the list's client coordinates, or -1 outside the items.
  int ItemFromPoint(POINT clientPoint) const;
  // Item under the mouse pointer (-1 outside the items), or nothing when the
  // pointer is not over the list; found from the pointer's own place,
  // whichever window a move was reported to.
  std::optional<int> ItemUnderPointer() const;

 private:
  UniqueWindow window_;
};

// A control of a window class that shows one text (STATIC, EDIT).
class TextControl {
 public:
  explicit TextControl(const wchar_t* windowClass) : windowClass_(windowClass) {}
  bool Create(HWND parent, int id, const RECT& rect, DWORD style, const std::wstring& text);
  void Destroy() { window_.Reset(); }
  HWND Hwnd() const { return window_.Get(); }
  void SetText(const std::wstring& text);
  std::wstring Text() const { return WindowText(window_.Get()); }

 private:
  const wchar_t* windowClass_;
  UniqueWindow window_;
};

class Static : public TextControl {
 public:
  Static() : TextControl(L"STATIC") {}
};

class Edit : public TextControl {
 public:
  Edit() : TextControl(L"EDIT") {}
  void LimitText(int characters);
};

}  // namespace px::winui

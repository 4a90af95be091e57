#pragma once
// The settings page's view over the main window: drawing by composition onto
// the window's background bitmap, the page's child controls, the system
// dialogs and the pointer requests. No rules of its own: SettingsPage decides.
#include <windows.h>

#include <map>
#include <optional>

#include "page/page_view.h"
#include "skin/ui_font.h"
#include "winui/composition.h"
#include "winui/controls.h"
#include "winui/handles.h"

namespace px {

// What the view draws with; all owned by the window and kept current by it.
struct PageViewResources {
  const HBITMAP& background;  // the canvas every drawing composes onto; null skips drawing
  const Text& skinFolder;
  const UiTextColor& textColor;
  const winui::UniqueFont& bodyFont;
  const winui::UniqueFont& headingFont;
  const SettingsModel& model;  // the swatch colours
  const double& scale;         // device pixels per layout pixel (the monitor's DPI / 96)
};

class PageWin32View final : public PageView {
 public:
  PageWin32View(HWND window, PageViewResources resources);

  void BeginDrawing() override;
  void DrawImage(TextView imageName, Point at) override;
  void DrawString(TextView text, const Rect& rect, TextFormat format, PageFont font) override;
  void CopyToScreen() override;
  void BeginRebuild() override;
  void EndRebuild() override;

  void CreateStatic(const StaticControl& control) override;
  void SetStaticText(int id, TextView text) override;
  void InvalidateControl(int id) override;
  void DestroyControl(int id) override;

  void CreateList(int id, const Rect& rect, std::span<const TextView> items) override;
  bool ListExists(int id) const override;
  std::optional<int> ListSelection(int id) const override;
  void SetListSelection(int id, int item) override;
  std::optional<Rect> ListItemRect(int id, int item) const override;

  void ShowMessage(TextView text, TextView caption) override;
  std::optional<Rgb> RunColorChooser() override;
  void OpenWithShell(TextView address) override;
  void StartWindowDrag(Point at) override;
  void RequestHover() override;

  // Message pre-filter: the list and the item when the message is a pointer
  // move over an item of one of the page's lists, for the page to react.
  struct ItemUnderPointer {
    int listId = 0;
    int item = 0;
  };
  std::optional<ItemUnderPointer> FindItemUnderPointer(const MSG& message) const;

  // WM_CTLCOLOR*: the colour rule of the page's window, one brush at a time.
  std::optional<LRESULT> ControlColors(UINT message, HDC dc, HWND control);

 private:
  // The finished page in one copy, after its controls have painted.
  void ShowWholePage();
  // The page's list of that id while its window exists.
  const winui::ListBox* FindList(int id) const;

  HWND window_;
  PageViewResources res_;
  std::optional<winui::Composition> drawing_;
  bool preparing_ = false;   // a rebuild: drawing lands on the background only
  bool redrawOff_ = false;   // the window's painting held for it (it was shown)
  std::map<int, winui::Static> statics_;
  std::map<int, winui::ListBox> lists_;
  winui::UniqueBrush brush_;  // the one made at the last WM_CTLCOLOR
};

}  // namespace px

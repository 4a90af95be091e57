#pragma once
// The Win32 window of the seven small dialogs: a captionless modal window
// whose look is a skin picture, with a dark drop-down made of a label and a
// list box created on demand, number fields and a colour swatch. It only
// turns the controller's verbs into calls and the window's messages into
// the controller's events; the decisions are skin/dialog_controller.h's.
#include <windows.h>

#include <map>
#include <optional>

#include "common/text.h"
#include "skin/dialog_controller.h"
#include "skin/dialog_view.h"
#include "skin/win32/skin_picture.h"
#include "winui/composition.h"
#include "winui/controls.h"
#include "winui/dialog.h"
#include "winui/handles.h"

namespace px {

class SkinnedDialog : public winui::Dialog, public ModalDialogView {
 public:
  SkinnedDialog(DialogKind kind, HWND owner);

  DialogEnd RunModal(DialogController& controller) override;

  bool LoadBackground(TextView imagePath) override;
  void BeginDrawing() override;
  void RestoreBackground() override;
  void DrawImage(TextView imagePath, int x, int y) override;
  void DrawText(TextView text, const Rect& rect, TextFormat format, UiTextColor color) override;
  void EndDrawing() override;
  void CreateLabel(int id, const Rect& rect, bool centred, TextView text) override;
  void SetLabelText(int id, TextView text) override;
  void CreateList(int id, const Rect& rect, std::span<const Text> items, bool scrollBar) override;
  void DestroyList() override { list_.Destroy(); }
  bool ListExists() const override { return list_.Exists(); }
  std::optional<int> ListSelection() const override;
  void SetListSelection(int item) override { list_.SetCurrentSelection(item); }
  void ScrollList(int lines) override;
  void CreateEdit(int id, const Rect& rect, TextView text) override;
  void DestroyEdit(int id) override;
  bool EditExists(int id) const override;
  Text EditText(int id) const override;
  void SetEditText(int id, TextView text) override;
  void CreateSwatch(int id, const Rect& rect, UiTextColor color) override;
  void SetSwatchColor(int id, UiTextColor color) override;
  // The frame captures no keys; the single key dialog's window does.
  std::optional<unsigned long> StartKeyCapture() override { return ERROR_NOT_SUPPORTED; }
  void ShowMessage(TextView text, TextView caption) override;
  Text ApplicationName() const override;
  std::optional<UiTextColor> RunColorChooser() override;
  void RequestHover() override;
  void End(DialogEnd end) override { EndDialog(end == DialogEnd::Ok ? IDOK : IDCANCEL); }

 protected:
  bool OnInitDialog() override;
  bool PreTranslateMessage(MSG& message) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOk() override;
  void OnCancel() override;
  DialogController* Controller() { return controller_; }

 private:
  std::optional<LRESULT> OnCommand(WPARAM wParam, LPARAM lParam);
  // The controller's rectangles and points are the dialog's layout; the
  // window is at the monitor's scale.
  RECT DeviceOf(const Rect& layout) const;
  Point LayoutPoint(LPARAM lParam) const;
  RECT Place(int id, const Rect& layout);
  // Moved to a monitor of another scale: the picture, font and controls again.
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  DialogController* controller_ = nullptr;
  double scale_ = 1.0;  // device pixels per layout pixel
  BackgroundBitmap background_;
  Text backgroundPath_;
  std::map<int, Rect> layouts_;  // each control's rectangle in the layout
  winui::UniqueBitmap pristine_;  // the background as loaded
  winui::UniqueFont font_;
  winui::UniqueBrush darkBrush_;
  HDC paintDc_ = nullptr;  // set while the erase runs
  std::optional<winui::Composition> drawing_;
  winui::Static label_;
  winui::ListBox list_;
  int listId_ = 0;
  std::map<int, winui::Edit> edits_;
  winui::Static swatch_;
  winui::UniqueBrush swatchBrush_;
};

}  // namespace px

#pragma once
// The frame of the seven small dialogs: a captionless modal window whose look
// is a skin picture, with close, OK and Cancel drawn over it, a dark
// drop-down made of a label and a list box created on demand, and one set of
// colours. Each dialog derives from it and fills in its own texts, controls,
// list items and result; the decisions come from skin/dialog_frame.h.
#include <windows.h>

#include <optional>
#include <vector>

#include "common/text.h"
#include "model/interface_texts.h"
#include "skin/dialog_frame.h"
#include "skin/ui_font.h"
#include "skin/win32/skin_draw.h"
#include "winui/controls.h"
#include "winui/dialog.h"
#include "winui/handles.h"

namespace px {

// What a dialog takes from the program when it opens: its own copies.
struct SkinnedDialogContext {
  Text skinFolder;
  Language language = Language::English;
  UiTextColor textColor;
};

class SkinnedDialog : public winui::Dialog {
 public:
  SkinnedDialog(DialogKind kind, HWND owner, SkinnedDialogContext context);

  std::int32_t ChosenIndex() const { return chosenIndex_; }
  const Text& ChosenText() const { return chosenText_; }

 protected:
  // --- what each dialog adds ---
  // Own controls, created after the label.
  virtual void CreateOwnControls() {}
  // Last step of opening; false ends it with FALSE (no focus set).
  virtual bool FinishOpening() { return true; }
  // Texts drawn by the erase after the OK and Cancel captions.
  virtual void DrawExtraTexts(HDC) {}
  virtual std::vector<Text> ListItems() { return {}; }
  virtual DWORD ListStyle() const { return 0x50800001; }  // WS_CHILD WS_VISIBLE WS_BORDER LBS_NOTIFY
  // Around the list's life: the fire key fields give way to it.
  virtual void BeforeListCreated() {}
  virtual void AfterListClosed() {}
  // After the frame's own handling of a choice.
  virtual void AfterChoice() {}
  virtual FrameRect ExtraHitRect() const { return {}; }
  virtual void OnExtraHit() {}
  // Messages of the dialog's own controls, before the frame's handling.
  virtual std::optional<LRESULT> OnOwnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }
  // A colour answer of the dialog's own, or nothing for the frame's.
  virtual std::optional<LRESULT> OwnControlColour(UINT, HDC, HWND) { return std::nullopt; }

  // --- shared with the dialogs ---
  bool OnInitDialog() override;
  bool PreTranslateMessage(MSG& message) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  const SkinnedDialogContext& Context() const { return context_; }
  const DialogFrameSpec& Spec() const { return spec_; }
  HFONT Font() const { return font_.Get(); }
  HBRUSH DarkBrush() const { return darkBrush_.Get(); }
  bool HasBackground() const { return static_cast<bool>(background_); }
  winui::Static& Label() { return label_; }
  const winui::ListBox& List() const { return list_; }
  void SetChosen(std::int32_t index, Text text) {
    chosenIndex_ = index;
    chosenText_ = std::move(text);
  }
  // White on the frame's dark grey with the dialog font: labels, lists, fields.
  LRESULT DarkControlColour(HDC dc);
  // A note or prompt that may be longer than its place: drawn whole, as
  // aligned in its rectangle, rather than cut off mid-letter at its edge.
  static void DrawUnclippedText(HDC dc, TextView text, const FrameRect& rect, TextAlign align);
  // One skin image of this dialog's folder (failure box on a missing file).
  void DrawImage(HDC dc, TextView name, const FrameRect& at);

 private:
  void Erase(HDC dc);
  void RestoreCanvas(HDC surface);
  void OnLeftButtonDown(int x, int y);
  void ToggleList();
  void CloseList();
  void OnListNotification(WPARAM wParam);
  void OnMouseMove(int x, int y);
  void OnMouseHover(int x, int y);
  void DrawButton(HDC dc, FrameButton button, bool over);

  DialogKind kind_;
  const DialogFrameSpec& spec_;
  SkinnedDialogContext context_;
  FrameCaptions captions_{};
  BackgroundBitmap background_;
  winui::UniqueBitmap pristine_;  // the background as loaded
  winui::UniqueFont font_;
  winui::UniqueBrush darkBrush_;
  winui::Static label_;
  winui::ListBox list_;
  std::int32_t chosenIndex_ = 0;
  Text chosenText_;
};

// The frame's failure box when a background does not load; replaceable so
// that a test can record it instead of waiting for a click.
using SkinnedDialogErrorBox = void (*)(HWND owner, TextView text, TextView caption);
SkinnedDialogErrorBox SetSkinnedDialogErrorBox(SkinnedDialogErrorBox box);

}  // namespace px

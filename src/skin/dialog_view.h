#pragma once
// What the small dialogs' controllers need of their window: narrow enough
// that every decision runs against a recording double, and that the Win32
// and Qt dialogs are only translations into calls.
#include <memory>
#include <optional>
#include <span>

#include "common/text.h"
#include "model/interface_texts.h"
#include "skin/dialog_frame.h"
#include "skin/text_format.h"
#include "skin/ui_font.h"

namespace px {

class DialogController;

// What a dialog takes from the program when it opens: its own copies.
struct DialogContext {
  Text skinFolder;
  Language language = Language::English;
  UiTextColor textColor;
};

enum class DialogEnd : std::uint8_t { Ok, Cancel };

class DialogView {
 public:
  virtual ~DialogView() = default;

  // Decodes the background, which gives the window its outer size (0 x 0
  // when it fails) and becomes the canvas of every later drawing.
  virtual bool LoadBackground(TextView imagePath) = 0;

  // One drawing operation: what is drawn between these two lands on the
  // canvas, and the whole client area reaches the screen at EndDrawing.
  // Without a background nothing is drawn.
  virtual void BeginDrawing() = 0;
  // The canvas as the background was loaded, before anything was drawn on it.
  virtual void RestoreBackground() = 0;
  // A skin picture at its own size; a file that does not load is reported
  // with the small dialogs' failure box and skipped.
  virtual void DrawImage(TextView imagePath, int x, int y) = 0;
  // In the dialog font.
  virtual void DrawText(TextView text, const Rect& rect, TextFormat format, UiTextColor color) = 0;
  virtual void EndDrawing() = 0;

  // The dark drop-down: a sunken label and a list made on demand, white
  // text on dark grey in the dialog font.
  virtual void CreateLabel(int id, const Rect& rect, bool centred, TextView text) = 0;
  virtual void SetLabelText(int id, TextView text) = 0;
  virtual void CreateList(int id, const Rect& rect, std::span<const Text> items, bool scrollBar) = 0;
  // Destroys the list when it exists.
  virtual void DestroyList() = 0;
  virtual bool ListExists() const = 0;
  virtual std::optional<int> ListSelection() const = 0;
  // Marks an entry (−1: none) without choosing it.
  virtual void SetListSelection(int item) = 0;
  // Positive: towards the end of the list.
  virtual void ScrollList(int lines) = 0;

  // Borderless number fields, centred, white on dark grey.
  virtual void CreateEdit(int id, const Rect& rect, TextView text) = 0;
  virtual void DestroyEdit(int id) = 0;
  virtual bool EditExists(int id) const = 0;
  virtual Text EditText(int id) const = 0;
  // Reports the change like typing does.
  virtual void SetEditText(int id, TextView text) = 0;

  // A plain rectangle of one colour.
  virtual void CreateSwatch(int id, const Rect& rect, UiTextColor color) = 0;
  virtual void SetSwatchColor(int id, UiTextColor color) = 0;

  // Starts delivering every keystroke's key name to the controller; the
  // platform's error code when that cannot be done.
  virtual std::optional<unsigned long> StartKeyCapture() = 0;

  // A modal box with an OK button, owned by the dialog.
  virtual void ShowMessage(TextView text, TextView caption) = 0;
  virtual Text ApplicationName() const = 0;
  // The system colour chooser; nothing when it ends without OK.
  virtual std::optional<UiTextColor> RunColorChooser() = 0;
  // One notification when the pointer rests a moment.
  virtual void RequestHover() = 0;
  // Ends the modal run; ending twice keeps the later end.
  virtual void End(DialogEnd end) = 0;
};

// A dialog window the platform opens modally over its owner.
class ModalDialogView : public DialogView {
 public:
  // Opens the window and lets `controller` drive it until it ends.
  virtual DialogEnd RunModal(DialogController& controller) = 0;
};

// Makes the platform's dialog windows, each over the same owner.
class DialogWindows {
 public:
  virtual ~DialogWindows() = default;
  virtual std::unique_ptr<ModalDialogView> NewDialog(DialogKind kind) = 0;
};

}  // namespace px

#pragma once
// What the settings page needs of its window: narrow enough that the page's
// rules run against a recording double, and that the Win32 window is only a
// thin translation into calls.
#include <optional>
#include <span>

#include "common/text.h"
#include "model/settings_model.h"
#include "page/page_layout.h"
#include "skin/text_format.h"

namespace px {

enum class PageFont { Body, Heading };

// A static child: the colour swatches and the lighting DropdownLabels.
struct StaticControl {
  int id = 0;
  Rect rect;
  Text text;
  bool sunken = false;       // DropdownLabels
  bool centreImage = false;  // vertically centred text
};

class PageView {
 public:
  virtual ~PageView() = default;

  // One drawing operation: what is drawn between these two lands on the
  // window's background bitmap, and the whole client area reaches the screen
  // at CopyToScreen. Without a background bitmap the drawing is skipped.
  virtual void BeginDrawing() = 0;
  virtual void DrawImage(TextView imageName, Point at) = 0;
  virtual void DrawString(TextView text, const Rect& rect, TextFormat format, PageFont font) = 0;
  virtual void CopyToScreen() = 0;

  // A rebuild of the whole page runs between these two: nothing of its
  // teardown or of the new build reaches the screen before EndRebuild, which
  // shows the new page at once, controls included. Every view reads the
  // skin's pictures again for it; one that paints only from its event loop,
  // after the rebuild has ended, needs nothing else here.
  virtual void BeginRebuild() {}
  virtual void EndRebuild() {}

  virtual void CreateStatic(const StaticControl& control) = 0;
  virtual void SetStaticText(int id, TextView text) = 0;
  // Repaints a child control (its colours come from the window's colour rule).
  virtual void InvalidateControl(int id) = 0;
  // Destroys a static or a list when it exists.
  virtual void DestroyControl(int id) = 0;

  virtual void CreateList(int id, const Rect& rect, std::span<const TextView> items) = 0;
  virtual bool ListExists(int id) const = 0;
  // The list's current selection, or nothing.
  virtual std::optional<int> ListSelection(int id) const = 0;
  // Makes an entry the list's selection without a notification: nothing is
  // chosen before a click.
  virtual void SetListSelection(int id, int item) = 0;
  // Where an entry of a list sits, in the list's own client coordinates
  // (LB_GETITEMRECT); nothing when the list or the entry does not exist.
  virtual std::optional<Rect> ListItemRect(int id, int item) const = 0;

  virtual void ShowMessage(TextView text, TextView caption) = 0;
  // The system colour chooser; nothing when it ends without OK.
  virtual std::optional<Rgb> RunColorChooser() = 0;
  virtual void OpenWithShell(TextView address) = 0;
  // Lets the system move the window from a button-down at this point.
  virtual void StartWindowDrag(Point at) = 0;
  // Asks for a hover notification when the pointer rests.
  virtual void RequestHover() = 0;
};

// The window's own commands the page's frame buttons reach.
class PageCommands {
 public:
  virtual ~PageCommands() = default;
  virtual void Ok() = 0;
  virtual void Apply() = 0;
  virtual void Cancel() = 0;
  virtual void Minimise() = 0;
  // Ends the program (exit code 0); in the real window it does not return.
  virtual void Close() = 0;
  virtual void RunSkinFlow() = 0;
};

}  // namespace px

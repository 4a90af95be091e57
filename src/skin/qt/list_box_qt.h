#pragma once
// The drop-down list of the page and of the small dialogs, as a Win32 list
// box behaves: whole rows, a one-pixel grey border, the selected entry in
// white on blue. A pointer move reports the entry under it (the owner's core
// decides whether it becomes the selection); a press marks the entry; the
// release reports the choice. Never takes the focus, so no entry is
// selected until the pointer says so.
#include <QFont>
#include <QListWidget>

#include <functional>
#include <optional>

#include "common/geometry.h"
#include "skin/list_rows.h"

namespace px {

struct ListBoxLooks {
  QFont font;
  QColor text;
  QColor background;
  int rowHeight = 0;  // pixels of one entry
  int textInset = 1;  // pixels between the entry's left edge and its text, one less at its right
};

class QtListBox final : public QListWidget {
 public:
  QtListBox(QWidget* parent, const ListBoxLooks& looks);

  // Placed at `rect`, only as high as its whole rows of `rowHeight` need.
  void Place(const Rect& rect, int rowHeight = kCreationRowHeight);
  // A vertical scroll bar when the entries need one: the classic one with
  // arrow buttons, moving by whole entries.
  void AllowScrollBar(bool allowed);

  // The selected entry, if any.
  std::optional<int> Selection() const;
  // Makes an entry the selection, choosing nothing; -1 (or no entry) clears it.
  void Select(int item);
  int ItemAt(const QPoint& at) const;
  // Positive: towards the end of the list.
  void ScrollBy(int entries);

  std::function<void(int item)> onPointerOver;          // every move; -1 off the entries
  std::function<void(const QMouseEvent&)> onLeftPress;  // each left press, the second of a pair too
  std::function<void(int item)> onReleased;             // the left button up after a press here; -1 off the entries
  std::function<void(int angleDelta)> onWheel;          // unset: the list scrolls itself

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace px

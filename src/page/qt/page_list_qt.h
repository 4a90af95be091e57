#pragma once
// A drop-down list of the page as a Win32 list box behaves: a pointer move
// over an entry reports it (the page makes it the selection, choosing
// nothing); a click (its release) on an entry chooses it. Never takes the
// focus, so no entry is selected until the pointer says so.
#include <QListWidget>

#include <functional>

namespace px {

class PageList final : public QListWidget {
 public:
  PageList(QWidget* parent, const QFont& font, QColor text, QColor background);

  int Selection() const { return selection_; }
  // Makes an entry the selection, choosing nothing.
  void Select(int item);

  std::function<void(int item)> onPointerOver;
  std::function<void()> onChosen;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int ItemAt(const QPoint& at) const;
  int selection_ = -1;
  bool pressed_ = false;
};

}  // namespace px

#include "page/qt/page_list_qt.h"

#include <QFontMetrics>
#include <QMouseEvent>

namespace px {

PageList::PageList(QWidget* parent, const QFont& font, QColor text, QColor background) : QListWidget(parent) {
  setFont(font);
  setFocusPolicy(Qt::NoFocus);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  // One pixel of border around entries as high as the font, as a list box draws them.
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setUniformItemSizes(true);
  setStyleSheet(QStringLiteral("QListWidget { border: 1px solid black; background: %1; color: %2; }"
                               "QListWidget::item { padding: 0px; border: 0px; height: %3px; }"
                               "QListWidget::item:selected { background: #0a246a; color: white; }")
                    .arg(background.name(), text.name())
                    .arg(QFontMetrics(font).height()));
}

int PageList::ItemAt(const QPoint& at) const {
  const QModelIndex index = indexAt(at);
  return index.isValid() ? index.row() : -1;
}

void PageList::Select(int item) {
  if (item < 0 || item >= count()) return;
  selection_ = item;
  setCurrentRow(item);
}

void PageList::mouseMoveEvent(QMouseEvent* event) {
  const int item = ItemAt(event->position().toPoint());
  if (item < 0) return;
  Select(item);
  if (onPointerOver) onPointerOver(item);
}

void PageList::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  Select(ItemAt(event->position().toPoint()));
}

void PageList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  const int item = ItemAt(event->position().toPoint());
  if (item < 0) return;
  Select(item);
  if (onChosen) onChosen();
}

void PageList::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

}  // namespace px

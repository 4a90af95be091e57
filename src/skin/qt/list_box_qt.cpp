#include "skin/qt/list_box_qt.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyledItemDelegate>

#include "skin/qt/qt_draw.h"
#include "skin/shared_looks.h"

namespace px {
namespace {

// Entries as a list box draws them: the selection filling the whole entry,
// the text inset from the border, ended by "..." where it runs out of room
// unless the list says its entries are cut at the edge (ElideNone).
class EntryDelegate final : public QStyledItemDelegate {
 public:
  EntryDelegate(QObject* parent, const ListBoxLooks& looks) : QStyledItemDelegate(parent), looks_(looks) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) painter->fillRect(option.rect, ToQColor(kListSelectionBlue));
    painter->setFont(option.font);
    painter->setPen(selected ? QColor(Qt::white) : looks_.text);
    const QRect room = option.rect.adjusted(looks_.textInset, 0, 1 - looks_.textInset, 0);
    const QString text =
        QFontMetrics(option.font).elidedText(index.data().toString(), option.textElideMode, room.width());
    painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QFontMetrics(option.font).horizontalAdvance(index.data().toString()) + 2 * looks_.textInset,
                 looks_.rowHeight);
  }

 private:
  ListBoxLooks looks_;
};

}  // namespace

QtListBox::QtListBox(QWidget* parent, const ListBoxLooks& looks) : QListWidget(parent) {
  setFont(looks.font);
  setFocusPolicy(Qt::NoFocus);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setUniformItemSizes(true);
  setItemDelegate(new EntryDelegate(this, looks));
  setStyleSheet(QStringLiteral("QListWidget { background: %1; color: %2; border: 1px solid %3; }")
                    .arg(looks.background.name(), looks.text.name(), ToQColor(kListBorderGrey).name()));
}

void QtListBox::Place(const Rect& rect, int rowHeight) {
  setGeometry(ToQRect({rect.left, rect.top, rect.right, rect.top + WholeRowsHeight(rect.Height(), rowHeight)}));
}

void QtListBox::AllowScrollBar(bool allowed) {
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setVerticalScrollBarPolicy(allowed ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  static QStyle* const classic = QStyleFactory::create(QStringLiteral("Windows"));
  if (classic != nullptr) verticalScrollBar()->setStyle(classic);
}

std::optional<int> QtListBox::Selection() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return row(selected.front());
}

void QtListBox::Select(int item) {
  if (item < 0 || item >= count()) {
    clearSelection();
    return;
  }
  setCurrentRow(item);
}

int QtListBox::ItemAt(const QPoint& at) const {
  const QModelIndex index = indexAt(at);
  return index.isValid() ? index.row() : -1;
}

void QtListBox::ScrollBy(int entries) { verticalScrollBar()->setValue(verticalScrollBar()->value() + entries); }

// The owner's core decides what a move selects; Qt's own drag selection
// would select behind its back.
void QtListBox::mouseMoveEvent(QMouseEvent* event) {
  if (onPointerOver) onPointerOver(ItemAt(event->position().toPoint()));
}

void QtListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  if (onLeftPress) onLeftPress(*event);
  const int item = ItemAt(event->position().toPoint());
  if (item >= 0) Select(item);
}

void QtListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  const int item = ItemAt(event->position().toPoint());
  if (item >= 0) Select(item);
  if (onReleased) onReleased(item);
}

// A second press of a pair is a press like any other; whether it ends a
// double click is the owner's to say.
void QtListBox::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void QtListBox::wheelEvent(QWheelEvent* event) {
  if (!onWheel) {
    QListWidget::wheelEvent(event);
    return;
  }
  onWheel(event->angleDelta().y());
  event->accept();
}

}  // namespace px

#include "page/qt/page_list_qt.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "skin/shared_looks.h"

namespace px {
namespace {

constexpr QRgb kBorder = qRgb(kListBorderGrey[0], kListBorderGrey[1], kListBorderGrey[2]);
constexpr QRgb kSelection = qRgb(kListSelectionBlue[0], kListSelectionBlue[1], kListSelectionBlue[2]);

// Entries as a list box draws them: as high as the font, the text one pixel
// in from the border, the selection filling the whole entry.
class EntryDelegate final : public QStyledItemDelegate {
 public:
  EntryDelegate(QObject* parent, QColor text) : QStyledItemDelegate(parent), text_(text) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) painter->fillRect(option.rect, QColor(kSelection));
    painter->setFont(option.font);
    painter->setPen(selected ? QColor(Qt::white) : text_);
    painter->drawText(option.rect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data().toString());
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QFontMetrics(option.font).horizontalAdvance(index.data().toString()) + 2,
                 QFontMetrics(option.font).height());
  }

 private:
  QColor text_;
};

}  // namespace

PageList::PageList(QWidget* parent, const QFont& font, QColor text, QColor background) : QListWidget(parent) {
  setFont(font);
  setFocusPolicy(Qt::NoFocus);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setUniformItemSizes(true);
  setItemDelegate(new EntryDelegate(this, text));
  setStyleSheet(QStringLiteral("QListWidget { border: 1px solid %1; background: %2; }")
                    .arg(QColor(kBorder).name(), background.name()));
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
  // Whether the entry becomes the selection is the page's to say.
  if (item >= 0 && onPointerOver) onPointerOver(item);
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

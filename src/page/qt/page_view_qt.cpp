#include "page/qt/page_view_qt.h"

#include <QCursor>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QUrl>

#include "common/qt/qt_text.h"
#include "page/control_colors.h"
#include "skin/qt/canvas_qt.h"
#include "skin/qt/list_box_qt.h"
#include "skin/qt/modal_qt.h"
#include "skin/qt/qt_draw.h"
#include "skin/shared_looks.h"
#include "skin/skin_paths.h"

namespace px {
namespace {

QColor ToQColor(std::uint32_t value) { return ToQColor(RgbOfValue(value)); }

}  // namespace

PageQtView::PageQtView(QWidget& window, PageQtResources resources, PageQtEvents events)
    : window_(window), res_(resources), events_(std::move(events)) {
  hoverTimer_.setSingleShot(true);
  hoverTimer_.setInterval(kHoverDelayMs);
  QObject::connect(&hoverTimer_, &QTimer::timeout, [this] {
    const QPoint at = window_.mapFromGlobal(QCursor::pos());
    if (events_.hover && window_.rect().contains(at)) events_.hover({at.x(), at.y()});
  });
}

PageQtView::~PageQtView() = default;

void PageQtView::BeginDrawing() {
  painter_.reset();
  if (res_.canvas.isNull()) return;
  // Pictures are decoded once per skin: a new skin starts afresh.
  images_.ForSkin(res_.skinFolder);
  // The canvas carries the window's ratio: a scaled one takes the doubled pictures.
  images_.AtDensity(PictureDensityFor(res_.canvas.devicePixelRatio(), DoubledPictures::AboveOne));
  painter_.emplace(&res_.canvas);
}

void PageQtView::DrawImage(TextView imageName, Point at) {
  if (!painter_) return;
  const QImage& image = images_.Get(SkinImagePath(res_.skinFolder, imageName));
  if (!image.isNull()) DrawPictureQt(*painter_, image, at, res_.canvas.devicePixelRatio());
}

void PageQtView::DrawString(TextView text, const Rect& rect, TextFormat format, PageFont font) {
  if (!painter_) return;
  painter_->setFont(font == PageFont::Heading ? res_.headingFont : res_.bodyFont);
  painter_->setPen(ToQColor(res_.textColor));
  painter_->drawText(ToQRect(rect), QtTextFlags(format), ToQString(text));
}

void PageQtView::CopyToScreen() {
  painter_.reset();
  // At once, as the Win32 view's copy: the screen shows every drawing
  // operation as soon as it ends.
  window_.repaint();
}

void PageQtView::BeginRebuild() {
  // The skin, or its files, may have changed: its pictures are read again.
  images_.Drop();
}

void PageQtView::CreateStatic(const StaticControl& control) {
  DestroyControl(control.id);
  auto* label = new QLabel(ToQString(control.text), &window_);
  label->setGeometry(ToQRect(control.rect));
  label->setAlignment(Qt::AlignHCenter | (control.centreImage ? Qt::AlignVCenter : Qt::AlignTop));
  if (control.sunken) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
  }
  // Clicks and moves belong to the page under it, as with a Win32 static.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->setAutoFillBackground(true);
  statics_[control.id] = label;
  PaintStatic(control.id);
  // Under any list already open, as a Win32 static clipped by its siblings.
  label->lower();
  label->show();
}

void PageQtView::PaintStatic(int id) {
  QLabel* label = Static(id);
  if (label == nullptr) return;
  const ControlColors colors = ColorsForControl(ControlKind::Static, id, res_.model, res_.textColor);
  QPalette palette = label->palette();
  if (colors.brushColor) palette.setColor(QPalette::Window, ToQColor(*colors.brushColor));
  if (colors.textColor) palette.setColor(QPalette::WindowText, ToQColor(*colors.textColor));
  label->setPalette(palette);
  if (colors.bodyFont) label->setFont(res_.bodyFont);
}

void PageQtView::SetStaticText(int id, TextView text) {
  if (QLabel* label = Static(id)) label->setText(ToQString(text));
}

void PageQtView::InvalidateControl(int id) {
  PaintStatic(id);
  if (QLabel* label = Static(id)) label->update();
}

void PageQtView::DestroyControl(int id) {
  // Possibly from inside the control's own event.
  if (auto found = statics_.find(id); found != statics_.end()) {
    RetireWidget(found->second);
    statics_.erase(found);
  }
  if (auto found = lists_.find(id); found != lists_.end()) {
    RetireWidget(found->second);
    lists_.erase(found);
  }
}

void PageQtView::CreateList(int id, const Rect& rect, std::span<const TextView> items) {
  DestroyControl(id);
  const ControlColors colors = ColorsForControl(ControlKind::ListBox, id, res_.model, res_.textColor);
  auto* list = new QtListBox(&window_, ListBoxLooks{res_.bodyFont, ToQColor(colors.textColor.value_or(0xFFFFFF)),
                                                     ToQColor(colors.brushColor.value_or(0)),
                                                     QFontMetrics(res_.bodyFont).height()});
  for (TextView item : items) list->addItem(ToQString(item));
  list->setTextElideMode(Qt::ElideNone);  // cut at the edge, as the Windows page's list box does
  list->Place(rect);
  // Off the entries nothing is reported, and a release there chooses nothing.
  list->onPointerOver = [this, id](int item) {
    if (item >= 0 && events_.pointerOverList) events_.pointerOverList(id, item);
  };
  list->onReleased = [this, id](int item) {
    if (item >= 0 && events_.listChosen) events_.listChosen(id);
  };
  lists_[id] = list;
  // Above the labels it drops over.
  list->raise();
  list->show();
}

QtListBox* PageQtView::List(int id) const {
  auto found = lists_.find(id);
  return found == lists_.end() ? nullptr : found->second.data();
}

QLabel* PageQtView::Static(int id) const {
  auto found = statics_.find(id);
  return found == statics_.end() ? nullptr : found->second.data();
}

bool PageQtView::ListExists(int id) const { return List(id) != nullptr; }

std::optional<int> PageQtView::ListSelection(int id) const {
  QtListBox* list = List(id);
  return list == nullptr ? std::nullopt : list->Selection();
}

void PageQtView::SetListSelection(int id, int item) {
  if (QtListBox* list = List(id)) list->Select(item);
}

std::optional<Rect> PageQtView::ListItemRect(int id, int item) const {
  QtListBox* list = List(id);
  if (list == nullptr || item < 0 || item >= list->count()) return std::nullopt;
  // In the list's client area, inside its border, as LB_GETITEMRECT.
  const QRect r = list->visualItemRect(list->item(item));
  return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void PageQtView::ShowMessage(TextView text, TextView caption) {
  ShowMessageQt(&window_, text, caption);
}

std::optional<Rgb> PageQtView::RunColorChooser() {
  return RunColorChooserQt(&window_);
}

void PageQtView::OpenWithShell(TextView address) {
  QDesktopServices::openUrl(QUrl::fromUserInput(ToQString(address)));
}

void PageQtView::StartWindowDrag(Point at) {
  if (events_.drag) events_.drag(at);
}

void PageQtView::RequestHover() { hoverTimer_.start(); }

}  // namespace px

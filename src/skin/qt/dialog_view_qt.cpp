#include "skin/qt/dialog_view_qt.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScreen>

#include <cstdlib>

#include "common/qt/qt_text.h"
#include "skin/qt/canvas_qt.h"
#include "skin/qt/modal_qt.h"
#include "skin/qt/double_click_qt.h"
#include "skin/qt/list_box_qt.h"
#include "skin/qt/qt_draw.h"
#include "skin/qt/ui_font_qt.h"
#include "skin/list_rows.h"
#include "skin/screen_placement.h"
#include "skin/shared_looks.h"

namespace px {
namespace {

// The colours of the Windows dialogs as the reference pictures show them.
const QColor kDarkGrey = ToQColor(kDarkControlGrey);
const QColor kEdgeShadow(0xA6, 0xA6, 0xA6);
// Where the dialogs' list entries have always begun their text.
constexpr int kListTextInset = 4;

// What the runner of the end-to-end tests reads: the control's id and kind.
void Tag(QWidget* widget, int id, const char* kind) {
  widget->setProperty("pxControlId", id);
  widget->setProperty("pxControlClass", kind);
}

// A static text with a sunken edge: shadow above and left, light below and
// right, white text from the top on dark grey. Clicks go through it to the
// dialog, which toggles the list under it.
class SunkenLabel final : public QWidget {
 public:
  SunkenLabel(QWidget* parent, bool centred) : QWidget(parent), centred_(centred) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  void SetText(const QString& text) {
    text_ = text;
    setProperty("pxText", text);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), kDarkGrey);
    p.setPen(kEdgeShadow);
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(Qt::white);
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.setFont(font());
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    p.setClipRect(inside);
    // As a Windows static text: broken at words, the first line on top.
    p.drawText(inside, Qt::AlignTop | Qt::TextWordWrap | (centred_ ? Qt::AlignHCenter : Qt::AlignLeft), text_);
  }

 private:
  bool centred_;
  QString text_;
};

// A plain rectangle of one colour, painted by itself so that no style of an
// owner reaches it. Clicks go through it to the dialog.
class Swatch final : public QWidget {
 public:
  explicit Swatch(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
  void SetColor(const QColor& color) {
    color_ = color;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), color_); }

 private:
  QColor color_;
};

}  // namespace

QtDialogView::QtDialogView(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
  setModal(true);
  setMouseTracking(true);
  setWindowTitle(QString());
  hoverTimer_.setSingleShot(true);
  QObject::connect(&hoverTimer_, &QTimer::timeout, this, [this] {
    if (controller_ == nullptr || !underMouse()) return;
    const QPoint at = mapFromGlobal(QCursor::pos());
    controller_->PointerRest(at.x(), at.y());
  });
}

QtDialogView::~QtDialogView() = default;

DialogEnd QtDialogView::RunModal(DialogController& controller) {
  controller_ = &controller;
  font_ = UiFontQt(controller.Context().language, FontRole::Dialog);
  // List rows as high as the Windows font's cell.
  rowHeight_ = ChooseUiFont(controller.Context().language, FontRole::Dialog, WindowsVersion{}).height;
  setFont(font_);
  ended_ = false;
  end_ = DialogEnd::Cancel;
  pairing_ = DoubleClickPairing(DoubleClickLimitsQt());  // no press before this opening counts
  // An opening that asks for no focus (no key capture) still shows, as on
  // Windows; one that failed has ended already.
  controller.Open();
  if (!ended_) {
    controller.Erase();
    // As on Windows, at the owner's client corner, but inside the screen
    // whatever part of the owner lies off it.
    if (parentWidget() != nullptr) {
      const QPoint corner = parentWidget()->mapToGlobal(QPoint(0, 0));
      ScreenPoint at{corner.x(), corner.y()};
      if (const QScreen* screen = parentWidget()->screen()) {
        const QRect area = screen->availableGeometry();
        at = PlaceInside({area.x(), area.y(), area.width(), area.height()}, at, {width(), height()});
      }
      move(at.x, at.y);
    }
    exec();
  }
  hoverTimer_.stop();
  controller_ = nullptr;
  return end_;
}

bool QtDialogView::LoadBackground(TextView imagePath) {
  // At device pixels: a scaled screen gets the doubled pictures.
  ratio_ = devicePixelRatioF();
  images_.AtDensity(PictureDensityFor(ratio_, DoubledPictures::AboveOne));
  QImage loaded = LoadBackgroundCanvasQt(imagePath, PixelSize{1, 1}, ratio_);
  // The picture decides the window's size; without one the window is 0 x 0.
  setFixedSize(LogicalSizeQt(loaded));
  if (loaded.isNull()) return false;
  pristine_ = std::move(loaded);
  canvas_ = pristine_.copy();
  return true;
}

void QtDialogView::BeginDrawing() {
  painter_.reset();
  if (canvas_.isNull()) return;
  painter_ = std::make_unique<QPainter>(&canvas_);
  painter_->setFont(font_);
}

void QtDialogView::RestoreBackground() {
  if (painter_) painter_->drawImage(0, 0, pristine_);
}

void QtDialogView::DrawImage(TextView imagePath, int x, int y) {
  if (!painter_) return;
  const QImage& image = images_.Get(imagePath);
  if (image.isNull()) {
    ++failedImages_;
    return;
  }
  DrawPictureQt(*painter_, image, {x, y}, ratio_);
}

void QtDialogView::DrawText(TextView text, const Rect& rect, TextFormat format, UiTextColor color) {
  if (!painter_) return;
  painter_->setPen(ToQColor(color));
  painter_->drawText(ToQRect(rect), QtTextFlags(format), ToQString(text));
}

void QtDialogView::EndDrawing() {
  painter_.reset();
  update();
  // Each picture that did not load is reported, as on Windows, at each draw.
  for (; failedImages_ > 0; --failedImages_) ShowMessage(kPictureFailedText, ApplicationName());
}

void QtDialogView::CreateLabel(int id, const Rect& rect, bool centred, TextView text) {
  auto* label = new SunkenLabel(this, centred);
  Tag(label, id, "Static");
  label->setFont(font_);
  label->setGeometry(ToQRect(rect));
  label->SetText(ToQString(text));
  label->show();
  labels_[id] = label;
}

void QtDialogView::SetLabelText(int id, TextView text) {
  auto found = labels_.find(id);
  if (found != labels_.end()) static_cast<SunkenLabel*>(found->second)->SetText(ToQString(text));
}

void QtDialogView::CreateList(int id, const Rect& rect, std::span<const Text> items, bool scrollBar) {
  list_ = new QtListBox(this, ListBoxLooks{font_, Qt::white, kDarkGrey, rowHeight_, kListTextInset});
  Tag(list_, id, "ListBox");
  const int height = DialogListHeight(rect.Height(), static_cast<int>(items.size()), scrollBar, rowHeight_);
  list_->Place({rect.left, rect.top, rect.right, rect.top + height}, 0);
  list_->AllowScrollBar(scrollBar);
  for (const Text& item : items) list_->addItem(ToQString(item));
  list_->onPointerOver = [this](int item) {
    if (controller_ != nullptr) controller_->PointerOverList(item);
  };
  list_->onLeftPress = [this](const QMouseEvent& press) { pairing_.Press(PressEventQt(list_, press)); };
  // The list reports its selection when the button comes up on it.
  list_->onReleased = [this](int) {
    if (controller_ != nullptr) controller_->ListSelectionMade();
  };
  list_->onWheel = [this](int angleDelta) { Wheel(angleDelta); };
  list_->show();
}

void QtDialogView::DestroyList() {
  if (list_ == nullptr) return;
  RetireWidget(std::exchange(list_, nullptr));
}

std::optional<int> QtDialogView::ListSelection() const {
  return list_ == nullptr ? std::nullopt : list_->Selection();
}

void QtDialogView::SetListSelection(int item) {
  if (list_ != nullptr) list_->Select(item);
}

void QtDialogView::ScrollList(int lines) {
  if (list_ != nullptr) list_->ScrollBy(lines);
}

void QtDialogView::CreateEdit(int id, const Rect& rect, TextView text) {
  auto* field = new QLineEdit(this);
  Tag(field, id, "Edit");
  field->setGeometry(ToQRect(rect));
  field->setFont(font_);
  field->setFrame(false);
  // Focus by a click only, as the Windows fields take no focus at opening.
  field->setFocusPolicy(Qt::ClickFocus);
  field->setAlignment(Qt::AlignCenter);
  field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
  field->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: white; border: none; padding: 0; }")
                           .arg(kDarkGrey.name()));
  field->setText(ToQString(text));
  QObject::connect(field, &QLineEdit::textChanged, this, [this, id](const QString& now) {
    if (controller_ != nullptr) controller_->EditChanged(id, TextOfQString(now));
  });
  field->installEventFilter(this);
  field->show();
  edits_[id] = field;
}

void QtDialogView::DestroyEdit(int id) {
  // A focused field reports its focus loss as it goes, as on Windows.
  if (auto field = edits_.extract(id)) RetireWidget(field.mapped());
}

Text QtDialogView::EditText(int id) const {
  auto found = edits_.find(id);
  return found == edits_.end() ? Text{} : TextOfQString(found->second->text());
}

void QtDialogView::SetEditText(int id, TextView text) {
  auto found = edits_.find(id);
  if (found != edits_.end()) found->second->setText(ToQString(text));
}

void QtDialogView::CreateSwatch(int id, const Rect& rect, UiTextColor color) {
  auto* swatch = new Swatch(this);
  Tag(swatch, id, "Static");
  swatch->setGeometry(ToQRect(rect));
  swatch->show();
  swatches_[id] = swatch;
  SetSwatchColor(id, color);
}

void QtDialogView::SetSwatchColor(int id, UiTextColor color) {
  auto found = swatches_.find(id);
  if (found != swatches_.end()) static_cast<Swatch*>(found->second)->SetColor(ToQColor(color));
}

std::optional<unsigned long> QtDialogView::StartKeyCapture() {
  if (!keyNamer_) return 1;  // nothing to name keys with
  capturingKeys_ = true;
  setFocusPolicy(Qt::StrongFocus);
  setFocus();
  return std::nullopt;
}

void QtDialogView::ShowMessage(TextView text, TextView caption) {
  ShowMessageQt(this, text, caption);
}

Text QtDialogView::ApplicationName() const { return TextOfQString(QCoreApplication::applicationName()); }

std::optional<UiTextColor> QtDialogView::RunColorChooser() {
  return RunColorChooserQt(this);
}

void QtDialogView::RequestHover() { hoverTimer_.start(kHoverDelayMs); }

void QtDialogView::End(DialogEnd end) {
  end_ = end;
  ended_ = true;
  done(end == DialogEnd::Ok ? QDialog::Accepted : QDialog::Rejected);
}

void QtDialogView::reject() {
  // A close request from the system: the frame's Cancel.
  if (controller_ != nullptr) {
    controller_->Cancel();
  } else {
    QDialog::reject();
  }
}

bool QtDialogView::event(QEvent* event) {
  const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
  if (capturingKeys_ && controller_ != nullptr && (key || event->type() == QEvent::ShortcutOverride)) {
    // Every keystroke, Tab, Enter and Escape included, is a key to name,
    // and its release names it again.
    if (key) controller_->KeyCaptured(keyNamer_(*static_cast<QKeyEvent*>(event)));
    event->accept();
    return true;
  }
  return QDialog::event(event);
}

void QtDialogView::keyPressEvent(QKeyEvent* event) {
  if (controller_ == nullptr || !controller_->KeyPressed(UiKeyOfQt(event->key()))) QWidget::keyPressEvent(event);
}

bool QtDialogView::eventFilter(QObject* watched, QEvent* event) {
  if (controller_ != nullptr && event->type() == QEvent::FocusOut) {
    if (auto* field = qobject_cast<QLineEdit*>(watched)) {
      controller_->EditFocusLost(field->property("pxControlId").toInt(), TextOfQString(field->text()));
    }
  }
  return QDialog::eventFilter(watched, event);
}

void QtDialogView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, canvas_);
}

void QtDialogView::mousePressEvent(QMouseEvent* event) {
  if (controller_ == nullptr || event->button() != Qt::LeftButton) return;
  // The frame takes no double click: the second press of a pair is no click
  // (a quick double click on the drop-down leaves its list open).
  if (pairing_.Press(PressEventQt(this, *event))) return;
  const QPoint at = event->position().toPoint();
  controller_->LeftButtonDown(at.x(), at.y());
}

// Qt pairs presses anywhere in the dialog: whether this one ends a pair is
// the pairing's to say.
void QtDialogView::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void QtDialogView::mouseMoveEvent(QMouseEvent* event) {
  if (controller_ == nullptr) return;
  const QPoint at = event->position().toPoint();
  controller_->PointerMove(at.x(), at.y());
}

void QtDialogView::wheelEvent(QWheelEvent* event) { Wheel(event->angleDelta().y()); }

void QtDialogView::Wheel(int angleDelta) {
  if (controller_ == nullptr) return;
  const int notches = wheel_.Turn(angleDelta);
  for (int i = 0; i < std::abs(notches); ++i) controller_->Wheel(notches > 0 ? kWheelNotch : -kWheelNotch);
}

void QtDialogView::enterEvent(QEnterEvent* event) {
  // A pointer that comes in, or finds the dialog opened under it, has moved
  // there as far as the dialog is concerned (Windows sends it a move too).
  if (controller_ != nullptr) {
    const QPoint at = event->position().toPoint();
    controller_->PointerMove(at.x(), at.y());
  }
  QDialog::enterEvent(event);
}

void QtDialogView::leaveEvent(QEvent* event) {
  hoverTimer_.stop();
  QDialog::leaveEvent(event);
}

}  // namespace px

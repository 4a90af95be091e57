#include "app/qt/main_window_qt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "common/qt/qt_text.h"
#include "app/plain_page.h"
#include "app/qt/app_icon_qt.h"
#include "app/qt/x11_startup_qt.h"
#include "page/qt/page_view_qt.h"
#include "skin/image_limits.h"
#include "skin/qt/canvas_qt.h"
#include "skin/qt/double_click_qt.h"
#include "skin/qt/skin_images_qt.h"
#include "skin/qt/ui_font_qt.h"
#include "skin/screen_placement.h"
#include "skin/skin_paths.h"

namespace px {
namespace {

QColor ToQColor(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// Qt's Wayland platforms are "wayland", "wayland-egl" and the like.
bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

}  // namespace

QtMainWindow::QtMainWindow(UtilityCore& core, bool behindIcon)
    : core_(core), pairing_(DoubleClickLimitsQt()), drag_(QApplication::startDragDistance()) {
  // Behind the icon the window has no taskbar button, as on Windows.
  setWindowFlags(Qt::FramelessWindowHint | (behindIcon ? Qt::Tool : Qt::Window));
  // The name the desktop's menu gives the program; message boxes carry the
  // application's title.
  setWindowTitle(QStringLiteral("PX6410 Mouse Settings"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  qApp->installEventFilter(this);
  const AppState& state = core_.State();
  view_ = std::make_unique<PageQtView>(
      *this, PageQtResources{canvas_, state.SkinFolder, state.TextColor, bodyFont_, headingFont_, state.Settings.model},
      PageQtEvents{
          .listChosen = [this](int id) { core_.Page().OnListChosen(id); },
          .pointerOverList = [this](int id, int item) { core_.Page().OnPointerOverList(id, item); },
          .hover = [this](Point at) { core_.Page().OnPageHover(at); },
          .drag = [this](Point at) { StartDrag(at); },
      });
}

QtMainWindow::~QtMainWindow() = default;

bool QtMainWindow::RunPlatformStep(StartupStep step) {
  switch (step) {
    case StartupStep::SetIcons:
      setWindowIcon(AppIconQt());
      return true;
    case StartupStep::ResizeToBackground:
      setFixedSize(LogicalSizeQt(canvas_));
      return true;
    case StartupStep::RegisterDeviceNotification:
      if (onWatchDevices) onWatchDevices();
      return true;
    case StartupStep::CreateFonts:
      bodyFont_ = UiFontQt(core_.Controller().CurrentLanguage(), FontRole::Body);
      headingFont_ = UiFontQt(core_.Controller().CurrentLanguage(), FontRole::Heading);
      return true;
    default:
      // Window styles and message filters are Windows' own.
      return true;
  }
}

bool QtMainWindow::LoadBackground(TextView skinFolder) {
  // At device pixels: a scaled screen gets the doubled background.
  const double ratio = devicePixelRatioF();
  const QImage image = LoadSkinBackgroundQt(SkinImagePath(skinFolder, u"/main.png"), kMainWindowFrameExtent,
                                            PictureDensityFor(ratio));
  if (image.isNull()) {
    MakePlainCanvas();
    return false;
  }
  canvas_ = CanvasOfBackgroundQt(image, ratio);
  return true;
}

void QtMainWindow::MakePlainCanvas() {
  canvas_ = MakeCanvasQt(QSize(kPlainPageWidth, kPlainPageHeight), devicePixelRatioF());
  canvas_.fill(ToQColor(kPlainPageColor));
  QPainter painter(&canvas_);
  painter.setPen(ToQColor(kPlainMarkColor));
  painter.setFont(QApplication::font());
  for (const PlainPageMark& mark : kPlainPageMarks) {
    const QRect rect(mark.rect.left, mark.rect.top, mark.rect.right - mark.rect.left, mark.rect.bottom - mark.rect.top);
    painter.drawText(rect, Qt::AlignCenter, ToQString(mark.mark));
  }
}

void QtMainWindow::ShowToFront() {
  if (!placed_) {
    // Centred on the screen the first time, as the Win32 dialog opens, but
    // never with its corner (and the page's buttons near it) off the screen.
    placed_ = true;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      const ScreenPoint at =
          PlaceCentred({area.x(), area.y(), area.width(), area.height()}, {width(), height()});
      move(at.x, at.y);
    }
  }
  // The state change this makes is the controller's own show, not one to report back.
  showing_ = true;
  const bool wayland = OnWayland();
  const ActivationToken token = askingStart_.value_or(ActivationToken{});
  // On Wayland no client can raise or unminimise its window; a window
  // mapped anew comes up in front, as every new window does. Only for
  // another start's request, and not when the window is the active one.
  if (wayland && askingStart_ && isVisible() && !isActiveWindow()) hide();
  askingStart_.reset();
  showNormal();
  raise();
  // Qt's Wayland platform activates with the token it finds here (and then
  // clears it): the asking start's, so that the desktop lets the window forward.
  if (wayland && !token.xdgActivation.empty()) {
    qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(token.xdgActivation));
  }
  if (!wayland) ApplyX11StartupId(*this, token.startupId);
  activateWindow();
  showing_ = false;
}

void QtMainWindow::Minimise() {
  if (OnWayland()) {
    hide();
  } else {
    showMinimized();
  }
}

void QtMainWindow::Exit() {
  exiting_ = true;
  QCoreApplication::exit(0);
}

void QtMainWindow::paintEvent(QPaintEvent*) {
  // The canvas reaches the screen in one copy.
  QPainter painter(this);
  if (canvas_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawImage(0, 0, canvas_);
}

void QtMainWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !core_.Assembled()) return;
  if (pairing_.LastEndedPairOn(this)) return;
  dragging_ = false;
  drag_.Cancel();
  const QPoint at = event->position().toPoint();
  core_.Page().DispatchClick({at.x(), at.y()});
}

// Qt makes a double click of two presses anywhere in the window, a list's
// included: whether this one ends a pair is the pairing's to say.
void QtMainWindow::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

bool QtMainWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
  if (press && watched->isWidgetType() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    pairing_.Press(PressEventQt(watched, *static_cast<QMouseEvent*>(event)));
  }
  return false;
}

void QtMainWindow::StartDrag(Point at) {
  // A dialog the click opened (the skin chooser) took the button's release:
  // a move begun now would follow the pointer with no button held.
  if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) return;
  // OK and Cancel hide (or minimise) the window before their click falls
  // through to here: there is nothing on the screen to move.
  if (!isVisible() || isMinimized()) return;
  const QPoint on = QCursor::pos();
  drag_.Arm({on.x(), on.y()});
  dragging_ = false;
  dragOffset_ = QPoint(at.x, at.y);
}

void QtMainWindow::mouseMoveEvent(QMouseEvent* event) {
  const bool held = (event->buttons() & Qt::LeftButton) != 0;
  const QPoint on = event->globalPosition().toPoint();
  if (dragging_ && held) {
    move(on - dragOffset_);
    return;
  }
  dragging_ = false;
  if (drag_.OnMotion({on.x(), on.y()}, held)) {
    // The window manager moves the window where it can; elsewhere (no window
    // manager, as on a bare X server) the window follows the pointer itself.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    move(on - dragOffset_);
    return;
  }
  if (!core_.Assembled()) return;
  const QPoint at = event->position().toPoint();
  core_.Page().OnPageMouseMove({at.x(), at.y()});
}

void QtMainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  drag_.Cancel();
  dragging_ = false;
}

void QtMainWindow::SetBehindIcon(bool behindIcon) {
  // New flags make a new native window, hidden: one on the screen comes back
  // where it was.
  const bool shown = isVisible();
  const QPoint at = pos();
  setWindowFlags(Qt::FramelessWindowHint | (behindIcon ? Qt::Tool : Qt::Window));
  if (!shown) return;
  move(at);
  show();
}

void QtMainWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) && core_.Assembled()) {
    // Neither key ever ends the main window: it only goes back to the icon.
    core_.Controller().OnHideKey();
    return;
  }
  QWidget::keyPressEvent(event);
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
  if (exiting_ || !core_.Assembled()) {
    event->accept();
    return;
  }
  event->ignore();
  core_.Controller().OnCloseRequest();
}

void QtMainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !core_.Assembled() || core_.Controller().TrayShown() || showing_) {
    return;
  }
  // Without an icon the taskbar brings the window back: as a show from the
  // icon, the page is rebuilt when a Cancel asked for it.
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized)) {
    core_.Controller().OnShowRequest();
  }
}

}  // namespace px

#include "app/qt/main_window_qt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <utility>

#include "common/qt/qt_text.h"
#include "app/plain_page.h"
#include "app/qt/app_icon_qt.h"
#include "app/qt/x11_startup_qt.h"
#include "page/qt/page_view_qt.h"
#include "skin/image_limits.h"
#include "skin/qt/canvas_qt.h"
#include "skin/qt/double_click_qt.h"
#include "skin/qt/qt_draw.h"
#include "skin/qt/skin_images_qt.h"
#include "skin/qt/ui_font_qt.h"
#include "skin/screen_placement.h"
#include "skin/skin_paths.h"

namespace px {
namespace {

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
  QImage loaded =
      LoadBackgroundCanvasQt(SkinImagePath(skinFolder, u"/main.png"), kMainWindowFrameExtent, devicePixelRatioF());
  if (loaded.isNull()) {
    MakePlainCanvas();
    return false;
  }
  canvas_ = std::move(loaded);
  return true;
}

void QtMainWindow::MakePlainCanvas() {
  canvas_ = MakeCanvasQt(QSize(kPlainPageWidth, kPlainPageHeight), devicePixelRatioF());
  canvas_.fill(ToQColor(kPlainPageColor));
  QPainter painter(&canvas_);
  painter.setPen(ToQColor(kPlainMarkColor));
  painter.setFont(QApplication::font());
  for (const PlainPageMark& mark : kPlainPageMarks) {
    painter.drawText(ToQRect(mark.rect), Qt::AlignCenter, ToQString(mark.mark));
  }
}

void QtMainWindow::FollowScreenScale() {
  if (!core_.Assembled() || canvas_.isNull() ||
      qFuzzyCompare(canvas_.devicePixelRatio(), devicePixelRatioF())) {
    return;
  }
  core_.Controller().OnScaleChanged([this] { LoadBackground(core_.State().SkinFolder); });
  update();
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
  const FrontShow plan =
      PlanFrontShow(OnWayland(), std::exchange(askingStart_, std::nullopt), isVisible(), isActiveWindow());
  if (plan.remapFirst) hide();
  showNormal();
  if (!followingScreens_ && windowHandle() != nullptr) {
    followingScreens_ = true;
    connect(windowHandle(), &QWindow::screenChanged, this, [this] { FollowScreenScale(); });
  }
  raise();
  // Qt's Wayland platform activates with the token it finds here (and then clears it).
  if (!plan.xdgActivation.empty()) qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(plan.xdgActivation));
  ApplyX11StartupId(*this, plan.startupId);
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
  // A dialog or box the click opened took the button's release:
  // a move begun now would follow the pointer with no button held.
  if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) return;
  // OK and Cancel hide (or minimise) the window before their click falls
  // through to here: there is nothing on the screen to move.
  if (!isVisible() || isMinimized()) return;
  const QPoint on = QCursor::pos();
  drag_.Arm({on.x(), on.y()}, at);
}

void QtMainWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint on = event->globalPosition().toPoint();
  switch (drag_.OnMotion({on.x(), on.y()}, (event->buttons() & Qt::LeftButton) != 0)) {
    case DragMotion::Begin:
      if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
      drag_.FollowByHand();
      [[fallthrough]];
    case DragMotion::Follow: {
      const Point corner = drag_.WindowAt({on.x(), on.y()});
      move(corner.x, corner.y);
      return;
    }
    case DragMotion::None: break;
  }
  if (!core_.Assembled()) return;
  const QPoint at = event->position().toPoint();
  core_.Page().OnPageMouseMove({at.x(), at.y()});
}

void QtMainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) drag_.Cancel();
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
  if (!core_.Assembled() || !core_.Controller().OnKey(UiKeyOfQt(event->key()))) QWidget::keyPressEvent(event);
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
  if (event->type() != QEvent::WindowStateChange || !core_.Assembled() || showing_) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized)) {
    core_.Controller().OnUnminimised();
  }
}

}  // namespace px

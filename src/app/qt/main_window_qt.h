#pragma once
// The Linux main window: one frameless widget that shows its canvas (the
// skin's background, on which the page draws) and hands every pointer and
// key event to the settings page or the main controller. Behind a
// notification-area icon it starts hidden and has no taskbar button; on a
// desktop without one it is an ordinary window.
#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "app/instance_session.h"
#include "app/utility_core.h"
#include "app/window_drag.h"
#include "skin/double_click.h"

namespace px {

class PageQtView;

class QtMainWindow final : public QWidget, public MainWindowShell {
 public:
  // behindIcon: the desktop has a notification area for the icon. The
  // window draws from the core's records and, once the core is assembled,
  // hands its events to the core's page and controller.
  QtMainWindow(UtilityCore& core, bool behindIcon);
  ~QtMainWindow() override;

  // MainWindowShell.
  bool RunPlatformStep(StartupStep step) override;
  bool LoadBackground(TextView skinFolder) override;
  void ShowToFront() override;
  void Hide() override { hide(); }
  // Wayland has no request that undoes a minimise: there the window is
  // hidden instead, which a second start can always undo.
  void Minimise() override;
  void Exit() override;
  void SetBehindIcon(bool behindIcon) override;

  // Another start asks for the next ShowToFront, with its token.
  void AskedByAnotherStart(const ActivationToken& token) { askingStart_ = token; }

  // At the start-up's device-notification step: the plugging watch begins.
  std::function<void()> onWatchDevices;

  PageQtView& View() { return *view_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // The second press of a double click on the page is no click, as on
  // Windows, whose window class takes double clicks and leaves them to the
  // default handling: a tick box changes once, the web link opens once. A
  // double click whose first press went to a list is a press, as there.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // Feeds every left press, whichever widget it goes to, to the pairing
  // (installed on the application).
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void StartDrag(Point at);
  void MakePlainCanvas();
  // On a screen of another scale the page is drawn again at its ratio.
  void FollowScreenScale();

  UtilityCore& core_;
  QImage canvas_;
  QFont bodyFont_;
  QFont headingFont_;
  std::unique_ptr<PageQtView> view_;
  bool placed_ = false;
  bool followingScreens_ = false;
  std::optional<ActivationToken> askingStart_;
  bool showing_ = false;  // inside ShowToFront
  DoubleClickPairing pairing_;
  bool exiting_ = false;
  // A press on an empty spot arms a move (see window_drag.h).
  WindowDragGesture drag_;
};

}  // namespace px

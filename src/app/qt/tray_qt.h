#pragma once
// The notification-area icon on Linux: left click shows the window, right
// click offers Exit, as the Win32 icon's callback; the balloons go out as
// desktop notifications (org.freedesktop.Notifications), or as the icon's
// own balloon where the desktop has no notification service.
//
// The Exit menu is the icon's own context menu, so that it goes along with
// the icon to every host: an XEmbed tray and a StatusNotifierItem host (which
// draws the menu itself from what the icon exports) alike.
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

#include "app/main_controller.h"

namespace px {

// Qt's activation reasons in the core's words: Trigger is the click.
inline TrayMouse TrayMouseOf(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger: return TrayMouse::LeftUp;
    case QSystemTrayIcon::DoubleClick: return TrayMouse::LeftDoubleClick;
    case QSystemTrayIcon::Context: return TrayMouse::RightUp;
    default: return TrayMouse::Other;
  }
}

class QtTray final : public TrayPort {
 public:
  QtTray();
  ~QtTray() override;

  // Clicks on the icon.
  std::function<void(TrayMouse event)> onMouse;
  std::function<void()> onExit;
  // The notification area came (true) or went after WatchAvailability.
  std::function<void(bool available)> onAvailability;

  bool Add() override;
  void Remove() override;
  void ShowBalloon(TextView text, TextView title, unsigned timeoutMs) override;
  void ShowExitMenu(TextView exitText) override;
  void SetExitText(TextView exitText) override;

  // Notices a notification area that appears or goes away from now on;
  // `available` is what the program went by until now.
  void WatchAvailability(bool available);

  // Whether the desktop has a notification area at all.
  static bool Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

 private:
  bool NotifyOnDesktop(const QString& title, const QString& text);

  QMenu menu_;  // made before the icon that shows it, gone after it
  QAction* exit_ = nullptr;
  QSystemTrayIcon icon_;
  bool shown_ = false;
  // Polled: the hosts come as an XEmbed manager selection or as a
  // StatusNotifierWatcher on the bus, and Qt answers for both.
  QTimer watch_;
  bool available_ = false;
  unsigned notificationId_ = 0;  // the last one, replaced by the next as one balloon by another
};

}  // namespace px

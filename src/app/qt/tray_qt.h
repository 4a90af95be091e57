#pragma once
// The notification-area icon on Linux: left click shows the window, right
// click offers Exit, as the Win32 icon's callback; the balloons go out as
// desktop notifications (org.freedesktop.Notifications), or as the icon's
// own balloon where the desktop has no notification service.
#include <QMenu>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

#include "app/main_controller.h"

namespace px {

class QtTray final : public TrayPort {
 public:
  QtTray();
  ~QtTray() override;

  // Mouse messages on the icon, as the Win32 callback numbers them.
  std::function<void(std::int64_t mouseMessage)> onMouse;
  std::function<void()> onExit;

  bool Add() override;
  void Remove() override;
  void ShowBalloon(TextView text, TextView title, unsigned timeoutMs) override;
  void ShowExitMenu(TextView exitText) override;

  // Whether the desktop has a notification area at all.
  static bool Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

 private:
  bool NotifyOnDesktop(const QString& title, const QString& text);

  QSystemTrayIcon icon_;
  std::unique_ptr<QMenu> menu_;
  bool shown_ = false;
  unsigned notificationId_ = 0;  // the last one, replaced by the next as one balloon by another
};

}  // namespace px

#include "app/qt/tray_qt.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "app/qt/app_icon_qt.h"

namespace px {
namespace {

constexpr TextView kTrayTip = u"Gaming Mouse Setting";
const QString kNotificationsService = QStringLiteral("org.freedesktop.Notifications");

QString ToQString(TextView text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QtTray::QtTray() {
  icon_.setIcon(AppIconQt());
  icon_.setToolTip(ToQString(kTrayTip));
  QObject::connect(&icon_, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
    if (!onMouse) return;
    switch (reason) {
      case QSystemTrayIcon::Trigger: onMouse(kTrayLeftButtonUp); break;
      case QSystemTrayIcon::DoubleClick: onMouse(0x203); break;
      case QSystemTrayIcon::Context: onMouse(kTrayRightButtonUp); break;
      default: break;
    }
  });
}

QtTray::~QtTray() = default;

bool QtTray::Add() {
  icon_.show();
  shown_ = true;
  return Available();
}

void QtTray::Remove() {
  if (menu_) menu_->close();
  icon_.hide();
  shown_ = false;
}

bool QtTray::NotifyOnDesktop(const QString& title, const QString& text) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr) return false;
  if (!bus.interface()->isServiceRegistered(kNotificationsService).value() &&
      !bus.interface()->activatableServiceNames().value().contains(kNotificationsService)) {
    return false;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(kNotificationsService, QStringLiteral("/org/freedesktop/Notifications"),
                                                     kNotificationsService, QStringLiteral("Notify"));
  // The desktop's own time-out: Windows, too, keeps a balloon for as long as
  // its settings say rather than what the program asks.
  call << QStringLiteral("px6410") << notificationId_ << QString() << title << text << QStringList() << QVariantMap()
       << qint32(-1);
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [this](QDBusPendingCallWatcher* done) {
    const QDBusPendingReply<unsigned> reply = *done;
    if (reply.isValid()) notificationId_ = reply.value();
    done->deleteLater();
  });
  return true;
}

void QtTray::ShowBalloon(TextView text, TextView title, unsigned timeoutMs) {
  if (NotifyOnDesktop(ToQString(title), ToQString(text))) return;
  if (shown_ && Available()) {
    icon_.showMessage(ToQString(title), ToQString(text), QSystemTrayIcon::Information, static_cast<int>(timeoutMs));
  }
}

void QtTray::ShowExitMenu(TextView exitText) {
  // One item; chosen, it ends the program.
  menu_ = std::make_unique<QMenu>();
  QAction* exit = menu_->addAction(ToQString(exitText));
  QObject::connect(exit, &QAction::triggered, [this] {
    if (onExit) onExit();
  });
  menu_->popup(QCursor::pos());
}

}  // namespace px

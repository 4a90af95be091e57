#include "app/qt/tray_qt.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QImage>

#include "common/qt/qt_text.h"
#include "app/notification.h"
#include "app/qt/app_icon_qt.h"

namespace px {
namespace {

const QString kNotificationsService = QStringLiteral("org.freedesktop.Notifications");
// The icon's name in the desktop's icon theme and the desktop entry's name.
const QString kIconName = QStringLiteral("px6410");
constexpr int kNotificationImageSide = 48;
constexpr int kAvailabilityPollMs = 500;

// A notification's "image-data" hint (iiibiiay) of an RGBA8888 image.
QDBusArgument ImageDataHint(const QImage& image) {
  QDBusArgument out;
  out.beginStructure();
  out << image.width() << image.height() << static_cast<int>(image.bytesPerLine()) << true << 8 << 4
      << QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
  out.endStructure();
  return out;
}

}  // namespace

QtTray::QtTray() {
  icon_.setIcon(AppIconQt());
  icon_.setToolTip(ToQString(kTrayTip));
  exit_ = menu_.addAction(QString());
  QObject::connect(exit_, &QAction::triggered, [this] {
    if (onExit) onExit();
  });
  icon_.setContextMenu(&menu_);
  QObject::connect(&watch_, &QTimer::timeout, [this] {
    const bool now = Available();
    if (now == available_) return;
    available_ = now;
    if (onAvailability) onAvailability(now);
  });
  QObject::connect(&icon_, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
    if (onMouse) onMouse(TrayMouseOf(reason));
  });
}

QtTray::~QtTray() = default;

bool QtTray::Add() {
  icon_.show();
  shown_ = true;
  return Available();
}

void QtTray::Remove() {
  watch_.stop();
  menu_.close();
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
  QVariantMap hints;
  hints.insert(QStringLiteral("desktop-entry"), kIconName);
  // The program's own icon, for runs from a folder whose icon the desktop's theme does not know.
  const QImage image = AppIconQt().pixmap(kNotificationImageSide).toImage().convertToFormat(QImage::Format_RGBA8888);
  if (!image.isNull()) hints.insert(QStringLiteral("image-data"), QVariant::fromValue(ImageDataHint(image)));
  call << QStringLiteral("px6410") << notificationId_ << kIconName << title << text << QStringList() << hints
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
    icon_.showMessage(ToQString(title), ToQString(text), QSystemTrayIcon::Information,
                      static_cast<int>(ReadableBalloonMs(timeoutMs)));
  }
}

void QtTray::ShowExitMenu(TextView exitText) {
  // The icon's host shows the menu at the click; its text is kept current.
  SetExitText(exitText);
}

void QtTray::SetExitText(TextView exitText) { exit_->setText(ToQString(exitText)); }

void QtTray::WatchAvailability(bool available) {
  available_ = available;
  watch_.start(kAvailabilityPollMs);
}

}  // namespace px

// A desktop notification service for the Linux end-to-end tests: takes the
// session bus's org.freedesktop.Notifications and appends each notification
// to a file as "SUMMARY|BODY", one line each, so that a script can wait for a
// text to arrive. The icon each one came with goes to LOG.icons as
// "APP_ICON|WIDTHxHEIGHT" (the image-data hint's size, or "none").
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>

#include <cstdio>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// The size of the image-data hint's picture (iiibiiay), "none" without one.
QString ImageSize(const QVariantMap& hints) {
  const QVariant hint = hints.value(QStringLiteral("image-data"));
  if (!hint.canConvert<QDBusArgument>()) return QStringLiteral("none");
  const QDBusArgument image = hint.value<QDBusArgument>();
  int width = 0, height = 0, stride = 0, bits = 0, channels = 0;
  bool alpha = false;
  QByteArray data;
  image.beginStructure();
  image >> width >> height >> stride >> alpha >> bits >> channels >> data;
  image.endStructure();
  // A picture whose bytes do not fill its rows is no picture.
  if (data.size() < qsizetype(stride) * height || stride < width * channels) return QStringLiteral("bad");
  return QStringLiteral("%1x%2").arg(width).arg(height);
}

void Append(const QString& path, const QString& line) {
  QFile file(path);
  if (file.open(QIODevice::Append)) file.write((line + QLatin1Char('\n')).toUtf8());
}

class Sink final : public QDBusVirtualObject {
 public:
  explicit Sink(QString log) : log_(std::move(log)) {}

  QString introspect(const QString&) const override {
    return QStringLiteral(
        "<interface name=\"org.freedesktop.Notifications\">"
        "<method name=\"Notify\"><arg type=\"s\" direction=\"in\"/><arg type=\"u\" direction=\"in\"/>"
        "<arg type=\"s\" direction=\"in\"/><arg type=\"s\" direction=\"in\"/><arg type=\"s\" direction=\"in\"/>"
        "<arg type=\"as\" direction=\"in\"/><arg type=\"a{sv}\" direction=\"in\"/><arg type=\"i\" direction=\"in\"/>"
        "<arg type=\"u\" direction=\"out\"/></method>"
        "<method name=\"GetCapabilities\"><arg type=\"as\" direction=\"out\"/></method>"
        "<method name=\"CloseNotification\"><arg type=\"u\" direction=\"in\"/></method>"
        "<method name=\"GetServerInformation\"><arg type=\"s\" direction=\"out\"/><arg type=\"s\" direction=\"out\"/>"
        "<arg type=\"s\" direction=\"out\"/><arg type=\"s\" direction=\"out\"/></method>"
        "</interface>");
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QString member = message.member();
    QDBusMessage reply = message.createReply();
    if (member == QLatin1String("Notify") && message.arguments().size() == 8) {
      const QList<QVariant> args = message.arguments();
      const QVariantMap hints = qdbus_cast<QVariantMap>(args[6]);
      // The icon first: a script that sees the text may then read its icon.
      Append(log_ + QStringLiteral(".icons"), args[2].toString() + QLatin1Char('|') + ImageSize(hints));
      Append(log_, args[3].toString() + QLatin1Char('|') + args[4].toString());
      reply << ++count_;
    } else if (member == QLatin1String("GetCapabilities")) {
      reply << QStringList{QStringLiteral("body")};
    } else if (member == QLatin1String("GetServerInformation")) {
      reply << QStringLiteral("px-notify-sink") << QStringLiteral("px") << QStringLiteral("1") << QStringLiteral("1.2");
    } else if (member != QLatin1String("CloseNotification")) {
      return false;
    }
    connection.send(reply);
    return true;
  }

 private:
  QString log_;
  unsigned count_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: px_notify_sink LOG\n", stderr);
    return 2;
  }
  Sink sink(QString::fromLocal8Bit(argv[1]));
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.registerVirtualObject(kPath, &sink) || !bus.registerService(kService)) {
    std::fputs("px_notify_sink: cannot take org.freedesktop.Notifications\n", stderr);
    return 1;
  }
  return QCoreApplication::exec();
}

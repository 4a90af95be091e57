#include "app/qt/single_instance_qt.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>

namespace px {
namespace {

std::string Env(const char* name) { return qEnvironmentVariable(name).toStdString(); }

}  // namespace

QString QtSingleInstance::SessionName() {
  return QString::fromStdString(
      InstanceFileName({.sessionId = Env("XDG_SESSION_ID"), .waylandDisplay = Env("WAYLAND_DISPLAY"), .x11Display = Env("DISPLAY")}));
}

ActivationToken QtSingleInstance::StartToken() {
  return {.xdgActivation = Env("XDG_ACTIVATION_TOKEN"), .startupId = Env("DESKTOP_STARTUP_ID")};
}

QtSingleInstance::QtSingleInstance(QString folder, QString name, ActivationToken token) : token_(std::move(token)) {
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  // No runtime folder at all: no lock either, rather than one at the root.
  if (folder.isEmpty()) return;
  if (name.isEmpty()) name = SessionName();
  QDir().mkpath(folder);
  lockPath_ = folder + QLatin1Char('/') + name + QStringLiteral(".lock");
  socketPath_ = folder + QLatin1Char('/') + name + QStringLiteral(".socket");
}

QtSingleInstance::~QtSingleInstance() = default;

bool QtSingleInstance::ClaimFirstInstance() {
  if (lockPath_.isEmpty()) return Refused(LockRefusal::NoFolder);
  lock_ = std::make_unique<QLockFile>(lockPath_);
  // Only a lock whose process is gone is stale, however old it is.
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) {
    const QLockFile::LockError error = std::exchange(lock_, nullptr)->error();
    if (error == QLockFile::LockFailedError) return Refused(LockRefusal::HeldByAnother);
    return Refused(error == QLockFile::PermissionError ? LockRefusal::PermissionDenied : LockRefusal::FolderUnusable);
  }
  // The lock is ours: a socket left by an instance that died is stale.
  QLocalServer::removeServer(socketPath_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_.listen(socketPath_)) {
    std::fprintf(stderr, "px6410: a second start cannot reach this one: %s\n", qPrintable(server_.errorString()));
  }
  QObject::connect(&server_, &QLocalServer::newConnection, [this] {
    while (QLocalSocket* peer = server_.nextPendingConnection()) {
      QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
      // The tokens come on lines before the show line, on the same connection.
      auto token = std::make_shared<ActivationToken>();
      QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, peer, token] {
        while (peer->canReadLine()) {
          const QByteArray line = peer->readLine();
          if (!ReadRequestLine(std::string_view(line.constData(), static_cast<std::size_t>(line.size())), *token)) {
            continue;
          }
          if (onShowRequest) onShowRequest(*token);
          *token = {};
        }
      });
    }
  });
  return true;
}

bool QtSingleInstance::Refused(LockRefusal why) {
  const bool answered = why == LockRefusal::HeldByAnother && AskRunningToShow();
  const LockAnswer answer = AnswerLockRefusal(why, lockPath_.toStdString(), answered);
  std::fputs(answer.warning.c_str(), stderr);
  endingNotice_ = answer.box;
  return answer.runs;
}

bool QtSingleInstance::AskRunningToShow() {
  // The running instance may be starting at this moment, lock taken but not
  // yet listening: ask again until it listens or the time is up.
  const QDeadlineTimer deadline(kAskTimeoutMs);
  while (!deadline.hasExpired()) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(500)) {
      socket.write(QByteArray::fromStdString(EncodeShowRequest(token_)));
      const bool sent = socket.waitForBytesWritten(2000);
      socket.disconnectFromServer();
      if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
      return sent;
    }
    QThread::msleep(50);
  }
  return false;
}

}  // namespace px

#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <utility>

#include "util/debug_log.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 5000;
// A running game whose socket is not up yet (it is still starting) is tried
// this often, kRetryMs apart.
constexpr int kAttempts = 25;
constexpr int kRetryMs = 200;
// Anything longer than a few paths is not a start handing over arguments.
constexpr qint64 kMaxMessage = 64 * 1024;

}  // namespace

TSingleInstance::TSingleInstance(const QString& settingsFolder, QObject* parent)
    : QObject(parent),
      FServerName(ServerName(settingsFolder)),
      FLockPath(QDir(settingsFolder).filePath("tavelo.lock")),
      FLock(FLockPath) {
  FLock.setStaleLockTime(0);
  FServer.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&FServer, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = FServer.nextPendingConnection()) Receive(socket);
  });
}

QString TSingleInstance::ServerName(const QString& settingsFolder) {
  const QByteArray folder = QDir(settingsFolder).absolutePath().toUtf8();
  return "tavelo-" +
         QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex())
             .left(32);
}

TSingleInstance::TStart TSingleInstance::Start(const QStringList& arguments) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (FLock.tryLock(0)) {
      Listen();
      return TStart::First;
    }
    if (FLock.error() != QLockFile::LockFailedError) {
      DebugLog("cannot make the lock file: running without one");
      return TStart::Unguarded;
    }
    if (HandOver(arguments)) return TStart::HandedOver;
    // A lock nobody holds names a process that is not the owner, however
    // alive and however named (the number was given again): it is stale.
    if (!LockHeldByAProcess()) {
      DebugLog("the lock file is held by no running game: taken over");
      FLock.removeStaleLockFile();
      continue;
    }
    QThread::msleep(kRetryMs);
  }
  return TStart::Unanswered;
}

bool TSingleInstance::LockHeldByAProcess() const {
#ifdef _WIN32
  return true;
#else
  // The running game holds a lock on the open lock file (QLockFile takes one
  // beside writing its number); the system drops it when the game ends.
  const int fd = open(QFile::encodeName(FLockPath).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;  // gone already
  const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  close(fd);
  return held;
#endif
}

void TSingleInstance::SetReady() {
  FReady = true;
  for (const QStringList& arguments : std::exchange(FHeldBack, {})) emit Activated(arguments);
}

void TSingleInstance::Listen() {
  // A socket file left by a killed game would refuse the name; the lock says
  // it is ours now.
  QLocalServer::removeServer(FServerName);
  if (!FServer.listen(FServerName))
    DebugLog("cannot listen for later starts: " + FServer.errorString().toStdString());
}

bool TSingleInstance::HandOver(const QStringList& arguments) const {
  QLocalSocket socket;
  socket.connectToServer(FServerName);
  if (!socket.waitForConnected(kConnectMs)) return false;
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out.setVersion(QDataStream::Qt_6_0);
  out << arguments;
  socket.write(message);
  if (!socket.waitForBytesWritten(kConnectMs)) return false;
  // The running game closes the connection once it has acted on the message.
  return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(kAnswerMs);
}

void TSingleInstance::Receive(QLocalSocket* socket) {
  connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  // A connection that never sends a whole message is dropped.
  QTimer::singleShot(kAnswerMs, socket, [socket] { socket->abort(); });
  const auto read = [this, socket] {
    if (socket->bytesAvailable() > kMaxMessage) {
      socket->abort();
      return;
    }
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_0);
    in.startTransaction();
    QStringList arguments;
    in >> arguments;
    if (!in.commitTransaction()) return;  // the rest is still on its way
    socket->disconnectFromServer();
    if (FReady)
      emit Activated(arguments);
    else
      FHeldBack.push_back(arguments);
  };
  connect(socket, &QLocalSocket::readyRead, this, read);
  if (socket->bytesAvailable() > 0) read();
}

#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <utility>

#include "util/utils.h"

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
      FLock(QDir(settingsFolder).filePath("tavelo.lock")) {
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
      TUtils::DebugLog("cannot make the lock file: running without one");
      return TStart::Unguarded;
    }
    if (HandOver(arguments)) return TStart::HandedOver;
    QThread::msleep(kRetryMs);
  }
  return TStart::Unanswered;
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
    TUtils::DebugLog("cannot listen for later starts: " + FServer.errorString().toStdString());
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

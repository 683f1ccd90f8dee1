#include "ui/RunningWindow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace kolt {
namespace {

constexpr int kTimeoutMs = 3000;
constexpr qint64 kLineMax = qint64{64} * 1024;  // a path, not a flood

}  // namespace

RunningWindow::RunningWindow(QObject* parent) : QObject(parent) {}

RunningWindow::~RunningWindow() = default;

QString RunningWindow::SocketPath(const QString& homeFolder) {
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty()) runtime = QDir::tempPath();
  const QString home = QFileInfo(homeFolder).canonicalFilePath().isEmpty()
                           ? QDir::cleanPath(homeFolder)
                           : QFileInfo(homeFolder).canonicalFilePath();
  const QByteArray hash =
      QCryptographicHash::hash(home.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
  return runtime + QStringLiteral("/kolt-helper-") + QString::fromLatin1(hash) + QStringLiteral(".socket");
}

bool RunningWindow::HandOff(const QString& homeFolder, const QString& file) {
  QLocalSocket socket;
  socket.connectToServer(SocketPath(homeFolder));
  if (!socket.waitForConnected(kTimeoutMs)) return false;
  socket.write(file.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
  // The window answers once it has the file; it takes it in afterwards.
  while (!socket.canReadLine()) {
    if (!socket.waitForReadyRead(kTimeoutMs)) return false;
  }
  return socket.readLine().trimmed() == "OK";
}

bool RunningWindow::Listen(const QString& homeFolder) {
  const QString path = SocketPath(homeFolder);
  delete m_server;
  m_server = new QLocalServer(this);
  m_server->setSocketOptions(QLocalServer::UserAccessOption);  // nobody else hands us files
  if (!m_server->listen(path)) {
    // A socket left by a window that ended without closing it: nobody answers there.
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(500)) return false;  // another window takes the files
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) return false;
  }
  connect(m_server, &QLocalServer::newConnection, this, &RunningWindow::Accept);
  return true;
}

void RunningWindow::Accept() {
  while (QLocalSocket* socket = m_server->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLineMax) socket->abort();
        return;
      }
      const QString path = QString::fromUtf8(socket->readLine(kLineMax)).trimmed();
      // Only an absolute path names a file for this window; anything else is refused.
      if (!QFileInfo(path).isAbsolute()) {
        socket->write("NO\n");
        socket->disconnectFromServer();
        return;
      }
      socket->write("OK\n");
      socket->flush();
      socket->disconnectFromServer();
      emit FileArrived(path);
    });
  }
}

}  // namespace kolt

#include "ui/RunningWindow.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <cstdlib>
#include <optional>

#include "core/AtomicFile.h"

namespace kolt {
namespace {

constexpr int kTimeoutMs = 3000;
constexpr qint64 kLineMax = qint64{64} * 1024;  // a path, not a flood
// Where the home folder records the private folder made when there is no usable
// runtime folder.
const QString kRecordName = QStringLiteral(".kolt-socket-folder");

// A folder only this user can enter: a real folder (not a link), owned by the user,
// with no rights for group or others.
bool IsPrivateFolder(const QString& path) {
  struct stat st {};
  if (path.isEmpty() || !QDir::isAbsolutePath(path)) return false;
  if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// The user id of the process at the other end of a connected local socket.
std::optional<uid_t> PeerUid(qintptr descriptor) {
  struct ucred credentials {};
  socklen_t size = sizeof credentials;
  if (descriptor < 0 ||
      ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
    return std::nullopt;
  return credentials.uid;
}

bool PeerIsUs(const QLocalSocket& socket) {
  const std::optional<uid_t> uid = PeerUid(socket.socketDescriptor());
  return uid && *uid == ::geteuid();
}

// The folder the record names, when it is still private; else empty.
QString RecordedFolder(const QString& record) {
  const int fd =
      ::open(QFile::encodeName(record).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return QString();
  char buffer[4096];
  struct stat st {};
  ssize_t n = -1;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) n = ::read(fd, buffer, sizeof buffer);
  ::close(fd);
  if (n <= 0) return QString();
  const QString folder = QFile::decodeName(QByteArray(buffer, n).trimmed());
  return IsPrivateFolder(folder) ? folder : QString();
}

}  // namespace

RunningWindow::RunningWindow(QObject* parent) : QObject(parent) {}

RunningWindow::~RunningWindow() = default;

QString RunningWindow::SocketFolder(const QString& homeFolder, bool create) {
  QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
  if (IsPrivateFolder(runtime)) return runtime;
  // No usable runtime folder (unset, shared, or someone else's): a private folder of our
  // own in the temporary folder. Its name cannot be guessed, so nobody can take it first.
  const QString record = QDir(homeFolder).filePath(kRecordName);
  QString recorded = RecordedFolder(record);
  if (!recorded.isEmpty() || !create) return recorded;
  QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/kolt-socket-XXXXXX"));
  if (::mkdtemp(pattern.data()) == nullptr) return QString();
  QString folder = QFile::decodeName(pattern);
  if (!IsPrivateFolder(folder)) return QString();
  AtomicFileWriter writer(record);
  if (!writer.Open(Permissions::Exactly, 0600) || !writer.Write(pattern + '\n') || !writer.Commit()) {
    ::rmdir(pattern.constData());
    return QString();
  }
  return folder;
}

QString RunningWindow::SocketPath(const QString& homeFolder, bool create) {
  const QString folder = SocketFolder(homeFolder, create);
  if (folder.isEmpty()) return QString();
  const QString home = QFileInfo(homeFolder).canonicalFilePath().isEmpty()
                           ? QDir::cleanPath(homeFolder)
                           : QFileInfo(homeFolder).canonicalFilePath();
  const QByteArray hash =
      QCryptographicHash::hash(home.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
  return folder + QStringLiteral("/kolt-helper-") + QString::fromLatin1(hash) + QStringLiteral(".socket");
}

bool RunningWindow::HandOff(const QString& homeFolder, const QString& file) {
  const QString path = SocketPath(homeFolder);
  return !path.isEmpty() && HandOffAt(path, file);
}

bool RunningWindow::HandOffAt(const QString& socketPath, const QString& file) {
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  if (!socket.waitForConnected(kTimeoutMs)) return false;
  // The turn's path goes only to a window of this user.
  if (!PeerIsUs(socket)) {
    socket.abort();
    return false;
  }
  socket.write(file.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
  // The window answers once it has the file; it takes it in afterwards.
  while (!socket.canReadLine()) {
    if (!socket.waitForReadyRead(kTimeoutMs)) return false;
  }
  return socket.readLine().trimmed() == "OK";
}

bool RunningWindow::Listen(const QString& homeFolder) {
  const QString path = SocketPath(homeFolder, true);
  return !path.isEmpty() && ListenAt(path);
}

bool RunningWindow::ListenAt(const QString& socketPath) {
  // Asked first: Qt puts a new socket in place of an old one, which would take the
  // files away from a window that runs. One that nobody answers was left by a window
  // that ended without closing it.
  {
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(500)) return false;
  }
  QLocalServer::removeServer(socketPath);
  delete m_server;
  m_server = new QLocalServer(this);
  m_server->setSocketOptions(QLocalServer::UserAccessOption);  // nobody else hands us files
  if (!m_server->listen(socketPath)) return false;
  connect(m_server, &QLocalServer::newConnection, this, &RunningWindow::Accept);
  return true;
}

void RunningWindow::Accept() {
  while (QLocalSocket* socket = m_server->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // Only a start by this user may hand a file over.
    if (!PeerIsUs(*socket)) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
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

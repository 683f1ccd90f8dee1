#include "exchange/mail/FilePasswordStore.h"

#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "core/Startup.h"
#include "core/UiPort.h"

namespace kolt {

FilePasswordStore::FilePasswordStore(const QString& path, const QString& name) : m_path(path), m_name(name) {}

QString FilePasswordStore::Path() const {
  if (!m_path.isEmpty()) return m_path;
  return HomeFile(m_name);
}

QString FilePasswordStore::Location() const {
  return Path();
}

QString FilePasswordStore::ReadPassword() {
  const QByteArray name = QFile::encodeName(Path());
  const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return QString();
  // Someone widened the mode by hand: narrow it again before reading.
  struct stat st {};
  if (::fstat(fd, &st) == 0 && (st.st_mode & 077) != 0) ::fchmod(fd, 0600);
  QByteArray bytes;
  char buffer[512];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    bytes.append(buffer, n);
    if (bytes.size() > qsizetype{64} * 1024) break;  // not a password file
  }
  ::close(fd);
  while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
  return QString::fromUtf8(bytes);
}

bool FilePasswordStore::WritePassword(const QString& password) {
  const QString path = Path();
  if (password.isEmpty()) {
    return !QFile::exists(path) || QFile::remove(path);
  }
  // Never readable by others, whatever mode the file it replaces had.
  AtomicFileWriter writer(path);
  if (!writer.Open(Permissions::Exactly, 0600) || !writer.Write(password.toUtf8()) || !writer.Commit()) {
    SetSystemError(errno);
    return false;
  }
  return true;
}

}  // namespace kolt

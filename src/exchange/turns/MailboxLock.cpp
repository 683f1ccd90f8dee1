#include "exchange/turns/MailboxLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "core/Startup.h"

namespace kolt {

MailboxLock::~MailboxLock() {
  if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
}

bool MailboxLock::TryLock(bool* busy, QString* error) {
  *busy = false;
  error->clear();
  if (m_fd >= 0) return true;
  const QString path = HomeFile(QStringLiteral("imap-lock"));
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    *error = tr("Can't open file: %1 (%2)").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  int result = 0;
  while ((result = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (result != 0) {
    const int code = errno;
    ::close(fd);
    if (code == EWOULDBLOCK) {
      *busy = true;
    } else {
      *error = tr("Can't lock file: %1 (%2)").arg(path, QString::fromLocal8Bit(std::strerror(code)));
    }
    return false;
  }
  m_fd = fd;
  return true;
}

QString MailboxLock::BusyText() {
  return tr(
      "The mailbox is being checked by another KOLT Helper (the window or kolt-cli) on this home: this "
      "check was skipped.");
}

}  // namespace kolt

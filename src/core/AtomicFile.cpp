#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>

namespace kolt {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    Reset();
    m_fd = other.Release();
  }
  return *this;
}

int FileDescriptor::Release() {
  const int fd = m_fd;
  m_fd = -1;
  return fd;
}

bool FileDescriptor::Close() {
  if (m_fd < 0) return true;
  return ::close(Release()) == 0;
}

void FileDescriptor::Reset() {
  if (m_fd >= 0) {
    const int saved = errno;  // a failed operation's errno outlives the clean-up
    ::close(Release());
    errno = saved;
  }
}

AtomicFileWriter::AtomicFileWriter(const QString& destination) : m_destination(destination) {}

AtomicFileWriter::~AtomicFileWriter() {
  Discard();
}

QString AtomicFileWriter::TemporaryPattern(const QString& fileName) {
  return QStringLiteral(".") + fileName + QStringLiteral(".??????");
}

bool AtomicFileWriter::Open(Permissions permissions, mode_t mode) {
  Discard();
  const QFileInfo info(m_destination);
  QByteArray pattern = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                         QStringLiteral(".XXXXXX"));
  FileDescriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (!fd.IsOpen()) return false;
  m_temporary = pattern;
  if (permissions == Permissions::KeepExisting) {
    struct stat old {};
    if (::stat(QFile::encodeName(m_destination).constData(), &old) == 0 && S_ISREG(old.st_mode))
      mode = old.st_mode & 07777;
  }
  if (::fchmod(fd.Get(), mode) != 0) {
    const int error = errno;
    Discard();
    errno = error;
    return false;
  }
  m_fd = std::move(fd);
  return true;
}

bool AtomicFileWriter::Write(const char* data, qsizetype size) {
  if (!m_fd.IsOpen()) {
    errno = EBADF;
    return false;
  }
  while (size > 0) {
    const ssize_t n = ::write(m_fd.Get(), data, static_cast<size_t>(size));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= n;
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (!m_fd.IsOpen() || m_temporary.isEmpty()) {
    errno = EBADF;
    return false;
  }
  const bool ok = ::fsync(m_fd.Get()) == 0 && m_fd.Close() &&
                  ::rename(m_temporary.constData(), QFile::encodeName(m_destination).constData()) == 0;
  if (!ok) {
    const int error = errno;
    Discard();
    errno = error;
    return false;
  }
  m_temporary.clear();
  return true;
}

void AtomicFileWriter::Discard() {
  const int saved = errno;
  m_fd.Reset();
  if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
  m_temporary.clear();
  errno = saved;
}

}  // namespace kolt

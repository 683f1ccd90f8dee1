#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>

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

AtomicFileWriter::AtomicFileWriter(const QString& destination)
    : m_folderFd(AT_FDCWD), m_destination(destination) {}

AtomicFileWriter::AtomicFileWriter(int folderFd, const QString& name)
    : m_folderFd(folderFd), m_destination(name) {}

AtomicFileWriter::~AtomicFileWriter() {
  Discard();
}

QByteArray TemporaryStem(const QString& fileName, int suffixBytes) {
  constexpr int kNameMax = 255;
  QByteArray name = QFile::encodeName(fileName);
  if (1 + name.size() + suffixBytes <= kNameMax) return name;
  // FNV-1a of the whole name: two long names that share their start keep apart.
  quint32 hash = 2166136261u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  const QByteArray tail = '~' + QByteArray::number(hash, 16).rightJustified(8, '0');
  qsizetype keep = std::max<qsizetype>(0, kNameMax - 1 - suffixBytes - tail.size());
  // Never half a UTF-8 character.
  while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  return name.left(keep) + tail;
}

QString AtomicFileWriter::TemporaryPattern(const QString& fileName) {
  return QStringLiteral(".") + QFile::decodeName(TemporaryStem(fileName, 7)) + QStringLiteral(".??????");
}

bool AtomicFileWriter::Open(Permissions permissions, mode_t mode) {
  Discard();
  const QFileInfo info(m_destination);
  const QByteArray folder =
      m_folderFd == AT_FDCWD ? QFile::encodeName(info.absolutePath()) + '/' : QByteArray();
  const QByteArray stem = folder + '.' + TemporaryStem(info.fileName(), 7);
  QByteArray pattern;
  FileDescriptor fd;
  // Created exclusively and never through a link: what is there already stays untouched.
  auto create = [&](const QByteArray& name) {
    pattern = name;
    fd = FileDescriptor(
        ::openat(m_folderFd, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
  };
  if (m_tag.size() == 6) {
    create(stem + '.' + m_tag);
    if (!fd.IsOpen() && errno != EEXIST) return false;
  }
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; !fd.IsOpen() && attempt < 100; ++attempt) {
    QByteArray suffix(6, Qt::Uninitialized);
    for (char& c : suffix) c = kLetters[QRandomGenerator::global()->bounded(62)];
    create(stem + '.' + suffix);
    if (!fd.IsOpen() && errno != EEXIST) return false;
  }
  if (!fd.IsOpen()) return false;
  m_temporary = pattern;
  if (permissions == Permissions::KeepExisting) {
    // The mode of the file replaced, not of what a link in its place leads to.
    struct stat old {};
    if (::fstatat(m_folderFd, QFile::encodeName(m_destination).constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(old.st_mode))
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
  const bool ok = (!m_flush || ::fsync(m_fd.Get()) == 0) && m_fd.Close() &&
                  ::renameat(m_folderFd, m_temporary.constData(), m_folderFd,
                             QFile::encodeName(m_destination).constData()) == 0;
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
  if (!m_temporary.isEmpty()) ::unlinkat(m_folderFd, m_temporary.constData(), 0);
  m_temporary.clear();
  errno = saved;
}

}  // namespace kolt

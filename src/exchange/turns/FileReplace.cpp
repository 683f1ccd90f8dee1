#include "exchange/turns/FileReplace.h"
#include "core/TextCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "core/UiPort.h"

namespace kolt {
namespace {

struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

QString Errno(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

bool Fail(QString* reason, int error, const QString& what) {
  SetSystemError(error);
  if (reason) *reason = what + QStringLiteral(": ") + Errno(error);
  return false;
}

bool WriteAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= n;
  }
  return true;
}

}  // namespace

bool IsPlainFileName(const QString& name) {
  if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..")) return false;
  for (QChar c : name) {
    if (c == QChar('/') || c == QChar('\\') || IsUnsafeForDisplay(c)) return false;
  }
  return true;
}

bool ReplaceWithCopy(const QString& source, const QString& dest, QString* reason) {
  const QByteArray src = QFile::encodeName(source);
  const QByteArray dst = QFile::encodeName(dest);
  Fd in;
  in.fd = ::open(src.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (in.fd < 0) return Fail(reason, errno, QStringLiteral("cannot open ") + source);
  struct stat st {};
  if (::fstat(in.fd, &st) != 0) return Fail(reason, errno, QStringLiteral("cannot read ") + source);
  if (!S_ISREG(st.st_mode)) return Fail(reason, EINVAL, source + QStringLiteral(" is not a regular file"));

  mode_t mode = 0644;
  struct stat old {};
  if (::lstat(dst.constData(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) return Fail(reason, EISDIR, dest + QStringLiteral(" is a folder"));
    if (S_ISREG(old.st_mode)) mode = old.st_mode & 07777;
  }

  // A hidden temporary beside the destination, so that the rename stays on one file
  // system and cannot be seen half-written under the real name.
  const QFileInfo destInfo(dest);
  QByteArray pattern = QFile::encodeName(destInfo.absolutePath() + QStringLiteral("/.") +
                                         destInfo.fileName() + QStringLiteral(".XXXXXX"));
  Fd out;
  out.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (out.fd < 0)
    return Fail(reason, errno, QStringLiteral("cannot create a file in ") + destInfo.absolutePath());
  const QByteArray temp = pattern;
  auto discard = [&](int error, const QString& what) {
    ::unlink(temp.constData());
    return Fail(reason, error, what);
  };

  QByteArray buffer(1 << 16, Qt::Uninitialized);
  for (;;) {
    const ssize_t n = ::read(in.fd, buffer.data(), static_cast<size_t>(buffer.size()));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return discard(errno, QStringLiteral("cannot read ") + source);
    }
    if (!WriteAll(out.fd, buffer.constData(), n))
      return discard(errno, QStringLiteral("cannot write ") + dest);
  }
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  if (::fchmod(out.fd, mode) != 0)
    return discard(errno, QStringLiteral("cannot set the permissions of ") + dest);
  if (::futimens(out.fd, times) != 0) return discard(errno, QStringLiteral("cannot set the time of ") + dest);
  if (::fsync(out.fd) != 0) return discard(errno, QStringLiteral("cannot write ") + dest);
  const int closed = ::close(out.fd);
  out.fd = -1;
  if (closed != 0) return discard(errno, QStringLiteral("cannot write ") + dest);
  if (::rename(temp.constData(), dst.constData()) != 0)
    return discard(errno, QStringLiteral("cannot replace ") + dest);
  return true;
}

bool KeepAsBackup(const QString& file, const QString& backup, QString* reason) {
  const QByteArray src = QFile::encodeName(file);
  struct stat st {};
  if (::lstat(src.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
    const QFileInfo info(backup);
    QByteArray temp = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                        QStringLiteral(".link.") + QString::number(::getpid()));
    ::unlink(temp.constData());
    if (::link(src.constData(), temp.constData()) == 0) {
      if (::rename(temp.constData(), QFile::encodeName(backup).constData()) == 0) return true;
      ::unlink(temp.constData());
    }
  }
  return ReplaceWithCopy(file, backup, reason);
}

bool IsFaithfulCopy(const QString& original, const QString& copy) {
  struct stat a {
  }, b{};
  if (::stat(QFile::encodeName(original).constData(), &a) != 0) return false;
  if (::lstat(QFile::encodeName(copy).constData(), &b) != 0 || !S_ISREG(b.st_mode)) return false;
  if (a.st_size != b.st_size || a.st_mtim.tv_sec != b.st_mtim.tv_sec) return false;
  if (a.st_dev == b.st_dev && a.st_ino == b.st_ino) return true;  // one file under two names
  QFile fa(original), fb(copy);
  if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return false;
  while (!fa.atEnd()) {
    if (fa.read(1 << 16) != fb.read(1 << 16)) return false;
  }
  return fb.atEnd();
}

}  // namespace kolt

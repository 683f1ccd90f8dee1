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

#include "core/AtomicFile.h"
#include "core/FolderSnapshot.h"
#include "core/UiPort.h"

namespace kolt {
namespace {

QString Errno(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

bool Fail(QString* reason, int error, const QString& what) {
  SetSystemError(error);
  if (reason) *reason = what + QStringLiteral(": ") + Errno(error);
  return false;
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
  FileDescriptor in(::open(src.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
  if (!in.IsOpen()) return Fail(reason, errno, QStringLiteral("cannot open ") + source);
  struct stat st {};
  if (::fstat(in.Get(), &st) != 0) return Fail(reason, errno, QStringLiteral("cannot read ") + source);
  if (!S_ISREG(st.st_mode)) return Fail(reason, EINVAL, source + QStringLiteral(" is not a regular file"));
  struct stat old {};
  if (::lstat(QFile::encodeName(dest).constData(), &old) == 0 && S_ISDIR(old.st_mode))
    return Fail(reason, EISDIR, dest + QStringLiteral(" is a folder"));

  AtomicFileWriter out(dest);
  if (!out.Open(Permissions::KeepExisting, 0644))
    return Fail(reason, errno, QStringLiteral("cannot create a file in ") + QFileInfo(dest).absolutePath());
  QByteArray buffer(1 << 16, Qt::Uninitialized);
  for (;;) {
    const ssize_t n = ::read(in.Get(), buffer.data(), static_cast<size_t>(buffer.size()));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(reason, errno, QStringLiteral("cannot read ") + source);
    }
    if (!out.Write(buffer.constData(), n)) return Fail(reason, errno, QStringLiteral("cannot write ") + dest);
  }
  // The status of a game is read from its files' times.
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  if (::futimens(out.Fd(), times) != 0)
    return Fail(reason, errno, QStringLiteral("cannot set the time of ") + dest);
  if (!out.Commit()) return Fail(reason, errno, QStringLiteral("cannot replace ") + dest);
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

bool RemoveIfPresent(const QString& path) {
  const bool removed = ::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT;
  const int error = errno;
  NoteChanged(path);
  errno = error;  // the callers report why the unlink failed
  return removed;
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

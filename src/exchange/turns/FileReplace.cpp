#include "exchange/turns/FileReplace.h"
#include "core/TextCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "core/AtomicFile.h"
#include "core/FileNames.h"
#include "core/FolderSnapshot.h"
#include "core/RegularFile.h"
#include "core/UiPort.h"
#include "exchange/turns/CrashPoint.h"

namespace kolt {
namespace {

QString Errno(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

bool Fail(QString* reason, int error, const QString& what) {
  SetSystemError(error);
  if (reason) *reason = QCoreApplication::translate("FileReplace", "%1: %2").arg(what, Errno(error));
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

QByteArray FileAt::Native() const {
  return QFile::encodeName(name);
}

bool ReplaceWithCopy(const FileAt& source, const FileAt& dest, QString* reason, const QByteArray& tag) {
  // Non-blocking: a pipe in the file's place is refused below instead of waiting for a
  // writer.
  FileDescriptor in(::openat(source.folder, source.Native().constData(),
                             O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
  if (!in.IsOpen())
    return Fail(reason, errno, QCoreApplication::translate("FileReplace", "cannot open %1").arg(source.path));
  struct stat st {};
  if (::fstat(in.Get(), &st) != 0)
    return Fail(reason, errno, QCoreApplication::translate("FileReplace", "cannot read %1").arg(source.path));
  if (!S_ISREG(st.st_mode))
    return Fail(reason, EINVAL,
                QCoreApplication::translate("FileReplace", "%1 is not a regular file").arg(source.path));
  struct stat old {};
  if (::fstatat(dest.folder, dest.Native().constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
      S_ISDIR(old.st_mode))
    return Fail(reason, EISDIR, QCoreApplication::translate("FileReplace", "%1 is a folder").arg(dest.path));

  AtomicFileWriter out(dest.folder, dest.name);
  out.SetTemporaryTag(tag);
  if (!out.Open(Permissions::KeepExisting, 0644))
    return Fail(reason, errno,
                QCoreApplication::translate("FileReplace", "cannot create a file in %1")
                    .arg(QFileInfo(dest.path).absolutePath()));
  QByteArray buffer(1 << 16, Qt::Uninitialized);
  for (;;) {
    const ssize_t n = ::read(in.Get(), buffer.data(), static_cast<size_t>(buffer.size()));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(reason, errno,
                  QCoreApplication::translate("FileReplace", "cannot read %1").arg(source.path));
    }
    if (!out.Write(buffer.constData(), n))
      return Fail(reason, errno,
                  QCoreApplication::translate("FileReplace", "cannot write %1").arg(dest.path));
  }
  // The status of a game is read from its files' times.
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  if (::futimens(out.Fd(), times) != 0)
    return Fail(reason, errno,
                QCoreApplication::translate("FileReplace", "cannot set the time of %1").arg(dest.path));
  CrashPoint();
  if (!out.Commit())
    return Fail(reason, errno,
                QCoreApplication::translate("FileReplace", "cannot replace %1").arg(dest.path));
  return true;
}

bool KeepAsBackup(const FileAt& file, const FileAt& backup, QString* reason, const QByteArray& tag) {
  struct stat st {};
  if (IsRegularFileAt(file.folder, file.Native(), &st)) {
    // rename() between two names of one file does nothing and reports success: a backup
    // that is this file already (a receive run again) stays, and no temporary is left.
    struct stat old {};
    if (::fstatat(backup.folder, backup.Native().constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
        old.st_dev == st.st_dev && old.st_ino == st.st_ino)
      return true;
    const QFileInfo info(backup.name);
    const QByteArray pid = QByteArray::number(::getpid());
    const QByteArray folder =
        backup.folder == AT_FDCWD ? QFile::encodeName(info.absolutePath()) + '/' : QByteArray();
    const QByteArray temp =
        folder + '.' + TemporaryStem(info.fileName(), 7 + static_cast<int>(pid.size())) + ".link." + pid;
    ::unlinkat(backup.folder, temp.constData(), 0);
    // linkat() without AT_SYMLINK_FOLLOW: a link put in the file's place meanwhile is
    // linked as a link, which the caller's check of the backup then refuses.
    if (::linkat(file.folder, file.Native().constData(), backup.folder, temp.constData(), 0) == 0) {
      CrashPoint();
      const bool renamed =
          ::renameat(backup.folder, temp.constData(), backup.folder, backup.Native().constData()) == 0;
      // Another process may have made the same backup meanwhile: then the temporary is
      // still there (see above).
      ::unlinkat(backup.folder, temp.constData(), 0);
      if (renamed) return true;
    }
  }
  return ReplaceWithCopy(file, backup, reason, tag);
}

bool RemoveIfPresent(const FileAt& file) {
  const bool removed = ::unlinkat(file.folder, file.Native().constData(), 0) == 0 || errno == ENOENT;
  const int error = errno;
  NoteChanged(file.path);
  errno = error;  // the callers report why the unlink failed
  return removed;
}

namespace {

bool SameContentAt(const FileAt& a, const FileAt& b);

}  // namespace

bool IsFaithfulCopy(const FileAt& original, const FileAt& copy) {
  struct stat a {
  }, b{};
  if (!IsRegularFileAt(original.folder, original.Native(), &a)) return false;
  if (!IsRegularFileAt(copy.folder, copy.Native(), &b)) return false;
  if (a.st_size != b.st_size || a.st_mtim.tv_sec != b.st_mtim.tv_sec) return false;
  if (a.st_dev == b.st_dev && a.st_ino == b.st_ino) return true;  // one file under two names
  return SameContentAt(original, copy);
}

namespace {

// Opens a regular file for reading without waiting on anything else in its place, and
// without following a link.
FileDescriptor OpenRegular(const FileAt& file, struct stat* st) {
  FileDescriptor fd(::openat(file.folder, file.Native().constData(),
                             O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW));
  if (fd.IsOpen() && (::fstat(fd.Get(), st) != 0 || !S_ISREG(st->st_mode))) fd.Reset();
  return fd;
}

// Reads up to `size` bytes; fewer only at the end of the file. -1 on an error.
ssize_t ReadFully(int fd, char* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, data + done, size - done);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

// The random part of a temporary name: what mkstemp puts for "XXXXXX".
bool IsTemporarySuffix(QStringView text) {
  if (text.size() != 6) return false;
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))) return false;
  }
  return true;
}

// True when the temporary `name` (one of ours) belongs to a writer that is gone: a
// ".NAME.link.PID" whose process no longer runs, or a ".NAME.TAG" with a dead tag.
bool WriterIsGone(const QString& name, const QList<QByteArray>& deadTags) {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  const QStringView last = QStringView(name).mid(dot + 1);
  if (QStringView(name).left(dot).endsWith(QStringLiteral(".link"))) {
    bool number = false;
    const qlonglong pid = last.toLongLong(&number);
    if (number && pid > 0 && pid <= std::numeric_limits<pid_t>::max())
      return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
  }
  return IsTemporarySuffix(last) && deadTags.contains(last.toLatin1());
}

bool SameContentAt(const FileAt& a, const FileAt& b) {
  struct stat sa {
  }, sb{};
  const FileDescriptor fa = OpenRegular(a, &sa);
  const FileDescriptor fb = OpenRegular(b, &sb);
  if (!fa.IsOpen() || !fb.IsOpen() || sa.st_size != sb.st_size) return false;
  if (sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino) return true;
  QByteArray ba(1 << 16, Qt::Uninitialized), bb(1 << 16, Qt::Uninitialized);
  for (;;) {
    const ssize_t na = ReadFully(fa.Get(), ba.data(), static_cast<size_t>(ba.size()));
    const ssize_t nb = ReadFully(fb.Get(), bb.data(), static_cast<size_t>(bb.size()));
    if (na < 0 || nb < 0 || na != nb) return false;
    if (std::memcmp(ba.constData(), bb.constData(), static_cast<size_t>(na)) != 0) return false;
    if (na == 0) return true;
  }
}

}  // namespace

bool SameContent(const QString& a, const QString& b) {
  return SameContentAt(FileAt::Path(a), FileAt::Path(b));
}

bool IsOwnTemporaryName(const QString& name) {
  // ".NAME.XXXXXX" (AtomicFileWriter, behind every copy) and ".NAME.link.PID" (a backup
  // made as a second name).
  if (!name.startsWith(QChar('.'))) return false;
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  if (dot <= 1) return false;
  const QStringView last = QStringView(name).mid(dot + 1);
  if (IsTemporarySuffix(last)) return true;
  if (last.isEmpty()) return false;
  for (QChar c : last) {
    if (c < QChar('0') || c > QChar('9')) return false;
  }
  const QStringView rest = QStringView(name).left(dot);
  return rest.size() > 6 && rest.endsWith(QStringLiteral(".link"));
}

int RemoveStaleTemporaries(const QString& folder, qint64 minAgeSeconds, const QList<QByteArray>& deadTags) {
  return RemoveStaleTemporaries(AT_FDCWD, folder, minAgeSeconds, deadTags);
}

int RemoveStaleTemporaries(int folderFd, const QString& path, qint64 minAgeSeconds,
                           const QList<QByteArray>& deadTags) {
  int removed = 0;
  const qint64 now = QDateTime::currentSecsSinceEpoch();
  for (const QString& name : ListNoCase(path, QStringLiteral(".*"))) {
    if (!IsOwnTemporaryName(name)) continue;
    const bool writerGone = WriterIsGone(name, deadTags);
    const QString full = path + QChar('/') + name;
    const FileAt file{folderFd, folderFd == AT_FDCWD ? full : name, full};
    struct stat st {};
    // A regular file of ours, not a link; its status change time counts, since a copy in
    // progress carries the old modification time of the file it copies.
    if (!IsRegularFileAt(file.folder, file.Native(), &st) || st.st_uid != ::geteuid()) continue;
    const qint64 changed = std::max<qint64>(st.st_ctim.tv_sec, st.st_mtim.tv_sec);
    if (!writerGone && now - changed < minAgeSeconds) continue;  // another copy may be writing it now
    if (RemoveIfPresent(file)) ++removed;
  }
  return removed;
}

}  // namespace kolt

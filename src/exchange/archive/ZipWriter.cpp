#include "exchange/archive/ZipWriter.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <cstring>
#include <vector>

#include "core/AtomicFile.h"
#include "core/FileNames.h"
#include "exchange/archive/ArchiveCodes.h"
#include "exchange/archive/EntryNames.h"

namespace kolt {
namespace {

constexpr size_t kChunk = size_t{256} * 1024;

QString SystemText(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

QString ErrorText(archive* a) {
  const char* e = archive_error_string(a);
  return e ? QString::fromLocal8Bit(e) : ZipWriter::tr("unknown error");
}

struct WriterHolder {
  archive* a = nullptr;
  ~WriterHolder() {
    if (a) archive_write_free(a);
  }
};

struct EntryHolder {
  archive_entry* e = archive_entry_new();
  ~EntryHolder() { archive_entry_free(e); }
};

bool HasWildcard(const QString& part) {
  return part.contains(QChar('*')) || part.contains(QChar('?'));
}

}  // namespace

ZipWriter::ZipWriter(LineSink lines) : m_lines(std::move(lines)) {}

int ZipWriter::Collect(const QString& archivePath, const QString& root, const QStringList& names,
                       QList<Item>* items) {
  const QString archiveAbsolute = QFileInfo(archivePath).absoluteFilePath();
  QSet<QString> stored;
  auto add = [&](const QString& diskPath, const QString& storedName, bool folder) {
    if (stored.contains(storedName)) return;
    if (!folder && QFileInfo(diskPath).absoluteFilePath() == archiveAbsolute) return;
    stored.insert(storedName);
    items->append(Item{diskPath, storedName, folder});
  };
  for (const QString& name : names) {
    // The same check as for received names: whatever we store must unpack below the
    // receiver's target folder.
    EntryPath path;
    const QString reason = SplitEntryName(name, &path);
    if (!reason.isEmpty() || path.parts.isEmpty()) {
      m_lines(tr("Bad name %1: %2").arg(name, reason.isEmpty() ? tr("it names no file") : reason));
      return ZipCode::BadParameter;
    }
    const QString last = path.parts.takeLast();
    QString folder = root;
    if (!path.parts.isEmpty()) {
      bool found = false;
      folder = ResolveNoCase(root, path.parts.join(QChar('/')), &found);
      if (!found || !QFileInfo(folder).isDir()) continue;
    }
    const QString prefix = path.parts.isEmpty() ? QString() : path.parts.join(QChar('/')) + QChar('/');
    if (HasWildcard(last)) {
      for (const QString& match : ListNoCase(folder, last, true)) {
        if (match.startsWith(QChar('.'))) continue;
        const QString diskPath = folder + QChar('/') + match;
        if (QFileInfo(diskPath).isFile()) add(diskPath, prefix + match, false);
      }
      continue;
    }
    const QString diskPath = FindEntryNoCase(folder, last);
    if (diskPath.isEmpty()) continue;
    const QFileInfo info(diskPath);
    if (info.isDir())
      add(diskPath, prefix + last + QChar('/'), true);
    else if (info.isFile())
      add(diskPath, prefix + last, false);
  }
  return ZipCode::Ok;
}

int ZipWriter::Zip(const QString& archivePath, const QString& rootFolder, const QStringList& names) {
  m_failedCall.clear();
  if (archivePath.isEmpty()) {
    m_lines(tr("No archive path given."));
    return ZipCode::BadParameter;
  }
  QList<Item> items;
  int code = Collect(archivePath, rootFolder, names, &items);
  if (code != ZipCode::Ok) return code;
  if (items.isEmpty()) {
    m_lines(tr("Nothing to do: no file matched the names."));
    return ZipCode::Nothing;
  }

  WriterHolder w;
  w.a = archive_write_new();
  if (!w.a) {
    m_failedCall = QStringLiteral("archive_write_new");
    return ZipCode::NoMemory;
  }
  if (archive_write_set_format_zip(w.a) != ARCHIVE_OK) {
    m_failedCall = QStringLiteral("archive_write_set_format_zip");
    return ZipCode::CreateError;
  }
  // UTF-8 names with the format's UTF-8 flag, whatever the process locale.
  if (archive_write_set_options(
          w.a, "zip:compression=deflate,zip:compression-level=9,zip:hdrcharset=UTF-8") != ARCHIVE_OK) {
    m_failedCall = QStringLiteral("archive_write_set_options");
    return ZipCode::CreateError;
  }
  archive_write_set_bytes_per_block(w.a, 64 * 1024);
  archive_write_set_bytes_in_last_block(w.a, 1);  // no padding after the central directory

  // The half-written archive never stands under the archive's name.
  AtomicFileWriter out(archivePath);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (!out.Open(Permissions::Exactly, 0666 & ~mask)) {
    m_lines(tr("Cannot create %1: %2").arg(archivePath, SystemText(errno)));
    return ZipCode::CreateError;
  }
  if (archive_write_open_fd(w.a, out.Fd()) != ARCHIVE_OK) {
    m_lines(tr("Cannot create %1: %2").arg(archivePath, ErrorText(w.a)));
    return ZipCode::CreateError;
  }

  std::vector<char> buffer(kChunk);
  for (const Item& item : items) {
    // Non-blocking: a pipe put where a file was listed must not hold the program.
    FileDescriptor in(
        ::open(QFile::encodeName(item.diskPath).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat st;
    if (!in.IsOpen() || ::fstat(in.Get(), &st) != 0) {
      m_lines(tr("Cannot read %1: %2").arg(item.diskPath, SystemText(errno)));
      return ZipCode::ReadError;
    }
    if (item.folder ? !S_ISDIR(st.st_mode) : !S_ISREG(st.st_mode)) {
      m_lines(tr("Cannot read %1: %2").arg(item.diskPath, SystemText(EINVAL)));
      return ZipCode::ReadError;
    }
    EntryHolder entry;
    archive_entry_copy_stat(entry.e, &st);
    archive_entry_set_pathname_utf8(entry.e, item.storedName.toUtf8().constData());
    if (item.folder) archive_entry_set_size(entry.e, 0);
    if (archive_write_header(w.a, entry.e) < ARCHIVE_WARN) {
      m_lines(tr("Cannot write %1: %2").arg(archivePath, ErrorText(w.a)));
      return ZipCode::WriteError;
    }
    m_lines(QStringLiteral("  adding: ") + item.storedName);
    if (!item.folder) {
      for (;;) {
        const ssize_t n = ::read(in.Get(), buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0) {
          if (errno == EINTR) continue;
          m_lines(tr("Cannot read %1: %2").arg(item.diskPath, SystemText(errno)));
          return ZipCode::ReadError;
        }
        if (archive_write_data(w.a, buffer.data(), static_cast<size_t>(n)) < 0) {
          m_lines(tr("Cannot write %1: %2").arg(archivePath, ErrorText(w.a)));
          return ZipCode::WriteError;
        }
      }
    }
    if (archive_write_finish_entry(w.a) < ARCHIVE_WARN) {
      m_lines(tr("Cannot write %1: %2").arg(archivePath, ErrorText(w.a)));
      return ZipCode::WriteError;
    }
  }
  if (archive_write_close(w.a) != ARCHIVE_OK) {
    m_lines(tr("Cannot write %1: %2").arg(archivePath, ErrorText(w.a)));
    return ZipCode::WriteError;
  }
  if (!out.Commit()) {
    m_lines(tr("Cannot write %1: %2").arg(archivePath, SystemText(errno)));
    return ZipCode::WriteError;
  }
  return ZipCode::Ok;
}

}  // namespace kolt

#include "exchange/archive/SafeExtractor.h"
#include "core/AtomicFile.h"
#include "core/TextCodec.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "exchange/archive/ArchiveCodes.h"
#include "exchange/archive/EntryNames.h"

namespace kolt {

struct SafeExtractor::Entry {
  QString name;  // as stored, for messages
  EntryPath path;
  bool folder = false;
  bool encrypted = false;
  bool skipped = false;  // no password
  bool hasTime = false;
  timespec times[2] = {};  // access, modification
};

namespace {

constexpr size_t kReadBlock = 1 << 20;

// Not an UnzipCode: the entry's data could not be read (a bad CRC, a size other than
// the header's, or no password that opens it).
constexpr int kBadData = -1;

// The reader and the archive file it reads; libarchive leaves a descriptor it was given
// open, so the file is closed after the reader is freed.
struct ReaderHolder {
  archive* a = nullptr;
  FileDescriptor file;
  ~ReaderHolder() {
    if (a) archive_read_free(a);
  }
};

// Removes the staging folder with whatever is still in it.
struct StagingHolder {
  QString path;
  ~StagingHolder() {
    if (!path.isEmpty()) QDir(path).removeRecursively();
  }
};

QString ErrorText(archive* a) {
  const char* e = archive_error_string(a);
  return e ? QString::fromLocal8Bit(e) : SafeExtractor::tr("unknown error");
}

QString SystemText(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray RawName(archive_entry* e) {
  if (const char* n = archive_entry_pathname(e)) return QByteArray(n);
  if (const char* n = archive_entry_pathname_utf8(e)) return QByteArray(n);
  if (const wchar_t* w = archive_entry_pathname_w(e)) return QString::fromWCharArray(w).toUtf8();
  return QByteArray();
}

QString Joined(const QStringList& parts) {
  return parts.join(QChar('/'));
}

bool LstatPath(const QString& path, struct stat* st) {
  return ::lstat(QFile::encodeName(path).constData(), st) == 0;
}

}  // namespace

SafeExtractor::SafeExtractor(LineSink lines, PasswordSource password, ExtractLimits limits)
    : m_lines(std::move(lines)), m_password(std::move(password)), m_limits(limits) {}

const char* SafeExtractor::PassphraseCallback(archive*, void* self) {
  auto* x = static_cast<SafeExtractor*>(self);
  if (x->m_handedOut < x->m_given.size()) return x->m_given[x->m_handedOut++].constData();
  std::optional<QByteArray> answer = x->m_password ? x->m_password() : std::nullopt;
  if (!answer || answer->isEmpty()) {
    x->m_declined = true;
    return nullptr;
  }
  x->m_given.push_back(answer->left(256));
  x->m_handedOut = x->m_given.size();
  return x->m_given.back().constData();
}

archive* SafeExtractor::OpenReader(const QString& archivePath, FileDescriptor* file, int* code,
                                   const QByteArray* passphrase) {
  // Opened here rather than by libarchive: a pipe or device named like an archive must
  // neither block the program nor be read without end, and the reason a file cannot be
  // opened is the errno of this very call.
  *file =
      FileDescriptor(::open(QFile::encodeName(archivePath).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file->IsOpen()) {
    m_lines(tr("Cannot open %1: %2").arg(archivePath, SystemText(errno)));
    *code = UnzipCode::NotFound;
    return nullptr;
  }
  struct stat st {};
  if (::fstat(file->Get(), &st) != 0) {
    m_lines(tr("Cannot open %1: %2").arg(archivePath, SystemText(errno)));
    *code = UnzipCode::NotFound;
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {
    m_lines(S_ISDIR(st.st_mode) ? tr("Cannot open %1: it is a folder, not a file").arg(archivePath)
                                : tr("Cannot open %1: it is not a regular file").arg(archivePath));
    *code = UnzipCode::NotFound;
    return nullptr;
  }
  archive* a = archive_read_new();
  if (!a) {
    m_failedCall = QStringLiteral("archive_read_new");
    *code = UnzipCode::NoMemory;
    return nullptr;
  }
  // An explicit list: the formats people send turns in. Never "raw" (any file would read
  // as one entry) nor "mtree" (its entries name files on this machine to copy).
  archive_read_support_format_zip(a);
  archive_read_support_format_rar(a);
  archive_read_support_format_rar5(a);
  archive_read_support_format_7zip(a);
  archive_read_support_format_lha(a);
  archive_read_support_format_cab(a);
  archive_read_support_format_tar(a);
  archive_read_support_filter_gzip(a);
  archive_read_support_filter_bzip2(a);
  archive_read_support_filter_xz(a);
  archive_read_support_filter_lzma(a);
  archive_read_support_filter_zstd(a);
  archive_read_support_filter_compress(a);
  if (passphrase) {
    if (archive_read_add_passphrase(a, passphrase->constData()) != ARCHIVE_OK) {
      m_failedCall = QStringLiteral("archive_read_add_passphrase");
      archive_read_free(a);
      *code = UnzipCode::NoMemory;
      return nullptr;
    }
  } else {
    m_handedOut = 0;
    archive_read_set_passphrase_callback(a, this, &SafeExtractor::PassphraseCallback);
  }
  if (archive_read_open_fd(a, file->Get(), kReadBlock) != ARCHIVE_OK) {
    m_lines(tr("Cannot open %1: %2").arg(archivePath, ErrorText(a)));
    archive_read_free(a);
    *code = UnzipCode::NotFound;
    return nullptr;
  }
  *code = UnzipCode::Ok;
  return a;
}

int SafeExtractor::Refuse(const QString& name, const QString& reason) {
  m_lines(tr("Refused \"%1\": %2.").arg(SafeForDisplay(name), SafeForDisplay(reason)));
  m_lines(tr("The archive is not safe to unpack; nothing was extracted."));
  return UnzipCode::Refused;
}

int SafeExtractor::Scan(const QString& archivePath, std::vector<Entry>* entries) {
  int code = UnzipCode::Ok;
  ReaderHolder r;
  r.a = OpenReader(archivePath, &r.file, &code);
  if (!r.a) return code;
  qint64 declared = 0;
  for (;;) {
    archive_entry* e = nullptr;
    const int rc = archive_read_next_header(r.a, &e);
    if (rc == ARCHIVE_EOF) break;
    if (rc < ARCHIVE_WARN) {
      if (entries->empty() && archive_format(r.a) == 0) {
        m_lines(tr("%1 is not an archive that can be read: %2").arg(archivePath, ErrorText(r.a)));
        return UnzipCode::NotFound;
      }
      m_lines(tr("Damaged archive: %1").arg(ErrorText(r.a)));
      return UnzipCode::ArchiveError;
    }
    if (static_cast<qint64>(entries->size()) >= m_limits.maxEntries) {
      return Refuse(DecodeEntryName(RawName(e)),
                    tr("the archive holds more than %1 entries").arg(QString::number(m_limits.maxEntries)));
    }
    Entry entry;
    entry.name = DecodeEntryName(RawName(e));
    if (archive_entry_symlink(e) || archive_entry_hardlink(e)) return Refuse(entry.name, tr("it is a link"));
    const mode_t type = archive_entry_filetype(e);
    if (type != AE_IFREG && type != AE_IFDIR && type != 0)
      return Refuse(entry.name, tr("it is a device, pipe or socket, not a file"));
    const QString reason = SplitEntryName(entry.name, &entry.path);
    if (!reason.isEmpty()) return Refuse(entry.name, reason);
    entry.folder = type == AE_IFDIR || entry.path.folderLike;
    if (entry.path.parts.isEmpty() && !entry.folder) return Refuse(entry.name, tr("it has no name"));
    if (archive_entry_size_is_set(e)) {
      const qint64 size = archive_entry_size(e);
      if (size < 0 || size > m_limits.maxBytes - declared)
        return Refuse(entry.name,
                      tr("the files would take more than %1 bytes").arg(QString::number(m_limits.maxBytes)));
      declared += size;
    }
    entry.encrypted = archive_entry_is_encrypted(e);
    if (archive_entry_mtime_is_set(e)) {
      entry.hasTime = true;
      entry.times[1] = timespec{archive_entry_mtime(e), archive_entry_mtime_nsec(e)};
      entry.times[0] = archive_entry_atime_is_set(e)
                           ? timespec{archive_entry_atime(e), archive_entry_atime_nsec(e)}
                           : entry.times[1];
    }
    entries->push_back(entry);
    if (archive_read_data_skip(r.a) < ARCHIVE_WARN && !entry.encrypted) {
      m_lines(tr("Damaged archive: %1").arg(ErrorText(r.a)));
      return UnzipCode::ArchiveError;
    }
  }
  if (entries->empty() && archive_format(r.a) == 0) {
    m_lines(tr("%1 is not an archive that can be read.").arg(archivePath));
    return UnzipCode::NotFound;
  }
  return UnzipCode::Ok;
}

int SafeExtractor::Unpack(const QString& archivePath, int stagingFd, std::vector<Entry>* entries) {
  int code = UnzipCode::Ok;
  ReaderHolder r;
  r.a = OpenReader(archivePath, &r.file, &code);
  if (!r.a) return code;
  Budget budget;
  for (size_t i = 0;; ++i) {
    archive_entry* e = nullptr;
    const int rc = archive_read_next_header(r.a, &e);
    if (rc == ARCHIVE_EOF) {
      if (i == entries->size()) break;
    } else if (rc < ARCHIVE_WARN) {
      m_lines(tr("Damaged archive: %1").arg(ErrorText(r.a)));
      return UnzipCode::ArchiveError;
    }
    if (rc == ARCHIVE_EOF || i >= entries->size() || DecodeEntryName(RawName(e)) != (*entries)[i].name) {
      m_lines(tr("The archive changed while it was being read."));
      return UnzipCode::ArchiveError;
    }
    Entry& entry = (*entries)[i];
    if (entry.folder) {
      if (!entry.path.parts.isEmpty())
        m_lines(QStringLiteral("   creating: ") + Joined(entry.path.parts) + QChar('/'));
      continue;
    }
    const QByteArray stagedName = QByteArray::number(static_cast<qulonglong>(i));
    FileDescriptor out(::openat(stagingFd, stagedName.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!out.IsOpen()) {
      m_lines(tr("Cannot write %1: %2").arg(entry.name, SystemText(errno)));
      return UnzipCode::DiskError;
    }
    m_lines(QStringLiteral("  inflating: ") + SafeForDisplay(Joined(entry.path.parts)));
    qint64 end = 0;
    QString reason;
    m_declined = false;
    const qint64 writtenBefore = budget.written;
    int copied = CopyData(r.a, entry, out.Get(), &budget, &end, &reason);
    // A wrong password can pass the encryption header's check (one in 256 for the classic
    // zip scheme) and then reads as damaged data; unless the player gave up, the entry
    // gets its own reader for each other password.
    if (copied == kBadData && entry.encrypted && !m_declined &&
        (archive_read_format_capabilities(r.a) & ARCHIVE_READ_FORMAT_CAPS_ENCRYPT_DATA)) {
      budget.written = writtenBefore;
      copied = ReadWithOtherPasswords(archivePath, i, entry, out.Get(), &budget, &end, &reason);
    }
    if (copied == kBadData) {
      if (!entry.encrypted) {
        m_lines(tr("Error in %1: %2").arg(entry.name, reason));
        return UnzipCode::ArchiveError;
      }
      m_lines(tr("skipping: %1 (%2)").arg(entry.name, reason));
      entry.skipped = true;
      ::unlinkat(stagingFd, stagedName.constData(), 0);
      continue;
    }
    if (copied != UnzipCode::Ok) return copied;
    budget.extents += std::max<qint64>(end, archive_entry_size_is_set(e) ? archive_entry_size(e) : 0);
    // Sparse entries end in a hole the blocks do not cover.
    if (archive_entry_size_is_set(e) && archive_entry_size(e) > end) {
      if (::ftruncate(out.Get(), archive_entry_size(e)) != 0) {
        m_lines(tr("Cannot write %1: %2").arg(entry.name, SystemText(errno)));
        return UnzipCode::DiskError;
      }
    }
    if (entry.hasTime) ::futimens(out.Get(), entry.times);
    if (!out.Close()) {
      m_lines(tr("Cannot write %1: %2").arg(entry.name, SystemText(errno)));
      return UnzipCode::DiskError;
    }
  }
  return UnzipCode::Ok;
}

// Writes the data of the entry the reader stands at into `out`; `end` is where the
// written blocks end. Returns Ok, kBadData with the reader's reason, or the code that
// ends the extraction.
int SafeExtractor::CopyData(archive* a, const Entry& entry, int out, Budget* budget, qint64* end,
                            QString* reason) {
  *end = 0;
  for (;;) {
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    const int dr = archive_read_data_block(a, &block, &size, &offset);
    if (dr == ARCHIVE_EOF) return UnzipCode::Ok;
    // A warning here is a bad CRC or a size other than the header's: damaged data.
    if (dr != ARCHIVE_OK) {
      *reason = ErrorText(a);
      return kBadData;
    }
    budget->written += static_cast<qint64>(size);
    if (budget->written > m_limits.maxBytes || offset < 0 ||
        offset > m_limits.maxBytes - budget->extents - static_cast<qint64>(size)) {
      return Refuse(entry.name,
                    tr("the files would take more than %1 bytes").arg(QString::number(m_limits.maxBytes)));
    }
    const char* p = static_cast<const char*>(block);
    auto at = static_cast<off_t>(offset);
    while (size > 0) {
      const ssize_t n = ::pwrite(out, p, size, at);
      if (n < 0) {
        if (errno == EINTR) continue;
        m_lines(tr("Cannot write %1: %2").arg(entry.name, SystemText(errno)));
        return UnzipCode::DiskError;
      }
      p += n;
      at += n;
      size -= static_cast<size_t>(n);
    }
    *end = std::max<qint64>(*end, at);
  }
}

// Reads entry `index` again, on a reader of its own for each password: first those the
// player gave in this extraction, then new ones asked for. Ends when one reads cleanly,
// when the player gives up, or when the player gives a password already tried here (the
// data itself is damaged then).
int SafeExtractor::ReadWithOtherPasswords(const QString& archivePath, size_t index, const Entry& entry,
                                          int out, Budget* budget, qint64* end, QString* reason) {
  const qint64 writtenBefore = budget->written;
  std::vector<QByteArray> tried;
  size_t next = 0;  // into m_given
  for (;;) {
    QByteArray candidate;
    if (next < m_given.size()) {
      candidate = m_given[next++];
      if (std::find(tried.begin(), tried.end(), candidate) != tried.end()) continue;
    } else {
      const std::optional<QByteArray> answer = m_password ? m_password() : std::nullopt;
      if (!answer || answer->isEmpty()) return kBadData;
      candidate = answer->left(256);
      if (std::find(tried.begin(), tried.end(), candidate) != tried.end()) return kBadData;
      m_given.push_back(candidate);
      next = m_given.size();
    }
    tried.push_back(candidate);
    budget->written = writtenBefore;
    if (::ftruncate(out, 0) != 0) {
      m_lines(tr("Cannot write %1: %2").arg(entry.name, SystemText(errno)));
      return UnzipCode::DiskError;
    }
    int code = UnzipCode::Ok;
    ReaderHolder r;
    r.a = OpenReader(archivePath, &r.file, &code, &candidate);
    if (!r.a) return code;
    archive_entry* e = nullptr;
    for (size_t i = 0; i <= index; ++i) {
      if (i > 0) archive_read_data_skip(r.a);
      const int rc = archive_read_next_header(r.a, &e);
      if (rc == ARCHIVE_EOF || rc < ARCHIVE_WARN) e = nullptr;
      if (!e) break;
    }
    if (!e || DecodeEntryName(RawName(e)) != entry.name) {
      m_lines(tr("The archive changed while it was being read."));
      return UnzipCode::ArchiveError;
    }
    code = CopyData(r.a, entry, out, budget, end, reason);
    if (code != kBadData) return code;
  }
}

// Where each entry goes in the target: names matched without regard to case (files
// from Windows machines spell them as they like), the exact spelling first; new ones
// with the archive's spelling. Each folder is listed once, so thousands of entries in
// one folder stay cheap.
struct SafeExtractor::Placement {
  struct Listing {
    QSet<QString> names;
    QHash<QString, QString> byFolded;  // case-folded name -> first name in listing order
  };
  QHash<QString, Listing> listings;  // by folder path
  QHash<QString, bool> planned;      // path -> is a folder

  Listing& ListingOf(const QString& folder) {
    auto it = listings.find(folder);
    if (it != listings.end()) return *it;
    Listing listing;
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& e : entries) {
      listing.names.insert(e);
      if (!listing.byFolded.contains(e.toCaseFolded())) listing.byFolded.insert(e.toCaseFolded(), e);
    }
    return *listings.insert(folder, listing);
  }

  // The path of `name` in `parent`. `conflict` is set to it when a folder is wanted and
  // something else is there, or the other way round.
  QString Resolve(const QString& parent, const QString& name, bool folder, QString* conflict) {
    Listing& listing = ListingOf(parent);
    QString actual = listing.names.contains(name) ? name : listing.byFolded.value(name.toCaseFolded());
    if (actual.isEmpty()) {
      actual = name;
      listing.names.insert(name);
      listing.byFolded.insert(name.toCaseFolded(), name);
    }
    QString path = parent + QChar('/') + actual;
    auto it = planned.find(path);
    if (it != planned.end()) {
      if (*it != folder) *conflict = path;
      return path;
    }
    struct stat st;
    if (LstatPath(path, &st) && (folder ? !S_ISDIR(st.st_mode) : S_ISDIR(st.st_mode))) *conflict = path;
    planned.insert(path, folder);
    return path;
  }
};

int SafeExtractor::Place(const QString& target, const QString& staging, const std::vector<Entry>& entries) {
  Placement placement;
  struct Step {
    const Entry* entry;
    size_t index;
    QStringList folders;  // to create, outermost first
    QString destination;
  };
  std::vector<Step> steps;
  // Every destination is worked out and checked before the first file moves.
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    if (entry.skipped || entry.path.parts.isEmpty()) continue;
    Step step{&entry, i, {}, {}};
    QString current = target;
    const qsizetype folderParts = entry.folder ? entry.path.parts.size() : entry.path.parts.size() - 1;
    for (qsizetype p = 0; p < entry.path.parts.size(); ++p) {
      const bool folder = p < folderParts;
      QString conflict;
      current = placement.Resolve(current, entry.path.parts[p], folder, &conflict);
      if (!conflict.isEmpty()) {
        m_lines(folder ? tr("Cannot extract %1: %2 is not a folder.").arg(entry.name, conflict)
                       : tr("Cannot extract %1: %2 is a folder.").arg(entry.name, conflict));
        return UnzipCode::DiskError;
      }
      if (folder) step.folders.append(current);
    }
    step.destination = current;
    steps.push_back(step);
  }
  for (const Step& step : steps) {
    for (const QString& folder : step.folders) {
      const QByteArray f = QFile::encodeName(folder);
      if (::mkdir(f.constData(), 0777) != 0 && errno != EEXIST) {
        m_lines(tr("Cannot create folder %1: %2").arg(folder, SystemText(errno)));
        return UnzipCode::DiskError;
      }
    }
    if (step.entry->folder) continue;
    const QByteArray from = QFile::encodeName(staging + QChar('/') + QString::number(step.index));
    const QByteArray to = QFile::encodeName(step.destination);
    if (::rename(from.constData(), to.constData()) != 0) {
      m_lines(tr("Cannot write %1: %2").arg(step.destination, SystemText(errno)));
      return UnzipCode::DiskError;
    }
  }
  // Folder times last: placing the files inside changed them.
  for (const Step& step : steps) {
    if (step.entry->folder && step.entry->hasTime) {
      ::utimensat(AT_FDCWD, QFile::encodeName(step.destination).constData(), step.entry->times,
                  AT_SYMLINK_NOFOLLOW);
    }
  }
  return UnzipCode::Ok;
}

int SafeExtractor::Extract(const QString& archivePath, const QString& targetFolder) {
  m_failedCall.clear();
  if (archivePath.isEmpty() || targetFolder.isEmpty()) {
    m_lines(tr("No archive or no target folder given."));
    return UnzipCode::BadParameter;
  }
  std::vector<Entry> entries;
  int code = Scan(archivePath, &entries);
  if (code != UnzipCode::Ok) return code;

  const QString target = QDir::cleanPath(QDir(targetFolder).absolutePath());
  const QFileInfo targetInfo(target);
  if (targetInfo.exists() ? !targetInfo.isDir() : !QDir().mkpath(target)) {
    m_lines(tr("Cannot create folder %1").arg(target));
    return UnzipCode::DiskError;
  }
  QByteArray pattern = QFile::encodeName(target + QStringLiteral("/.kolt-unzip-XXXXXX"));
  if (!::mkdtemp(pattern.data())) {
    m_lines(tr("Cannot write into %1: %2").arg(target, SystemText(errno)));
    return UnzipCode::DiskError;
  }
  StagingHolder staging;
  staging.path = QFile::decodeName(pattern);
  FileDescriptor stagingFd(::open(pattern.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!stagingFd.IsOpen()) {
    m_lines(tr("Cannot write into %1: %2").arg(target, SystemText(errno)));
    return UnzipCode::DiskError;
  }
  code = Unpack(archivePath, stagingFd.Get(), &entries);
  if (code != UnzipCode::Ok) {
    if (code != UnzipCode::Refused) m_lines(tr("Nothing was extracted."));
    return code;
  }
  code = Place(target, staging.path, entries);
  if (code != UnzipCode::Ok) return code;

  qsizetype files = 0, skipped = 0;
  for (const Entry& e : entries) {
    if (e.folder) continue;
    ++files;
    if (e.skipped) ++skipped;
  }
  if (entries.empty()) {
    m_lines(tr("The archive holds no files."));
    return UnzipCode::Warning;
  }
  if (skipped > 0) return skipped == files ? UnzipCode::BadPassword : UnzipCode::Warning;
  return UnzipCode::Ok;
}

}  // namespace kolt

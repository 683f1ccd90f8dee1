#include "exchange/turns/ReceiveJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <cerrno>

#include "core/Startup.h"

namespace kolt {
namespace {

const QString kPrefix = QStringLiteral("journal.");
const QString kTemporaryPrefix = QStringLiteral(".journal.");
// Far more than any batch needs; a larger file is not ours.
constexpr qint64 kMaxBytes = qint64{64} << 20;

QByteArray Serialise(const ReceiveJournal::Content& c) {
  QJsonArray files;
  for (const ReceiveJournal::File& f : c.files) {
    files.append(QJsonObject{{"folder", f.folder},
                             {"name", f.name},
                             {"primary", f.primary},
                             {"key", f.key},
                             {"extra", f.extra},
                             {"inPlace", f.inPlace},
                             {"size", f.size},
                             {"hash", QString::fromLatin1(f.hash.toHex())},
                             {"backup", f.backup},
                             {"oldStamp", f.oldStamp},
                             {"oldSize", f.oldSize}});
  }
  const QJsonObject root{{"version", 1},     {"program", c.program}, {"sender", c.sender},
                         {"taunt", c.taunt}, {"plain", c.plain},     {"tag", QString::fromLatin1(c.tag)},
                         {"files", files}};
  return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

bool Parse(const QByteArray& bytes, ReceiveJournal::Content* c) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) return false;
  const QJsonObject root = doc.object();
  if (root.value("version").toInt() != 1) return false;
  c->program = root.value("program").toString();
  c->sender = root.value("sender").toString();
  c->taunt = root.value("taunt").toString();
  c->plain = root.value("plain").toBool();
  c->tag = root.value("tag").toString().toLatin1();
  const QJsonArray files = root.value("files").toArray();
  for (const QJsonValue v : files) {
    const QJsonObject o = v.toObject();
    ReceiveJournal::File f;
    f.folder = o.value("folder").toString();
    f.name = o.value("name").toString();
    f.primary = o.value("primary").toBool();
    f.key = o.value("key").toString();
    f.extra = o.value("extra").toString();
    f.inPlace = o.value("inPlace").toBool();
    f.size = o.value("size").toInteger(-1);
    f.hash = QByteArray::fromHex(o.value("hash").toString().toLatin1());
    f.backup = o.value("backup").toString();
    f.oldStamp = o.value("oldStamp").toString();
    f.oldSize = o.value("oldSize").toInteger(-1);
    if (f.folder.isEmpty() || f.name.isEmpty()) return false;
    c->files.push_back(std::move(f));
  }
  return !c->program.isEmpty();
}

bool WriteAll(int fd, const QByteArray& bytes) {
  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    left -= n;
  }
  return true;
}

// The folder's entries survive a power cut only once the folder itself is flushed.
bool SyncFolder(const QString& folder) {
  const FileDescriptor fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return fd.IsOpen() && ::fsync(fd.Get()) == 0;
}

// Opens `path` and locks it without waiting; an invalid descriptor when another process
// holds it (its batch is at work) or it is gone.
FileDescriptor LockIfIdle(const QByteArray& path) {
  FileDescriptor fd(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  if (!fd.IsOpen() || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) return {};
  // Still the file under that name: another process may have finished and removed it
  // between the open and the lock.
  struct stat held {
  }, named{};
  if (::fstat(fd.Get(), &held) != 0 || !S_ISREG(held.st_mode) || ::lstat(path.constData(), &named) != 0 ||
      held.st_dev != named.st_dev || held.st_ino != named.st_ino)
    return {};
  return fd;
}

}  // namespace

ReceiveJournal::~ReceiveJournal() {
  Leave();
}

QString ReceiveJournal::Folder() {
  const QString home = App().homeFolder;
  return home.isEmpty() ? QString() : home + QStringLiteral("/receiving");
}

QByteArray ReceiveJournal::Hash(const QString& path) {
  const FileDescriptor fd(
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  struct stat st {};
  if (!fd.IsOpen() || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
  QCryptographicHash hash(QCryptographicHash::Sha256);
  QByteArray buffer(1 << 16, Qt::Uninitialized);
  for (;;) {
    const ssize_t n = ::read(fd.Get(), buffer.data(), static_cast<size_t>(buffer.size()));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return {};
    }
    hash.addData(QByteArrayView(buffer.constData(), n));
  }
  return hash.result();
}

QByteArray ReceiveJournal::NewTag() {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  QByteArray tag;
  for (int i = 0; i < 6; ++i) tag += kChars[QRandomGenerator::system()->bounded(62)];
  return tag;
}

bool ReceiveJournal::Write(const QString& folder, const Content& content) {
  Leave();
  if (!QDir().mkpath(folder)) return false;
  QByteArray temp = QFile::encodeName(folder + QChar('/') + kTemporaryPrefix) + "XXXXXX";
  FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (!fd.IsOpen()) return false;
  const QString suffix = QFile::decodeName(temp.right(6));
  const QString path = folder + QChar('/') + kPrefix + suffix;
  // Locked before it has its name: nobody may take it for the journal of a batch that
  // is gone.
  const bool ok = ::flock(fd.Get(), LOCK_EX) == 0 && WriteAll(fd.Get(), Serialise(content)) &&
                  ::fsync(fd.Get()) == 0 &&
                  ::rename(temp.constData(), QFile::encodeName(path).constData()) == 0 && SyncFolder(folder);
  if (!ok) {
    const int error = errno;
    ::unlink(temp.constData());
    ::unlink(QFile::encodeName(path).constData());
    errno = error;
    return false;
  }
  m_path = path;
  m_fd = std::move(fd);
  m_content = content;
  return true;
}

void ReceiveJournal::Remove() {
  if (!m_fd.IsOpen()) return;
  ::unlink(QFile::encodeName(m_path).constData());
  SyncFolder(QFileInfo(m_path).absolutePath());
  m_fd.Reset();
}

void ReceiveJournal::Leave() {
  m_fd.Reset();
}

std::vector<std::unique_ptr<ReceiveJournal>> ReceiveJournal::TakeInterrupted(const QString& folder) {
  std::vector<std::unique_ptr<ReceiveJournal>> found;
  if (folder.isEmpty()) return found;
  const QStringList names = QDir(folder).entryList({kPrefix + QChar('*'), kTemporaryPrefix + QChar('*')},
                                                   QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString& name : names) {
    const QString path = folder + QChar('/') + name;
    const QByteArray encoded = QFile::encodeName(path);
    FileDescriptor fd = LockIfIdle(encoded);
    if (!fd.IsOpen()) continue;
    if (name.startsWith(kTemporaryPrefix)) {
      ::unlink(encoded.constData());  // never complete, so nothing was replaced after it
      continue;
    }
    struct stat st {};
    Content content;
    QFile file;
    bool read = ::fstat(fd.Get(), &st) == 0 && st.st_size <= kMaxBytes &&
                file.open(fd.Get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    if (read) read = Parse(file.readAll(), &content);
    if (!read) {
      ::unlink(encoded.constData());
      continue;
    }
    auto journal = std::make_unique<ReceiveJournal>();
    journal->m_path = path;
    journal->m_fd = std::move(fd);
    journal->m_content = std::move(content);
    found.push_back(std::move(journal));
  }
  return found;
}

}  // namespace kolt

#include "exchange/loop/HostJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <cerrno>

#include "core/FileNames.h"
#include "core/FolderSnapshot.h"
#include "core/Startup.h"
#include "exchange/turns/FileReplace.h"
#include "exchange/turns/MailboxState.h"

namespace kolt {
namespace {

// Game names come from save files other people named: the journal's file names are a
// digest of the key, never the key itself.
QString Digest(const QString& key) {
  return QString::fromLatin1(
      QCryptographicHash::hash(key.toUpper().toUtf8(), QCryptographicHash::Sha1).toHex().left(20));
}

QJsonArray ToArray(const QStringList& list) {
  QJsonArray array;
  for (const QString& s : list) array.append(s);
  return array;
}

QStringList FromArray(const QJsonValue& value) {
  QStringList list;
  const QJsonArray array = value.toArray();
  for (const auto& v : array) list.append(v.toString());
  return list;
}

}  // namespace

QString HostJournal::Folder() {
  return HomeFile(QStringLiteral("autohost"));
}

HostJournal::HostJournal(const QString& gameKey) : m_key(gameKey) {
  const QString base = Folder() + QChar('/') + Digest(gameKey);
  m_path = base + QStringLiteral(".json");
  m_copies = base + QStringLiteral(".files");
}

HostJournal::~HostJournal() {
  if (m_lock >= 0) ::close(m_lock);
}

QStringList HostJournal::Pending() {
  QStringList keys;
  const QDir folder(Folder());
  for (const QString& name : folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
    const QString key = ReadJsonFile(folder.filePath(name)).value(QStringLiteral("game")).toString();
    if (!key.isEmpty()) keys.append(key);
  }
  return keys;
}

bool HostJournal::TryLock(bool* busy) {
  *busy = false;
  if (m_lock >= 0) return true;
  if (!QDir().mkpath(Folder())) return false;
  const QByteArray path = QFile::encodeName(m_path.left(m_path.size() - 5) + QStringLiteral(".lock"));
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    *busy = errno == EWOULDBLOCK;
    ::close(fd);
    return false;
  }
  m_lock = fd;
  return true;
}

bool HostJournal::Exists() const {
  return QFileInfo::exists(m_path);
}

bool HostJournal::Load() {
  if (!Exists()) return false;
  const QJsonObject o = ReadJsonFile(m_path);
  m_phase = o.value(QStringLiteral("phase")).toString();
  m_folder = o.value(QStringLiteral("folder")).toString();
  m_files = FromArray(o.value(QStringLiteral("files")));
  m_stamp = o.value(QStringLiteral("stamp")).toString();
  m_recipients = FromArray(o.value(QStringLiteral("recipients")));
  m_sent = FromArray(o.value(QStringLiteral("sent")));
  m_sending = o.value(QStringLiteral("sending")).toString();
  return !m_phase.isEmpty();
}

bool HostJournal::Save(QString* error) {
  const QJsonObject o{
      {QStringLiteral("game"), m_key},           {QStringLiteral("phase"), m_phase},
      {QStringLiteral("folder"), m_folder},      {QStringLiteral("files"), ToArray(m_files)},
      {QStringLiteral("stamp"), m_stamp},        {QStringLiteral("recipients"), ToArray(m_recipients)},
      {QStringLiteral("sent"), ToArray(m_sent)}, {QStringLiteral("sending"), m_sending}};
  if (WriteJsonFile(m_path, o)) return true;
  *error = QCoreApplication::translate("HostJournal", "Can't write the host journal %1").arg(m_path);
  return false;
}

bool HostJournal::BeginHosting(const QStringList& files, QString* error) {
  // Copies left by a step whose journal never got written are of no use.
  QDir(m_copies).removeRecursively();
  if (!QDir().mkpath(m_copies)) {
    *error = QCoreApplication::translate("HostJournal", "Can't create folder: %1").arg(m_copies);
    return false;
  }
  m_files.clear();
  m_folder.clear();
  for (const QString& file : files) {
    const QFileInfo info(file);
    m_folder = info.absolutePath();
    QString reason;
    if (!ReplaceWithCopy(file, m_copies + QChar('/') + info.fileName(), &reason)) {
      *error = QCoreApplication::translate("HostJournal", "Can't copy %1: %2").arg(file, reason);
      QDir(m_copies).removeRecursively();
      return false;
    }
    m_files.append(info.fileName());
  }
  m_phase = QStringLiteral("hosting");
  return Save(error);
}

bool HostJournal::UndoHosting(const QString& prefix, QString* error) {
  const QDir folder(m_folder);
  if (!m_folder.isEmpty() && !prefix.isEmpty()) {
    for (const FolderEntry& entry : ListPrefixNoCase(m_folder, prefix)) {
      if (!entry.IsFile() || m_files.contains(entry.name)) continue;
      if (!RemoveIfPresent(folder.filePath(entry.name))) {
        *error = QCoreApplication::translate("HostJournal", "Can't delete file: %1")
                     .arg(folder.filePath(entry.name));
        return false;
      }
    }
  }
  for (const QString& name : m_files) {
    const QString copy = m_copies + QChar('/') + name;
    const QString target = folder.filePath(name);
    // A file the step did not touch needs no copy (and keeps its own time).
    if (IsFaithfulCopy(copy, target)) continue;
    QString reason;
    if (!ReplaceWithCopy(copy, target, &reason)) {
      *error = QCoreApplication::translate("HostJournal", "Can't put back %1: %2").arg(target, reason);
      return false;
    }
    NoteChanged(target);
  }
  NoteFolderChanged(m_folder);
  return true;
}

bool HostJournal::BeginSending(const QString& stamp, const QStringList& recipients, QString* error) {
  m_phase = QStringLiteral("sending");
  m_stamp = stamp;
  m_recipients = recipients;
  m_sent.clear();
  m_sending.clear();
  return Save(error);
}

bool HostJournal::MarkSending(const QString& address, QString* error) {
  m_sending = address;
  return Save(error);
}

bool HostJournal::MarkSent(const QString& address, QString* error) {
  m_sent.append(address);
  m_sending.clear();
  return Save(error);
}

bool HostJournal::Finish(QString* error) {
  QDir(m_copies).removeRecursively();
  if (!QFile::remove(m_path) && QFileInfo::exists(m_path)) {
    *error = QCoreApplication::translate("HostJournal", "Can't delete file: %1").arg(m_path);
    return false;
  }
  m_phase.clear();
  return true;
}

}  // namespace kolt

#include "programs/SPWAW/SPWAW_Game.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "core/FileNames.h"
#include "core/TextCodec.h"
#include "model/Status.h"

namespace kolt {
namespace {

// A comment file holds a line or two of text; received ones come from other people, so
// a huge one must not be read whole.
constexpr qint64 kCommentReadMax = 1 << 20;

bool IsBackup(const QString& name) {
  return WildcardMatch(QStringLiteral("*.BAK"), name);
}

// Windows does not force the deletion of a read-only file; under Wine a file without
// any write permission is read-only.
bool IsReadOnly(const QString& path) {
  const QFileDevice::Permissions p = QFileInfo(path).permissions();
  // The stored bits, not what this user may do: root may write anything.
  return !(p & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

}  // namespace

QString SPWAW_Game::DescriptionOf(const QByteArray& comment) {
  QByteArray text = comment;
  const qsizetype nul = text.indexOf('\0');
  if (nul >= 0) text.truncate(nul);
  if (text.endsWith('\x01')) text.chop(1);
  return DecodeText(text);
}

void SPWAW_Game::Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) {
  // The receiving engine binds one object to several received games in turn.
  m_valid = false;
  m_program.reset();
  m_folder.clear();
  m_name.clear();
  m_baseName.clear();
  m_description.clear();
  if (WildcardMatch(QStringLiteral("SAVE000*"), fileName) ||
      WildcardMatch(QStringLiteral("SAVE001*"), fileName))
    return;  // the game's own quick saves, never a game in progress
  m_program = std::move(program);
  m_folder = ResolveNoCase(m_program ? m_program->GetDirectory() : QString(), subfolder);
  m_name = fileName;

  if (!m_program || m_program->GetDirectory().isEmpty()) return;
  const QString path = FindEntryNoCase(m_folder, m_name);
  if (path.isEmpty()) return;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = file.read(kCommentReadMax);
  if (file.error() != QFileDevice::NoError) return;
  m_description = DescriptionOf(bytes);

  const qsizetype dot = m_name.lastIndexOf(QChar('.'));
  m_baseName = dot < 0 ? m_name : m_name.left(dot);
  m_valid = true;
}

QStringList SPWAW_Game::FileNames(bool withBackups) const {
  QStringList names;
  if (m_baseName.isEmpty()) return names;
  const QString prefix = m_baseName + QChar('.');
  const QStringList entries =
      QDir(m_folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& entry : entries) {
    if (entry.size() <= prefix.size() || !entry.startsWith(prefix, Qt::CaseInsensitive)) continue;
    const bool backup = IsBackup(entry);
    if (backup && !withBackups) continue;
    // One extension only (besides a backup's ".bak"): "email1.x.dat" belongs to the
    // game "email1.x", not to "email1".
    QString extension = entry.mid(prefix.size());
    if (backup) extension.chop(4);
    if (extension.contains(QChar('.'))) continue;
    names.append(entry);
  }
  return names;
}

QString SPWAW_Game::StatusFile() const {
  if (m_baseName.isEmpty()) return QString();
  return FindEntryNoCase(m_folder, m_baseName + QStringLiteral(".dat"));
}

QString SPWAW_Game::GetModifiedStamp() const {
  return FileStamp(StatusFile());
}

QString SPWAW_Game::GetModified() const {
  return FileModifiedText(StatusFile());
}

qint64 SPWAW_Game::GetSize() const {
  qint64 total = 0;
  for (const QString& name : FileNames(false)) total += QFileInfo(QDir(m_folder).filePath(name)).size();
  return total;
}

QStringList SPWAW_Game::GetFiles() const {
  QStringList paths;
  for (const QString& name : FileNames(false)) paths.append(QDir(m_folder).filePath(name));
  return paths;
}

void SPWAW_Game::Delete() {
  const QStringList names = FileNames(true);
  // A write-protected file would stop the deletion half-way and leave a game without
  // its comment file; find it before anything is deleted.
  for (const QString& name : names) {
    const QString path = QDir(m_folder).filePath(name);
    if (IsReadOnly(path)) {
      SetSystemError(EACCES);
      m_ui.ShowError(QStringLiteral("Can't delete: ") + path);
      return;
    }
  }
  for (const QString& name : names) {
    const QString path = QDir(m_folder).filePath(name);
    QFile file(path);
    if (!file.remove()) {
      m_ui.ShowError(QStringLiteral("Can't delete: ") + path);
      return;
    }
  }
  ClearRecord(false);
}

}  // namespace kolt

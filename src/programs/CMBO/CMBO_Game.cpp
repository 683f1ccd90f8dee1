#include "programs/CMBO/CMBO_Game.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>

#include "core/FileNames.h"
#include "core/UiPort.h"
#include "model/Status.h"
#include "programs/BuiltinProgram.h"

namespace kolt {
namespace {

bool IsDigit(QChar c) {
  return c >= QChar('0') && c <= QChar('9');
}

QString StemOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  return dot < 0 ? name : name.left(dot);
}

// Moves `from` to `to` unless something is there already (Windows never replaces a file
// when it moves one).
bool MoveWithoutReplacing(const QString& from, const QString& to) {
  const QByteArray a = QFile::encodeName(from);
  const QByteArray b = QFile::encodeName(to);
  if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: a second name, then the first one goes.
  if (::link(a.constData(), b.constData()) != 0) return false;
  return ::unlink(a.constData()) == 0;
}

}  // namespace

bool CMBO_Game::CanRead(const FolderEntry& entry) const {
  // A folder, pipe or device of that name is no turn file, and is never opened: a pipe
  // would block the listing.
  const QByteArray path = QFile::encodeName(QDir(m_folder).filePath(entry.name));
  if (!entry.IsFile()) {
    struct stat st {};
    // A link that leads nowhere says so; anything else is the wrong kind of entry.
    SetSystemError(entry.IsFolder() ? EISDIR : ::stat(path.constData(), &st) != 0 ? errno : EINVAL);
    return false;
  }
  // Readable as this process opens files (its effective ids); asked of the kernel
  // without opening it, for every turn of every refresh.
  if (::faccessat(AT_FDCWD, path.constData(), R_OK, AT_EACCESS) == 0) return true;
  SetSystemError(errno);
  return false;
}

bool CMBO_Game::IsNumberedStem(const QString& stem) {
  const qsizetype n = stem.size();
  return n >= 4 && IsDigit(stem[n - 1]) && IsDigit(stem[n - 2]) && IsDigit(stem[n - 3]) &&
         !IsDigit(stem[n - 4]);
}

void CMBO_Game::Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) {
  // The receiving engine binds one object to several received games in turn.
  m_valid = false;
  m_numbered = false;
  m_baseName.clear();
  m_number.clear();
  latestStamp.clear();
  latestNumber.clear();
  m_program = std::move(program);
  m_folder = ResolveNoCase(m_program ? m_program->GetDirectory() : QString(), subfolder);
  m_name = fileName;
  if (!m_program || m_program->GetDirectory().isEmpty()) return;

  // The series is known from the name alone: a received turn whose file is not
  // installed yet is checked against the record of its series.
  const QString stem = StemOf(fileName);
  const bool numbered = IsNumberedStem(stem);
  const QString base = numbered ? stem.left(stem.size() - 3) : stem;
  const std::optional<FolderEntry> turn = EntryNoCase(m_folder, fileName);
  if (!turn) {
    if (numbered) {
      m_numbered = true;
      m_baseName = base;
    }
    return;
  }
  if (!CanRead(*turn)) {
    m_ui.ShowError(QCoreApplication::translate("CMBO_Game", "Can't get file: %1")
                       .arg(QDir(m_folder).filePath(turn->name)));
    return;
  }
  m_name = turn->name;
  m_valid = true;
  m_baseName = base;
  if (numbered) {
    m_numbered = true;
    m_number = stem.right(3);
    latestStamp = StampOf(*turn);
    latestNumber = m_number;
  }
}

std::optional<FolderEntry> CMBO_Game::StateFile() const {
  if (m_name.isEmpty() || m_folder.isEmpty()) return std::nullopt;
  std::optional<FolderEntry> entry = EntryNoCase(m_folder, m_name);
  if (!entry || !entry->IsFile()) return std::nullopt;
  return entry;
}

QString CMBO_Game::GetName() const {
  return m_numbered ? m_baseName + QStringLiteral("###.txt") : m_name;
}

QString CMBO_Game::GetDescription() const {
  if (!m_numbered) return QString();
  if (latestNumber.isEmpty() || latestNumber == m_number) return m_number;
  return m_number + QStringLiteral(" (latest ") + latestNumber + QChar(')');
}

QString CMBO_Game::GetRecordKey() const {
  return m_numbered ? m_baseName : m_name;
}

qint64 CMBO_Game::GetSize() const {
  const std::optional<FolderEntry> turn = KeptStateFile();
  return turn ? turn->size : 0;
}

QStringList CMBO_Game::GetFiles() const {
  if (!m_valid) return {};
  return {QDir(m_folder).filePath(m_name)};
}

bool CMBO_Game::Backup() {
  if (!m_valid || m_baseName.isEmpty()) return false;
  QString candidate = m_baseName;
  for (;;) {
    const std::optional<FolderEntry> existing = EntryNoCase(m_folder, candidate);
    if (existing) {
      if (!existing->IsFolder()) return false;
      candidate = existing->name;
      break;
    }
    const QChar last = candidate.back();
    if (candidate.size() > 1 && (last == QChar('_') || last == QChar(' ') || last == QChar('-'))) {
      candidate.chop(1);
      continue;
    }
    const QString path = QDir(m_folder).filePath(candidate);
    const bool made = QDir().mkdir(path);
    NoteChanged(path);
    if (!made) return false;
  }
  const QString from = QDir(m_folder).filePath(m_name);
  const QString to = QDir(QDir(m_folder).filePath(candidate)).filePath(m_name);
  const bool moved = MoveWithoutReplacing(from, to);
  NoteChanged(from);
  NoteChanged(to);
  return moved;
}

void CMBO_Game::Delete() {
  if (!m_numbered) {
    if (!DeleteGameFile(m_ui, QDir(m_folder).filePath(m_name))) return;
  } else if (!Backup()) {
    // The backup folder already holds this turn: the whole series goes.
    for (const QString& name : ListNoCase(m_folder, m_baseName + QStringLiteral("???.txt"))) {
      // base + three digits + ".txt": another series sharing the base's start stays.
      if (name.size() != m_baseName.size() + 7) continue;
      bool digits = true;
      for (qsizetype i = m_baseName.size(); i < m_baseName.size() + 3; ++i)
        digits = digits && IsDigit(name[i]);
      if (!digits) continue;
      if (!DeleteGameFile(m_ui, QDir(m_folder).filePath(name))) return;
    }
  }
  if (!ClearRecord(false)) m_ui.ShowSettingsWriteError();
}

}  // namespace kolt

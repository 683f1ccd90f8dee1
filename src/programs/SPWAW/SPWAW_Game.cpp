#include "programs/SPWAW/SPWAW_Game.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include "core/FileNames.h"
#include "core/TextCodec.h"
#include "core/Utilities.h"
#include "model/Status.h"
#include "programs/BuiltinProgram.h"

namespace kolt {
namespace {

// A comment file holds a line or two of text; received ones come from other people, so
// a huge one must not be read whole.
constexpr qint64 kCommentReadMax = 1 << 20;

bool IsBackup(const QString& name) {
  return WildcardMatch(QStringLiteral("*.BAK"), name);
}

// Windows does not force the deletion of a read-only file; under Wine a file without
// any write permission is read-only. The stored bits, not what this user may do: root
// may write anything.
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
  const std::optional<FolderEntry> comment = EntryNoCase(m_folder, m_name);
  if (!comment || !comment->IsFile()) return;
  const std::optional<QByteArray> bytes =
      ReadListedFile(QDir(m_folder).filePath(comment->name), *comment, kCommentReadMax);
  if (!bytes) return;
  m_description = DescriptionOf(*bytes);

  const qsizetype dot = m_name.lastIndexOf(QChar('.'));
  m_baseName = dot < 0 ? m_name : m_name.left(dot);
  m_valid = true;
}

std::vector<FolderEntry> SPWAW_Game::Files(bool withBackups) const {
  std::vector<FolderEntry> files;
  if (m_baseName.isEmpty()) return files;
  const QString prefix = m_baseName + QChar('.');
  for (FolderEntry& entry : ListPrefixNoCase(m_folder, prefix)) {
    const QString& name = entry.name;
    if (name.size() <= prefix.size() || !entry.IsFile()) continue;
    const bool backup = IsBackup(name);
    if (backup && !withBackups) continue;
    // One extension only (besides a backup's ".bak"): "email1.x.dat" belongs to the
    // game "email1.x", not to "email1".
    QStringView extension = QStringView(name).mid(prefix.size());
    if (backup) extension.chop(4);
    if (extension.contains(QChar('.'))) continue;
    files.push_back(std::move(entry));
  }
  return files;
}

std::optional<FolderEntry> SPWAW_Game::StateFile() const {
  if (m_baseName.isEmpty()) return std::nullopt;
  std::optional<FolderEntry> entry = EntryNoCase(m_folder, m_baseName + QStringLiteral(".dat"));
  if (!entry || !entry->IsFile()) return std::nullopt;
  return entry;
}

qint64 SPWAW_Game::GetSize() const {
  qint64 total = 0;
  for (const FolderEntry& file : Files(false)) total += file.size;
  return total;
}

QStringList SPWAW_Game::GetFiles() const {
  QStringList paths;
  for (const FolderEntry& file : Files(false)) paths.append(QDir(m_folder).filePath(file.name));
  return paths;
}

void SPWAW_Game::Delete() {
  if (!DeleteGameFiles(m_ui, m_folder, Files(true))) return;
  if (!ClearRecord(false)) m_ui.ShowSettingsWriteError();
}

}  // namespace kolt

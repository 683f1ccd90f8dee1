#include "programs/CUSTOM/CUSTOM_Game.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include "core/FileNames.h"
#include "core/TextCodec.h"
#include "core/Utilities.h"
#include "model/Status.h"
#include "programs/BuiltinProgram.h"
#include "programs/CUSTOM/CUSTOM.h"

namespace kolt {
namespace {

// Description rules read files that other people sent: a few lines or characters are
// wanted, so nothing beyond these is ever read.
constexpr qint64 kFirstRead = qint64{4} * 1024;
constexpr qint64 kLineReadMax = qint64{1024} * 1024;  // LINE: the lines up to the one wanted
constexpr qint64 kTextReadMax = qint64{64} * 1024;    // TRIM, and the characters of MID

// Windows does not force the deletion of a read-only file; under Wine a file without any
// write permission is read-only.
// A number of a rule: its leading number, rounded to the nearest integer with halves to
// the even neighbour, kept within a range that no file reaches.
qint64 RuleNumber(const QString& text) {
  const double value = std::nearbyint(LeadingNumber(text));
  constexpr double kLimit = 1e15;
  return static_cast<qint64>(std::clamp(value, -kLimit, kLimit));
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QByteArray TrimBlanks(const QByteArray& bytes) {
  qsizetype begin = 0;
  qsizetype end = bytes.size();
  while (begin < end && IsBlank(bytes[begin])) ++begin;
  while (end > begin && IsBlank(bytes[end - 1])) --end;
  return bytes.mid(begin, end - begin);
}

QByteArray CutAtNul(QByteArray bytes) {
  const qsizetype nul = bytes.indexOf('\0');
  if (nul >= 0) bytes.truncate(nul);
  return bytes;
}

// The first `max` bytes of the file, through the pass's listing when there is one.
std::optional<QByteArray> ReadHead(const QString& path, const FolderEntry& entry, qint64 max) {
  return ReadListedFile(path, entry, max);
}

// Line `n` (from 1) of the file; nullopt when the file has fewer lines. A line ends at
// CR LF, CR or LF. Reads a little first and more only when the line lies further on.
std::optional<QByteArray> LineOf(const QString& path, const FolderEntry& entry, qint64 n) {
  for (qint64 max = kFirstRead;; max *= 16) {
    max = std::min(max, kLineReadMax);
    const std::optional<QByteArray> head = ReadHead(path, entry, max);
    if (!head) return std::nullopt;
    const bool whole = head->size() < max;
    qsizetype start = 0;
    qint64 line = 1;
    while (true) {
      qsizetype end = start;
      while (end < head->size() && head->at(end) != '\r' && head->at(end) != '\n') ++end;
      const bool ended = end < head->size();
      if (line == n) {
        if (ended || whole) {
          if (!ended && start == head->size()) return std::nullopt;  // nothing after the last line end
          return head->mid(start, end - start);
        }
        break;  // the line goes on beyond what was read
      }
      if (!ended) {
        if (whole) return std::nullopt;
        break;
      }
      start = end + 1;
      if (head->at(end) == '\r' && start < head->size() && head->at(start) == '\n') ++start;
      ++line;
    }
    // A line longer than anything read here is cut to what was read.
    if (max >= kLineReadMax) {
      if (line == n) return head->mid(start);
      return std::nullopt;
    }
  }
}

}  // namespace

void CUSTOM_Game::Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) {
  // The receiving engine binds one object to several received games in turn.
  m_valid = false;
  m_program = std::move(program);
  m_folder.clear();
  m_fileName = fileName;
  m_baseName.clear();
  m_statusFileName.clear();
  m_description.clear();

  const auto* custom = dynamic_cast<const CUSTOM*>(m_program.get());
  if (!custom || custom->GetDirectory().isEmpty()) return;
  m_folder = subfolder.isEmpty() ? custom->GetDirectory() : ResolveNoCase(custom->GetDirectory(), subfolder);
  const qsizetype dot = fileName.lastIndexOf(QChar('.'));
  m_baseName = dot < 0 ? fileName : fileName.left(dot);
  const QString modifiedExt = custom->GetModifiedExt();
  m_statusFileName = modifiedExt.isEmpty() ? m_baseName : m_baseName + QChar('.') + modifiedExt;

  const std::optional<FolderEntry> primary = EntryNoCase(m_folder, m_fileName);
  if (!primary || !primary->IsFile()) return;
  m_valid = true;
  const QString rule = custom->GetDescription().toUpper();
  // A game file linked to somewhere else (a received or planted link) is a game all the
  // same, but its description would show what lies there: it is read only inside the
  // installation folder. A file that is no link is where its folder is.
  auto inside = [&] {
    if (!primary->link) return custom->StaysInside(subfolder);
    return !LeadsOutOf(custom->GetDirectory(),
                       subfolder.isEmpty() ? primary->name : subfolder + QChar('/') + primary->name);
  };
  if (!rule.isEmpty() && inside())
    m_description = DescriptionRule(m_ui, QDir(m_folder).filePath(primary->name), rule);
}

std::vector<FolderEntry> CUSTOM_Game::Files() const {
  std::vector<FolderEntry> files;
  if (!m_valid) return files;
  const auto* custom = dynamic_cast<const CUSTOM*>(m_program.get());
  if (!custom) return files;
  const std::vector<CUSTOM_File>& types = custom->GetCustomFiles();
  if (types.size() < 2) {
    if (std::optional<FolderEntry> primary = EntryNoCase(m_folder, m_fileName); primary && primary->IsFile())
      files.push_back(std::move(*primary));
    return files;
  }
  auto isTypeExt = [&](const QString& extension) {
    for (const CUSTOM_File& type : types) {
      if (type.Ext.compare(extension, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
  };
  // A type without an extension is the base name alone.
  if (isTypeExt(QString())) {
    if (std::optional<FolderEntry> bare = EntryNoCase(m_folder, m_baseName); bare && bare->IsFile())
      files.push_back(std::move(*bare));
  }
  // The whole rest after "<base>." is the extension: "turn.old.sav" is the game
  // "turn.old", not a file of the game "turn".
  const QString prefix = m_baseName + QChar('.');
  for (FolderEntry& entry : ListPrefixNoCase(m_folder, prefix)) {
    if (!entry.IsFile() || entry.name.size() <= prefix.size()) continue;
    if (isTypeExt(entry.name.mid(prefix.size()))) files.push_back(std::move(entry));
  }
  return files;
}

std::optional<FolderEntry> CUSTOM_Game::StateFile() const {
  if (m_statusFileName.isEmpty()) return std::nullopt;
  std::optional<FolderEntry> entry = EntryNoCase(m_folder, m_statusFileName);
  if (!entry || !entry->IsFile()) return std::nullopt;
  return entry;
}

qint64 CUSTOM_Game::GetSize() const {
  qint64 total = 0;
  for (const FolderEntry& file : Files()) total += file.size;
  return total;
}

QStringList CUSTOM_Game::GetFiles() const {
  QStringList paths;
  for (const FolderEntry& file : Files()) paths.append(QDir(m_folder).filePath(file.name));
  return paths;
}

void CUSTOM_Game::Delete() {
  if (!DeleteGameFiles(m_ui, m_folder, Files())) return;
  if (!ClearRecord(true)) m_ui.ShowSettingsWriteError();
}

QString DescriptionRule(UiPort& ui, const QString& path, const QString& givenRule) {
  // Callers hand it in upper case; the editor's test may not.
  const QString rule = givenRule.toUpper();
  const std::optional<FolderEntry> entry = FileEntryAt(path);
  if (!entry || !entry->IsFile()) return QString();
  // The listed spelling: the path may name the file in another case.
  const QString file = QDir(QFileInfo(path).path()).filePath(entry->name);

  if (rule.startsWith(QStringLiteral("LINE"))) {
    const qint64 n = std::max<qint64>(RuleNumber(rule.mid(4)), 1);
    const std::optional<QByteArray> line = LineOf(file, *entry, n);
    return line ? DecodeText(*line) : QString();
  }
  if (rule == QStringLiteral("TRIM")) {
    const std::optional<QByteArray> text = ReadHead(file, *entry, kTextReadMax);
    return text ? DecodeText(CutAtNul(TrimBlanks(*text))) : QString();
  }
  if (rule.startsWith(QStringLiteral("MID"))) {
    const QStringList parts = rule.mid(3).split(QChar(','));
    if (parts.size() == 2) {
      const qint64 offset = RuleNumber(parts[0]);
      const qint64 length = std::min(RuleNumber(parts[1]), kTextReadMax);
      const qint64 skip = offset > 0 ? offset - 1 : 0;
      if (length <= 0 || skip >= entry->size) return QString();
      const std::optional<QByteArray> part = ReadFilePart(file, skip, length);
      return part ? DecodeText(TrimBlanks(CutAtNul(*part))) : QString();
    }
  }
  // A file that cannot be opened gives nothing, and no word about the rule.
  if (!ReadFileHead(file, 0)) return QString();
  ui.MsgBox(QCoreApplication::translate("CUSTOM_Game", "Invalid Description rule: %1").arg(rule), Buttons::Ok,
            Icon::Exclamation);
  return QString();
}

}  // namespace kolt

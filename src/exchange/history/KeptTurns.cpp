#include "exchange/history/KeptTurns.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "core/FolderSnapshot.h"
#include "core/RegularFile.h"
#include "exchange/turns/FileReplace.h"
#include "exchange/turns/TargetFolder.h"
#include "model/Status.h"

namespace kolt::kept_turns {
namespace {

const QString kBackupFolder = QStringLiteral("bak");
const QString kHistoryFolder = QStringLiteral("history");

// A game's name as one folder name: names come from game files, so anything that could
// leave the folder becomes "_".
QString FolderName(const QString& name) {
  QString out;
  for (QChar c : name) out += (c == QChar('/') || c == QChar('\\') || c.unicode() < 0x20) ? QChar('_') : c;
  if (out.isEmpty() || out == QStringLiteral(".") || out == QStringLiteral("..")) out = QStringLiteral("_");
  return out;
}

// "2024-06-01 10:00:00" -> "2024-06-01_10-00-00": sorts in time order, and is a valid
// folder name everywhere.
QString StampFolder(const QString& stamp) {
  QString out = stamp.trimmed();
  out.replace(QChar(' '), QChar('_'));
  out.replace(QChar(':'), QChar('-'));
  return FolderName(out);
}

bool IsRegular(const QString& path, qint64* size = nullptr) {
  struct stat st {};
  if (!IsRegularFile(path, &st)) return false;
  if (size) *size = st.st_size;
  return true;
}

}  // namespace

QString GameFolder(const QString& folder, const QString& game) {
  return folder + QChar('/') + kBackupFolder + QChar('/') + kHistoryFolder + QChar('/') + FolderName(game);
}

QString TurnFolder(const QString& folder, const QString& game, const QString& stamp) {
  return GameFolder(folder, game) + QChar('/') + StampFolder(stamp);
}

QStringList Stamps(const QString& folder, const QString& game) {
  QStringList names = QDir(GameFolder(folder, game)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  return names;
}

void Prune(const QString& folder, const QString& game, int keep) {
  const QString gameFolder = GameFolder(folder, game);
  QStringList turns = Stamps(folder, game);
  while (turns.size() > std::max(keep, 0)) {
    QDir(gameFolder + QChar('/') + turns.takeFirst()).removeRecursively();
  }
  if (keep <= 0) QDir(gameFolder).removeRecursively();
  NoteFolderChanged(gameFolder);
}

bool Keep(const QString& folder, const QString& game, const QString& name, const QString& copyOf,
          const QString& stamp, int keep, QString* reason) {
  if (keep == 0) {
    if (QFileInfo(GameFolder(folder, game)).isDir()) Prune(folder, game, 0);
    return true;
  }
  if (!IsPlainFileName(name) || stamp.isEmpty()) {
    if (reason) *reason = QCoreApplication::translate("KeptTurns", "no name or time for %1").arg(copyOf);
    return false;
  }
  const QString turnFolder = TurnFolder(folder, game, stamp);
  if (!QDir().mkpath(turnFolder)) {
    if (reason) *reason = QCoreApplication::translate("KeptTurns", "cannot create %1").arg(turnFolder);
    return false;
  }
  const QString target = turnFolder + QChar('/') + name;
  // A second name of the same bytes where the file system allows; a copy elsewhere.
  if (!KeepAsBackup(copyOf, target, reason) || !IsFaithfulCopy(copyOf, target)) {
    if (reason && reason->isEmpty())
      *reason = QCoreApplication::translate("KeptTurns", "cannot copy %1").arg(copyOf);
    return false;
  }
  if (keep > 0) Prune(folder, game, keep);
  return true;
}

bool Keep(const TargetFolder& folder, const QString& game, const QString& name, const FileAt& copyOf,
          const QString& stamp, int keep, QString* reason) {
  if (keep == 0) return Keep(folder.Path(), game, name, copyOf.path, stamp, keep, reason);
  if (!IsPlainFileName(name) || stamp.isEmpty()) {
    if (reason) *reason = QCoreApplication::translate("KeptTurns", "no name or time for %1").arg(copyOf.path);
    return false;
  }
  // bak/history/GAME/STAMP, one real folder after the other.
  TargetFolder parts[4];
  const QString names[4] = {kBackupFolder, kHistoryFolder, FolderName(game), StampFolder(stamp)};
  const TargetFolder* parent = &folder;
  for (int i = 0; i < 4; ++i) {
    if (!parts[i].OpenSub(*parent, names[i], true)) {
      if (reason) *reason = QCoreApplication::translate("KeptTurns", "cannot create %1").arg(parts[i].Path());
      return false;
    }
    parent = &parts[i];
  }
  NoteFolderChanged(parts[0].Path());
  const FileAt target = parts[3].At(name);
  // A second name of the same bytes where the file system allows; a copy elsewhere.
  if (!KeepAsBackup(copyOf, target, reason) || !IsFaithfulCopy(copyOf, target)) {
    if (reason && reason->isEmpty())
      *reason = QCoreApplication::translate("KeptTurns", "cannot copy %1").arg(copyOf.path);
    return false;
  }
  if (keep > 0) Prune(folder.Path(), game, keep);
  return true;
}

bool InPlace(const TurnEntry& turn) {
  if (turn.files.empty()) return false;
  for (const TurnFile& f : turn.files) {
    const QString path = f.folder + QChar('/') + f.name;
    qint64 size = -1;
    if (!IsRegular(path, &size) || size != f.size || FileStamp(path) != f.stamp) return false;
  }
  return true;
}

RestoreResult Restore(const TurnEntry& turn, int keep) {
  RestoreResult result;
  if (turn.files.empty()) {
    result.message = QCoreApplication::translate("KeptTurns", "This turn has no files to restore.");
    return result;
  }
  struct Step {
    QString source, dest;
    const TurnFile* file;
  };
  std::vector<Step> steps;
  QStringList missing;
  for (const TurnFile& f : turn.files) {
    const QString dest = f.folder + QChar('/') + f.name;
    qint64 size = -1;
    if (IsRegular(dest, &size) && size == f.size && FileStamp(dest) == f.stamp) {
      ++result.alreadyThere;
      continue;
    }
    const QString source = TurnFolder(f.folder, turn.game, f.stamp) + QChar('/') + f.name;
    qint64 keptSize = -1;
    if (!IsRegular(source, &keptSize) || keptSize != f.size) {
      missing.append(f.name);
      continue;
    }
    steps.push_back(Step{source, dest, &f});
  }
  if (!missing.isEmpty()) {
    result.message = QCoreApplication::translate(
                         "KeptTurns", "These files of the turn are no longer kept: %1. Nothing was restored.")
                         .arg(missing.join(QStringLiteral(", ")));
    return result;
  }
  for (const Step& s : steps) {
    const QString folder = s.file->folder;
    if (IsRegular(s.dest)) {
      // The file replaced now is a turn of its own: backed up as a receive does, and kept.
      const QString backupFolder = folder + QChar('/') + kBackupFolder;
      const QString backup = backupFolder + QChar('/') + s.file->name;
      const QString stamp = FileStamp(s.dest);
      QString why;
      if (!(QFileInfo(backupFolder).isDir() || QDir().mkpath(backupFolder)) ||
          !KeepAsBackup(s.dest, backup, &why) || !IsFaithfulCopy(s.dest, backup)) {
        result.message =
            QCoreApplication::translate("KeptTurns", "Error while making backup of file %1 to %2")
                .arg(s.dest, backupFolder);
        return result;
      }
      NoteChanged(backup);
      if (keep > 0 && !Keep(folder, turn.game, s.file->name, backup, stamp, -1, &why)) {
        result.message =
            QCoreApplication::translate("KeptTurns", "Error while keeping file %1: %2").arg(s.dest, why);
        return result;
      }
    }
    QString why;
    const bool copied = ReplaceWithCopy(s.source, s.dest, &why);
    NoteChanged(s.dest);
    if (!copied) {
      result.message =
          why.isEmpty()
              ? QCoreApplication::translate("KeptTurns", "Can't copy file %1 to %2").arg(s.file->name, s.dest)
              : QCoreApplication::translate("KeptTurns", "Can't copy file %1 to %2: %3")
                    .arg(s.file->name, s.dest, why);
      return result;
    }
    ++result.replaced;
  }
  // Pruned only now: the turn being restored may be the oldest one kept.
  if (keep > 0) {
    QStringList folders;
    for (const Step& s : steps) {
      if (!folders.contains(s.file->folder)) folders.append(s.file->folder);
    }
    for (const QString& folder : folders) Prune(folder, turn.game, keep);
  }
  result.ok = true;
  return result;
}

}  // namespace kolt::kept_turns

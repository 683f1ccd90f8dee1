// The turn history's part of a receive batch: the files it replaced are kept as earlier
// turns, and each game that took in files gets one received turn.
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include "core/OverviewSettings.h"
#include "core/UiPort.h"
#include "exchange/history/KeptTurns.h"
#include "exchange/history/TurnHistory.h"
#include "exchange/turns/CrashPoint.h"
#include "exchange/turns/ReceiveEngine.h"
#include "exchange/turns/TargetFolder.h"

namespace kolt {

void ReceiveEngine::KeepAndRecordTurns(const QString& sender) {
  // Each file's game: named by the file itself, else by the game whose files it is
  // among. A file no game of this batch claims is looked up among all games of the
  // program (a turn whose first files were taken in by a receive that stopped).
  auto claimed = [&](const Pending& p) {
    return m_fileGames.value(FileKey(p.targetFolder + QChar('/') + p.fileName));
  };
  bool unclaimed = false;
  for (const Pending& p : m_pending) {
    if (p.gameName.isEmpty() && !p.inPlace && claimed(p).isEmpty()) unclaimed = true;
  }
  if (unclaimed && m_program) {
    for (const GamePtr& game : m_program->InitGames()) {
      const QString name = game->GetName();
      for (const QString& file : game->GetFiles()) {
        const QString key = FileKey(file);
        if (!m_fileGames.contains(key)) m_fileGames.insert(key, name);
      }
    }
  }
  // The games in order of their first file, and the files of each (by index: a KLT of
  // thousands of games is grouped in one go).
  QStringList games;
  QHash<QString, std::vector<size_t>> members;  // case-folded game name -> files
  for (Pending& p : m_pending) {
    if (p.gameName.isEmpty()) p.gameName = claimed(p);
  }
  QSet<QString> named;
  for (const Pending& p : m_pending) {
    if (!p.gameName.isEmpty()) named.insert(p.gameName.toCaseFolded());
  }
  // What no game claims belongs to the batch's only game.
  QString lone;
  if (named.size() == 1) {
    for (const Pending& p : m_pending) {
      if (!p.gameName.isEmpty()) lone = p.gameName;
    }
  }
  for (size_t i = 0; i < m_pending.size(); ++i) {
    const QString& name = m_pending[i].gameName.isEmpty() ? lone : m_pending[i].gameName;
    if (name.isEmpty()) continue;
    const QString key = name.toCaseFolded();
    auto it = members.find(key);
    if (it == members.end()) {
      games.append(name);
      it = members.insert(key, {});
    }
    it->push_back(i);
  }

  QString note;
  const int keep = KeepTurns();
  for (const QString& name : games) {
    for (const size_t i : members.value(name.toCaseFolded())) {
      const Pending& p = m_pending[i];
      if (p.replacedCopy.isEmpty()) continue;
      QString why;
      // Relative to the folders the copy pass held open, as the backup was made.
      const TargetFolder* target = Target(p.targetFolder);
      const QFileInfo copy(p.replacedCopy);
      TargetFolder backups;
      if (!target || !backups.OpenSub(*target, QFileInfo(copy.absolutePath()).fileName(), false)) {
        note = tr("Earlier turn not kept: cannot open %1").arg(copy.absolutePath());
      } else if (!kept_turns::Keep(*target, name, p.fileName, backups.At(copy.fileName()), p.replacedStamp,
                                   keep, &why)) {
        note = tr("Earlier turn not kept: %1").arg(why);
      }
      CrashPoint();
    }
  }

  const QDateTime now = QDateTime::currentDateTimeUtc();
  std::vector<TurnEntry> entries;
  for (const QString& name : games) {
    TurnEntry entry;
    entry.time = now;
    entry.program = m_program->GetShortName();
    entry.game = name;
    entry.direction = TurnDirection::Received;
    entry.opponent = sender;
    entry.taunt = m_records.incomingTaunt;
    bool copied = false;
    for (const size_t i : members.value(name.toCaseFolded())) {
      const Pending& p = m_pending[i];
      if (p.primary) {
        entry.mode = p.mode;
        if (!p.opponent.isEmpty()) entry.opponent = p.opponent;
      }
      copied = copied || !p.inPlace;
      entry.files.push_back(turn_history::FileOf(p.targetFolder + QChar('/') + p.fileName));
    }
    // The same turn taken in again changed nothing: no second line for it.
    if (copied) entries.push_back(std::move(entry));
  }
  const QString failed = turn_history::RecordAll(m_records.recorder, entries);
  if (!failed.isEmpty()) note = failed;
  CrashPoint();
  if (!note.isEmpty()) {
    m_records.historyNote = note;
    m_ui.ShowStatus(note);
  }
}

}  // namespace kolt

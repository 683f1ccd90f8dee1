// The turn history's part of a receive batch: the files it replaced are kept as earlier
// turns, and each game that took in files gets one received turn.
#include <QDateTime>

#include "core/OverviewSettings.h"
#include "core/UiPort.h"
#include "exchange/history/KeptTurns.h"
#include "exchange/history/TurnHistory.h"
#include "exchange/turns/ReceiveEngine.h"

namespace kolt {

void ReceiveEngine::KeepAndRecordTurns(const QString& sender) {
  QStringList games;
  for (const Pending& p : m_pending) {
    if (!p.gameName.isEmpty() && !games.contains(p.gameName, Qt::CaseInsensitive)) games.append(p.gameName);
  }
  // A file that names no game of its own belongs to the batch's only game.
  const QString lone = games.size() == 1 ? games.front() : QString();
  auto gameOf = [&](const Pending& p) { return p.gameName.isEmpty() ? lone : p.gameName; };

  QString note;
  const int keep = KeepTurns();
  for (const Pending& p : m_pending) {
    const QString name = gameOf(p);
    if (p.replacedCopy.isEmpty() || name.isEmpty()) continue;
    QString why;
    if (!kept_turns::Keep(p.targetFolder, name, p.fileName, p.replacedCopy, p.replacedStamp, keep, &why))
      note = QStringLiteral("Earlier turn not kept: ") + why;
  }

  const QDateTime now = QDateTime::currentDateTimeUtc();
  for (const QString& name : games) {
    TurnEntry entry;
    entry.time = now;
    entry.program = m_program->GetShortName();
    entry.game = name;
    entry.direction = TurnDirection::Received;
    entry.opponent = sender;
    bool copied = false;
    for (const Pending& p : m_pending) {
      if (gameOf(p).compare(name, Qt::CaseInsensitive) != 0) continue;
      if (p.primary) {
        entry.mode = p.mode;
        if (!p.opponent.isEmpty()) entry.opponent = p.opponent;
      }
      copied = copied || !p.inPlace;
      entry.files.push_back(turn_history::FileOf(p.targetFolder + QChar('/') + p.fileName));
    }
    // The same turn taken in again changed nothing: no second line for it.
    if (!copied) continue;
    const QString failed = turn_history::Record(m_records.recorder, entry);
    if (!failed.isEmpty()) note = failed;
  }
  if (!note.isEmpty()) {
    m_records.historyNote = note;
    m_ui.ShowStatus(note);
  }
}

}  // namespace kolt

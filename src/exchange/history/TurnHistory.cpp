#include "exchange/history/TurnHistory.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "core/Settings.h"
#include "model/Status.h"

namespace kolt::turn_history {

TurnFile FileOf(const QString& path) {
  const QFileInfo info(path);
  return TurnFile{info.fileName(), info.absolutePath(), info.size(), FileStamp(path)};
}

TurnEntry GameEntry(const Game& game, TurnDirection direction, const QDateTime& time, const QString& address,
                    const QString& text) {
  TurnEntry entry;
  entry.time = time;
  const auto program = game.GetProgram();
  entry.program = program ? program->GetShortName() : QString();
  entry.game = game.GetName();
  entry.direction = direction;
  entry.opponent = address;
  entry.mode = game.GetMode();
  entry.taunt = text;
  return entry;
}

TurnEntry SentEntry(const Game& game, const QString& address, const QString& taunt) {
  TurnEntry entry = GameEntry(game, TurnDirection::Sent, QDateTime::currentDateTimeUtc(), address, taunt);
  for (const QString& file : game.GetFiles()) entry.files.push_back(FileOf(file));
  return entry;
}

QString Record(TurnRecorder* recorder, const TurnEntry& entry) {
  if (!recorder || recorder->Record(entry)) return QString();
  return QCoreApplication::translate("TurnHistory", "Turn history not recorded: %1")
      .arg(recorder->LastError());
}

QString RecordAll(TurnRecorder* recorder, const std::vector<TurnEntry>& entries) {
  if (!recorder || entries.empty() || recorder->RecordAll(entries)) return QString();
  return QCoreApplication::translate("TurnHistory", "Turn history not recorded: %1")
      .arg(recorder->LastError());
}

kept_turns::RestoreResult RestoreTurn(TurnRecorder* recorder, const TurnEntry& turn, int keep, Game* game,
                                      QString* note) {
  if (note) note->clear();
  if (turn.direction == TurnDirection::Restored) {
    kept_turns::RestoreResult refused;
    refused.message =
        QCoreApplication::translate("TurnHistory", "Choose the sent or received turn to restore.");
    return refused;
  }
  kept_turns::RestoreResult result = kept_turns::Restore(turn, keep);
  if (!result.ok) return result;
  // The game's state is read from its files' times against these stamps.
  const bool stamped =
      !game || (turn.direction == TurnDirection::Sent ? game->SetSent() : game->SetReceived());
  TurnEntry restored = turn;
  restored.id = 0;
  restored.time = QDateTime::currentDateTimeUtc();
  restored.direction = TurnDirection::Restored;
  restored.files.clear();
  for (const TurnFile& f : turn.files) restored.files.push_back(FileOf(f.folder + QChar('/') + f.name));
  const QString failed = Record(recorder, restored);
  if (note)
    *note = stamped ? failed
                    : QCoreApplication::translate("TurnHistory", "Can't write the settings file %1")
                          .arg(SettingsPath());
  return result;
}

}  // namespace kolt::turn_history

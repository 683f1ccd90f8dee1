#pragma once

#include <QString>

#include "exchange/history/KeptTurns.h"
#include "exchange/history/TurnRecorder.h"
#include "model/Game.h"

// What the sending and receiving engine writes into the turn history, in one place.
namespace kolt::turn_history {

// A file as it is now: name, folder, size and modification stamp.
TurnFile FileOf(const QString& path);

// The entry of `game` at `time` toward `address` with `text`, without files.
TurnEntry GameEntry(const Game& game, TurnDirection direction, const QDateTime& time, const QString& address,
                    const QString& text);
// The entry of `game` sent to `address` with `taunt`: its files as they went out.
TurnEntry SentEntry(const Game& game, const QString& address, const QString& taunt);

// Records `entry` through `recorder` (none: nothing to do). Empty when recorded, else
// the note for the status bar: the turn went out or came in all the same.
QString Record(TurnRecorder* recorder, const TurnEntry& entry);
// The same for several entries, written together.
QString RecordAll(TurnRecorder* recorder, const std::vector<TurnEntry>& entries);

// "Restore this turn": puts the files of `turn` (a sent or received one) back through
// kept_turns::Restore, records the restore, and sets the stored stamp of `game` (when
// given) as it was after that turn: sent turns wait, received ones are to be played.
// `note` receives the status-bar note when the restore could not be recorded.
kept_turns::RestoreResult RestoreTurn(TurnRecorder* recorder, const TurnEntry& turn, int keep, Game* game,
                                      QString* note);

}  // namespace kolt::turn_history

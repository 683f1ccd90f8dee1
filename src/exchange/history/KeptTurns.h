#pragma once

#include <QString>
#include <QStringList>

#include "exchange/history/TurnRecorder.h"
#include "exchange/turns/FileReplace.h"

namespace kolt {
class TargetFolder;
}

// Earlier turns kept beside the one backup that receiving makes: every turn file that a
// receive or a restore replaces is kept in its folder's "bak/history/GAME/STAMP/", where
// STAMP is the file's modification stamp (the files of one turn share it). Only the
// newest turns of each game stay; the oldest go first.
namespace kolt::kept_turns {

// The folder that holds the turns of `game` kept beside files of `folder`.
QString GameFolder(const QString& folder, const QString& game);
// Where a file with modification stamp `stamp` of `game` is kept.
QString TurnFolder(const QString& folder, const QString& game, const QString& stamp);

// Keeps `copyOf` (a faithful copy of the replaced file, or the file itself before it is
// replaced) as file `name` of the turn with `stamp`, then keeps only the newest `keep`
// turns of the game. `keep` 0 keeps nothing and removes what was kept; below 0 keeps
// the file and removes nothing. False, with
// `reason` set, when the copy could not be made.
bool Keep(const QString& folder, const QString& game, const QString& name, const QString& copyOf,
          const QString& stamp, int keep, QString* reason = nullptr);

// The same for a receive: the turn's folders are made and the copy kept relative to the
// game folder held open as `folder`, never through a link; `copyOf` is named likewise.
bool Keep(const TargetFolder& folder, const QString& game, const QString& name, const FileAt& copyOf,
          const QString& stamp, int keep, QString* reason = nullptr);

// The stamps of the kept turns of `game`, oldest first.
QStringList Stamps(const QString& folder, const QString& game);

// Removes the oldest turns until `keep` are left.
void Prune(const QString& folder, const QString& game, int keep);

// What a restore did.
struct RestoreResult {
  bool ok = false;
  QString message;       // why not, for the user; empty when it worked
  int replaced = 0;      // files put back
  int alreadyThere = 0;  // files that were this turn's already
};

// True when every file of `turn` is in place as the turn left it (same size and stamp):
// restoring it would change nothing.
bool InPlace(const TurnEntry& turn);

// Puts the files of `turn` back where they were: each installed file that is not that
// turn's is first backed up into "bak" (and kept as a turn of its own), then replaced
// by the kept copy, with the kept copy's time. Nothing is replaced unless every file of
// the turn is still kept or in place.
RestoreResult Restore(const TurnEntry& turn, int keep);

}  // namespace kolt::kept_turns

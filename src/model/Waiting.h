#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

#include "model/Stamp.h"

// How long a game has been in its current state, for the games list's "Waiting" column
// and kolt-cli's list.
namespace kolt {

// The local time of a stamp ("yyyy-mm-dd hh:nn:ss"); invalid for anything else.
QDateTime StampTime(const QString& stamp);

// When a game's last turn went out and when the last one came in, as the turn history
// recorded them (invalid: none recorded).
struct TurnMoments {
  QDateTime sent;
  QDateTime received;
};
// The moments of every game in the history, under the upper-case short name + TAB +
// game name.
using TurnMomentsByGame = QHash<QString, TurnMoments>;

// Seconds from the moment the game entered `status` until `now`, from its stamps: its
// current modification stamp `m` and those stored when it was last sent (`s`) and
// received (`r`). In "Play" since it was received, in "Wait" since it was sent; a turn
// ready to go ("Send", "Play/Send", "Host") or a new game since the file last changed.
// The stored stamps are the files' times; a recorded moment of the send or the receive
// itself (`moments`) counts instead when it is later. -1 when the state has no such
// moment ("Unknown") or nothing tells it. A moment in the future counts as now.
qint64 WaitingSeconds(const QString& status, const QString& m, const QString& s, const QString& r,
                      const QDateTime& now, const TurnMoments& moments = {});
// The same from the stamps as numbers, `now` in seconds since the epoch: a refresh
// counts every row with no text parsed and no zone file checked.
qint64 WaitingSeconds(const QString& status, const Stamp& m, const Stamp& s, const Stamp& r, qint64 now,
                      const TurnMoments& moments = {});

// "5 min", "3 h", "2 d": the largest whole unit (below an hour minutes, below a day
// hours); empty for -1.
// Also what reminders mail to the opponent, so it is never translated.
QString WaitingText(qint64 seconds);
// The same as the lists show it, in the user's language.
QString ShownWaitingText(qint64 seconds);

// A game in "Play" for more than `lateDays` days (0: never late).
bool IsLate(const QString& status, qint64 seconds, int lateDays);

}  // namespace kolt

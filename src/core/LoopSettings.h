#pragma once

#include <QDateTime>
#include <QString>

// The settings of the turn loop that runs without the player: sending a finished turn
// at once, hosting marked games unattended, reminding a quiet opponent.
namespace kolt {

// [Settings] SendFinishedTurns: a turn the player just finished goes out without the
// question "Send ... now?".
bool SendFinishedTurnsAtOnce();
bool SetSendFinishedTurnsAtOnce(bool atOnce);

// [AutoHost] <game name>: a Space Empires IV game hosted here is hosted and sent as soon
// as every living player's orders are in.
bool IsAutoHosted(const QString& gameName);
bool SetAutoHosted(const QString& gameName, bool on);

// [Reminders] Auto: remind the opponents of late games without being asked.
bool AutoRemindersEnabled();
bool SetAutoRemindersEnabled(bool on);
// [Reminders] <SHORT/name>: when the last reminder of a game went out (invalid: never).
QDateTime LastReminder(const QString& gameKey);
bool SetLastReminder(const QString& gameKey, const QDateTime& when);

}  // namespace kolt

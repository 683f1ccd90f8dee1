#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

#include "model/Game.h"
#include "model/ListRows.h"

namespace kolt {

class MailTransport;
class TurnRecorder;
class UiPort;

// A short "KOLT message" to an opponent who has let a game wait longer than the "late"
// setting ([History] LateDays): by hand (Remind), or automatically at most once per late
// period. Never more than once a day per game, and only ever to the game's own address
// (its opponent, or a hosted game's players). Each reminder goes into the turn history.
class Reminders {
 public:
  Reminders(UiPort& ui, MailTransport& mail, TurnRecorder* recorder);

  // One line for each reminder sent (kolt-cli serve).
  void SetLog(std::function<void(const QString&)> log) { m_log = std::move(log); }

  // A game waiting on its opponent ("Wait") for longer than `lateDays` days.
  static bool IsLateWait(const QString& status, qint64 waitingSeconds, int lateDays);
  // The text of the reminder.
  static QString Text(const Game& game, qint64 waitingSeconds);

  enum class Result { Sent, NotLate, TooSoon, Refused, Failed };
  // Reminds the opponent of `game`, which waits since `waitingSeconds`. `automatic`:
  // without a word to the user, and not again within the late period.
  Result Remind(const Game& game, qint64 waitingSeconds, int lateDays, const QDateTime& now, bool automatic);
  // Reminds every late game of `lists` that is due; how many reminders went out.
  int RunAutomatic(const Lists& lists, int lateDays, const QDateTime& now);

 private:
  UiPort& m_ui;
  MailTransport& m_mail;
  TurnRecorder* m_recorder;
  std::function<void(const QString&)> m_log;
};

}  // namespace kolt

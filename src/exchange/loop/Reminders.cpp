#include "exchange/loop/Reminders.h"

#include <QCoreApplication>

#include "core/LoopSettings.h"
#include "core/Settings.h"
#include "core/UiPort.h"
#include "exchange/history/TurnHistory.h"
#include "exchange/loop/PlayedTurn.h"
#include "exchange/mail/MailText.h"
#include "exchange/mail/MailTransport.h"
#include "exchange/turns/TurnMessages.h"
#include "model/Status.h"
#include "model/Waiting.h"

namespace kolt {
namespace {

constexpr qint64 kDay = qint64{24} * 3600;

// The waiting time as the reminder says it, in WaitingText's words but never translated:
// the other player reads it, and the history keeps it.
QString MailWaitingText(qint64 seconds) {
  if (seconds < 0) return QString();
  constexpr qint64 kHour = 3600;
  if (seconds < kHour) return QString::number(seconds / 60) + QStringLiteral(" min");
  if (seconds < kDay) return QString::number(seconds / kHour) + QStringLiteral(" h");
  return QString::number(seconds / kDay) + QStringLiteral(" d");
}

}  // namespace

Reminders::Reminders(UiPort& ui, MailTransport& mail, TurnRecorder* recorder)
    : m_ui(ui), m_mail(mail), m_recorder(recorder) {}

bool Reminders::IsLateWait(const QString& status, qint64 waitingSeconds, int lateDays) {
  return status == status::Wait && lateDays > 0 && waitingSeconds > qint64{lateDays} * kDay;
}

QString Reminders::Text(const Game& game, qint64 waitingSeconds) {
  return QStringLiteral("A friendly reminder: ") + PlayedTurn::KeyOf(game) +
         QStringLiteral(" has been waiting for your turn for ") + MailWaitingText(waitingSeconds) +
         QStringLiteral(".");
}

Reminders::Result Reminders::Remind(const Game& game, qint64 waitingSeconds, int lateDays,
                                    const QDateTime& now, bool automatic) {
  const QString key = PlayedTurn::KeyOf(game);
  if (!IsLateWait(game.GetStatus(), waitingSeconds, lateDays)) {
    if (!automatic)
      m_ui.MsgBox(
          QCoreApplication::translate(
              "Reminders", "%1 is not waiting for its opponent longer than %2 days: no reminder was sent.")
              .arg(key, QString::number(lateDays)),
          Buttons::Ok, Icon::Information);
    return Result::NotLate;
  }
  const QDateTime last = LastReminder(key);
  const qint64 since = last.isValid() ? last.secsTo(now) : -1;
  // Once a day at most, whoever asks; automatically once per late period.
  const qint64 gap = automatic ? std::max<qint64>(qint64{lateDays} * kDay, kDay) : kDay;
  if (since >= 0 && since < gap) {
    if (!automatic)
      m_ui.MsgBox(
          QCoreApplication::translate(
              "Reminders", "The last reminder for %1 went out %2 ago; the next one can go a day after it.")
              .arg(key, WaitingText(since)),
          Buttons::Ok, Icon::Information);
    return Result::TooSoon;
  }
  // Only to the game's own address: a reminder never goes anywhere else.
  const QString address = game.GetEMail().trimmed();
  if (address.isEmpty() || address == QStringLiteral("-") || AddressListProblem(address)) {
    if (!automatic)
      m_ui.ShowError(
          QCoreApplication::translate("Reminders",
                                      "The e-mail address of this game is not valid; fix it in the "
                                      "game's properties:\r\r%1")
              .arg(key));
    return Result::Refused;
  }
  const QString text = Text(game, waitingSeconds);
  const QString body = MessageBody(SendMode::Klt, QString(), QString(), true, TauntForBody(text),
                                   GamesTextEntry(game, SendMode::Klt));
  if (!m_mail.SendMail(address, MessageSubject(SendMode::Klt, QString(), true), body, {}, false, false))
    return Result::Failed;
  if (!SetLastReminder(key, now) || !FlushIniBatch()) m_ui.ShowSettingsWriteError();

  const TurnEntry entry = turn_history::GameEntry(game, TurnDirection::Reminded, now, address, text);
  const QString note = turn_history::Record(m_recorder, entry);
  if (!note.isEmpty()) m_ui.ShowStatus(note);
  if (m_log) m_log(QCoreApplication::translate("Reminders", "Reminded %1 of %2").arg(address, key));
  return Result::Sent;
}

int Reminders::RunAutomatic(const Lists& lists, int lateDays, const QDateTime& now) {
  int sent = 0;
  for (size_t i = 0; i < lists.games.size() && i < lists.gameRows.size(); ++i) {
    const GameRow& row = lists.gameRows[i];
    if (!IsLateWait(row.status, row.waitingSeconds, lateDays)) continue;
    if (Remind(*lists.games[i], row.waitingSeconds, lateDays, now, true) == Result::Sent) ++sent;
  }
  return sent;
}

}  // namespace kolt

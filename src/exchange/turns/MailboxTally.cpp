#include "exchange/turns/MailboxTally.h"

#include "exchange/turns/MailboxLock.h"

namespace kolt {

void MailboxTally::Add(MessageOutcome outcome, const QString& described) {
  switch (outcome) {
    case MessageOutcome::TakenIn:
      ++m_takenIn;
      break;
    case MessageOutcome::AlreadyIn:
      ++m_alreadyIn;
      break;
    case MessageOutcome::Declined:
      m_waiting.append(described + QStringLiteral(" was not taken in: it stays unread in the mailbox and is "
                                                  "fetched again at the next check."));
      break;
    case MessageOutcome::Refused:
      ++m_refused;
      break;
    case MessageOutcome::NotATurn:
      ++m_notTurns;
      break;
    case MessageOutcome::Skipped:
      break;
  }
}

void MailboxTally::AddFailure(const QString& text) {
  if (!text.isEmpty() && !m_failures.contains(text)) m_failures.append(text);
}

QString MailboxTally::TooLargeText(quint32 uid, qint64 maxBytes) {
  return QStringLiteral("The message with UID ") + QString::number(uid) + QStringLiteral(" is larger than ") +
         QString::number(maxBytes / (1024LL * 1024)) +
         QStringLiteral(" MB and was not fetched. It stays unread in the mailbox.");
}

QString MailboxTally::StatusText() const {
  if (m_busy) return MailboxLock::BusyText();
  if (m_cancelled && m_takenIn == 0 && m_alreadyIn == 0) return QStringLiteral("Mailbox check cancelled");
  if (!m_failures.isEmpty() && m_takenIn == 0 && m_alreadyIn == 0)
    return m_failures.first().section(QChar('\r'), 0, 0);
  QStringList parts;
  if (m_takenIn) parts.append(QString::number(m_takenIn) + QStringLiteral(" taken in"));
  if (m_alreadyIn) parts.append(QString::number(m_alreadyIn) + QStringLiteral(" already taken in"));
  if (!m_waiting.isEmpty()) {
    // The first one by name: the player sees which turn waits without opening anything.
    parts.append(QString::number(m_waiting.size()) + QStringLiteral(" left unread (") +
                 m_waiting.first().section(QStringLiteral(" was not taken in"), 0, 0) +
                 (m_waiting.size() > 1 ? QStringLiteral(", ...)") : QStringLiteral(")")));
  }
  if (m_refused) parts.append(QString::number(m_refused) + QStringLiteral(" refused"));
  if (m_notTurns) parts.append(QString::number(m_notTurns) + QStringLiteral(" not turns, left unread"));
  if (!m_failures.isEmpty())
    parts.append(QStringLiteral("failed: ") + m_failures.first().section(QChar('\r'), 0, 0));
  if (m_cancelled) parts.append(QStringLiteral("cancelled"));
  if (parts.isEmpty()) return QStringLiteral("Mailbox checked: no new turns");
  return QStringLiteral("Mailbox checked: ") + parts.join(QStringLiteral(", "));
}

QStringList MailboxTally::Problems() const {
  QStringList problems = m_notes + m_failures;
  if (m_cancelled)
    problems.append(
        QStringLiteral("The mailbox check was interrupted; the messages not taken in stay unread in the "
                       "mailbox."));
  return problems + m_waiting;
}

int MailboxTally::ExitStatus() const {
  if (m_busy) return 3;
  if (m_cancelled || !m_failures.isEmpty() || !m_waiting.isEmpty() || m_refused > 0) return 1;
  if (m_takenIn > 0 || m_alreadyIn > 0) return 0;
  return 3;
}

}  // namespace kolt

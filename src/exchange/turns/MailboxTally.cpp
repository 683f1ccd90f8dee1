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
      m_waiting.append(
          tr("%1 was not taken in: it stays unread in the mailbox and is fetched again at the next check.")
              .arg(described));
      m_waitingNames.append(described);
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
  return tr("The message with UID %1 is larger than %2 MB and was not fetched. It stays unread in the "
            "mailbox.")
      .arg(QString::number(uid), QString::number(maxBytes / (1024LL * 1024)));
}

QString MailboxTally::StatusText() const {
  if (m_busy) return MailboxLock::BusyText();
  if (m_cancelled && m_takenIn == 0 && m_alreadyIn == 0) return tr("Mailbox check cancelled");
  if (!m_failures.isEmpty() && m_takenIn == 0 && m_alreadyIn == 0)
    return m_failures.first().section(QChar('\r'), 0, 0);
  QStringList parts;
  if (m_takenIn) parts.append(tr("%1 taken in").arg(m_takenIn));
  if (m_alreadyIn) parts.append(tr("%1 already taken in").arg(m_alreadyIn));
  if (!m_waiting.isEmpty()) {
    // The first one by name: the player sees which turn waits without opening anything.
    const QString count = QString::number(m_waiting.size());
    parts.append(m_waiting.size() > 1 ? tr("%1 left unread (%2, ...)").arg(count, m_waitingNames.first())
                                      : tr("%1 left unread (%2)").arg(count, m_waitingNames.first()));
  }
  if (m_refused) parts.append(tr("%1 refused").arg(m_refused));
  if (m_notTurns) parts.append(tr("%1 not turns, left unread").arg(m_notTurns));
  if (!m_failures.isEmpty())
    parts.append(tr("failed: %1").arg(m_failures.first().section(QChar('\r'), 0, 0)));
  //: a part of the mailbox check's status line
  if (m_cancelled) parts.append(tr("cancelled"));
  if (parts.isEmpty()) return tr("Mailbox checked: no new turns");
  return tr("Mailbox checked: %1").arg(parts.join(QStringLiteral(", ")));
}

QStringList MailboxTally::Problems() const {
  QStringList problems = m_notes + m_failures;
  if (m_cancelled)
    problems.append(
        tr("The mailbox check was interrupted; the messages not taken in stay unread in the mailbox."));
  return problems + m_waiting;
}

int MailboxTally::ExitStatus() const {
  if (m_busy) return 3;
  if (m_cancelled || !m_failures.isEmpty() || !m_waiting.isEmpty() || m_refused > 0) return 1;
  if (m_takenIn > 0 || m_alreadyIn > 0) return 0;
  return 3;
}

}  // namespace kolt

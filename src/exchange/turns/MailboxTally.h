#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace kolt {

// What became of a fetched message.
enum class MessageOutcome {
  TakenIn,    // its turn (or its text) is in: marked read or moved, never taken again
  AlreadyIn,  // every file was already in place: handled like a turn taken in, asked nothing
  Declined,   // the user said no, or copying stopped: stays unread, reported at every check
  Refused,    // unusable (no or bad archive, bad sender): stays unread, reported once
  NotATurn,   // a reply or any other mail with a turn-like subject: stays unread, said once
  Skipped,    // another check took it in meanwhile
};

// The result of a whole mailbox check, counted and worded in one place for the window's
// status bar and kolt-cli's output and exit status.
class MailboxTally {
  Q_DECLARE_TR_FUNCTIONS(MailboxTally)

 public:
  // A message's outcome; `described` names it (subject and sender) for what is reported.
  void Add(MessageOutcome outcome, const QString& described);
  // A message left on the server as too large to fetch.
  void AddTooLarge() { ++m_refused; }
  // The check (or marking a message) failed: said as it is.
  void AddFailure(const QString& text);
  // Something to know that is no failure.
  void AddNote(const QString& text) { m_notes.append(text); }
  void SetBusy() { m_busy = true; }
  void SetCancelled() { m_cancelled = true; }
  void SetFound(int found) { m_found = found; }

  int Found() const { return m_found; }
  int TakenIn() const { return m_takenIn; }
  int AlreadyIn() const { return m_alreadyIn; }
  int Waiting() const { return static_cast<int>(m_waiting.size()); }
  int Refused() const { return m_refused; }
  bool Busy() const { return m_busy; }
  bool Cancelled() const { return m_cancelled; }
  const QStringList& Failures() const { return m_failures; }

  // One line for the status bar.
  QString StatusText() const;
  // What the user must know beyond the status line, one paragraph each: every failure,
  // and every turn message that stays unread until the player deals with it.
  QStringList Problems() const;
  // kolt-cli's status: 0 something was taken in and nothing failed or waits; 1 a failure,
  // a turn left unread or a message refused; 3 nothing new (or another check runs).
  int ExitStatus() const;

  // The text of a message too large to fetch.
  static QString TooLargeText(quint32 uid, qint64 maxBytes);

 private:
  int m_found = 0;
  int m_takenIn = 0;
  int m_alreadyIn = 0;
  int m_refused = 0;
  int m_notTurns = 0;
  bool m_busy = false;
  bool m_cancelled = false;
  QStringList m_waiting;
  QStringList m_waitingNames;  // what `m_waiting` names, for the status line
  QStringList m_failures;
  QStringList m_notes;
};

}  // namespace kolt

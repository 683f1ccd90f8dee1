#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <atomic>
#include <vector>

#include "core/AppSettings.h"
#include "exchange/mail/ImapClient.h"
#include "exchange/turns/MailboxTally.h"
#include "model/ProgramList.h"

namespace kolt {

class MailboxState;
class TurnExchange;
class UiPort;

// One message that the download brought, by its UID in the folder: `size` bytes from
// `offset` of a file in the instance folder's "mailbox" folder (a negative size: the
// whole file).
struct FetchedMessage {
  quint32 uid = 0;
  QString path;
  qint64 offset = 0;
  qint64 size = -1;
};

// What the network half of a check found; it touches no game and asks nothing, so a
// worker thread may run it. Every message it fetched is unread again on the server when
// it returns (else still journalled as pending, see MailboxState).
struct MailboxDownload {
  bool ok = false;    // logged in and searched
  bool busy = false;  // another check of the home runs: nothing done
  ImapFailure failure = ImapFailure::None;
  QString error;  // what went wrong, with advice, for the user
  quint32 validity = 0;
  int found = 0;  // unseen messages with a turn subject, handled or not
  std::vector<FetchedMessage> messages;
  QList<quint32> tooLarge;  // left on the server, unseen
  QList<quint32> skipped;   // declined earlier in this session and still unread: not fetched
  QStringList failures;     // marking earlier turns, or taking read marks back, failed
};

struct TakenMessage {
  quint32 uid = 0;
  MessageOutcome outcome = MessageOutcome::NotATurn;
  QString described;  // subject and sender, for the report
};

// A mailbox check: log in, find the unseen turn messages (and those a check that was
// stopped left journalled), fetch them into files, take each in through the same receive
// paths as an opened KLT or the working folder, then mark or move what was taken in.
// The UIDs handled are remembered per folder with the folder's UIDVALIDITY in the home
// folder's "imap-state", so nothing is taken in twice and nothing is lost.
//
// The steps are separate for the window: Download and Finish may run on a worker thread,
// TakeIn must run where the questions are asked. The caller holds the home's MailboxLock
// around each step.
class MailboxFetch {
  Q_DECLARE_TR_FUNCTIONS(MailboxFetch)

 public:
  MailboxFetch(UiPort& ui, TurnExchange& exchange, ProgramList& programs);

  // Largest message fetched at all.
  static constexpr qint64 kMaxMessageBytes = 100LL * 1024 * 1024;

  // Everything needed for the network steps, read on the calling thread.
  struct Account {
    ImapSettings settings;
    ImapAccount imap;
    QStringList subjects;  // the subjects the program sends
    QString stateKey;      // user@host:port/folder
    QString statePath;
    QString downloadFolder;  // private, emptied by every download
  };
  // `problem` set when no mailbox is configured.
  static Account ReadAccount(const ProgramList& programs, QString* problem);

  // Network, no UI. `skip`: UIDs not to fetch again (declined earlier in this session).
  static MailboxDownload Download(const Account& account, const QSet<quint32>& skip,
                                  const std::atomic<bool>* cancel);
  // Takes in each message, one at a time, and records each at once (asks questions
  // through the UI port). Stops before the next message once `cancel` is raised; the
  // rest stays unread. Removes the message files.
  std::vector<TakenMessage> TakeIn(const Account& account, quint32 validity,
                                   const std::vector<FetchedMessage>& messages,
                                   const std::atomic<bool>* cancel, MailboxTally* tally);
  // Network: marks or moves the turns taken in (by this check or one before it that could
  // not). Returns the failures, each naming the message, the folder and the server's words;
  // `notes` gets what the user should know besides (the folder name the server uses).
  static QStringList Finish(const Account& account, quint32 validity, const std::atomic<bool>* cancel,
                            QStringList* notes);

  // The whole check on this thread (kolt-cli fetch), under the home's lock.
  MailboxTally Run(const std::atomic<bool>* cancel = nullptr);
  // Forgets the declined messages, so that the next check asks again (F5).
  void ForgetDeclined() {
    m_declined.clear();
    m_declinedText.clear();
  }
  const QSet<quint32>& Declined() const { return m_declined; }
  // Tells of the messages left on the server as too large (once: they are handled).
  void ReportTooLarge(const QList<quint32>& uids, MailboxTally* tally);
  // Counts the messages a check left alone because the user declined them earlier in this
  // session: they still wait, and every check says so.
  void CountStillDeclined(const QList<quint32>& skipped, MailboxTally* tally) const;

  // The subjects of turn messages for the programs in the list.
  static QStringList TurnSubjects(const ProgramList& programs);
  // The IMAP search for unseen messages with one of `subjects` (names that cannot be
  // searched for plainly are left out; the subject is checked after the fetch). IMAP's
  // SUBJECT matches a part without regard to case, so replies and forwards are found too.
  static QString SearchCriteria(const QStringList& subjects);
  // A subject without what mail programs put before it: "Re:", "Fwd:", "Fw:" (repeated,
  // any case) and bracketed tags such as "[External]".
  static QString BareSubject(const QString& subject);

  // The last message text received with a game, and who sent it; empty when none.
  struct LastMessage {
    QString text, from, when;
  };
  static LastMessage LastMessageOf(const QString& shortName, const QString& gameName);
  [[nodiscard]] static bool SetLastMessage(const QString& shortName, const QString& gameName,
                                           const LastMessage& message);

 private:
  MessageOutcome TakeInOne(const FetchedMessage& message, QString* described);
  MessageOutcome TakeKlt(quint32 uid, const struct TurnMail& mail);
  MessageOutcome TakeProgramFiles(quint32 uid, const ProgramPtr& program, const struct TurnMail& mail);
  MessageOutcome Classified(quint32 uid, const struct TurnMail& mail, const struct ReceiveRecords& before);
  // For a turn found installed already: its received line, unless the history has it.
  void RecordMissingTurns(size_t arrivedBefore, const QString& from, const QString& taunt);
  void KeepTaunt(const QString& taunt, const QString& from, size_t arrivedBefore, const QString& gamesText);
  void Refuse(quint32 uid, const struct TurnMail& mail, const QString& why);
  QString MailFolder() const;

  UiPort& m_ui;
  TurnExchange& m_exchange;
  ProgramList& m_programs;
  QSet<quint32> m_declined;
  QHash<quint32, QString> m_declinedText;  // how each is named in reports
};

}  // namespace kolt

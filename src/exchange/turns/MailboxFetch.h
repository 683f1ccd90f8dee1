#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <atomic>
#include <vector>

#include "core/AppSettings.h"
#include "exchange/mail/ImapClient.h"
#include "model/ProgramList.h"

namespace kolt {

class TurnExchange;
class UiPort;

// One message that the download brought, by its UID in the folder.
struct FetchedMessage {
  quint32 uid = 0;
  QByteArray bytes;
};

// What the network half of a check found; it touches no game and asks nothing, so a
// worker thread may run it.
struct MailboxDownload {
  bool ok = false;  // logged in and searched
  ImapFailure failure = ImapFailure::None;
  QString error;  // what went wrong, with advice, for the user
  quint32 validity = 0;
  int found = 0;  // unseen messages with a turn subject, handled or not
  std::vector<FetchedMessage> messages;
  QList<quint32> tooLarge;  // left on the server, unseen
};

// What happened to each message once the window or terminal took it in.
enum class MessageOutcome {
  TakenIn,   // its turn (or its text) is in: mark or move it, never take it again
  Declined,  // the user said no, or copying stopped: stays unseen, asked again next time
  Refused,   // unusable (no archive, bad archive, bad sender): stays unseen, reported once
  NotATurn,  // a subject the program does not send ("Re: KOLT file"): left alone
};

struct TakenMessage {
  quint32 uid = 0;
  MessageOutcome outcome = MessageOutcome::NotATurn;
};

// A mailbox check: log in, find the unseen turn messages, fetch them, take each in
// through the same receive paths as an opened KLT or the working folder, then mark or
// move what was taken in. The UIDs handled are remembered per folder with the folder's
// UIDVALIDITY in the home folder's "imap-state", so nothing is taken in twice.
//
// The three steps are separate for the window: Download and Finish may run on a worker
// thread, TakeIn must run where the questions are asked.
class MailboxFetch {
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
  };
  // Nullopt-like: `problem` set when no mailbox is configured.
  static Account ReadAccount(const ProgramList& programs, QString* problem);

  // Network, no UI. `skip`: UIDs not to fetch again (declined earlier in this session).
  static MailboxDownload Download(const Account& account, const QSet<quint32>& skip,
                                  const std::atomic<bool>* cancel);
  // Takes in each message (asks questions through the UI port).
  std::vector<TakenMessage> TakeIn(const std::vector<FetchedMessage>& messages);
  // Network: marks or moves the messages taken in and remembers what was handled.
  // False with `error` set when the server refused.
  static bool Finish(const Account& account, quint32 validity, const std::vector<TakenMessage>& taken,
                     const QList<quint32>& tooLarge, const std::atomic<bool>* cancel, QString* error);

  // Results of the whole check (the terminal's exit status, the status bar).
  struct Result {
    bool ok = false;
    QString error;
    int found = 0;
    int takenIn = 0;
    int declined = 0;
    int refused = 0;
  };
  // The three steps one after the other on this thread (kolt-cli fetch).
  Result Run(const std::atomic<bool>* cancel = nullptr);
  // Forgets the declined messages, so that the next check asks again (F5).
  void ForgetDeclined() { m_declined.clear(); }
  const QSet<quint32>& Declined() const { return m_declined; }
  // Notes the outcomes for the next check of this session.
  void NoteOutcomes(const std::vector<TakenMessage>& taken);

  // The text of the status bar for a result.
  static QString ResultText(const Result& result);

  // The subjects of turn messages for the programs in the list.
  static QStringList TurnSubjects(const ProgramList& programs);
  // The IMAP search for unseen messages with one of `subjects` (names that cannot be
  // searched for plainly are left out; the exact subject is checked after the fetch).
  static QString SearchCriteria(const QStringList& subjects);

  // The last message text received with a game, and who sent it; empty when none.
  struct LastMessage {
    QString text, from, when;
  };
  static LastMessage LastMessageOf(const QString& shortName, const QString& gameName);
  static bool SetLastMessage(const QString& shortName, const QString& gameName, const LastMessage& message);

 private:
  MessageOutcome TakeInOne(const FetchedMessage& message);
  MessageOutcome TakeKlt(quint32 uid, const struct TurnMail& mail);
  MessageOutcome TakeProgramFiles(quint32 uid, const ProgramPtr& program, const struct TurnMail& mail);
  void KeepTaunt(const struct TurnMail& mail, size_t arrivedBefore, const QString& gamesText);
  void Refuse(quint32 uid, const struct TurnMail& mail, const QString& why);
  QString MailFolder() const;

  UiPort& m_ui;
  TurnExchange& m_exchange;
  ProgramList& m_programs;
  QSet<quint32> m_declined;
};

}  // namespace kolt

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>

#include "core/Utilities.h"
#include "exchange/turns/ReceiveEngine.h"
#include "exchange/turns/TurnMessages.h"
#include "model/Game.h"
#include "model/ProgramList.h"
#include "model/ReceiveBatch.h"

namespace kolt {

class ArchiveWrapper;
class HistoryStore;
class MailTransport;
class ReceiveJournal;
class TurnRecorder;
class UiPort;
class Wintools;

// Sending and receiving turns: packs the turn files of one address group and mails them,
// and takes in received KLT archives and the files in the working folder through the
// receive batch. One instance lives for the whole run; it remembers which programs and
// games received files, for the bold marks of the main window.
//
// The instance folder (App().instanceFolder) is where turns are packed; a received KLT
// archive is unpacked into its subfolder "received", so that nothing in an archive can
// replace the folder's lock file or an outgoing archive.
class TurnExchange {
  Q_DECLARE_TR_FUNCTIONS(TurnExchange)

 public:
  TurnExchange(UiPort& ui, Wintools& tools, ProgramList& programs, ArchiveWrapper& archive,
               MailTransport& mail);
  ~TurnExchange();
  TurnExchange(const TurnExchange&) = delete;
  TurnExchange& operator=(const TurnExchange&) = delete;

  // --- Sending ---

  // Sends games[first..last] (0-based, inclusive), all for `address`: the KLT message,
  // then one message per program for ZIP and plain modes. `taunt` asks for a taunt text
  // per message; `messageOnly` sends a message without files. False at the first
  // failure or cancel.
  bool SendGroup(const QString& address, const GameList& games, int first, int last, bool taunt,
                 bool messageOnly);
  // The three steps of SendGroup.
  bool SendGroupKlt(const QString& address, const GameList& games, int first, int last, bool taunt,
                    bool messageOnly);
  bool SendGroupZip(const QString& address, const GameList& games, int first, int last, bool taunt,
                    bool messageOnly);
  bool SendGroupPlain(const QString& address, const GameList& games, int first, int last, bool taunt,
                      bool messageOnly);
  // Writes SENDER.TXT into the instance folder and returns its name, or empty after
  // reporting why not.
  QString WriteSenderFile();
  // The taunt dialog for one message: false when the user cancelled; else `taunt` holds
  // the text as it goes into the body.
  bool AskTaunt(const QString& address, const QString& gamesText, QString* taunt);

  // --- Receiving ---

  // Takes in one received KLT archive. False when it was not taken in.
  bool ReceivedFile(const QString& path);
  // Takes in what waits in the working folder (every refresh): a KLT archive saved at its
  // top, as an opened one, and the files in its program subfolders.
  void ProcessWorkingFolder();
  // Empties the instance folder's program subfolders, the unpacked archive and
  // SENDER.TXT; `senderPath` receives the path of SENDER.TXT.
  bool DeleteTempDir(QString* senderPath = nullptr);
  // Unpacks the archives found in one folder.
  void DecompressFolder(const QString& folder);
  // The menu command that asks for and creates the working folder.
  void SetWorkingFolderCommand();

  // A fresh receive batch for the adapters (Services::newBatch).
  std::unique_ptr<ReceiveBatch> NewBatch();
  // How long a temporary copy in a game folder must have been left unchanged before a
  // receive takes it for the leftover of a killed one (tests shorten it).
  void SetStaleTemporaryAge(qint64 seconds) { m_records.staleTemporarySeconds = seconds; }

  // Set by the mailbox check around the messages it takes in: the taunt that came with
  // them (recorded with their turns), and identical turns taken in without a question.
  void SetIncomingTaunt(const QString& taunt) { m_records.incomingTaunt = taunt; }
  void SetQuietWhenIdentical(bool quiet) { m_records.quietWhenIdentical = quiet; }

  // Upper-case short names, and short name + TAB + game name, that received files.
  const KeyedCollection& ReceivedPrograms() const { return m_records.programs; }
  const KeyedCollection& ReceivedGames() const { return m_records.games; }
  // What the batches of this run did (kolt-cli's exit code).
  const ReceiveRecords& Records() const { return m_records; }
  // For the mailbox check, which sets what the batches of one message are to know.
  ReceiveRecords& Records() { return m_records; }

  // The games taken in since the last call, in order, and who sent them (empty for the
  // working folder's plain files); the records forget them.
  struct Arrivals {
    std::vector<ReceiveRecords::Arrived> games;
    QString sender;
    QString historyNote;  // why the turn history missed them; empty when it did not
  };
  Arrivals TakeArrivals();
  // What the status bar and a notification say of them: "Received 2 games from
  // ivan@example.org"; empty when nothing arrived.
  static QString ArrivalText(const Arrivals& arrivals);

  // Where a received KLT archive is unpacked.
  static QString ReceiveFolder();

  // The mail transport every message goes out through (reminders use it too).
  MailTransport& Mail() { return m_mail; }
  // The recorder of the turn history; none in some tests.
  TurnRecorder* Recorder() const { return m_records.recorder; }

  // Where sent and received turns are recorded: the home folder's history unless
  // another recorder is set (none: nothing is recorded).
  void SetRecorder(TurnRecorder* recorder) { m_records.recorder = recorder; }
  // Why the history missed turns sent since the last call (empty when it did not); the
  // status line shows it once the send's refresh is done.
  QString TakeSendHistoryNote() { return std::exchange(m_sendHistoryNote, QString()); }

 private:
  bool SendGroupByProgram(SendMode mode, const QString& address, const GameList& games, int first, int last,
                          bool taunt, bool messageOnly);
  // Deletes and re-creates instance folder + "/" + shortName.
  bool RecreateFolder(const QString& path);
  bool RemoveFolder(const QString& path);
  // Asks for a taunt when the step must; false on cancel. `showDialog` is set when the
  // desktop mail client's own window takes the text instead.
  bool TauntStep(const QString& address, const QString& gamesText, bool taunt, bool messageOnly,
                 QString* text, bool* showDialog);
  bool InstanceFolderReady();
  // SetSent on games[first..last] that `sentWith` names, written to disk at once; false,
  // after telling the user, when the settings could not be written.
  // `address` and `taunt` go into the turn history.
  bool RecordSent(const GameList& games, int first, int last,
                  const std::function<bool(const Game&)>& sentWith, const QString& address,
                  const QString& taunt);
  void ShowVersionNotice(const QString& sender, const QString& version);
  // Finishes the receives that were killed in the middle, from their journals
  // (TurnExchangeRecovery.cpp): before a receive, so that its files found in place are not
  // taken for an earlier receive's finished work.
  void FinishInterruptedReceives();
  void FinishInterruptedReceive(ReceiveJournal& journal);

  UiPort& m_ui;
  Wintools& m_tools;
  ProgramList& m_programs;
  ArchiveWrapper& m_archive;
  MailTransport& m_mail;
  ReceiveRecords m_records;
  std::unique_ptr<HistoryStore> m_history;
  QString m_sendHistoryNote;
};

}  // namespace kolt

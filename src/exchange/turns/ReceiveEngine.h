#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <map>
#include <memory>
#include <vector>

#include "core/Utilities.h"
#include "exchange/turns/ReceiveJournal.h"
#include "model/ReceiveBatch.h"

namespace kolt {

class Pass;
class TargetFolder;
struct FileAt;
class TurnRecorder;
class UiPort;
class Wintools;

// What the receiving side remembers for the whole run: the programs and games that took
// in files (the main window shows them in bold), and counts of what the batches did.
struct ReceiveRecords {
  KeyedCollection programs;  // upper-case short name
  KeyedCollection games;     // upper-case short name + TAB + game name
  int batches = 0;           // batches finished (whatever the outcome)
  int declined = 0;          // the user did not confirm old files
  int failed = 0;            // the copy pass stopped at a file
  int filesCopied = 0;
  int gamesRecorded = 0;
  // What came in since the window or terminal last asked (TurnExchange::TakeArrivals):
  // the games that took in files, in order, and the last sender that was named.
  struct Arrived {
    QString shortName, gameName;
  };
  std::vector<Arrived> arrived;
  QSet<QString> arrivedKeys;  // upper-case short name + TAB + game name
  QString arrivedFrom;
  // While a KLT archive is taken in: why its sender's address was not taken, for every
  // batch to list among the odd files. Empty when it was, or there was none.
  QString refusedSender;
  int filesInPlace = 0;  // received files identical to the installed ones, left as they are
  // A temporary copy unchanged for this long belongs to no copy still at work.
  qint64 staleTemporarySeconds = qint64{10} * 60;
  // Where received turns are recorded (none: not recorded), and the note of the last
  // record that failed, for the status bar.
  TurnRecorder* recorder = nullptr;
  QString historyNote;
  // Set by the mailbox check while it takes a message in: the text that came with the
  // turn, recorded with each received turn of the batches that follow.
  QString incomingTaunt;
  // Set by the mailbox check: a batch whose every file has the same bytes as the
  // installed one asks nothing and is counted in `batchesAlreadyIn` instead.
  bool quietWhenIdentical = false;
  int batchesAlreadyIn = 0;
  // Set by the mailbox check while it takes in a KLT archive: the message came by mail,
  // from `mailFrom` (empty when its From gave no usable address). Each file whose
  // archive sender and game opponent are both someone else is listed among the odd
  // files, so the player is asked before anything is copied.
  bool fromMailbox = false;
  QString mailFrom;

  // Adds a game to `arrived` unless it is there.
  void NoteArrived(const QString& shortName, const QString& gameName);
};

// The receive batch: checks each received file (future date, age against the installed
// file, sender address), asks when something is odd, copies with backups and records the
// receipt on the game.
//
// A received file never destroys the file it replaces: the old file is copied into the
// target's "bak" folder and that copy is verified before the new file replaces it, by a
// rename of a complete temporary copy. When a backup cannot be made, that file and the
// rest of the batch are not copied. A received file with the same bytes as the installed
// one is left alone: copying it would replace the backup of the turn before by the turn
// itself (a KLT opened twice, a receive run again after it was interrupted).
//
// Before it replaces anything, the batch writes a journal of what it is about to do
// (ReceiveJournal), removed once the received turns are recorded; a receive killed in
// the middle is finished from it by the next one (TurnExchange). Before copying into a
// folder, the batch removes what a receive killed in the middle left there and in its
// "bak" folder: the program's own temporary copies, by their exact name pattern, at once
// when their writer is known to be gone, else once they have not changed for a while.
class ReceiveEngine final : public ReceiveBatch {
  Q_DECLARE_TR_FUNCTIONS(ReceiveEngine)

 public:
  ReceiveEngine(UiPort& ui, Wintools& tools, ReceiveRecords& records);
  ~ReceiveEngine() override;

  void BeginReceive(std::shared_ptr<Program> program) override;
  void AddReceivedFile(const QString& file, const QString& targetFolder, bool sameIsOld,
                       const QString& storedAddress, const QString& senderAddress, bool primary,
                       const QString& key, const QString& extra) override;
  void AddMessage(const QString& text) override;
  bool FinishReceive(const QString& sender, std::shared_ptr<Game> game, bool plain) override;

  // The OK and warning texts gathered so far (tests).
  QString OkText() const { return m_okText; }
  QString WarningText() const { return m_warningText; }

  // True when the two texts are equal ignoring case, or when neither is empty and one of
  // the ";"-separated addresses of `list` equals `address` ignoring case.
  static bool AddressMatches(const QString& list, const QString& address);
  // A file's time as the texts show it: the locale's short date, then hh:mm:ss.
  static QString DateText(const QDateTime& time);
  // A file's path as a key that finds it whatever the spelling of its folder or case.
  static QString FileKey(const QString& path);

 private:
  struct Pending {
    QString sourceFolder, fileName, targetFolder;
    bool primary = false;
    QString key, extra;
    // For the turn history: the game the file belongs to, and the backup of the file it
    // replaced with that file's modification stamp (empty when it replaced none).
    QString gameName, mode, opponent, replacedCopy, replacedStamp;
    bool inPlace = false;  // identical to the installed file: nothing copied
    // Planned before the copy pass: the installed file's path and where it is backed up.
    QString dest, backup;
  };

  void FixFutureDate(const QString& path);
  void CompareFile(const QString& file, const QString& existing, bool sameIsOld);
  void CheckSenderAddress(const QString& label, const QString& stored, const QString& sender);
  // A KLT from the mailbox: the message's sender should be the archive's or the game's.
  void CheckMailSender(const QString& label, const QString& stored, const QString& sender);
  bool ConfirmOldFiles();
  // True when every queued file has the bytes of the installed one.
  bool AllInPlace() const;
  // True when the queued files are an older turn than the one installed, taken in
  // before by the history's account: a message a stopped mailbox check did not get to
  // note as handled, met again after a later turn of the game came in.
  bool TakenInBefore() const;
  // What the copy pass will do, written to the journal.
  void Plan(const QString& sender, bool plain);
  bool CopyPass(bool plain);
  // Once per batch and folder: the stale temporaries there and in its "bak" folder.
  void RemoveLeftovers(const QString& folder);
  // The target folder held open for the batch (opened on first use); null, with errno
  // set, when it is not a real folder.
  const TargetFolder* Target(const QString& folder);
  // Backs up the installed file `dest` of `p` into its "bak" folder; false after saying so.
  bool BackUp(Pending& p, const TargetFolder& folder, const FileAt& dest);
  // A working-folder file after it was taken in; false, after saying so, when it stays.
  bool RemoveSource(const QString& source);
  void RecordPass(const QString& sender, Game& game, bool plain);
  // Keeps the replaced files as earlier turns and records one received turn per game
  // (ReceiveEngineHistory.cpp).
  void KeepAndRecordTurns(const QString& sender);
  // Ends the batch's pass; false when its settings could not be written.
  bool EndReceive();

  UiPort& m_ui;
  Wintools& m_tools;
  ReceiveRecords& m_records;
  std::shared_ptr<Program> m_program;
  QString m_okText;
  QString m_ownAddress;  // from the mailbox: the player's own address, read once a batch
  QString m_warningText;
  std::vector<Pending> m_pending;
  QSet<QString> m_queued;    // target folder + NUL + case-folded name of each queued file
  QSet<QString> m_cleaned;   // target folders whose leftovers were removed
  bool m_unstamped = false;  // a game's record of this receive could not be written
  bool m_asked = false;      // a box was shown: the player may have changed the folders
  std::map<QString, std::unique_ptr<TargetFolder>> m_targets;  // by the path the adapter gave
  // The batch is one pass: folders listed once, records written once at its end.
  std::unique_ptr<Pass> m_pass;
  ReceiveJournal m_journal;
  QByteArray m_tag;  // names the batch's temporaries
  // The game each installed file belongs to, as the program's games name their files
  // (case-folded path -> game name).
  QHash<QString, QString> m_fileGames;
};

}  // namespace kolt

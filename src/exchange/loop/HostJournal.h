#pragma once

#include <QString>
#include <QStringList>

namespace kolt {

// What automatic hosting has done to one game so far, kept in the home folder
// ("autohost/") so that a run killed in the middle is finished or undone by the next:
// - "hosting": the game's files were copied aside and the game is processing the turn;
//   an unfinished step is undone by putting the copies back;
// - "sending": the turn was processed; `sent` lists the players it has gone to, and
//   `sending` the one whose message was being handed to the mail server (its outcome is
//   unknown when a run was killed then).
// One process at a time works on a game: the journal is held with an exclusive lock.
class HostJournal {
 public:
  explicit HostJournal(const QString& gameKey);
  ~HostJournal();
  HostJournal(const HostJournal&) = delete;
  HostJournal& operator=(const HostJournal&) = delete;

  // The keys of the games with a journal in the home folder.
  static QStringList Pending();
  // Where every journal lives.
  static QString Folder();

  // False when another process holds the game (`busy`) or the lock file cannot be made.
  bool TryLock(bool* busy);

  // Reads the journal; false when there is none (or it cannot be read).
  bool Load();
  bool Exists() const;

  // Copies `files` (full paths, all in one folder) aside and records the "hosting"
  // phase, flushed to disk; false, with `error` set, when the copies or the record could
  // not be written (nothing then is to be undone).
  bool BeginHosting(const QStringList& files, QString* error);
  // Undoes an unfinished host step: the game's folder gets back exactly the files that
  // were copied aside (files the step made that begin with `prefix` are removed). False,
  // with `error` set, when a file could not be put back (the journal then stays).
  bool UndoHosting(const QString& prefix, QString* error);
  // The turn is processed: its stamp and the players to send it to.
  bool BeginSending(const QString& stamp, const QStringList& recipients, QString* error);
  // Recorded before the message to `address` is handed over, and cleared by MarkSent.
  bool MarkSending(const QString& address, QString* error);
  bool MarkSent(const QString& address, QString* error);
  // Removes the journal and the copies: the game is as it was, or fully hosted.
  bool Finish(QString* error);

  QString Phase() const { return m_phase; }
  QString Stamp() const { return m_stamp; }
  QStringList Recipients() const { return m_recipients; }
  QStringList Sent() const { return m_sent; }
  // The player whose message may or may not have gone out; empty when none.
  QString Sending() const { return m_sending; }
  QString GameKey() const { return m_key; }

 private:
  bool Save(QString* error);

  QString m_key;
  QString m_path;    // the journal
  QString m_copies;  // the folder of the copies
  int m_lock = -1;
  QString m_phase;
  QString m_folder;     // the game's folder
  QStringList m_files;  // the names copied aside
  QString m_stamp;
  QStringList m_recipients;
  QStringList m_sent;
  QString m_sending;
};

}  // namespace kolt

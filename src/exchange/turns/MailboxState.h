#pragma once

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QString>

namespace kolt {

// The small JSON files the mailbox checks keep in the home folder ("imap-state",
// "received-messages"): read up to 16 MB (an empty object when missing or damaged), and
// written atomically, readable by the user alone.
QJsonObject ReadJsonFile(const QString& path);
[[nodiscard]] bool WriteJsonFile(const QString& path, const QJsonObject& object);

// What the mailbox checks of one home remember of one folder (the home folder's
// "imap-state", per account and folder, with the folder's UIDVALIDITY):
// - handled: taken in, already in, or reported and left alone; never fetched again;
// - pending: about to be fetched, or fetched and still marked read on the server. A
//   fetch marks a message read, so a check killed between the download and taking the
//   mark back would leave the turn read and unseen by every later UNSEEN search; the
//   next check fetches pending messages again whatever their flags;
// - unmarked: handled turns not yet marked read or moved on the server.
// Callers hold the home's MailboxLock while they load and save.
class MailboxState {
  Q_DECLARE_TR_FUNCTIONS(MailboxState)

 public:
  MailboxState(QString path, QString key);

  // Reads the file; what it holds for another UIDVALIDITY is forgotten.
  void Load(quint32 validity);
  // Writes the file at once (flushed to disk); false with `error` set when it could not.
  [[nodiscard]] bool Save(QString* error);

  bool IsHandled(quint32 uid) const { return m_handled.contains(uid); }
  const QSet<quint32>& Pending() const { return m_pending; }
  QList<quint32> Unmarked() const;

  void AddPending(const QList<quint32>& uids);
  void RemovePending(const QList<quint32>& uids);
  // `mark`: the server is still to mark it read (or move it).
  void AddHandled(quint32 uid, bool mark);
  void Marked(quint32 uid) { m_unmarked.remove(uid); }

 private:
  QString m_path;
  QString m_key;
  quint32 m_validity = 0;
  QList<quint32> m_handledOrder;  // oldest first, for trimming
  QSet<quint32> m_handled;
  QSet<quint32> m_pending;
  QSet<quint32> m_unmarked;
};

}  // namespace kolt

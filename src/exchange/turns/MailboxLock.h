#pragma once

#include <QCoreApplication>
#include <QString>

namespace kolt {

// One mailbox check at a time per home: the window's timer and a `kolt-cli fetch` from a
// systemd timer would otherwise both fetch and take in every turn. An exclusive flock on
// "imap-lock" in the home folder, released when the object goes (or the process dies).
class MailboxLock {
  Q_DECLARE_TR_FUNCTIONS(MailboxLock)

 public:
  MailboxLock() = default;
  ~MailboxLock();
  MailboxLock(const MailboxLock&) = delete;
  MailboxLock& operator=(const MailboxLock&) = delete;

  // False when another check holds it (`busy`) or the file cannot be opened (`error`).
  bool TryLock(bool* busy, QString* error);
  bool Held() const { return m_fd >= 0; }

  // What the user is told when another check runs.
  static QString BusyText();

 private:
  int m_fd = -1;
};

}  // namespace kolt

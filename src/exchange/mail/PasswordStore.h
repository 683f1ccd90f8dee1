#pragma once

#include <QString>

namespace kolt {

// Where the SMTP password lives: the desktop keyring when one answers, otherwise a file
// only the user can read. Never the settings file, which is plain text that users copy
// around and post when asking for help.
class PasswordStore {
 public:
  virtual ~PasswordStore() = default;
  // Empty when none is stored.
  virtual QString ReadPassword() = 0;
  // An empty password removes the stored one. False when it could not be stored.
  [[nodiscard]] virtual bool WritePassword(const QString& password) = 0;
  // Where the password is kept, in words for the settings dialog.
  virtual QString Location() const = 0;
};

// The store of this run: the keyring when the build has keyring support and a session
// bus is there, else the password file in the home folder.
PasswordStore& DefaultPasswordStore();
// The same for the password of the mailbox that turns are fetched from: its own key in
// the keyring, else the home folder's "imap-password".
PasswordStore& ImapPasswordStore();

}  // namespace kolt

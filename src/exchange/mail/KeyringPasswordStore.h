#pragma once

#include "exchange/mail/FilePasswordStore.h"
#include "exchange/mail/PasswordStore.h"

namespace kolt {

// The password in the desktop keyring (Secret Service or KWallet through QtKeychain).
// When no keyring answers it falls back to the password file, and a password that
// reached the keyring removes an older file copy.
class KeyringPasswordStore final : public PasswordStore {
 public:
  QString ReadPassword() override;
  bool WritePassword(const QString& password) override;
  QString Location() const override;

 private:
  FilePasswordStore m_file;
  bool m_inKeyring = false;
};

}  // namespace kolt

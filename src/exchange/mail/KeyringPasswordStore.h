#pragma once

#include <QCoreApplication>
#include "exchange/mail/FilePasswordStore.h"
#include "exchange/mail/PasswordStore.h"

namespace kolt {

// The password in the desktop keyring (Secret Service or KWallet through QtKeychain).
// When no keyring answers it falls back to the password file, and a password that
// reached the keyring removes an older file copy.
class KeyringPasswordStore final : public PasswordStore {
  Q_DECLARE_TR_FUNCTIONS(KeyringPasswordStore)

 public:
  // `key`: the entry in the keyring; `fileName`: the fallback file in the home folder.
  explicit KeyringPasswordStore(const QString& key = QStringLiteral("smtp"),
                                const QString& fileName = QStringLiteral("smtp-password"))
      : m_file(QString(), fileName), m_key(key) {}
  QString ReadPassword() override;
  [[nodiscard]] bool WritePassword(const QString& password) override;
  QString Location() const override;

 private:
  FilePasswordStore m_file;
  QString m_key;
  bool m_inKeyring = false;
};

}  // namespace kolt

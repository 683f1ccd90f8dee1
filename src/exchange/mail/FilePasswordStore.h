#pragma once

#include "exchange/mail/PasswordStore.h"

namespace kolt {

// The password in a file of its own, mode 0600, replaced atomically. The name has no
// .INI ending on purpose: INI files in the home folder are program definitions.
class FilePasswordStore final : public PasswordStore {
 public:
  // `path` empty: the file `name` in the home folder.
  explicit FilePasswordStore(const QString& path = QString(),
                             const QString& name = QStringLiteral("smtp-password"));
  QString ReadPassword() override;
  [[nodiscard]] bool WritePassword(const QString& password) override;
  QString Location() const override;
  QString Path() const;

 private:
  QString m_path;
  QString m_name;
};

}  // namespace kolt

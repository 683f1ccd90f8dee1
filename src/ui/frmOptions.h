#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmOptions;
}

namespace kolt {

class PasswordStore;

// The e-mail settings: own address, desktop mail client or SMTP, and the SMTP server,
// account, port, security, user name and password. The password goes to the password
// store, never to the settings file.
class frmOptions final : public QDialog {
  Q_OBJECT

 public:
  // `passwords`: nullptr means DefaultPasswordStore().
  explicit frmOptions(QWidget* parent = nullptr, PasswordStore* passwords = nullptr);
  ~frmOptions() override;

  // Writes every field (the disabled ones too).
  void Apply();

 private:
  void Form_Load();
  void UpdateEnabling();
  void cmbSMTPSecurity_Change(int index);
  void cmdOK_Click();

  std::unique_ptr<Ui::frmOptions> m_ui;
  PasswordStore* m_passwords;
  QString m_loadedPassword;
  int m_security = 0;
};

}  // namespace kolt

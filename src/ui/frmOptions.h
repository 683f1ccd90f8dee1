#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "core/AppSettings.h"
#include "exchange/mail/ServerCertificate.h"

class QLabel;
class QPushButton;

namespace Ui {
class frmOptions;
}

namespace kolt {

class OptionsOverviewPage;
class PasswordStore;
struct MailEndpoint;

// The e-mail settings: own address, desktop mail client or SMTP, and the SMTP server,
// account, port, security, user name and password. The password goes to the password
// store, never to the settings file.
class frmOptions final : public QDialog {
  Q_OBJECT

 public:
  // `passwords`: nullptr means DefaultPasswordStore().
  explicit frmOptions(QWidget* parent = nullptr, PasswordStore* passwords = nullptr);
  ~frmOptions() override;

  // Checks the fields, then writes every field (the disabled ones too). A field that
  // cannot work is refused instead: a message box says why, the field gets the focus and
  // nothing is written; false then.
  bool Apply();

  // Minutes between mailbox checks offered while no mailbox is set up.
  static constexpr int kNewMailboxInterval = 5;

 private:
  void Form_Load();
  void UpdateEnabling();
  // The "Receiving e-mail" page: the mailbox that turns are fetched from.
  void LoadReceiving();
  ImapSettings ReceivingSettings() const;
  bool SaveReceiving();
  void cmdIMAPTest_Click();
  void cmdSMTPTest_Click();

  // A certificate the last test met and the user may trust, for one page's test.
  struct CertificateOffer {
    QLabel* result = nullptr;
    QPushButton* trust = nullptr;
    QString server;  // host:port
    std::optional<ServerCertificate> certificate;
  };
  // Shows `text` as the test's result, laid out in full.
  void ShowTestResult(CertificateOffer& offer, const QString& text);
  // After a test that failed on the certificate: fetches it (without logging in), shows
  // what the user needs to decide, and offers to trust it.
  void OfferCertificate(CertificateOffer& offer, const MailEndpoint& endpoint, bool changed,
                        const QString& failure);
  // Keeps the offered certificate for its server, then tests again with it.
  void TrustOffered(CertificateOffer& offer, void (frmOptions::*test)());
  // The first field that cannot work, with the reason; nullptr when all can.
  QWidget* InvalidField(QString* reason) const;
  void Refuse(QWidget* field, const QString& reason);
  void cmbSMTPSecurity_Change(int index);
  void cmdOK_Click();

  std::unique_ptr<Ui::frmOptions> m_ui;
  PasswordStore* m_passwords;
  QString m_loadedPassword;
  QString m_loadedImapPassword;
  int m_security = 0;
  OptionsOverviewPage* m_overview = nullptr;
  CertificateOffer m_smtpOffer;
  CertificateOffer m_imapOffer;
};

}  // namespace kolt

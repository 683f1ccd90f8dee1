#include "ui/frmOptions.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <algorithm>

#include "core/AppSettings.h"
#include "core/Settings.h"
#include "exchange/mail/CurlSession.h"
#include "exchange/mail/ImapClient.h"
#include "exchange/mail/MailText.h"
#include "exchange/mail/PasswordStore.h"
#include "exchange/mail/SmtpSender.h"
#include "exchange/mail/TrustedCertificates.h"
#include "ui/OptionsOverviewPage.h"
#include "ui_frmOptions.h"

namespace kolt {
namespace {

// A label as the user reads it: without its mnemonic marker.
QString Shown(const QLabel& label) {
  QString text = label.text();
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QChar('&'));
  text.replace(QChar(1), QChar('&'));
  return text;
}

// The order of cmbSMTPSecurity's entries.
const SmtpSecurity kSecurities[] = {SmtpSecurity::StartTls, SmtpSecurity::Tls, SmtpSecurity::None};

// The order of cmbIMAPSecurity's entries.
const ImapSecurity kImapSecurities[] = {ImapSecurity::Tls, ImapSecurity::StartTls, ImapSecurity::None};

int DefaultPort(SmtpSecurity security) {
  return security == SmtpSecurity::Tls ? kDefaultSmtpsPort : kDefaultSmtpPort;
}

}  // namespace

frmOptions::frmOptions(QWidget* parent, PasswordStore* passwords)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmOptions>()), m_passwords(passwords) {
  m_ui->setupUi(this);
  m_overview = new OptionsOverviewPage(this);
  m_overview->AddTo(this);
  if (!m_passwords) m_passwords = &DefaultPasswordStore();
  connect(m_ui->optMAPI, &QRadioButton::toggled, this, &frmOptions::UpdateEnabling);
  connect(m_ui->optSMTP, &QRadioButton::toggled, this, &frmOptions::UpdateEnabling);
  connect(m_ui->cmbSMTPSecurity, &QComboBox::currentIndexChanged, this, &frmOptions::cmbSMTPSecurity_Change);
  connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
  connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_ui->cmdApply, &QPushButton::clicked, this, &frmOptions::Apply);
  // A port typed with the server name is the one used: the port field then shows it.
  connect(m_ui->txtSMTPServer, &QLineEdit::textChanged, this, &frmOptions::UpdateEnabling);
  connect(m_ui->cmdIMAPTest, &QPushButton::clicked, this, &frmOptions::cmdIMAPTest_Click);
  connect(m_ui->cmbIMAPSecurity, &QComboBox::currentIndexChanged, this, [this](int index) {
    // A port at the other kind's usual number follows.
    const int port = m_ui->spnIMAPPort->value();
    if (port == kDefaultImapsPort || port == kDefaultImapPort)
      m_ui->spnIMAPPort->setValue(index == 0 ? kDefaultImapsPort : kDefaultImapPort);
  });
  connect(m_ui->optIMAPMove, &QRadioButton::toggled, m_ui->txtIMAPMoveTo, &QLineEdit::setEnabled);
  m_smtpOffer.result = m_ui->lblSMTPTest;
  m_smtpOffer.trust = m_ui->cmdSMTPTrust;
  m_imapOffer.result = m_ui->lblIMAPTest;
  m_imapOffer.trust = m_ui->cmdIMAPTrust;
  connect(m_ui->cmdSMTPTest, &QPushButton::clicked, this, &frmOptions::cmdSMTPTest_Click);
  connect(m_ui->cmdSMTPTrust, &QPushButton::clicked, this,
          [this] { TrustOffered(m_smtpOffer, &frmOptions::cmdSMTPTest_Click); });
  connect(m_ui->cmdIMAPTrust, &QPushButton::clicked, this,
          [this] { TrustOffered(m_imapOffer, &frmOptions::cmdIMAPTest_Click); });
  // An offer is for the server it was shown for: another server, port or security
  // takes it back.
  const auto withdraw = [](CertificateOffer& offer) {
    offer.certificate.reset();
    offer.trust->hide();
  };
  const auto withdrawSmtp = [this, withdraw] { withdraw(m_smtpOffer); };
  const auto withdrawImap = [this, withdraw] { withdraw(m_imapOffer); };
  connect(m_ui->txtSMTPServer, &QLineEdit::textChanged, this, withdrawSmtp);
  connect(m_ui->spnSMTPPort, &QSpinBox::valueChanged, this, withdrawSmtp);
  connect(m_ui->cmbSMTPSecurity, &QComboBox::currentIndexChanged, this, withdrawSmtp);
  connect(m_ui->txtIMAPServer, &QLineEdit::textChanged, this, withdrawImap);
  connect(m_ui->spnIMAPPort, &QSpinBox::valueChanged, this, withdrawImap);
  connect(m_ui->cmbIMAPSecurity, &QComboBox::currentIndexChanged, this, withdrawImap);
  Form_Load();
}

frmOptions::~frmOptions() = default;

void frmOptions::Form_Load() {
  const MailSettings settings = ReadMailSettings();
  m_ui->txtFrom->setText(settings.from);
  m_ui->chkShowDialog->setChecked(settings.dialog);
  m_ui->txtEMail->setText(settings.account);
  m_ui->txtSMTPServer->setText(settings.server);
  for (int i = 0; i < 3; ++i) {
    if (kSecurities[i] == settings.security) m_security = i;
  }
  m_ui->cmbSMTPSecurity->setCurrentIndex(m_security);
  m_ui->spnSMTPPort->setValue(settings.port);
  m_ui->txtSMTPUser->setText(settings.user);
  m_loadedPassword = m_passwords->ReadPassword();
  m_ui->txtSMTPPassword->setText(m_loadedPassword);
  // The place on a line of its own: a path has no blanks to wrap at, and a label would
  // break it in the middle of a name.
  m_ui->lblPasswordStore->setWordWrap(false);
  m_ui->lblPasswordStore->setText(
      tr("The password is kept in\n%1,\nnever in the settings file.").arg(m_passwords->Location()));

  // Only the exact words count; anything else leaves the default choice.
  if (settings.mode == QLatin1String(kMailModeSmtp))
    m_ui->optSMTP->setChecked(true);
  else
    m_ui->optMAPI->setChecked(true);
  LoadReceiving();
  UpdateEnabling();
}

void frmOptions::LoadReceiving() {
  const ImapSettings imap = ReadImapSettings();
  m_ui->txtIMAPServer->setText(imap.server);
  {
    const QSignalBlocker block(m_ui->cmbIMAPSecurity);
    for (int i = 0; i < 3; ++i) {
      if (kImapSecurities[i] == imap.security) m_ui->cmbIMAPSecurity->setCurrentIndex(i);
    }
  }
  m_ui->spnIMAPPort->setValue(imap.port);
  m_ui->txtIMAPUser->setText(imap.user);
  m_ui->txtIMAPFolder->setText(imap.folder);
  // A mailbox being set up is checked on its own unless the user says otherwise: the
  // stored 0 of a page saved without a server is no choice of his.
  m_ui->spnIMAPInterval->setValue(imap.server.isEmpty() ? kNewMailboxInterval : imap.interval);
  m_ui->optIMAPMove->setChecked(imap.after == ImapAfter::Move);
  m_ui->optIMAPMarkRead->setChecked(imap.after != ImapAfter::Move);
  m_ui->txtIMAPMoveTo->setText(imap.moveTo);
  m_ui->txtIMAPMoveTo->setEnabled(imap.after == ImapAfter::Move);
  m_loadedImapPassword = ImapPasswordStore().ReadPassword();
  m_ui->txtIMAPPassword->setText(m_loadedImapPassword);
}

ImapSettings frmOptions::ReceivingSettings() const {
  ImapSettings imap;
  imap.server = m_ui->txtIMAPServer->text().trimmed();
  imap.security = kImapSecurities[std::clamp(m_ui->cmbIMAPSecurity->currentIndex(), 0, 2)];
  imap.port = m_ui->spnIMAPPort->value();
  imap.user = m_ui->txtIMAPUser->text().trimmed();
  imap.folder = m_ui->txtIMAPFolder->text().trimmed();
  if (imap.folder.isEmpty()) imap.folder = QStringLiteral("INBOX");
  imap.interval = m_ui->spnIMAPInterval->value();
  imap.after = m_ui->optIMAPMove->isChecked() ? ImapAfter::Move : ImapAfter::MarkRead;
  imap.moveTo = m_ui->txtIMAPMoveTo->text().trimmed();
  return imap;
}

bool frmOptions::SaveReceiving() {
  bool ok = WriteImapSettings(ReceivingSettings());
  const QString password = m_ui->txtIMAPPassword->text();
  if (password != m_loadedImapPassword) {
    if (ImapPasswordStore().WritePassword(password))
      m_loadedImapPassword = password;
    else
      ok = false;
  }
  return ok;
}

void frmOptions::cmdIMAPTest_Click() {
  const ImapSettings imap = ReceivingSettings();
  if (imap.server.isEmpty()) {
    ShowTestResult(m_imapOffer, tr("Enter the IMAP server first."));
    return;
  }
  ImapAccount account;
  account.host = imap.server;
  account.port = imap.port;
  account.security = imap.security;
  account.user = imap.user.isEmpty() ? m_ui->txtEMail->text().trimmed() : imap.user;
  if (account.user.isEmpty()) account.user = m_ui->txtFrom->text().trimmed();
  account.password = m_ui->txtIMAPPassword->text();
  account.caFile = qEnvironmentVariable("KOLT_IMAP_CAINFO");
  account.responseTimeout = 20;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ImapClient client(account);
  quint32 validity = 0;
  QList<quint32> unread;
  const bool ok = client.UidValidity(imap.folder, &validity) &&
                  client.Search(imap.folder, QStringLiteral("UNSEEN"), &unread);
  QApplication::restoreOverrideCursor();
  if (ok) {
    ShowTestResult(m_imapOffer, tr("Logged in as %1: the folder %2 has %3 unread messages.")
                                    .arg(account.user, imap.folder, QString::number(unread.size())));
    return;
  }
  const ImapFailure failure = client.Failure();
  if (failure == ImapFailure::Certificate || failure == ImapFailure::CertificateChanged) {
    OfferCertificate(m_imapOffer, account.Endpoint(), failure == ImapFailure::CertificateChanged,
                     client.Error());
    return;
  }
  const QString advice = ImapClient::Advice(failure);
  ShowTestResult(m_imapOffer, tr("Failed: %1").arg(client.Error()) +
                                  (advice.isEmpty() ? QString() : QStringLiteral("\n") + advice));
}

void frmOptions::cmdSMTPTest_Click() {
  const std::optional<SmtpServerText> text = ParseSmtpServer(m_ui->txtSMTPServer->text());
  if (!text) {
    ShowTestResult(m_smtpOffer, tr("Enter the SMTP server first."));
    return;
  }
  MailSettings settings;
  settings.account = m_ui->txtEMail->text();
  settings.user = m_ui->txtSMTPUser->text();
  SmtpServer server;
  server.host = text->host;
  server.port = text->port != 0 ? text->port : m_ui->spnSMTPPort->value();
  server.security = kSecurities[std::clamp(m_ui->cmbSMTPSecurity->currentIndex(), 0, 2)];
  server.user = settings.LoginUser();
  server.password = m_ui->txtSMTPPassword->text();
  server.caFile = qEnvironmentVariable("KOLT_SMTP_CAINFO");
  server.responseTimeout = 20;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const SmtpResult result = CheckSmtpServer(server);
  QApplication::restoreOverrideCursor();
  if (result.code == 0) {
    ShowTestResult(m_smtpOffer, server.password.isEmpty()
                                    ? tr("Connected to %1 (no password: no login tried).").arg(result.server)
                                    : tr("Connected to %1 and logged in as %2. No message was sent.")
                                          .arg(result.server, server.user));
    return;
  }
  if (result.failure == SmtpFailure::Certificate || result.failure == SmtpFailure::CertificateChanged) {
    OfferCertificate(m_smtpOffer, SmtpEndpoint(server), result.failure == SmtpFailure::CertificateChanged,
                     result.error);
    return;
  }
  const QString advice = SmtpFailureAdvice(result);
  ShowTestResult(m_smtpOffer, tr("Failed: %1").arg(result.error) +
                                  (advice.isEmpty() ? QString() : QStringLiteral("\n") + advice));
}

void frmOptions::ShowTestResult(CertificateOffer& offer, const QString& text) {
  offer.result->setText(text);
  offer.trust->setVisible(offer.certificate.has_value());
  // A word-wrapped label does not make a shown dialog taller: grow it to what the page
  // now needs, so no line of the result is cut off.
  if (QLayout* l = layout()) l->activate();
  const QSize wanted = sizeHint().expandedTo(minimumSizeHint());
  if (isVisible() && (wanted.height() > height() || wanted.width() > width()))
    resize(size().expandedTo(wanted));
}

void frmOptions::OfferCertificate(CertificateOffer& offer, const MailEndpoint& endpoint, bool changed,
                                  const QString& failure) {
  offer.certificate.reset();
  offer.server = endpoint.Name();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QString error;
  offer.certificate = ServerCertificate::Fetch(endpoint, &error);
  QApplication::restoreOverrideCursor();
  const QString what = changed ? CertificateChangedText(offer.server)
                               //: %2 is the reason the connection failed
                               : tr("The certificate of the server %1 is not trusted on this computer (%2).")
                                     .arg(offer.server, failure);
  if (!offer.certificate) {
    ShowTestResult(offer, tr("Failed: %1").arg(what) + QStringLiteral("\n") +
                              tr("Its certificate could not be read: %1").arg(error));
    return;
  }
  ShowTestResult(offer, tr("Failed: %1").arg(what) + QStringLiteral("\n\n") + offer.certificate->Details() +
                            QStringLiteral("\n\n") +
                            tr("Trust it only if the server is your own or the fingerprint is the one your "
                               "provider publishes. Your password was not sent."));
}

void frmOptions::TrustOffered(CertificateOffer& offer, void (frmOptions::*test)()) {
  if (!offer.certificate) return;
  if (!TrustedCertificates::Trust(offer.server, *offer.certificate)) {
    QMessageBox::warning(this, windowTitle(), tr("Can't write the file %1").arg(TrustedCertificates::Path()));
    return;
  }
  offer.certificate.reset();
  offer.trust->hide();
  (this->*test)();
}

void frmOptions::UpdateEnabling() {
  const bool smtp = m_ui->optSMTP->isChecked();
  QWidget* const smtpFields[] = {m_ui->txtEMail,         m_ui->txtSMTPServer, m_ui->lblEMail,
                                 m_ui->lblSMTP,          m_ui->lblSecurity,   m_ui->cmbSMTPSecurity,
                                 m_ui->lblPort,          m_ui->spnSMTPPort,   m_ui->lblUser,
                                 m_ui->txtSMTPUser,      m_ui->lblPassword,   m_ui->txtSMTPPassword,
                                 m_ui->lblPasswordStore, m_ui->cmdSMTPTest};
  for (QWidget* w : smtpFields) w->setEnabled(smtp);
  // The desktop mail client always shows its own compose window: the choice works in
  // SMTP mode only, where it asks before each message goes out.
  m_ui->chkShowDialog->setEnabled(smtp);
  const std::optional<SmtpServerText> server = ParseSmtpServer(m_ui->txtSMTPServer->text());
  if (server && server->port != 0) {
    const QSignalBlocker block(m_ui->spnSMTPPort);
    m_ui->spnSMTPPort->setValue(server->port);
    m_ui->spnSMTPPort->setEnabled(false);
    m_ui->lblPort->setEnabled(false);
  }
}

QWidget* frmOptions::InvalidField(QString* reason) const {
  // %1 in these texts is the field's label as the dialog shows it.
  const QString fromLabel = Shown(*m_ui->Label1);
  const QString from = m_ui->txtFrom->text().trimmed();
  // Both modes need it: it goes with every turn, and the test message is sent to it.
  if (from.isEmpty()) {
    *reason = tr("Enter your e-mail address under \"%1\". Your opponents' copies know your turns by it, and "
                 "the test message goes to it.")
                  .arg(fromLabel);
    return m_ui->txtFrom;
  }
  if (from.size() > kIniValueMax) {
    *reason = tr("The address under \"%1\" is %2 characters long; at most %3 fit. Enter one address, such as "
                 "name@example.com.")
                  .arg(fromLabel, QString::number(from.size()), QString::number(kIniValueMax));
    return m_ui->txtFrom;
  }
  if (!IsPlainAddress(from)) {
    *reason = tr(R"("%1" is not an e-mail address. Enter one address under "%2", such as name@example.com.)")
                  .arg(from, fromLabel);

    return m_ui->txtFrom;
  }
  if (!m_ui->optSMTP->isChecked()) return nullptr;
  const QString server = m_ui->txtSMTPServer->text().trimmed();
  if (server.isEmpty()) {
    *reason = tr("Enter the SMTP server for outgoing mail, such as mail.example.com.");
    return m_ui->txtSMTPServer;
  }
  if (!ParseSmtpServer(server)) {
    *reason = tr("\"%1\" is not an SMTP server. Enter its name, optionally with a port: mail.example.com, "
                 "mail.example.com:587 or [2001:db8::1]:587.")
                  .arg(server);
    return m_ui->txtSMTPServer;
  }
  const QString accountLabel = Shown(*m_ui->lblEMail);
  const QString account = m_ui->txtEMail->text().trimmed();
  if (account.size() > kIniValueMax) {
    *reason = tr("The address of your SMTP account under \"%1\" is %2 characters long; at most %3 fit.")
                  .arg(accountLabel, QString::number(account.size()), QString::number(kIniValueMax));
    return m_ui->txtEMail;
  }
  if (account.isEmpty()) {
    *reason = tr("Enter the address of your SMTP account under \"%1\", such as name@example.com.")
                  .arg(accountLabel);
    return m_ui->txtEMail;
  }
  if (!IsPlainAddress(account)) {
    *reason = tr("\"%1\" is not an e-mail address. Enter the address of your SMTP account under \"%2\", such "
                 "as name@example.com.")
                  .arg(account, accountLabel);
    return m_ui->txtEMail;
  }
  return nullptr;
}

void frmOptions::Refuse(QWidget* field, const QString& reason) {
  field->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  // Window-modal and not waited for: the dialog stays open with the field to correct.
  auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), reason, QMessageBox::Ok, this);
  box->setObjectName(QStringLiteral("msgRefused"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  // The keyboard comes back to this dialog, whatever the window manager does.
  connect(box, &QMessageBox::finished, this, [this] {
    raise();
    activateWindow();
  });
  box->open();
}

void frmOptions::cmbSMTPSecurity_Change(int index) {
  if (index < 0 || index > 2) return;
  // A port still at the old kind's usual number follows to the new kind's.
  if (m_ui->spnSMTPPort->value() == DefaultPort(kSecurities[m_security]))
    m_ui->spnSMTPPort->setValue(DefaultPort(kSecurities[index]));
  m_security = index;
}

bool frmOptions::Apply() {
  QString reason;
  if (QWidget* field = InvalidField(&reason)) {
    Refuse(field, reason);
    return false;
  }
  MailSettings settings;
  settings.from = m_ui->txtFrom->text();
  settings.mode = QLatin1String(m_ui->optMAPI->isChecked() ? kMailModeDesktop : kMailModeSmtp);
  settings.account = m_ui->txtEMail->text();
  settings.server = m_ui->txtSMTPServer->text();
  settings.dialog = m_ui->chkShowDialog->isChecked();
  settings.port = m_ui->spnSMTPPort->value();
  settings.security = kSecurities[m_ui->cmbSMTPSecurity->currentIndex()];
  settings.user = m_ui->txtSMTPUser->text().trimmed();
  if (!WriteMailSettings(settings) || !SaveReceiving() || !m_overview->Apply()) {
    QMessageBox::warning(this, windowTitle(), tr("Can't write the settings file %1").arg(SettingsPath()));
  }
  // Touch the store only when the password changed: a keyring may ask to be unlocked.
  const QString password = m_ui->txtSMTPPassword->text();
  if (password != m_loadedPassword) {
    if (m_passwords->WritePassword(password)) {
      m_loadedPassword = password;
    } else {
      QMessageBox::warning(this, windowTitle(),
                           tr("Can't store the SMTP password in %1").arg(m_passwords->Location()));
    }
  }
  return true;
}

void frmOptions::cmdOK_Click() {
  if (Apply()) accept();
}

}  // namespace kolt

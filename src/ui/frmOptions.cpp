#include "ui/frmOptions.h"

#include <QMessageBox>

#include "core/AppSettings.h"
#include "core/Settings.h"
#include "exchange/mail/PasswordStore.h"
#include "ui_frmOptions.h"

namespace kolt {
namespace {

// The order of cmbSMTPSecurity's entries.
const SmtpSecurity kSecurities[] = {SmtpSecurity::StartTls, SmtpSecurity::Tls, SmtpSecurity::None};

int DefaultPort(SmtpSecurity security) {
  return security == SmtpSecurity::Tls ? kDefaultSmtpsPort : kDefaultSmtpPort;
}

}  // namespace

frmOptions::frmOptions(QWidget* parent, PasswordStore* passwords)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmOptions>()), m_passwords(passwords) {
  m_ui->setupUi(this);
  if (!m_passwords) m_passwords = &DefaultPasswordStore();
  connect(m_ui->optMAPI, &QRadioButton::toggled, this, &frmOptions::UpdateEnabling);
  connect(m_ui->optSMTP, &QRadioButton::toggled, this, &frmOptions::UpdateEnabling);
  connect(m_ui->cmbSMTPSecurity, &QComboBox::currentIndexChanged, this, &frmOptions::cmbSMTPSecurity_Change);
  connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
  connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_ui->cmdApply, &QPushButton::clicked, this, &frmOptions::Apply);
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
  m_ui->lblPasswordStore->setText(QStringLiteral("The password is kept in ") + m_passwords->Location() +
                                  QStringLiteral(", never in the settings file."));

  // Only the exact words count; anything else leaves the default choice.
  if (settings.mode == QLatin1String(kMailModeSmtp))
    m_ui->optSMTP->setChecked(true);
  else
    m_ui->optMAPI->setChecked(true);
  UpdateEnabling();
}

void frmOptions::UpdateEnabling() {
  const bool smtp = m_ui->optSMTP->isChecked();
  QWidget* const smtpFields[] = {
      m_ui->txtEMail,        m_ui->txtSMTPServer,   m_ui->lblEMail,        m_ui->lblSMTP, m_ui->lblSecurity,
      m_ui->cmbSMTPSecurity, m_ui->lblPort,         m_ui->spnSMTPPort,     m_ui->lblUser, m_ui->txtSMTPUser,
      m_ui->lblPassword,     m_ui->txtSMTPPassword, m_ui->lblPasswordStore};
  for (QWidget* w : smtpFields) w->setEnabled(smtp);
  m_ui->chkShowDialog->setEnabled(!smtp);
}

void frmOptions::cmbSMTPSecurity_Change(int index) {
  if (index < 0 || index > 2) return;
  // A port still at the old kind's usual number follows to the new kind's.
  if (m_ui->spnSMTPPort->value() == DefaultPort(kSecurities[m_security]))
    m_ui->spnSMTPPort->setValue(DefaultPort(kSecurities[index]));
  m_security = index;
}

void frmOptions::Apply() {
  MailSettings settings;
  settings.from = m_ui->txtFrom->text();
  settings.mode = QLatin1String(m_ui->optMAPI->isChecked() ? kMailModeDesktop : kMailModeSmtp);
  settings.account = m_ui->txtEMail->text();
  settings.server = m_ui->txtSMTPServer->text();
  settings.dialog = m_ui->chkShowDialog->isChecked();
  settings.port = m_ui->spnSMTPPort->value();
  settings.security = kSecurities[m_ui->cmbSMTPSecurity->currentIndex()];
  settings.user = m_ui->txtSMTPUser->text().trimmed();
  if (!WriteMailSettings(settings)) {
    QMessageBox::warning(this, windowTitle(),
                         QStringLiteral("Can't write the settings file ") + SettingsPath());
  }
  // Touch the store only when the password changed: a keyring may ask to be unlocked.
  const QString password = m_ui->txtSMTPPassword->text();
  if (password != m_loadedPassword) {
    if (m_passwords->WritePassword(password)) {
      m_loadedPassword = password;
    } else {
      QMessageBox::warning(this, windowTitle(),
                           QStringLiteral("Can't store the SMTP password in ") + m_passwords->Location());
    }
  }
}

void frmOptions::cmdOK_Click() {
  Apply();
  accept();
}

}  // namespace kolt

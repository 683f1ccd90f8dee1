#include "ui/frmOptions.h"

#include <QMessageBox>

#include "core/Settings.h"
#include "core/Utilities.h"
#include "exchange/mail/MailSettings.h"
#include "exchange/mail/PasswordStore.h"
#include "ui_frmOptions.h"

namespace kolt {
namespace {

const QString kSection = QStringLiteral("E-Mail");
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
  m_ui->txtFrom->setText(GetOwnAddress());
  m_ui->chkShowDialog->setChecked(IsDialogEnabled());
  m_ui->txtEMail->setText(IniRead(kSection, QStringLiteral("Address")));
  m_ui->txtSMTPServer->setText(IniRead(kSection, QStringLiteral("SMTP_Server")));

  const MailSettings settings = ReadMailSettings();
  for (int i = 0; i < 3; ++i) {
    if (kSecurities[i] == settings.security) m_security = i;
  }
  m_ui->cmbSMTPSecurity->setCurrentIndex(m_security);
  m_ui->spnSMTPPort->setValue(settings.port);
  m_ui->txtSMTPUser->setText(IniRead(kSection, QStringLiteral("SMTP_User")));
  m_loadedPassword = m_passwords->ReadPassword();
  m_ui->txtSMTPPassword->setText(m_loadedPassword);
  m_ui->lblPasswordStore->setText(QStringLiteral("The password is kept in ") + m_passwords->Location() +
                                  QStringLiteral(", never in the settings file."));

  // Only the exact words count; anything else leaves the default choice.
  const QString mode = IniRead(kSection, QStringLiteral("Mode"));
  if (mode == QLatin1String("SMTP"))
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
  IniWrite(kSection, QStringLiteral("From"), m_ui->txtFrom->text());
  IniWrite(kSection, QStringLiteral("Mode"),
           m_ui->optMAPI->isChecked() ? QStringLiteral("MAPI") : QStringLiteral("SMTP"));
  IniWrite(kSection, QStringLiteral("Address"), m_ui->txtEMail->text());
  IniWrite(kSection, QStringLiteral("SMTP_Server"), m_ui->txtSMTPServer->text());
  IniWrite(kSection, QStringLiteral("Dialog"),
           m_ui->chkShowDialog->isChecked() ? QStringLiteral("1") : QString());
  IniWrite(kSection, QStringLiteral("SMTP_Port"), QString::number(m_ui->spnSMTPPort->value()));
  IniWrite(kSection, QStringLiteral("SMTP_Security"),
           SecurityName(kSecurities[m_ui->cmbSMTPSecurity->currentIndex()]));
  IniWrite(kSection, QStringLiteral("SMTP_User"), m_ui->txtSMTPUser->text().trimmed());
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

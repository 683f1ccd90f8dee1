#include "exchange/mail/Mailer.h"

#include <QFileInfo>

#include "core/AppSettings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/mail/DesktopMailClient.h"
#include "exchange/mail/MailProgress.h"
#include "exchange/mail/MailText.h"
#include "exchange/mail/PasswordStore.h"
#include "exchange/mail/SmtpSender.h"

namespace kolt {

Mailer::Mailer(UiPort& ui, MailProgress* progress, PasswordStore* passwords)
    : m_ui(ui), m_progress(progress), m_passwords(passwords) {}

bool Mailer::SendMail(const QString& address, const QString& subject, const QString& body,
                      const QStringList& attachments, bool allowSelf, bool showDialog) {
  const QString mode = ReadMailSettings().mode;
  if (mode == QLatin1String("MAPI"))
    return SendDesktopClient(address, subject, body, attachments, allowSelf, showDialog);
  if (mode == QLatin1String("SMTP")) return SendSmtp(address, subject, body, attachments, allowSelf);
  m_ui.ShowError(QStringLiteral("First define the e-mail mode"));
  return false;
}

QString Mailer::AttachmentText(const QStringList& attachments) {
  QString text;
  for (const QString& path : attachments) {
    const QFileInfo info(path);
    if (info.isFile())
      text += path + QStringLiteral(" (") + FormatSize(info.size()) + QStringLiteral(") ");
    else
      text += path + QChar(' ');
  }
  return text;
}

bool Mailer::SendSmtp(const QString& address, const QString& subject, const QString& body,
                      const QStringList& attachments, bool allowSelf) {
  const MailSettings settings = ReadMailSettings();
  if (settings.server.trimmed().isEmpty()) {
    m_ui.ShowError(QStringLiteral("SMTP server setting missing"));
    return false;
  }
  if (settings.account.trimmed().isEmpty()) {
    m_ui.ShowError(QStringLiteral("Your own e-mail address setting missing"));
    return false;
  }

  if (!SmtpAvailable(settings.security)) {
    m_ui.ShowError(QStringLiteral("Can't load libcurl"));
    return false;
  }

  SmtpServer server;
  server.host = settings.server.trimmed();
  server.port = settings.port;
  server.security = settings.security;
  server.user = settings.LoginUser();
  PasswordStore& store = m_passwords ? *m_passwords : DefaultPasswordStore();
  server.password = store.ReadPassword();
  // Lets the tests trust their own certificate authority; never set in normal use.
  server.caFile = qEnvironmentVariable("KOLT_SMTP_CAINFO");

  SmtpMessage message;
  message.envelopeFrom = settings.account.trimmed();
  message.fromHeader = settings.from.trimmed();
  message.recipients = SplitRecipients(address, settings.from, allowSelf);
  message.subject = subject;
  message.body = body;
  message.attachments = attachments;

  if (m_progress) {
    m_progress->Init();
    m_progress->SetRecipients(address);
    m_progress->SetAttachments(AttachmentText(attachments));
    m_progress->SetSending(true);
    m_progress->ShowWindow();
  }
  const SmtpResult result = SendSmtpMessage(server, message, m_ui, m_progress);
  if (m_progress) {
    m_progress->SetSending(false);
    if (result.cancelled) AddProgressText(m_progress, QStringLiteral("Cancelled."));
  }
  if (result.cancelled) {
    // The user stopped it in the progress window: as silent as a cancelled mail dialog.
    if (m_progress) m_progress->HideWindow();
    return false;
  }
  if (result.code != 0) {
    RaiseError(result.code, result.error, QStringLiteral("libcurl"));
    m_ui.ShowError(QStringLiteral("Sending e-mail via SMTP (libcurl) failed: ") +
                   QString::number(result.code));
    if (m_progress) m_progress->HideWindow();
    return false;
  }
  if (m_progress) m_progress->HideWindow();
  return true;
}

bool Mailer::SendDesktopClient(const QString& address, const QString& subject, const QString& body,
                               const QStringList& attachments, bool allowSelf, bool showDialog) {
  // The client always shows its compose window, so the message dialog setting and flag
  // change nothing here; they stay for the settings file's sake.
  (void)showDialog;
  const QStringList recipients = SplitRecipients(address, GetOwnAddress(), allowSelf);
  const std::optional<MailClientCommand> command =
      ComposeCommand(recipients, subject, body, attachments, App().instanceFolder);
  if (!command) {
    m_ui.ShowError(QStringLiteral("Can't find a desktop mail client (xdg-email or Thunderbird)"));
    return false;
  }
  int exitCode = 0;
  switch (LaunchMailClient(*command, m_ui, &exitCode)) {
    case LaunchResult::StartFailed:
      m_ui.ShowError(QStringLiteral("Can't start the desktop mail client: ") + command->program);
      return false;
    case LaunchResult::Failed:
      m_ui.ShowError(QStringLiteral("Sending through the desktop mail client failed"));
      return false;
    case LaunchResult::Handed:
      break;
  }
  // No hand-off tells whether the user really sent the message; only then is it sent.
  const QString to =
      recipients.isEmpty() ? QStringLiteral("(no recipient)") : recipients.join(QStringLiteral(", "));
  const Answer answer =
      m_ui.MsgBox(QStringLiteral("The message \"") + subject + QStringLiteral("\" to ") + to +
                      QStringLiteral(" is open in your mail client.\r\r"
                                     "Did you send it from there?"),
                  Buttons::YesNo, Icon::Question, AppTitle(), 1);
  return answer == Answer::Yes;
}

}  // namespace kolt

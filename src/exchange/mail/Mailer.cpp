#include "exchange/mail/Mailer.h"

#include <QFileInfo>

#include "core/AppSettings.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/mail/DesktopMailClient.h"
#include "exchange/mail/MailProgress.h"
#include "exchange/mail/MailText.h"
#include "exchange/mail/PasswordStore.h"
#include "exchange/mail/SmtpSender.h"

namespace kolt {

namespace {

const char* const kServerFormAdvice = QT_TRANSLATE_NOOP(
    "Mailer",
    "Enter the SMTP server's name, optionally with a port (mail.example.com:587, [2001:db8::1]:587) "
    "under Options > Sending e-mail.");

const char* const kNoMailClientAdvice = QT_TRANSLATE_NOOP(
    "Mailer",
    "No mail client is set up on this desktop. Choose one as the desktop's e-mail application, or "
    "send directly: under Options > Sending e-mail choose \"Send directly through an SMTP server\" "
    "and enter your provider's SMTP server.");

// Long bodies are cut in the confirmation: the message box is not a reader.
constexpr qsizetype kShownBodyChars = 600;

}  // namespace

Mailer::Mailer(UiPort& ui, MailProgress* progress, PasswordStore* passwords)
    : m_ui(ui), m_progress(progress), m_passwords(passwords) {}

bool Mailer::SendMail(const QString& address, const QString& subject, const QString& body,
                      const QStringList& attachments, bool allowSelf, bool showDialog) {
  const QString mode = ReadMailSettings().mode;
  if (mode == QLatin1String("MAPI"))
    return SendDesktopClient(address, subject, body, attachments, allowSelf, showDialog);
  if (mode == QLatin1String("SMTP")) return SendSmtp(address, subject, body, attachments, allowSelf);
  m_ui.ShowError(tr("First define the e-mail mode"));
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
    m_ui.ShowError(tr("SMTP server setting missing"));
    return false;
  }
  if (settings.account.trimmed().isEmpty()) {
    m_ui.ShowError(tr("Your own e-mail address setting missing"));
    return false;
  }

  const std::optional<SmtpServerText> serverText = ParseSmtpServer(settings.server);
  if (!serverText) {
    m_ui.ShowError(tr("The SMTP server setting \"%1\" is not a server name.").arg(settings.server.trimmed()) +
                   QStringLiteral("\r\r") + tr(kServerFormAdvice));
    return false;
  }

  if (!SmtpAvailable(settings.security)) {
    m_ui.ShowError(tr("Can't load libcurl"));
    return false;
  }

  SmtpServer server;
  server.host = serverText->host;
  // A port typed with the server name wins over the port setting.
  server.port = serverText->port != 0 ? serverText->port : settings.port;
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
  // Only plain addresses reach the envelope and the headers: anything else could carry
  // SMTP parameters or further recipients.
  if (!IsPlainAddress(message.envelopeFrom)) {
    m_ui.ShowError(tr("Your SMTP e-mail address \"%1\" is not an e-mail address. Correct it under Options > "
                      "Sending e-mail.")
                       .arg(SafeForDisplay(message.envelopeFrom)));
    return false;
  }
  if (!message.fromHeader.isEmpty() && !IsPlainAddress(message.fromHeader)) {
    m_ui.ShowError(
        tr("Your e-mail address \"%1\" is not an e-mail address. Correct it under Options > Sending e-mail.")
            .arg(SafeForDisplay(message.fromHeader)));
    return false;
  }
  if (!CheckRecipients(message.recipients)) return false;
  message.subject = subject;
  message.body = body;
  message.attachments = attachments;

  // The message dialog of the SMTP mode: what is about to go out, to confirm or stop.
  if (settings.dialog && !ConfirmSmtpMessage(message)) return false;

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
    if (result.cancelled) AddProgressText(m_progress, tr("Cancelled."));
  }
  if (result.cancelled) {
    // The user stopped it in the progress window: as silent as a cancelled mail dialog.
    if (m_progress) m_progress->HideWindow();
    return false;
  }
  if (result.code != 0) {
    RaiseError(result.code, result.error, QStringLiteral("libcurl"));
    QString text = tr("Sending e-mail via SMTP (libcurl) failed: %1").arg(result.code);
    const QString advice = SmtpFailureAdvice(result);
    if (!advice.isEmpty()) text += QStringLiteral("\r\r") + advice;
    m_ui.ShowError(text);
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
  if (!CheckRecipients(recipients)) return false;
  const std::optional<MailClientCommand> command =
      ComposeCommand(recipients, subject, body, attachments, App().instanceFolder);
  if (!command) {
    m_ui.ShowError(tr("Can't find a desktop mail client (xdg-email or Thunderbird)") +
                   QStringLiteral("\r\r") + tr(kNoMailClientAdvice));
    return false;
  }
  int exitCode = 0;
  switch (LaunchMailClient(*command, m_ui, &exitCode)) {
    case LaunchResult::StartFailed:
      m_ui.ShowError(tr("Can't start the desktop mail client: %1").arg(command->program));
      return false;
    case LaunchResult::Failed:
      // xdg-email ends with 3 when the desktop has no handler for mailto: links.
      if (exitCode == 3 && QFileInfo(command->program).fileName() == QLatin1String("xdg-email")) {
        m_ui.ShowError(tr("Sending through the desktop mail client failed") + QStringLiteral("\r\r") +
                       tr(kNoMailClientAdvice));
      } else {
        m_ui.ShowError(tr("Sending through the desktop mail client failed"));
      }
      return false;
    case LaunchResult::Handed:
      break;
  }
  // No hand-off tells whether the user really sent the message; only then is it sent.
  const QString to = recipients.isEmpty() ? tr("(no recipient)") : recipients.join(QStringLiteral(", "));
  const Answer answer =
      m_ui.MsgBox(tr("The message \"%1\" to %2 is open in your mail client.\r\rDid you send it from there?")
                      .arg(subject, to),
                  Buttons::YesNo, Icon::Question, AppTitle(), 1);
  return answer == Answer::Yes;
}

bool Mailer::CheckRecipients(const QStringList& recipients) {
  for (const QString& r : recipients) {
    if (IsPlainAddress(r)) continue;
    m_ui.ShowError(tr("\"%1\" is not an e-mail address; nothing was sent.").arg(SafeForDisplay(r)));
    return false;
  }
  return true;
}

bool Mailer::ConfirmSmtpMessage(const SmtpMessage& message) {
  QStringList names;
  for (const QString& path : message.attachments) names.append(QFileInfo(path).fileName());
  QString body = message.body;
  if (body.size() > kShownBodyChars) body = body.left(kShownBodyChars) + QStringLiteral("...");
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
  QString text = tr("Send this message by SMTP?\r\rTo: %1\rSubject: %2")
                     .arg(message.recipients.join(QStringLiteral(", ")), message.subject);
  if (!names.isEmpty())
    text += QStringLiteral("\r") + tr("Attachments: %1").arg(names.join(QStringLiteral(", ")));
  if (!body.isEmpty()) text += QStringLiteral("\r\r") + body;
  return m_ui.MsgBox(text, Buttons::OkCancel, Icon::Question, AppTitle(), 1) == Answer::Ok;
}

}  // namespace kolt

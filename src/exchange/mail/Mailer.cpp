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

const QString kServerFormAdvice = QStringLiteral(
    "Enter the SMTP server's name, optionally with a port (mail.example.com:587, [2001:db8::1]:587) "
    "under Options > Sending e-mail.");

const QString kNoMailClientAdvice = QStringLiteral(
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

  const std::optional<SmtpServerText> serverText = ParseSmtpServer(settings.server);
  if (!serverText) {
    m_ui.ShowError(QStringLiteral("The SMTP server setting \"") + settings.server.trimmed() +
                   QStringLiteral("\" is not a server name.\r\r") + kServerFormAdvice);
    return false;
  }

  if (!SmtpAvailable(settings.security)) {
    m_ui.ShowError(QStringLiteral("Can't load libcurl"));
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
    m_ui.ShowError(QStringLiteral("Your SMTP e-mail address \"") + SafeForDisplay(message.envelopeFrom) +
                   QStringLiteral("\" is not an e-mail address. Correct it under Options > Sending e-mail."));
    return false;
  }
  if (!message.fromHeader.isEmpty() && !IsPlainAddress(message.fromHeader)) {
    m_ui.ShowError(QStringLiteral("Your e-mail address \"") + SafeForDisplay(message.fromHeader) +
                   QStringLiteral("\" is not an e-mail address. Correct it under Options > Sending e-mail."));
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
    if (result.cancelled) AddProgressText(m_progress, QStringLiteral("Cancelled."));
  }
  if (result.cancelled) {
    // The user stopped it in the progress window: as silent as a cancelled mail dialog.
    if (m_progress) m_progress->HideWindow();
    return false;
  }
  if (result.code != 0) {
    RaiseError(result.code, result.error, QStringLiteral("libcurl"));
    QString text =
        QStringLiteral("Sending e-mail via SMTP (libcurl) failed: ") + QString::number(result.code);
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
    m_ui.ShowError(QStringLiteral("Can't find a desktop mail client (xdg-email or Thunderbird)\r\r") +
                   kNoMailClientAdvice);
    return false;
  }
  int exitCode = 0;
  switch (LaunchMailClient(*command, m_ui, &exitCode)) {
    case LaunchResult::StartFailed:
      m_ui.ShowError(QStringLiteral("Can't start the desktop mail client: ") + command->program);
      return false;
    case LaunchResult::Failed:
      // xdg-email ends with 3 when the desktop has no handler for mailto: links.
      if (exitCode == 3 && QFileInfo(command->program).fileName() == QLatin1String("xdg-email")) {
        m_ui.ShowError(QStringLiteral("Sending through the desktop mail client failed\r\r") +
                       kNoMailClientAdvice);
      } else {
        m_ui.ShowError(QStringLiteral("Sending through the desktop mail client failed"));
      }
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

bool Mailer::CheckRecipients(const QStringList& recipients) {
  for (const QString& r : recipients) {
    if (IsPlainAddress(r)) continue;
    m_ui.ShowError(QStringLiteral("\"") + SafeForDisplay(r) +
                   QStringLiteral("\" is not an e-mail address; nothing was sent."));
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
  QString text = QStringLiteral("Send this message by SMTP?\r\rTo: ") +
                 message.recipients.join(QStringLiteral(", ")) + QStringLiteral("\rSubject: ") +
                 message.subject;
  if (!names.isEmpty()) text += QStringLiteral("\rAttachments: ") + names.join(QStringLiteral(", "));
  if (!body.isEmpty()) text += QStringLiteral("\r\r") + body;
  return m_ui.MsgBox(text, Buttons::OkCancel, Icon::Question, AppTitle(), 1) == Answer::Ok;
}

}  // namespace kolt

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "exchange/mail/MailTransport.h"

namespace kolt {

class MailProgress;
class PasswordStore;
class UiPort;
struct SmtpMessage;

// The real transport. Mode "SMTP" sends through libcurl to the configured server;
// mode "MAPI" hands the message to the desktop mail client and lets the user confirm
// that it went out. Settings are read at each send.
class Mailer final : public MailTransport {
  Q_DECLARE_TR_FUNCTIONS(Mailer)

 public:
  // `progress`: the SMTP progress window, or nullptr. `passwords`: where the SMTP
  // password is read; nullptr means DefaultPasswordStore().
  explicit Mailer(UiPort& ui, MailProgress* progress = nullptr, PasswordStore* passwords = nullptr);

  bool SendMail(const QString& address, const QString& subject, const QString& body,
                const QStringList& attachments, bool allowSelf, bool showDialog) override;
  bool SendSmtp(const QString& address, const QString& subject, const QString& body,
                const QStringList& attachments, bool allowSelf);
  // The "MAPI" mode.
  bool SendDesktopClient(const QString& address, const QString& subject, const QString& body,
                         const QStringList& attachments, bool allowSelf, bool showDialog);

  void SetProgressWindow(MailProgress* progress) { m_progress = progress; }

  // The attachment field of the progress window: each path followed by " (" + its size
  // + ") ", or by a blank when the file is missing.
  static QString AttachmentText(const QStringList& attachments);

 private:
  // The message dialog in SMTP mode: recipients, subject, attachments and the start of
  // the body, OK to send. False when the user cancels.
  bool ConfirmSmtpMessage(const SmtpMessage& message);
  // False, after saying which, when a recipient is not a plain address.
  bool CheckRecipients(const QStringList& recipients);

  UiPort& m_ui;
  MailProgress* m_progress;
  PasswordStore* m_passwords;
};

}  // namespace kolt

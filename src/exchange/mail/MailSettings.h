#pragma once

#include <QString>

namespace kolt {

enum class SmtpSecurity {
  StartTls,  // plain connection upgraded by STARTTLS, required (default)
  Tls,       // TLS from the first byte (smtps, usually port 465)
  None,      // no encryption at all
};

// The [E-Mail] settings the transport reads at the moment of sending, so that a change
// in the settings dialog takes effect with the next message.
struct MailSettings {
  QString mode;         // "MAPI" (desktop mail client) or "SMTP"; anything else: not defined
  QString server;       // SMTP_Server
  QString account;      // Address: the SMTP account address, the envelope sender
  QString from;         // From: the user's own address, the From header
  bool dialog = false;  // Dialog
  int port = 587;       // SMTP_Port (465 by default with implicit TLS)
  SmtpSecurity security = SmtpSecurity::StartTls;  // SMTP_Security
  QString user;                                    // SMTP_User; defaults to the account address
};

constexpr int kDefaultSmtpPort = 587;
constexpr int kDefaultSmtpsPort = 465;

MailSettings ReadMailSettings();

// "STARTTLS", "TLS", "NONE" (the stored values); unknown texts read as STARTTLS.
QString SecurityName(SmtpSecurity security);
SmtpSecurity SecurityFromName(const QString& name);

}  // namespace kolt

#pragma once

#include <QString>
#include <QStringList>

#include "core/AppSettings.h"

namespace kolt {

class MailProgress;
class UiPort;

struct SmtpServer {
  QString host;
  int port = kDefaultSmtpPort;
  SmtpSecurity security = SmtpSecurity::StartTls;
  QString user;
  QString password;  // empty: no authentication
  QString caFile;    // extra trusted certificates; empty: the system store
};

struct SmtpMessage {
  QString envelopeFrom;    // MAIL FROM
  QString fromHeader;      // the From header
  QStringList recipients;  // RCPT TO, and the To header
  QString subject;
  QString body;  // CR LF line ends
  QStringList attachments;
};

struct SmtpResult {
  int code = 0;   // a libcurl result code; 0 = delivered to the server
  QString error;  // what went wrong, for the error box
  bool cancelled = false;
};

// libcurl is initialised and speaks SMTP (and TLS for the secured kinds).
bool SmtpAvailable(SmtpSecurity security);

// Sends one message with libcurl on the calling (UI) thread: a multi handle is driven
// in short steps with `ui.DoEvents()` between them, so windows stay alive and the
// progress window's cancel request is seen. The SMTP conversation goes to `progress`
// line by line, with authentication data masked.
SmtpResult SendSmtpMessage(const SmtpServer& server, const SmtpMessage& message, UiPort& ui,
                           MailProgress* progress);

// The URL libcurl is given: smtps:// for implicit TLS, else smtp://; IPv6 literals in
// brackets; the path names this host for EHLO.
QString SmtpUrl(const SmtpServer& server);

}  // namespace kolt

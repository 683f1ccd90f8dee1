#pragma once

#include <QString>
#include <QStringList>

#include "core/AppSettings.h"

namespace kolt {

class MailProgress;
class UiPort;

// How long a silent server is waited for: longer than a busy server takes to check a
// message, far shorter than a user waits before giving up.
constexpr int kSmtpResponseTimeout = 60;

struct SmtpServer {
  QString host;
  int port = kDefaultSmtpPort;
  SmtpSecurity security = SmtpSecurity::StartTls;
  QString user;
  QString password;  // empty: no authentication
  QString caFile;    // extra trusted certificates; empty: the system store
  // Seconds to wait for an answer of the server (or for any progress of the message)
  // before the send fails with a timeout.
  int responseTimeout = kSmtpResponseTimeout;
};

struct SmtpMessage {
  QString envelopeFrom;    // MAIL FROM
  QString fromHeader;      // the From header
  QStringList recipients;  // RCPT TO, and the To header
  QString subject;
  QString body;  // CR LF line ends
  QStringList attachments;
};

// What a failed send ran into, as far as the user can do something about it.
enum class SmtpFailure {
  None,
  HostNotFound,        // the server name did not resolve
  Connection,          // nothing answered on the port, or the connection broke
  Timeout,             // the server did not answer in time
  Tls,                 // the TLS handshake failed (often: security choice and port do not match)
  Certificate,         // the server's certificate could not be verified
  CertificateChanged,  // not the certificate the user trusted for this server
  StartTlsRefused,     // STARTTLS required but not offered
  Login,               // the server refused the user name or password
  SenderRefused,       // MAIL FROM refused
  RecipientRefused,    // RCPT TO refused
  MessageRefused,      // DATA or the message itself refused
  Other,
};

struct SmtpResult {
  int code = 0;   // a libcurl result code; 0 = delivered to the server
  QString error;  // what went wrong, for the error box
  bool cancelled = false;
  SmtpFailure failure = SmtpFailure::None;
  QString refused;      // the refused address: the recipient, or for a refused sender the sender
  QString serverReply;  // the server's last negative answer, e.g. "550 5.1.1 No such user"
  QString server;       // "host:port", for the texts that name it
};

// Sorts a libcurl result by what the user should check. `failedCommand` is the SMTP
// command that the server's last negative reply answered ("RCPT TO:<a@b>"), `reply` that
// reply, `error` libcurl's error text; each may be empty. Servers that check the sender
// only once they know a recipient (Postfix's "Sender address rejected") refuse the
// sender in their answer to RCPT TO: the reply's words tell it from a refused recipient.
SmtpFailure ClassifySmtpFailure(int code, const QString& failedCommand, const QString& reply,
                                const QString& error);

// One or two plain sentences on what to check for a failed send, pointing to the
// settings dialog where a setting is the likely cause; "" when there is nothing to add.
QString SmtpFailureAdvice(const SmtpResult& result);

// libcurl is initialised and speaks SMTP (and TLS for the secured kinds).
bool SmtpAvailable(SmtpSecurity security);

// Sends one message with libcurl on the calling (UI) thread: a multi handle is driven
// in short steps with `ui.DoEvents()` between them, so windows stay alive and the
// progress window's cancel request is seen. The SMTP conversation goes to `progress`
// line by line, with authentication data masked.
SmtpResult SendSmtpMessage(const SmtpServer& server, const SmtpMessage& message, UiPort& ui,
                           MailProgress* progress);

// Connects, secures the connection and logs in as for a send, then ends it without a
// message: the settings dialog's test. Blocks for at most the server's response time.
SmtpResult CheckSmtpServer(const SmtpServer& server);

struct MailEndpoint;
// Where the send and the check connect, and how securely.
MailEndpoint SmtpEndpoint(const SmtpServer& server);

// The URL libcurl is given: smtps:// for implicit TLS, else smtp://; IPv6 literals in
// brackets; the path names this host for EHLO.
QString SmtpUrl(const SmtpServer& server);

}  // namespace kolt

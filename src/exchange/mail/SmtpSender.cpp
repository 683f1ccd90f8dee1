#include "exchange/mail/SmtpSender.h"

#include <curl/curl.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/UiPort.h"
#include "exchange/mail/CurlSession.h"
#include "exchange/mail/MailProgress.h"
#include "exchange/mail/MailText.h"

namespace kolt {
namespace {

struct MultiDeleter {
  void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct MimeDeleter {
  void operator()(curl_mime* m) const { curl_mime_free(m); }
};
struct ListDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using ListPtr = std::unique_ptr<curl_slist, ListDeleter>;

void Append(ListPtr& list, const QByteArray& line) {
  curl_slist* grown = curl_slist_append(list.get(), line.constData());
  if (grown) {
    (void)list.release();
    list.reset(grown);
  }
}

// What the callbacks share during one transfer.
struct Transfer {
  MailProgress* progress = nullptr;
  UiPort* ui = nullptr;
  QElapsedTimer sinceEvents;  // since the window last ran
  bool inAuth = false;        // between our AUTH command and the server's final answer to it
  int dataStage = 0;          // 1: DATA sent, 2: the server asked for the message
  bool accepted = false;      // the server took the message: too late to cancel it
  qint64 estimate = 0;
  bool cancelled = false;
  QByteArray lastCommand;    // the last command we sent (an AUTH exchange as "AUTH mech")
  QByteArray failedCommand;  // the command that the last negative reply answered
  QByteArray failedReply;    // that reply
};

// Notes a negative server reply (4xx, 5xx) and the command it answered.
void NoteReply(Transfer* t, const QByteArray& data) {
  for (QByteArray line : data.split('\n')) {
    while (line.endsWith('\r')) line.chop(1);
    if (line.startsWith('4') || line.startsWith('5')) {
      t->failedCommand = t->lastCommand;
      t->failedReply = line;
    }
  }
}

QString EhloName() {
  QString name = QSysInfo::machineHostName();
  for (QChar c : name) {
    const bool ok = (c.unicode() < 0x80 && c.isLetterOrNumber()) || c == QChar('-') || c == QChar('.');
    if (!ok) return QString();
  }
  return name;
}

void AddLines(Transfer* t, const QString& prefix, const QByteArray& data) {
  if (!t->progress) return;
  const QList<QByteArray> lines = data.split('\n');
  for (QByteArray line : lines) {
    while (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) continue;
    t->progress->AddLine(prefix + QString::fromUtf8(line));
  }
}

// The conversation as the user sees it. Everything the client sends while an AUTH
// exchange runs is masked; so is the argument of the AUTH command itself.
int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const QByteArray bytes(data, static_cast<qsizetype>(size));
  switch (type) {
    case CURLINFO_TEXT:
      AddLines(t, QStringLiteral("* "), bytes);
      break;
    case CURLINFO_HEADER_IN: {
      // A final answer (anything but a 334 challenge) ends the exchange.
      if (t->inAuth && !bytes.startsWith("334")) t->inAuth = false;
      if (t->dataStage == 1) {
        t->dataStage = bytes.startsWith("354") ? 2 : 0;
      } else if (t->dataStage == 2) {
        t->accepted = bytes.startsWith('2');
        t->dataStage = 0;
      }
      NoteReply(t, bytes);
      AddLines(t, QStringLiteral("< "), bytes);
      break;
    }
    case CURLINFO_HEADER_OUT: {
      const QList<QByteArray> lines = bytes.split('\n');
      for (QByteArray line : lines) {
        while (line.endsWith('\r')) line.chop(1);
        if (line.isEmpty()) continue;
        if (line.toUpper() == "DATA") t->dataStage = 1;
        if (line.left(5).toUpper() == "AUTH ") {
          t->inAuth = true;
          const QList<QByteArray> words = line.split(' ');
          QByteArray shown = "AUTH " + (words.size() > 1 ? words.at(1) : QByteArray());
          t->lastCommand = shown;
          if (words.size() > 2) shown += " ****";
          AddLines(t, QStringLiteral("> "), shown);
        } else if (t->inAuth) {
          AddLines(t, QStringLiteral("> "), "****");
        } else {
          t->lastCommand = line;
          AddLines(t, QStringLiteral("> "), line);
        }
      }
      break;
    }
    default:
      break;  // the message itself is not shown
  }
  return 0;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulnow) {
  auto* t = static_cast<Transfer*>(user);
  // libcurl waits for some answers (the one to the end of the message, the one to QUIT)
  // inside a single perform call, up to its response timeout, calling only this once a
  // second: the window has to run from here too, or it freezes and cancel cannot work.
  if (t->ui && t->sinceEvents.elapsed() >= 100) {
    t->ui->DoEvents();
    t->sinceEvents.restart();
  }
  if (t->progress) {
    // libcurl reports no upload total for MIME messages: show against our estimate.
    t->progress->SetProgress(static_cast<qint64>(ulnow), std::max<qint64>(t->estimate, ulnow));
    if (t->progress->CancelRequested() && !t->accepted) t->cancelled = true;
  }
  return t->cancelled ? 1 : 0;
}

SmtpResult Fail(int code, const QString& error) {
  SmtpResult r;
  r.code = code;
  r.error = error;
  return r;
}

// Whether a refusal of RCPT TO is about the sender: the reply speaks of the sender and
// not of the recipient ("553 5.7.1 <a@b>: Sender address rejected: not owned by user",
// Exim's "Sender verify failed"), or its enhanced status is one of the sender's
// mailbox (x.1.7) or system (x.1.8).
bool ReplyBlamesSender(const QString& reply) {
  static const QRegularExpression kSenderStatus(QStringLiteral("^\\d{3}[ -][45]\\.1\\.[78](\\s|$)"));
  static const QRegularExpression kSender(QStringLiteral("\\bsender\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression kRecipient(QStringLiteral("\\brecipient\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
  if (kSenderStatus.match(reply).hasMatch()) return true;
  return kSender.match(reply).hasMatch() && !kRecipient.match(reply).hasMatch();
}

}  // namespace

SmtpFailure ClassifySmtpFailure(int code, const QString& failedCommand, const QString& reply,
                                const QString& error) {
  const auto commandIs = [&failedCommand](const char* verb) {
    return failedCommand.startsWith(QLatin1String(verb), Qt::CaseInsensitive);
  };
  const auto errorIs = [&error](const char* start) { return error.startsWith(QLatin1String(start)); };
  switch (CurlSession::Classify(static_cast<CURLcode>(code))) {
    case CurlFailure::None:
      return SmtpFailure::None;
    case CurlFailure::HostNotFound:
      return SmtpFailure::HostNotFound;
    case CurlFailure::Connection:
      return SmtpFailure::Connection;
    case CurlFailure::Timeout:
      return SmtpFailure::Timeout;
    case CurlFailure::Tls:
      return SmtpFailure::Tls;
    case CurlFailure::StartTlsRefused:
      return SmtpFailure::StartTlsRefused;
    case CurlFailure::Certificate:
      return SmtpFailure::Certificate;
    case CurlFailure::CertificateChanged:
      return SmtpFailure::CertificateChanged;
    case CurlFailure::Login:
      return SmtpFailure::Login;
    case CurlFailure::Refused:
      // libcurl says "MAIL failed: 550" / "RCPT failed: 550" / "DATA failed: 554"; the
      // conversation tells the same, and which address it was.
      if (commandIs("RCPT") || errorIs("RCPT failed"))
        return ReplyBlamesSender(reply) ? SmtpFailure::SenderRefused : SmtpFailure::RecipientRefused;
      if (commandIs("MAIL") || errorIs("MAIL failed")) return SmtpFailure::SenderRefused;
      if (commandIs("DATA") || errorIs("DATA failed")) return SmtpFailure::MessageRefused;
      return code == CURLE_SEND_ERROR ? SmtpFailure::Connection : SmtpFailure::Other;
    case CurlFailure::Cancelled:
    case CurlFailure::Other:
      return SmtpFailure::Other;
  }
  return SmtpFailure::Other;
}

QString SmtpFailureAdvice(const SmtpResult& result) {
  //: inserted after "refused the login" and the like; %1: the server's reply
  const QString answered = result.serverReply.isEmpty()
                               ? QString()
                               : QCoreApplication::translate("SmtpSender", " (the server answered \"%1\")")
                                     .arg(result.serverReply);
  //: the sender or recipient refused when the server named none
  const QString refused =
      result.refused.isEmpty() ? QCoreApplication::translate("SmtpSender", "address") : result.refused;
  switch (result.failure) {
    case SmtpFailure::None:
    case SmtpFailure::Other:
      return QString();
    case SmtpFailure::HostNotFound:
      return QCoreApplication::translate(
          "SmtpSender",
          "The SMTP server's name was not found. Check the SMTP server name under Options > Sending "
          "e-mail. If it is right, check that this computer is online.");
    case SmtpFailure::Connection:
      return QCoreApplication::translate(
          "SmtpSender", "Check the SMTP server name and port under Options > Sending e-mail.");
    case SmtpFailure::Timeout:
      return QCoreApplication::translate(
          "SmtpSender",
          "The SMTP server did not answer in time. Check the SMTP server name, port and security under "
          "Options > Sending e-mail. Port 465 needs \"TLS from the start\", port 587 STARTTLS.");
    case SmtpFailure::Tls:
      return QCoreApplication::translate(
          "SmtpSender",
          "The secure connection could not be set up. Check that the security choice fits the port under "
          "Options > Sending e-mail. Port 465 needs \"TLS from the start\", port 587 STARTTLS.");
    case SmtpFailure::Certificate:
      return QCoreApplication::translate(
          "SmtpSender",
          "The SMTP server's certificate could not be verified. Check the SMTP server name under Options > "
          "Sending e-mail. It must be the name your provider gives, not an alias or address. If the "
          "server is your own, press Test there to see its certificate and trust it.");
    case SmtpFailure::CertificateChanged:
      return CertificateChangedText(result.server);
    case SmtpFailure::StartTlsRefused:
      return QCoreApplication::translate(
          "SmtpSender",
          "The SMTP server does not offer STARTTLS on this port. Check the security choice and the port "
          "under Options > Sending e-mail.");
    case SmtpFailure::Login:
      //: %1: the server's answer in parentheses, or nothing
      return QCoreApplication::translate(
                 "SmtpSender",
                 "The SMTP server refused the login%1. Check the SMTP user name and password under Options > "
                 "Sending e-mail.")
          .arg(answered);
    case SmtpFailure::SenderRefused:
      //: %1: the address, %2: the server's answer in parentheses, or nothing
      return QCoreApplication::translate("SmtpSender",
                                         "The SMTP server refused the sender %1%2. Check \"Your SMTP e-mail "
                                         "address\" and \"SMTP user "
                                         "name\" under Options > Sending e-mail. Most servers take only the "
                                         "address of the account you "
                                         "log in with.")
          .arg(refused, answered);
    case SmtpFailure::RecipientRefused:
      //: %1: the address, %2: the server's answer in parentheses, or nothing
      return QCoreApplication::translate("SmtpSender",
                                         "The SMTP server refused the recipient %1%2. Check the recipient's "
                                         "address. A server that takes "
                                         "mail for other domains only from its logged-in users refuses "
                                         "recipients too: check the SMTP "
                                         "user name and password under Options > Sending e-mail.")
          .arg(refused, answered);
    case SmtpFailure::MessageRefused:
      //: %1: the server's answer in parentheses, or nothing
      return QCoreApplication::translate(
                 "SmtpSender",
                 "The SMTP server refused the message%1. If it is too large, send fewer files at once; "
                 "otherwise "
                 "check \"Your SMTP e-mail address\" and the login under Options > Sending e-mail.")
          .arg(answered);
  }
  return QString();
}

bool SmtpAvailable(SmtpSecurity security) {
  if (!CurlSession::GlobalInit()) return false;
  const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
  if (!info || !info->protocols) return false;
  bool smtp = false, smtps = false;
  for (const char* const* p = info->protocols; *p; ++p) {
    if (qstrcmp(*p, "smtp") == 0) smtp = true;
    if (qstrcmp(*p, "smtps") == 0) smtps = true;
  }
  const bool tls = (info->features & CURL_VERSION_SSL) != 0;
  return smtp && (security == SmtpSecurity::None || (tls && (security != SmtpSecurity::Tls || smtps)));
}

MailEndpoint SmtpEndpoint(const SmtpServer& server) {
  MailEndpoint e;
  e.scheme = QStringLiteral("smtp");
  e.host = server.host;
  e.port = server.port;
  e.tls = server.security == SmtpSecurity::Tls        ? MailEndpoint::Tls::Implicit
          : server.security == SmtpSecurity::StartTls ? MailEndpoint::Tls::StartTls
                                                      : MailEndpoint::Tls::None;
  e.caFile = server.caFile;
  e.responseTimeout = server.responseTimeout;
  return e;
}

QString SmtpUrl(const SmtpServer& server) {
  // The path names this host for EHLO.
  return QString::fromUtf8(SmtpEndpoint(server).Url(EhloName().toUtf8()));
}

namespace {

// libcurl puts addresses between angle brackets as they stand: a blank or a ">" in one
// would add SMTP parameters, a line break a command.
std::optional<SmtpResult> RefuseAddresses(const SmtpMessage& message) {
  if (message.recipients.isEmpty())
    return Fail(CURLE_BAD_FUNCTION_ARGUMENT, QCoreApplication::translate("SmtpSender", "No recipient"));
  QStringList addresses = message.recipients;
  addresses.append(message.envelopeFrom.trimmed());
  if (!message.fromHeader.trimmed().isEmpty()) addresses.append(message.fromHeader.trimmed());
  for (const QString& a : addresses) {
    if (!IsPlainAddress(a))
      return Fail(
          CURLE_BAD_FUNCTION_ARGUMENT,
          QCoreApplication::translate("SmtpSender", "Not an e-mail address: %1").arg(SafeForDisplay(a)));
  }
  return std::nullopt;
}

// The message as libcurl sends it: a text part and one base64 part per attachment, our
// own header fields (libcurl adds MIME-Version and the content headers) and the envelope.
struct OutgoingMessage {
  std::unique_ptr<curl_mime, MimeDeleter> mime;
  ListPtr headers;
  ListPtr recipients;
  QByteArray mailFrom;
  qint64 estimate = 0;  // bytes on the wire, for the progress bar
};

std::optional<SmtpResult> BuildMessage(CURL* c, const SmtpMessage& message, OutgoingMessage* out) {
  out->mime.reset(curl_mime_init(c));
  const QByteArray body = message.body.toUtf8();
  curl_mimepart* text = curl_mime_addpart(out->mime.get());
  curl_mime_data(text, body.constData(), static_cast<size_t>(body.size()));
  curl_mime_type(text, "text/plain; charset=UTF-8");
  curl_mime_encoder(text, "quoted-printable");
  out->estimate = body.size() * 3 / 2 + 2048;
  for (const QString& path : message.attachments) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
      return Fail(CURLE_READ_ERROR,
                  QCoreApplication::translate("SmtpSender", "Can't read attachment: %1").arg(path));
    curl_mimepart* part = curl_mime_addpart(out->mime.get());
    if (curl_mime_filedata(part, QFile::encodeName(path).constData()) != CURLE_OK)
      return Fail(CURLE_READ_ERROR,
                  QCoreApplication::translate("SmtpSender", "Can't read attachment: %1").arg(path));
    curl_mime_filename(part, EncodeHeaderText(info.fileName()).constData());
    curl_mime_type(part, "application/octet-stream");
    curl_mime_encoder(part, "base64");
    out->estimate += info.size() * 4 / 3 + info.size() / 38 + 256;
  }

  const QString from = message.fromHeader.trimmed().isEmpty() ? message.envelopeFrom : message.fromHeader;
  Append(out->headers, "From: " + EncodeHeaderText(from.trimmed()));
  Append(out->headers, "To: " + EncodeHeaderText(message.recipients.join(QStringLiteral(", "))));
  Append(out->headers, "Subject: " + EncodeHeaderText(message.subject));
  Append(out->headers, "Date: " + FormatMailDate(QDateTime::currentDateTime()));
  Append(out->headers, "Message-ID: " + MakeMessageId(from));
  Append(out->headers, "X-Mailer: " + EncodeHeaderText(AppTitle() + QChar(' ') + App().version).trimmed());

  for (const QString& r : message.recipients) Append(out->recipients, '<' + r.toUtf8() + '>');
  out->mailFrom = '<' + message.envelopeFrom.trimmed().toUtf8() + '>';
  return std::nullopt;
}

// The shared options, the login and our callbacks; `transfer` sees the conversation.
void ConfigureConnection(CurlSession& session, const SmtpServer& server, Transfer& transfer) {
  CURL* c = session.Handle();
  session.Configure(SmtpUrl(server).toUtf8(), &OnDebug, &transfer);
  if (!server.password.isEmpty()) {
    curl_easy_setopt(c, CURLOPT_USERNAME, server.user.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, server.password.toUtf8().constData());
  }
  // Close at once, so the QUIT exchange shows in the conversation too.
  curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
}

void AttachMessage(CURL* c, const OutgoingMessage& message, Transfer& transfer) {
  curl_easy_setopt(c, CURLOPT_MAIL_FROM, message.mailFrom.constData());
  curl_easy_setopt(c, CURLOPT_MAIL_RCPT, message.recipients.get());
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, message.headers.get());
  curl_easy_setopt(c, CURLOPT_MIMEPOST, message.mime.get());
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &OnProgress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
}

// Drives the transfer in short steps with the window running between them. libcurl's
// result for the handle; CURLE_FAILED_INIT with `multiError` when the multi handle
// failed, CURLE_ABORTED_BY_CALLBACK when cancelled.
CURLcode Drive(CURL* c, Transfer& transfer, UiPort& ui, MailProgress* progress, QString* multiError) {
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!multi) return CURLE_FAILED_INIT;
  curl_multi_add_handle(multi.get(), c);
  int running = 1;
  CURLMcode mc = CURLM_OK;
  while (running > 0) {
    mc = curl_multi_perform(multi.get(), &running);
    if (mc != CURLM_OK) break;
    if (running > 0) mc = curl_multi_poll(multi.get(), nullptr, 0, 50, nullptr);
    if (mc != CURLM_OK) break;
    ui.DoEvents();
    transfer.sinceEvents.restart();
    // Seen here as well as in the progress callback, which runs only while curl works.
    if (progress && progress->CancelRequested() && !transfer.accepted) transfer.cancelled = true;
    if (transfer.cancelled) break;
  }
  CURLcode code = CURLE_OK;
  int queued = 0;
  while (CURLMsg* msg = curl_multi_info_read(multi.get(), &queued)) {
    if (msg->msg == CURLMSG_DONE) code = msg->data.result;
  }
  curl_multi_remove_handle(multi.get(), c);
  if (mc != CURLM_OK) {
    *multiError = QString::fromUtf8(curl_multi_strerror(mc));
    return CURLE_FAILED_INIT;
  }
  if (transfer.cancelled) return CURLE_ABORTED_BY_CALLBACK;
  return running > 0 ? CURLE_FAILED_INIT : code;
}

// What the user is told: the error text, the failure's class and what the server
// refused, from libcurl's result and the conversation.
SmtpResult DescribeOutcome(CURLcode code, const CurlSession& session, const Transfer& transfer,
                           const QString& envelopeFrom) {
  SmtpResult result;
  result.code = code;
  result.server = session.Endpoint().Name();
  if (code == CURLE_OK) return result;
  result.cancelled = code == CURLE_ABORTED_BY_CALLBACK && transfer.cancelled;
  result.error = session.ErrorText(code);
  if (result.cancelled) return result;
  const QString command = QString::fromUtf8(transfer.failedCommand);
  result.serverReply = QString::fromUtf8(transfer.failedReply);
  result.failure = ClassifySmtpFailure(result.code, command, result.serverReply, result.error);
  const qsizetype open = command.indexOf(QChar('<'));
  const qsizetype close = command.lastIndexOf(QChar('>'));
  if (result.failure == SmtpFailure::SenderRefused) {
    // Refused in the answer to MAIL FROM or to a RCPT TO: either way it is our sender.
    result.refused = envelopeFrom.trimmed();
  } else if (result.failure == SmtpFailure::RecipientRefused && open >= 0 && close > open) {
    result.refused = command.mid(open + 1, close - open - 1);
  }
  return result;
}

}  // namespace

SmtpResult SendSmtpMessage(const SmtpServer& server, const SmtpMessage& message, UiPort& ui,
                           MailProgress* progress) {
  if (std::optional<SmtpResult> refused = RefuseAddresses(message)) return *refused;
  CurlSession session(SmtpEndpoint(server));
  CURL* c = session.Handle();
  if (!c)
    return Fail(CURLE_FAILED_INIT,
                QCoreApplication::translate("SmtpSender", "libcurl could not be initialised"));
  OutgoingMessage outgoing;
  if (std::optional<SmtpResult> failed = BuildMessage(c, message, &outgoing)) return *failed;

  Transfer transfer;
  transfer.progress = progress;
  transfer.ui = &ui;
  transfer.sinceEvents.start();
  transfer.estimate = outgoing.estimate;
  ConfigureConnection(session, server, transfer);
  AttachMessage(c, outgoing, transfer);

  QString multiError;
  const CURLcode code = Drive(c, transfer, ui, progress, &multiError);
  SmtpResult result = DescribeOutcome(code, session, transfer, message.envelopeFrom);
  if (!multiError.isEmpty()) result.error = multiError;
  if (progress && result.code == 0) progress->SetProgress(transfer.estimate, transfer.estimate);
  return result;
}

SmtpResult CheckSmtpServer(const SmtpServer& server) {
  CurlSession session(SmtpEndpoint(server));
  CURL* c = session.Handle();
  if (!c)
    return Fail(CURLE_FAILED_INIT,
                QCoreApplication::translate("SmtpSender", "libcurl could not be initialised"));
  Transfer transfer;
  ConfigureConnection(session, server, transfer);
  // Greeting, EHLO, STARTTLS and the login, then nothing: no mail goes out.
  curl_easy_setopt(c, CURLOPT_CONNECT_ONLY, 1L);
  return DescribeOutcome(curl_easy_perform(c), session, transfer, QString());
}

}  // namespace kolt

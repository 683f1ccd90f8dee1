#include "exchange/mail/SmtpSender.h"

#include <curl/curl.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/UiPort.h"
#include "exchange/mail/MailProgress.h"
#include "exchange/mail/MailText.h"

namespace kolt {
namespace {

bool GlobalInit() {
  static std::once_flag once;
  static CURLcode result = CURLE_OK;
  std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
  return result == CURLE_OK;
}

struct EasyDeleter {
  void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
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
  switch (code) {
    case CURLE_OK:
      return SmtpFailure::None;
    case CURLE_COULDNT_RESOLVE_HOST:
      return SmtpFailure::HostNotFound;
    case CURLE_COULDNT_CONNECT:
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
      return SmtpFailure::Connection;
    case CURLE_OPERATION_TIMEDOUT:
      return SmtpFailure::Timeout;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CLIENTCERT:
      return SmtpFailure::Tls;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CRL_BADFILE:
      return SmtpFailure::Certificate;
    case CURLE_USE_SSL_FAILED:
      return SmtpFailure::StartTlsRefused;
    case CURLE_LOGIN_DENIED:
    case CURLE_AUTH_ERROR:
      return SmtpFailure::Login;
    case CURLE_SEND_ERROR:
    case CURLE_WEIRD_SERVER_REPLY:
      // libcurl says "MAIL failed: 550" / "RCPT failed: 550" / "DATA failed: 554"; the
      // conversation tells the same, and which address it was.
      if (commandIs("RCPT") || errorIs("RCPT failed"))
        return ReplyBlamesSender(reply) ? SmtpFailure::SenderRefused : SmtpFailure::RecipientRefused;
      if (commandIs("MAIL") || errorIs("MAIL failed")) return SmtpFailure::SenderRefused;
      if (commandIs("DATA") || errorIs("DATA failed")) return SmtpFailure::MessageRefused;
      return code == CURLE_SEND_ERROR ? SmtpFailure::Connection : SmtpFailure::Other;
    default:
      return SmtpFailure::Other;
  }
}

QString SmtpFailureAdvice(const SmtpResult& result) {
  const QString where = QStringLiteral(" under Options > Sending e-mail.");
  const QString answered = result.serverReply.isEmpty() ? QString()
                                                        : QStringLiteral(" (the server answered \"") +
                                                              result.serverReply + QStringLiteral("\")");
  switch (result.failure) {
    case SmtpFailure::None:
    case SmtpFailure::Other:
      return QString();
    case SmtpFailure::HostNotFound:
      return QStringLiteral("The SMTP server's name was not found. Check the SMTP server name") + where +
             QStringLiteral(" If it is right, check that this computer is online.");
    case SmtpFailure::Connection:
      return QStringLiteral("Check the SMTP server name and port") + where;
    case SmtpFailure::Timeout:
      return QStringLiteral(
                 "The SMTP server did not answer in time. Check the SMTP server name, port and "
                 "security") +
             where + QStringLiteral(" Port 465 needs \"TLS from the start\", port 587 STARTTLS.");
    case SmtpFailure::Tls:
      return QStringLiteral(
                 "The secure connection could not be set up. Check that the security choice fits "
                 "the port") +
             where + QStringLiteral(" Port 465 needs \"TLS from the start\", port 587 STARTTLS.");
    case SmtpFailure::Certificate:
      return QStringLiteral(
                 "The SMTP server's certificate could not be verified. Check the SMTP server "
                 "name") +
             where + QStringLiteral(" It must be the name your provider gives, not an alias or address.");
    case SmtpFailure::StartTlsRefused:
      return QStringLiteral(
                 "The SMTP server does not offer STARTTLS on this port. Check the security "
                 "choice and the port") +
             where;
    case SmtpFailure::Login:
      return QStringLiteral("The SMTP server refused the login") + answered +
             QStringLiteral(". Check the SMTP user name and password") + where;
    case SmtpFailure::SenderRefused:
      return QStringLiteral("The SMTP server refused the sender ") +
             (result.refused.isEmpty() ? QStringLiteral("address") : result.refused) + answered +
             QStringLiteral(". Check \"Your SMTP e-mail address\" and \"SMTP user name\"") + where +
             QStringLiteral(" Most servers take only the address of the account you log in with.");
    case SmtpFailure::RecipientRefused:
      return QStringLiteral("The SMTP server refused the recipient ") +
             (result.refused.isEmpty() ? QStringLiteral("address") : result.refused) + answered +
             QStringLiteral(
                 ". Check the recipient's address. A server that takes mail for other domains "
                 "only from its logged-in users refuses recipients too: check the SMTP user "
                 "name and password") +
             where;
    case SmtpFailure::MessageRefused:
      return QStringLiteral("The SMTP server refused the message") + answered +
             QStringLiteral(
                 ". If it is too large, send fewer files at once; otherwise check \"Your SMTP "
                 "e-mail address\" and the login") +
             where;
  }
  return QString();
}

bool SmtpAvailable(SmtpSecurity security) {
  if (!GlobalInit()) return false;
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

QString SmtpUrl(const SmtpServer& server) {
  QString host = server.host.trimmed();
  if (host.contains(QChar(':')) && !host.startsWith(QChar('['))) host = QChar('[') + host + QChar(']');
  const QString scheme =
      server.security == SmtpSecurity::Tls ? QStringLiteral("smtps") : QStringLiteral("smtp");
  return scheme + QStringLiteral("://") + host + QChar(':') + QString::number(server.port) + QChar('/') +
         EhloName();
}

SmtpResult SendSmtpMessage(const SmtpServer& server, const SmtpMessage& message, UiPort& ui,
                           MailProgress* progress) {
  GlobalInit();
  if (message.recipients.isEmpty()) return Fail(CURLE_BAD_FUNCTION_ARGUMENT, QStringLiteral("No recipient"));
  // libcurl puts these between angle brackets as they stand: a blank or a ">" in one
  // would add SMTP parameters, a line break a command.
  for (const QString& r : message.recipients) {
    if (!IsPlainAddress(r))
      return Fail(CURLE_BAD_FUNCTION_ARGUMENT, QStringLiteral("Not an e-mail address: ") + SafeForDisplay(r));
  }
  if (!IsPlainAddress(message.envelopeFrom.trimmed()))
    return Fail(CURLE_BAD_FUNCTION_ARGUMENT,
                QStringLiteral("Not an e-mail address: ") + SafeForDisplay(message.envelopeFrom));
  if (!message.fromHeader.trimmed().isEmpty() && !IsPlainAddress(message.fromHeader.trimmed()))
    return Fail(CURLE_BAD_FUNCTION_ARGUMENT,
                QStringLiteral("Not an e-mail address: ") + SafeForDisplay(message.fromHeader));

  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!easy || !multi) return Fail(CURLE_FAILED_INIT, QStringLiteral("libcurl could not be initialised"));
  CURL* c = easy.get();

  Transfer transfer;
  transfer.progress = progress;
  transfer.ui = &ui;
  transfer.sinceEvents.start();
  char errorBuffer[CURL_ERROR_SIZE] = {};

  // The message: a text part and one base64 part per attachment.
  std::unique_ptr<curl_mime, MimeDeleter> mime(curl_mime_init(c));
  const QByteArray body = message.body.toUtf8();
  curl_mimepart* text = curl_mime_addpart(mime.get());
  curl_mime_data(text, body.constData(), static_cast<size_t>(body.size()));
  curl_mime_type(text, "text/plain; charset=UTF-8");
  curl_mime_encoder(text, "quoted-printable");
  qint64 estimate = body.size() * 3 / 2 + 2048;
  for (const QString& path : message.attachments) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
      return Fail(CURLE_READ_ERROR, QStringLiteral("Can't read attachment: ") + path);
    curl_mimepart* part = curl_mime_addpart(mime.get());
    if (curl_mime_filedata(part, QFile::encodeName(path).constData()) != CURLE_OK)
      return Fail(CURLE_READ_ERROR, QStringLiteral("Can't read attachment: ") + path);
    curl_mime_filename(part, EncodeHeaderText(info.fileName()).constData());
    curl_mime_type(part, "application/octet-stream");
    curl_mime_encoder(part, "base64");
    estimate += info.size() * 4 / 3 + info.size() / 38 + 256;
  }
  transfer.estimate = estimate;

  // Our own header fields; libcurl adds MIME-Version and the content headers.
  const QString from = message.fromHeader.trimmed().isEmpty() ? message.envelopeFrom : message.fromHeader;
  ListPtr headers;
  Append(headers, "From: " + EncodeHeaderText(from.trimmed()));
  Append(headers, "To: " + EncodeHeaderText(message.recipients.join(QStringLiteral(", "))));
  Append(headers, "Subject: " + EncodeHeaderText(message.subject));
  Append(headers, "Date: " + FormatMailDate(QDateTime::currentDateTime()));
  Append(headers, "Message-ID: " + MakeMessageId(from));
  Append(headers, "X-Mailer: " + EncodeHeaderText(AppTitle() + QChar(' ') + App().version).trimmed());

  ListPtr recipients;
  for (const QString& r : message.recipients) Append(recipients, '<' + r.toUtf8() + '>');

  const QByteArray url = SmtpUrl(server).toUtf8();
  const QByteArray mailFrom = '<' + message.envelopeFrom.trimmed().toUtf8() + '>';
  const QByteArray user = server.user.toUtf8();
  const QByteArray password = server.password.toUtf8();
  const QByteArray caFile = QFile::encodeName(server.caFile);

  curl_easy_setopt(c, CURLOPT_URL, url.constData());
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
  curl_easy_setopt(c, CURLOPT_MAIL_FROM, mailFrom.constData());
  curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());
  curl_easy_setopt(
      c, CURLOPT_USE_SSL,
      static_cast<long>(server.security == SmtpSecurity::StartTls ? CURLUSESSL_ALL : CURLUSESSL_NONE));
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!caFile.isEmpty()) curl_easy_setopt(c, CURLOPT_CAINFO, caFile.constData());
  if (!password.isEmpty()) {
    curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
  }
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
  // A server that stops answering must not hold the send for ever: neither while the
  // message goes out, nor while its answer to the end of the message (or to QUIT) is
  // awaited, which libcurl would otherwise wait for twice two minutes.
  const long limit = std::max(1, server.responseTimeout);
  curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, limit);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, limit);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  // Close at once, so the QUIT exchange shows in the conversation too.
  curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
  curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, &OnDebug);
  curl_easy_setopt(c, CURLOPT_DEBUGDATA, &transfer);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &OnProgress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);

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

  SmtpResult result;
  int queued = 0;
  while (CURLMsg* msg = curl_multi_info_read(multi.get(), &queued)) {
    if (msg->msg == CURLMSG_DONE) result.code = msg->data.result;
  }
  if (mc != CURLM_OK) {
    result.code = CURLE_FAILED_INIT;
    result.error = QString::fromUtf8(curl_multi_strerror(mc));
  } else if (transfer.cancelled) {
    result.code = CURLE_ABORTED_BY_CALLBACK;
    result.cancelled = true;
  } else if (running > 0) {
    result.code = CURLE_FAILED_INIT;
  }
  curl_multi_remove_handle(multi.get(), c);
  if (result.code != 0 && result.error.isEmpty()) {
    result.error = errorBuffer[0] ? QString::fromUtf8(errorBuffer)
                                  : QString::fromUtf8(curl_easy_strerror(static_cast<CURLcode>(result.code)));
  }
  if (result.code != 0 && !result.cancelled) {
    const QString command = QString::fromUtf8(transfer.failedCommand);
    result.serverReply = QString::fromUtf8(transfer.failedReply);
    result.failure = ClassifySmtpFailure(result.code, command, result.serverReply, result.error);
    const qsizetype open = command.indexOf(QChar('<'));
    const qsizetype close = command.lastIndexOf(QChar('>'));
    if (result.failure == SmtpFailure::SenderRefused) {
      // Refused in the answer to MAIL FROM or to a RCPT TO: either way it is our sender.
      result.refused = message.envelopeFrom.trimmed();
    } else if (result.failure == SmtpFailure::RecipientRefused && open >= 0 && close > open) {
      result.refused = command.mid(open + 1, close - open - 1);
    }
  }
  if (progress && result.code == 0) progress->SetProgress(transfer.estimate, transfer.estimate);
  return result;
}

}  // namespace kolt

#include "exchange/mail/SmtpSender.h"

#include <curl/curl.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSysInfo>
#include <memory>
#include <mutex>
#include <vector>

#include "core/Startup.h"
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
};

QString EhloName() {
  const QString name = QSysInfo::machineHostName();
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
          if (words.size() > 2) shown += " ****";
          AddLines(t, QStringLiteral("> "), shown);
        } else if (t->inAuth) {
          AddLines(t, QStringLiteral("> "), "****");
        } else {
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

}  // namespace

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
  // A server that stops answering must not hold the send for ever.
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 120L);
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
  if (progress && result.code == 0) progress->SetProgress(transfer.estimate, transfer.estimate);
  return result;
}

}  // namespace kolt

#include "exchange/mail/ImapClient.h"

#include <curl/curl.h>

#include <QRegularExpression>
#include <QUrl>
#include <mutex>

namespace kolt {
namespace {

bool GlobalInit() {
  static std::once_flag once;
  static CURLcode result = CURLE_OK;
  std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
  return result == CURLE_OK;
}

struct Sink {
  QByteArray* out = nullptr;
  qint64 maxBytes = 0;  // 0: no limit
  bool tooLarge = false;
  const std::atomic<bool>* cancel = nullptr;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const size_t n = size * count;
  if (sink->maxBytes > 0 && sink->out->size() + static_cast<qint64>(n) > sink->maxBytes) {
    sink->tooLarge = true;
    return 0;  // stops the transfer
  }
  sink->out->append(data, static_cast<qsizetype>(n));
  return n;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* sink = static_cast<Sink*>(user);
  return sink->cancel && sink->cancel->load() ? 1 : 0;
}

ImapFailure Classify(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
      return ImapFailure::HostNotFound;
    case CURLE_COULDNT_CONNECT:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
      return ImapFailure::Connection;
    case CURLE_OPERATION_TIMEDOUT:
      return ImapFailure::Timeout;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
      return ImapFailure::Certificate;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_USE_SSL_FAILED:
      return ImapFailure::Tls;
    case CURLE_LOGIN_DENIED:
      return ImapFailure::Login;
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_QUOTE_ERROR:
      return ImapFailure::Folder;
    case CURLE_ABORTED_BY_CALLBACK:
      return ImapFailure::Cancelled;
    default:
      return ImapFailure::Other;
  }
}

}  // namespace

struct ImapClient::Handle {
  CURL* curl = nullptr;
  ~Handle() {
    if (curl) curl_easy_cleanup(curl);
  }
};

ImapClient::ImapClient(const ImapAccount& account)
    : m_handle(std::make_unique<Handle>()), m_account(account) {
  if (GlobalInit()) m_handle->curl = curl_easy_init();
}

ImapClient::~ImapClient() = default;

QByteArray ImapClient::Quoted(const QString& text) {
  QByteArray out = "\"";
  for (const char c : text.toUtf8()) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

QByteArray ImapClient::Url(const QString& folder) const {
  QByteArray url = m_account.security == ImapSecurity::Tls ? "imaps://" : "imap://";
  const QString host = m_account.host.trimmed();
  url += host.contains(QChar(':')) ? "[" + host.toUtf8() + "]" : host.toUtf8();
  url += ":" + QByteArray::number(m_account.port) + "/";
  if (!folder.isEmpty()) url += QUrl::toPercentEncoding(folder);
  return url;
}

bool ImapClient::Perform(const QByteArray& url, const QByteArray& custom, QByteArray* out, qint64 maxBytes) {
  m_failure = ImapFailure::None;
  m_error.clear();
  CURL* c = m_handle->curl;
  if (!c) {
    m_failure = ImapFailure::Other;
    m_error = QStringLiteral("libcurl could not be initialised");
    return false;
  }
  if (m_cancel && m_cancel->load()) {
    m_failure = ImapFailure::Cancelled;
    m_error = QStringLiteral("Cancelled");
    return false;
  }
  out->clear();
  // Every option is set again below; the reset also clears the counts libcurl keeps per
  // handle (the sum of server lines, which it caps), while the login stays open.
  curl_easy_reset(c);
  Sink sink{out, maxBytes, false, m_cancel};
  char errorText[CURL_ERROR_SIZE] = {};
  const QByteArray user = m_account.user.toUtf8();
  const QByteArray password = m_account.password.toUtf8();
  const QByteArray caFile = m_account.caFile.toLocal8Bit();
  curl_easy_setopt(c, CURLOPT_URL, url.constData());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "imap,imaps");
  curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
  curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
  curl_easy_setopt(c, CURLOPT_USE_SSL,
                   m_account.security == ImapSecurity::None ? static_cast<long>(CURLUSESSL_NONE)
                                                            : static_cast<long>(CURLUSESSL_ALL));
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(c, CURLOPT_CAINFO, caFile.isEmpty() ? nullptr : caFile.constData());
  curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, custom.isEmpty() ? nullptr : custom.constData());
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &WriteBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Progress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &sink);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
  const long timeout = std::max(1, m_account.responseTimeout);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, timeout);
  curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeout);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, timeout);
  const CURLcode code = curl_easy_perform(c);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);
  if (code == CURLE_OK) return true;
  if (sink.tooLarge) {
    m_failure = ImapFailure::TooLarge;
    m_error =
        QStringLiteral("The message is larger than ") + QString::number(maxBytes) + QStringLiteral(" bytes");
    return false;
  }
  m_failure = Classify(code);
  m_error = QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(code));
  return false;
}

bool ImapClient::Command(const QString& folder, const QByteArray& command, QByteArray* response) {
  return Perform(Url(folder), command, response, qint64{4} * 1024 * 1024);
}

bool ImapClient::UidValidity(const QString& folder, quint32* validity) {
  QByteArray response;
  if (!Command(QString(), "STATUS " + Quoted(folder) + " (UIDVALIDITY)", &response)) return false;
  static const QRegularExpression re(QStringLiteral("UIDVALIDITY\\s+(\\d+)"),
                                     QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = re.match(QString::fromLatin1(response));
  if (!m.hasMatch()) {
    m_failure = ImapFailure::Folder;
    m_error = QStringLiteral("The server gave no UIDVALIDITY for the folder ") + folder;
    return false;
  }
  *validity = m.captured(1).toUInt();
  return true;
}

QList<quint32> ImapClient::ParseSearch(const QByteArray& response) {
  QList<quint32> uids;
  for (QByteArray line : response.split('\n')) {
    line = line.trimmed();
    if (!line.toUpper().startsWith("* SEARCH")) continue;
    for (const QByteArray& word : line.mid(8).simplified().split(' ')) {
      bool ok = false;
      const quint32 n = word.toUInt(&ok);
      if (ok && n > 0) uids.append(n);
    }
  }
  std::sort(uids.begin(), uids.end());
  uids.erase(std::unique(uids.begin(), uids.end()), uids.end());
  return uids;
}

QMap<quint32, qint64> ImapClient::ParseSizes(const QByteArray& response) {
  QMap<quint32, qint64> sizes;
  static const QRegularExpression uidRe(QStringLiteral("\\bUID\\s+(\\d+)"),
                                        QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression sizeRe(QStringLiteral("\\bRFC822\\.SIZE\\s+(\\d+)"),
                                         QRegularExpression::CaseInsensitiveOption);
  for (const QByteArray& line : response.split('\n')) {
    const QString text = QString::fromLatin1(line);
    const auto uid = uidRe.match(text);
    const auto size = sizeRe.match(text);
    if (uid.hasMatch() && size.hasMatch())
      sizes.insert(uid.captured(1).toUInt(), size.captured(1).toLongLong());
  }
  return sizes;
}

bool ImapClient::Search(const QString& folder, const QString& criteria, QList<quint32>* uids) {
  QByteArray response;
  if (!Command(folder, "UID SEARCH " + criteria.toUtf8(), &response)) return false;
  *uids = ParseSearch(response);
  return true;
}

bool ImapClient::Sizes(const QString& folder, const QList<quint32>& uids, QMap<quint32, qint64>* sizes) {
  sizes->clear();
  // In slices: libcurl (7.88) refuses an answer of more than about 150 lines, counting
  // far more than the lines' bytes, so a check of 200 messages failed at random.
  constexpr qsizetype kSlice = 50;
  for (qsizetype i = 0; i < uids.size(); i += kSlice) {
    QByteArrayList set;
    for (qsizetype j = i; j < std::min(uids.size(), i + kSlice); ++j) set.append(QByteArray::number(uids[j]));
    QByteArray response;
    if (!Command(folder, "UID FETCH " + set.join(',') + " (RFC822.SIZE)", &response)) return false;
    const QMap<quint32, qint64> part = ParseSizes(response);
    for (auto it = part.begin(); it != part.end(); ++it) sizes->insert(it.key(), it.value());
  }
  return true;
}

bool ImapClient::Fetch(const QString& folder, quint32 validity, quint32 uid, qint64 maxBytes,
                       QByteArray* message) {
  const QByteArray url =
      Url(folder) + ";UIDVALIDITY=" + QByteArray::number(validity) + "/;UID=" + QByteArray::number(uid);
  return Perform(url, QByteArray(), message, maxBytes);
}

bool ImapClient::SetSeen(const QString& folder, quint32 uid, bool seen) {
  return SetSeen(folder, QList<quint32>{uid}, seen);
}

bool ImapClient::SetSeen(const QString& folder, const QList<quint32>& uids, bool seen) {
  QByteArrayList set;
  for (quint32 uid : uids) set.append(QByteArray::number(uid));
  if (set.isEmpty()) return true;
  QByteArray response;
  return Command(folder, "UID STORE " + set.join(',') + (seen ? " +FLAGS (\\Seen)" : " -FLAGS (\\Seen)"),
                 &response);
}

bool ImapClient::Move(const QString& folder, quint32 uid, const QString& target) {
  QByteArray response;
  const QByteArray n = QByteArray::number(uid);
  if (Command(folder, "UID MOVE " + n + " " + Quoted(target), &response)) return true;
  if (m_failure != ImapFailure::Folder && m_failure != ImapFailure::Other) return false;
  const ImapFailure moveFailure = m_failure;
  const QString moveError = m_error;
  // A server without MOVE: copy, then delete the original.
  if (!Command(folder, "UID COPY " + n + " " + Quoted(target), &response)) {
    m_failure = moveFailure;
    m_error = moveError;
    return false;
  }
  return Command(folder, "UID STORE " + n + " +FLAGS.SILENT (\\Seen \\Deleted)", &response) &&
         Command(folder, "UID EXPUNGE " + n, &response);
}

QString ImapClient::Advice(ImapFailure failure) {
  switch (failure) {
    case ImapFailure::HostNotFound:
      return QStringLiteral(
          "Check the IMAP server name under Options > Sending e-mail, page Receiving e-mail.");
    case ImapFailure::Connection:
    case ImapFailure::Timeout:
      return QStringLiteral(
          "Check the IMAP server, the port and the security under Options > Sending e-mail, page Receiving "
          "e-mail.");
    case ImapFailure::Tls:
      return QStringLiteral(
          "The secure connection failed: check that the security matches the port (TLS: "
          "usually 993; STARTTLS: usually 143).");
    case ImapFailure::Certificate:
      return QStringLiteral(
          "The server's certificate could not be verified: it is not trusted on this "
          "computer, or it is for another name.");
    case ImapFailure::Login:
      return QStringLiteral(
          "Check the user name and the password under Options > Sending e-mail, page Receiving e-mail.");
    case ImapFailure::Folder:
      return QStringLiteral(
          "Check the mailbox folder under Options > Sending e-mail, page Receiving e-mail.");
    default:
      return QString();
  }
}

}  // namespace kolt

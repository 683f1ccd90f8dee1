#include "exchange/mail/ImapClient.h"

#include <curl/curl.h>

#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include "exchange/mail/CurlSession.h"

namespace kolt {
namespace {

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* cancel = static_cast<const std::atomic<bool>*>(user);
  return cancel && cancel->load() ? 1 : 0;
}

// Keeps the last line the server ended a command with ("A005 NO [TRYCREATE] ..."): libcurl
// only says "Quote command returned error", which tells the user nothing.
int Debug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  if (type != CURLINFO_HEADER_IN) return 0;
  auto* last = static_cast<QByteArray*>(user);
  for (const QByteArray& line : QByteArray(data, static_cast<qsizetype>(size)).split('\n')) {
    const QByteArray l = line.trimmed();
    if (!l.isEmpty() && !l.startsWith('*') && !l.startsWith('+')) *last = l.left(500);
  }
  return 0;
}

ImapFailure Classify(CURLcode code) {
  switch (CurlSession::Classify(code)) {
    case CurlFailure::None:
      return ImapFailure::None;
    case CurlFailure::HostNotFound:
      return ImapFailure::HostNotFound;
    case CurlFailure::Connection:
      return ImapFailure::Connection;
    case CurlFailure::Timeout:
      return ImapFailure::Timeout;
    case CurlFailure::Tls:
    case CurlFailure::StartTlsRefused:
      return ImapFailure::Tls;
    case CurlFailure::Certificate:
      return ImapFailure::Certificate;
    case CurlFailure::CertificateChanged:
      return ImapFailure::CertificateChanged;
    case CurlFailure::Login:
      return ImapFailure::Login;
    case CurlFailure::Refused:
      // A refused command names a folder; anything else the server said was out of turn.
      return code == CURLE_QUOTE_ERROR || code == CURLE_REMOTE_FILE_NOT_FOUND ? ImapFailure::Folder
                                                                              : ImapFailure::Connection;
    case CurlFailure::Cancelled:
      return ImapFailure::Cancelled;
    case CurlFailure::Other:
      return ImapFailure::Other;
  }
  return ImapFailure::Other;
}

}  // namespace

MailEndpoint ImapAccount::Endpoint() const {
  MailEndpoint e;
  e.scheme = QStringLiteral("imap");
  e.host = host;
  e.port = port;
  e.tls = security == ImapSecurity::Tls        ? MailEndpoint::Tls::Implicit
          : security == ImapSecurity::StartTls ? MailEndpoint::Tls::StartTls
                                               : MailEndpoint::Tls::None;
  e.caFile = caFile;
  e.responseTimeout = responseTimeout;
  return e;
}

ImapClient::ImapClient(const ImapAccount& account)
    : m_session(std::make_unique<CurlSession>(account.Endpoint())), m_account(account) {}

// Where an answer goes: memory (commands, small fetches) or a file (messages).
struct ImapClient::Sink {
  QByteArray* out = nullptr;
  QFile* file = nullptr;
  qint64 written = 0;
  qint64 maxBytes = 0;  // 0: no limit
  bool tooLarge = false;
  bool writeFailed = false;

  static size_t Write(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const auto n = static_cast<qint64>(size) * static_cast<qint64>(count);
    if (sink->maxBytes > 0 && sink->written + n > sink->maxBytes) {
      sink->tooLarge = true;
      return 0;  // stops the transfer
    }
    if (sink->file) {
      if (sink->file->write(data, n) != n) {
        sink->writeFailed = true;
        return 0;
      }
    } else {
      sink->out->append(data, static_cast<qsizetype>(n));
    }
    sink->written += n;
    return static_cast<size_t>(n);
  }
};

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
  return m_session->Endpoint().Url(folder.isEmpty() ? QByteArray() : QUrl::toPercentEncoding(folder));
}

bool ImapClient::Perform(const QByteArray& url, const QByteArray& custom, Sink& sink, bool cancellable) {
  m_failure = ImapFailure::None;
  m_error.clear();
  CURL* c = m_session->Handle();
  if (!c) {
    m_failure = ImapFailure::Other;
    m_error = tr("libcurl could not be initialised");
    return false;
  }
  const std::atomic<bool>* cancel = cancellable ? m_cancel : nullptr;
  if (cancel && cancel->load()) {
    m_failure = ImapFailure::Cancelled;
    m_error = tr("Cancelled");
    return false;
  }
  // Every option is set again below; the reset also clears the counts libcurl keeps per
  // handle (the sum of server lines, which it caps), while the login stays open.
  curl_easy_reset(c);
  QByteArray serverSaid;
  const QByteArray user = m_account.user.toUtf8();
  const QByteArray password = m_account.password.toUtf8();
  m_session->Configure(url, &Debug, &serverSaid);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "imap,imaps");
  curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
  curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
  curl_easy_setopt(c, CURLOPT_CUSTOMREQUEST, custom.isEmpty() ? nullptr : custom.constData());
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Sink::Write);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Progress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, cancel);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  const CURLcode code = curl_easy_perform(c);
  curl_easy_setopt(c, CURLOPT_DEBUGDATA, nullptr);
  if (code == CURLE_OK) return true;
  if (sink.tooLarge) {
    m_failure = ImapFailure::TooLarge;
    m_error = tr("The message is larger than %1 bytes").arg(QString::number(sink.maxBytes));
    return false;
  }
  if (sink.writeFailed) {
    m_failure = ImapFailure::Other;
    m_error = tr("Can't write file: %1 (%2)").arg(sink.file->fileName(), sink.file->errorString());
    return false;
  }
  m_failure = Classify(code);
  m_error = m_session->ErrorText(code);
  // A refused command: the server's own words say why.
  if (code == CURLE_QUOTE_ERROR || code == CURLE_REMOTE_FILE_NOT_FOUND) {
    const qsizetype space = serverSaid.indexOf(' ');
    if (space > 0) m_error = tr("the server answered: %1").arg(QString::fromUtf8(serverSaid.mid(space + 1)));
  }
  return false;
}

bool ImapClient::Command(const QString& folder, const QByteArray& command, QByteArray* response,
                         bool cancellable) {
  response->clear();
  Sink sink;
  sink.out = response;
  sink.maxBytes = qint64{4} * 1024 * 1024;
  return Perform(Url(folder), command, sink, cancellable);
}

bool ImapClient::UidValidity(const QString& folder, quint32* validity) {
  QByteArray response;
  if (!Command(QString(), "STATUS " + Quoted(folder) + " (UIDVALIDITY)", &response)) return false;
  static const QRegularExpression re(QStringLiteral("UIDVALIDITY\\s+(\\d+)"),
                                     QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = re.match(QString::fromLatin1(response));
  if (!m.hasMatch()) {
    m_failure = ImapFailure::Folder;
    m_error = tr("The server gave no UIDVALIDITY for the folder %1").arg(folder);
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
  message->clear();
  Sink sink;
  sink.out = message;
  sink.maxBytes = maxBytes;
  const QByteArray url =
      Url(folder) + ";UIDVALIDITY=" + QByteArray::number(validity) + "/;UID=" + QByteArray::number(uid);
  return Perform(url, QByteArray(), sink, true);
}

bool ImapClient::FetchToFile(const QString& folder, quint32 validity, quint32 uid, qint64 maxBytes,
                             QFile* file) {
  const qint64 start = file->pos();
  Sink sink;
  sink.file = file;
  sink.maxBytes = maxBytes;
  const QByteArray url =
      Url(folder) + ";UIDVALIDITY=" + QByteArray::number(validity) + "/;UID=" + QByteArray::number(uid);
  bool ok = Perform(url, QByteArray(), sink, true);
  if (ok && !file->flush()) {
    m_failure = ImapFailure::Other;
    m_error = tr("Can't write file: %1 (%2)").arg(file->fileName(), file->errorString());
    ok = false;
  }
  if (!ok) {
    // What came of a message cut short goes; the messages before it stay whole.
    file->resize(start);
    file->seek(start);
  }
  return ok;
}

bool ImapClient::SetSeen(const QString& folder, quint32 uid, bool seen) {
  return SetSeen(folder, QList<quint32>{uid}, seen);
}

bool ImapClient::SetSeen(const QString& folder, const QList<quint32>& uids, bool seen) {
  // SILENT, and in slices: the untagged line per message would reach libcurl's cap.
  constexpr qsizetype kSlice = 100;
  for (qsizetype i = 0; i < uids.size(); i += kSlice) {
    QByteArrayList set;
    for (qsizetype j = i; j < std::min(uids.size(), i + kSlice); ++j) set.append(QByteArray::number(uids[j]));
    QByteArray response;
    if (!Command(
            folder,
            "UID STORE " + set.join(',') + (seen ? " +FLAGS.SILENT (\\Seen)" : " -FLAGS.SILENT (\\Seen)"),
            &response, seen))
      return false;
  }
  return true;
}

bool ImapClient::Capabilities(QStringList* capabilities) {
  if (!m_capabilities) {
    QByteArray response;
    if (!Command(QString(), "CAPABILITY", &response)) return false;
    QStringList words;
    for (const QByteArray& line : response.split('\n')) {
      const QByteArray l = line.trimmed();
      if (l.toUpper().startsWith("* CAPABILITY "))
        words += QString::fromLatin1(l.mid(13)).toUpper().split(QChar(' '), Qt::SkipEmptyParts);
    }
    m_capabilities = words;
  }
  *capabilities = *m_capabilities;
  return true;
}

QList<ImapClient::Folder> ImapClient::ParseList(const QByteArray& response) {
  QList<Folder> folders;
  // * LIST (\HasNoChildren) "/" "INBOX/Processed"   or   * LIST () NIL Archive
  static const QRegularExpression re(
      QStringLiteral("^\\*\\s+LIST\\s+\\([^)]*\\)\\s+(NIL|\"(?:[^\"\\\\]|\\\\.)*\")\\s+(.+)$"),
      QRegularExpression::CaseInsensitiveOption);
  auto unquote = [](QString text) {
    if (text.size() >= 2 && text.startsWith(QChar('"')) && text.endsWith(QChar('"'))) {
      text = text.mid(1, text.size() - 2);
      text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
      text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    }
    return text;
  };
  for (const QByteArray& line : response.split('\n')) {
    const QRegularExpressionMatch m = re.match(QString::fromUtf8(line.trimmed()));
    if (!m.hasMatch() || m.captured(2).startsWith(QChar('{'))) continue;  // literals: not ours to guess
    const QString separator = m.captured(1).compare(QStringLiteral("NIL"), Qt::CaseInsensitive) == 0
                                  ? QString()
                                  : unquote(m.captured(1));
    folders.append(Folder{unquote(m.captured(2).trimmed()), separator});
  }
  return folders;
}

bool ImapClient::List(const QString& pattern, QList<Folder>* folders) {
  QByteArray response;
  if (!Command(QString(), "LIST \"\" " + Quoted(pattern), &response)) return false;
  *folders = ParseList(response);
  return true;
}

bool ImapClient::Move(const QString& folder, quint32 uid, const QString& target) {
  QStringList capabilities;
  if (!Capabilities(&capabilities)) return false;
  QByteArray response;
  const QByteArray n = QByteArray::number(uid);
  // Read first: the turn arrives in the target folder as handled.
  if (!Command(folder, "UID STORE " + n + " +FLAGS.SILENT (\\Seen)", &response)) return false;
  if (capabilities.contains(QStringLiteral("MOVE")))
    return Command(folder, "UID MOVE " + n + " " + Quoted(target), &response);
  if (!Command(folder, "UID COPY " + n + " " + Quoted(target), &response)) return false;
  if (!Command(folder, "UID STORE " + n + " +FLAGS.SILENT (\\Deleted)", &response)) return false;
  // Without UIDPLUS only a plain EXPUNGE is there; it also removes what else was marked
  // deleted, as any mail program's expunge does.
  return Command(folder, capabilities.contains(QStringLiteral("UIDPLUS")) ? "UID EXPUNGE " + n : "EXPUNGE",
                 &response);
}

QString ImapClient::Advice(ImapFailure failure) {
  switch (failure) {
    case ImapFailure::HostNotFound:
      return tr("Check the IMAP server name under Options > Sending e-mail, page Receiving e-mail.");
    case ImapFailure::Connection:
    case ImapFailure::Timeout:
      return tr(
          "Check the IMAP server, the port and the security under Options > Sending e-mail, page Receiving "
          "e-mail.");
    case ImapFailure::Tls:
      return tr(
          "The secure connection failed: check that the security matches the port (TLS: "
          "usually 993; STARTTLS: usually 143).");
    case ImapFailure::Certificate:
      return tr(
          "The server's certificate could not be verified: it is not trusted on this "
          "computer, or it is for another name. If the server is your own, press Test under "
          "Options > Sending e-mail, page Receiving e-mail, to see its certificate and trust it.");
    case ImapFailure::Login:
      return tr(
          "Check the user name and the password under Options > Sending e-mail, page Receiving e-mail.");
    case ImapFailure::Folder:
      return tr("Check the mailbox folder under Options > Sending e-mail, page Receiving e-mail.");
    default:
      return QString();
  }
}

}  // namespace kolt

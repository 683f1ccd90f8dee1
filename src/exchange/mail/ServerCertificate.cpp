#include "exchange/mail/ServerCertificate.h"

#include <QCryptographicHash>
#include <QLocale>
#include <QStringList>
#include <QTimeZone>

#include "exchange/mail/CurlSession.h"

namespace kolt {
namespace {

// One DER element inside [pos, end): its tag, where its content starts and where it ends.
// The certificate comes from the server before anything is checked: every length is
// checked against what is there.
struct Element {
  uchar tag = 0;
  qsizetype content = 0;
  qsizetype end = 0;
};

std::optional<Element> ReadElement(const QByteArray& der, qsizetype pos, qsizetype end) {
  if (pos < 0 || end > der.size() || end - pos < 2) return std::nullopt;
  Element e;
  e.tag = static_cast<uchar>(der[pos]);
  const auto first = static_cast<uchar>(der[pos + 1]);
  qsizetype at = pos + 2;
  qint64 length = first;
  if (first & 0x80) {
    const int bytes = first & 0x7f;
    if (bytes < 1 || bytes > 4 || end - at < bytes) return std::nullopt;
    length = 0;
    for (int i = 0; i < bytes; ++i) length = (length << 8) | static_cast<uchar>(der[at++]);
  }
  if (length > end - at) return std::nullopt;
  e.content = at;
  e.end = at + static_cast<qsizetype>(length);
  return e;
}

// UTCTime (YYMMDDHHMMSSZ; 50 to 99 are 19xx) or GeneralizedTime (YYYYMMDDHHMMSSZ).
QDateTime ReadTime(const QByteArray& der, const Element& e) {
  QByteArray text = der.mid(e.content, e.end - e.content);
  if (!text.endsWith('Z')) return QDateTime();
  text.chop(1);
  if (e.tag == 0x17 && text.size() == 12)
    text.prepend(text.left(2).toInt() >= 50 ? "19" : "20");
  else if (e.tag != 0x18 || text.size() != 14)
    return QDateTime();
  const QDate date(text.mid(0, 4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt());
  const QTime time(text.mid(8, 2).toInt(), text.mid(10, 2).toInt(), text.mid(12, 2).toInt());
  if (!date.isValid() || !time.isValid()) return QDateTime();
  return QDateTime(date, time, QTimeZone::utc());
}

QByteArray PemBody(const QByteArray& pem) {
  const QByteArray begin = "-----BEGIN CERTIFICATE-----";
  const qsizetype start = pem.indexOf(begin);
  if (start < 0) return QByteArray();
  const qsizetype stop = pem.indexOf("-----END CERTIFICATE-----", start);
  if (stop < 0) return QByteArray();
  return QByteArray::fromBase64(pem.mid(start + begin.size(), stop - start - begin.size()).simplified());
}

QString Hex(const QByteArray& bytes) {
  QStringList pairs;
  for (const char b : bytes) pairs.append(QString::asprintf("%02X", static_cast<uchar>(b)));
  return pairs.join(QChar(':'));
}

}  // namespace

std::optional<ServerCertificate> ServerCertificate::FromPem(const QByteArray& pem, const QString& subject,
                                                            const QString& issuer) {
  const QByteArray der = PemBody(pem);
  // Certificate ::= SEQUENCE { tbsCertificate SEQUENCE { [0] version OPTIONAL,
  //   serialNumber, signature, issuer, validity, subject, subjectPublicKeyInfo, ... } ... }
  const std::optional<Element> certificate = ReadElement(der, 0, der.size());
  if (!certificate || certificate->tag != 0x30) return std::nullopt;
  const std::optional<Element> tbs = ReadElement(der, certificate->content, certificate->end);
  if (!tbs || tbs->tag != 0x30) return std::nullopt;
  Element fields[7];
  int count = 0;
  qsizetype pos = tbs->content;
  while (count < 7) {
    const std::optional<Element> e = ReadElement(der, pos, tbs->end);
    if (!e) return std::nullopt;
    pos = e->end;
    if (count == 0 && e->tag == 0xa0) continue;  // the version
    fields[count++] = *e;
  }
  // serialNumber, signature, issuer, validity, subject, subjectPublicKeyInfo
  const Element& validity = fields[3];
  const Element& publicKey = fields[5];
  if (validity.tag != 0x30 || publicKey.tag != 0x30) return std::nullopt;
  const qsizetype keyStart = fields[4].end;
  ServerCertificate c;
  c.pin = QStringLiteral("sha256//") +
          QString::fromLatin1(QCryptographicHash::hash(der.mid(keyStart, publicKey.end - keyStart),
                                                       QCryptographicHash::Sha256)
                                  .toBase64());
  c.fingerprint = Hex(QCryptographicHash::hash(der, QCryptographicHash::Sha256));
  c.subject = subject;
  c.issuer = issuer;
  if (const std::optional<Element> notBefore = ReadElement(der, validity.content, validity.end)) {
    if (const std::optional<Element> notAfter = ReadElement(der, notBefore->end, validity.end))
      c.expires = ReadTime(der, *notAfter);
  }
  return c;
}

std::optional<ServerCertificate> ServerCertificate::Fetch(const MailEndpoint& endpoint, QString* error) {
  error->clear();
  if (endpoint.tls == MailEndpoint::Tls::None) {
    *error = tr("The connection is not encrypted: there is no certificate.");
    return std::nullopt;
  }
  CurlSession session(endpoint);
  CURL* c = session.Handle();
  if (!c) {
    *error = tr("libcurl could not be initialised");
    return std::nullopt;
  }
  session.Configure(endpoint.Url());
  // Only to look at the certificate: no verification, no login (no user name is given,
  // so libcurl ends the connection phase before authentication), and no transfer.
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 0L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 0L);
  curl_easy_setopt(c, CURLOPT_PINNEDPUBLICKEY, nullptr);
  curl_easy_setopt(c, CURLOPT_CERTINFO, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECT_ONLY, 1L);
  const CURLcode code = curl_easy_perform(c);
  if (code != CURLE_OK) {
    *error = session.ErrorText(code);
    return std::nullopt;
  }
  curl_certinfo* info = nullptr;
  if (curl_easy_getinfo(c, CURLINFO_CERTINFO, &info) != CURLE_OK || !info || info->num_of_certs < 1) {
    *error = tr("The server sent no certificate.");
    return std::nullopt;
  }
  QByteArray pem;
  QString subject, issuer;
  for (const curl_slist* item = info->certinfo[0]; item; item = item->next) {
    const QByteArray line(item->data);
    const qsizetype colon = line.indexOf(':');
    if (colon < 0) continue;
    const QByteArray name = line.left(colon);
    const QByteArray value = line.mid(colon + 1);
    if (name == "Cert") pem = value;
    // Shown to the user: control characters from the server go.
    else if (name == "Subject")
      subject = QString::fromUtf8(value).simplified();
    else if (name == "Issuer")
      issuer = QString::fromUtf8(value).simplified();
  }
  std::optional<ServerCertificate> certificate = FromPem(pem, subject.left(500), issuer.left(500));
  if (!certificate) *error = tr("The server's certificate could not be read.");
  return certificate;
}

QString ServerCertificate::Details() const {
  QString expiry = tr("unknown", "certificate expiry");
  if (expires.isValid()) {
    expiry = QLocale().toString(expires.toLocalTime(), QLocale::LongFormat);
    if (expires < QDateTime::currentDateTimeUtc()) expiry = tr("%1 (expired)").arg(expiry);
  }
  return tr("SHA-256 fingerprint: %1\nIssued to: %2\nIssued by: %3\nExpires: %4")
      .arg(fingerprint, subject, issuer, expiry);
}

}  // namespace kolt

#include "exchange/mail/TrustedCertificates.h"

#include <QJsonObject>

#include "core/Startup.h"
#include "exchange/turns/MailboxState.h"

namespace kolt {
namespace {

const QString kPin = QStringLiteral("pin");
const QString kFingerprint = QStringLiteral("sha256");
const QString kSubject = QStringLiteral("subject");
const QString kIssuer = QStringLiteral("issuer");
const QString kExpires = QStringLiteral("expires");

QString Key(const QString& server) {
  return server.trimmed().toLower();
}

}  // namespace

QString TrustedCertificates::Path() {
  return HomeFile(QStringLiteral("trusted-certificates"));
}

std::optional<ServerCertificate> TrustedCertificates::Find(const QString& server) {
  const QJsonObject entry = ReadJsonFile(Path()).value(Key(server)).toObject();
  ServerCertificate certificate;
  certificate.pin = entry.value(kPin).toString();
  // Only a well-formed pin counts: anything else would make libcurl refuse every
  // connection with a message about the pin itself.
  if (!certificate.pin.startsWith(QLatin1String("sha256//")) || certificate.pin.size() != 52 ||
      certificate.pin.contains(QChar(';')))
    return std::nullopt;
  certificate.fingerprint = entry.value(kFingerprint).toString();
  certificate.subject = entry.value(kSubject).toString();
  certificate.issuer = entry.value(kIssuer).toString();
  certificate.expires = QDateTime::fromString(entry.value(kExpires).toString(), Qt::ISODate);
  return certificate;
}

bool TrustedCertificates::Trust(const QString& server, const ServerCertificate& certificate) {
  QJsonObject all = ReadJsonFile(Path());
  QJsonObject entry;
  entry.insert(kPin, certificate.pin);
  entry.insert(kFingerprint, certificate.fingerprint);
  entry.insert(kSubject, certificate.subject);
  entry.insert(kIssuer, certificate.issuer);
  entry.insert(kExpires, certificate.expires.toString(Qt::ISODate));
  all.insert(Key(server), entry);
  return WriteJsonFile(Path(), all);
}

}  // namespace kolt

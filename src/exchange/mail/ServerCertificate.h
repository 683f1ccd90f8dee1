#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <optional>

namespace kolt {

struct MailEndpoint;

// A server's certificate as the user is shown it before trusting it, and what is kept of
// it once trusted.
struct ServerCertificate {
  Q_DECLARE_TR_FUNCTIONS(ServerCertificate)

 public:
  QString pin;          // "sha256//" + base64 of the SHA-256 of its public key
  QString fingerprint;  // SHA-256 of the whole certificate, "AB:CD:..."
  QString subject;
  QString issuer;
  QDateTime expires;  // UTC; invalid when the certificate does not say

  // From a PEM certificate (the first one in `pem`); subject and issuer are taken as
  // given. nullopt when it is no certificate that can be read.
  static std::optional<ServerCertificate> FromPem(const QByteArray& pem, const QString& subject,
                                                  const QString& issuer);

  // Connects to `endpoint` without checking its certificate and returns the certificate.
  // The connection ends after the TLS handshake (after STARTTLS for the kinds that use
  // it): no user name, password or message goes over it. nullopt with `error` set when
  // no certificate came.
  static std::optional<ServerCertificate> Fetch(const MailEndpoint& endpoint, QString* error);

  // Fingerprint, subject, issuer and expiry on lines of their own.
  QString Details() const;
};

}  // namespace kolt

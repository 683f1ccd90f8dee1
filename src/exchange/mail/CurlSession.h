#pragma once

#include <curl/curl.h>

#include <QCoreApplication>
#include <QString>
#include <optional>

namespace kolt {

// Where a mail connection goes and how it is secured.
struct MailEndpoint {
  enum class Tls {
    None,      // plain text
    StartTls,  // plain connection upgraded by STARTTLS, required
    Implicit,  // TLS from the first byte (imaps, smtps)
  };
  QString scheme;  // "imap" or "smtp"; "s" is added for implicit TLS
  QString host;
  int port = 0;
  Tls tls = Tls::Implicit;
  QString caFile;  // extra trusted certificates; empty: the system store
  // Seconds a silent server is waited for (also the time to connect).
  int responseTimeout = 60;

  // "host:port", IPv6 literals in brackets: how messages name the server, and the key of
  // a trusted certificate.
  QString Name() const;
  // scheme://host:port/ with `path` appended as it stands.
  QByteArray Url(const QByteArray& path = QByteArray()) const;
};

// What a failed libcurl transfer ran into, as far as the user can do something about it.
// Refusals whose meaning depends on the protocol (a refused command, a missing folder)
// are Refused; each protocol tells them apart from its conversation.
enum class CurlFailure {
  None,
  HostNotFound,
  Connection,  // nothing answered on the port, or the connection broke
  Timeout,
  Tls,                 // the TLS handshake failed
  StartTlsRefused,     // STARTTLS required but not offered
  Certificate,         // the server's certificate could not be verified
  CertificateChanged,  // it is not the certificate the user trusted for this server
  Login,
  Refused,
  Cancelled,
  Other,
};

// One easy handle for a mail connection, with what SMTP and IMAP share: libcurl's global
// set-up, the TLS options (system store, an extra CA file, or the certificate the user
// trusted for this server), time limits, proxy handling, the verbose log, and the one
// mapping of libcurl's results to failures and texts.
class CurlSession {
  Q_DECLARE_TR_FUNCTIONS(CurlSession)

 public:
  explicit CurlSession(MailEndpoint endpoint);
  ~CurlSession();
  CurlSession(const CurlSession&) = delete;
  CurlSession& operator=(const CurlSession&) = delete;

  // libcurl's global initialisation, done once per process.
  static bool GlobalInit();

  // nullptr when libcurl could not be initialised.
  CURL* Handle() const { return m_curl; }
  const MailEndpoint& Endpoint() const { return m_endpoint; }
  // The public-key pin of the certificate the user trusted for this server, if any.
  const std::optional<QString>& Pin() const { return m_pin; }

  // Sets the shared options (again after curl_easy_reset): the URL, TLS and
  // verification, time limits, no signals, the error buffer, and the conversation to
  // `debug` when given.
  void Configure(const QByteArray& url, curl_debug_callback debug = nullptr, void* debugData = nullptr);

  static CurlFailure Classify(CURLcode code);
  // What went wrong, for the user: libcurl's own words for this transfer, or for a
  // certificate other than the trusted one, a message that names the server.
  QString ErrorText(CURLcode code) const;
  // Clears libcurl's error text before the next transfer.
  void ClearError() { m_errorBuffer[0] = '\0'; }

 private:
  MailEndpoint m_endpoint;
  CURL* m_curl = nullptr;
  std::optional<QString> m_pin;
  QByteArray m_url;  // kept alive for libcurl
  QByteArray m_caFile;
  QByteArray m_pinBytes;
  char m_errorBuffer[CURL_ERROR_SIZE] = {};
};

// "The certificate of the server HOST:PORT has changed ..." with how to trust the new one.
QString CertificateChangedText(const QString& server);

}  // namespace kolt

#include "exchange/mail/CurlSession.h"

#include <QFile>
#include <algorithm>
#include <mutex>
#include <utility>

#include "exchange/mail/TrustedCertificates.h"

namespace kolt {

QString MailEndpoint::Name() const {
  QString name = host.trimmed();
  if (name.contains(QChar(':')) && !name.startsWith(QChar('['))) name = QChar('[') + name + QChar(']');
  return name + QChar(':') + QString::number(port);
}

QByteArray MailEndpoint::Url(const QByteArray& path) const {
  return scheme.toLatin1() + (tls == Tls::Implicit ? "s" : "") + "://" + Name().toUtf8() + '/' + path;
}

CurlSession::CurlSession(MailEndpoint endpoint) : m_endpoint(std::move(endpoint)) {
  if (GlobalInit()) m_curl = curl_easy_init();
  if (m_endpoint.tls != MailEndpoint::Tls::None) {
    if (const std::optional<ServerCertificate> trusted = TrustedCertificates::Find(m_endpoint.Name()))
      m_pin = trusted->pin;
  }
  m_caFile = QFile::encodeName(m_endpoint.caFile);
  if (m_pin) m_pinBytes = m_pin->toLatin1();
}

CurlSession::~CurlSession() {
  if (m_curl) curl_easy_cleanup(m_curl);
}

bool CurlSession::GlobalInit() {
  static std::once_flag once;
  static CURLcode result = CURLE_OK;
  std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
  return result == CURLE_OK;
}

void CurlSession::Configure(const QByteArray& url, curl_debug_callback debug, void* debugData) {
  CURL* c = m_curl;
  if (!c) return;
  m_url = url;
  ClearError();
  curl_easy_setopt(c, CURLOPT_URL, m_url.constData());
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, m_errorBuffer);
  curl_easy_setopt(
      c, CURLOPT_USE_SSL,
      static_cast<long>(m_endpoint.tls == MailEndpoint::Tls::StartTls ? CURLUSESSL_ALL : CURLUSESSL_NONE));
  if (m_pin) {
    // The certificate the user trusted for this server, and only that one: libcurl
    // compares its public key during the handshake, before a password or a message goes
    // out. No chain or name check: such a certificate is usually self-signed, or made
    // for a name other than the one the user typed.
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(c, CURLOPT_PINNEDPUBLICKEY, m_pinBytes.constData());
  } else {
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_CAINFO, m_caFile.isEmpty() ? nullptr : m_caFile.constData());
  }
  // A proxy from the environment (all_proxy) is used as the desktop set it; an HTTP one
  // can carry mail only as a tunnel.
  curl_easy_setopt(c, CURLOPT_HTTPPROXYTUNNEL, 1L);
  const long limit = std::max(1, m_endpoint.responseTimeout);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, std::min(limit, 30L));
  // A server that stops answering must not hold the transfer for ever: neither while
  // data flows nor while an answer is awaited.
  curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, limit);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, limit);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  if (debug) {
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, debug);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, debugData);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
  }
}

CurlFailure CurlSession::Classify(CURLcode code) {
  switch (code) {
    case CURLE_OK:
      return CurlFailure::None;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return CurlFailure::HostNotFound;
    case CURLE_COULDNT_CONNECT:
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
      return CurlFailure::Connection;
    case CURLE_OPERATION_TIMEDOUT:
      return CurlFailure::Timeout;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CLIENTCERT:
      return CurlFailure::Tls;
    case CURLE_USE_SSL_FAILED:
      return CurlFailure::StartTlsRefused;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CRL_BADFILE:
      return CurlFailure::Certificate;
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
      return CurlFailure::CertificateChanged;
    case CURLE_LOGIN_DENIED:
    case CURLE_AUTH_ERROR:
      return CurlFailure::Login;
    case CURLE_SEND_ERROR:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_QUOTE_ERROR:
    case CURLE_REMOTE_FILE_NOT_FOUND:
      return CurlFailure::Refused;
    case CURLE_ABORTED_BY_CALLBACK:
      return CurlFailure::Cancelled;
    default:
      return CurlFailure::Other;
  }
}

QString CurlSession::ErrorText(CURLcode code) const {
  if (code == CURLE_SSL_PINNEDPUBKEYNOTMATCH) return CertificateChangedText(m_endpoint.Name());
  return QString::fromUtf8(m_errorBuffer[0] ? m_errorBuffer : curl_easy_strerror(code));
}

QString CertificateChangedText(const QString& server) {
  return CurlSession::
      tr("The certificate of the server %1 has changed since you trusted it, so nothing was sent. Someone "
         "may be listening in, or the server got a new certificate. If you expect the change, open Options "
         "> Sending e-mail, press Test on the page of this server, compare the new certificate with what "
         "your provider publishes and choose \"Trust this certificate\".")
          .arg(server);
}

}  // namespace kolt

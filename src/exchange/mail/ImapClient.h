#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>

#include "core/AppSettings.h"

class QFile;

namespace kolt {

class CurlSession;
struct MailEndpoint;

// The account a mailbox check logs in to.
struct ImapAccount {
  QString host;
  int port = kDefaultImapsPort;
  ImapSecurity security = ImapSecurity::Tls;
  QString user;
  QString password;
  QString caFile;  // extra trusted certificates; empty: the system store
  // Seconds a silent server is waited for.
  int responseTimeout = 60;

  MailEndpoint Endpoint() const;
};

// What a failed command ran into, as far as the user can do something about it.
enum class ImapFailure {
  None,
  HostNotFound,
  Connection,  // nothing answered on the port, or the connection broke
  Timeout,
  Tls,                 // the TLS handshake failed, or STARTTLS was not offered
  Certificate,         // the server's certificate could not be verified
  CertificateChanged,  // not the certificate the user trusted for this server
  Login,               // the server refused the user name or password
  Folder,              // no such folder, or the server refused the command on it
  TooLarge,            // a message was larger than allowed
  Cancelled,
  Other,
};

// An IMAP conversation through libcurl on the calling thread, one login kept for all
// commands of the object. Every command blocks until the server answered, the time
// limit passed or the cancel flag was raised; a worker thread keeps a window alive.
// Certificates are always verified, against the system store or, for a server whose
// certificate the user trusted, against that certificate.
class ImapClient {
  Q_DECLARE_TR_FUNCTIONS(ImapClient)

 public:
  explicit ImapClient(const ImapAccount& account);
  ~ImapClient();
  ImapClient(const ImapClient&) = delete;
  ImapClient& operator=(const ImapClient&) = delete;

  // Raised from another thread, stops the command under way (and every later one).
  void SetCancelFlag(const std::atomic<bool>* flag) { m_cancel = flag; }

  // UIDVALIDITY of `folder` (STATUS); also proves the login.
  bool UidValidity(const QString& folder, quint32* validity);
  // UID SEARCH `criteria` in `folder`, in ascending order.
  bool Search(const QString& folder, const QString& criteria, QList<quint32>* uids);
  // RFC822.SIZE of each of `uids` still in the folder.
  bool Sizes(const QString& folder, const QList<quint32>& uids, QMap<quint32, qint64>* sizes);
  // The whole message. The server marks it as read; SetSeen(false) undoes that. Fails
  // with TooLarge as soon as more than `maxBytes` came in, and when the folder's
  // UIDVALIDITY is no longer `validity`.
  bool Fetch(const QString& folder, quint32 validity, quint32 uid, qint64 maxBytes, QByteArray* message);
  // The same appended to `file` (open for writing, at its end), so a large message never
  // sits in memory. A failed fetch leaves the file as it found it.
  bool FetchToFile(const QString& folder, quint32 validity, quint32 uid, qint64 maxBytes, QFile* file);
  // Sets or clears the read mark. Clearing it undoes what a fetch did, so it runs even
  // after the cancel flag was raised: a cancelled check must not leave turns read.
  bool SetSeen(const QString& folder, quint32 uid, bool seen);
  bool SetSeen(const QString& folder, const QList<quint32>& uids, bool seen);
  // The server's capabilities, upper case (CAPABILITY; asked once per client).
  bool Capabilities(QStringList* capabilities);
  // A folder as LIST names it.
  struct Folder {
    QString name;
    QString separator;  // empty: the server has no hierarchy
  };
  // LIST "" `pattern`.
  bool List(const QString& pattern, QList<Folder>* folders);
  // Marks the message read and moves it into `target`: MOVE where the server announces
  // it, else COPY, \Deleted and UID EXPUNGE (EXPUNGE without UIDPLUS).
  bool Move(const QString& folder, quint32 uid, const QString& target);

  ImapFailure Failure() const { return m_failure; }
  // What went wrong, for a message to the user.
  QString Error() const { return m_error; }

  // An IMAP quoted string: backslash and double quote escaped.
  static QByteArray Quoted(const QString& text);
  // The URL of the account, with `folder` when not empty (percent-encoded).
  QByteArray Url(const QString& folder) const;
  // The numbers an untagged `* SEARCH` answer lists.
  static QList<quint32> ParseSearch(const QByteArray& response);
  // The sizes of `* n FETCH (UID u RFC822.SIZE s)` answers.
  static QMap<quint32, qint64> ParseSizes(const QByteArray& response);
  // The folders of `* LIST (...) "sep" name` answers.
  static QList<Folder> ParseList(const QByteArray& response);
  // A text for the user on what to check after a failure; empty when there is nothing.
  static QString Advice(ImapFailure failure);

 private:
  bool Command(const QString& folder, const QByteArray& command, QByteArray* response,
               bool cancellable = true);
  struct Sink;
  bool Perform(const QByteArray& url, const QByteArray& custom, Sink& sink, bool cancellable);

  std::unique_ptr<CurlSession> m_session;
  ImapAccount m_account;
  const std::atomic<bool>* m_cancel = nullptr;
  ImapFailure m_failure = ImapFailure::None;
  QString m_error;
  std::optional<QStringList> m_capabilities;
};

}  // namespace kolt

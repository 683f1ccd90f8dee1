#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

namespace kolt::test {

// A real IMAP server (Dovecot) on 127.0.0.1, started for one test from a configuration
// in a short temporary folder: one user with a password from a passwd-file, Maildir
// storage, a plain port (STARTTLS offered) and a TLS port with `certificate`/`key`.
// Messages are delivered by writing them into Maildir(); the SMTP test server does that
// with --maildir.
class DovecotTestServer {
 public:
  DovecotTestServer(const QString& user, const QString& password, const QString& certificate,
                    const QString& key)
      : m_dir(QStringLiteral("/tmp/kd-XXXXXX")) {
    const QString d = m_dir.path();
    ::chmod(QFile::encodeName(d).constData(), 0755);  // the mail processes must reach the Maildir
    QDir().mkpath(d + QStringLiteral("/run"));
    QDir().mkpath(d + QStringLiteral("/state"));
    for (const char* sub :
         {"home", "home/Maildir", "home/Maildir/cur", "home/Maildir/new", "home/Maildir/tmp"})
      if (!MailFolder(d + QChar('/') + QString::fromLatin1(sub))) return;
    QFile::copy(certificate, d + QStringLiteral("/cert.pem"));
    QFile::copy(key, d + QStringLiteral("/key.pem"));
    Write(d + QStringLiteral("/passwd"), (user + QStringLiteral(":{PLAIN}") + password +
                                          QStringLiteral("::::") + d + QStringLiteral("/home::\n"))
                                             .toUtf8());
    ::chmod(QFile::encodeName(d + QStringLiteral("/passwd")).constData(), 0644);
    for (int attempt = 0; attempt < 20 && !m_ok; ++attempt) {
      m_plainPort = 20000 + static_cast<int>(QRandomGenerator::global()->bounded(12000));
      m_tlsPort = m_plainPort + 1;
      WriteConfig();
      if (!Restart()) {  // a port in use, say: dovecot ends at once with 89
        m_output += QString::fromUtf8(m_process.readAll());
        Stop();
      }
    }
  }
  ~DovecotTestServer() { Stop(); }
  DovecotTestServer(const DovecotTestServer&) = delete;
  DovecotTestServer& operator=(const DovecotTestServer&) = delete;

  void Stop() {
    if (m_process.state() != QProcess::NotRunning) {
      m_process.kill();
      m_process.waitForFinished(5000);
    }
    m_ok = false;
  }
  // Restarts the server with `lines` added to its configuration (say, a capability list
  // without MOVE, as servers without it announce).
  bool Reconfigure(const QString& lines) {
    Stop();
    m_extra = lines;
    WriteConfig();
    return Restart();
  }
  // Starts the stopped server again on the same ports, with the same mailbox.
  bool Restart() {
    if (m_process.state() != QProcess::NotRunning) return m_ok;
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral("/usr/sbin/dovecot"), {QStringLiteral("-F"), QStringLiteral("-c"),
                                                          m_dir.path() + QStringLiteral("/dovecot.conf")});
    if (!m_process.waitForStarted(10000)) return false;
    for (int i = 0; i < 400 && !m_ok && m_process.state() == QProcess::Running; ++i) {
      m_ok = Accepts(m_tlsPort);
      if (!m_ok) QThread::msleep(25);
    }
    return m_ok;
  }
  // Restarts the server with another certificate, as after a renewal.
  bool ReplaceCertificate(const QString& certificate, const QString& key) {
    Stop();
    const QString d = m_dir.path();
    QFile::remove(d + QStringLiteral("/cert.pem"));
    QFile::remove(d + QStringLiteral("/key.pem"));
    if (!QFile::copy(certificate, d + QStringLiteral("/cert.pem")) ||
        !QFile::copy(key, d + QStringLiteral("/key.pem")))
      return false;
    return Restart();
  }
  bool Ok() const { return m_ok; }
  int PlainPort() const { return m_plainPort; }
  int TlsPort() const { return m_tlsPort; }
  QString Maildir() const { return m_dir.path() + QStringLiteral("/home/Maildir"); }
  QString Log() {
    QFile f(m_dir.path() + QStringLiteral("/log"));
    f.open(QIODevice::ReadOnly);
    return m_output + QString::fromUtf8(m_process.readAll()) + QString::fromUtf8(f.readAll());
  }
  // A folder beside INBOX (Maildir++: ".NAME"), owned by whoever the mail processes are.
  bool AddFolder(const QString& name) {
    const QString folder = Maildir() + QStringLiteral("/.") + name;
    return MailFolder(folder) && MailFolder(folder + QStringLiteral("/cur")) &&
           MailFolder(folder + QStringLiteral("/new")) && MailFolder(folder + QStringLiteral("/tmp"));
  }
  // The messages in the Maildir and whether each was read: name -> flags after ":2,".
  QStringList Files(const QString& sub) const {
    return QDir(Maildir() + QChar('/') + sub).entryList(QDir::Files);
  }

  static bool Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
  }

 private:
  static bool Accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
  }
  // A folder the mail processes may write: theirs when they run as nobody under root.
  static bool MailFolder(const QString& path) {
    return QDir().mkpath(path) &&
           (::geteuid() != 0 || ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
  }
  void WriteConfig() {
    const QString d = m_dir.path();
    QString c;
    c += QStringLiteral("instance_name = kolt-test-%1\n").arg(QFileInfo(d).fileName());
    c += QStringLiteral("base_dir = %1/run\nstate_dir = %1/state\nlog_path = %1/log\n").arg(d);
    c += QStringLiteral("listen = 127.0.0.1\nprotocols = imap\n");
    c += QStringLiteral("ssl = yes\nssl_cert = <%1/cert.pem\nssl_key = <%1/key.pem\n").arg(d);
    c += QStringLiteral(
        "disable_plaintext_auth = no\nauth_mechanisms = plain login\nauth_failure_delay = 0\n");
    c += QStringLiteral(
             "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN username_format=%u %1/passwd\n}\n")
             .arg(d);
    c +=
        QStringLiteral("userdb {\n  driver = passwd-file\n  args = username_format=%u %1/passwd\n}\n").arg(d);
    c += QStringLiteral("mail_location = maildir:~/Maildir\n");
    c += QStringLiteral(
             "service imap-login {\n  inet_listener imap {\n    port = %1\n  }\n  inet_listener imaps {\n"
             "    port = %2\n    ssl = yes\n  }\n")
             .arg(m_plainPort)
             .arg(m_tlsPort);
    if (::geteuid() == 0) {
      c += QStringLiteral("}\ndefault_login_user = dovenull\ndefault_internal_user = dovecot\n");
      c += QStringLiteral("mail_uid = 65534\nmail_gid = 65534\nfirst_valid_uid = 1\n");
    } else {
      const QString me = qEnvironmentVariable("USER", QStringLiteral("nobody"));
      c += QStringLiteral("  chroot =\n}\nservice anvil {\n  chroot =\n}\nservice ipc {\n  chroot =\n}\n");
      c +=
          QStringLiteral("default_login_user = %1\ndefault_internal_user = %1\ndefault_internal_group = %1\n")
              .arg(me);
    }
    c += m_extra;
    Write(d + QStringLiteral("/dovecot.conf"), c.toUtf8());
  }

  QTemporaryDir m_dir;
  QProcess m_process;
  QString m_output;
  QString m_extra;
  int m_plainPort = 0;
  int m_tlsPort = 0;
  bool m_ok = false;
};

}  // namespace kolt::test

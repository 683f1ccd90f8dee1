#pragma once

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace kolt::test {

// A real SMTP server on 127.0.0.1 (aiosmtpd under Debian's python3), started for one
// test. Every delivered message is saved as JSON: the envelope and the message as
// Python's email package parses it.
class SmtpTestServer {
 public:
  // `arguments`: --mode plain|starttls|tls, --cert/--key, --auth user:password,
  // --exclude-mech NAME, --hold-data SECONDS, --host ADDRESS (::1 for IPv6),
  // --refuse-sender ADDRESS, --refuse-rcpt ADDRESS, --maildir FOLDER (also deliver there).
  explicit SmtpTestServer(const QStringList& arguments = {}) {
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setReadChannel(QProcess::StandardOutput);
    m_process.start(
        QStringLiteral("/usr/bin/python3"),
        QStringList{QStringLiteral(SMTP_SERVER_SCRIPT), QStringLiteral("--dir"), m_dir.path()} + arguments);
    if (!m_process.waitForStarted(10000)) return;
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    m_port = QString::fromLatin1(m_process.readLine()).trimmed().toInt();
  }
  ~SmtpTestServer() {
    m_process.closeWriteChannel();  // the server stops when its stdin closes
    if (!m_process.waitForFinished(5000)) {
      m_process.kill();
      m_process.waitForFinished(2000);
    }
  }
  SmtpTestServer(const SmtpTestServer&) = delete;
  SmtpTestServer& operator=(const SmtpTestServer&) = delete;

  int Port() const { return m_port; }
  // Where the server keeps its files ("holding" appears there while it holds an answer).
  QString Folder() const { return m_dir.path(); }
  QString Errors() { return QString::fromUtf8(m_process.readAllStandardError()); }

  std::vector<QJsonObject> Messages() const {
    std::vector<QJsonObject> list;
    const QStringList names =
        QDir(m_dir.path()).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
      QFile f(m_dir.filePath(name));
      if (f.open(QIODevice::ReadOnly)) list.push_back(QJsonDocument::fromJson(f.readAll()).object());
    }
    return list;
  }

 private:
  QTemporaryDir m_dir;
  QProcess m_process;
  int m_port = 0;
};

// A self-signed certificate for 127.0.0.1, made with openssl once per test run.
class TestCertificate {
 public:
  TestCertificate() {
    QProcess p;
    p.start(QStringLiteral("openssl"),
            QStringLiteral("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 "
                           "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1")
                    .split(QChar(' ')) +
                QStringList{QStringLiteral("-keyout"), Key(), QStringLiteral("-out"), Cert()});
    m_ok = p.waitForFinished(30000) && p.exitCode() == 0 && QFile::exists(Cert());
  }
  bool Ok() const { return m_ok; }
  QString Cert() const { return m_dir.filePath(QStringLiteral("cert.pem")); }
  QString Key() const { return m_dir.filePath(QStringLiteral("key.pem")); }
  QStringList ServerArguments(const QString& mode) const {
    return {QStringLiteral("--mode"), mode, QStringLiteral("--cert"), Cert(), QStringLiteral("--key"), Key()};
  }

 private:
  QTemporaryDir m_dir;
  bool m_ok = false;
};

// The certificate the tests of one run share.
inline TestCertificate& Certificate() {
  static TestCertificate certificate;
  return certificate;
}

}  // namespace kolt::test

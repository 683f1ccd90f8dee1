#pragma once

// A home set up to send through a local SMTP server with the real mailer, and the
// settings and messages the mail tests share.
#include <gtest/gtest.h>

#include <QDir>
#include <memory>

#include "core/Settings.h"
#include "core/Startup.h"
#include "exchange/mail/FilePasswordStore.h"
#include "exchange/mail/Mailer.h"
#include "exchange/mail/SmtpSender.h"
#include "mail/RecordingProgress.h"
#include "mail/SmtpTestServer.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

namespace kolt::test {

// The settings of a plain SMTP account on `server` (a name, with its port if any) whose
// own address is `address`.
inline void UseSmtp(const QString& server, const QString& address) {
  IniWrite("E-Mail", "Mode", "SMTP");
  IniWrite("E-Mail", "SMTP_Server", server);
  IniWrite("E-Mail", "SMTP_Security", "NONE");
  IniWrite("E-Mail", "Address", address);
  IniWrite("E-Mail", "From", address);
}

// The transport's view of a server on 127.0.0.1.
inline SmtpServer LocalSmtp(int port, SmtpSecurity security = SmtpSecurity::None) {
  SmtpServer s;
  s.host = QStringLiteral("127.0.0.1");
  s.port = port;
  s.security = security;
  s.responseTimeout = 20;
  return s;
}

inline SmtpMessage ShortMessage(const QString& from, const QStringList& to) {
  SmtpMessage m;
  m.envelopeFrom = from;
  m.recipients = to;
  m.subject = QStringLiteral("KOLT test");
  m.body = QStringLiteral("hello\r\n");
  return m;
}

class SmtpHome : public ::testing::Test {
 protected:
  void SetUp() override {
    App().homeFolder = home.Path();
    App().instanceFolder = home.File(QStringLiteral("0"));
    QDir().mkpath(App().instanceFolder);
    qunsetenv("KOLT_SMTP_CAINFO");
    UseSmtp("127.0.0.1", "account@example.com");
    IniWrite("E-Mail", "From", "Me@Example.com");
  }
  void TearDown() override {
    qunsetenv("KOLT_SMTP_CAINFO");
    App().homeFolder.clear();
    App().instanceFolder.clear();
  }
  void UsePort(int port) { IniWrite("E-Mail", "SMTP_Port", QString::number(port)); }
  // Starts a server for the test (in place of the one before) and sends to its port.
  SmtpTestServer& Serve(const QStringList& arguments = {}) {
    smtp.reset();
    smtp = std::make_unique<SmtpTestServer>(arguments);
    EXPECT_GT(smtp->Port(), 0) << smtp->Errors().toStdString();
    UsePort(smtp->Port());
    return *smtp;
  }
  void TrustTestCertificate() { qputenv("KOLT_SMTP_CAINFO", QFile::encodeName(Certificate().Cert())); }
  QString Attachment(const QString& name, const QByteArray& bytes) {
    const QString path = home.File(QStringLiteral("out/") + name);
    WriteFile(path, bytes);
    return path;
  }
  bool Send(const QString& address, const QString& subject = QStringLiteral("s"),
            const QString& body = QStringLiteral("b"), const QStringList& attachments = {},
            bool allowSelf = false) {
    Mailer mailer(ui, &progress, &passwords);
    return mailer.SendMail(address, subject, body, attachments, allowSelf, false);
  }
  QString Log() const { return progress.lines.join(QChar('\n')); }
  std::string Boxes() const { return ui.Texts().join(QChar('|')).toStdString(); }

  TempHome home;
  ScriptedUi ui;
  RecordingProgress progress;
  FilePasswordStore passwords;
  std::unique_ptr<SmtpTestServer> smtp;
};

}  // namespace kolt::test

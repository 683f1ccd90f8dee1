// A certificate the user trusted from the settings dialog: refused while untrusted (with
// what the user needs to decide), accepted once trusted, refused again when the server
// shows another one. On a real Dovecot and a real SMTP server with self-signed
// certificates, and through the real kolt-cli (its test-mail command's output too).
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "core/Settings.h"
#include "exchange/mail/CurlSession.h"
#include "exchange/mail/ImapClient.h"
#include "exchange/mail/ServerCertificate.h"
#include "exchange/mail/SmtpSender.h"
#include "exchange/mail/TrustedCertificates.h"
#include "mail/DovecotTestServer.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpHome.h"
#include "support/RunCli.h"

using namespace kolt;
using namespace kolt::test;

namespace {

QString Shell(const QString& script, const QString& argument) {
  QProcess p;
  p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, argument});
  EXPECT_TRUE(p.waitForFinished(30000));
  return QString::fromLatin1(p.readAllStandardOutput()).trimmed();
}

// What openssl says of the certificate file: the SHA-256 of the whole certificate and
// the sha256// pin of its public key.
QString OpensslFingerprint(const QString& cert) {
  const QString line = Shell(QStringLiteral("openssl x509 -in \"$0\" -noout -fingerprint -sha256"), cert);
  return line.mid(line.indexOf(QChar('=')) + 1);
}
QString OpensslPin(const QString& cert) {
  return QStringLiteral("sha256//") +
         Shell(QStringLiteral("openssl x509 -in \"$0\" -pubkey -noout | openssl pkey -pubin -outform der | "
                              "openssl dgst -sha256 -binary | base64"),
               cert);
}

ImapAccount Account(const DovecotTestServer& imap) {
  ImapAccount a;
  a.host = QStringLiteral("127.0.0.1");
  a.port = imap.TlsPort();
  a.security = ImapSecurity::Tls;
  a.user = QStringLiteral("me@home.net");
  a.password = QStringLiteral("inbox-secret");
  a.responseTimeout = 20;
  return a;
}

// Two certificates for 127.0.0.1: the one a server shows first and the one after a renewal.
class TrustedCertificate : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(first.Ok() && second.Ok()); }

  TempHome home;
  TestCertificate first;
  TestCertificate second;
};

TEST_F(TrustedCertificate, ImapUntrustedThenTrustedThenChanged) {
  DovecotTestServer imap("me@home.net", "inbox-secret", first.Cert(), first.Key());
  ASSERT_TRUE(imap.Ok()) << imap.Log().toStdString();
  const ImapAccount account = Account(imap);
  const QString server = "127.0.0.1:" + QString::number(imap.TlsPort());
  quint32 validity = 0;
  {
    ImapClient client(account);
    EXPECT_FALSE(client.UidValidity("INBOX", &validity));
    EXPECT_EQ(client.Failure(), ImapFailure::Certificate) << client.Error().toStdString();
  }

  // What the settings dialog shows, fetched without a login.
  QString error;
  const std::optional<ServerCertificate> shown = ServerCertificate::Fetch(account.Endpoint(), &error);
  ASSERT_TRUE(shown) << error.toStdString();
  EXPECT_EQ(shown->fingerprint, OpensslFingerprint(first.Cert()));
  EXPECT_EQ(shown->pin, OpensslPin(first.Cert()));
  EXPECT_TRUE(shown->subject.contains("127.0.0.1")) << shown->subject.toStdString();
  EXPECT_GT(shown->expires, QDateTime::currentDateTimeUtc().addDays(1));
  EXPECT_LT(shown->expires, QDateTime::currentDateTimeUtc().addDays(3));
  EXPECT_FALSE(imap.Log().contains("user=<me@home.net>")) << imap.Log().toStdString();
  // The same certificate after STARTTLS on the plain port.
  ImapAccount startTls = account;
  startTls.security = ImapSecurity::StartTls;
  startTls.port = imap.PlainPort();
  const std::optional<ServerCertificate> upgraded = ServerCertificate::Fetch(startTls.Endpoint(), &error);
  ASSERT_TRUE(upgraded) << error.toStdString();
  EXPECT_EQ(upgraded->fingerprint, shown->fingerprint);

  ASSERT_TRUE(TrustedCertificates::Trust(server, *shown));
  {
    ImapClient client(account);
    EXPECT_TRUE(client.UidValidity("INBOX", &validity)) << client.Error().toStdString();
  }

  ASSERT_TRUE(imap.ReplaceCertificate(second.Cert(), second.Key())) << imap.Log().toStdString();
  ImapClient client(account);
  EXPECT_FALSE(client.UidValidity("INBOX", &validity));
  EXPECT_EQ(client.Failure(), ImapFailure::CertificateChanged);
  EXPECT_EQ(client.Error(), CertificateChangedText(server));
  EXPECT_TRUE(client.Error().contains("The certificate of the server " + server + " has changed"));
  EXPECT_TRUE(client.Error().contains("\"Trust this certificate\""));
}

// The same over STARTTLS, for the send, the settings dialog's check and kolt-cli.
TEST_F(TrustedCertificate, SmtpUntrustedThenTrustedThenChanged) {
  SmtpTestServer smtp(first.ServerArguments("starttls"));
  ASSERT_GT(smtp.Port(), 0) << smtp.Errors().toStdString();
  const SmtpServer server = LocalSmtp(smtp.Port(), SmtpSecurity::StartTls);
  const SmtpMessage message = ShortMessage("me@home.net", {"you@home.net"});
  const QString name = "127.0.0.1:" + QString::number(smtp.Port());
  ScriptedUi ui;

  SmtpResult result = SendSmtpMessage(server, message, ui, nullptr);
  EXPECT_EQ(result.failure, SmtpFailure::Certificate) << result.error.toStdString();
  EXPECT_EQ(CheckSmtpServer(server).failure, SmtpFailure::Certificate);
  QString error;
  const std::optional<ServerCertificate> shown = ServerCertificate::Fetch(SmtpEndpoint(server), &error);
  ASSERT_TRUE(shown) << error.toStdString();
  EXPECT_EQ(shown->pin, OpensslPin(first.Cert()));
  EXPECT_TRUE(smtp.Messages().empty());

  ASSERT_TRUE(TrustedCertificates::Trust(name, *shown));
  EXPECT_EQ(CheckSmtpServer(server).code, 0);
  result = SendSmtpMessage(server, message, ui, nullptr);
  EXPECT_EQ(result.code, 0) << result.error.toStdString();
  ASSERT_EQ(smtp.Messages().size(), 1u);
  EXPECT_TRUE(smtp.Messages()[0]["tls"].toBool());

  UseSmtp(name, "me@home.net");
  IniWrite("E-Mail", "SMTP_Security", "STARTTLS");
  // kolt-cli says on stdout where the message went, and a failure on stderr only.
  CliResult cli = RunCli(KOLT_CLI, {"--yes", "test-mail"});
  EXPECT_EQ(cli.exitCode, 0) << cli.err.toStdString();
  EXPECT_EQ(cli.out,
            "The test message was sent to me@home.net. When it arrives, open its attachment TEST.KLT with "
            "KOLT Helper.\n");
  EXPECT_EQ(smtp.Messages().size(), 2u);

  // Another certificate trusted for this server: the one it shows is refused.
  const std::optional<ServerCertificate> changed =
      ServerCertificate::FromPem(ReadFile(second.Cert()), "CN=test", "CN=test");
  ASSERT_TRUE(changed);
  ASSERT_TRUE(TrustedCertificates::Trust(name, *changed));
  result = SendSmtpMessage(server, message, ui, nullptr);
  EXPECT_EQ(result.failure, SmtpFailure::CertificateChanged) << result.error.toStdString();
  EXPECT_EQ(SmtpFailureAdvice(result), CertificateChangedText(name));
  cli = RunCli(KOLT_CLI, {"--yes", "test-mail"});
  EXPECT_EQ(cli.exitCode, 1);
  EXPECT_TRUE(cli.out.isEmpty()) << cli.out.toStdString();
  EXPECT_TRUE(cli.err.contains("Sending e-mail via SMTP (libcurl) failed: ")) << cli.err.toStdString();
  EXPECT_TRUE(cli.err.contains("The certificate of the server " + name + " has changed"));
  EXPECT_EQ(smtp.Messages().size(), 2u);
}

// The certificate comes from the server before anything is checked: a cut or damaged
// one is refused, never read past its end; a damaged pin in the file is ignored rather
// than refusing every connection.
TEST_F(TrustedCertificate, RefusesDamagedCertificatesAndPins) {
  const QByteArray pem = ReadFile(first.Cert());
  const QByteArray der = QByteArray::fromBase64(pem.mid(27, pem.indexOf("-----END") - 27).simplified());
  ASSERT_TRUE(ServerCertificate::FromPem(pem, {}, {}));
  const auto asPem = [](const QByteArray& bytes) {
    return "-----BEGIN CERTIFICATE-----\n" + bytes.toBase64() + "\n-----END CERTIFICATE-----\n";
  };
  for (qsizetype n = 0; n < der.size(); ++n)
    EXPECT_FALSE(ServerCertificate::FromPem(asPem(der.left(n)), {}, {})) << n;
  QByteArray huge = der;
  huge[1] = static_cast<char>(0x84);  // a length of four bytes, far past the end
  EXPECT_FALSE(ServerCertificate::FromPem(asPem(huge), {}, {}));
  EXPECT_FALSE(ServerCertificate::FromPem("not a certificate", {}, {}));

  WriteFile(TrustedCertificates::Path(), R"({"a:1": {"pin": "sha256//short"},
      "b:2": {"pin": "sha256//AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=;sha256//x"}})");
  EXPECT_FALSE(TrustedCertificates::Find("a:1"));
  EXPECT_FALSE(TrustedCertificates::Find("b:2"));
  ServerCertificate c = *ServerCertificate::FromPem(pem, "CN=x", "CN=y");
  ASSERT_TRUE(TrustedCertificates::Trust("Mail.Example:993", c));
  ASSERT_TRUE(TrustedCertificates::Find("mail.example:993"));
  EXPECT_EQ(TrustedCertificates::Find("mail.example:993")->fingerprint, c.fingerprint);
  EXPECT_FALSE(TrustedCertificates::Find("mail.example:143"));
}

}  // namespace

// kolt-cli test-mail, the real binary against a real SMTP server on 127.0.0.1.
#include <gtest/gtest.h>

#include "mail/QtPrinters.h"

#include <QJsonArray>

#include "mail/SmtpHome.h"
#include "support/RunCli.h"

using namespace kolt;
using namespace kolt::test;

namespace {

TEST(CliTestMail, SaysOnStdoutWhereTheMessageWentAndWhyNot) {
  TempHome home;
  SmtpTestServer server;
  ASSERT_GT(server.Port(), 0) << server.Errors().toStdString();
  UseSmtp("127.0.0.1:" + QString::number(server.Port()), "me@example.com");

  CliResult r = RunCli(KOLT_CLI, {"--yes", "test-mail"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out,
            "The test message was sent to me@example.com. When it arrives, open its attachment TEST.KLT with "
            "KOLT Helper.\n");
  ASSERT_EQ(server.Messages().size(), 1u);
  EXPECT_EQ(server.Messages()[0]["rcpt_tos"].toArray(), QJsonArray({"me@example.com"}));

  // A failure goes to stderr with its advice; stdout stays empty.
  IniWrite("E-Mail", "SMTP_Server", "no-such-host.invalid");
  r = RunCli(KOLT_CLI, {"--yes", "test-mail"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
  EXPECT_TRUE(r.err.contains("Sending e-mail via SMTP (libcurl) failed: 6")) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("Check the SMTP server name under Options > Sending e-mail."))
      << r.err.toStdString();
}

}  // namespace

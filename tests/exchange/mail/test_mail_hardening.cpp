// What a hostile peer or a stuck server can do to a send: addresses that carry SMTP
// parameters or extra recipients, lists too long for the settings, a server that never
// answers the end of the message, and Ctrl+C on the terminal.
#include <gtest/gtest.h>

#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QProcess>

#include "exchange/mail/MailText.h"
#include "exchange/turns/SenderRecord.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpHome.h"
#include "support/OneBox.h"
#include "support/WaitFor.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString kInjection = "opponent@example.org> NOTIFY=NEVER ORCPT=rfc822;x@y; spy@third.example";

// 24 valid addresses separated by ';': 287 characters.
QString LongList() {
  QStringList list;
  for (int i = 10; i < 34; ++i) list.append("user" + QString::number(i) + "@e.ch");
  return list.join(";");
}

TEST(AddressList, AcceptsMailboxesAndRefusesWhatCouldReachTheEnvelopeAsSomethingElse) {
  for (const QString& ok : {QString("a@b.example"), QString("ivan@example.org; Olga.K+pbem@mail.example.ru"),
                            QString("  x@y  ;\tz@w.example "), QString("user@[192.0.2.1]")}) {
    EXPECT_EQ(AddressListProblem(ok), std::nullopt) << ok.toStdString();
  }
  // 255 characters fit, 256 do not.
  const QString list255 = QString(60, 'a') + "@example.org;" + QString(60, 'b') + "@example.org;" +
                          QString(60, 'c') + "@example.org;" + QString(30, 'd') + "@e.org";
  ASSERT_EQ(list255.size(), 255);
  EXPECT_EQ(AddressListProblem(list255), std::nullopt);
  EXPECT_TRUE(AddressListProblem(list255 + "x").has_value());

  const struct {
    QString text, reason;
  } cases[] = {
      {kInjection, "\"opponent@example.org> NOTIFY=NEVER ORCPT=rfc822\" is not an e-mail address."},
      {"a@b.example\r\nRCPT TO:<evil@example.org>", "is not an e-mail address"},
      {"a@b.example\nb@c.example", "is not an e-mail address"},
      {"<a@b.example>", "is not an e-mail address"},
      {"a@b.example>", "is not an e-mail address"},
      {"Ivan <ivan@example.org>", "is not an e-mail address"},
      {"iv an@example.org", "is not an e-mail address"},
      {"a@b.example, c@d.example", "is not an e-mail address"},
      {"\"ivan\"@example.org", "is not an e-mail address"},
      {"ivan@exa\u200Emple.org", "is not an e-mail address"},  // an invisible mark
      {"ivan", "is not an e-mail address"},
      {"a@b.example;;c@d.example", "has an empty entry"},
      {"a@b.example;", "has an empty entry"},
      {";", "has an empty entry"},
      {LongList(), "The address list is 287 characters long; at most 255 fit."},
      {QString(65, 'a') + "@example.org", "is not an e-mail address"},  // a local part of 65
  };
  for (const auto& c : cases) {
    const std::optional<QString> problem = AddressListProblem(c.text);
    ASSERT_TRUE(problem.has_value()) << c.text.toStdString();
    EXPECT_TRUE(problem->contains(c.reason)) << problem->toStdString();
    // The reason shows the text without its line breaks.
    EXPECT_FALSE(problem->contains('\n') || problem->contains('\r')) << problem->toStdString();
  }
}

TEST(AddressList, SenderFileKeepsALongAddressWholeSoThatItIsRefused) {
  // Cut to 255 characters the list would still look like one, ending in a fragment.
  const SenderRecord r = ParseSenderFile(LongList().toLatin1() + "\r\n(GMT) UTC\r\n0\r\n1.0.0\r\n");
  EXPECT_EQ(r.address, LongList());
  EXPECT_TRUE(AddressListProblem(r.address).has_value());
  EXPECT_EQ(r.version, "1.0.0");
}

using SmtpHardening = SmtpHome;

TEST_F(SmtpHardening, NothingButAPlainAddressReachesTheEnvelope) {
  SmtpTestServer& server = Serve();

  // Stored values that slipped past every check (written by hand, by an older copy): the
  // recipients, and own settings too, the envelope sender and the From header.
  const struct {
    const char* setting;
    QString value, to, box;
  } cases[] = {
      {"", "", kInjection,
       "\"opponent@example.org> NOTIFY=NEVER ORCPT=rfc822\" is not an e-mail address; nothing was sent."},
      {"", "", "friend@example.org; \"x y\"@example.org", ""},
      {"Address", "account@example.com> AUTH=<>", "friend@example.org",
       "Your SMTP e-mail address \"account@example.com> AUTH=<>\" is not"},
      {"From", "me@example.com\r\nBcc: spy@third.example", "friend@example.org", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to.toStdString() + " " + c.value.toStdString());
    ui.boxes.clear();
    if (*c.setting) IniWrite("E-Mail", c.setting, c.value);
    EXPECT_FALSE(Send(c.to));
    EXPECT_TRUE(OneBoxStartsWith(ui, c.box));
    IniWrite("E-Mail", "Address", "account@example.com");
    IniWrite("E-Mail", "From", "Me@Example.com");
  }
  EXPECT_TRUE(server.Messages().empty());
  EXPECT_FALSE(Log().contains("RCPT")) << Log().toStdString();

  // The transport itself refuses as well, whoever calls it.
  const SmtpResult r = SendSmtpMessage(
      LocalSmtp(server.Port()), ShortMessage("account@example.com", {"opponent@example.org> NOTIFY=NEVER"}),
      ui, nullptr);
  EXPECT_NE(r.code, 0);
  EXPECT_TRUE(r.error.startsWith("Not an e-mail address: ")) << r.error.toStdString();
  EXPECT_TRUE(server.Messages().empty());
}

TEST_F(SmtpHardening, AServerThatNeverAnswersTheMessageEndEndsInATimeout) {
  SmtpTestServer server({"--hold-data", "120"});
  ASSERT_GT(server.Port(), 0) << server.Errors().toStdString();
  SmtpServer s = LocalSmtp(server.Port());
  s.responseTimeout = 2;
  QElapsedTimer timer;
  timer.start();
  const SmtpResult r =
      SendSmtpMessage(s, ShortMessage("account@example.com", {"friend@example.org"}), ui, &progress);
  EXPECT_EQ(r.code, 28) << r.error.toStdString();  // CURLE_OPERATION_TIMEDOUT
  EXPECT_EQ(r.failure, SmtpFailure::Timeout);
  EXPECT_FALSE(r.cancelled);
  EXPECT_TRUE(QFile::exists(server.Folder() + "/holding"));  // it stalled after the message end
  // Far below the server's hold: the limit, not the server, ended it (QUIT included).
  EXPECT_LT(timer.elapsed(), 60000);
  EXPECT_TRUE(SmtpFailureAdvice(r).startsWith("The SMTP server did not answer in time."));
}

TEST(CliInterrupt, CtrlCStopsASendThatWaitsForTheServer) {
  TempHome home;
  SmtpTestServer server({"--hold-data", "120"});
  ASSERT_GT(server.Port(), 0) << server.Errors().toStdString();
  UseSmtp("127.0.0.1:" + QString::number(server.Port()), "me@example.com");

  QProcess cli;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", "C.UTF-8");
  env.insert("DBUS_SESSION_BUS_ADDRESS", "");
  cli.setProcessEnvironment(env);
  cli.start(KOLT_CLI, {"--yes", "test-mail"});
  ASSERT_TRUE(cli.waitForStarted());
  cli.closeWriteChannel();
  const QString holding = server.Folder() + "/holding";
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(holding); }, 30000))
      << cli.readAllStandardError().toStdString();
  ASSERT_EQ(::kill(static_cast<pid_t>(cli.processId()), SIGINT), 0);
  ASSERT_TRUE(cli.waitForFinished(30000));
  // Ended by the program itself, with its own word on why, not by the signal.
  EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(cli.exitCode(), 1);
  const QString err = QString::fromUtf8(cli.readAllStandardError());
  EXPECT_TRUE(err.contains("kolt-cli: the test message was not sent: interrupted (Ctrl+C)\n"))
      << err.toStdString();
  EXPECT_TRUE(server.Messages().empty());
}

}  // namespace

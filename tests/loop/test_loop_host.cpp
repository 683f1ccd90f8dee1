// Unattended hosting through `kolt-cli serve --once` on a host home: a failed host step
// sends nothing and is reported once; a run killed at every moment of a step is undone
// or finished by the next, and every player gets the new turn.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QStandardPaths>
#include <map>

#include "loop/HostHome.h"
#include "mail/DovecotTestServer.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpTestServer.h"
#include "support/WaitFor.h"

using namespace kolt;
using namespace kolt::test;

namespace {

class AutoHosting : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_GT(smtp.Port(), 0) << smtp.Errors().toStdString(); }

  CliResult Serve() { return host.Cli({"--no", "serve", "--once"}); }
  // How many messages each address got since `from`.
  std::map<QString, int> Recipients(size_t from = 0) {
    std::map<QString, int> count;
    const auto messages = smtp.Messages();
    for (size_t i = from; i < messages.size(); ++i) {
      EXPECT_EQ(messages[i]["message"].toObject()["subject"].toString(), "KOLT file");
      for (const auto& to : messages[i]["rcpt_tos"].toArray()) ++count[to.toString()];
    }
    return count;
  }

  SmtpTestServer smtp;
  Player host{"h@example.org", smtp.Port()};
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));
  HostHome game{host.home, t0};
};

TEST_F(AutoHosting, AFailedHostStepSendsNothingAndStopsOnce) {
  const struct {
    QString code, said;
  } failures[] = {{"1", "Invalid Master Password."},
                  {"2", "Invalid Player Password."},
                  {"7", "Return code 7"},
                  {"crash", "without an exit code"}};
  for (const auto& f : failures) {
    SCOPED_TRACE(f.code.toStdString());
    game.Reset();
    game.Orders();
    game.SetCode(f.code);
    const QByteArray before = game.Gam();
    CliResult r = Serve();
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Hosting SE4/Game.gam failed: ")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(f.said)) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("Automatic hosting of SE4/Game.gam stopped: ")) << r.err.toStdString();
    EXPECT_TRUE(smtp.Messages().empty());
    EXPECT_EQ(game.Gam(), before);
    EXPECT_FALSE(game.Marked());
    // Not tried again: the game stays as it is until the host turns it on again.
    r = Serve();
    EXPECT_FALSE(r.out.contains("Hosting SE4/Game.gam")) << r.out.toStdString();
    EXPECT_FALSE(r.err.contains("stopped")) << r.err.toStdString();
  }
}

// True while `pid` runs (not ended, not a zombie).
bool Running(const QString& pid) {
  const QByteArray line = ReadFile("/proc/" + pid + "/stat");
  const int end = line.lastIndexOf(')');
  return end > 0 && line.mid(end + 2, 1) != "Z";
}

TEST_F(AutoHosting, AKilledRunIsUndoneOrFinishedByTheNext) {
  // Killed at the Nth moment of the run, for every N until the run gets through.
  // The display the run starts for the game goes with it: Xvfb is wrapped to note its
  // process ids.
  const QString xvfb = QStandardPaths::findExecutable("Xvfb");
  ASSERT_FALSE(xvfb.isEmpty());
  const QString bin = host.home + "/bin";
  QDir().mkpath(bin);
  WriteScript(bin + "/Xvfb", ("#!/bin/sh\necho $$ >> \"$0.pids\"\nexec " + xvfb + " \"$@\"\n").toUtf8());
  const QString path = bin + ":" + qEnvironmentVariable("PATH");
  // A killed run leaves its scratch folder behind: it goes with the test's home.
  const QString scratch = host.home + "/tmp";
  QDir().mkpath(scratch);
  int duplicates = 0;
  bool finished = false;
  for (int n = 1; n < 80 && !finished; ++n) {
    SCOPED_TRACE(n);
    game.Reset();
    game.Orders();
    const QByteArray before = game.Gam();
    const size_t sentBefore = smtp.Messages().size();
    QString resumed;
    QMap<QString, QString> env = HomeEnv(host);
    env.insert({{"KOLT_CRASH_AT", QString::number(n)}, {"PATH", path}, {"DISPLAY", ""}, {"TMPDIR", scratch}});
    const CliResult killed = RunCli(KOLT_CLI, {"--no", "serve", "--once"}, env);
    finished = !killed.crashed;
    if (killed.crashed) {
      // Either as it was, or processed: never a third thing.
      const QByteArray now = game.Gam();
      EXPECT_TRUE(now == before || now == before + "turn processed\r\n");
      const CliResult next = Serve();
      EXPECT_EQ(next.exitCode, 0) << next.err.toStdString();
      resumed = next.out;
    }
    EXPECT_TRUE(game.Gam().endsWith("turn processed\r\n"));
    EXPECT_FALSE(game.Gam().endsWith("turn processed\r\nturn processed\r\n"));  // hosted once
    const std::map<QString, int> got = Recipients(sentBefore);
    ASSERT_EQ(got.size(), 3u);
    for (const auto& [address, count] : got) {
      EXPECT_GE(count, 1) << address.toStdString();
      EXPECT_LE(count, 2) << address.toStdString();
      duplicates += count - 1;
      // Sent again only where the journal knew the outcome was unknown.
      if (count == 2) {
        EXPECT_TRUE(resumed.contains("Sending SE4/Game.gam to " + address +
                                     " again: the last run was stopped while sending it\n"))
            << resumed.toStdString();
      }
    }
    EXPECT_TRUE(QDir(host.home + "/autohost").entryList({"*.json"}, QDir::Files).isEmpty());
  }
  EXPECT_TRUE(finished);
  const QStringList started =
      QString::fromLatin1(ReadFile(bin + "/Xvfb.pids")).split('\n', Qt::SkipEmptyParts);
  EXPECT_FALSE(started.isEmpty());
  for (const QString& pid : started)
    EXPECT_TRUE(WaitFor([&] { return !Running(pid); }, 10000))
        << "Xvfb " << pid.toStdString() << " outlived its run";
  // Only a kill between a message leaving and its journal line sends that one again.
  EXPECT_LE(duplicates, 3);
}

TestCertificate& Certificate() {
  static TestCertificate certificate;
  return certificate;
}

// What makes sending a turn again sound: the player's copy takes in a host turn that is
// already in place without a question and without recording it again. All three
// players' messages of one host step land in one player's mailbox here: the same turn
// three times.
TEST_F(AutoHosting, TheSameHostTurnMailedAgainIsTakenInOnceAndQuietly) {
  ASSERT_TRUE(Certificate().Ok());
  DovecotTestServer mailbox{"p1@example.org", "secret", Certificate().Cert(), Certificate().Key()};
  ASSERT_TRUE(mailbox.Ok()) << mailbox.Log().toStdString();
  SmtpTestServer outbound{{"--maildir", mailbox.Maildir()}};
  ASSERT_GT(outbound.Port(), 0) << outbound.Errors().toStdString();
  host.Set("E-Mail", "SMTP_Port", QString::number(outbound.Port()));
  Player p1{"p1@example.org", outbound.Port()};
  const QString dir = InstallSe4(p1.home, t0);
  p1.Set("SE4", "Game", "h@example.org");  // a client of the host's game
  p1.Mailbox(mailbox.TlsPort(), "TLS", "secret");
  p1.caFile = Certificate().Cert();

  game.Orders();
  const CliResult hosted = Serve();
  ASSERT_TRUE(hosted.out.contains("Done with SE4/Game.gam: sent to 3 players")) << hosted.out.toStdString();
  ASSERT_EQ(outbound.Messages().size(), 3u);

  // "--no" would decline any question: the turn is in only if none was asked.
  const CliResult fetched = p1.Cli({"--no", "fetch"});
  EXPECT_EQ(fetched.exitCode, 0) << fetched.err.toStdString();
  EXPECT_EQ(fetched.out.count("Received "), 1) << fetched.out.toStdString();
  EXPECT_TRUE(fetched.err.contains("2 turn message(s) were already taken in")) << fetched.err.toStdString();
  EXPECT_EQ(ReadFile(dir + "/SAVEGAME/Game.gam"), game.Gam());
  // Fetched again: nothing new.
  const CliResult again = p1.Cli({"--no", "fetch"});
  EXPECT_FALSE(again.out.contains("Received ")) << again.out.toStdString();
  EXPECT_EQ(ReadFile(dir + "/SAVEGAME/Game.gam"), game.Gam());
}

}  // namespace

// The whole loop without hands: three players mail their orders through an SMTP server
// into the host's mailbox on a real Dovecot; the host's `kolt-cli serve` takes them in,
// hosts the game once every order is in (a stand-in for the game's host step) and mails
// the new turn to each player once; SIGTERM ends it cleanly.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QProcess>
#include <QThread>
#include <map>

#include "loop/HostHome.h"
#include "mail/DovecotTestServer.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpTestServer.h"

using namespace kolt;
using namespace kolt::test;

namespace {

TestCertificate& Certificate() {
  static TestCertificate certificate;
  return certificate;
}

class ServeLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Certificate().Ok());
    ASSERT_TRUE(imap.Ok()) << imap.Log().toStdString();
    ASSERT_GT(inbound.Port(), 0) << inbound.Errors().toStdString();
    ASSERT_GT(outbound.Port(), 0) << outbound.Errors().toStdString();
    host.Mailbox(imap.TlsPort(), "TLS", "secret");
    host.caFile = Certificate().Cert();
    for (int i = 0; i < 3; ++i) {
      Player& p = players[i];
      const QString dir = InstallSe4(p.home, t0);
      p.Set("SE4", "Game", "h@example.org");  // a client of the host's game
      WriteFile(QStringLiteral("%1/SAVEGAME/Game_000%2.plr").arg(dir).arg(i + 1), "orders");
    }
  }
  void SendOrders(int i) {
    const CliResult r = players[i].Cli({"--yes", "send", "SE4/Game.gam"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  }
  QStringList Env() {
    QStringList env = QProcess::systemEnvironment();
    env << "LC_ALL=C.UTF-8"
        << "DBUS_SESSION_BUS_ADDRESS=";
    const QMap<QString, QString> home = HomeEnv(host);
    for (auto it = home.begin(); it != home.end(); ++it) env << it.key() + "=" + it.value();
    return env;
  }
  // Reads what serve wrote until `done` holds, serve ended, or it is plainly stuck (a
  // bound against a hang, far above what a round takes on a busy machine).
  void ReadUntil(QProcess& serve, QString& out, const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && serve.state() == QProcess::Running && clock.elapsed() < 120000) {
      serve.waitForReadyRead(500);
      out += QString::fromUtf8(serve.readAllStandardOutput());
      err += QString::fromUtf8(serve.readAllStandardError());
    }
  }
  QString err;
  std::map<QString, int> TurnsSent() {
    std::map<QString, int> count;
    for (const QJsonObject& m : outbound.Messages())
      for (const QJsonValue& to : m["rcpt_tos"].toArray()) ++count[to.toString()];
    return count;
  }

  DovecotTestServer imap{"h@example.org", "secret", Certificate().Cert(), Certificate().Key()};
  SmtpTestServer inbound{{"--maildir", imap.Maildir()}};  // the players' orders, into the host's mailbox
  SmtpTestServer outbound;                                // the host's new turns
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));
  Player host{"h@example.org", outbound.Port()};
  HostHome game{host.home, t0};
  Player players[3] = {{Se4Players()[0], inbound.Port()},
                       {Se4Players()[1], inbound.Port()},
                       {Se4Players()[2], inbound.Port()}};
};

TEST_F(ServeLoop, OrdersByMailAreHostedOnceAllAreInAndEveryPlayerGetsTheTurnOnce) {
  SendOrders(0);
  SendOrders(1);
  QProcess serve;
  serve.setEnvironment(Env());
  serve.start(KOLT_CLI, {"--no", "serve", "--interval", "1"});
  ASSERT_TRUE(serve.waitForStarted());
  QString out;
  auto orderIn = [&](int n) {
    return QFileInfo::exists(QStringLiteral("%1/Game_000%2.plr").arg(game.save).arg(n));
  };
  ReadUntil(serve, out, [&] { return orderIn(1) && orderIn(2); });
  ASSERT_TRUE(orderIn(1) && orderIn(2)) << out.toStdString() << err.toStdString();
  EXPECT_TRUE(out.contains("Received SE4/Game.gam from p")) << out.toStdString();
  EXPECT_FALSE(out.contains("Hosted")) << out.toStdString();

  SendOrders(2);
  ReadUntil(serve, out, [&] { return out.contains("Done with SE4/Game.gam"); });
  EXPECT_TRUE(out.contains("Hosted SE4/Game.gam\n")) << out.toStdString();
  EXPECT_TRUE(out.contains("Sent SE4/Game.gam to p3@example.org\n"))
      << out.toStdString() << err.toStdString();
  serve.terminate();  // SIGTERM
  ASSERT_TRUE(serve.waitForFinished(60000));
  out += QString::fromUtf8(serve.readAllStandardOutput());
  EXPECT_EQ(serve.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(serve.exitCode(), 0) << QString::fromUtf8(serve.readAllStandardError()).toStdString();
  EXPECT_TRUE(out.endsWith("Stopped\n")) << out.toStdString();

  // Another round finds nothing new: each player has the turn exactly once.
  const CliResult again = host.Cli({"--no", "serve", "--once"});
  EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
  EXPECT_FALSE(again.out.contains("Hosted")) << again.out.toStdString();
  const std::map<QString, int> once{{"p1@example.org", 1}, {"p2@example.org", 1}, {"p3@example.org", 1}};
  EXPECT_EQ(TurnsSent(), once);
  EXPECT_TRUE(game.Gam().endsWith("turn processed\r\n"));
  EXPECT_FALSE(game.Gam().endsWith("turn processed\r\nturn processed\r\n"));
  EXPECT_TRUE(QDir(host.home + "/autohost").entryList({"*.json"}, QDir::Files).isEmpty());
  EXPECT_TRUE(game.Marked());  // hosted automatically again next turn
}

}  // namespace

// Automatic reminders through `kolt-cli serve --once` and the test SMTP server: a game
// waiting on its opponent longer than the late setting gets one "KOLT message" to that
// opponent, then none until the late period has passed again.
#include <gtest/gtest.h>

#include <QJsonArray>

#include "mail/QtPrinters.h"
#include "mail/SmtpTestServer.h"
#include "model/Status.h"
#include "support/PlayerHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

TEST(Reminders, ALateOpponentIsRemindedOncePerLatePeriod) {
  SmtpTestServer server;
  ASSERT_GT(server.Port(), 0) << server.Errors().toStdString();
  Player a{"a@example.org", server.Port()};
  // Sent ten days ago, nothing back since: the game waits on b.
  const QDateTime sent = QDateTime::currentDateTime().addDays(-10);
  WriteAt(a.email + "/email001.cmt", "Kursk", sent);
  a.Play("A1", sent);
  a.Set("SPWAW", "email001.cmt", "b@example.org");
  a.Set("SPWAW", "email001.cmt/S", FormatStamp(sent));
  ASSERT_EQ(a.Status(), "Wait");
  const QStringList serve{"--no", "serve", "--once"};

  // Off unless asked for.
  CliResult r = a.Cli(serve);
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(server.Messages().empty());

  a.Set("Reminders", "Auto", "1");
  r = a.Cli(serve);
  EXPECT_TRUE(r.out.contains("Reminded b@example.org of SPWAW/email001.cmt\n")) << r.out.toStdString();
  ASSERT_EQ(server.Messages().size(), 1u);
  const QJsonObject mail = server.Messages().back();
  EXPECT_EQ(mail["rcpt_tos"].toArray(), QJsonArray({"b@example.org"}));
  const QJsonObject message = mail["message"].toObject();
  EXPECT_EQ(message["subject"].toString(), "KOLT message");
  EXPECT_TRUE(
      message["body"].toString().contains("SPWAW/email001.cmt has been waiting for your turn for 10 d"))
      << message["body"].toString().toStdString();

  // Not again within the late period (7 days by default), however often serve runs.
  r = a.Cli(serve);
  EXPECT_FALSE(r.out.contains("Reminded")) << r.out.toStdString();
  EXPECT_EQ(server.Messages().size(), 1u);

  // Once it has passed, one more.
  a.Set("Reminders", "SPWAW/email001.cmt", QDateTime::currentDateTimeUtc().addDays(-8).toString(Qt::ISODate));
  a.Cli(serve);
  EXPECT_EQ(server.Messages().size(), 2u);

  // A late setting of one day still reminds at most once a day; 0 never.
  a.Set("History", "LateDays", "1");
  a.Cli(serve);
  EXPECT_EQ(server.Messages().size(), 2u);
  a.Set("Reminders", "SPWAW/email001.cmt", QDateTime::currentDateTimeUtc().addDays(-2).toString(Qt::ISODate));
  a.Set("History", "LateDays", "0");
  a.Cli(serve);
  EXPECT_EQ(server.Messages().size(), 2u);

  // Never to anyone but the game's opponent: a game without one gets nothing.
  a.Set("History", "LateDays", "7");
  a.Set("SPWAW", "email001.cmt", "-");
  a.Cli(serve);
  EXPECT_EQ(server.Messages().size(), 2u);
}

}  // namespace

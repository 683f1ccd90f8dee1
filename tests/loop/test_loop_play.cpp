// kolt-cli play: a real kolt-cli starts the game through a Wine stand-in (a shell script
// that plays a turn or leaves the files alone), waits for it to end and sends the
// finished turn through the test SMTP server.
#include <gtest/gtest.h>

#include <QFile>

#include "core/Settings.h"
#include "mail/SmtpTestServer.h"
#include "model/Status.h"
#include "support/PlayerHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

class PlayThenSend : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(server.Port(), 0) << server.Errors().toStdString();
    WriteAt(a.email + "/email001.cmt", "Kursk", t0);
    a.Play("B1", t0);
    a.Set("SPWAW", "email001.cmt", "b@example.org");
    // The opponent's turn came in: the game is to be played.
    a.Set("SPWAW", "email001.cmt/R", FormatStamp(t0));
    // The "Wine" that starts mech.exe: plays a turn in the game's folder once told to by
    // a file beside it.
    wine = a.home + "/wine-standin.sh";
    ASSERT_TRUE(WriteScript(wine,
                            "#!/bin/sh\n"
                            "case \"$1\" in *mech.exe) ;; *) exit 9 ;; esac\n"
                            "sleep 1\n"
                            "if [ -e \"$0.play\" ]; then\n"
                            "  printf 'DAT A2' > EMAIL/email001.dat\n"
                            "  printf 'AUX A2' > EMAIL/email001.aux\n"
                            "fi\n"));
    a.Set("Settings", "Wine", wine);
  }

  SmtpTestServer server;
  Player a{"a@example.org", server.Port()};
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));
  QString wine;
};

TEST_F(PlayThenSend, NothingIsOfferedWhenTheTurnWasNotPlayed) {
  ASSERT_EQ(a.Status(), "Play");
  const CliResult r = a.Cli({"--yes", "play", "SPWAW/email001.cmt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains("nothing to send")) << r.err.toStdString();
  EXPECT_FALSE(r.err.contains("now?"));
  EXPECT_TRUE(server.Messages().empty());
  EXPECT_EQ(a.Status(), "Play");

  const CliResult missing = a.Cli({"--yes", "play", "SPWAW/nothere.cmt"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_TRUE(missing.err.contains("no such game: SPWAW/nothere.cmt"));
}

TEST_F(PlayThenSend, AsksThenSendsTheFinishedTurnOnce) {
  ASSERT_TRUE(WriteFile(wine + ".play", ""));
  // Declined: the turn stays ready to send, nothing went out.
  CliResult r = a.Cli({"--no", "play", "SPWAW/email001.cmt"});
  EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("Send ")) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains(" to b@example.org now?")) << r.err.toStdString();
  EXPECT_TRUE(server.Messages().empty());
  EXPECT_EQ(a.Status(), "Send");

  // Played again and answered Yes: one message with the new turn, the game waits.
  r = a.Cli({"--yes", "play", "SPWAW/email001.cmt"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains("Sent SPWAW/email001.cmt to b@example.org")) << r.out.toStdString();
  ASSERT_EQ(server.Messages().size(), 1u);
  const QJsonObject mail = server.Messages().back();
  EXPECT_EQ(mail["rcpt_tos"].toArray(), QJsonArray({"b@example.org"}));
  EXPECT_EQ(mail["message"].toObject()["subject"].toString(), "KOLT file");
  EXPECT_EQ(a.Status(), "Wait");

  // "Don't ask again": the next finished turn goes at once, even with --no.
  a.Set("Settings", "SendFinishedTurns", "1");
  const QDateTime received = QDateTime::currentDateTime().addSecs(-3600);
  a.Set("SPWAW", "email001.cmt/R", FormatStamp(received));
  a.Play("B3", received);
  ASSERT_EQ(a.Status(), "Play");
  r = a.Cli({"--no", "play", "SPWAW/email001.cmt"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_FALSE(r.err.contains("now?"));
  EXPECT_EQ(server.Messages().size(), 2u);
}

}  // namespace

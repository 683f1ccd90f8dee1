// Two players, each with their own home and Steel Panthers installation, play one game
// through kolt-cli processes and a real SMTP server on 127.0.0.1: KLT by opening the
// attachment, ZIP and plain files through the working folder.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "core/Settings.h"
#include "exchange/history/HistoryStore.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpTestServer.h"
#include "support/PlayerHome.h"
#include "support/SqliteLock.h"
#include "turns/CliChecks.h"

using namespace kolt;
using namespace kolt::test;

namespace {

class TwoPlayers : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(server.Port(), 0) << server.Errors().toStdString();
    for (Player* p : {&a, &b}) {
      WriteAt(p->email + "/email001.cmt", "Kursk", t0);
      p->Play("turn 1", t0);
    }
    a.Set("SPWAW", "email001.cmt", "b@example.org");  // A started the game with B
  }
  // The attachments of the newest message, saved into `folder`.
  QStringList TakeAttachments(const QString& folder) {
    const auto messages = server.Messages();
    EXPECT_EQ(messages.size(), ++m_seen);
    QStringList paths;
    if (messages.empty()) return paths;
    for (const QJsonValue& v : messages.back()["message"].toObject()["attachments"].toArray()) {
      const QJsonObject at = v.toObject();
      const QString path = folder + "/" + at["filename"].toString();
      WriteFile(path, QByteArray::fromBase64(at["data"].toString().toLatin1()));
      paths.append(path);
    }
    return paths;
  }
  QString LastSubject() { return server.Messages().back()["message"].toObject()["subject"].toString(); }

  SmtpTestServer server;
  Player a{"a@example.org", server.Port()};
  Player b{"b@example.org", server.Port()};
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));
  size_t m_seen = 0;
};

}  // namespace

TEST_F(TwoPlayers, OneGameInKltThenZipThenPlainFiles) {
  // KLT: A plays and sends; B opens the attachment.
  a.Play("A2", t0.addSecs(60));
  EXPECT_EQ(a.Status(), "New");
  // The terminal shows the confirmation; the address heads its group.
  EXPECT_TRUE(
      Ended(a.Cli({"--yes", "send", "spwaw/EMAIL001.CMT"}), 0,
            {"Are you sure you want to send these games?\n\nb@example.org\n", "SPWAW : email001.cmt"}));
  EXPECT_EQ(LastSubject(), "KOLT file");
  EXPECT_EQ(a.Status(), "Wait");
  const QStringList klt = TakeAttachments(b.inbox);
  ASSERT_EQ(klt.size(), 1);
  EXPECT_TRUE(Ended(b.Cli({"--no", "receive", klt[0]}), 0));  // nothing odd: nothing asked
  EXPECT_EQ(b.Dat(), "DAT A2");
  QJsonObject row = b.Row();
  EXPECT_EQ(row["status"].toString(), "Play");
  EXPECT_EQ(row["email"].toString(), "a@example.org");
  EXPECT_EQ(row["mode"].toString(), "KLT");

  // The same archive again is old now: declined, and the exit code says so.
  EXPECT_TRUE(Ended(b.Cli({"--no", "receive", klt[0]}), 1, {"Received old SPWAW files:"}));

  // B plays and answers; A opens the attachment.
  b.Play("B3", t0.addSecs(120));
  EXPECT_EQ(b.Status(), "Send");
  EXPECT_TRUE(Ended(b.Cli({"--yes", "send", "SPWAW/email001.cmt"}), 0));
  EXPECT_EQ(b.Status(), "Wait");
  const QStringList back = TakeAttachments(a.inbox);
  ASSERT_EQ(back.size(), 1);
  // Named from the folder it was saved in, as on a terminal.
  EXPECT_TRUE(Ended(a.Cli({"--no", "receive", QFileInfo(back[0]).fileName()}, QFileInfo(back[0]).path()), 0));
  EXPECT_EQ(a.Dat(), "DAT B3");
  EXPECT_EQ(a.Status(), "Play");

  // ZIP: the archive is saved into the opponent's working folder.
  a.Set("SPWAW", "email001.cmt/M", "ZIP");
  b.Set("SPWAW", "email001.cmt/M", "ZIP");
  b.Set("Settings", "WorkingFolder", b.work);
  a.Set("Settings", "WorkingFolder", a.work);
  EXPECT_TRUE(PlaysAndSends(a, "A4", t0.addSecs(180)));
  EXPECT_EQ(LastSubject(), "SPWAW file");
  EXPECT_EQ(TakeAttachments(b.work + "/SPWAW"), QStringList({b.work + "/SPWAW/SPWAW.zip"}));
  EXPECT_TRUE(Ended(b.Cli({"--no", "refresh"}), 0));
  EXPECT_EQ(QDir(b.work + "/SPWAW").entryList(QDir::Files), QStringList());
  EXPECT_EQ(b.Dat(), "DAT A4");
  row = b.Row();
  EXPECT_EQ(row["status"].toString(), "Play");
  EXPECT_EQ(row["mode"].toString(), "ZIP");  // only a KLT tells that the opponent has this program

  // Plain: the files themselves, saved into the working folder, taken in by the list.
  a.Set("SPWAW", "email001.cmt/M", "-");
  b.Set("SPWAW", "email001.cmt/M", "-");
  EXPECT_TRUE(PlaysAndSends(b, "B5", t0.addSecs(240)));
  EXPECT_EQ(TakeAttachments(a.work + "/SPWAW").size(), 3);
  EXPECT_EQ(a.Status(), "Play");
  EXPECT_EQ(a.Dat(), "DAT B5");
  EXPECT_EQ(b.Status(), "Wait");
  // The comment file came back as it was every time: left in place, never backed up.
  EXPECT_EQ(QDir(a.email + "/bak").entryList(QDir::Files), QStringList({"email001.aux", "email001.dat"}));
}

TEST_F(TwoPlayers, CliCommandsReportWhatTheyDid) {
  EXPECT_TRUE(Ended(a.Cli({"--yes", "send", "SPWAW/missing.cmt"}), 2, {"no such game: SPWAW/missing.cmt"}));
  // B has no address for the game.
  EXPECT_TRUE(Ended(b.Cli({"--yes", "send", "SPWAW/email001.cmt"}), 1, {"Missing e-mail address:"}));
  EXPECT_TRUE(Ended(a.Cli({"--no", "send", "SPWAW/email001.cmt"}), 1));  // the confirmation declined
  EXPECT_TRUE(server.Messages().empty());

  EXPECT_TRUE(Ended(a.Cli({"--yes", "send", "--message", "--taunt", "Good luck", "SPWAW/email001.cmt"}), 0));
  const auto m = server.Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0]["message"].toObject()["subject"].toString(), "KOLT message");
  EXPECT_EQ(m[0]["message"].toObject()["body"].toString(), "Good luck\r\n--\r\nSPWAW/email001.cmt (Kursk)");
  EXPECT_EQ(a.Status(), "New");  // a message sends no turn

  ++m_seen;
  EXPECT_TRUE(Ended(a.Cli({"test-mail"}), 0));
  const QStringList test = TakeAttachments(a.inbox);
  ASSERT_EQ(test.size(), 1);
  EXPECT_TRUE(Ended(a.Cli({"receive", test[0]}), 0,
                    {"Congratulations! You have successfully sent a KOLT test message."}));
  EXPECT_TRUE(Ended(a.Cli({"refresh"}), 1));  // no working folder
}

TEST_F(TwoPlayers, BothHistoriesFollowTheTurnsWithTheTauntsAndWaitingTimes) {
  ASSERT_TRUE(PlaysAndSends(a, "A2", t0.addSecs(60), {"--taunt", "Dig in!"}));
  const QStringList klt = TakeAttachments(b.inbox);
  ASSERT_EQ(klt.size(), 1);
  EXPECT_TRUE(Ended(b.Cli({"--no", "receive", klt[0]}), 0));
  ASSERT_TRUE(PlaysAndSends(b, "B3", t0.addSecs(120)));
  EXPECT_TRUE(Ended(a.Cli({"--no", "receive", TakeAttachments(a.inbox).value(0)}), 0));

  HistoryStore historyA(a.home + "/history.sqlite");
  const auto turnsA = historyA.Turns("SPWAW", "email001.cmt");
  ASSERT_TRUE(turnsA) << historyA.LastError().toStdString();
  ASSERT_EQ(turnsA->size(), 2u);
  const TurnEntry& sent = (*turnsA)[1];
  EXPECT_EQ(sent.direction, TurnDirection::Sent);
  EXPECT_EQ(sent.opponent, "b@example.org");
  EXPECT_EQ(sent.mode, "KLT");
  EXPECT_TRUE(sent.taunt.contains("Dig in!")) << sent.taunt.toStdString();
  QStringList names;
  for (const TurnFile& f : sent.files) {
    names.append(f.name);
    if (f.name != "email001.dat") continue;
    EXPECT_EQ(f.size, QByteArray("DAT A2").size());
    EXPECT_EQ(f.stamp, "2024-06-01 10:01:00");
    EXPECT_EQ(f.folder, a.email);
  }
  names.sort();
  EXPECT_EQ(names, QStringList({"email001.aux", "email001.cmt", "email001.dat"}));
  const TurnEntry& received = (*turnsA)[0];
  EXPECT_EQ(received.direction, TurnDirection::Received);
  EXPECT_EQ(received.opponent, "b@example.org");
  EXPECT_GE(received.time, sent.time);
  // A's own turn, replaced by B's, is kept as an earlier turn.
  EXPECT_EQ(ReadFile(a.email + "/bak/history/email001.cmt/2024-06-01_10-01-00/email001.dat"), "DAT A2");

  HistoryStore historyB(b.home + "/history.sqlite");
  const auto turnsB = historyB.Turns("SPWAW", "email001.cmt");
  ASSERT_TRUE(turnsB);
  ASSERT_EQ(turnsB->size(), 2u);
  EXPECT_EQ((*turnsB)[0].direction, TurnDirection::Sent);
  EXPECT_EQ((*turnsB)[1].direction, TurnDirection::Received);
  EXPECT_EQ((*turnsB)[1].opponent, "a@example.org");
  EXPECT_EQ((*turnsB)[1].files.size(), 3u);

  // Waiting: A plays since B's turn came in, B waits since sending: both just now, as the
  // histories recorded them, although the files carry times long ago in this test's
  // calendar.
  const double sinceFiles = static_cast<double>(t0.addSecs(120).secsTo(QDateTime::currentDateTime()));
  const QJsonObject rowA = a.Row();
  EXPECT_EQ(rowA["status"].toString(), "Play");
  EXPECT_LT(rowA["waiting_seconds"].toDouble(), 3600.0);
  EXPECT_GT(sinceFiles, 86400.0);
  const QJsonObject rowB = b.Row();
  EXPECT_EQ(rowB["status"].toString(), "Wait");
  EXPECT_LT(rowB["waiting_seconds"].toDouble(), 3600.0);
}

TEST_F(TwoPlayers, ASendGoesOutWhileAnotherProcessHoldsTheHistoryLocked) {
  ASSERT_TRUE(PlaysAndSends(a, "A2", t0.addSecs(60)));  // makes the history file
  SqliteLock lock(a.home + "/history.sqlite");
  a.Play("A3", t0.addSecs(120));
  EXPECT_TRUE(Ended(a.Cli({"--yes", "send", "SPWAW/email001.cmt"}), 0,
                    {"kolt-cli: Turn history not recorded: database is locked"}));
  EXPECT_EQ(a.Status(), "Wait");
  EXPECT_EQ(server.Messages().size(), 2u);
  lock.Release();

  // Only the send made before the lock is in the history.
  HistoryStore history(a.home + "/history.sqlite");
  const auto turns = history.Turns("SPWAW", "email001.cmt");
  ASSERT_TRUE(turns) << history.LastError().toStdString();
  EXPECT_EQ(turns->size(), 1u);
}

// What reaches the other player or the turn history is the same whatever language the
// windows speak. Under a translator that rewrites every text of every context, the
// messages, the archive, SENDER.TXT, the reminder and the stored history are what they
// are in English, while what the player is shown is translated.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTranslator>

#include "TurnsFixture.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/loop/Reminders.h"
#include "exchange/turns/MailboxTally.h"
#include "exchange/turns/SendSelection.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpTestServer.h"
#include "model/Status.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// A "~" before every word: no English phrase survives it, while placeholders, plural
// counts and line breaks keep working.
class EveryTextTranslator final : public QTranslator {
 public:
  QString translate(const char* context, const char* source, const char* disambiguation,
                    int n) const override {
    (void)context, (void)disambiguation, (void)n;
    if (!source || !*source) return QString();
    return QChar('~') + QString::fromUtf8(source).replace(QChar(' '), QStringLiteral(" ~"));
  }
  bool isEmpty() const override { return false; }
};

class Untranslated : public TurnsTest {
 protected:
  void SetUp() override {
    TurnsTest::SetUp();
    ASSERT_GT(server.Port(), 0) << server.Errors().toStdString();
    UseSmtp(server.Port());
    exchange->SetRecorder(&history);
    MakeSpwawGame(email, "email001", "Scenario X", t0);
    MakeSpwawGame(email, "email002", "", t0);
    ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
  }
  void TearDown() override {
    QCoreApplication::removeTranslator(&translator);
    TurnsTest::TearDown();
  }
  // The rows of the history file as stored, not as read back through the store.
  QStringList StoredRows() {
    QStringList rows;
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "untranslated");
      db.setDatabaseName(history.Path());
      EXPECT_TRUE(db.open());
      QSqlQuery q(db);
      EXPECT_TRUE(q.exec("SELECT game, direction, opponent, mode, taunt FROM turns ORDER BY id"));
      while (q.next()) {
        QStringList row;
        for (int i = 0; i < 5; ++i) row.append(q.value(i).toString());
        rows.append(row.join('|'));
      }
    }
    QSqlDatabase::removeDatabase("untranslated");
    return rows;
  }

  SmtpTestServer server;
  EveryTextTranslator translator;
  HistoryStore history{home.File("history.sqlite")};
};

TEST_F(Untranslated, SentTurnsAndRemindersReadAsInEnglish) {
  const GameList games = {IvansGame("email001.cmt", "KLT"), IvansGame("email002.cmt", "ZIP")};
  ui.Taunts({QString("Your tanks are toast"), QString()});
  SentGames sent;
  ASSERT_EQ(SendSelectedGames(ui, *exchange, games, false, true, nullptr, &sent), SendResult::Sent) << Said();
  // What the player reads is translated, counts and addresses in place.
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_TRUE(ui.boxes.front().text.startsWith("~Are ~you ~sure")) << ui.boxes.front().text.toStdString();
  EXPECT_EQ(ui.statuses.last(), "~Done!");
  EXPECT_EQ(SentText(sent, false), "~Sent ~2 ~games ~to ~ivan@example.org");

  const auto m = server.Messages();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(Subject(m[0]), "KOLT file");
  EXPECT_EQ(Body(m[0]),
            "Your tanks are toast\r\n--\r\nOpen the attachment in KOLT\r\nSPWAW/email001.cmt (Scenario X)");
  EXPECT_EQ(AttachmentNames(m[0]), QStringList({"KOLT.KLT"}));
  EXPECT_EQ(Subject(m[1]), "SPWAW file");
  EXPECT_EQ(Body(m[1]),
            "--\r\nOpen the attachment and extract the files into EMAIL directory.\r\nSPWAW/email002.cmt");
  EXPECT_EQ(AttachmentNames(m[1]), QStringList({"SPWAW.zip"}));

  // The archive's member names and SENDER.TXT, as the other side's copy reads them.
  const QString klt = SaveAttachment(m[0], 0, "KOLT.KLT");
  const QString out = home.Root() + "/unzipped";
  ASSERT_EQ(RunIn(home.Root(), "unzip", {"-q", klt, "-d", out}), 0);
  EXPECT_EQ(ReadFile(out + "/SENDER.TXT"), "me@example.org\r\n(GMT+1) CET\r\n-60\r\n1.1.5\r\n");
  EXPECT_TRUE(QFileInfo(out + "/SPWAW/email001.dat").isFile());

  // A reminder is a message to the opponent too, and the history keeps its text.
  const GamePtr waiting = FindGame("email001.cmt");
  ASSERT_EQ(waiting->GetStatus(), status::Wait);
  const qint64 threeDays = qint64{3} * 24 * 3600;
  EXPECT_EQ(Reminders::Text(*waiting, threeDays),
            "A friendly reminder: SPWAW/email001.cmt has been waiting for your turn for 3 d.");
  Reminders reminders(ui, parts->mailer, &history);
  ASSERT_EQ(reminders.Remind(*waiting, threeDays, 1, QDateTime::currentDateTime(), false),
            Reminders::Result::Sent)
      << Said();
  ASSERT_EQ(server.Messages().size(), 3u);
  EXPECT_EQ(Subject(server.Messages()[2]), "KOLT message");
  EXPECT_EQ(Body(server.Messages()[2]),
            "A friendly reminder: SPWAW/email001.cmt has been waiting for your turn for 3 d.\r\n--\r\n"
            "SPWAW/email001.cmt (Scenario X)");

  EXPECT_EQ(StoredRows(), QStringList({"email001.cmt|Sent|ivan@example.org|KLT|Your tanks are toast\r\n",
                                       "email002.cmt|Sent|ivan@example.org|ZIP|",
                                       "email001.cmt|Reminded|ivan@example.org|KLT|A friendly reminder: "
                                       "SPWAW/email001.cmt has been waiting for your turn for 3 d."}));
}

TEST_F(Untranslated, TheMailboxStatusNamesAWaitingMessageInAnyLanguage) {
  // The status line names the first message left unread by its own description, not by
  // cutting a translated sentence apart.
  MailboxTally tally;
  const QString described = "The message \"SPWAW file\" from ivan@example.org (UID 7)";
  tally.Add(MessageOutcome::Declined, described);
  tally.Add(MessageOutcome::Declined, "The message \"KOLT file\" (UID 8)");
  tally.Add(MessageOutcome::TakenIn, QString());
  EXPECT_EQ(tally.StatusText(),
            "~Mailbox ~checked: ~~1 ~taken ~in, ~2 ~left ~unread ~(" + described + ", ~...)");
  EXPECT_EQ(tally.Problems().first(),
            "~" + described +
                " ~was ~not ~taken ~in: ~it ~stays ~unread ~in ~the ~mailbox ~and ~is "
                "~fetched ~again ~at ~the ~next ~check.");
}

}  // namespace

// Sending turns through a real SMTP server on 127.0.0.1 with the real mailer and archive
// wrapper; the KLT archives are read back with Info-ZIP's unzip.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "TurnsFixture.h"
#include "exchange/turns/SendSelection.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpTestServer.h"
#include "model/Status.h"
#include "support/OneBox.h"

using namespace kolt;
using namespace kolt::test;

namespace {

class Send : public TurnsTest {
 protected:
  void SetUp() override {
    TurnsTest::SetUp();
    ASSERT_GT(server.Port(), 0) << server.Errors().toStdString();
    UseSmtp(server.Port());
    MakeSpwawGame(email, "email001", "Scenario X", t0);
    MakeSpwawGame(email, "email002", "", t0);
    // A user-defined program beside it, whose games are single files in one folder, so
    // that a group can hold games of two programs.
    const QString other = home.Root() + "/games/Other";
    WriteFile(other + "/other.exe", "MZ");
    WriteAt(other + "/TURNS/turn7.trn", "Desc\r\nOTHER turn", t0);
    WriteFile(home.File("OTHER.INI"),
              "[Settings]\r\nEXE=other.exe\r\nEMailSubDir=TURNS\r\nDescription=LINE1\r\n"
              "FileTypes=1\r\n[File0]\r\nExt=trn\r\nPrimary=1\r\nModified=1\r\n");
    IniWrite("OTHER", "Directory", other);
    ProgramRegistry(parts->ServicesFor(ui, tools), AdapterFactories()).BuildProgramList(programs);
    ASSERT_TRUE(programs.Contains("OTHER"));
  }
  GamePtr Other(const QString& mode) {
    const GameList games = programs.Find("OTHER")->InitGames();
    EXPECT_EQ(games.size(), 1u);
    EXPECT_TRUE(games.at(0)->SetMode(mode));
    return games.at(0);
  }
  static QStringList UnzipList(const QString& archive) {
    QProcess p;
    p.start("unzip", {"-Z1", archive});
    p.waitForFinished();
    QStringList names = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    names.sort();
    return names;
  }

  SmtpTestServer server;
};

}  // namespace

TEST_F(Send, KltGroupOfTwoProgramsIsOneArchiveAndOneMessage) {
  const GameList group = {IvansGame("email001.cmt", "KLT"), IvansGame("email002.cmt", "KLT"), Other("KLT")};
  ASSERT_TRUE(exchange->SendGroup("ivan@example.org", group, 0, 2, false, false)) << Said();
  EXPECT_TRUE(ui.boxes.empty()) << Said();
  EXPECT_TRUE(ui.tauntQuestions.empty());

  const auto messages = server.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(Subject(messages[0]), "KOLT file");
  // Byte for byte, CR LF line ends included.
  EXPECT_EQ(Body(messages[0]),
            "--\r\nOpen the attachment in KOLT\r\nSPWAW/email001.cmt (Scenario X), SPWAW/email002.cmt, "
            "OTHER/turn7.trn "
            "(Desc)");
  EXPECT_EQ(messages[0]["rcpt_tos"].toArray().first().toString(), "ivan@example.org");
  ASSERT_EQ(AttachmentNames(messages[0]), QStringList({"KOLT.KLT"}));

  const QString klt = SaveAttachment(messages[0], 0, "KOLT.KLT");
  EXPECT_EQ(UnzipList(klt), QStringList({"OTHER/turn7.trn", "SENDER.TXT", "SPWAW/email001.aux",
                                         "SPWAW/email001.cmt", "SPWAW/email001.dat", "SPWAW/email002.aux",
                                         "SPWAW/email002.cmt", "SPWAW/email002.dat"}));
  const QString out = home.Root() + "/unzipped";
  ASSERT_EQ(RunIn(home.Root(), "unzip", {"-q", klt, "-d", out}), 0);
  EXPECT_EQ(ReadFile(out + "/SENDER.TXT"), "me@example.org\r\n(GMT+1) CET\r\n-60\r\n1.1.5\r\n");
  EXPECT_EQ(Modified(out + "/SPWAW/email001.dat"), t0);  // the turn's own time travels

  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), status::Wait);
  EXPECT_EQ(FindGame("email002.cmt")->GetStatus(), status::Wait);
  EXPECT_EQ(IniRead("OTHER", "turn7.trn/S"), FormatStamp(t0));
  EXPECT_FALSE(parts->log.visible);  // the archive window was hidden again
}

TEST_F(Send, KltNeedsTheOwnAddressBeforeAnyArchiveIsMade) {
  IniWrite("E-Mail", "From", "  ");
  const GameList group = {IvansGame("email001.cmt", "KLT")};
  EXPECT_FALSE(exchange->SendGroup("ivan@example.org", group, 0, 0, false, false));
  EXPECT_EQ(ui.Texts().join("\n").split("\r").first(), "You have not defined your own e-mail address!");
  EXPECT_FALSE(QFile::exists(App().instanceFolder + "/KOLT.KLT"));
  EXPECT_TRUE(server.Messages().empty());
  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), status::New);

  // ZIP and plain sends do not need it.
  const GameList zip = {IvansGame("email002.cmt", "ZIP")};
  ui.boxes.clear();
  EXPECT_TRUE(exchange->SendGroup("ivan@example.org", zip, 0, 0, false, false)) << Said();
}

TEST_F(Send, ZipAndPlainSendOneMessagePerProgramEachWithItsTaunt) {
  const GameList group = {IvansGame("email001.cmt", "ZIP"), IvansGame("email002.cmt", "-"), Other("-")};
  ui.Taunts({QString("Your tanks are toast"), QString("Line one\r\n"), QString()});
  ASSERT_TRUE(exchange->SendGroup("ivan@example.org", group, 0, 2, true, false)) << Said();
  ASSERT_EQ(ui.tauntQuestions.size(), 3u);
  EXPECT_EQ(ui.tauntQuestions[0],
            std::make_pair(QString("ivan@example.org"), QString("SPWAW/email001.cmt (Scenario X)")));
  EXPECT_EQ(ui.tauntQuestions[1].second, "SPWAW/email002.cmt");
  EXPECT_EQ(ui.tauntQuestions[2].second, "OTHER/turn7.trn");  // plain: no description

  const auto m = server.Messages();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(Subject(m[0]), "SPWAW file");
  EXPECT_EQ(
      Body(m[0]),
      "Your tanks are toast\r\n--\r\nOpen the attachment and extract the files into EMAIL directory.\r\n"
      "SPWAW/email001.cmt (Scenario X)");
  EXPECT_EQ(AttachmentNames(m[0]), QStringList({"SPWAW.zip"}));
  EXPECT_EQ(UnzipList(SaveAttachment(m[0], 0, "SPWAW.zip")),
            QStringList({"email001.aux", "email001.cmt", "email001.dat"}));
  EXPECT_EQ(Subject(m[1]), "SPWAW file");
  EXPECT_EQ(Body(m[1]), "Line one\r\n--\r\nSave the attachments into EMAIL directory.\r\nSPWAW/email002.cmt");
  QStringList plain = AttachmentNames(m[1]);
  plain.sort();
  EXPECT_EQ(plain, QStringList({"email002.aux", "email002.cmt", "email002.dat"}));
  EXPECT_EQ(Subject(m[2]), "OTHER file");
  EXPECT_EQ(Body(m[2]), "--\r\nSave the attachments into TURNS directory.\r\nOTHER/turn7.trn");
  EXPECT_FALSE(QFileInfo::exists(App().instanceFolder + "/OTHER"));  // plain files are not copied
  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), status::Wait);
  EXPECT_EQ(FindGame("email002.cmt")->GetStatus(), status::Wait);
}

TEST_F(Send, ACancelledTauntStopsTheGroupAndAFailedSendRecordsNothing) {
  const GameList group = {IvansGame("email001.cmt", "KLT"), IvansGame("email002.cmt", "ZIP")};
  ui.Taunts({std::nullopt});
  EXPECT_FALSE(exchange->SendGroup("ivan@example.org", group, 0, 1, true, false));
  EXPECT_EQ(ui.tauntQuestions.size(), 1u);
  EXPECT_TRUE(server.Messages().empty());
  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), status::New);
  EXPECT_EQ(FindGame("email002.cmt")->GetStatus(), status::New);

  IniWrite("E-Mail", "SMTP_Port", "1");  // nobody listens there
  EXPECT_FALSE(exchange->SendGroup("ivan@example.org", group, 0, 1, false, false));
  EXPECT_FALSE(ui.boxes.empty());  // the mailer reported it
  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), status::New);
}

TEST_F(Send, ASentTurnWhoseRecordCannotBeStoredIsReportedAndTheGroupStops) {
  const GameList group = {IvansGame("email001.cmt", "KLT"), IvansGame("email002.cmt", "ZIP")};
  QFile::setPermissions(home.Ini(), QFile::ReadOwner | QFile::ReadGroup);  // read-only
  EXPECT_FALSE(exchange->SendGroup("ivan@example.org", group, 0, 1, false, false));
  EXPECT_EQ(server.Messages().size(), 1u);  // the KLT message left; the ZIP one did not
  ASSERT_TRUE(OneBoxStartsWith(ui, "Can't write the settings file " + home.Ini()));
  // Nothing claims the turn was recorded as sent.
  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), status::New);
}

TEST_F(Send, AMessageAlwaysGoesOutWithTheKltSubject) {
  const GameList group = {IvansGame("email001.cmt", "ZIP")};
  ui.Taunts({QString("Ready when you are"), QString("And the ZIP game")});
  ASSERT_TRUE(exchange->SendGroup("ivan@example.org", group, 0, 0, true, true)) << Said();
  const auto m = server.Messages();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(Subject(m[0]), "KOLT message");
  EXPECT_EQ(Body(m[0]), "Ready when you are\r\n--\r\n");  // no KLT game: empty games text
  EXPECT_EQ(Subject(m[1]), "SPWAW message");
  EXPECT_EQ(Body(m[1]), "And the ZIP game\r\n--\r\nSPWAW/email001.cmt (Scenario X)");
  EXPECT_TRUE(AttachmentNames(m[0]).isEmpty());
  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), status::New);  // a message sends no turn
}

TEST_F(Send, SelectionIsGroupedByAddressIgnoringCase) {
  GamePtr beta = IvansGame("email001.cmt", "KLT");
  GamePtr alpha1 = IvansGame("email002.cmt", "KLT");
  GamePtr alpha2 = Other("-");
  beta->SetEMail("beta@example.org");
  alpha1->SetEMail("Alpha@example.org");
  alpha2->SetEMail("alpha@example.org");
  const std::optional<GameList> list = OrderByAddress(ui, {beta, alpha1, alpha2});
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(*list, GameList({alpha1, alpha2, beta}));
  EXPECT_EQ(
      SendConfirmation(*list, false),
      "Are you sure you want to send these games?\r\rAlpha@example.org\r\tSPWAW : email002.cmt\r\tOTHER : "
      "turn7.trn\r\rbeta@example.org\r\tSPWAW : email001.cmt");
  EXPECT_EQ(AddressGroups(*list), (std::vector<std::pair<int, int>>{{0, 1}, {2, 2}}));

  ui.Answers({Answer::Ok});
  int refreshed = 0;
  EXPECT_EQ(SendSelectedGames(ui, *exchange, {beta, alpha1, alpha2}, false, false, [&] { ++refreshed; }),
            SendResult::Sent);
  EXPECT_EQ(refreshed, 1);
  const auto m = server.Messages();
  ASSERT_EQ(m.size(), 3u);  // alpha: KLT + plain OTHER; beta: KLT
  EXPECT_EQ(m[0]["rcpt_tos"].toArray().first().toString(), "alpha@example.org");  // the group's last address
  EXPECT_EQ(m[2]["rcpt_tos"].toArray().first().toString(), "beta@example.org");
  EXPECT_EQ(ui.statuses.last(), "Done!");

  ui.boxes.clear();
  alpha2->SetEMail("-");
  EXPECT_EQ(SendSelectedGames(ui, *exchange, {beta, alpha2}, false, false), SendResult::Refused);
  EXPECT_EQ(ui.Texts().first().split("\r\rLast").first().split("\r\r\r").first(),
            "Missing e-mail address:\r\rOTHER : turn7.trn");
  ui.boxes.clear();
  EXPECT_EQ(SendSelectedGames(ui, *exchange, {}, true, false), SendResult::Refused);
  EXPECT_TRUE(ui.Texts().first().startsWith("You have not selected any games."));
  EXPECT_EQ(server.Messages().size(), 3u);
}

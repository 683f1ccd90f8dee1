// Receiving turns on the real parts: Info-ZIP made archives, the real archive wrapper,
// the Steel Panthers adapter on files in a temporary installation, the real toolbox.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QRegularExpression>

#include "TurnsFixture.h"
#include "exchange/turns/FileReplace.h"
#include "exchange/turns/ReceiveEngine.h"
#include "exchange/turns/SenderRecord.h"
#include "mail/QtPrinters.h"
#include "model/Status.h"
#include "programs/SPWAW/SPWAW_Game.h"

using namespace kolt;
using namespace kolt::test;

namespace {

using Receive = TurnsTest;

QStringList Tree(const QString& root) {
  QStringList list;
  QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString p = it.next();
    list.append(p + " " + QString::number(QFileInfo(p).size()) + " " +
                QString::number(QFileInfo(p).lastModified().toMSecsSinceEpoch()));
  }
  list.sort();
  return list;
}

}  // namespace

TEST_F(Receive, KltOfANewGameIsCopiedAndRecorded) {
  const QString klt = OpponentTurn(Sender("ivan@example.org"), t0.addSecs(60));
  ASSERT_TRUE(exchange->ReceivedFile(klt)) << Said();
  EXPECT_TRUE(ui.boxes.empty()) << Said();  // everything NEW: nothing to ask

  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2");
  EXPECT_EQ(Modified(email + "/email001.dat"), t0.addSecs(60));  // the sender's time, kept
  EXPECT_EQ(Record("email001.cmt"), "ivan@example.org");
  EXPECT_EQ(FindGame("email001.cmt")->GetMode(), "KLT");  // a missing mode is KLT
  EXPECT_EQ(Record("email001.cmt/R"), FormatStamp(t0.addSecs(60)));
  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), status::Play);
  EXPECT_TRUE(CollectionHasKey(exchange->ReceivedPrograms(), "spwaw"));
  EXPECT_TRUE(CollectionHasKey(exchange->ReceivedGames(), "SPWAW\tEMAIL001.CMT"));
  EXPECT_TRUE(QFile::exists(klt));  // the opened attachment is the mail client's
  EXPECT_EQ(ui.statuses.last(), "Done!");
  EXPECT_TRUE(ui.statuses.contains("Receiving SPWAW files..."));
  EXPECT_FALSE(QDir(email + "/bak").exists());  // nothing was replaced
}

TEST_F(Receive, NewerVersionIsAnnouncedOncePerVersion) {
  const QString notice =
      "Your opponent ivan@example.org has a newer version of KOLT:\r\r1.2.0\r\rYour version is: 1.1.5\r\r"
      "You won't see this message again until somebody has a version greater than what your opponent has.";
  InstallGame(t0);
  int turn = 1;
  auto receive = [&](const QByteArray& version) {
    ui.boxes.clear();
    ++turn;
    const QString klt = OpponentTurn(Sender("ivan@example.org", version), t0.addSecs(60 * turn),
                                     "turn " + QByteArray::number(turn));
    EXPECT_TRUE(exchange->ReceivedFile(klt));
    return ui.Texts();
  };
  // The .aux is as new as the .dat, so nothing else is asked.
  EXPECT_EQ(receive("1.2.0"), QStringList({notice}));
  EXPECT_EQ(ui.boxes[0].icon, Icon::Information);
  EXPECT_EQ(IniRead("Settings", "Informed"), "1.2.0");
  EXPECT_EQ(receive("1.2.0"), QStringList());
  EXPECT_EQ(receive("1.1.9"), QStringList());
  QString later = notice;
  later.replace("KOLT:\r\r1.2.0", "KOLT:\r\r1.3.0");
  EXPECT_EQ(receive("1.3.0"), QStringList({later}));
  EXPECT_EQ(IniRead("Settings", "Informed"), "1.3.0");
}

TEST_F(Receive, OldFilesAreCopiedOnlyAfterTwoConfirmations) {
  InstallGame(t0.addSecs(600), "mine");  // the installed turn is newer than the received one
  IniWrite("SPWAW", "email001.cmt", "ivan@example.org");
  IniWrite("SPWAW", "email001.cmt/M", "-");
  const QString klt = OpponentTurn(Sender("ivan@example.org"), t0.addSecs(60));

  for (auto answers :
       {std::vector<Answer>{Answer::Cancel}, std::vector<Answer>{Answer::Ok, Answer::Cancel}}) {
    ui.boxes.clear();
    for (Answer a : answers) ui.Answers({a});
    EXPECT_TRUE(exchange->ReceivedFile(klt));
    EXPECT_EQ(ui.boxes.size(), answers.size());
    EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT mine");  // nothing copied
    EXPECT_EQ(Record("email001.cmt/R"), "");                   // nothing recorded
    EXPECT_FALSE(QDir(email + "/bak").exists());
  }
  const ScriptedUi::Box& first = ui.boxes[0];
  const QString expected =
      QString(
          "Received old SPWAW files:\r\r"
          "email001.aux (%1) is OLDER than email001.aux (%2)\r"
          "email001.dat (%1) is OLDER than email001.dat (%2)\r"
          "\rThese files were OK:\r\r"
          "email001.cmt (%3) is THE SAME as email001.cmt (%3)\r"
          "email001.cmt: The sender e-mail address ivan@example.org is THE SAME as ivan@example.org\r"
          "\rDo you still want to copy these files?")
          .arg(ReceiveEngine::DateText(t0.addSecs(60)), ReceiveEngine::DateText(t0.addSecs(600)),
               ReceiveEngine::DateText(t0));
  EXPECT_EQ(first.text, expected);
  EXPECT_EQ(first.title, "Steel Panthers: World at War");
  EXPECT_EQ(first.buttons, Buttons::OkCancel);
  EXPECT_EQ(first.defaultButton, 2);
  EXPECT_EQ(ui.boxes[1].text, expected + "\r\rARE YOU REALLY SURE??");
  EXPECT_EQ(ui.boxes[1].defaultButton, 2);

  ui.boxes.clear();
  ui.Answers({Answer::Ok, Answer::Ok});
  EXPECT_TRUE(exchange->ReceivedFile(klt));
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2");
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT mine");  // the replaced file, kept
  EXPECT_EQ(Modified(email + "/bak/email001.dat"), t0.addSecs(600));
  // The backup is the old file alone: the game writing its new turn in place leaves it be.
  {
    QFile installed(email + "/email001.dat");
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly | QIODevice::Truncate));
    installed.write("DAT turn 3");
  }
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT mine");
  EXPECT_EQ(Record("email001.cmt/R"), FormatStamp(t0.addSecs(60)));
  EXPECT_EQ(Record("email001.cmt/M"), "KLT");  // a KLT tells that the opponent has this program
}

TEST_F(Receive, ADifferentSenderIsAskedAboutAndThenStored) {
  InstallGame(t0);
  IniWrite("SPWAW", "email001.cmt", "old@example.org; other@example.org");
  ui.Answers({Answer::Ok, Answer::Ok});
  ASSERT_TRUE(exchange->ReceivedFile(OpponentTurn(Sender("new@example.org"), t0.addSecs(60))));
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_TRUE(
      ui.boxes[0].text.startsWith("Received old SPWAW files:\r\remail001.cmt: The sender e-mail address "
                                  "new@example.org is DIFFERENT than "
                                  "old@example.org; other@example.org\r"));
  EXPECT_EQ(Record("email001.cmt"), "new@example.org");

  // An address among a stored list (blanks after ";" are allowed) is the same sender.
  IniWrite("SPWAW", "email001.cmt", "old@example.org; New@Example.org");
  ui.boxes.clear();
  ASSERT_TRUE(exchange->ReceivedFile(OpponentTurn(Sender("new@example.org"), t0.addSecs(120))));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(Record("email001.cmt"), "old@example.org; New@Example.org");
}

TEST_F(Receive, AFileFromTheFutureGetsTheCurrentTime) {
  // An even second: the DOS time of a ZIP entry keeps no more.
  const QDateTime future =
      QDateTime::fromSecsSinceEpoch(QDateTime::currentDateTime().addDays(2).toSecsSinceEpoch() / 2 * 2);
  const QString klt = MakeKlt("future", Sender("ivan@example.org"), [&](const QString& dir) {
    MakeSpwawGame(dir, "email001", "Scenario X", t0);
    SetTime(dir + "/email001.dat", future);
  });
  const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
  ASSERT_TRUE(exchange->ReceivedFile(klt));
  ASSERT_EQ(ui.boxes.size(), 1u);
  const QString unpacked = TurnExchange::ReceiveFolder() + "/SPWAW/email001.dat";
  EXPECT_EQ(ui.boxes[0].text, "File '" + unpacked + "' modification date was in the future, fixed:\r\n\r\n" +
                                  ReceiveEngine::DateText(future));
  EXPECT_EQ(ui.boxes[0].icon, Icon::Information);
  const QDateTime copied = Modified(email + "/email001.dat");
  EXPECT_GE(copied, before);
  EXPECT_LE(copied, QDateTime::currentDateTime());
}

TEST_F(Receive, AnArchiveLeavingItsFolderIsRefusedWhole) {
  InstallGame(t0);
  const QString klt = home.Root() + "/outbox/evil.KLT";
  QDir().mkpath(home.Root() + "/outbox");
  const QString script =
      "import zipfile,sys\n"
      "z=zipfile.ZipFile(sys.argv[1],'w')\n"
      "z.writestr('SENDER.TXT','ivan@example.org\\r\\n')\n"
      "z.writestr('SPWAW/email001.dat','EVIL')\n"
      "z.writestr('../../../games/SPWAW/EMAIL/email001.aux','EVIL')\n"
      "z.writestr('..\\\\..\\\\escaped.txt','EVIL')\n"
      "z.close()\n";
  ASSERT_EQ(RunIn(home.Root(), "/usr/bin/python3", {"-c", script, klt}), 0);
  const QStringList before = Tree(home.Root() + "/games") + Tree(home.Path());

  EXPECT_FALSE(exchange->ReceivedFile(klt));
  EXPECT_TRUE(ui.Texts().join("\n").startsWith("Decompress failed")) << Said();
  QStringList after = Tree(home.Root() + "/games") + Tree(home.Path());
  // Only our own unpacking folder may change (it stays, empty, until the next receive).
  const auto ours = [](const QString& line) {
    return line.startsWith(App().instanceFolder + " ") ||
           line.startsWith(App().instanceFolder + "/received ");
  };
  after.removeIf(ours);
  QStringList expected = before;
  expected.removeIf(ours);
  EXPECT_EQ(after.join("\n").toStdString(), expected.join("\n").toStdString());
  EXPECT_FALSE(QFile::exists(home.Root() + "/escaped.txt"));
  EXPECT_EQ(Record("email001.cmt/R"), "");
}

TEST_F(Receive, OldBakCopyIsDroppedAndTheReplacedFileBackedUp) {
  InstallGame(t0, "mine");
  WriteAt(email + "/email001.dat.bak", "ancient", t0.addDays(-9));
  ASSERT_TRUE(ReceiveTurn(t0.addSecs(60)));
  EXPECT_FALSE(QFile::exists(email + "/email001.dat.bak"));
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT mine");
  EXPECT_EQ(ReadFile(email + "/bak/email001.aux"), "AUX mine");
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2");
  // No temporary copies are left behind.
  EXPECT_EQ(QDir(email).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression("^\\.")),
            QStringList());
}

TEST_F(Receive, WithoutSenderTxtTheUserDecides) {
  const QString klt = MakeKlt("nosender", QByteArray(),
                              [&](const QString& dir) { MakeSpwawGame(dir, "email001", "Scenario X", t0); });
  ui.Answers({Answer::Cancel});
  EXPECT_FALSE(exchange->ReceivedFile(klt));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Didn't receive SENDER.TXT. Do you want to continue?");
  EXPECT_FALSE(QFile::exists(email + "/email001.dat"));

  ui.Answers({Answer::Ok});
  EXPECT_TRUE(exchange->ReceivedFile(klt));
  EXPECT_TRUE(QFile::exists(email + "/email001.dat"));
  EXPECT_EQ(Record("email001.cmt"), "");  // no sender, no address
  EXPECT_FALSE(exchange->ReceivedFile(home.Root() + "/missing.KLT"));
  EXPECT_TRUE(ui.Texts().last().startsWith("Can't get file: " + home.Root() + "/missing.KLT"));
}

TEST(SenderFile, ToleratesWhateverArrives) {
  SenderRecord r = ParseSenderFile("a@b.c\n(GMT+1) CET\n-60\n1.2.3");
  EXPECT_EQ(r.address, "a@b.c");
  EXPECT_EQ(r.timeZoneText, "(GMT+1) CET");
  EXPECT_EQ(r.bias, -60);
  EXPECT_EQ(r.version, "1.2.3");
  r = ParseSenderFile("  a@b.c  \r\n");
  EXPECT_EQ(r.address, "a@b.c");
  EXPECT_EQ(r.version, "");
  r = ParseSenderFile(QByteArray(1 << 20, 'x') + "\r\nz\r\n0\r\n9.9.9\r\n");
  // A huge line is cut (still far too long to be taken as addresses), later lines are
  // never reached.
  EXPECT_EQ(r.address.size(), 1024);
  EXPECT_EQ(r.version, "");
  r = ParseSenderFile("a\x01\x1b[31m@b\r\nzone\r\n99999999999\r\n1.0\r\n");
  EXPECT_FALSE(r.address.contains(QChar(0x1b)));
  EXPECT_EQ(r.bias, 24 * 60);
  // A bias of more digits than any integer holds (found by fuzzing) ends at the limit.
  r = ParseSenderFile("a@b.c\r\nzone\r\n35555555555555555555555(\r\n1.0\r\n");
  EXPECT_EQ(r.bias, 24 * 60);
  r = ParseSenderFile("a@b.c\r\nzone\r\n-35555555555555555555555\r\n1.0\r\n");
  EXPECT_EQ(r.bias, -24 * 60);
  EXPECT_EQ(SenderFileBytes(SenderRecord{"me@x.org", "(GMT+1) CET", -60, "3.0.0"}),
            "me@x.org\r\n(GMT+1) CET\r\n-60\r\n3.0.0\r\n");
  // What is written reads back as it was (found by fuzzing): Windows-1252 where it can,
  // the whole file in UTF-8 where a field needs it or the bytes would read as UTF-8.
  for (const SenderRecord& record :
       {SenderRecord{"j\u00f6rg@x.de", "(GMT+1) Mitteleurop\u00e4ische Zeit", -60, "3"},
        SenderRecord{"j\u00f6rg@x.de", "(GMT+3) \u041c\u043e\u0441\u043a\u0432\u0430", -180, "3"},
        SenderRecord{"a@b.c", "\u00c3\u20ac", 0, "1"}}) {
    const SenderRecord back = ParseSenderFile(SenderFileBytes(record));
    EXPECT_EQ(back.address, record.address);
    EXPECT_EQ(back.timeZoneText, record.timeZoneText);
  }
  EXPECT_EQ(
      SenderFileBytes(SenderRecord{"a@b.c", "(GMT+1) Mitteleurop\u00e4ische Zeit", -60, "3"}).count('\xe4'),
      1);
}

TEST(FileReplace, PlainNamesOnly) {
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "..\\x", "a\nb"})
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  for (const char* good : {"email001.cmt", "..x", "a b.DAT"}) EXPECT_TRUE(IsPlainFileName(good)) << good;
}

TEST_F(Receive, UnsafeOrOddFilesAreRefusedAndListed) {
  const QString in = home.Root() + "/in";
  QDir().mkpath(in);
  WriteFile(in + "/a\\b.dat", "x");
  QFile::link("/etc/hostname", in + "/link.dat");
  ReceiveRecords records;
  ReceiveEngine engine(ui, tools, records);
  engine.BeginReceive(Spwaw());
  engine.AddReceivedFile(in + "/a\\b.dat", email, true, "", "", false, "EMAIL", "");
  engine.AddReceivedFile(in + "/link.dat", email, true, "", "", false, "EMAIL", "");
  EXPECT_EQ(
      engine.WarningText(),
      "File 'a\\b.dat' is not a plain file name, refused\rFile 'link.dat' is not a regular file, refused\r");
  ui.Answers({Answer::Ok, Answer::Ok});
  EXPECT_TRUE(engine.FinishReceive("", std::make_shared<SPWAW_Game>(ui), false));
  EXPECT_EQ(QDir(email).entryList(QDir::Files), QStringList());
}

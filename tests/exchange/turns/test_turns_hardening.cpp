// Receiving from a hostile peer and after bad luck: a SENDER.TXT whose address carries
// SMTP parameters or is too long, pipes where files belong, the leftovers of a killed
// receive, the same turn received twice; and the check of stored addresses at send time.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include "TurnsFixture.h"
#include "core/AtomicFile.h"
#include "core/Pass.h"
#include "exchange/turns/FileReplace.h"
#include "exchange/turns/SendSelection.h"
#include "mail/QtPrinters.h"
#include "model/Status.h"
#include "support/OneBox.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// A hang on a pipe ends the test with SIGALRM instead of holding it until the CTest
// timeout.
class Watchdog {
 public:
  explicit Watchdog(unsigned seconds) { ::alarm(seconds); }
  ~Watchdog() { ::alarm(0); }
};

void MakeFifo(const QString& path) {
  QFile::remove(path);
  ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
}

bool IsFifo(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

using Hardening = TurnsTest;

// 24 addresses, 287 characters: longer than a settings value.
QString LongAddressList() {
  QStringList list;
  for (int i = 10; i < 34; ++i) list.append("user" + QString::number(i) + "@e.ch");
  return list.join(";");
}

}  // namespace

TEST_F(Hardening, APeersAddressThatIsNotAMailboxListIsNeverStored) {
  const QByteArray cases[] = {
      "opponent@example.org> NOTIFY=NEVER ORCPT=rfc822;x@y; spy@third.example",
      "Opponent <opponent@example.org>",
      "opponent@example.org, spy@third.example",
      "opponent@example.org;;spy@third.example",
      LongAddressList().toLatin1(),  // cut, it would end in "user33@e" or so
  };
  int turn = 1;
  for (const QByteArray& address : cases) {
    SCOPED_TRACE(address.toStdString());
    IniWrite("SPWAW", "email001.cmt", "");
    ui.boxes.clear();
    ui.Answers({Answer::Ok, Answer::Ok});
    ++turn;
    ASSERT_TRUE(exchange->ReceivedFile(
        OpponentTurn(Sender(address), t0.addSecs(60 * turn), "turn " + QByteArray::number(turn))));
    // Received as from an unnamed sender, after the user saw why.
    EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn " + QByteArray::number(turn));
    EXPECT_EQ(Record("email001.cmt"), "");
    EXPECT_EQ(Record("email001.cmt/R"), FormatStamp(t0.addSecs(60 * turn)));
    ASSERT_EQ(ui.boxes.size(), 2u) << Said();
    EXPECT_TRUE(ui.boxes[0].text.startsWith(
        "Received old SPWAW files:\r\rThe sender e-mail address in SENDER.TXT is not valid and was not "
        "taken: "))
        << ui.boxes[0].text.toStdString();
    EXPECT_FALSE(ui.boxes[0].text.contains("is NEW: opponent")) << ui.boxes[0].text.toStdString();
  }
  // A sound address after them is taken as before, without a question.
  ui.boxes.clear();
  ASSERT_TRUE(exchange->ReceivedFile(
      OpponentTurn(Sender("opponent@example.org; second@example.org"), t0.addSecs(3600), "turn 99")));
  EXPECT_TRUE(ui.boxes.empty()) << Said();
  EXPECT_EQ(Record("email001.cmt"), "opponent@example.org; second@example.org");
}

TEST_F(Hardening, AStoredAddressIsCheckedAgainWhenSent) {
  MakeSpwawGame(email, "email001", "Scenario X", t0);
  GamePtr game = FindGame("email001.cmt");
  ASSERT_TRUE(game);
  const QString label = "SPWAW : email001.cmt";
  IniWrite("SPWAW", "email001.cmt", "opponent@example.org> NOTIFY=NEVER; spy@third.example");
  EXPECT_FALSE(OrderByAddress(ui, {game}).has_value());
  ASSERT_TRUE(OneBoxStartsWith(
      ui, "The e-mail address of this game is not valid; fix it in the game's properties:\r\r" + label +
              "\r\r\"opponent@example.org> NOTIFY=NEVER\" is not an e-mail address."));

  // A list longer than a settings value reads back cut, and its last address mangled
  // into another valid-looking one: it is never mailed to.
  IniWrite("SPWAW", "email001.cmt", LongAddressList());
  ClearIniCache();
  ASSERT_EQ(game->GetEMail().size(), 255);
  ui.boxes.clear();
  EXPECT_EQ(SendSelectedGames(ui, *exchange, {game}, false, false), SendResult::Refused);
  ASSERT_EQ(ui.boxes.size(), 1u);  // refused before the confirmation
  EXPECT_TRUE(ui.boxes[0].text.contains(label + "\r\rThe stored address list is longer than 255 characters "
                                                "and was cut."))
      << ui.boxes[0].text.toStdString();
  {
    Pass pass;  // read from what a pass gathered, too
    IniWrite("SPWAW", "email001.cmt", LongAddressList());
    ui.boxes.clear();
    EXPECT_FALSE(OrderByAddress(ui, {game}).has_value());
    EXPECT_EQ(ui.boxes.size(), 1u);
    IniWrite("SPWAW", "email001.cmt", "opponent@example.org");
    ui.boxes.clear();
    EXPECT_TRUE(OrderByAddress(ui, {game}).has_value());
    EXPECT_TRUE(ui.boxes.empty());
  }
}

TEST_F(Hardening, TheSameTurnReceivedTwiceKeepsTheBackupOfTheTurnBefore) {
  MakeSpwawGame(email, "email001", "Scenario X", t0, "mine");
  IniWrite("SPWAW", "email001.cmt", "ivan@example.org");
  const QString klt = OpponentTurn(Sender("ivan@example.org"), t0.addSecs(60));
  ASSERT_TRUE(exchange->ReceivedFile(klt));
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2");
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT mine");
  const QString firstRecord = Record("email001.cmt/R");
  const int inPlaceBefore = exchange->Records().filesInPlace;

  // Opened again: the checks and questions are those of any receive ("THE SAME as",
  // asked twice as old files), the files are in place already, and the game is recorded.
  IniWrite("SPWAW", "email001.cmt/R", "");
  ui.boxes.clear();
  ui.Answers({Answer::Ok, Answer::Ok});
  ASSERT_TRUE(exchange->ReceivedFile(klt));
  ASSERT_EQ(ui.boxes.size(), 2u) << Said();
  EXPECT_TRUE(ui.boxes[0].text.contains("email001.dat (" + ReceiveEngine::DateText(t0.addSecs(60)) +
                                        ") is THE SAME as email001.dat"));
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2");
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT mine");  // not the turn itself
  EXPECT_EQ(ReadFile(email + "/bak/email001.aux"), "AUX mine");
  EXPECT_EQ(Record("email001.cmt/R"), firstRecord);
  EXPECT_EQ(exchange->Records().filesInPlace - inPlaceBefore, 3);

  // A file that differs only in its bytes is copied and backed up as ever.
  const QString next = OpponentTurn(Sender("ivan@example.org"), t0.addSecs(60), "turn 3");
  ui.Answers({Answer::Ok, Answer::Ok});
  ASSERT_TRUE(exchange->ReceivedFile(next));
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 3");
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT turn 2");
}

TEST_F(Hardening, APipeWhereAFileBelongsNeverBlocks) {
  Watchdog watchdog(60);
  MakeSpwawGame(email, "email001", "Scenario X", t0, "mine");
  MakeFifo(email + "/email001.dat");
  ASSERT_TRUE(ReceiveTurn(t0.addSecs(60)));
  EXPECT_TRUE(
      Shown(ui, "Can't copy file email001.dat to " + email + "/email001.dat: it is not a regular file"));
  EXPECT_TRUE(IsFifo(email + "/email001.dat"));
  EXPECT_EQ(Record("email001.cmt/R"), "");  // a stopped copy pass records nothing

  // Where the backup goes, a pipe under the backup's name is replaced, never read.
  QFile::remove(email + "/email001.dat");
  WriteAt(email + "/email001.dat", "DAT mine", t0);
  QDir().mkpath(email + "/bak");
  MakeFifo(email + "/bak/email001.dat");
  ui.boxes.clear();
  ui.Answers({Answer::Ok, Answer::Ok});  // the file copied before the stop is THE SAME now
  ASSERT_TRUE(ReceiveTurn(t0.addSecs(60)));
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2") << Said();
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT mine");

  // The building blocks on their own.
  MakeFifo(home.Root() + "/pipe");
  EXPECT_FALSE(ReplaceWithCopy(home.Root() + "/pipe", home.Root() + "/copy"));
  EXPECT_FALSE(SameContent(home.Root() + "/pipe", email + "/email001.dat"));
  EXPECT_FALSE(IsFaithfulCopy(home.Root() + "/pipe", email + "/email001.dat"));

  // Pipes saved into the working folder are left there.
  const QString work = home.Root() + "/work";
  App().workingFolder = work;
  QDir().mkpath(work + "/SPWAW");
  MakeFifo(work + "/KOLT.KLT");
  MakeFifo(work + "/SPWAW/email001.dat");
  MakeFifo(work + "/SPWAW/turn.zip");
  exchange->ProcessWorkingFolder();
  EXPECT_EQ(ui.statuses.last(), "Done!");
  EXPECT_TRUE(IsFifo(work + "/SPWAW/email001.dat"));
  EXPECT_TRUE(IsFifo(work + "/KOLT.KLT"));
}

// Links someone else planted in a game folder: the backup folder itself, or named like a
// game file, like its backup in bak/, or like the old-style ".bak" beside it. None of
// them leads a write outside.
TEST_F(Hardening, ALinkInAGameFolderIsNeverWrittenThrough) {
  MakeSpwawGame(email, "email001", "Scenario X", t0, "mine");
  const QString outside = home.Root() + "/outside";
  QDir().mkpath(outside);
  ASSERT_TRUE(QFile::link(outside, email + "/bak"));
  ASSERT_TRUE(ReceiveTurn(t0.addSecs(60)));
  EXPECT_TRUE(Shown(ui, "Error while making backup of file " + email + "/email001"));
  EXPECT_EQ(QDir(outside).entryList(QDir::Files | QDir::Hidden), QStringList());
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT mine");
  EXPECT_EQ(Record("email001.cmt/R"), "");

  ASSERT_TRUE(QFile::remove(email + "/bak"));
  QDir().mkpath(email + "/bak");
  ui.boxes.clear();
  WriteFile(outside + "/backup", "precious 1");
  WriteFile(outside + "/dotbak", "precious 2");
  ASSERT_TRUE(QFile::link(outside + "/backup", email + "/bak/email001.dat"));
  ASSERT_TRUE(QFile::link(outside + "/dotbak", email + "/email001.dat.bak"));
  ASSERT_TRUE(ReceiveTurn(t0.addSecs(60)));
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2") << Said();
  // The backup link was replaced by the backup itself; the old ".bak" link went alone.
  EXPECT_FALSE(QFileInfo(email + "/bak/email001.dat").isSymLink());
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT mine");
  EXPECT_FALSE(QFileInfo(email + "/email001.dat.bak").isSymLink());
  EXPECT_EQ(ReadFile(outside + "/backup"), "precious 1");
  EXPECT_EQ(ReadFile(outside + "/dotbak"), "precious 2");

  // A game file that is a link stops the copy there; what it leads to stays as it was.
  ASSERT_TRUE(QFile::remove(email + "/email001.aux"));
  WriteFile(outside + "/aux", "precious 3");
  ASSERT_TRUE(QFile::link(outside + "/aux", email + "/email001.aux"));
  ui.boxes.clear();
  ReceiveTurn(t0.addSecs(120), "turn 3");
  EXPECT_TRUE(Shown(ui, email + "/email001.aux: it is not a regular file"));
  EXPECT_EQ(ReadFile(outside + "/aux"), "precious 3");
  EXPECT_TRUE(QFileInfo(email + "/email001.aux").isSymLink());
  EXPECT_EQ(QDir(outside).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"aux", "backup", "dotbak"}));
}

// The game folder itself swapped for a link after the receive looked at it: while the
// player is asked, and again in the middle of the copy.
TEST_F(Hardening, AGameFolderSwappedForALinkIsNeverWrittenThrough) {
  MakeSpwawGame(email, "email001", "Scenario X", t0, "mine");
  const QString outside = home.Root() + "/outside";
  QDir().mkpath(outside);
  const QStringList nothing;
  auto swapTo = [&](const QString& aside) {
    ASSERT_TRUE(QDir().rename(email, aside));
    ASSERT_TRUE(QFile::link(outside, email));
  };
  auto swapBack = [&](const QString& aside) {
    ASSERT_TRUE(QFile::remove(email));
    ASSERT_TRUE(QDir().rename(aside, email));
  };
  const auto everything = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;

  // An older turn is asked about; the folder is swapped while the question is open.
  ui.onBox = [&](const QString&) {
    ui.onBox = nullptr;
    swapTo(game + "/EMAIL.real");
  };
  ui.Answers({Answer::Ok, Answer::Ok});
  ReceiveTurn(t0.addSecs(-60));
  EXPECT_TRUE(Shown(ui, "its folder is not a real folder"));
  EXPECT_EQ(QDir(outside).entryList(everything), nothing);
  swapBack(game + "/EMAIL.real");
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT mine");

  // A newer turn: the folder is swapped once the first file is on its way. The rest
  // still goes into the folder that was checked, wherever it is now.
  ui.onStatus = [&](const QString& text) {
    if (!text.startsWith(email + "/")) return;
    ui.onStatus = nullptr;
    swapTo(game + "/EMAIL.moved");
  };
  ReceiveTurn(t0.addSecs(60));
  EXPECT_EQ(QDir(outside).entryList(everything), nothing) << Said();
  EXPECT_EQ(ReadFile(game + "/EMAIL.moved/email001.dat"), "DAT turn 2");
  EXPECT_EQ(ReadFile(game + "/EMAIL.moved/bak/email001.dat"), "DAT mine");
}

TEST_F(Hardening, AKilledReceivesLeftoversGoWithTheNextReceive) {
  MakeSpwawGame(email, "email001", "Scenario X", t0, "mine");
  QDir().mkpath(email + "/bak");
  // What a copy killed in the middle leaves: its temporaries, here and in bak/.
  const QStringList stale = {email + "/.email001.dat.a1B2c3", email + "/.email002.aux.ZZZZZZ",
                             email + "/bak/.email001.dat.Qx9fT0", email + "/bak/.email001.dat.link.4242"};
  // What only looks like ours, as old as they are.
  const QStringList lookAlikes = {email + "/.email001.dat.abc12",
                                  email + "/.email001.dat.abc1234",
                                  email + "/.email001.dat.ab-c12",
                                  email + "/email001.dat.a1B2c3",
                                  email + "/.email001.dat.link.x1",
                                  email + "/bak/.email001.dat.link.",
                                  email + "/.a1B2c3",
                                  email + "/notes.txt"};
  for (const QString& path : stale) WriteFile(path, "partial");
  for (const QString& path : lookAlikes) WriteFile(path, "mine");
  const QString linkLookAlike = email + "/.email009.dat.L1nk00";
  ASSERT_TRUE(QFile::link(email + "/notes.txt", linkLookAlike));
  const QString folderLookAlike = email + "/.email009.dat.F0lder";
  QDir().mkpath(folderLookAlike);
  // The age is that of the last status change, which only the clock can make: the test
  // shortens the limit and waits past it. A copy still at work changed just now.
  QThread::msleep(2500);
  const QString fresh = email + "/.email003.dat.k3Lm9Q";
  WriteFile(fresh, "being written");
  SetTime(fresh, t0);  // a copy carries the old time of what it copies
  // A backup link of a process that is gone goes at once; one of a running process
  // (the one that started this test) waits for the age rule.
  QProcess gone;
  gone.start("sleep", {"0"});
  ASSERT_TRUE(gone.waitForStarted());
  const qint64 deadPid = gone.processId();
  ASSERT_TRUE(gone.waitForFinished());
  const QString deadLink = email + "/bak/.email001.aux.link." + QString::number(deadPid);
  const QString liveLink = email + "/bak/.email001.aux.link." + QString::number(::getppid());
  WriteFile(deadLink, "partial");
  WriteFile(liveLink, "partial");

  exchange->SetStaleTemporaryAge(2);
  ASSERT_TRUE(ReceiveTurn(t0.addSecs(60)));
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2");
  for (const QString& path : lookAlikes) EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
  EXPECT_TRUE(QFileInfo(linkLookAlike).isSymLink());
  EXPECT_TRUE(QFileInfo(folderLookAlike).isDir());
  // The hidden files left, here and in bak/, are exactly the look-alikes, the copy still
  // at work and the running process's link: nothing stale, nothing of the receive's own.
  QStringList left;
  for (const QString& folder : {email, email + "/bak"}) {
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
      if (name.startsWith('.')) left.append(folder + "/" + name);
  }
  QStringList kept =
      QStringList{fresh, linkLookAlike, liveLink} + lookAlikes.filter(QRegularExpression("/\\.[^/]*$"));
  left.sort();
  kept.sort();
  EXPECT_EQ(left, kept);
}

TEST_F(Hardening, GameFilesWithTheLongestNamesAreReceivedBackedUpAndKept) {
  // 255 bytes with ".cmt": the longest name a file can have here, once in ASCII and once
  // in two-byte characters (a temporary's shortened name never cuts one in half).
  const QString ascii = "email" + QString(246, 'x');
  const QString wide = "email" + QString(123, QChar(0x00E4));
  for (const QString& base : {ascii, wide}) {
    SCOPED_TRACE(base.left(8).toStdString());
    ASSERT_EQ(QFile::encodeName(base + ".cmt").size(), 255);
    MakeSpwawGame(email, base, "Scenario X", t0, "mine");
    ASSERT_TRUE(
        exchange->ReceivedFile(OpponentTurn(Sender("ivan@example.org"), t0.addSecs(60), "turn 2", {base})))
        << Said();
    EXPECT_EQ(ReadFile(email + "/" + base + ".dat"), "DAT turn 2") << Said();
    EXPECT_EQ(ReadFile(email + "/bak/" + base + ".dat"), "DAT mine");
    EXPECT_EQ(Record(base + ".cmt/R"), FormatStamp(t0.addSecs(60)));
  }
  const QStringList hidden = QDir(email).entryList(QDir::Files | QDir::Hidden) +
                             QDir(email + "/bak").entryList(QDir::Files | QDir::Hidden);
  for (const QString& name : hidden) EXPECT_FALSE(name.startsWith('.')) << name.toStdString();

  // The temporaries' names: within the limit, recognised as ours, and apart for two
  // long names that differ only at their end.
  const QString other = ascii.left(ascii.size() - 1) + "y";
  for (const QString& name : {ascii + ".dat", wide + ".dat"}) {
    const QByteArray temporary = "." + TemporaryStem(name, 7) + ".a1B2c3";
    EXPECT_LE(temporary.size(), 255);
    EXPECT_TRUE(QString::fromUtf8(temporary).isValidUtf16());
    EXPECT_FALSE(QString::fromUtf8(temporary).contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(IsOwnTemporaryName(QFile::decodeName(temporary)));
    EXPECT_TRUE(IsOwnTemporaryName(QFile::decodeName("." + TemporaryStem(name, 14) + ".link.4242")));
  }
  EXPECT_NE(TemporaryStem(ascii + ".dat", 7), TemporaryStem(other + ".dat", 7));
  EXPECT_EQ(TemporaryStem("email001.dat", 7), "email001.dat");
}

TEST_F(Hardening, ABackupThatIsTheFileAlreadyStaysAndLeavesNothing) {
  // A receive run again after it was killed between backup and copy: the backup is a
  // second name of the installed file, and rename() between the two would do nothing.
  const QString file = email + "/email001.dat";
  const QString backup = email + "/bak/email001.dat";
  WriteAt(file, "DAT mine", t0);
  QDir().mkpath(email + "/bak");
  ASSERT_TRUE(::link(QFile::encodeName(file).constData(), QFile::encodeName(backup).constData()) == 0);
  EXPECT_TRUE(KeepAsBackup(file, backup));
  EXPECT_TRUE(IsFaithfulCopy(file, backup));
  EXPECT_EQ(QDir(email + "/bak").entryList(QDir::Files | QDir::Hidden), QStringList({"email001.dat"}));
}

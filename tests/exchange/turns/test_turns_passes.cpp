// Refreshes and receives at a player's scale, counted rather than timed: a pass lists
// each folder once, looks at the running processes once, converts each game's times
// once and writes the settings once, however many games there are, and never shows what
// was there before its own changes.
#include <dirent.h>
#include <dlfcn.h>

#include <QHash>

#include "TurnsFixture.h"
#include "core/FolderSnapshot.h"
#include "core/Pass.h"
#include "exchange/turns/FileReplace.h"
#include "exchange/turns/MailboxFetch.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "model/Stamp.h"
#include "programs/Adapters.h"
#include "programs/Se4SaveFile.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// Every folder this process opens for listing, also through QDir or any other library
// call: a listing that bypasses the snapshot is counted too.
QHash<QString, int>& OpenedFolders() {
  static QHash<QString, int> folders;
  return folders;
}

}  // namespace

extern "C" DIR* opendir(const char* name) {
  using Real = DIR* (*)(const char*);
  static Real real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "opendir"));
  OpenedFolders()[QDir::cleanPath(QFile::decodeName(name))] += 1;
  return real(name);
}

namespace {

class Passes : public TurnsTest {
 protected:
  void SetUp() override {
    TurnsTest::SetUp();
    // Combat Mission, Space Empires IV and a user-defined program beside Steel Panthers:
    // every adapter's folders count.
    QDir().mkpath(kolt);
    WriteFile(cmbo + "/Combat Mission.exe", "MZ");
    IniWrite("CMBO", "Directory", cmbo);
    QDir().mkpath(saves);
    WriteFile(se4 + "/se4.exe", "MZ");
    IniWrite("SE4", "Directory", se4);
    QDir().mkpath(turns);
    WriteFile(war + "/war.exe", "MZ");
    WriteFile(home.File("WARGAME.INI"),
              "[Settings]\r\nEXE=war.exe\r\nEMailSubDir=Turns\r\nKOLTFilePattern=*.sav\r\n"
              "Description=LINE1\r\nFileTypes=2\r\n"
              "[File0]\r\nExt=sav\r\nPrimary=1\r\nModified=1\r\n[File1]\r\nExt=dat\r\n");
    IniWrite("WARGAME", "Directory", war);
    ProgramRegistry registry(parts->ServicesFor(ui, tools), AdapterFactories());
    registry.BuildProgramList(programs);
    ASSERT_TRUE(programs.Contains("CMBO"));
    ASSERT_TRUE(programs.Contains("SE4"));
    ASSERT_TRUE(programs.Contains("WARGAME"));
  }
  // Per number one game of each program; the Space Empires IV ones are in turn a hosted
  // game with an order file in, a turn-based series of two saves and a client game; the
  // user-defined program's have a second file and, now and then, one of another kind.
  void AddGames(int from, int to) {
    Se4Save simultaneous;
    simultaneous.players = {Se4Player{1, "Terrans", "Me", "me@example.org"},
                            Se4Player{2, "Eee", "Them", "them@example.org"}};
    Se4Save turnBased = simultaneous;
    turnBased.type = "Turn Based";
    for (int i = from; i < to; ++i) {
      const QString base = QString("email%1").arg(i, 4, 10, QChar('0'));
      MakeSpwawGame(email, base, "Game " + QByteArray::number(i), t0);
      WriteAt(kolt + QString("/Battle%1_001.txt").arg(i), "turn", t0);
      if (i % 3 == 0) {
        WriteAt(saves + QString("/Galaxy%1.gam").arg(i), Se4SaveBytes(simultaneous), t0);
        WriteAt(saves + QString("/Galaxy%1_0002.plr").arg(i), "orders", t0.addSecs(60));
      } else if (i % 3 == 1) {
        WriteAt(saves + QString("/Duel%1_1.gam").arg(i), Se4SaveBytes(turnBased), t0);
        WriteAt(saves + QString("/Duel%1_2.gam").arg(i), Se4SaveBytes(turnBased), t0.addSecs(60));
      } else {
        WriteAt(saves + QString("/Nebula%1.gam").arg(i), Se4SaveBytes(simultaneous), t0);
        IniWrite("SE4", QString("Nebula%1").arg(i), "host@example.org");
      }
      const QString warBase = turns + QString("/war%1").arg(i);
      WriteAt(warBase + ".sav", "Campaign " + QByteArray::number(i) + "\r\nmore", t0);
      WriteAt(warBase + ".dat", "data", t0);
      if (i % 4 == 0) WriteAt(warBase + ".log", "not the game's", t0);
    }
  }
  QString cmbo = home.Root() + "/games/CM";
  QString kolt = cmbo + "/KOLT";
  QString se4 = home.Root() + "/games/SE4";
  QString saves = se4 + "/SAVEGAME";
  QString war = home.Root() + "/games/War";
  QString turns = war + "/Turns";
  struct Counted {
    Lists lists;
    long long listings = 0;  // by the snapshot
    // How often anyone opened for listing the folders of EMAIL, KOLT, SAVEGAME and the
    // user-defined program, in this order.
    QList<int> opened;
    long long writes = 0;
    long long scans = 0;        // looks at the running processes
    long long conversions = 0;  // file times made into stamps
  };
  QList<int> Opened() {
    return {OpenedFolders().value(email), OpenedFolders().value(kolt), OpenedFolders().value(saves),
            OpenedFolders().value(turns)};
  }
  // One refresh as the window and kolt-cli make it.
  Counted Refresh() {
    const long long listings = FolderListingCount();
    const long long writes = IniFileWriteCount();
    const long long scans = LinuxWintools::ProcessScanCount();
    const long long conversions = Stamp::ConversionCount();
    OpenedFolders().clear();
    Counted c;
    {
      Pass pass;
      exchange->ProcessWorkingFolder();
      c.lists = ReadLists(programs, true);
      // What the window asks again of a row it shows comes from what the pass kept.
      for (const GamePtr& game : c.lists.games) {
        game->GetStatus();
        game->GetDescription();
        game->GetModified();
      }
    }
    c.scans = LinuxWintools::ProcessScanCount() - scans;
    c.conversions = Stamp::ConversionCount() - conversions;
    c.listings = FolderListingCount() - listings;
    c.opened = Opened();
    c.writes = IniFileWriteCount() - writes;
    return c;
  }
  QString KltOf(const QString& name, int from, int to) {
    return MakeKlt(name, Sender("them@example.org"), [&](const QString& dir) {
      for (int i = from; i < to; ++i)
        MakeSpwawGame(dir, QString("email%1").arg(i), "Received " + QByteArray::number(i), t0.addDays(1));
    });
  }
  Counted Receive(const QString& klt) {
    const long long listings = FolderListingCount();
    const long long writes = IniFileWriteCount();
    OpenedFolders().clear();
    EXPECT_TRUE(exchange->ReceivedFile(klt));
    return Counted{{}, FolderListingCount() - listings, Opened(), IniFileWriteCount() - writes};
  }
};

}  // namespace

TEST_F(Passes, ARefreshListsTheSameFoldersForTenGamesAsForAThousand) {
  AddGames(0, 10);
  const Counted ten = Refresh();
  ASSERT_EQ(ten.lists.games.size(), 40u);
  AddGames(10, 1000);
  const Counted thousand = Refresh();
  ASSERT_EQ(thousand.lists.games.size(), 4000u);
  EXPECT_EQ(thousand.listings, ten.listings);
  EXPECT_LE(thousand.listings, 8);
  EXPECT_EQ(ten.opened, QList<int>({1, 1, 1, 1}));
  EXPECT_EQ(thousand.opened, QList<int>({1, 1, 1, 1}));
  EXPECT_EQ(thousand.writes, 0);
  // Four programs, one look at the processes. A time per game for its state file and one
  // for how long it waits, and one more per Space Empires IV game for its order files or
  // its series' other save, though its status and description both ask; a second
  // refresh costs what the first did.
  EXPECT_EQ(ten.scans, 1);
  EXPECT_EQ(thousand.scans, 1);
  EXPECT_LE(thousand.conversions, 2 * 4000 + 1000);
  EXPECT_EQ(Refresh().conversions, thousand.conversions);
  // Every row as the files say: three files each, backups left out.
  const GameRow& row = thousand.lists.gameRows[999];  // Steel Panthers first
  EXPECT_EQ(row.fileName, "email0999.cmt");
  EXPECT_EQ(row.info, "Game 999");
  EXPECT_EQ(row.size, QByteArray("Game 999").size() + 2 * QByteArray("DAT turn 1").size());
  EXPECT_EQ(row.status, "New");
  // Space Empires IV last: the newer save of a series stands for it, and each game's
  // status comes from its own order files.
  QHash<QString, const GameRow*> se4Rows;
  for (size_t i = 2000; i < 3000; ++i)
    se4Rows.insert(thousand.lists.gameRows[i].fileName, &thousand.lists.gameRows[i]);
  ASSERT_EQ(se4Rows.size(), 1000);
  ASSERT_TRUE(se4Rows.contains("Galaxy999.gam"));
  EXPECT_EQ(se4Rows["Galaxy999.gam"]->status, "Play");  // the other player's orders are in
  ASSERT_TRUE(se4Rows.contains("Duel1*.gam"));
  EXPECT_EQ(se4Rows["Duel1*.gam"]->info, "   12: Player 2");
  ASSERT_TRUE(se4Rows.contains("Nebula998.gam"));
  EXPECT_EQ(se4Rows["Nebula998.gam"]->status, "Play");
  // The user-defined program's games come after the built-in ones, described by their
  // first line, with the file of the second type and without the other.
  const GameRow& war = thousand.lists.gameRows[3000 + 3];  // in name order: war0, war1, war10, war100
  EXPECT_EQ(war.fileName, "war100.sav");
  EXPECT_EQ(war.info, "Campaign 100");
  EXPECT_EQ(war.size, QByteArray("Campaign 100\r\nmore").size() + 4);
  EXPECT_EQ(war.status, "New");
}

TEST_F(Passes, AReceiveListsTheSameFoldersAndWritesOnceForFiveGamesAsForAHundred) {
  AddGames(0, 200);  // a long history in the same folder
  const Counted five = Receive(KltOf("five", 1000, 1005));
  const Counted hundred = Receive(KltOf("hundred", 2000, 2100));
  EXPECT_EQ(hundred.listings, five.listings);
  EXPECT_EQ(hundred.opened[0], five.opened[0]);
  EXPECT_EQ(hundred.opened[0], 1);
  EXPECT_EQ(five.writes, 1);
  EXPECT_EQ(hundred.writes, 1);
  ClearIniCache();
  EXPECT_EQ(Record("email2099.cmt"), "them@example.org");
  EXPECT_EQ(IniRead("SPWAW", "email2099.cmt/R"), t0.addDays(1).toString("yyyy-MM-dd hh:mm:ss"));
}

TEST_F(Passes, AFetchOfManyTurnsListsTheGameFolderOnce) {
  for (int i = 0; i < 300; ++i)
    MakeSpwawGame(email, QString("email%1").arg(i, 4, 10, QChar('0')), "Game " + QByteArray::number(i), t0);
  MailboxFetch::Account account;
  account.stateKey = "me@example.org@127.0.0.1:993/INBOX";
  account.statePath = HomeFile("imap-state");
  account.downloadFolder = App().instanceFolder + "/mailbox";
  quint32 uid = 0;
  // The messages as a download leaves them: one "KOLT file" per turn, each with the KLT
  // of its own game, taken in as the mailbox check does after its download.
  auto fetch = [&](int from, int to) {
    std::vector<FetchedMessage> messages;
    for (int i = from; i < to; ++i) {
      const QByteArray klt = ReadFile(KltOf(QString("m%1").arg(i), i, i + 1));
      const QString path = account.downloadFolder + QString("/%1.eml").arg(++uid);
      EXPECT_TRUE(WriteFile(path,
                            "From: them@example.org\r\nTo: me@example.org\r\nSubject: KOLT file\r\n"
                            "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=XX\r\n\r\n"
                            "--XX\r\nContent-Type: application/octet-stream\r\n"
                            "Content-Disposition: attachment; filename=KOLT.KLT\r\n"
                            "Content-Transfer-Encoding: base64\r\n\r\n" +
                                klt.toBase64() + "\r\n--XX--\r\n"));
      messages.push_back(FetchedMessage{uid, path});
    }
    MailboxFetch check(ui, *exchange, programs);
    MailboxTally tally;
    OpenedFolders().clear();
    check.TakeIn(account, 1, messages, nullptr, &tally);
    EXPECT_EQ(tally.TakenIn(), to - from) << Said();
    return OpenedFolders().value(email);
  };
  EXPECT_EQ(fetch(1000, 1003), 1);
  EXPECT_EQ(fetch(2000, 2020), 1);
  ClearIniCache();
  EXPECT_EQ(Record("email2019.cmt"), "them@example.org");
  EXPECT_EQ(ReadFile(email + "/email1002.dat"), "DAT turn 1");
}

TEST_F(Passes, NothingStaleIsShownAfterAReceiveOrADeleteInTheSamePass) {
  AddGames(0, 3);
  const QString work = home.Root() + "/work";
  App().workingFolder = work;
  QDir().mkpath(work + "/SPWAW");
  // A newer turn of an existing game and a new game wait in the working folder.
  MakeSpwawGame(work + "/SPWAW", "email0001", "Game 1", t0.addDays(2), "turn 2, longer");
  MakeSpwawGame(work + "/SPWAW", "email0500", "New game", t0.addDays(2));
  const Counted after = Refresh();
  QStringList names;
  for (const GameRow& r : after.lists.gameRows) names.append(r.fileName);
  EXPECT_EQ(names, QStringList({"email0000.cmt", "email0001.cmt", "email0002.cmt", "email0500.cmt",
                                "Battle0_###.txt", "Battle1_###.txt", "Battle2_###.txt", "Duel1*.gam",
                                "Galaxy0.gam", "Nebula2.gam", "war0.sav", "war1.sav", "war2.sav"}));
  const GameRow& received = after.lists.gameRows[1];
  EXPECT_EQ(received.status, "Play");
  EXPECT_EQ(received.size, QByteArray("Game 1").size() + 2 * QByteArray("DAT turn 2, longer").size());
  EXPECT_EQ(after.writes, 1);

  {
    Pass pass;
    Lists before = ReadLists(programs, true);
    ASSERT_EQ(before.games.size(), 13u);
    before.games[0]->Delete();
    before.games[4]->Delete();   // a Combat Mission turn moves to its series' backup folder
    before.games[8]->Delete();   // a hosted game goes with its order files
    before.games[10]->Delete();  // a user-defined program's game with both its files
    const Lists later = ReadLists(programs, true);
    ASSERT_EQ(later.games.size(), 9u);
    EXPECT_EQ(later.gameRows[7].fileName, "war1.sav");
    EXPECT_EQ(later.gameRows[5].fileName, "Duel1*.gam");
    EXPECT_EQ(later.gameRows[6].fileName, "Nebula2.gam");
    EXPECT_EQ(later.gameRows[0].fileName, "email0001.cmt");
    EXPECT_EQ(later.gameRows[3].fileName, "Battle1_###.txt");
  }
  EXPECT_FALSE(QFileInfo::exists(email + "/email0000.dat"));
  EXPECT_FALSE(QFileInfo::exists(saves + "/Galaxy0_0002.plr"));
  EXPECT_FALSE(QFileInfo::exists(turns + "/war0.dat"));
  EXPECT_TRUE(QFileInfo::exists(turns + "/war0.log"));
}

// The turn history on the real parts: an SQLite file through Qt SQL, a second process
// holding its lock, a damaged file, receives through the real engine with Info-ZIP made
// archives, and the earlier turns kept in bak/history with their restore.
#include <gtest/gtest.h>

#include <QDirIterator>

#include "core/OverviewSettings.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/history/KeptTurns.h"
#include "exchange/history/TurnHistory.h"
#include "model/Status.h"
#include "support/SqliteLock.h"
#include "turns/TurnsFixture.h"

using namespace kolt;
using namespace kolt::test;

namespace {

TurnEntry Entry(const QString& game, TurnDirection direction, const QDateTime& time) {
  TurnEntry e;
  e.time = time;
  e.program = "SPWAW";
  e.game = game;
  e.direction = direction;
  e.opponent = "ivan@example.org";
  e.mode = "KLT";
  return e;
}

// The names of the turn's files, sorted.
QStringList FileNames(const TurnEntry& entry) {
  QStringList names;
  for (const TurnFile& f : entry.files) names.append(f.name);
  names.sort();
  return names;
}

QStringList FilesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files, QDir::Name);
}

TurnFile FileNamed(const TurnEntry& entry, const QString& name) {
  for (const TurnFile& f : entry.files) {
    if (f.name == name) return f;
  }
  ADD_FAILURE() << "no " << name.toStdString();
  return {};
}

class HistoryFile : public ::testing::Test {
 protected:
  TempHome home;
  QString path = home.File("history.sqlite");
  HistoryStore store{path};
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0), Qt::UTC);
};

}  // namespace

TEST_F(HistoryFile, TurnsComeBackNewestFirstWithTheirFilesPerGame) {
  TurnEntry sent = Entry("email001.cmt", TurnDirection::Sent, t0);
  sent.taunt = "Your tanks are mine";
  sent.files = {{"email001.dat", "/games/EMAIL", 1234, "2024-06-01 12:00:00"},
                {"email001.aux", "/games/EMAIL", 56, "2024-06-01 12:00:00"}};
  ASSERT_TRUE(store.Record(sent)) << store.LastError().toStdString();
  ASSERT_TRUE(store.Record(Entry("EMAIL001.CMT", TurnDirection::Received, t0.addSecs(3600))));
  ASSERT_TRUE(store.Record(Entry("email002.cmt", TurnDirection::Received, t0.addSecs(7200))));

  // The game is found without regard to case, newest first; other games stay out.
  const auto turns = store.Turns("spwaw", "Email001.cmt");
  ASSERT_TRUE(turns) << store.LastError().toStdString();
  ASSERT_EQ(turns->size(), 2u);
  EXPECT_EQ((*turns)[0].direction, TurnDirection::Received);
  EXPECT_EQ((*turns)[0].time, t0.addSecs(3600));
  EXPECT_TRUE((*turns)[0].files.empty());
  const TurnEntry& back = (*turns)[1];
  EXPECT_EQ(back.direction, TurnDirection::Sent);
  EXPECT_EQ(back.taunt, "Your tanks are mine");
  EXPECT_EQ(back.opponent, "ivan@example.org");
  EXPECT_EQ(back.mode, "KLT");
  ASSERT_EQ(back.files.size(), 2u);
  EXPECT_EQ(back.files[0].name, "email001.dat");
  EXPECT_EQ(back.files[0].size, 1234);
  EXPECT_EQ(back.files[0].stamp, "2024-06-01 12:00:00");
  EXPECT_EQ(back.files[1].name, "email001.aux");

  // Reading a history that was never written leaves no file behind.
  HistoryStore none(home.File("none.sqlite"));
  const auto empty = none.Turns("SPWAW", "x");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->empty());
  EXPECT_FALSE(QFileInfo::exists(home.File("none.sqlite")));
}

// What the games list reads once per refresh: per game the latest send and receive,
// whatever the case the game was recorded under; restores count as neither.
TEST_F(HistoryFile, TheLatestSendAndReceiveOfEveryGameInOneRead) {
  const auto none = store.LatestTurns();
  ASSERT_TRUE(none) << store.LastError().toStdString();
  EXPECT_TRUE(none->isEmpty());
  EXPECT_FALSE(QFileInfo::exists(path));
  ASSERT_TRUE(store.Record(Entry("email001.cmt", TurnDirection::Sent, t0)));
  ASSERT_TRUE(store.Record(Entry("EMAIL001.CMT", TurnDirection::Sent, t0.addSecs(7200))));
  ASSERT_TRUE(store.Record(Entry("email001.cmt", TurnDirection::Received, t0.addSecs(3600))));
  ASSERT_TRUE(store.Record(Entry("email001.cmt", TurnDirection::Restored, t0.addSecs(9000))));
  ASSERT_TRUE(store.Record(Entry(QString::fromUtf8("Überfall.cmt"), TurnDirection::Received, t0)));
  ASSERT_TRUE(
      store.Record(Entry(QString::fromUtf8("überfall.cmt"), TurnDirection::Received, t0.addSecs(60))));
  const auto latest = store.LatestTurns();
  ASSERT_TRUE(latest) << store.LastError().toStdString();
  ASSERT_EQ(latest->size(), 2);
  const TurnMoments first = latest->value("SPWAW\tEMAIL001.CMT");
  EXPECT_EQ(first.sent, t0.addSecs(7200));
  EXPECT_EQ(first.received, t0.addSecs(3600));
  const TurnMoments second = latest->value(QString::fromUtf8("SPWAW\tÜBERFALL.CMT"));
  EXPECT_FALSE(second.sent.isValid());
  EXPECT_EQ(second.received, t0.addSecs(60));
}

TEST_F(HistoryFile, ALockedOrDamagedFileFailsWithAReason) {
  ASSERT_TRUE(store.Record(Entry("email001.cmt", TurnDirection::Sent, t0)));
  store.SetBusyTimeout(200);
  {
    SqliteLock lock(path);
    TurnEntry e = Entry("email001.cmt", TurnDirection::Received, t0.addSecs(60));
    e.files = {{"email001.dat", "/g", 1, "2024-06-01 10:01:00"}};
    EXPECT_FALSE(store.Record(e));
    EXPECT_TRUE(store.LastError().contains("locked")) << store.LastError().toStdString();
  }
  // Nothing of the failed entry was written, not even its files.
  ASSERT_TRUE(store.Record(Entry("email001.cmt", TurnDirection::Received, t0.addSecs(120))));
  const auto turns = store.Turns("SPWAW", "email001.cmt");
  ASSERT_TRUE(turns);
  ASSERT_EQ(turns->size(), 2u);
  EXPECT_EQ((*turns)[0].time, t0.addSecs(120));
  EXPECT_TRUE((*turns)[0].files.empty());

  // A damaged file is reported and left as it was.
  const QByteArray garbage = QByteArray("this is not a database ").repeated(200);
  ASSERT_TRUE(WriteFile(home.File("damaged.sqlite"), garbage));
  HistoryStore damaged(home.File("damaged.sqlite"));
  EXPECT_FALSE(damaged.Record(Entry("email001.cmt", TurnDirection::Sent, t0)));
  EXPECT_FALSE(damaged.LastError().isEmpty());
  EXPECT_FALSE(damaged.Turns("SPWAW", "email001.cmt"));
  EXPECT_FALSE(damaged.LastError().isEmpty());
  EXPECT_EQ(ReadFile(home.File("damaged.sqlite")), garbage);
}

// Receives through the real engine: each replaced turn kept, the history written.
class HistoryReceive : public TurnsTest {
 protected:
  void SetUp() override {
    TurnsTest::SetUp();
    MakeSpwawGame(email, "email001", "Scenario X", t0, "turn 1");
    IniWrite("SPWAW", "email001.cmt", "ivan@example.org");
  }
  // The opponent's turn: .dat and .aux at `when`, the comment file unchanged.
  bool Receive(const QByteArray& turn, const QDateTime& when) {
    return exchange->ReceivedFile(OpponentTurn(Sender("ivan@example.org"), when, turn));
  }
  std::vector<TurnEntry> Turns(const QString& game = "email001.cmt") {
    HistoryStore store(HistoryStore::DefaultPath());
    auto turns = store.Turns("SPWAW", game);
    EXPECT_TRUE(turns) << store.LastError().toStdString();
    return turns ? *turns : std::vector<TurnEntry>();
  }
  QStringList Kept() { return kept_turns::Stamps(email, "email001.cmt"); }
  // Where the turn of `game` replaced at `when` is kept.
  QString KeptAt(const QDateTime& when, const QString& game = "email001.cmt") {
    return kept_turns::TurnFolder(email, game, FormatStamp(when));
  }
  QByteArray Dat() { return ReadFile(email + "/email001.dat"); }
};

TEST_F(HistoryReceive, ReplacedTurnsAreKeptUpToTheSettingOldestFirstOut) {
  SetKeepTurns(2);
  ASSERT_TRUE(Receive("turn 2", t0.addSecs(60))) << ui.Texts().join("\n").toStdString();
  ASSERT_TRUE(Receive("turn 3", t0.addSecs(120)));
  ASSERT_TRUE(Receive("turn 4", t0.addSecs(180)));

  // Turns 2 and 3 are kept, turn 1 went; the comment file was never replaced.
  EXPECT_EQ(Kept(), QStringList({"2024-06-01_10-01-00", "2024-06-01_10-02-00"}));
  const QString turn3 = KeptAt(t0.addSecs(120));
  EXPECT_EQ(FilesIn(turn3), QStringList({"email001.aux", "email001.dat"}));
  EXPECT_EQ(ReadFile(turn3 + "/email001.dat"), "DAT turn 3");
  EXPECT_EQ(Modified(turn3 + "/email001.dat"), t0.addSecs(120));
  // The one backup of receiving is there as before.
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT turn 3");

  const std::vector<TurnEntry> turns = Turns();
  ASSERT_EQ(turns.size(), 3u);
  for (const TurnEntry& t : turns) {
    EXPECT_EQ(t.direction, TurnDirection::Received);
    EXPECT_EQ(t.opponent, "ivan@example.org");
    EXPECT_EQ(t.mode, "KLT");
  }
  ASSERT_EQ(turns[0].files.size(), 3u);  // the comment file came too
  for (const TurnFile& f : turns[0].files) EXPECT_EQ(f.folder, QFileInfo(email).absoluteFilePath());
  EXPECT_EQ(FileNamed(turns[2], "email001.dat").stamp, FormatStamp(t0.addSecs(60)));
  EXPECT_EQ(FileNamed(turns[2], "email001.dat").size, QByteArray("DAT turn 2").size());

  // A turn with a file no longer kept is not restored at all.
  ASSERT_TRUE(QFile::remove(turn3 + "/email001.dat"));
  const auto result = turn_history::RestoreTurn(nullptr, turns[1], 2, nullptr, nullptr);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message,
            "These files of the turn are no longer kept: email001.dat. Nothing was restored.");
  EXPECT_EQ(Dat(), "DAT turn 4");
  EXPECT_EQ(ReadFile(email + "/email001.aux"), "AUX turn 4");

  // 0 switches keeping off and removes what was kept: nothing left to restore.
  SetKeepTurns(0);
  ASSERT_TRUE(Receive("turn 5", t0.addSecs(240)));
  EXPECT_TRUE(Kept().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(kept_turns::GameFolder(email, "email001.cmt")));
  EXPECT_FALSE(turn_history::RestoreTurn(nullptr, turns[2], 0, nullptr, nullptr).ok);
  EXPECT_EQ(Dat(), "DAT turn 5");
}

TEST_F(HistoryReceive, EveryFileOfEveryGameInOneKltIsKeptAndListedWithTheTaunt) {
  for (const QString base : {"email002", "email003"}) {
    MakeSpwawGame(email, base, "Scenario " + base.toLatin1(), t0, "turn 1 of " + base.toLatin1());
    IniWrite("SPWAW", base + ".cmt", "ivan@example.org");
  }
  const QString klt = MakeKlt("three", Sender("ivan@example.org"), [&](const QString& dir) {
    for (const QString base : {"email001", "email002", "email003"}) {
      const QByteArray description = base == "email001" ? "Scenario X" : "Scenario " + base.toLatin1();
      MakeSpwawGame(dir, base, description, t0.addSecs(60), "turn 2 of " + base.toLatin1());
      SetTime(dir + "/" + base + ".cmt", t0);
    }
  });
  exchange->SetIncomingTaunt("Your move, comrade.");
  ASSERT_TRUE(exchange->ReceivedFile(klt)) << ui.Texts().join("\n").toStdString();
  exchange->SetIncomingTaunt(QString());

  for (const QString base : {"email001", "email002", "email003"}) {
    SCOPED_TRACE(base.toStdString());
    const QString game = base + ".cmt";
    // The earlier turn of the game is whole: both files it replaced.
    ASSERT_EQ(kept_turns::Stamps(email, game), QStringList({"2024-06-01_10-00-00"}));
    EXPECT_EQ(FilesIn(KeptAt(t0, game)), QStringList({base + ".aux", base + ".dat"}));
    const QByteArray old = base == "email001" ? "turn 1" : "turn 1 of " + base.toLatin1();
    EXPECT_EQ(ReadFile(KeptAt(t0, game) + "/" + base + ".dat"), "DAT " + old);
    const std::vector<TurnEntry> turns = Turns(game);
    ASSERT_EQ(turns.size(), 1u);
    EXPECT_EQ(turns.front().taunt, "Your move, comrade.");
    EXPECT_EQ(FileNames(turns.front()), QStringList({base + ".aux", base + ".cmt", base + ".dat"}));
  }
}

TEST_F(HistoryReceive, AReceiveRunAgainAfterACopyStoppedRecordsEveryGameOnce) {
  const QStringList bases = {"email001", "email002", "email003"};
  for (const QString& base : bases.mid(1)) MakeSpwawGame(email, base, "Scenario X", t0, "turn 1");
  const QString klt = OpponentTurn(Sender("ivan@example.org"), t0.addSecs(60), "turn 2", bases);
  // Something no copy can replace stops the copy pass in the middle (as a full disk
  // does), after the files before it were replaced.
  const QString blocked = email + "/email002.dat";
  QFile::remove(blocked);
  QDir().mkpath(blocked);
  ASSERT_TRUE(exchange->ReceivedFile(klt));
  ASSERT_EQ(exchange->Records().failed, 1) << ui.Texts().join("\n").toStdString();

  QDir().rmdir(blocked);
  WriteAt(blocked, "DAT turn 1", t0);
  ui.Answers({Answer::Ok, Answer::Ok});  // the files in place already are THE SAME
  ASSERT_TRUE(exchange->ReceivedFile(klt));
  for (const QString& base : bases) {
    SCOPED_TRACE(base.toStdString());
    EXPECT_EQ(ReadFile(email + "/" + base + ".dat"), "DAT turn 2");
    EXPECT_EQ(Turns(base + ".cmt").size(), 1u);
    EXPECT_EQ(FilesIn(KeptAt(t0, base + ".cmt")), QStringList({base + ".aux", base + ".dat"}));
    EXPECT_EQ(Record(base + ".cmt/R"), FormatStamp(t0.addSecs(60)));
  }
  EXPECT_TRUE(QDir(home.File("receiving")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(HistoryReceive, AnIdenticalTurnFromTheMailboxAsksAndRecordsNothing) {
  const QString klt = OpponentTurn(Sender("ivan@example.org"), t0.addSecs(60));
  ASSERT_TRUE(exchange->ReceivedFile(klt));
  const ReceiveRecords before = exchange->Records();

  exchange->SetQuietWhenIdentical(true);
  ui.boxes.clear();
  ASSERT_TRUE(exchange->ReceivedFile(klt));
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
  EXPECT_EQ(exchange->Records().batchesAlreadyIn, before.batchesAlreadyIn + 1);
  EXPECT_EQ(exchange->Records().filesCopied, before.filesCopied);
  EXPECT_EQ(exchange->Records().gamesRecorded, before.gamesRecorded);
  EXPECT_EQ(Turns().size(), 1u);
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT turn 1");
  // The same turn saved into the working folder has served: it goes, quietly.
  App().workingFolder = home.Root() + "/work";
  MakeSpwawGame(App().workingFolder + "/SPWAW", "email001", "Scenario X", t0.addSecs(60), "turn 2");
  SetTime(App().workingFolder + "/SPWAW/email001.cmt", t0);
  exchange->ProcessWorkingFolder();
  App().workingFolder.clear();
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
  EXPECT_TRUE(QDir(home.Root() + "/work/SPWAW").isEmpty());
  EXPECT_EQ(exchange->Records().batchesAlreadyIn, before.batchesAlreadyIn + 2);
  EXPECT_EQ(Turns().size(), 1u);

  // Other bytes at the same time are no repeat: asked about ("THE SAME" time counts as
  // old for these files) and taken in as ever.
  ui.Answers({Answer::Ok, Answer::Ok});
  ASSERT_TRUE(Receive("turn 3", t0.addSecs(60)));
  EXPECT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(Dat(), "DAT turn 3");
  EXPECT_EQ(Turns().size(), 2u);

  // Without the flag (an archive opened by hand) the same turn again is asked about,
  // and still changes nothing.
  exchange->SetQuietWhenIdentical(false);
  ui.boxes.clear();
  ui.Answers({Answer::Ok, Answer::Ok});
  ASSERT_TRUE(Receive("turn 3", t0.addSecs(60)));
  EXPECT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(exchange->Records().batchesAlreadyIn, before.batchesAlreadyIn + 2);
  EXPECT_EQ(Turns().size(), 2u);
}

// A mailbox check stopped before it noted a message as handled meets that message again,
// maybe after a later turn of the game came in: the older turn must not replace it.
TEST_F(HistoryReceive, AnOlderTurnTakenInBeforeIsPassedOverQuietlyFromTheMailbox) {
  const QString older =
      OpponentTurn(Sender("ivan@example.org"), t0.addSecs(60), "turn 2", {"email001"}, "old");
  ASSERT_TRUE(exchange->ReceivedFile(older));
  ASSERT_TRUE(Receive("turn 3", t0.addSecs(120)));
  const ReceiveRecords before = exchange->Records();
  exchange->SetQuietWhenIdentical(true);
  ui.boxes.clear();
  ASSERT_TRUE(exchange->ReceivedFile(older));
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
  EXPECT_EQ(exchange->Records().batchesAlreadyIn, before.batchesAlreadyIn + 1);
  EXPECT_EQ(Dat(), "DAT turn 3");
  EXPECT_EQ(Turns().size(), 2u);

  // An older turn the history does not hold is asked about as ever.
  ui.Answers({Answer::Cancel});
  exchange->ReceivedFile(
      OpponentTurn(Sender("ivan@example.org"), t0.addSecs(90), "turn 2b", {"email001"}, "other"));
  EXPECT_FALSE(ui.boxes.empty());
  EXPECT_EQ(exchange->Records().declined, before.declined + 1);
  EXPECT_EQ(Dat(), "DAT turn 3");
}

TEST_F(HistoryReceive, RestorePutsAnEarlierTurnBackAfterBackingUpTheCurrentOne) {
  ASSERT_TRUE(Receive("turn 2", t0.addSecs(60)));
  ASSERT_TRUE(Receive("turn 3", t0.addSecs(120)));
  std::vector<TurnEntry> turns = Turns();
  ASSERT_EQ(turns.size(), 2u);
  const TurnEntry turn2 = turns[1];

  GamePtr game = FindGame("email001.cmt");
  ASSERT_TRUE(game);
  QString note;
  HistoryStore store(HistoryStore::DefaultPath());
  const auto result = turn_history::RestoreTurn(&store, turn2, KeepTurns(), game.get(), &note);
  ASSERT_TRUE(result.ok) << result.message.toStdString();
  EXPECT_TRUE(note.isEmpty()) << note.toStdString();
  EXPECT_EQ(result.replaced, 2);
  EXPECT_EQ(result.alreadyThere, 1);  // the comment file is the same in every turn

  EXPECT_EQ(Dat(), "DAT turn 2");
  EXPECT_EQ(Modified(email + "/email001.dat"), t0.addSecs(60));
  // Turn 3 was backed up and kept before it was replaced.
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT turn 3");
  EXPECT_EQ(ReadFile(KeptAt(t0.addSecs(120)) + "/email001.dat"), "DAT turn 3");
  // A restored received turn is to be played again.
  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), "Play");

  turns = Turns();
  ASSERT_EQ(turns.size(), 3u);
  EXPECT_EQ(turns[0].direction, TurnDirection::Restored);
  ASSERT_EQ(turns[0].files.size(), 3u);
  EXPECT_EQ(FileNamed(turns[0], "email001.dat").stamp, FormatStamp(t0.addSecs(60)));

  // The turn in place now is restored without touching anything.
  const auto again = turn_history::RestoreTurn(nullptr, turn2, KeepTurns(), nullptr, nullptr);
  EXPECT_TRUE(again.ok);
  EXPECT_EQ(again.replaced, 0);
  EXPECT_EQ(again.alreadyThere, 3);
}

TEST_F(HistoryReceive, ALockedOrDamagedHistoryNeverStopsAReceive) {
  ASSERT_TRUE(Receive("turn 2", t0.addSecs(60)));
  exchange->TakeArrivals();
  {
    SqliteLock lock(HistoryStore::DefaultPath());
    ASSERT_TRUE(Receive("turn 3", t0.addSecs(120))) << ui.Texts().join("\n").toStdString();
    EXPECT_EQ(Dat(), "DAT turn 3");
    EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), "Play");
    // The earlier turn is kept all the same: it does not hang on the database.
    EXPECT_EQ(Kept().size(), 2);
    const QString text = TurnExchange::ArrivalText(exchange->TakeArrivals());
    EXPECT_TRUE(text.startsWith("Received 1 game from ivan@example.org (Turn history not recorded: "))
        << text.toStdString();
    EXPECT_TRUE(std::any_of(ui.statuses.begin(), ui.statuses.end(), [](const QString& s) {
      return s.startsWith("Turn history not recorded: database is locked");
    })) << ui.statuses.join("|").toStdString();
  }
  ASSERT_TRUE(WriteFile(HistoryStore::DefaultPath(), QByteArray(4096, 'x')));
  ASSERT_TRUE(Receive("turn 4", t0.addSecs(180)));
  EXPECT_EQ(Dat(), "DAT turn 4");
  EXPECT_TRUE(TurnExchange::ArrivalText(exchange->TakeArrivals()).contains("Turn history not recorded: "));
  EXPECT_EQ(ReadFile(HistoryStore::DefaultPath()), QByteArray(4096, 'x'));
}

// A receive killed at any moment and run again: the real kolt-cli takes in a KLT of 200
// Steel Panthers games (600 files), killed (SIGKILL, at a moment chosen through the test
// builds' KOLT_CRASH_AT) and run again, turn after turn. After every rerun each file is
// in place, the replaced files are backed up and kept as the earlier turn of their game,
// every game has exactly one history line per turn, and nothing temporary is left.
#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <QDirIterator>

#include "core/Settings.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/history/KeptTurns.h"
#include "model/Status.h"
#include "support/RunCli.h"
#include "turns/TurnsFixture.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// The test's folders go to memory (/dev/shm) where it has room: names, links and renames
// behave as on any local file system, and a killed process loses nothing that was not
// flushed, while flushing 4,000 files per turn to a busy disk would take minutes.
const bool kInMemory = [] {
  struct statvfs fs {};
  const bool room = ::statvfs("/dev/shm", &fs) == 0 && fs.f_bavail * fs.f_frsize > (qulonglong{512} << 20) &&
                    QFileInfo("/dev/shm").isWritable();
  if (room) qputenv("TMPDIR", "/dev/shm");
  return room;
}();

constexpr int kGames = 200;
constexpr int kKills = 30;

QString Base(int n) {
  return QStringLiteral("email%1").arg(n, 4, 10, QChar('0'));
}

QByteArray Turn(const char* kind, int n, int turn) {
  return QByteArray(kind) + " game " + QByteArray::number(n) + " turn " + QByteArray::number(turn);
}

class KilledReceive : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(email);
    WriteFile(game + "/mech.exe", "MZ");
    QByteArray ini = "[SPWAW]\r\nDirectory=" + QFile::encodeName(game) + "\r\nSAVE=0\r\n";
    for (int n = 1; n <= kGames; ++n) {
      MakeTurn(email, n, 1);
      ini += Base(n).toLatin1() + ".cmt=ivan@example.org\r\n";
    }
    ASSERT_TRUE(WriteFile(home.Ini(), ini));
    ClearIniCache();
  }

  // A game's files as the game leaves them after `turn`; the comment file never changes.
  void MakeTurn(const QString& folder, int n, int turn) {
    WriteAt(folder + "/" + Base(n) + ".cmt", "Scenario " + QByteArray::number(n), t0);
    WriteAt(folder + "/" + Base(n) + ".dat", Turn("DAT", n, turn), When(turn));
    WriteAt(folder + "/" + Base(n) + ".aux", Turn("AUX", n, turn), When(turn));
  }
  QDateTime When(int turn) const { return t0.addSecs(60 * turn); }

  QString Klt(int turn) {
    const QString staging = home.Root() + "/outbox/" + QString::number(turn);
    QDir().mkpath(staging + "/SPWAW");
    WriteFile(staging + "/SENDER.TXT", "ivan@example.org\r\n(GMT+1) CET\r\n-60\r\n1.1.5\r\n");
    for (int n = 1; n <= kGames; ++n) MakeTurn(staging + "/SPWAW", n, turn);
    const QString klt = home.Root() + "/outbox/turn" + QString::number(turn) + ".KLT";
    EXPECT_EQ(RunIn(staging, "zip", {"-q", "-r", "-X", klt, "."}), 0);
    QDir(staging).removeRecursively();
    return klt;
  }

  CliResult Receive(const QString& klt, long crashAt) {
    QMap<QString, QString> env{{"KOLT_HOME", home.Path()}, {"WINEPREFIX", home.Root() + "/prefix"}};
    if (crashAt > 0) env.insert("KOLT_CRASH_AT", QString::number(crashAt));
    return RunCli(KOLT_CLI, {"--yes", "receive", klt}, env);
  }

  // After the receive of `turn`: the files, their backups, the kept earlier turn, the
  // games' records, and one received history line per turn, the newest listing all three
  // files.
  void Check(int turn) {
    ClearIniCache();
    HistoryStore history(home.File("history.sqlite"));
    const QString kept = FormatStamp(When(turn - 1));
    for (int n = 1; n <= kGames; ++n) {
      const QString base = email + "/" + Base(n);
      SCOPED_TRACE(base.toStdString());
      ASSERT_EQ(ReadFile(base + ".dat"), Turn("DAT", n, turn));
      ASSERT_EQ(ReadFile(base + ".aux"), Turn("AUX", n, turn));
      ASSERT_EQ(Modified(base + ".dat"), When(turn));
      ASSERT_EQ(ReadFile(email + "/bak/" + Base(n) + ".dat"), Turn("DAT", n, turn - 1));
      ASSERT_EQ(ReadFile(email + "/bak/" + Base(n) + ".aux"), Turn("AUX", n, turn - 1));
      const QString folder = kept_turns::TurnFolder(email, Base(n) + ".cmt", kept);
      ASSERT_EQ(ReadFile(folder + "/" + Base(n) + ".dat"), Turn("DAT", n, turn - 1));
      ASSERT_EQ(ReadFile(folder + "/" + Base(n) + ".aux"), Turn("AUX", n, turn - 1));
      ASSERT_EQ(IniRead("SPWAW", Base(n) + ".cmt/R"), FormatStamp(When(turn)));
      const auto lines = history.Turns("SPWAW", Base(n) + ".cmt");
      ASSERT_TRUE(lines) << history.LastError().toStdString();
      ASSERT_EQ(lines->size(), static_cast<size_t>(turn - 1));
      for (const TurnEntry& line : *lines) ASSERT_EQ(line.direction, TurnDirection::Received);
      ASSERT_EQ(lines->front().files.size(), 3u);
    }
  }

  // Hidden files anywhere in the game folder (temporaries), and journals left.
  QStringList Leftovers() {
    QStringList found;
    QDirIterator it(email, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      if (it.fileName().startsWith('.')) found.append(path);
    }
    const QString journals = home.File("receiving");
    for (const QString& name : QDir(journals).entryList(QDir::Files | QDir::Hidden | QDir::System))
      found.append(journals + "/" + name);
    return found;
  }

  TempHome home;
  QString game = home.Root() + "/games/SPWAW";
  QString email = game + "/EMAIL";
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));
};

}  // namespace

TEST_F(KilledReceive, EveryTurnIsTakenInRecordedOnceAndKeptWhereverTheReceiveWasKilled) {
  // A receive of this KLT passes 2,403 moments: the journal; per replaced file (400)
  // its backup and its copy, each before and after its rename; the earlier turn of each
  // kept, the same way; the history; the records. The kills are spread over them, first
  // and last included.
  RecordProperty("in_memory", kInMemory ? "yes" : "no");
  int killed = 0;
  for (int k = 0; k < kKills; ++k) {
    const int turn = k + 2;
    SCOPED_TRACE("turn " + std::to_string(turn));
    const QString klt = Klt(turn);
    const long moment = k == kKills - 1 ? 2403 : 1 + k * 82;
    const CliResult stopped = Receive(klt, moment);
    if (stopped.crashed) ++killed;
    const CliResult rerun = Receive(klt, 0);
    ASSERT_EQ(rerun.exitCode, 0) << rerun.err.toStdString();
    ASSERT_FALSE(rerun.crashed);
    Check(turn);
    EXPECT_EQ(Leftovers(), QStringList());
    QFile::remove(klt);
  }
  // Every run was stopped, the last one at the last moment.
  EXPECT_EQ(killed, kKills);
}

// A mailbox check that does not end as planned never loses a turn: kolt-cli fetch is
// killed (SIGKILL) at twenty moments spread over the download and the take-in, once the
// server goes away in the middle of a download, once it is stopped by SIGTERM; each
// later check goes on from there, and in the end every turn is in exactly once and no
// message is left unread that was not taken in.
#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <functional>

#include "exchange/history/HistoryStore.h"
#include "turns/ImapRoad.h"

using namespace kolt;
using namespace kolt::test;

namespace {

constexpr int kGames = 4;
constexpr int kRounds = 4;

QString Stem(int game) {
  return QStringLiteral("email%1").arg(game, 3, 10, QChar('0'));
}

// A turn large enough that its download and its copy take a while.
QByteArray Turn(int round, int game) {
  QByteArray bytes(512 * 1024, Qt::Uninitialized);
  QRandomGenerator random(static_cast<quint32>(round * 100 + game));
  for (qsizetype i = 0; i < bytes.size(); i += 4) {
    const quint32 v = random.generate();
    std::memcpy(bytes.data() + i, &v, 4);
  }
  return "R" + QByteArray::number(round) + "G" + QByteArray::number(game) + " " + bytes;
}

class FetchRecovery : public ImapRoad {
 protected:
  void SetUp() override {
    ImapRoad::SetUp();
    for (int g = 1; g <= kGames; ++g) {
      for (Player* p : {&a, &b}) {
        WriteAt(p->email + "/" + Stem(g) + ".cmt", "Game " + QByteArray::number(g), t0);
        p->Play("turn 0", t0, Stem(g));
      }
      a.Set("SPWAW", Stem(g) + ".cmt", "b@example.org");
      b.Set("SPWAW", Stem(g) + ".cmt", "a@example.org");
    }
  }

  // What a check has reached: a message file downloaded, or a turn copied into a game.
  enum class Moment { Downloading, TakingIn };

  // The files of a folder, each with its time and size: a file that came or changed is an
  // entry that was not there before.
  static QSet<QString> Files(const QString& folder) {
    QSet<QString> files;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
      files.insert(f.filePath() + QString::number(f.lastModified().toMSecsSinceEpoch()) + "/" +
                   QString::number(f.size()));
    return files;
  }
  // The downloads of the instance folders: a killed check leaves its file behind, so a
  // download shows as a file that was not there before, or one that grew.
  QSet<QString> Downloads() {
    QSet<QString> files;
    for (const QString& instance : QDir(b.home).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
      files.unite(Files(b.home + "/" + instance + "/mailbox"));
    return files;
  }
  // Messages the checks have recorded as handled.
  int Handled() {
    int n = 0;
    const QJsonObject all = QJsonDocument::fromJson(ReadFile(b.home + "/imap-state")).object();
    for (const QJsonValue& v : all) n += static_cast<int>(v.toObject()["handled"].toArray().size());
    return n;
  }

  // Starts `kolt-cli --yes fetch` for b (as Player::Cli does, without waiting).
  void StartFetch(QProcess& p) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");
    environment.insert("DBUS_SESSION_BUS_ADDRESS", "");
    environment.insert("KOLT_HOME", b.home);
    environment.insert("KOLT_IMAP_CAINFO", b.caFile);
    environment.insert("HOME", b.home + "/../user");
    environment.insert("XDG_DATA_HOME", b.home + "/../user/.local/share");
    environment.insert("XDG_CONFIG_HOME", b.home + "/../user/.config");
    environment.insert("WINEPREFIX", b.home + "/../prefix");
    p.setProcessEnvironment(environment);
    p.start(KOLT_CLI, {"--yes", "fetch"});
    ASSERT_TRUE(p.waitForStarted());
    p.closeWriteChannel();
  }
  // Downloading: a message came into the download. Taking in: a file of the game folder
  // was written.
  bool WaitFor(QProcess& p, Moment moment, const QSet<QString>& downloads, const QSet<QString>& games) {
    auto changed = [](const QSet<QString>& now, const QSet<QString>& before) {
      return std::any_of(now.begin(), now.end(), [&](const QString& f) { return !before.contains(f); });
    };
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000 && !p.waitForFinished(1)) {
      if (moment == Moment::Downloading ? changed(Downloads(), downloads) : changed(Files(b.email), games))
        return true;
    }
    return false;
  }
  // Runs a check until it reaches `moment`, then `extraMs` more, and then `stop`s it: a
  // signal to the process, or the server going away.
  void StopAt(Moment moment, int extraMs, const std::function<void(pid_t)>& stop) {
    const QSet<QString> downloads = Downloads();
    const QSet<QString> games = Files(b.email);
    QProcess p;
    StartFetch(p);
    if (WaitFor(p, moment, downloads, games)) {
      QThread::msleep(static_cast<unsigned long>(extraMs));
      stop(static_cast<pid_t>(p.processId()));
    }
    ASSERT_TRUE(p.waitForFinished(60000));
    ClearIniCache();
    lastExit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    lastErr = QString::fromUtf8(p.readAllStandardError());
  }
  void KillAt(Moment moment, int extraMs, int signal) {
    StopAt(moment, extraMs, [signal](pid_t pid) { ::kill(pid, signal); });
  }

  int lastExit = 0;
  QString lastErr;
};

}  // namespace

TEST_F(FetchRecovery, KilledStoppedAndCutOffChecksLoseNoTurn) {
  int kills = 0;
  for (int round = 1; round <= kRounds; ++round) {
    for (int g = 1; g <= kGames; ++g) {
      WriteAt(a.email + "/" + Stem(g) + ".dat", "DAT " + Turn(round, g), t0.addSecs(600 * round));
      WriteAt(a.email + "/" + Stem(g) + ".aux", "AUX " + Turn(round, g), t0.addSecs(600 * round));
      ASSERT_EQ(a.Cli({"--yes", "send", "SPWAW/" + Stem(g) + ".cmt"}).exitCode, 0);
    }
    // Five moments a round, alternating between the two halves of the check, each a
    // little later than the one before.
    for (int k = 0; k < 5; ++k, ++kills) {
      const Moment moment = k % 2 == 0 ? Moment::Downloading : Moment::TakingIn;
      KillAt(moment, (k / 2) * 20 + round * 5, SIGKILL);
    }
    if (round == 2) {
      // The server goes away while messages come in, and is back for the next check.
      StopAt(Moment::Downloading, 0, [&](pid_t) { imap.Stop(); });
      EXPECT_EQ(lastExit, 1);
      ASSERT_TRUE(imap.Restart()) << imap.Log().toStdString();
    }
    if (round == 3) {
      // Stopped as systemd or Ctrl+C stops it: an orderly end, status 1, said why.
      KillAt(Moment::Downloading, 0, SIGTERM);
      EXPECT_EQ(lastExit, 1);
      EXPECT_TRUE(lastErr.contains("interrupted")) << lastErr.toStdString();
      // Every read mark it set was taken back: only handled messages are read.
      EXPECT_LE(Read(), Handled());
    }
  }
  EXPECT_EQ(kills, 20);

  const CliResult last = b.Cli({"--yes", "fetch"});
  EXPECT_TRUE(last.exitCode == 0 || last.exitCode == 3) << last.err.toStdString();
  EXPECT_EQ(b.Cli({"--yes", "fetch"}).exitCode, 3);

  HistoryStore history(b.home + "/history.sqlite");
  for (int g = 1; g <= kGames; ++g) {
    EXPECT_EQ(b.Dat(Stem(g)), "DAT " + Turn(kRounds, g)) << Stem(g).toStdString();
    EXPECT_EQ(ReadFile(b.email + "/" + Stem(g) + ".aux"), "AUX " + Turn(kRounds, g));
    const auto turns = history.Turns("SPWAW", Stem(g) + ".cmt");
    ASSERT_TRUE(turns) << history.LastError().toStdString();
    // One received turn per round, none twice (each round's files have their own time).
    ASSERT_EQ(turns->size(), static_cast<size_t>(kRounds)) << Stem(g).toStdString();
    QSet<QString> stamps;
    for (const TurnEntry& t : *turns) {
      EXPECT_EQ(t.direction, TurnDirection::Received);
      for (const TurnFile& f : t.files) {
        if (f.name.endsWith(".dat")) stamps.insert(f.stamp);
      }
    }
    EXPECT_EQ(stamps.size(), kRounds) << Stem(g).toStdString();
  }
  EXPECT_EQ(Unread(), 0);
  EXPECT_EQ(Read(), kGames * kRounds);
}

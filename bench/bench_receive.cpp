// Takes in a KLT archive of 50 Steel Panthers games (3 files each) into an installation
// that holds 2,000 games, through the whole receiving path (unpacking, SENDER.TXT, the
// adapter, the receive batch with verified backups and atomic replacement, the records),
// and prints the time beside that of plain `unzip` plus `cp` of the same files in the
// same run. Then KLTs of N and 3N new games, with the turn history on and off.
// Usage: bench_receive [rounds] [N]   (default 3 and 1000). Prints figures; never fails.
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <memory>
#include <vector>

#include "CpuLoad.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "exchange/turns/TurnExchange.h"
#include "model/ProgramRegistry.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "support/ExchangeParts.h"

using namespace kolt;

namespace {

constexpr int kInstalled = 2000;
constexpr int kReceived = 50;

class QuietUi final : public UiPort {
 public:
  Answer ShowMessageBox(const QString& text, Buttons, Icon, const QString&, int) override {
    ++boxes;
    if (boxes <= 3) std::fprintf(stderr, "box: %s\n", qPrintable(text.left(200)));
    return Answer::Ok;
  }
  std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  void ShowStatus(const QString&) override {}
  void DoEvents() override {}
  int boxes = 0;
};

void WriteAt(const QString& path, const QByteArray& bytes, const QDateTime& when) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  f.write(bytes);
  f.flush();
  f.setFileTime(when, QFileDevice::FileModificationTime);
}

QByteArray Bytes(int size, int seed) {
  QByteArray b(size, Qt::Uninitialized);
  quint32 x = 2463534242u + static_cast<quint32>(seed);
  for (int i = 0; i < size; ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b[i] = static_cast<char>((i % 7 == 0) ? (x & 0xff) : (i & 0x3f));  // half compressible
  }
  return b;
}

void MakeGame(const QString& folder, int n, const QDateTime& when, int turn) {
  const QString base = folder + QStringLiteral("/email%1").arg(n, 4, 10, QChar('0'));
  WriteAt(base + ".cmt", "Scenario " + QByteArray::number(n), QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
  WriteAt(base + ".dat", Bytes(60000, n * 31 + turn), when);
  WriteAt(base + ".aux", Bytes(12000, n * 17 + turn), when);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Ms(qint64 ns) {
  return static_cast<double>(ns) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
  const int newGames = argc > 2 ? std::clamp(atoi(argv[2]), 1, 30000) : 1000;

  QTemporaryDir dir;
  // Whatever a tool run from here writes goes into the benchmark's own folder.
  QDir::setCurrent(dir.path());
  const QString home = dir.path() + "/home";
  const QString game = dir.path() + "/games/SPWAW";
  const QString email = game + "/EMAIL";
  const QString copyTarget = dir.path() + "/plain/EMAIL";
  QDir().mkpath(home + "/0");
  QDir().mkpath(email);
  QDir().mkpath(copyTarget);
  WriteAt(game + "/mech.exe", "MZ", QDateTime::currentDateTime());
  qputenv("KOLT_HOME", QFile::encodeName(home));
  SetSettingsPath(home + "/KOLT.INI");
  App().homeFolder = home;
  App().instanceFolder = home + "/0";
  App().version = ProgramVersion();

  // The installation and a settings file with the records of every game.
  const QDateTime t0(QDate(2024, 6, 1), QTime(10, 0, 0));
  QByteArray ini = "[SPWAW]\r\nDirectory=" + QFile::encodeName(game) + "\r\nSAVE=0\r\n";
  for (int n = 1; n <= kInstalled; ++n) {
    MakeGame(email, n, t0, 0);
    const QByteArray key = QStringLiteral("email%1.cmt").arg(n, 4, 10, QChar('0')).toLatin1();
    ini += key + "=ivan@example.org\r\n" + key + "/S=2024-06-01 10:00:00\r\n" + key + "/M=KLT\r\n";
  }
  WriteAt(home + "/KOLT.INI", ini, QDateTime::currentDateTime());
  QProcess::execute("cp", {"-a", email + "/.", copyTarget});

  QuietUi ui;
  LinuxWintools tools(ui);
  ProgramList programs;
  kolt::test::ExchangeParts parts(ui, tools, programs);
  TurnExchange& exchange = parts.exchange;
  ProgramRegistry registry(parts.ServicesFor(ui, tools), AdapterFactories());
  registry.BuildProgramList(programs);
  if (!programs.Contains("SPWAW")) {
    std::printf("the installation was not found\n");
    return 0;
  }

  std::vector<double> ours, plain, synced;
  for (int round = 1; round <= rounds; ++round) {
    // The opponent's archive: 50 games, each turn newer than the installed one.
    const QString staging = dir.path() + QStringLiteral("/klt%1").arg(round);
    QDir().mkpath(staging + "/SPWAW");
    WriteAt(staging + "/SENDER.TXT",
            "ivan@example.org\r\n(GMT+1) CET\r\n-60\r\n" + App().version.toLatin1() + "\r\n", t0);
    for (int n = 1; n <= kReceived; ++n) MakeGame(staging + "/SPWAW", n * 40, t0.addSecs(60 * round), round);
    const QString klt = dir.path() + QStringLiteral("/turn%1.KLT").arg(round);
    QProcess zip;
    zip.setWorkingDirectory(staging);
    zip.start("zip", {"-q", "-r", klt, "."});
    zip.waitForFinished(-1);

    QElapsedTimer timer;
    timer.start();
    const bool taken = exchange.ReceivedFile(klt);
    ours.push_back(Ms(timer.nsecsElapsed()));
    if (!taken || exchange.Records().gamesRecorded != kReceived * round)
      std::printf("round %d: not every game was taken in (%d recorded)\n", round,
                  exchange.Records().gamesRecorded);

    // The same files by hand: unzip, then copy over the installed ones.
    const QString out = dir.path() + QStringLiteral("/unzip%1").arg(round);
    timer.restart();
    QProcess::execute("unzip", {"-q", "-o", klt, "-d", out});
    QProcess::execute("sh", {"-c", "cp -p \"$0\"/SPWAW/* \"$1\"/", out, copyTarget});
    plain.push_back(Ms(timer.nsecsElapsed()));

    // With the durability of ours: every backup and every replaced file flushed to disk.
    // GNU cp puts a backup into the current folder when the target is given as a
    // folder, so it runs inside the target and copies to "."; the backups it made are
    // counted, so a baseline that backs up nothing shows.
    const QString outSync = dir.path() + QStringLiteral("/unzip-sync%1").arg(round);
    timer.restart();
    QProcess::execute("unzip", {"-q", "-o", klt, "-d", outSync});
    QProcess::execute("sh",
                      {"-c",
                       "cd \"$1\" && cp -p --backup=simple \"$0\"/SPWAW/* . && "
                       "for f in \"$0\"/SPWAW/*; do b=${f##*/}; echo \"$b\"; [ -e \"$b~\" ] && echo \"$b~\"; "
                       "done | xargs -d '\\n' sync",
                       outSync, copyTarget});
    synced.push_back(Ms(timer.nsecsElapsed()));
    const int backups = static_cast<int>(QDir(copyTarget).entryList({"*~"}, QDir::Files).size());
    if (backups < 2 * kReceived)
      std::printf("round %d: the baseline made %d backups, not %d\n", round, backups, 2 * kReceived);
  }
  const double a = Median(ours), b = Median(plain), c = Median(synced);
  std::printf("KLT of %d games x 3 files into %d installed games, median of %d rounds, %d cores:\n",
              kReceived, kInstalled, rounds, static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));
  std::printf("  receive (unpack, check, back up, replace, record): %8.1f ms\n", a);
  std::printf("  unzip + cp of the same files:                     %8.1f ms   ratio %.2f\n", b, a / b);
  std::printf("  unzip + cp --backup + sync of each file:          %8.1f ms   ratio %.2f (goal: at most 2)\n",
              c, a / c);
  std::printf("  (message boxes: %d)\n\n", ui.boxes);

  // Many new games in one archive: the records are written once, so the time grows with
  // the number of games, not with its square. Each size with the turn history on and
  // off, on a quiet machine and beside a busy process per core; the received files go
  // again after each run, so every run takes in the same new games into the same folder.
  TurnRecorder* const history = exchange.Records().recorder;
  for (const int size : {1, 3}) {
    const int count = newGames * size;
    // email100000... or email300000...: six digits, apart from the installed games' four.
    const QString pattern = QStringLiteral("email%1?????.*").arg(size);
    const QString staging = dir.path() + QStringLiteral("/new%1").arg(count);
    QDir().mkpath(staging + "/SPWAW");
    WriteAt(staging + "/SENDER.TXT",
            "ivan@example.org\r\n(GMT+1) CET\r\n-60\r\n" + App().version.toLatin1() + "\r\n", t0);
    for (int n = 0; n < count; ++n) {
      const QString base = staging + QStringLiteral("/SPWAW/email%1").arg(100000 * size + n);
      WriteAt(base + ".cmt", "New game " + QByteArray::number(n), t0);
      WriteAt(base + ".dat", Bytes(500, n), t0);
      WriteAt(base + ".aux", Bytes(100, n), t0);
    }
    const QString klt = dir.path() + QStringLiteral("/new%1.KLT").arg(count);
    QProcess zip;
    zip.setWorkingDirectory(staging);
    zip.start("zip", {"-q", "-r", klt, "."});
    zip.waitForFinished(-1);
    double figures[2][2] = {};  // [history on][loaded]
    for (const bool loaded : {false, true}) {
      for (const bool on : {true, false}) {
        exchange.SetRecorder(on ? history : nullptr);
        std::unique_ptr<kolt::bench::CpuLoad> load;
        if (loaded) load = std::make_unique<kolt::bench::CpuLoad>();
        const int before = exchange.Records().gamesRecorded;
        QElapsedTimer timer;
        timer.start();
        exchange.ReceivedFile(klt);
        figures[on][loaded] = Ms(timer.nsecsElapsed());
        load.reset();
        if (exchange.Records().gamesRecorded - before != count)
          std::printf("  (%d of %d recorded)\n", exchange.Records().gamesRecorded - before, count);
        for (const QString& name : QDir(email).entryList({pattern}, QDir::Files))
          QFile::remove(email + "/" + name);
      }
    }
    exchange.SetRecorder(history);
    for (const bool loaded : {false, true}) {
      std::printf(
          "KLT of %d new games x 3 files, %s: history on %8.1f ms (%.2f ms per game), off %8.1f ms; "
          "ratio %.2f (goal: at most 2)\n",
          count, loaded ? "loaded" : "quiet  ", figures[1][loaded], figures[1][loaded] / count,
          figures[0][loaded], figures[1][loaded] / figures[0][loaded]);
    }
  }
  return 0;
}

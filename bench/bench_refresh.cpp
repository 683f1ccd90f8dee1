// A player's home at scale: 2,000 games, 1,000 of Steel Panthers in one EMAIL folder
// (4,000 files), 400 of Combat Mission in its KOLT folder, 400 of Space Empires IV in
// its SAVEGAME folder (turn-based series, hosted and client games with their order files)
// and 200 of a user-defined program (two file types, a LINE description rule), with
// their records in KOLT.INI. Times, each beside its bare cost:
//   - the model refresh that kolt-cli list and the main window share, against one
//     in-process listing + stat of the same files;
//   - the main window's refresh (F5) with its 2,000 rows, offscreen;
//   - kolt-helper from start to a shown main window, against a bare Qt window;
//   - kolt-cli list with a KOLT.INI of 5 MB and of 50 MB (a long history): linear?
// Each runs in a child process of its own, so its peak memory is its own too.
// Prints figures; never fails.
//
//   bench_refresh [GAMES]
//   bench_refresh --make-home DIR GAMES [HISTORY_MB]   (only writes the home, to profile)
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <vector>

#include "ChildRun.h"
#include "RefreshHome.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "ui/QtUiPort.h"
#include "ui/frmMain.h"

using namespace kolt;
using namespace kolt::bench;

extern char** environ;

namespace {

int ChildWindow(int argc, char** argv, const QString& home) {
  QApplication app(argc, argv);
  SetSettingsPath(home + "/KOLT.INI");
  App().homeFolder = home;
  QtUiPort ui;
  LinuxWintools tools(ui);
  ProgramList programs;
  ProgramRegistry registry(Services{ui, tools, {}}, AdapterFactories());
  MainWindowParts parts{ui, tools, registry, programs};
  frmMain window(parts);
  ui.SetParent(&window);
  QElapsedTimer t;
  t.start();
  window.Form_Load();
  window.show();
  QCoreApplication::processEvents();
  const double load = Ms(t);
  std::vector<double> rounds;
  for (int i = 0; i < 5; ++i) {
    t.restart();
    window.RefreshLists(true);
    QCoreApplication::processEvents();
    rounds.push_back(Ms(t));
  }
  std::printf("main window: load with %zu rows %.1f ms; refresh (F5) %.1f ms (median of 5)\n",
              window.Games().size(), load, Median(rounds));
  return 0;
}

int ChildBareWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(800, 600);
  window.show();
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}

// --- The parent -----------------------------------------------------------------------

using Run = kolt::bench::ChildRun;

Run Spawn(const QStringList& arguments, const QString& outputFile) {
  return kolt::bench::RunChild(arguments, outputFile);
}

// The median run of `rounds` (by time), after one run to warm the caches.
Run Timed(const QStringList& arguments, const QString& outputFile, int rounds) {
  Spawn(arguments, outputFile);
  std::vector<Run> runs;
  for (int i = 0; i < rounds; ++i) runs.push_back(Spawn(arguments, outputFile));
  std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.ms < b.ms; });
  return runs[runs.size() / 2];
}

double Mb(long kb) {
  return static_cast<double>(kb) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  const QString self = QString::fromLocal8Bit(argv[0]);
  if (argc >= 3 && QByteArray(argv[1]) == "--child") {
    const QByteArray mode = argv[2];
    const QString home = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (mode == "model") return ChildModel(argc, argv, home);
    if (mode == "window") return ChildWindow(argc, argv, home);
    if (mode == "bare") return ChildBareWindow(argc, argv);
    // The same home for other benchmarks (bench_startup): ROOT GAMES, prints the home.
    if (mode == "home" && argc > 4) {
      std::printf("%s\n", qPrintable(MakeHome(home, std::max(1, atoi(argv[4])), 0)));
      return 0;
    }
    return 2;
  }
  // A home to profile by hand: bench_refresh --make-home DIR GAMES, then run kolt-cli
  // with the environment it prints.
  if ((argc == 4 || argc == 5) && QByteArray(argv[1]) == "--make-home") {
    const QString root = QString::fromLocal8Bit(argv[2]);
    const qint64 historyMb = argc == 5 ? atoi(argv[4]) : 0;
    const QString home = MakeHome(root, std::max(1, atoi(argv[3])), historyMb * 1024 * 1024);
    std::printf(
        "KOLT_HOME=%s HOME=%s/user XDG_DATA_HOME=%s/user/.local/share "
        "XDG_CONFIG_HOME=%s/user/.config WINEPREFIX=%s/wine\n",
        qPrintable(home), qPrintable(root), qPrintable(root), qPrintable(root), qPrintable(root));
    return 0;
  }
  const int games = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;
  QTemporaryDir dir;
  const QString root = dir.path();
  const QString home = MakeHome(root + "/a", games, 0);
  PointEnvironmentAt(root + "/a", home);
  // A player's files were written a while ago: what a refresh keeps of the files it
  // read is kept only for files unchanged for two seconds.
  QThread::sleep(3);
  const QString out = root + "/out.txt";
  std::printf(
      "bench_refresh: %d games (%d of Steel Panthers, %d of Combat Mission, %d of Space Empires IV, %d of a "
      "user-defined program), %d cores\n\n",
      games, games - 2 * (games / 5) - games / 10, games / 5, games / 5, games / 10,
      static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));

  const Run model = Spawn({self, "--child", "model", home}, out);
  std::printf("%s  peak memory %.1f MB\n\n", model.output.constData(), Mb(model.maxRssKb));

  const Run window = Spawn({self, "--child", "window", home}, out);
  std::printf("%s  peak memory %.1f MB\n\n", window.output.constData(), Mb(window.maxRssKb));

  qputenv("KOLT_EXIT_WHEN_SHOWN", "1");
  const Run helper = Timed({KOLT_HELPER}, out, 5);
  const Run bare = Timed({self, "--child", "bare"}, out, 5);
  qunsetenv("KOLT_EXIT_WHEN_SHOWN");
  std::printf("start-up to a shown main window with %d games: %.0f ms (exit %d), peak memory %.1f MB\n",
              games, helper.ms, helper.status, Mb(helper.maxRssKb));
  std::printf("a bare Qt window, started and shown:        %.0f ms, peak memory %.1f MB\n", bare.ms,
              Mb(bare.maxRssKb));
  std::printf("ratio %.2f (goal: at most 2)\n\n", helper.ms / bare.ms);

  // A long history in KOLT.INI: list time should grow with the file, not with its square.
  for (const qint64 mb : {5, 50}) {
    const QString big = MakeHome(root + "/h" + QString::number(mb), games, mb * 1024 * 1024);
    PointEnvironmentAt(root + "/h" + QString::number(mb), big);
    const Run list = Timed({KOLT_CLI, "--yes", "list", "--json"}, out, 3);
    std::printf(
        "kolt-cli list, KOLT.INI of %lld MB: %.0f ms (exit %d, %.1f ms per MB), peak memory %.1f MB "
        "(%.1f times the file; goal: below 3)\n",
        static_cast<long long>(mb), list.ms, list.status, list.ms / static_cast<double>(mb),
        Mb(list.maxRssKb), Mb(list.maxRssKb) / static_cast<double>(mb));
  }
  return 0;
}

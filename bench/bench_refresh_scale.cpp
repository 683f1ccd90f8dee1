// The scale curve of the model refresh that kolt-cli list and the main window share:
// the mixed home of bench_refresh at 500, 2,000, 10,000 and 30,000 games, each refresh
// (the first of a new process, then repeated) beside the bare cost of the same run: one
// listing + stat of the same files and reading the heads of the files the list shows.
// Each size runs in a child process of its own. Then kolt-cli list of the 500 games, a
// whole run and its start-up alone (KOLT_EXIT_AT=started), the difference beside the
// same bare cost. Prints figures; never fails.
//
//   bench_refresh_scale [--list]
#include <spawn.h>
#include <sys/wait.h>

#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <clocale>

#include "ChildRun.h"
#include "RefreshHome.h"

using namespace kolt;
using namespace kolt::bench;

namespace {

// kolt-cli list of the home, less its start-up (the settings file, the instance folder),
// beside the bare cost of the same home: the median of eleven pairs of runs.
void ListWithoutStartUp(const QString& self, const QString& root, const QString& home,
                        const QString& output) {
  PointEnvironmentAt(root, home);
  const QList<QByteArray> bareRun =
      RunChild({self, "--child", "model", home, "--bare"}, output).output.trimmed().split(' ');
  const double bare = bareRun.value(0).toDouble(), bareCpu = bareRun.value(1).toDouble(),
               bareFirst = bareRun.value(2).toDouble();
  const QStringList list = {QStringLiteral(KOLT_CLI), "--yes", "list", "--json"};
  // Whole runs and start-ups side by side, a pair at a time, so that a busy moment of the
  // machine falls on both halves of a pair; the median pair counts.
  RunChild(list, output);
  constexpr int kPairs = 11;
  std::vector<std::pair<ChildRun, ChildRun>> pairs;
  for (int i = 0; i < kPairs; ++i) {
    const ChildRun w = RunChild(list, output);
    qputenv("KOLT_EXIT_AT", "started");
    const ChildRun s = RunChild(list, output);
    qunsetenv("KOLT_EXIT_AT");
    pairs.emplace_back(w, s);
  }
  std::sort(pairs.begin(), pairs.end(),
            [](const auto& a, const auto& b) { return a.first.ms - a.second.ms < b.first.ms - b.second.ms; });
  const auto& [whole, started] = pairs[kPairs / 2];
  const double ms = whole.ms - started.ms, cpu = whole.cpuMs - started.cpuMs;
  std::printf(
      "kolt-cli list of the 500 games: %.1f ms (CPU %.1f ms), its start-up alone %.1f ms (CPU %.1f ms)\n"
      "  the list without the start-up: %.1f ms (CPU %.1f ms); bare %.1f ms (CPU %.1f ms); ratio %.2f "
      "(CPU %.2f; with the start-up %.2f, CPU %.2f); goal at most 3\n",
      whole.ms, whole.cpuMs, started.ms, started.cpuMs, ms, cpu, bare, bareCpu, ms / bare, cpu / bareCpu,
      whole.ms / bare, whole.cpuMs / bareCpu);
  std::printf("  the bare cost's first round in its process: %.1f ms; ratio against it %.2f\n", bareFirst,
              ms / bareFirst);
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  const QString self = QString::fromLocal8Bit(argv[0]);
  if (argc >= 4 && QByteArray(argv[1]) == "--child")
    return ChildModel(argc, argv, QString::fromLocal8Bit(argv[3]));
  // The scale curve: the model refresh per game at four sizes, each beside its bare cost.
  // With --list, only kolt-cli list of the 500 games.
  const bool listOnly = argc > 1 && QByteArray(argv[1]) == "--list";
  {
    QTemporaryDir dir;
    std::vector<std::pair<int, QString>> homes;
    for (const int n : listOnly ? std::vector<int>{500} : std::vector<int>{500, 2000, 10000, 30000})
      homes.emplace_back(n, MakeHome(dir.path() + "/s" + QString::number(n), n, 0));
    QThread::sleep(3);
    std::printf(
        "bench_refresh_scale: model refresh (first, then repeated) against listing + stat + reading "
        "the heads the list shows; %d cores\n",
        static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));
    for (const auto& [n, home] : homes) {
      if (listOnly) break;
      PointEnvironmentAt(dir.path() + "/s" + QString::number(n), home);
      std::printf(
          "%s",
          RunChild({self, "--child", "model", home, "--line"}, dir.path() + "/out.txt").output.constData());
      std::fflush(stdout);
    }
    ListWithoutStartUp(self, dir.path() + "/s500", homes.front().second, dir.path() + "/out.txt");
    std::fflush(stdout);
    return 0;
  }
}

// The scale curve of the model refresh that kolt-cli list and the main window share:
// the mixed home of bench_refresh at 500, 2,000, 10,000 and 30,000 games, each refresh
// (the first of a new process, then repeated) beside the bare cost of the same run: one
// listing + stat of the same files and reading the heads of the files the list shows.
// Each size runs in a child process of its own. Prints figures; never fails.
//
//   bench_refresh_scale
#include <spawn.h>
#include <sys/wait.h>

#include <QTemporaryDir>
#include <QThread>
#include <clocale>

#include "ChildRun.h"
#include "RefreshHome.h"

using namespace kolt;
using namespace kolt::bench;

extern char** environ;

namespace {}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  const QString self = QString::fromLocal8Bit(argv[0]);
  if (argc >= 4 && QByteArray(argv[1]) == "--child")
    return ChildModel(argc, argv, QString::fromLocal8Bit(argv[3]));
  // The scale curve: the model refresh per game at four sizes, each beside its bare cost.
  {
    QTemporaryDir dir;
    std::vector<std::pair<int, QString>> homes;
    for (const int n : {500, 2000, 10000, 30000})
      homes.emplace_back(n, MakeHome(dir.path() + "/s" + QString::number(n), n, 0));
    QThread::sleep(3);
    std::printf(
        "bench_refresh_scale: model refresh (first, then repeated) against listing + stat + reading "
        "the heads the list shows; %d cores\n",
        static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));
    for (const auto& [n, home] : homes) {
      PointEnvironmentAt(dir.path() + "/s" + QString::number(n), home);
      std::printf(
          "%s",
          RunChild({self, "--child", "model", home, "--line"}, dir.path() + "/out.txt").output.constData());
      std::fflush(stdout);
    }
    return 0;
  }
}

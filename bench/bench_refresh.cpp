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

extern char** environ;

namespace {

class QuietUi final : public UiPort {
 public:
  std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  void ShowStatus(const QString&) override {}
  void DoEvents() override {}

 protected:
  Answer ShowMessageBox(const QString& text, Buttons, Icon, const QString&, int) override {
    std::fprintf(stderr, "box: %s\n", qPrintable(text.left(200)));
    return Answer::Ok;
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Ms(const QElapsedTimer& t) {
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

// The Steel Panthers share of the home: the installation, `games` games of four files
// and their records. Each program added later adds its own share here.
QByteArray AddSpwaw(const QString& root, int games) {
  const QString game = root + "/games/SPWAW";
  const QString email = game + "/EMAIL";
  QDir().mkpath(email);
  Write(game + "/mech.exe", "MZ");
  QByteArray ini = "[SPWAW]\r\nDirectory=" + QFile::encodeName(game) + "\r\nSAVE=0\r\n";
  for (int i = 0; i < games; ++i) {
    const QByteArray base = "email" + QByteArray::number(i).rightJustified(4, '0');
    const QByteArray text = "Game " + QByteArray::number(i) + " ";
    Write(email + "/" + base + ".cmt", text.leftJustified(40, '.'));
    Write(email + "/" + base + ".dat", text.leftJustified(500, '.'));
    Write(email + "/" + base + ".aux", text.leftJustified(100, '.'));
    Write(email + "/" + base + ".rec", text.leftJustified(200, '.'));
    ini += base + ".cmt=opp" + QByteArray::number(i) + "@example.org\r\n" + base + ".cmt/M=KLT\r\n";
    if (i % 3 == 0) ini += base + ".cmt/S=2024-06-01 10:00:00\r\n";
  }
  return ini;
}

// The Combat Mission share: `games` series of one turn each in the KOLT folder.
QByteArray AddCmbo(const QString& root, int games) {
  const QString game = root + "/games/CMBO";
  const QString kolt = game + "/KOLT";
  QDir().mkpath(kolt);
  Write(game + "/Combat Mission.exe", "MZ");
  QByteArray ini = "[CMBO]\r\nDirectory=" + QFile::encodeName(game) + "\r\n";
  for (int i = 0; i < games; ++i) {
    const QByteArray base = "Battle" + QByteArray::number(i) + "_";
    Write(kolt + "/" + base + "001.txt", QByteArray(2000, 't'));
    ini += base + "=opp" + QByteArray::number(i) + "@example.org\r\n";
  }
  return ini;
}

// The first line of a Space Empires IV save file: "Different Machines" at column 51 with
// the fields around it, then one 129-character record per player.
QByteArray Se4Save(const QByteArray& type, int players) {
  QByteArray head = QByteArray(23, 'x') + "SE4GAM" + "   12" + QByteArray::number(players).rightJustified(3) +
                    type.leftJustified(13) + "Different Machines" + "    1";
  for (int p = 1; p <= players; ++p) {
    const QByteArray n = QByteArray::number(p);
    head += n.rightJustified(3) + ("Empire " + n).leftJustified(40) + ("Leader " + n).leftJustified(40) +
            (p == 1 ? QByteArray("me@example.org") : "p" + n + "@example.org").leftJustified(40) +
            QByteArray("Alive").leftJustified(6);
  }
  return head + "\r\n" + QByteArray(4000, 's');
}

// The Space Empires IV share: `games` games in the SAVEGAME folder, in turn a turn-based
// series of two saves (the newer listed), a hosted game with two order files in, and a
// client game with the user's order file.
QByteArray AddSe4(const QString& root, int games) {
  const QString game = root + "/games/SE4";
  const QString saves = game + "/SAVEGAME";
  QDir().mkpath(saves);
  Write(game + "/se4.exe", "MZ");
  QByteArray ini = "[SE4]\r\nDirectory=" + QFile::encodeName(game) + "\r\n";
  for (int i = 0; i < games; ++i) {
    const QByteArray n = QByteArray::number(i);
    if (i % 3 == 0) {
      const QByteArray base = "Duel" + n;
      Write(saves + "/" + base + "_2.gam", Se4Save("Turn Based", 3));
      Write(saves + "/" + base + "_3.gam", Se4Save("Turn Based", 3));
      ini += base + "/SN=" + base + "_2.gam\r\n";
    } else if (i % 3 == 1) {
      const QByteArray base = "Galaxy" + n;
      Write(saves + "/" + base + ".gam", Se4Save("Simultaneous", 4));
      Write(saves + "/" + base + "_0002.plr", QByteArray(1500, 'o'));
      Write(saves + "/" + base + "_0003.plr", QByteArray(1500, 'o'));
      ini += base + "=\r\n" + base + "/AI=4\r\n";
    } else {
      const QByteArray base = "Nebula" + n;
      Write(saves + "/" + base + ".gam", Se4Save("Simultaneous", 4));
      Write(saves + "/" + base + "_0001.plr", QByteArray(1500, 'o'));
      ini += base + "=host" + n + "@example.org\r\n";
    }
  }
  return ini;
}

// The share of a user-defined program, WARGAME: its definition beside KOLT.INI and
// `games` games of a primary ".sav" (the status file, described by its first line) and
// a ".dat" in its TURNS folder, with a file of another kind now and then.
QByteArray AddCustom(const QString& root, const QString& home, int games) {
  const QString game = root + "/games/WarGame";
  const QString turns = game + "/Turns";
  QDir().mkpath(turns);
  Write(game + "/war.exe", "MZ");
  Write(home + "/WARGAME.INI",
        "[Settings]\r\nLongName=War Game\r\nEXE=war.exe\r\nEMailSubDir=TURNS\r\nKOLTFilePattern=*.sav\r\n"
        "Description=LINE1\r\nCommandLine=\"%f\" \"%p\"\r\nFileTypes=2\r\n"
        "[File0]\r\nExt=sav\r\nPrimary=1\r\nModified=1\r\nCheckSame=1\r\nRequired=1\r\n"
        "[File1]\r\nExt=dat\r\nRequired=1\r\n");
  QByteArray ini = "[WARGAME]\r\nDirectory=" + QFile::encodeName(game) + "\r\n";
  for (int i = 0; i < games; ++i) {
    const QByteArray base = "war" + QByteArray::number(i).rightJustified(4, '0');
    Write(turns + "/" + base + ".sav", "Campaign " + QByteArray::number(i) + "\r\n" + QByteArray(3000, 's'));
    Write(turns + "/" + base + ".dat", QByteArray(800, 'd'));
    if (i % 10 == 0) Write(turns + "/" + base + ".log", QByteArray(100, 'l'));
    ini += base + ".sav=opp" + QByteArray::number(i) + "@example.org\r\n";
    if (i % 2 == 0) ini += base + ".sav/S=2024-06-01 10:00:00\r\n";
  }
  return ini;
}

// A home in `root` with `games` games, one in two of Steel Panthers, one in five of
// Combat Mission, one in five of Space Empires IV and one in ten of a user-defined
// program; `historyBytes` of records of games long over fill the settings.
QString MakeHome(const QString& root, int games, qint64 historyBytes) {
  const QString home = root + "/home";
  QDir().mkpath(home);
  const int cmbo = games / 5, se4 = games / 5, custom = games / 10;
  QByteArray ini = AddSpwaw(root, games - cmbo - se4 - custom) + AddCmbo(root, cmbo) + AddSe4(root, se4) +
                   AddCustom(root, home, custom);
  ini.reserve(ini.size() + historyBytes + 200);
  for (int i = 0; ini.size() < historyBytes; ++i) {
    const QByteArray key = "old" + QByteArray::number(i).rightJustified(7, '0') + ".cmt";
    ini += key + "=someone" + QByteArray::number(i % 97) + "@example.org\r\n" + key +
           "/S=2019-01-01 10:00:00\r\n" + key + "/R=2019-01-02 10:00:00\r\n";
  }
  ini += "[E-Mail]\r\nMode=SMTP\r\nFrom=me@example.org\r\n[Settings]\r\nInformed=3.0.0\r\n";
  Write(home + "/KOLT.INI", ini);
  return home;
}

// One in-process listing + stat of every file of the folder: the bare cost of knowing
// what the games list shows.
double ListAndStat(const QString& folder, int* files) {
  QElapsedTimer t;
  t.start();
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
  int n = 0;
  qint64 total = 0;
  while (const dirent* de = dir ? ::readdir(dir) : nullptr) {
    struct stat st {};
    if (de->d_name[0] != '.' && ::fstatat(::dirfd(dir), de->d_name, &st, 0) == 0) {
      total += st.st_size;
      ++n;
    }
  }
  if (dir) ::closedir(dir);
  if (files) *files = n;
  return total >= 0 ? Ms(t) : 0;
}

void PointEnvironmentAt(const QString& root, const QString& home) {
  qputenv("KOLT_HOME", QFile::encodeName(home));
  qputenv("HOME", QFile::encodeName(root + "/user"));
  qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/user/.local/share"));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/user/.config"));
  qputenv("WINEPREFIX", QFile::encodeName(root + "/wine"));
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qunsetenv("DISPLAY");
}

// --- Children -------------------------------------------------------------------------

int ChildModel(int argc, char** argv, const QString& home) {
  QCoreApplication app(argc, argv);
  QuietUi ui;
  SetSettingsPath(home + "/KOLT.INI");
  App().homeFolder = home;  // where the user-defined programs' definitions lie
  LinuxWintools tools(ui);
  ProgramList programs;
  ProgramRegistry registry(Services{ui, tools, {}}, AdapterFactories());
  registry.BuildProgramList(programs);
  std::vector<double> rounds;
  size_t games = 0;
  for (int i = 0; i < 7; ++i) {
    QElapsedTimer t;
    t.start();
    Pass pass;
    const Lists lists = ReadLists(programs, true);
    if (!pass.End()) {
      std::fprintf(stderr, "refresh: can't write the settings file %s\n", qPrintable(SettingsPath()));
      return 1;
    }
    rounds.push_back(Ms(t));
    games = lists.games.size();
  }
  const double first = rounds.front();
  rounds.erase(rounds.begin());
  std::vector<double> bare;
  int files = 0;
  for (int i = 0; i < 7; ++i) {
    int email = 0, kolt = 0, saves = 0, turns = 0;
    double ms = ListAndStat(programs.Find("SPWAW")->GetDirectory() + "/EMAIL", &email);
    if (const ProgramPtr cmbo = programs.Find("CMBO"))
      ms += ListAndStat(cmbo->GetDirectory() + "/KOLT", &kolt);
    if (const ProgramPtr se4 = programs.Find("SE4"))
      ms += ListAndStat(se4->GetDirectory() + "/SAVEGAME", &saves);
    if (const ProgramPtr custom = programs.Find("WARGAME"))
      ms += ListAndStat(custom->GetDirectory() + "/Turns", &turns);
    bare.push_back(ms);
    files = email + kolt + saves + turns;
  }
  const double ours = Median(rounds), base = Median(bare);
  std::printf("model refresh of %zu games: first %.1f ms, then %.1f ms (median of 6)\n", games, first, ours);
  std::printf("listing + stat of the same %d files in-process: %.1f ms (median of 7)\n", files, base);
  std::printf("ratio %.2f (goal: at most 3)\n", ours / base);
  return 0;
}

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

struct Run {
  double ms = 0;
  long maxRssKb = 0;
  int status = -1;
  QByteArray output;
};

Run Spawn(const QStringList& arguments, const QString& outputFile) {
  std::vector<QByteArray> bytes;
  for (const QString& a : arguments) bytes.push_back(QFile::encodeName(a));
  std::vector<char*> argv;
  for (QByteArray& b : bytes) argv.push_back(b.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const QByteArray out = QFile::encodeName(outputFile);
  posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Run run;
  QElapsedTimer t;
  t.start();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) == pid) {
      run.ms = Ms(t);
      run.maxRssKb = usage.ru_maxrss;
      run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  QFile f(outputFile);
  if (f.open(QIODevice::ReadOnly)) run.output = f.readAll();
  return run;
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
    return 2;
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
        "kolt-cli list, KOLT.INI of %lld MB: %.0f ms (exit %d, %.1f ms per MB), peak memory %.1f MB\n",
        static_cast<long long>(mb), list.ms, list.status, list.ms / static_cast<double>(mb),
        Mb(list.maxRssKb));
  }
  return 0;
}

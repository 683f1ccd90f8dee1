#pragma once

// The player's home of the refresh benchmarks, and the model refresh timed beside its
// bare cost; shared by bench_refresh and bench_refresh_scale.
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ChildRun.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"

namespace kolt::bench {

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

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

inline double Ms(const QElapsedTimer& t) {
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

inline void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

// The Steel Panthers share of the home: the installation, `games` games of four files
// and their records. Each program added later adds its own share here.
inline QByteArray AddSpwaw(const QString& root, int games) {
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
inline QByteArray AddCmbo(const QString& root, int games) {
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
inline QByteArray Se4Save(const QByteArray& type, int players) {
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
inline QByteArray AddSe4(const QString& root, int games) {
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
inline QByteArray AddCustom(const QString& root, const QString& home, int games) {
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
inline QString MakeHome(const QString& root, int games, qint64 historyBytes) {
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

// One in-process listing + stat of every file of the folder, and a read of the head of
// each file whose name ends in `readSuffix` (the comment files, save-file heads and first
// lines the list shows): the bare cost of knowing what the games list shows.
inline double ListAndStat(const QString& folder, int* files, const char* readSuffix = nullptr) {
  QElapsedTimer t;
  t.start();
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
  int n = 0;
  qint64 total = 0;
  const size_t suffix = readSuffix ? std::strlen(readSuffix) : 0;
  char head[4096];
  while (const dirent* de = dir ? ::readdir(dir) : nullptr) {
    struct stat st {};
    if (de->d_name[0] != '.' && ::fstatat(::dirfd(dir), de->d_name, &st, 0) == 0) {
      total += st.st_size;
      ++n;
      const size_t length = std::strlen(de->d_name);
      if (suffix && length > suffix && ::strcasecmp(de->d_name + length - suffix, readSuffix) == 0) {
        const int fd = ::openat(::dirfd(dir), de->d_name, O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
          total += ::read(fd, head, sizeof head);
          ::close(fd);
        }
      }
    }
  }
  if (dir) ::closedir(dir);
  if (files) *files = n;
  return total >= 0 ? Ms(t) : 0;
}

inline void PointEnvironmentAt(const QString& root, const QString& home) {
  PointHomeAt(root, home);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qunsetenv("DISPLAY");
}

// The bare cost of the home's games list: the median of seven listings + stats of its
// game folders with the heads the list shows (see ListAndStat).
inline double BareCost(const ProgramList& programs, int* files = nullptr, double* first = nullptr) {
  std::vector<double> bare;
  for (int i = 0; i < 7; ++i) {
    int email = 0, kolt = 0, saves = 0, turns = 0;
    double ms = ListAndStat(programs.Find("SPWAW")->GetDirectory() + "/EMAIL", &email, ".cmt");
    if (const ProgramPtr cmbo = programs.Find("CMBO"))
      ms += ListAndStat(cmbo->GetDirectory() + "/KOLT", &kolt);
    if (const ProgramPtr se4 = programs.Find("SE4"))
      ms += ListAndStat(se4->GetDirectory() + "/SAVEGAME", &saves, ".gam");
    if (const ProgramPtr custom = programs.Find("WARGAME"))
      ms += ListAndStat(custom->GetDirectory() + "/Turns", &turns, ".sav");
    bare.push_back(ms);
    if (files) *files = email + kolt + saves + turns;
  }
  if (first) *first = bare.front();  // a fresh process's, as a command's run is
  return Median(bare);
}

inline int ChildModel(int argc, char** argv, const QString& home) {
  QCoreApplication app(argc, argv);
  QuietUi ui;
  SetSettingsPath(home + "/KOLT.INI");
  App().homeFolder = home;  // where the user-defined programs' definitions lie
  LinuxWintools tools(ui);
  ProgramList programs;
  ProgramRegistry registry(Services{ui, tools, {}}, AdapterFactories());
  registry.BuildProgramList(programs);
  if (argc > 4 && QByteArray(argv[4]) == "--bare") {
    // The median time of a round, and the processor time of the mean round.
    timespec before{}, after{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
    double first = 0;
    const double ms = BareCost(programs, nullptr, &first);
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
    const double cpuMs = (static_cast<double>(after.tv_sec - before.tv_sec) * 1e3 +
                          static_cast<double>(after.tv_nsec - before.tv_nsec) / 1e6) /
                         7;
    std::printf("%.3f %.3f %.3f\n", ms, cpuMs, first);
    return 0;
  }
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
  int files = 0;
  double baseFirst = 0;
  const double ours = Median(rounds), base = BareCost(programs, &files, &baseFirst);
  if (argc > 4 && QByteArray(argv[4]) == "--line") {
    // One line of the scale curve: games, first, repeated, bare, per game; then the first
    // round beside the bare cost's own first round.
    const double n = static_cast<double>(std::max<size_t>(games, 1));
    std::printf(
        "%6zu games  first %8.1f ms  repeated %8.1f ms  bare %7.1f ms  ratio %5.2f / %5.2f  "
        "per game %5.1f / %5.1f us (bare %4.1f us)  bare's first %7.1f ms, ratio %5.2f\n",
        games, first, ours, base, first / base, ours / base, first * 1000 / n, ours * 1000 / n,
        base * 1000 / n, baseFirst, first / baseFirst);
    return 0;
  }
  std::printf("model refresh of %zu games: first %.1f ms, then %.1f ms (median of 6)\n", games, first, ours);
  std::printf(
      "listing + stat of the same %d files and reading the heads the list shows, in-process: "
      "%.1f ms (median of 7)\n",
      files, base);
  std::printf("ratio %.2f (first refresh %.2f; goal: at most 3)\n", ours / base, first / base);
  return 0;
}

}  // namespace kolt::bench

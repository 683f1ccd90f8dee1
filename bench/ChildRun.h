#pragma once

// Runs a benchmark's child process, pointed at a player's home, with its standard output
// in a file, and measures it: wall time, CPU time and peak memory, as the kernel counts
// them for that process.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <vector>

extern char** environ;

namespace kolt::bench {

struct ChildRun {
  double ms = 0;
  double cpuMs = 0;  // user + system time of the run
  long maxRssKb = 0;
  int status = -1;  // the exit code; -1 when it could not start or did not exit
  QByteArray output;
};

// Points this process and the children it starts at a player's home under `root`:
// the settings in `home`, the user's folders, the runtime folder and the Wine folder.
inline void PointHomeAt(const QString& root, const QString& home) {
  qputenv("KOLT_HOME", QFile::encodeName(home));
  qputenv("HOME", QFile::encodeName(root + "/user"));
  qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/user/.local/share"));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/user/.config"));
  // A private runtime folder, as a desktop session has: without one the window makes a
  // socket folder of its own in /tmp that outlives the run.
  QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root));
  qputenv("WINEPREFIX", QFile::encodeName(root + "/wine"));
}

inline ChildRun RunChild(const QStringList& arguments, const QString& outputFile) {
  std::vector<QByteArray> bytes;
  bytes.reserve(static_cast<size_t>(arguments.size()));
  for (const QString& a : arguments) bytes.push_back(QFile::encodeName(a));
  std::vector<char*> argv;
  argv.reserve(bytes.size() + 1);
  for (QByteArray& b : bytes) argv.push_back(b.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const QByteArray out = QFile::encodeName(outputFile);
  posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  ChildRun run;
  QElapsedTimer t;
  t.start();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) == pid) {
      run.ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
      run.maxRssKb = usage.ru_maxrss;
      run.cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                  static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
      run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  QFile f(outputFile);
  if (f.open(QIODevice::ReadOnly)) run.output = f.readAll();
  return run;
}

}  // namespace kolt::bench

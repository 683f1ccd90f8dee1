// One window takes every turn: a turn opened while the window runs on the same home is
// handed to that window, which takes it in; the second start ends at once. Both are the
// real program, on the offscreen platform.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "core/Settings.h"
#include "support/PackKlt.h"
#include "support/TempHome.h"
#include "support/WaitFor.h"
#include "ui/RunningWindow.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// Runs the blocking sending side on a thread while this one serves the window's side.
bool SendWhileServing(const std::function<bool()>& send) {
  std::atomic<int> result{-1};
  std::thread sender([&] { result = send() ? 1 : 0; });
  while (result < 0) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  sender.join();
  return result == 1;
}

// Serves events until `fd` has a byte to read (capped, so a broken test cannot hang).
char ReadServing(int fd) {
  QElapsedTimer clock;
  clock.start();
  struct pollfd p {
    fd, POLLIN, 0
  };
  while (::poll(&p, 1, 0) == 0 && clock.elapsed() < 30000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  char c = 0;
  return ::read(fd, &c, 1) == 1 ? c : '?';
}

mode_t ModeOf(const QString& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
  return st.st_mode;
}

// Runs `child` in a forked process as user 65534, which reports to the test through
// `report` (a pipe's write end) and exits with `child`'s result; 10 when the user
// cannot be taken.
pid_t AsAnotherUser(int report, const std::function<int(int)>& child) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(10);
    ::_exit(child(report));
  }
  return pid;
}
int ExitCodeOf(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WEXITSTATUS(status);
}

// A raw local socket of a process of another user (in a forked child).
int RawSocket(const QString& path, bool listen) {
  const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
  struct sockaddr_un address {};
  address.sun_family = AF_UNIX;
  const QByteArray native = QFile::encodeName(path);
  std::memcpy(address.sun_path, native.constData(),
              std::min<size_t>(native.size(), sizeof address.sun_path - 1));
  auto* a = reinterpret_cast<struct sockaddr*>(&address);
  if (listen) return ::bind(s, a, sizeof address) == 0 && ::listen(s, 4) == 0 ? s : -1;
  return ::connect(s, a, sizeof address) == 0 ? s : -1;
}

}  // namespace

// Without a runtime folder of the user's own the socket goes into a private folder with
// a name nobody can guess first, recorded in the home folder; one that others can enter
// is never used.
TEST(HandOffFolder, TheSocketLivesOnlyInAPrivateFolderOfTheUser) {
  TempHome home;
  QTemporaryDir root;
  const QString shared = root.path() + "/shared";
  QDir().mkpath(shared);
  ::chmod(QFile::encodeName(shared).constData(), 0755);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(shared));

  const QString folder = RunningWindow::SocketFolder(home.Path(), true);
  ASSERT_FALSE(folder.isEmpty());
  EXPECT_FALSE(folder.startsWith(shared));
  EXPECT_TRUE(S_ISDIR(ModeOf(folder)));
  EXPECT_EQ(ModeOf(folder) & 0777, 0700u);
  EXPECT_EQ(ReadFile(home.File(".kolt-socket-folder")).trimmed(), QFile::encodeName(folder));
  // The sending side finds it through the record; the window keeps it.
  EXPECT_EQ(RunningWindow::SocketFolder(home.Path(), false), folder);
  EXPECT_EQ(RunningWindow::SocketFolder(home.Path(), true), folder);
  EXPECT_TRUE(RunningWindow::SocketPath(home.Path()).startsWith(folder + "/kolt-helper-"));

  // Opened to others, it is not used again: the sender finds none, the window makes anew.
  ::chmod(QFile::encodeName(folder).constData(), 0755);
  EXPECT_EQ(RunningWindow::SocketFolder(home.Path(), false), "");
  EXPECT_EQ(RunningWindow::SocketPath(home.Path()), "");
  EXPECT_FALSE(RunningWindow::HandOff(home.Path(), "/turns/KOLT.KLT"));
  const QString second = RunningWindow::SocketFolder(home.Path(), true);
  EXPECT_FALSE(second.isEmpty());
  EXPECT_NE(second, folder);
  // A link to a private folder is no private folder.
  const QString link = root.path() + "/link";
  QFile::link(second, link);
  WriteFile(home.File(".kolt-socket-folder"), QFile::encodeName(link) + "\n");
  EXPECT_EQ(RunningWindow::SocketFolder(home.Path(), false), "");

  // A runtime folder of the user's own is used as it is, as is none at all.
  ::chmod(QFile::encodeName(shared).constData(), 0700);
  EXPECT_EQ(RunningWindow::SocketFolder(home.Path(), false), shared);
  qunsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(RunningWindow::SocketFolder(home.Path(), false), "");
  for (const QString& made : {folder, second}) QDir(made).removeRecursively();
}

TEST(HandOffFolder, ATurnReachesTheWindowOfTheSameUserOnly) {
  TempHome home;
  QTemporaryDir runtime;
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  RunningWindow window;
  QStringList arrived;
  QObject::connect(&window, &RunningWindow::FileArrived, [&arrived](const QString& p) { arrived.append(p); });
  ASSERT_TRUE(window.Listen(home.Path()));
  EXPECT_TRUE(SendWhileServing([&] { return RunningWindow::HandOff(home.Path(), "/turns/KOLT.KLT"); }));
  EXPECT_EQ(arrived, QStringList({"/turns/KOLT.KLT"}));
  RunningWindow another;
  EXPECT_FALSE(another.Listen(home.Path()));  // the first window keeps taking them

  if (::geteuid() != 0) GTEST_SKIP() << "a second user (uid 65534) needs a run as root";
  // An open folder, as if someone had made the socket reachable: the user ids decide.
  char made[] = "/tmp/kolt-peer-XXXXXX";
  ASSERT_NE(::mkdtemp(made), nullptr);
  ::chmod(made, 0777);
  const QString theirs = QString::fromLatin1(made) + "/theirs.socket";
  const QString ours = QString::fromLatin1(made) + "/ours.socket";

  // Another user listens where the turn would go: nothing is handed over.
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  pid_t child = AsAnotherUser(pipeFds[1], [&theirs](int report) {
    const int s = RawSocket(theirs, true);
    if (s < 0 || ::write(report, "r", 1) != 1) return 11;
    const int c = ::accept(s, nullptr, nullptr);
    char buffer[256];
    ssize_t n = c < 0 ? -1 : ::read(c, buffer, sizeof buffer);
    if (c >= 0 && ::write(c, "OK\n", 3) != 3) n = -1;
    const char got = n > 0 ? 'y' : 'n';  // whether the path reached that user
    return ::write(report, &got, 1) == 1 ? 0 : 12;
  });
  ASSERT_GT(child, 0);
  EXPECT_EQ(ReadServing(pipeFds[0]), 'r');
  EXPECT_FALSE(RunningWindow::HandOffAt(theirs, "/turns/KOLT.KLT"));
  EXPECT_EQ(ReadServing(pipeFds[0]), 'n');
  EXPECT_EQ(ExitCodeOf(child), 0);

  // Another user talks to our window: it is not heard.
  RunningWindow open;
  QObject::connect(&open, &RunningWindow::FileArrived, [&arrived](const QString& p) { arrived.append(p); });
  ASSERT_TRUE(open.ListenAt(ours));
  ::chmod(QFile::encodeName(ours).constData(), 0777);
  child = AsAnotherUser(pipeFds[1], [&ours](int report) {
    const int s = RawSocket(ours, false);
    if (s < 0) return 11;  // must reach the window for the check to count
    const char line[] = "/tmp/evil/KOLT.KLT\n";
    if (::write(s, line, sizeof line - 1) < 0) return 12;
    char answer[8] = {};
    const ssize_t n = ::read(s, answer, sizeof answer);
    const char got = n >= 2 && answer[0] == 'O' && answer[1] == 'K' ? 'y' : 'n';
    return ::write(report, &got, 1) == 1 ? 0 : 13;
  });
  ASSERT_GT(child, 0);
  EXPECT_EQ(ReadServing(pipeFds[0]), 'n');
  EXPECT_EQ(ExitCodeOf(child), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(arrived, QStringList({"/turns/KOLT.KLT"}));
  ::close(pipeFds[0]);
  ::close(pipeFds[1]);
  QDir(QString::fromLatin1(made)).removeRecursively();
}

TEST(HandOff, ATurnOpenedWhileTheWindowRunsIsTakenInByThatWindow) {
  TempHome home;
  QTemporaryDir runtime;
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  const QString game = home.Root() + "/games/SPWAW";
  WriteFile(game + "/mech.exe", "MZ");
  QDir().mkpath(game + "/EMAIL");
  IniWrite("SPWAW", "Directory", game);
  IniWrite("SPWAW", "SAVE", "0");
  // No installation question on the way.
  IniWrite("CMBO", "Directory", "-");
  IniWrite("SE4", "Directory", "-");
  IniWrite("E-Mail", "Mode", "SMTP");
  IniWrite("E-Mail", "From", "me@example.org");

  // The opponent's turn, packed as the program packs it.
  const QString klt = PackKlt(home.Root() + "/KOLT.KLT",
                              {{"SPWAW/email007.cmt", "Hand-off"}, {"SPWAW/email007.dat", "turn"}});

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  QProcess first;
  first.setProcessEnvironment(env);
  first.start(KOLT_HELPER, {});
  ASSERT_TRUE(first.waitForStarted());
  const QString socket = RunningWindow::SocketPath(home.Path());
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(socket); }, 20000)) << socket.toStdString();

  QProcess second;
  second.setProcessEnvironment(env);
  second.start(KOLT_HELPER, {klt});
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitCode(), 0);

  const bool taken = WaitFor(
      [] {
        ClearIniCache();
        return !IniRead("SPWAW", "email007.cmt/R").isEmpty();
      },
      20000);
  EXPECT_TRUE(taken);
  EXPECT_EQ(IniRead("SPWAW", "email007.cmt"), "ivan@example.org");
  // Only the first window's instance folder was ever used.
  EXPECT_FALSE(QFileInfo::exists(home.File("1")));
  first.terminate();
  EXPECT_TRUE(first.waitForFinished(10000));
}

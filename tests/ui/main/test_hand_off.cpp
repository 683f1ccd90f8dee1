// One window takes every turn: a turn opened while the window runs on the same home is
// handed to that window, which takes it in; the second start ends at once. Both are the
// real program, on the offscreen platform.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "core/Settings.h"
#include "core/Startup.h"
#include "support/TempHome.h"
#include "ui/RunningWindow.h"

using namespace kolt;
using kolt::test::TempHome;
using kolt::test::WriteFile;

namespace {

bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    if (done()) return true;
    QThread::msleep(50);
  }
  return done();
}

}  // namespace

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
  const QString staging = home.Root() + "/outbox";
  WriteFile(staging + "/SENDER.TXT",
            "ivan@example.org\r\n(GMT+1) CET\r\n-60\r\n" + ProgramVersion().toLatin1() + "\r\n");
  WriteFile(staging + "/SPWAW/email007.cmt", "Hand-off");
  WriteFile(staging + "/SPWAW/email007.dat", "turn");
  const QString klt = home.Root() + "/KOLT.KLT";
  QProcess zip;
  zip.setWorkingDirectory(staging);
  zip.start("zip", {"-q", "-r", klt, "."});
  ASSERT_TRUE(zip.waitForFinished(10000));

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

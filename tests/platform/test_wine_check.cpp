#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "platform/linux/LinuxWintools.h"
#include "platform/linux/PeVersion.h"
#include "platform/linux/WineCheck.h"
#include "support/PeBuilder.h"
#include "support/QtPrinters.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "support/WaitFor.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// What Debian's wine package writes for a 32-bit program when wine32:i386 is missing
// (Wine 8.0, an existing prefix); it then exits with status 0.
const char kWow64Failure[] =
    "it looks like wine32 is missing, you should install it.\n"
    "multiarch needs to be enabled first.  as root, please\n"
    "execute \"dpkg --add-architecture i386 && apt-get update &&\n"
    "apt-get install wine32:i386\"\n"
    "0144:err:environ:init_peb starting L\"Z:\\\\tmp\\\\probe.exe\" in experimental wow64 mode\n"
    "0144:err:module:load_wow64_ntdll failed to load L\"\\\\??\\\\C:\\\\windows\\\\syswow64\\\\ntdll.dll\" "
    "error c0000135\n";

// A program that failed to load under Wine: its complaints among the usual chatter.
const char kMissingDll[] =
    "0024:fixme:ver:GetCurrentPackageId (0x31fe08 (nil)): stub\n"
    "0024:err:module:import_dll Library MFC42.DLL (which is needed by L\"C:\\\\Games\\\\CM\\\\cmbo.exe\") "
    "not "
    "found\n"
    "0024:warn:seh:dispatch_exception unhandled\n"
    "wine: could not load kernel32.dll, status c0000135\n";

// Chatter only: a program that simply ended.
const char kHarmless[] =
    "wine: created the configuration directory '/home/p/.wine'\n"
    "0024:fixme:ver:GetCurrentPackageId (0x31fe08 (nil)): stub\n";

int CountLines(const QString& path, const QString& start) {
  int n = 0;
  for (const QByteArray& line : ReadFile(path).split('\n'))
    if (QString::fromUtf8(line).startsWith(start)) ++n;
  return n;
}

// Our own error output sent to a file for as long as it lives.
class StderrCapture {
 public:
  explicit StderrCapture(const QString& path) : m_path(path) {
    fflush(stderr);
    m_saved = dup(STDERR_FILENO);
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, STDERR_FILENO);
    ::close(fd);
  }
  ~StderrCapture() {
    fflush(stderr);
    dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
  }
  QByteArray Text() const { return ReadFile(m_path); }

 private:
  QString m_path;
  int m_saved = -1;
};

class WineCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(m_probeCopy, kolt::MakeWineProbeProgram());
    MakePrefix(m_prefix);
  }
  // A Wine folder that has had its first set-up.
  static void MakePrefix(const QString& prefix) {
    QDir().mkpath(prefix + "/drive_c/Games/CM");
    WriteFile(prefix + "/system.reg", "WINE REGISTRY Version 2\n");
  }

  // A stand-in for the Wine command. It logs each run ("probe PREFIX" when given the
  // check program, else "game PREFIX ARGS"), then runs the shell code for that case.
  QString StandIn(const QString& onProbe, const QString& onGame) {
    QString path = m_home.File("bin/wine");
    const QString script = QStringLiteral(
                               "#!/bin/sh\n"
                               "for last; do :; done\n"
                               "if cmp -s \"$last\" '%1'; then\n"
                               "  echo \"probe $WINEPREFIX\" >> '%2'\n"
                               "  %3\n"
                               "fi\n"
                               "echo \"game $WINEPREFIX $*\" >> '%2'\n"
                               "%4\n")
                               .arg(m_probeCopy, m_runs, onProbe, onGame);
    WriteScript(path, script.toUtf8());
    return path;
  }
  // Shell code that writes `text` on the error output.
  QString SaysOnStderr(const char* text) {
    const QString file = m_home.File(QString("said-%1.txt").arg(++m_saidCount));
    WriteFile(file, text);
    return QString("cat '%1' >&2").arg(file);
  }
  QString Game(const PeLayout& layout = PeLayout(), const QString& prefix = QString()) {
    QString exe = (prefix.isEmpty() ? m_prefix : prefix) + "/drive_c/Games/CM/cmbo.exe";
    WriteFile(exe, PeBuilder::Build(layout));
    return exe;
  }
  int Probes() const { return CountLines(m_runs, "probe "); }
  int Games() const { return CountLines(m_runs, "game "); }

  ScopedEnv m_noPrefix{"WINEPREFIX", QString()};
  ScriptedUi m_ui;
  TempHome m_home;
  const QString m_probeCopy = m_home.File("probe-copy.exe");
  const QString m_runs = m_home.File("runs.txt");
  const QString m_prefix = m_home.File("prefixes/cm");
  int m_saidCount = 0;
};

}  // namespace

TEST(WineSaid, KeepsTheComplaintsAndDropsTheChatter) {
  const QStringList wow64 = WineSaid(kWow64Failure);
  ASSERT_EQ(wow64.size(), 6);
  EXPECT_EQ(wow64[0], "it looks like wine32 is missing, you should install it.");
  EXPECT_TRUE(wow64[5].contains("load_wow64_ntdll failed to load"));

  EXPECT_EQ(WineSaid(kMissingDll),
            (QStringList{QStringLiteral("0024:err:module:import_dll Library MFC42.DLL (which is needed by "
                                        "L\"C:\\\\Games\\\\CM\\\\cmbo.exe\") not found"),
                         "wine: could not load kernel32.dll, status c0000135"}));
  EXPECT_TRUE(WineSaid(kHarmless).isEmpty());
  EXPECT_TRUE(
      WineSaid("Game says hello\r\n\n   \nwine: configuration in '/p' has been updated.\n").isEmpty());

  // Many lines are cut to a count; very long ones are shortened.
  QByteArray flood;
  for (int i = 0; i < 50; ++i) flood += "err:d3d:wined3d_check " + QByteArray::number(i) + "\n";
  flood += "err:x " + QByteArray(2000, 'y') + "\n";
  const QStringList capped = WineSaid(flood, 20);
  ASSERT_EQ(capped.size(), 21);
  EXPECT_EQ(capped[19], "err:d3d:wined3d_check 19");
  EXPECT_EQ(capped[20], "(31 more lines)");
  EXPECT_LT(WineSaid("err:x " + QByteArray(2000, 'y'))[0].size(), 400);
}

TEST_F(WineCheckTest, A64BitOnlyWineRefusesThe32BitGameWithWhatToInstall) {
  const QString wine =
      StandIn(SaysOnStderr(kWow64Failure) + "; exit 0", SaysOnStderr(kWow64Failure) + "; exit 0");
  LinuxWintools tools(m_ui, wine + " --flag");
  const QString exe = Game();
  EXPECT_FALSE(tools.RunProgram(exe, {.directory = QFileInfo(exe).path()}));
  EXPECT_FALSE(tools.StartedProgramRunning());
  EXPECT_FALSE(tools.RunProgram(exe, {.showError = true, .wait = true}));
  EXPECT_EQ(tools.LastExitCode(), -1);

  // Checked once, in the game's prefix; the game itself never started.
  EXPECT_EQ(Probes(), 1);
  EXPECT_EQ(Games(), 0);
  EXPECT_EQ(ReadFile(m_runs).split('\n')[0], "probe " + QFile::encodeName(m_prefix));
  ASSERT_EQ(m_ui.boxes.size(), 2u);  // each start says why, once
  for (const auto& box : m_ui.boxes) {
    EXPECT_TRUE(box.text.startsWith("Can't start " + exe)) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains("Wine command \"" + wine + " --flag\""));
    EXPECT_TRUE(box.text.contains("load_wow64_ntdll failed to load"));
    EXPECT_TRUE(
        box.text.contains(QStringLiteral("sudo dpkg --add-architecture i386\rsudo apt update\r"
                                         "sudo apt install wine32:i386")));
    EXPECT_EQ(box.icon, kolt::Icon::Exclamation);
  }
}

TEST_F(WineCheckTest, AWineThatRuns32BitProgramsStartsTheGameAfterOneCheck) {
  const QString wine = StandIn("exit 42", "exec sleep 1");
  LinuxWintools tools(m_ui, wine);
  const QString exe = Game();
  ASSERT_TRUE(tools.RunProgram(exe, {.parameters = "/turn"}));
  EXPECT_TRUE(tools.StartedProgramRunning());
  EXPECT_TRUE(WaitFor([&] { return Games() == 1; }));
  ASSERT_TRUE(tools.RunProgram(exe, {}));
  EXPECT_TRUE(WaitFor([&] { return !tools.StartedProgramRunning(); }));
  EXPECT_EQ(Probes(), 1);
  EXPECT_EQ(Games(), 2);
  EXPECT_TRUE(ReadFile(m_runs).contains("game " + QFile::encodeName(m_prefix + " " + exe) + " /turn\n"));
  EXPECT_TRUE(m_ui.boxes.empty());

  // A 64-bit game is not checked.
  QFile::remove(m_runs);
  LinuxWintools fresh(m_ui, wine);
  ASSERT_TRUE(fresh.RunProgram(Game(PeLayout{.pe32plus = true}), {.wait = true}));
  EXPECT_EQ(Probes(), 0);
  EXPECT_EQ(Games(), 1);
  EXPECT_TRUE(m_ui.boxes.empty());
}

TEST_F(WineCheckTest, OnlyTheCheckProgramsExitCodeCountsEvenWhenWineSaysNothing) {
  // WINEDEBUG=-all in the player's profile silences Wine; the check runs without it.
  const ScopedEnv quiet("WINEDEBUG", "-all");
  const QString quietUnlessAsked = "[ -z \"$WINEDEBUG\" ] && " + SaysOnStderr(kWow64Failure) + "; exit 0";
  for (const QString& probe : {quietUnlessAsked, QString("exit 7"), QString("exec sleep 30")}) {
    SCOPED_TRACE(probe.toStdString());
    QFile::remove(m_runs);
    const QString wine = StandIn(probe, "exit 0");
    ScriptedUi ui;
    LinuxWintools tools(ui, wine);
    tools.SetWineCheckTimeout(500);
    EXPECT_FALSE(tools.RunProgram(Game(), {.wait = true}));
    EXPECT_FALSE(tools.RunProgram(Game(), {.wait = true}));
    EXPECT_EQ(Games(), 0);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_TRUE(ui.boxes[0].text.contains("sudo apt install wine32:i386"));
    if (probe.contains("sleep")) {
      // The window was served while the check ran; one that hung is asked again.
      EXPECT_GE(ui.doEvents, 3);
      EXPECT_EQ(Probes(), 2);
      EXPECT_TRUE(ui.boxes[0].text.contains("did not end within"));
    } else {
      EXPECT_EQ(Probes(), 1);
    }
    if (probe.contains("exit 7")) {
      EXPECT_TRUE(ui.boxes[0].text.contains("ended with 7 instead of 42"));
    }
    if (probe.contains("WINEDEBUG")) {
      EXPECT_TRUE(ui.boxes[0].text.contains("Wine said:\rit looks like wine32 is missing"));
    }
  }
}

TEST_F(WineCheckTest, AFolderMadeBeforeWine32GetsAdviceToMakeANewOneAndIsCheckedPerFolder) {
  const QString wine = StandIn("case \"$WINEPREFIX\" in *old*) " +
                                   SaysOnStderr("wine: could not load kernel32.dll, status c0000135\n") +
                                   "; exit 0;; *) exit 42;; esac",
                               "exit 0");
  LinuxWintools tools(m_ui, wine);
  const QString old = m_home.File("prefixes/old");
  MakePrefix(old);
  EXPECT_FALSE(tools.RunProgram(Game(PeLayout(), old), {.wait = true}));
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_TRUE(m_ui.boxes[0].text.contains("The Wine folder " + old + " cannot load"))
      << m_ui.boxes[0].text.toStdString();
  EXPECT_TRUE(m_ui.boxes[0].text.contains("WINEARCH=win32 wineboot -i"));
  EXPECT_FALSE(m_ui.boxes[0].text.contains("apt install"));
  // The same Wine runs the game kept in another folder.
  EXPECT_TRUE(tools.RunProgram(Game(), {.wait = true}));
  EXPECT_EQ(Probes(), 2);
  EXPECT_EQ(Games(), 1);
}

TEST_F(WineCheckTest, ANewFolderIsSetUpFirstAndThePlayerSeesThatItIs) {
  QFile::remove(m_prefix + "/system.reg");
  const QString wine = StandIn("exit 42", "exit 0");
  LinuxWintools tools(m_ui, wine);
  EXPECT_TRUE(tools.RunProgram(Game(), {.wait = true}));
  const QStringList runs = QString::fromUtf8(ReadFile(m_runs)).split(QChar('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(runs.size(), 3);
  EXPECT_EQ(runs[0], "game " + m_prefix + " wineboot -i");
  EXPECT_TRUE(runs[1].startsWith("probe "));
  ASSERT_FALSE(m_ui.statuses.isEmpty());
  EXPECT_TRUE(m_ui.statuses[0].contains("setting up the folder " + m_prefix));
  EXPECT_TRUE(m_ui.statuses.last().isEmpty());
}

TEST_F(WineCheckTest, AGameThatEndsAtOnceShowsWhatWineSaidOnceAndOnlyAFailure) {
  const QString wine = StandIn("exit 42", SaysOnStderr(kMissingDll) + "; exit 0");
  LinuxWintools tools(m_ui, wine);
  // The main window's timer asks the toolbox again while a box is open.
  int asked = 0;
  m_ui.onBox = [&](const QString&) { asked += tools.StartedProgramRunning() ? 100 : 1; };
  const QString exe = Game();
  {
    StderrCapture terminal(m_home.File("stderr.txt"));
    ASSERT_TRUE(tools.RunProgram(exe, {.directory = QFileInfo(exe).path()}));
    EXPECT_TRUE(WaitFor([&] { return !tools.StartedProgramRunning(); }));
    // Wine's output still reaches the terminal we run on, chatter and all.
    EXPECT_TRUE(terminal.Text().contains(kMissingDll));
  }
  EXPECT_FALSE(tools.StartedProgramRunning());
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_EQ(m_ui.boxes[0].text,
            "The game ended at once. Wine said:\r" + WineSaid(kMissingDll).join(QChar('\r')));
  EXPECT_EQ(asked, 1);  // asked again while the box was open: nothing more to report

  // The same for a program waited for, whose exit code passes through.
  m_ui.onBox = nullptr;
  StandIn("exit 42", SaysOnStderr(kMissingDll) + "; exit 3");
  ASSERT_TRUE(tools.RunProgram(exe, {.wait = true}));
  EXPECT_EQ(tools.LastExitCode(), 3);
  ASSERT_EQ(m_ui.boxes.size(), 2u);
  EXPECT_EQ(m_ui.boxes[1].text, m_ui.boxes[0].text);

  // A quick end with chatter only is no failure.
  StandIn("exit 42", SaysOnStderr(kHarmless) + "; exit 0");
  ASSERT_TRUE(tools.RunProgram(exe, {}));
  EXPECT_TRUE(WaitFor([&] { return !tools.StartedProgramRunning(); }));
  ASSERT_TRUE(tools.RunProgram(exe, {.wait = true}));
  EXPECT_EQ(Games(), 4);
  EXPECT_EQ(m_ui.boxes.size(), 2u);
}

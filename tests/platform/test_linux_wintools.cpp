#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QThread>
#include <cerrno>

#include "core/Pass.h"
#include "core/Settings.h"
#include "platform/linux/LinuxWintools.h"
#include "support/PeBuilder.h"
#include "support/QtPrinters.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "support/WaitFor.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// A shell script that records its working folder, WINEPREFIX and arguments (one per
// line) into `record`, optionally after sleeping, and exits with `code`.
QString WriteRecorder(const QString& path, const QString& record, int code = 0, const char* sleep = "0") {
  const QString script = QStringLiteral(
                             "#!/bin/sh\n"
                             "sleep %1\n"
                             "{ printf '%s\\n' \"PWD=$(pwd)\" \"WINEPREFIX=${WINEPREFIX-<unset>}\";\n"
                             "  for a in \"$@\"; do printf '%s\\n' \"ARG=$a\"; done; } > \"%2.tmp\"\n"
                             "mv \"%2.tmp\" \"%2\"\n"
                             "exit %3\n")
                             .arg(QLatin1String(sleep), record)
                             .arg(code);
  WriteScript(path, script.toUtf8());
  return path;
}

QStringList Lines(const QString& path) {
  return QString::fromUtf8(ReadFile(path)).split(QChar('\n'), Qt::SkipEmptyParts);
}

class LinuxWintoolsTest : public ::testing::Test {
 protected:
  QString Canonical(const QString& p) const { return QFileInfo(p).canonicalFilePath(); }

  // A Wine prefix as Wine lays it out: drive_c and dosdevices links c: and z:.
  QString MakePrefix(const QString& where) {
    QDir().mkpath(where + "/drive_c/windows");
    QDir().mkpath(where + "/dosdevices");
    QFile::link("../drive_c", where + "/dosdevices/c:");
    QFile::link("/", where + "/dosdevices/z:");
    return where;
  }

  ScopedEnv m_prefix{"WINEPREFIX", QString()};
  const QByteArray m_oldPath = qgetenv("PATH");
  ScopedEnv m_path{"PATH", QString::fromLocal8Bit(m_oldPath)};
  TempHome m_home;
  ScriptedUi m_ui;
};

}  // namespace

TEST_F(LinuxWintoolsTest, WaitsForNativeProgramSplittingParametersLikeWindows) {
  const QString record = m_home.File("record.txt");
  const QString script = WriteRecorder(m_home.File("bin/tool"), record, 3, "0.3");
  const QString work = m_home.File("work dir");
  QDir().mkpath(work);
  LinuxWintools tools(m_ui);
  EXPECT_EQ(tools.LastExitCode(), -1);
  ASSERT_TRUE(tools.RunProgram(script, {.parameters = "one \"two words\" \"say \"\"hi\"\"\"  last",
                                        .directory = work,
                                        .showError = true,
                                        .wait = true}));
  // Returned only after the program ended, with the window served meanwhile.
  EXPECT_TRUE(QFile::exists(record));
  EXPECT_GE(m_ui.doEvents, 1);
  EXPECT_EQ(tools.LastExitCode(), 3);
  EXPECT_EQ(Lines(record), (QStringList{"PWD=" + work, "WINEPREFIX=<unset>", "ARG=one", "ARG=two words",
                                        "ARG=say \"hi\"", "ARG=last"}));
  EXPECT_TRUE(m_ui.boxes.empty());
  EXPECT_FALSE(tools.StartedProgramRunning());  // waiting does not make it the watched one
}

TEST_F(LinuxWintoolsTest, WindowsProgramRunsUnderWineInItsOwnPrefix) {
  const QString record = m_home.File("wine-record.txt");
  const QString wine = WriteRecorder(m_home.File("bin/wine-stub"), record, 7);
  kolt::IniWrite("Settings", "Wine", wine + " --stub-flag");
  const QString prefix = MakePrefix(m_home.File("prefixes/spwaw"));
  const QString exe = prefix + "/drive_c/Games/SPWAW/MECH.EXE";
  // 64-bit: the stub is no Wine that could pass the 32-bit check.
  WriteFile(exe, kolt::test::PeBuilder::Build(kolt::test::PeLayout{.pe32plus = true}));
  qputenv("WINEPREFIX", "/elsewhere");  // the program's own prefix wins

  LinuxWintools tools(m_ui);
  ASSERT_TRUE(tools.RunProgram(
      exe, {.parameters = "-x \"C:\\Games\\a b.dat\"", .directory = QFileInfo(exe).path(), .wait = true}));
  EXPECT_EQ(tools.LastExitCode(), 7);
  EXPECT_EQ(Lines(record),
            (QStringList{"PWD=" + QFileInfo(exe).path(), "WINEPREFIX=" + prefix, "ARG=--stub-flag",
                         "ARG=" + exe, "ARG=-x", "ARG=C:\\Games\\a b.dat"}));

  // Outside any drive_c the environment's prefix stays; a command given to the
  // constructor overrides the setting.
  QFile::remove(record);
  const QString loose = m_home.File("loose/setup.exe");
  WriteFile(loose, "MZ");
  LinuxWintools explicitWine(m_ui, wine);
  ASSERT_TRUE(explicitWine.RunProgram(loose, {.wait = true}));
  EXPECT_EQ(Lines(record).mid(1), (QStringList{"WINEPREFIX=/elsewhere", "ARG=" + loose}));
}

TEST_F(LinuxWintoolsTest, WatchedProgramOutlivesReplacementAndTools) {
  const QString first = m_home.File("first.txt");
  const QString second = m_home.File("second.txt");
  const QString slow = WriteRecorder(m_home.File("bin/slow"), first, 0, "0.8");
  const QString quick = WriteRecorder(m_home.File("bin/quick"), second, 0, "0.3");
  {
    LinuxWintools tools(m_ui);
    EXPECT_FALSE(tools.StartedProgramRunning());
    ASSERT_TRUE(tools.RunProgram(slow, {.showError = true}));
    EXPECT_TRUE(tools.StartedProgramRunning());
    // A second start replaces the watched program without ending the first.
    ASSERT_TRUE(tools.RunProgram(quick, {.showError = true}));
    EXPECT_TRUE(tools.StartedProgramRunning());
    EXPECT_TRUE(WaitFor([&] { return !tools.StartedProgramRunning(); }));
    EXPECT_TRUE(QFile::exists(second));
    EXPECT_FALSE(QFile::exists(first));
  }
  // The tools are gone (the helper closed); the game keeps running to its end.
  EXPECT_TRUE(WaitFor([&] { return QFile::exists(first); }));
  EXPECT_TRUE(m_ui.boxes.empty());
}

TEST_F(LinuxWintoolsTest, FailedStartsReportOnlyWhenAsked) {
  LinuxWintools tools(m_ui, "/nonexistent/wine");
  EXPECT_FALSE(tools.RunProgram("/nonexistent/prog", {.parameters = "-a", .wait = true}));
  EXPECT_FALSE(tools.RunProgram("/nonexistent/prog", {.parameters = "-a"}));
  EXPECT_TRUE(m_ui.boxes.empty());

  EXPECT_FALSE(
      tools.RunProgram("/nonexistent/prog", {.parameters = "-a \"b\"", .showError = true, .wait = true}));
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_TRUE(m_ui.boxes[0].text.startsWith("Can't execute: /nonexistent/prog -a \"b\""));
  EXPECT_EQ(m_ui.boxes[0].icon, kolt::Icon::Exclamation);
  EXPECT_EQ(tools.LastExitCode(), -1);

  // A Windows program when Wine is missing; a working folder that does not exist.
  const QString exe = m_home.File("game/GAME.EXE");
  WriteFile(exe, "MZ");
  EXPECT_FALSE(tools.RunProgram(exe, {.showError = true}));
  ASSERT_EQ(m_ui.boxes.size(), 2u);
  EXPECT_TRUE(m_ui.boxes[1].text.startsWith("Can't execute: " + exe + " "));
  const QString record = m_home.File("r.txt");
  const QString script = WriteRecorder(m_home.File("bin/ok"), record);
  EXPECT_FALSE(tools.RunProgram(script, {.directory = m_home.File("missing"), .wait = true}));
  EXPECT_FALSE(tools.StartedProgramRunning());
  EXPECT_EQ(m_ui.boxes.size(), 2u);

  // Missing Wine is said even to a caller that stays silent otherwise (Play, Run).
  EXPECT_FALSE(tools.RunProgram(exe, {}));
  ASSERT_EQ(m_ui.boxes.size(), 3u);
  EXPECT_TRUE(m_ui.boxes[2].text.contains("The Wine command \"/nonexistent/wine\" was not found."));
}

TEST_F(LinuxWintoolsTest, ShellOpenHandsDocumentsAndPagesToTheDesktop) {
  const QString record = m_home.File("open.txt");
  const QString bin = m_home.File("stubs");
  WriteRecorder(bin + "/xdg-open", record);
  qputenv("PATH", QFile::encodeName(bin) + ":" + m_oldPath);
  LinuxWintools tools(m_ui);

  ASSERT_TRUE(tools.ShellOpen("https://www.libarchive.org/", {}));
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(record); }));
  EXPECT_EQ(Lines(record).mid(2), QStringList{"ARG=https://www.libarchive.org/"});

  QFile::remove(record);
  const QString doc = m_home.File("docs/kolt.htm");
  WriteFile(doc, "<html></html>");
  ASSERT_TRUE(tools.ShellOpen("kolt.htm", {.directory = QFileInfo(doc).path(), .showError = true}));
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(record); }));
  EXPECT_EQ(Lines(record).mid(2), QStringList{"ARG=" + doc});

  // A program is started with the parameters, as the shell does.
  const QString progRecord = m_home.File("prog.txt");
  const QString prog = WriteRecorder(m_home.File("bin/viewer"), progRecord);
  ASSERT_TRUE(tools.ShellOpen(prog, {.parameters = "\"a b\" c", .showError = true}));
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(progRecord); }));
  EXPECT_EQ(Lines(progRecord).mid(2), (QStringList{"ARG=a b", "ARG=c"}));
  EXPECT_TRUE(m_ui.boxes.empty());

  EXPECT_FALSE(tools.ShellOpen(m_home.File("nothing.htm"), {.parameters = "p"}));
  EXPECT_TRUE(m_ui.boxes.empty());
  EXPECT_FALSE(tools.ShellOpen(m_home.File("nothing.htm"), {.parameters = "p", .showError = true}));
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_TRUE(m_ui.boxes[0].text.startsWith("Can't execute: " + m_home.File("nothing.htm") + " p"));

  // No desktop opener at all.
  qputenv("PATH", "/nonexistent");
  EXPECT_FALSE(tools.ShellOpen("https://curl.se/", {.showError = true}));
  EXPECT_EQ(m_ui.boxes.size(), 2u);
}

TEST_F(LinuxWintoolsTest, AReceivedArchiveOpensWithTheZipHandlerNeverWithThisProgram) {
  const QString bin = m_home.File("stubs");
  const QString answer = m_home.File("default.txt");
  // xdg-mime answers with the desktop entry named in a file.
  WriteScript(bin + "/xdg-mime", "#!/bin/sh\ncat '" + QFile::encodeName(answer) + "'\n");
  qputenv("PATH", QFile::encodeName(bin) + ":" + m_oldPath);
  const QString record = m_home.File("viewer.txt");
  const QString viewer = WriteRecorder(m_home.File("bin/archive viewer"), record);
  const QString apps = qEnvironmentVariable("XDG_DATA_HOME") + "/applications";
  WriteFile(apps + "/viewer.desktop",
            "[Desktop Action x]\nExec=wrong\n[Desktop Entry]\nName=Viewer\nExec=\"" +
                QFile::encodeName(viewer) + "\" --open %f %i\n");
  const QString klt = m_home.File("in/KOLT.KLT");
  WriteFile(klt, "PK");
  LinuxWintools tools(m_ui);

  WriteFile(answer, "viewer.desktop\n");
  ASSERT_TRUE(tools.OpenWithHandlerOf(klt, "application/zip"));
  ASSERT_TRUE(WaitFor([&] { return QFile::exists(record); }));
  EXPECT_EQ(Lines(record).mid(2), (QStringList{"ARG=--open", "ARG=" + klt}));

  WriteFile(answer, "kolt-helper.desktop\n");  // the desktop would hand it back to us
  EXPECT_FALSE(tools.OpenWithHandlerOf(klt, "application/zip"));
  WriteFile(answer, "");
  EXPECT_FALSE(tools.OpenWithHandlerOf(klt, "application/zip"));
  EXPECT_TRUE(m_ui.boxes.empty());
}

TEST_F(LinuxWintoolsTest, UninstallLookupFollowsTheEntryIntoThePrefix) {
  const QString prefix = MakePrefix(m_home.File("wine"));
  qputenv("WINEPREFIX", QFile::encodeName(prefix));
  const QString c = prefix + "/drive_c";
  WriteFile(c + "/Games/SPWAW/uninst.exe", "MZ");
  WriteFile(c + "/Games/SPWAW/Mech.Exe", "MZ");
  WriteFile(c + "/windows/unwise.exe", "MZ");
  WriteFile(c + "/Games/SE4/INSTALL.LOG", "log");
  WriteFile(c + "/Games/SE4/se4.exe", "MZ");
  WriteFile(c + "/Games/CM/uninstall.exe", "MZ");
  WriteFile(c + "/Games/CM/cmbo.exe", "MZ");
  // A game on the z: drive, outside the prefix.
  const QString outside = m_home.File("elsewhere/Game");
  WriteFile(outside + "/remove.exe", "MZ");
  WriteFile(outside + "/game.exe", "MZ");
  QString zPath = outside + "/remove.exe";
  zPath.replace(QChar('/'), QLatin1String("\\\\"));

  const QByteArray reg =
      "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Steel_Panthers_World_At_War] "
      "1796578165\n"
      "#time=1dd85a756c26b92\n"
      "\"UninstallString\"=\"\\\"C:\\\\Games\\\\SPWAW\\\\uninst.exe\\\"\"\n\n"
      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Space Empires IV] "
      "1\n"
      "\"UninstallString\"=\"C:\\\\WINDOWS\\\\unwise.exe C:\\\\Games\\\\SE4\\\\install.log\"\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Unquoted] 1\n"
      "\"UninstallString\"=\"C:\\\\Games\\\\SPWAW\\\\uninst.exe\"\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\WithArgs] 1\n"
      "\"UninstallString\"=\"\\\"C:\\\\Games\\\\CM\\\\uninstall.exe\\\" /S\"\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Climber] 1\n"
      "\"UninstallString\"=\"\\\"C:\\\\Games\\\\..\\\\..\\\\..\\\\etc\\\\passwd\\\"\"\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\OnZ] 1\n"
      "\"UninstallString\"=\"\\\"Z:" +
      zPath.toUtf8() + "\\\"\"\n\n";
  WriteFile(prefix + "/system.reg", reg);

  LinuxWintools tools(m_ui);
  // The entries in the file's order, the 32-bit view's after the others.
  EXPECT_EQ(tools.UninstallKeyNames(), QStringList({"Steel_Panthers_World_At_War", "Unquoted", "WithArgs",
                                                    "Climber", "OnZ", "Space Empires IV"}));
  // A quoted path of an existing uninstaller: its folder + the executable, found without
  // regard to case.
  EXPECT_EQ(tools.UninstallLookup("mech.exe", "steel_panthers_world_at_war"),
            Canonical(c + "/Games/SPWAW/Mech.Exe"));
  // The 32-bit view; an unquoted uninstaller followed by a path among its arguments.
  EXPECT_EQ(tools.UninstallLookup("SE4.EXE", "Space Empires IV"), Canonical(c + "/Games/SE4/se4.exe"));
  // The same path unquoted (and no second path), and a quoted path followed by arguments.
  EXPECT_EQ(tools.UninstallLookup("mech.exe", "Unquoted"), QString());
  EXPECT_EQ(tools.UninstallLookup("cmbo.exe", "WithArgs"), QString());
  EXPECT_EQ(tools.UninstallLookup("passwd", "Climber"), QString());
  EXPECT_EQ(tools.UninstallLookup("game.exe", "OnZ"), Canonical(outside + "/game.exe"));
  // No such executable, no such entry, an executable name that is a path.
  EXPECT_EQ(tools.UninstallLookup("other.exe", "Steel_Panthers_World_At_War"), QString());
  EXPECT_EQ(tools.UninstallLookup("mech.exe", "Nothing"), QString());
  EXPECT_EQ(tools.UninstallLookup("../SPWAW/Mech.Exe", "Space Empires IV"), QString());

  // The file is read again once it changes; without it there is nothing to find.
  QThread::msleep(10);
  WriteFile(prefix + "/system.reg", "WINE REGISTRY Version 2\n");
  EXPECT_EQ(tools.UninstallLookup("mech.exe", "Steel_Panthers_World_At_War"), QString());
  QFile::remove(prefix + "/system.reg");
  EXPECT_EQ(tools.UninstallLookup("mech.exe", "Steel_Panthers_World_At_War"), QString());
  EXPECT_TRUE(tools.UninstallKeyNames().isEmpty());
  EXPECT_TRUE(m_ui.boxes.empty());
}

TEST_F(LinuxWintoolsTest, RegistryStringsOfBothHives) {
  const QString prefix = MakePrefix(m_home.File("wine"));
  qputenv("WINEPREFIX", QFile::encodeName(prefix));
  WriteFile(prefix + "/user.reg",
            "WINE REGISTRY Version 2\n[Software\\\\Wine\\\\Drives] 1\n@=\"root\"\n\"a\"=\"cd\\x0000rom\"\n");
  LinuxWintools tools(m_ui);
  QString value = "unchanged";
  EXPECT_EQ(tools.RegReadString(Wintools::RegRoot::LocalMachine, "Software", "x", value), EIO);
  EXPECT_EQ(tools.RegReadString(Wintools::RegRoot::CurrentUser, "Software\\Wine\\Drives", "b", value),
            ENOENT);
  EXPECT_EQ(value, "unchanged");
  EXPECT_EQ(tools.RegReadString(Wintools::RegRoot::CurrentUser, "software\\wine\\drives", QString(), value),
            0);
  EXPECT_EQ(value, "root");
  EXPECT_EQ(tools.RegReadString(Wintools::RegRoot::CurrentUser, "Software\\Wine\\Drives", "A", value), 0);
  EXPECT_EQ(value, "cd");  // cut at the NUL
}

TEST_F(LinuxWintoolsTest, FileVersionFromResourceElseModificationTime) {
  LinuxWintools tools(m_ui);
  const QString data = QStringLiteral(KOLT_TEST_SOURCE_DIR "/tests/platform/data/");
  EXPECT_EQ(tools.FileVersion(data + "with-version.exe"), "2.5.17");
  const QString plain = m_home.File("plain.exe");
  QFile::copy(data + "without-version.exe", plain);
  const QDateTime when(QDate(2004, 3, 9), QTime(14, 5, 0));
  QFile f(plain);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
  f.close();
  EXPECT_EQ(tools.FileVersion(plain), QLocale().toString(when, QLocale::ShortFormat));
  EXPECT_EQ(tools.FileVersion(m_home.File("missing.exe")), QString());
}

TEST_F(LinuxWintoolsTest, TouchFileSetsOnlyTheModificationTime) {
  LinuxWintools tools(m_ui);
  const QString file = m_home.File("SAVE0001.DAT");
  WriteFile(file, "turn");
  const QDateTime past = QDateTime::currentDateTime().addYears(-3);
  const QDateTime future = QDateTime::currentDateTime().addDays(30);
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(future, QFileDevice::FileModificationTime);
    f.setFileTime(past, QFileDevice::FileAccessTime);
  }
  const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
  ASSERT_TRUE(tools.TouchFile(file));
  const QFileInfo info(file);
  EXPECT_GE(info.lastModified(), before);
  EXPECT_LE(info.lastModified(), QDateTime::currentDateTime().addSecs(1));
  EXPECT_LT(info.lastRead(), before);  // access time left alone
  EXPECT_EQ(ReadFile(file), QByteArray("turn"));
  EXPECT_TRUE(m_ui.boxes.empty());

  const QString missing = m_home.File("missing.dat");
  EXPECT_FALSE(tools.TouchFile(missing));
  EXPECT_FALSE(QFile::exists(missing));  // never created
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_TRUE(m_ui.boxes[0].text.startsWith("Can't open file: " + missing));
}

TEST_F(LinuxWintoolsTest, PathsBetweenUnixAndWindows) {
  const QString prefix = MakePrefix(m_home.File("pfx"));
  qputenv("WINEPREFIX", QFile::encodeName(prefix));
  WriteFile(prefix + "/drive_c/Games/SPWAW/Saves/SAVE001.DAT", "x");
  LinuxWintools tools(m_ui);
  EXPECT_EQ(tools.ToWindowsPath(prefix + "/drive_c/Games/SPWAW/SAVE001.DAT"),
            "C:\\Games\\SPWAW\\SAVE001.DAT");
  EXPECT_EQ(tools.ToWindowsPath(prefix + "/drive_c"), "C:\\");
  EXPECT_EQ(tools.ToWindowsPath("/home/player/turns/a.klt"), "Z:\\home\\player\\turns\\a.klt");
  EXPECT_EQ(tools.ToWindowsPath("/home/player/../player/x"), "Z:\\home\\player\\x");

  const QString c = Canonical(prefix + "/drive_c");
  EXPECT_EQ(tools.ToUnixPath("c:\\games\\spwaw\\saves\\save001.dat"), c + "/Games/SPWAW/Saves/SAVE001.DAT");
  EXPECT_EQ(tools.ToUnixPath("C:\\Games\\New\\file.txt"), c + "/Games/New/file.txt");
  EXPECT_EQ(tools.ToUnixPath("Z:\\tmp"), "/tmp");
  EXPECT_EQ(tools.ToUnixPath("D:\\x"), QString());  // no such drive
  EXPECT_EQ(tools.ToUnixPath("C:\\Games\\..\\..\\x"), QString());
  EXPECT_EQ(tools.ToUnixPath("\\\\server\\share"), QString());
  EXPECT_EQ(tools.ToUnixPath("C:relative"), QString());
}

TEST(LinuxWintoolsProcesses, CanOpenExclusiveTellsWhetherAProgramRuns) {
  TempHome home;
  ScriptedUi ui;
  LinuxWintools tools(ui);
  const QString exe = home.File("game/mySleep");
  QDir().mkpath(home.File("game"));
  ASSERT_TRUE(QFile::copy("/bin/sleep", exe));
  QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
  EXPECT_TRUE(tools.CanOpenExclusive(exe));
  EXPECT_FALSE(tools.CanOpenExclusive(home.File("game/missing.exe")));
  QProcess p;
  p.start(exe, {"30"});
  ASSERT_TRUE(p.waitForStarted());
  EXPECT_FALSE(tools.CanOpenExclusive(exe));
  p.kill();
  p.waitForFinished();
  EXPECT_TRUE(tools.CanOpenExclusive(exe));
}

// A game under Wine runs as Wine's loader with the game's .exe mapped; the processes are
// looked at once per pass however many programs ask.
TEST(LinuxWintoolsProcesses, AGameMappedByWinesLoaderRunsAndOneScanServesAPass) {
  TempHome home;
  ScriptedUi ui;
  LinuxWintools tools(ui);
  QDir().mkpath(home.File("game"));
  const QString exe = home.File("game/Game.exe");
  const QString other = home.File("game/Other.exe");
  for (const QString& path : {exe, other}) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'M'));
  }
  QProcess wine;
  wine.start(QStringLiteral(WINE_LOADER_STANDIN), {exe});
  ASSERT_TRUE(wine.waitForReadyRead(10000));  // it says so once the file is mapped
  {
    kolt::Pass pass;
    const long long before = LinuxWintools::ProcessScanCount();
    EXPECT_FALSE(tools.CanOpenExclusive(exe));
    EXPECT_TRUE(tools.CanOpenExclusive(other));
    EXPECT_FALSE(tools.CanOpenExclusive(exe));
    EXPECT_EQ(LinuxWintools::ProcessScanCount() - before, 1);
  }
  wine.kill();
  wine.waitForFinished();
  // The next pass looks again: the game has ended.
  kolt::Pass pass;
  const long long before = LinuxWintools::ProcessScanCount();
  EXPECT_TRUE(tools.CanOpenExclusive(exe));
  EXPECT_TRUE(tools.CanOpenExclusive(other));
  EXPECT_EQ(LinuxWintools::ProcessScanCount() - before, 1);
}

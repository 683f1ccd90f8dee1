#include <gtest/gtest.h>

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
#include "support/OneBox.h"
#include "support/PeBuilder.h"
#include "support/QtPrinters.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "support/WaitFor.h"

using namespace kolt;
using namespace kolt::test;

namespace {

QStringList Lines(const QString& path) {
  return QString::fromUtf8(ReadFile(path)).split(QChar('\n'), Qt::SkipEmptyParts);
}

class LinuxWintoolsTest : public ::testing::Test {
 protected:
  QString Canonical(const QString& p) const { return QFileInfo(p).canonicalFilePath(); }

  // A shell script bin/<name> that records its working folder, WINEPREFIX and arguments
  // (one per line) into Record(name), optionally after sleeping, and exits with `code`.
  QString Recorder(const QString& name, int code = 0, const char* sleep = "0") {
    const QString script = QStringLiteral(
                               "#!/bin/sh\n"
                               "sleep %1\n"
                               "{ printf '%s\\n' \"PWD=$(pwd)\" \"WINEPREFIX=${WINEPREFIX-<unset>}\";\n"
                               "  for a in \"$@\"; do printf '%s\\n' \"ARG=$a\"; done; } > \"%2.tmp\"\n"
                               "mv \"%2.tmp\" \"%2\"\n"
                               "exit %3\n")
                               .arg(QLatin1String(sleep), Record(name))
                               .arg(code);
    WriteScript(m_home.File("bin/" + name), script.toUtf8());
    return m_home.File("bin/" + name);
  }
  QString Record(const QString& name) const { return m_home.File(name + ".txt"); }
  // The arguments the recorder `name` got, once it has written them; the record goes.
  QStringList ArgsOf(const QString& name) {
    EXPECT_TRUE(WaitFor([&] { return QFile::exists(Record(name)); })) << name.toStdString();
    const QStringList args = Lines(Record(name)).mid(2);
    QFile::remove(Record(name));
    return args;
  }
  // The recorders in bin/ come first on the PATH.
  void RecordersOnPath() { qputenv("PATH", QFile::encodeName(m_home.File("bin")) + ":" + m_oldPath); }

  // A Wine prefix as Wine lays it out (drive_c and dosdevices links c: and z:), made the
  // environment's WINEPREFIX.
  QString MakePrefix(const QString& where) {
    QDir().mkpath(where + "/drive_c/windows");
    QDir().mkpath(where + "/dosdevices");
    QFile::link("../drive_c", where + "/dosdevices/c:");
    QFile::link("/", where + "/dosdevices/z:");
    qputenv("WINEPREFIX", QFile::encodeName(where));
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
  const QString script = Recorder("tool", 3, "0.3");
  const QString work = m_home.File("work dir");
  QDir().mkpath(work);
  LinuxWintools tools(m_ui);
  EXPECT_EQ(tools.LastExitCode(), -1);
  ASSERT_TRUE(tools.RunProgram(script, {.parameters = "one \"two words\" \"say \"\"hi\"\"\"  last",
                                        .directory = work,
                                        .showError = true,
                                        .wait = true}));
  // Returned only after the program ended, with the window served meanwhile.
  EXPECT_TRUE(QFile::exists(Record("tool")));
  EXPECT_GE(m_ui.doEvents, 1);
  EXPECT_EQ(tools.LastExitCode(), 3);
  EXPECT_EQ(Lines(Record("tool")), (QStringList{"PWD=" + work, "WINEPREFIX=<unset>", "ARG=one",
                                                "ARG=two words", "ARG=say \"hi\"", "ARG=last"}));
  EXPECT_TRUE(m_ui.boxes.empty());
  EXPECT_FALSE(tools.StartedProgramRunning());  // waiting does not make it the watched one
}

TEST_F(LinuxWintoolsTest, WindowsProgramRunsUnderWineInItsOwnPrefix) {
  const QString wine = Recorder("wine-stub", 7);
  kolt::IniWrite("Settings", "Wine", wine + " --stub-flag");
  const QString prefix = MakePrefix(m_home.File("prefixes/spwaw"));
  const QString exe = prefix + "/drive_c/Games/SPWAW/MECH.EXE";
  // 64-bit: the stub is no Wine that could pass the 32-bit check.
  WriteFile(exe, PeBuilder::Build(PeLayout{.pe32plus = true}));
  qputenv("WINEPREFIX", "/elsewhere");  // the program's own prefix wins

  LinuxWintools tools(m_ui);
  ASSERT_TRUE(tools.RunProgram(
      exe, {.parameters = "-x \"C:\\Games\\a b.dat\"", .directory = QFileInfo(exe).path(), .wait = true}));
  EXPECT_EQ(tools.LastExitCode(), 7);
  EXPECT_EQ(Lines(Record("wine-stub")),
            (QStringList{"PWD=" + QFileInfo(exe).path(), "WINEPREFIX=" + prefix, "ARG=--stub-flag",
                         "ARG=" + exe, "ARG=-x", "ARG=C:\\Games\\a b.dat"}));

  // Outside any drive_c the environment's prefix stays; a command given to the
  // constructor overrides the setting.
  QFile::remove(Record("wine-stub"));
  const QString loose = m_home.File("loose/setup.exe");
  WriteFile(loose, "MZ");
  LinuxWintools explicitWine(m_ui, wine);
  ASSERT_TRUE(explicitWine.RunProgram(loose, {.wait = true}));
  EXPECT_EQ(Lines(Record("wine-stub")).mid(1), (QStringList{"WINEPREFIX=/elsewhere", "ARG=" + loose}));
}

TEST_F(LinuxWintoolsTest, WatchedProgramOutlivesReplacementAndTools) {
  const QString slow = Recorder("slow", 0, "0.8");
  const QString quick = Recorder("quick", 0, "0.3");
  {
    LinuxWintools tools(m_ui);
    EXPECT_FALSE(tools.StartedProgramRunning());
    ASSERT_TRUE(tools.RunProgram(slow, {.showError = true}));
    EXPECT_TRUE(tools.StartedProgramRunning());
    // A second start replaces the watched program without ending the first.
    ASSERT_TRUE(tools.RunProgram(quick, {.showError = true}));
    EXPECT_TRUE(tools.StartedProgramRunning());
    EXPECT_TRUE(WaitFor([&] { return !tools.StartedProgramRunning(); }));
    EXPECT_TRUE(QFile::exists(Record("quick")));
    EXPECT_FALSE(QFile::exists(Record("slow")));
  }
  // The tools are gone (the helper closed); the game keeps running to its end.
  EXPECT_TRUE(WaitFor([&] { return QFile::exists(Record("slow")); }));
  EXPECT_TRUE(m_ui.boxes.empty());
}

TEST_F(LinuxWintoolsTest, FailedStartsReportOnlyWhenAsked) {
  LinuxWintools tools(m_ui, "/nonexistent/wine");
  EXPECT_FALSE(tools.RunProgram("/nonexistent/prog", {.parameters = "-a", .wait = true}));
  EXPECT_FALSE(tools.RunProgram("/nonexistent/prog", {.parameters = "-a"}));
  EXPECT_TRUE(m_ui.boxes.empty());

  EXPECT_FALSE(
      tools.RunProgram("/nonexistent/prog", {.parameters = "-a \"b\"", .showError = true, .wait = true}));
  EXPECT_TRUE(OneBoxStartsWith(m_ui, "Can't execute: /nonexistent/prog -a \"b\""));
  EXPECT_EQ(m_ui.boxes[0].icon, kolt::Icon::Exclamation);
  EXPECT_EQ(tools.LastExitCode(), -1);

  // A Windows program when Wine is missing; a working folder that does not exist.
  m_ui.boxes.clear();
  const QString exe = m_home.File("game/GAME.EXE");
  WriteFile(exe, "MZ");
  EXPECT_FALSE(tools.RunProgram(exe, {.showError = true}));
  EXPECT_TRUE(OneBoxStartsWith(m_ui, "Can't execute: " + exe + " "));
  EXPECT_FALSE(tools.RunProgram(Recorder("ok"), {.directory = m_home.File("missing"), .wait = true}));
  EXPECT_FALSE(tools.StartedProgramRunning());
  EXPECT_EQ(m_ui.boxes.size(), 1u);

  // Missing Wine is said even to a caller that stays silent otherwise (Play, Run).
  m_ui.boxes.clear();
  EXPECT_FALSE(tools.RunProgram(exe, {}));
  EXPECT_TRUE(OneBoxContains(m_ui, "The Wine command \"/nonexistent/wine\" was not found."));
}

TEST_F(LinuxWintoolsTest, ShellOpenHandsDocumentsAndPagesToTheDesktop) {
  Recorder("xdg-open");
  RecordersOnPath();
  LinuxWintools tools(m_ui);

  ASSERT_TRUE(tools.ShellOpen("https://www.libarchive.org/", {}));
  EXPECT_EQ(ArgsOf("xdg-open"), QStringList{"ARG=https://www.libarchive.org/"});
  const QString doc = m_home.File("docs/kolt.htm");
  WriteFile(doc, "<html></html>");
  ASSERT_TRUE(tools.ShellOpen("kolt.htm", {.directory = QFileInfo(doc).path(), .showError = true}));
  EXPECT_EQ(ArgsOf("xdg-open"), QStringList{"ARG=" + doc});
  // A program is started with the parameters, as the shell does.
  ASSERT_TRUE(tools.ShellOpen(Recorder("viewer"), {.parameters = "\"a b\" c", .showError = true}));
  EXPECT_EQ(ArgsOf("viewer"), (QStringList{"ARG=a b", "ARG=c"}));
  EXPECT_TRUE(m_ui.boxes.empty());

  EXPECT_FALSE(tools.ShellOpen(m_home.File("nothing.htm"), {.parameters = "p"}));
  EXPECT_TRUE(m_ui.boxes.empty());
  EXPECT_FALSE(tools.ShellOpen(m_home.File("nothing.htm"), {.parameters = "p", .showError = true}));
  EXPECT_TRUE(OneBoxStartsWith(m_ui, "Can't execute: " + m_home.File("nothing.htm") + " p"));

  // No desktop opener at all.
  qputenv("PATH", "/nonexistent");
  EXPECT_FALSE(tools.ShellOpen("https://curl.se/", {.showError = true}));
  EXPECT_EQ(m_ui.boxes.size(), 2u);
}

TEST_F(LinuxWintoolsTest, AReceivedArchiveOpensWithTheZipHandlerNeverWithThisProgram) {
  const QString answer = m_home.File("default.txt");
  // xdg-mime answers with the desktop entry named in a file.
  WriteScript(m_home.File("bin/xdg-mime"), "#!/bin/sh\ncat '" + QFile::encodeName(answer) + "'\n");
  RecordersOnPath();
  WriteFile(qEnvironmentVariable("XDG_DATA_HOME") + "/applications/viewer.desktop",
            "[Desktop Action x]\nExec=wrong\n[Desktop Entry]\nName=Viewer\nExec=\"" +
                QFile::encodeName(Recorder("archive viewer")) + "\" --open %f %i\n");
  const QString klt = m_home.File("in/KOLT.KLT");
  WriteFile(klt, "PK");
  LinuxWintools tools(m_ui);

  WriteFile(answer, "viewer.desktop\n");
  ASSERT_TRUE(tools.OpenWithHandlerOf(klt, "application/zip"));
  EXPECT_EQ(ArgsOf("archive viewer"), (QStringList{"ARG=--open", "ARG=" + klt}));
  WriteFile(answer, "kolt-helper.desktop\n");  // the desktop would hand it back to us
  EXPECT_FALSE(tools.OpenWithHandlerOf(klt, "application/zip"));
  WriteFile(answer, "");
  EXPECT_FALSE(tools.OpenWithHandlerOf(klt, "application/zip"));
  EXPECT_TRUE(m_ui.boxes.empty());
}

TEST_F(LinuxWintoolsTest, UninstallLookupFollowsTheEntryIntoThePrefix) {
  const QString prefix = MakePrefix(m_home.File("wine"));
  const QString c = prefix + "/drive_c";
  for (const char* file :
       {"/Games/SPWAW/uninst.exe", "/Games/SPWAW/Mech.Exe", "/windows/unwise.exe", "/Games/SE4/INSTALL.LOG",
        "/Games/SE4/se4.exe", "/Games/CM/uninstall.exe", "/Games/CM/cmbo.exe"})
    WriteFile(c + file, "MZ");
  // A game on the z: drive, outside the prefix.
  const QString outside = m_home.File("elsewhere/Game");
  WriteFile(outside + "/remove.exe", "MZ");
  WriteFile(outside + "/game.exe", "MZ");
  QString zPath = outside + "/remove.exe";
  zPath.replace(QChar('/'), QLatin1String("\\\\"));
  // Wine's own file (Steel Panthers, and Space Empires IV in the 32-bit view) and more.
  const auto entry = [](const QByteArray& name, const QByteArray& command) {
    return "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\" + name +
           "] 1\n\"UninstallString\"=\"" + command + "\"\n\n";
  };
  WriteFile(prefix + "/system.reg",
            ReadFile(KOLT_TEST_SOURCE_DIR "/tests/platform/data/wine-system.reg") + "\n" +
                entry("Unquoted", "C:\\\\Games\\\\SPWAW\\\\uninst.exe") +
                entry("WithArgs", "\\\"C:\\\\Games\\\\CM\\\\uninstall.exe\\\" /S") +
                entry("Climber", "\\\"C:\\\\Games\\\\..\\\\..\\\\..\\\\etc\\\\passwd\\\"") +
                entry("OnZ", "\\\"Z:" + zPath.toUtf8() + "\\\""));

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
  WriteFile(prefix + "/user.reg",
            "WINE REGISTRY Version 2\n[Software\\\\Wine\\\\Drives] 1\n@=\"root\"\n\"a\"=\"cd\\x0000rom\"\n");
  LinuxWintools tools(m_ui);
  const auto user = Wintools::RegRoot::CurrentUser;
  QString value = "unchanged";
  EXPECT_EQ(tools.RegReadString(Wintools::RegRoot::LocalMachine, "Software", "x", value), EIO);
  EXPECT_EQ(tools.RegReadString(user, "Software\\Wine\\Drives", "b", value), ENOENT);
  EXPECT_EQ(value, "unchanged");
  EXPECT_EQ(tools.RegReadString(user, "software\\wine\\drives", QString(), value), 0);
  EXPECT_EQ(value, "root");
  EXPECT_EQ(tools.RegReadString(user, "Software\\Wine\\Drives", "A", value), 0);
  EXPECT_EQ(value, "cd");  // cut at the NUL
}

TEST_F(LinuxWintoolsTest, FileVersionFromResourceElseModificationTime) {
  LinuxWintools tools(m_ui);
  const QString data = QStringLiteral(KOLT_TEST_SOURCE_DIR "/tests/platform/data/");
  EXPECT_EQ(tools.FileVersion(data + "with-version.exe"), "2.5.17");
  const QString plain = m_home.File("plain.exe");
  QFile::copy(data + "without-version.exe", plain);
  const QDateTime when(QDate(2004, 3, 9), QTime(14, 5, 0));
  SetModified(plain, when);
  EXPECT_EQ(tools.FileVersion(plain), QLocale().toString(when, QLocale::ShortFormat));
  EXPECT_EQ(tools.FileVersion(m_home.File("missing.exe")), QString());
}

TEST_F(LinuxWintoolsTest, TouchFileSetsOnlyTheModificationTime) {
  LinuxWintools tools(m_ui);
  const QString file = m_home.File("SAVE0001.DAT");
  WriteFile(file, "turn");
  SetModified(file, QDateTime::currentDateTime().addDays(30));
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addYears(-3), QFileDevice::FileAccessTime);
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
  EXPECT_TRUE(OneBoxStartsWith(m_ui, "Can't open file: " + missing));
}

TEST_F(LinuxWintoolsTest, PathsBetweenUnixAndWindows) {
  const QString prefix = MakePrefix(m_home.File("pfx"));
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

// A native program runs its own file; a game under Wine runs as Wine's loader with the
// game's .exe mapped. The processes are looked at once per pass however many ask.
TEST_F(LinuxWintoolsTest, CanOpenExclusiveTellsWhetherAProgramOrAGameUnderWineRuns) {
  LinuxWintools tools(m_ui);
  const QString sleep = m_home.File("game/mySleep");
  QDir().mkpath(m_home.File("game"));
  ASSERT_TRUE(QFile::copy("/bin/sleep", sleep));
  QFile::setPermissions(sleep, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
  EXPECT_TRUE(tools.CanOpenExclusive(sleep));
  EXPECT_FALSE(tools.CanOpenExclusive(m_home.File("game/missing.exe")));
  QProcess native;
  native.start(sleep, {"30"});
  ASSERT_TRUE(native.waitForStarted());
  EXPECT_FALSE(tools.CanOpenExclusive(sleep));
  native.kill();
  native.waitForFinished();
  EXPECT_TRUE(tools.CanOpenExclusive(sleep));

  const QString exe = m_home.File("game/Game.exe");
  const QString other = m_home.File("game/Other.exe");
  ASSERT_TRUE(WriteFile(exe, QByteArray(4096, 'M')));
  ASSERT_TRUE(WriteFile(other, QByteArray(4096, 'M')));
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

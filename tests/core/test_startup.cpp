#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>
#include <QProcess>

#include "core/Settings.h"
#include "core/Startup.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

constexpr std::time_t kJuly2026 = 1783000000;     // 2026-07-02
constexpr std::time_t kJanuary2026 = 1768000000;  // 2026-01-09

}  // namespace

TEST(Startup, NextTokenSplitsAndUnquotes) {
  QString line = "  \"C:\\My Games\\KOLT.KLT\"  second\tthird";
  EXPECT_EQ(NextToken(line), "C:\\My Games\\KOLT.KLT");
  EXPECT_EQ(NextToken(line), "second");
  EXPECT_EQ(NextToken(line), "third");
  EXPECT_EQ(NextToken(line), "");
  EXPECT_EQ(line, "");

  QString quotes = R"("say ""hi"" now" rest)";
  EXPECT_EQ(NextToken(quotes), "say \"hi\" now");
  EXPECT_EQ(quotes, " rest");
  QString open = "\"unterminated path";
  EXPECT_EQ(NextToken(open), "unterminated path");
  EXPECT_EQ(open, "");
}

TEST(Startup, CommandLineTakesAtMostOneFile) {
  QString file, bad;
  EXPECT_TRUE(ParseCommandLine({}, &file, &bad));
  EXPECT_EQ(file, "");
  EXPECT_TRUE(ParseCommandLine({"", "/tmp/my turn/KOLT.KLT"}, &file, &bad));
  EXPECT_EQ(file, "/tmp/my turn/KOLT.KLT");
  EXPECT_FALSE(ParseCommandLine({"a.klt", "b.klt"}, &file, &bad));
  EXPECT_EQ(bad, "b.klt");
  // At start-up a second file ends the program after a message.
  TempHome home;
  ScriptedUi ui;
  EXPECT_FALSE(RunStartup(ui, {"a.klt", "b.klt"}, home.Root() + "/kolt-helper"));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Invalid command line option: b.klt");
  EXPECT_EQ(ui.boxes[0].icon, Icon::Exclamation);
  ReleaseInstanceFolder();
}

TEST(Startup, TimeZoneTextAndBias) {
  // Irish time: standard time is the summer's IST, and the winter's GMT is marked as
  // daylight time an hour back; both as the zone file and as the rule it ends with.
  const char* const dublinRule = "IST-1GMT0,M10.5.0,M3.5.0/1";
  const struct {
    const char* zone;
    std::time_t when;
    const char* text;
    int bias;
  } cases[] = {
      {"Asia/Kolkata", kJuly2026, "(GMT+5.5) ", -330},  // no daylight rules: no zone name
      {"Europe/Berlin", kJuly2026, "(GMT+1+1) CEST", -120},
      {"Europe/Berlin", kJanuary2026, "(GMT+1) CET", -60},
      {"America/New_York", kJuly2026, "(GMT-5+1) EDT", 240},
      {"America/New_York", kJanuary2026, "(GMT-5) EST", 300},
      {"Europe/Dublin", kJanuary2026, "(GMT+0) GMT", 0},
      {"Europe/Dublin", kJuly2026, "(GMT+1) IST", -60},
      {dublinRule, kJanuary2026, "(GMT+0) GMT", 0},
      {dublinRule, kJuly2026, "(GMT+1) IST", -60},
      {"UTC", kJuly2026, "(GMT+0) ", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zone);
    ScopedEnv zone("TZ", c.zone);
    const TimeZoneInfo tz = ReadTimeZone(c.when);
    EXPECT_EQ(tz.text, c.text);
    EXPECT_EQ(tz.totalBias, c.bias);
  }
  ScopedEnv zone("TZ", "Asia/Kolkata");
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  EXPECT_EQ(ReadTimeZone(kJuly2026).text, "(GMT+5,5) ");
  QLocale::setDefault(QLocale::c());
}

TEST(Startup, HomeFolderChoice) {
  TempHome home;
  EXPECT_EQ(ResolveHomeFolder("/nonexistent"), home.Path());
  qunsetenv("KOLT_HOME");
  // Portable: the executable's folder holds KOLT.INI.
  const QString portable = home.Root() + "/portable";
  WriteFile(portable + "/kolt.ini", "");
  EXPECT_EQ(ResolveHomeFolder(portable), portable);
  // Otherwise the XDG data folder, created.
  const QString xdg = home.Root() + "/user/.local/share/kolt";
  EXPECT_EQ(ResolveHomeFolder(home.Root() + "/elsewhere"), xdg);
  EXPECT_TRUE(QFileInfo(xdg).isDir());
}

TEST(Startup, InstancesTakeTheirOwnFolders) {
  TempHome home;
  QProcess first, second;
  first.start(INSTANCE_HOLDER, {home.Path()});
  ASSERT_TRUE(first.waitForReadyRead(20000));
  EXPECT_EQ(first.readLine().trimmed(), QFile::encodeName(home.Path() + "/0"));
  second.start(INSTANCE_HOLDER, {home.Path()});
  ASSERT_TRUE(second.waitForReadyRead(20000));
  EXPECT_EQ(second.readLine().trimmed(), QFile::encodeName(home.Path() + "/1"));
  // In this process too: 0 and 1 are held, so 2.
  EXPECT_EQ(AcquireInstanceFolder(home.Path()), home.Path() + "/2");
  first.closeWriteChannel();
  ASSERT_TRUE(first.waitForFinished(20000));
  // Folder 0 is free again once its holder ended.
  EXPECT_EQ(AcquireInstanceFolder(home.Path()), home.Path() + "/0");
  ReleaseInstanceFolder();
  second.closeWriteChannel();
  second.waitForFinished(20000);
}

TEST(Startup, InstanceSearchEndsWhenNothingCanBeCreated) {
  TempHome home;
  // A file named 0 is passed over, not the end of the search.
  WriteFile(home.File("0"), "not a folder");
  EXPECT_EQ(AcquireInstanceFolder(home.Path()), home.Path() + "/1");
  ReleaseInstanceFolder();
  WriteFile(home.File("plainfile"), "x");
  EXPECT_EQ(AcquireInstanceFolder(home.File("plainfile")), "");
}

TEST(Startup, EmptyCommandLineRegistersAndCompacts) {
  TempHome home;
  WriteFile(home.Ini(), "[Settings]\r\nWorkingFolder=/mail/in\r\nTaunt=\r\n\r\n\r\n");
  WriteFile(home.Root() + "/user/.config/mimeapps.list",
            "[Default Applications]\ntext/plain=editor.desktop\n\n[Added Associations]\nx/y=z.desktop\n");
  ScriptedUi ui;
  const QString exe = home.Root() + "/bin dir/kolt-helper";
  ASSERT_TRUE(RunStartup(ui, {}, exe));
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("|").toStdString();
  EXPECT_EQ(App().homeFolder, home.Path());
  EXPECT_EQ(App().instanceFolder, home.Path() + "/0");
  EXPECT_EQ(QDir::currentPath(), home.Path() + "/0");
  EXPECT_EQ(App().workingFolder, "/mail/in");
  EXPECT_EQ(App().version, ProgramVersion());
  EXPECT_EQ(ReadFile(home.Ini()), QByteArray("[Settings]\r\nWorkingFolder=/mail/in\r\n"));

  const QString share = home.Root() + "/user/.local/share";
  EXPECT_TRUE(ReadFile(share + "/mime/packages/kolt-helper.xml").contains("<glob pattern=\"*.klt\""));
  const QByteArray desktop = ReadFile(share + "/applications/kolt-helper.desktop");
  EXPECT_TRUE(desktop.contains("Exec=\"" + QFile::encodeName(exe) + "\" %f\n")) << desktop.toStdString();
  EXPECT_TRUE(desktop.contains("MimeType=application/x-kolt-turn;"));
  EXPECT_EQ(
      ReadFile(home.Root() + "/user/.config/mimeapps.list"),
      QByteArray("[Default Applications]\ntext/plain=editor.desktop\n"
                 "application/x-kolt-turn=kolt-helper.desktop\n\n[Added Associations]\nx/y=z.desktop\n"));
  ReleaseInstanceFolder();
}

// A file on the command line: no registration and no compaction of the settings. The
// instance folder becomes the current folder, and it holds a KOLT.KLT of its own after a
// send: a file named relative to where the program was started stays that file.
TEST(Startup, FileOnCommandLineIsTakenFromWhereTheProgramStarted) {
  TempHome home;
  WriteFile(home.Ini(), "[Settings]\r\nTaunt=\r\n");
  const QString before = QDir::currentPath();
  const QString downloads = home.Root() + "/downloads";
  WriteFile(downloads + "/KOLT.KLT", "received");
  WriteFile(home.Path() + "/0/KOLT.KLT", "sent");
  ASSERT_TRUE(QDir::setCurrent(downloads));
  ScriptedUi ui;
  ASSERT_TRUE(RunStartup(ui, {"KOLT.KLT"}, home.Root() + "/kolt-helper"));
  EXPECT_EQ(QDir::currentPath(), home.Path() + "/0");
  EXPECT_EQ(App().commandLineFile, downloads + "/KOLT.KLT");
  EXPECT_EQ(ReadFile(App().commandLineFile), QByteArray("received"));
  EXPECT_EQ(ReadFile(home.Ini()), QByteArray("[Settings]\r\nTaunt=\r\n"));
  EXPECT_FALSE(QFile::exists(home.Root() + "/user/.local/share/applications/kolt-helper.desktop"));
  ReleaseInstanceFolder();
  QDir::setCurrent(before);
}

TEST(ErrorBox, MessageWithPendingAndSystemError) {
  ScriptedUi ui;
  ClearPendingError();
  ui.ShowError("Can't delete: /x");
  RaiseError(53, "File not found", "SPWAW");
  SetSystemError(2);
  ui.ShowError("Can't get folder: /games");
  RaiseError(5, "", "");
  ui.ShowError("Plain");
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[0].text, "Can't delete: /x");
  EXPECT_EQ(
      ui.boxes[1].text,
      "Can't get folder: /games\r\rError 53: File not found (SPWAW)\r\rLast system error: 2 (No such file "
      "or directory)");
  EXPECT_EQ(ui.boxes[2].text, "Plain\r\rError 5");
  EXPECT_EQ(ui.boxes[1].icon, Icon::Exclamation);
  EXPECT_EQ(ui.boxes[1].buttons, Buttons::Ok);
  EXPECT_EQ(ui.boxes[1].title, AppTitle());
}

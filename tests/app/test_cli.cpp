#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "core/Settings.h"
#include "support/RunCli.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

using Result = kolt::test::CliResult;

// A home with a Steel Panthers installation; stdin is a pipe, so nobody can be asked.
struct CliHome {
  TempHome home;
  QString game = home.Root() + "/games/spwaw";

  CliHome() {
    QDir().mkpath(home.Root() + "/prefix");  // an empty Wine prefix: no uninstall entries
    WriteFile(game + "/mech.exe", "MZ");
    // This player has neither Combat Mission nor Space Empires IV: no installation
    // question is asked.
    kolt::IniWrite("CMBO", "Directory", "-");
    kolt::IniWrite("SE4", "Directory", "-");
  }
  void Game(const QString& relative, const QByteArray& bytes, const QDateTime& when) const {
    WriteFile(game + "/" + relative, bytes);
    SetModified(game + "/" + relative, when);
  }
  Result Run(const QStringList& args, const QString& folder = QString()) const {
    return kolt::test::RunCli(KOLT_CLI, args, {{"WINEPREFIX", home.Root() + "/prefix"}}, folder);
  }
};

// Runs a program in `folder` and returns its exit code (-1 when it did not run).
int RunIn(const QString& folder, const QString& program, const QStringList& arguments) {
  QProcess p;
  p.setWorkingDirectory(folder);
  p.start(program, arguments);
  if (!p.waitForStarted() || !p.waitForFinished(30000)) return -1;
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// A received turn as a player's mail program saves it: Info-ZIP's zip of SENDER.TXT and
// the folders `files` writes into the staging folder.
QString ZipFolder(const QString& staging, const QString& archive, const QStringList& zipOptions = {}) {
  QFile::remove(archive);
  EXPECT_EQ(RunIn(staging, "zip", zipOptions + QStringList{"-q", "-r", "-X", archive, "."}), 0);
  return archive;
}

const QByteArray kSender = "ivan@example.org\r\n(GMT+1) CET\r\n-60\r\n1.1.5\r\n";

QJsonObject ParseJson(const Result& r) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
  return doc.object();
}

// Seconds from `since` up to now.
double SecondsSince(const QDateTime& since) {
  return static_cast<double>(since.secsTo(QDateTime::currentDateTime()));
}

}  // namespace

QT_BEGIN_NAMESPACE
inline void PrintTo(const QJsonObject& o, std::ostream* os) {
  *os << QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}
QT_END_NAMESPACE

TEST(Cli, JsonListsTheProgramsAndGamesOfTheMainWindow) {
  CliHome fx;
  const QDateTime t0(QDate(2024, 6, 1), QTime(10, 0, 0));
  IniWrite("SPWAW", "Directory", fx.game);
  IniWrite("SPWAW", "SAVE", "1");
  fx.Game("EMAIL/email001.cmt", QByteArray("Gro\337deutschland\0junk", 20), t0);  // Windows-1252
  fx.Game("EMAIL/email001.dat", QByteArray(1000, 'd'), t0);
  fx.Game("EMAIL/email001.aux", QByteArray(24, 'a'), t0);
  fx.Game("SAVE/save0020.cmt", "Twenty\x01", t0);
  fx.Game("SAVE/save0020.dat", QByteArray(2000, 'd'), t0.addSecs(60));
  fx.Game("SAVE/SAVE0012.CMT", "quick save", t0);
  IniWrite("SPWAW", "email001.cmt", "ivan@example.org");
  IniWrite("SPWAW", "email001.cmt/S", "2024-06-01 10:00:00");
  IniWrite("SPWAW", "save0020.cmt/R", "2024-06-01 09:00:00");
  IniWrite("SPWAW", "save0020.cmt/M", "ZIP");
  WriteFile(fx.home.File("MYGAME.INI"), "[Settings]\r\nLongName=Mine\r\n");  // not installed: not listed

  const Result r = fx.Run({"--no", "list", "--json"});
  EXPECT_TRUE(Ended(r, 0));
  EXPECT_EQ(r.err, "");  // nothing to ask
  const QJsonObject root = ParseJson(r);
  EXPECT_EQ(root.keys(), QStringList({"games", "programs"}));
  const QJsonArray programs = root["programs"].toArray();
  ASSERT_EQ(programs.size(), 1);
  QJsonObject sp = programs[0].toObject();
  EXPECT_FALSE(sp.take("version").toString().isEmpty());  // the date fallback of a file without version
  EXPECT_EQ(sp, (QJsonObject{{"game", "SPWAW"},
                             {"name", "Steel Panthers: World at War"},
                             {"status", "Not running"},
                             {"directory", fx.game}}));

  const QJsonArray games = root["games"].toArray();
  ASSERT_EQ(games.size(), 2);
  // Each game's row has exactly these keys; the size is a number.
  QJsonObject g1 = games[0].toObject();
  EXPECT_FALSE(g1.take("modified").toString().isEmpty());
  // Waiting since it was sent: whole seconds up to now.
  EXPECT_NEAR(g1.take("waiting_seconds").toDouble(), SecondsSince(t0), 60.0);
  EXPECT_EQ(g1, (QJsonObject{{"game", "SPWAW"},
                             {"file_name", "email001.cmt"},
                             {"info", QString::fromUtf8("Großdeutschland")},
                             {"size", 20 + 1000 + 24},
                             {"status", "Wait"},
                             {"mode", "KLT"},
                             {"email", "ivan@example.org"}}));
  QJsonObject g2 = games[1].toObject();
  EXPECT_FALSE(g2.take("modified").toString().isEmpty());
  // Ready to send since it was played.
  EXPECT_NEAR(g2.take("waiting_seconds").toDouble(), SecondsSince(t0.addSecs(60)), 60.0);
  EXPECT_EQ(g2, (QJsonObject{{"game", "SPWAW"},
                             {"file_name", "save0020.cmt"},
                             {"info", "Twenty"},
                             {"size", 7 + 2000},
                             {"status", "Send"},
                             {"mode", "ZIP"},
                             {"email", ""}}));

  // The same lists as text: the columns in order, one row per game; a description's line
  // break does not split its row.
  fx.Game("EMAIL/email002.cmt", "Line one\r\nline two", t0);
  fx.Game("EMAIL/email002.dat", QByteArray(2048, 'd'), t0);
  const Result text = fx.Run({"list"});
  EXPECT_TRUE(Ended(text, 0));
  const QStringList lines = text.out.split('\n');
  const QStringList patterns = {
      "^Installed programs$",
      "^Game +Name +Version +Status +Directory$",
      "^SPWAW  Steel Panthers: World at War .*" + QRegularExpression::escape(fx.game) + "$",
      "^$",
      "^Games in progress$",
      "^Game +File Name +Info +Modified +Size +Status +Mode +E-Mail$",
      "^SPWAW +email001\\.cmt +Großdeutschland .* 1 kB +Wait +KLT +ivan@example\\.org$",
      "^SPWAW +email002\\.cmt +Line one  line two .* 2 kB +New +KLT$",
      "^SPWAW +save0020\\.cmt +Twenty .* 2 kB +Send +ZIP$"};
  ASSERT_GE(lines.size(), patterns.size()) << text.out.toStdString();
  for (qsizetype i = 0; i < patterns.size(); ++i)
    EXPECT_TRUE(lines[i].contains(QRegularExpression(patterns[i]))) << lines[i].toStdString();

  // The tool is not the desktop's handler for turn files.
  EXPECT_FALSE(QFileInfo::exists(fx.home.Root() + "/user/.local/share/applications/kolt-helper.desktop"));
  EXPECT_FALSE(QFileInfo::exists(fx.home.Root() + "/user/.config/mimeapps.list"));
}

TEST(Cli, QuestionsArePrintedAndAnsweredByTheFlags) {
  CliHome fx;
  IniWrite("SPWAW", "Directory", fx.game);
  fx.Game("SAVE/save0020.cmt", "Twenty", QDateTime::currentDateTime());
  const struct {
    QStringList flags;
    QString answer, save;
    qsizetype games;
  } cases[] = {
      {{"--no"}, "[OK/Cancel] -> Cancel (--no)", "0", 0},
      {{}, "[OK/Cancel] -> OK (default)", "1", 1},  // without a terminal the default button
      {{"--yes"}, "[OK/Cancel] -> OK (--yes)", "1", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer.toStdString());
    const Result r = fx.Run(c.flags + QStringList{"list", "--json"});
    EXPECT_TRUE(Ended(
        r, 0,
        {"[Steel Panthers: World at War]\nDo you want to use the SAVE directory as well?\n", c.answer}));
    EXPECT_EQ(IniRead("SPWAW", "SAVE"), c.save);
    EXPECT_EQ(ParseJson(r)["games"].toArray().size(), c.games);
    IniWrite("SPWAW", "SAVE", "");  // asked again
  }
}

TEST(Cli, UsageErrors) {
  CliHome fx;
  EXPECT_EQ(fx.Run({}).exitCode, 2);
  EXPECT_EQ(fx.Run({"frobnicate"}).exitCode, 2);
  const Result help = fx.Run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.startsWith("usage: kolt-cli [--yes|--no] list [--json]"));
  // Checked before the start-up: a mistyped command line asks nothing and says what is
  // wrong.
  const QList<QStringList> mistakes = {
      {"receive"},         {"receive", "a", "b"}, {"receive", "-x"},         {"send"},
      {"send", "--taunt"}, {"refresh", "x"},      {"--yes", "--no", "list"}, {"--json", "receive", "x"}};
  for (const QStringList& args : mistakes) {
    const Result r = fx.Run(args);
    EXPECT_TRUE(Ended(r, 2, {"Try 'kolt-cli --help'"})) << args.join(' ').toStdString();
    EXPECT_TRUE(r.err.startsWith("kolt-cli: ")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("installation directory")) << r.err.toStdString();
  }
}

// A player with Steel Panthers installed who saved a received turn in ~/Downloads.
struct ReceiveHome : CliHome {
  QString downloads = home.Root() + "/user/Downloads";
  QString staging = home.Root() + "/staging";
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));

  ReceiveHome() {
    IniWrite("SPWAW", "Directory", game);
    IniWrite("SPWAW", "SAVE", "0");
    QDir().mkpath(game + "/EMAIL");
    QDir().mkpath(downloads);
    WriteFile(staging + "/SENDER.TXT", kSender);
  }
  void TurnInStaging() const {
    for (const char* ext : {"cmt", "dat", "aux"}) {
      WriteFile(staging + "/SPWAW/email001." + ext, QByteArray(ext) + " turn 2");
      SetModified(staging + "/SPWAW/email001." + ext, t0);
    }
  }
};

TEST(CliReceive, FileNamesAreTakenFromTheFolderItWasStartedIn) {
  ReceiveHome fx;
  fx.TurnInStaging();
  ZipFolder(fx.staging, fx.downloads + "/KOLT.KLT");
  const Result r = fx.Run({"--yes", "receive", "KOLT.KLT"}, fx.downloads);
  EXPECT_TRUE(Ended(r, 0));
  // What came in, and from whom, on standard output.
  EXPECT_TRUE(r.out.endsWith("Received 1 game from ivan@example.org\n  SPWAW/email001.cmt\n"))
      << r.out.toStdString();
  EXPECT_EQ(ReadFile(fx.game + "/EMAIL/email001.dat"), "dat turn 2");

  // Not found where the user is: the message names the file there, not one in the
  // instance folder.
  EXPECT_TRUE(Ended(fx.Run({"--yes", "receive", "../Downloads/./missing.klt"}, fx.downloads), 1,
                    {"Can't get file: " + fx.downloads +
                     "/missing.klt\n\nLast system error: 2 (No such file or directory)"}));

  // A name that looks like an option needs "--" before it.
  EXPECT_EQ(fx.Run({"receive", "-x.klt"}, fx.downloads).exitCode, 2);
  WriteFile(fx.downloads + "/-x.klt", "not an archive");
  EXPECT_TRUE(
      Ended(fx.Run({"receive", "--", "-x.klt"}, fx.downloads), 1,
            {"Decompress failed\n\nCannot open " + fx.downloads + "/-x.klt: Unrecognized archive format\n"}));
}

TEST(CliReceive, ARefusedArchiveSaysWhichEntryAndWhy) {
  ReceiveHome fx;
  fx.TurnInStaging();
  const QString escaped = fx.home.Root() + "/escaped.txt";
  auto python = [&](const QString& name, const QString& evilEntry) {
    QString archive = fx.downloads + "/" + name;
    const QString script =
        "import zipfile,sys\n"
        "z=zipfile.ZipFile(sys.argv[1],'w')\n"
        "z.writestr('SENDER.TXT','ivan@example.org\\r\\n')\n"
        "z.writestr('SPWAW/email001.dat','EVIL')\n"
        "z.writestr(sys.argv[2],'EVIL')\n"
        "z.close()\n";
    EXPECT_EQ(RunIn(fx.downloads, "/usr/bin/python3", {"-c", script, archive, evilEntry}), 0);
    return archive;
  };
  // A link among the game files, stored as a link (zip -y).
  ASSERT_TRUE(QFile::remove(fx.staging + "/SPWAW/email001.aux"));
  ASSERT_TRUE(QFile::link(escaped, fx.staging + "/SPWAW/email001.aux"));
  const QString linked = ZipFolder(fx.staging, fx.downloads + "/linked.klt", {"-y"});

  const struct {
    QString archive, refused;
  } cases[] = {
      {python("up.klt", "../../escaped.txt"),
       "Refused \"../../escaped.txt\": it leads out of the target folder."},
      // A Windows name: its backslashes are separators.
      {python("backslash.klt", "..\\..\\escaped.txt"),
       "Refused \"../../escaped.txt\": it leads out of the target folder."},
      {python("absolute.klt", escaped), "Refused \"" + escaped + "\": it is an absolute path."},
      {linked, "Refused \"SPWAW/email001.aux\": it is a link."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.archive.toStdString());
    const Result r = fx.Run({"--yes", "receive", c.archive});
    // The message everybody knows, then the reason from the archive's log.
    EXPECT_TRUE(Ended(r, 1,
                      {"Decompress failed\n\n" + c.refused +
                       "\nThe archive is not safe to unpack; nothing was extracted.\nRetcode: 3\n"}));
    EXPECT_TRUE(r.err.endsWith("kolt-cli: " + c.archive + " was not taken in: see the message above\n"))
        << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(escaped));
    EXPECT_FALSE(QFileInfo::exists(fx.game + "/EMAIL/email001.dat"));
  }

  // The same archive saved into the working folder: the refresh says why it stays there.
  const QString work = fx.home.Root() + "/work";
  IniWrite("Settings", "WorkingFolder", work);
  ASSERT_TRUE(QDir().mkpath(work + "/SPWAW"));
  ASSERT_TRUE(QFile::copy(cases[0].archive, work + "/SPWAW/turn.zip"));
  EXPECT_TRUE(Ended(fx.Run({"--yes", "refresh"}), 1,
                    {"Decompress failed: " + work + "/SPWAW/turn.zip\n\n" + cases[0].refused + "\n"}));
  EXPECT_TRUE(QFileInfo::exists(work + "/SPWAW/turn.zip"));
}

TEST(CliReceive, AnArchiveWithoutAProgramFolderSaysSo) {
  ReceiveHome fx;
  WriteFile(fx.staging + "/CMBO/game.txt", "for another game");
  const QString klt = ZipFolder(fx.staging, fx.downloads + "/KOLT.KLT");
  EXPECT_TRUE(Ended(fx.Run({"--yes", "receive", klt}), 1,
                    {"kolt-cli: " + klt +
                     " was not taken in: the archive holds no folder of an installed program "
                     "(installed: SPWAW; the archive holds: CMBO/, SENDER.TXT)\n"}));

  // The program's folder is there but empty.
  ASSERT_TRUE(QDir().mkpath(fx.staging + "/spwaw"));
  ZipFolder(fx.staging, klt);
  EXPECT_TRUE(Ended(fx.Run({"--yes", "receive", klt}), 1,
                    {"was not taken in: its folder spwaw holds no files for the program\n"}));
}

TEST(CliReceive, WhatIsNotARegularFileIsNamedAsSuch) {
  ReceiveHome fx;
  const QString fifo = fx.downloads + "/pipe.klt";
  ASSERT_EQ(RunIn(fx.downloads, "mkfifo", {fifo}), 0);
  const QString big = fx.downloads + "/big.klt";
  {
    QFile f(big);  // sparse: takes no room on the disk
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize((qint64(1) << 30) + 1));
  }
  const struct {
    QString file, reason;
  } cases[] = {
      {fx.downloads, "It is a folder, not a file."},
      {"/dev/zero", "It is not a regular file (a device, pipe or socket)."},
      {fifo, "It is not a regular file (a device, pipe or socket)."},  // and does not wait for a writer
      {big, "The file is too large: 1073741825 bytes, a received archive may have at most 1073741824."},
  };
  for (const auto& c : cases) {
    const Result r = fx.Run({"--yes", "receive", c.file});
    EXPECT_TRUE(Ended(r, 1, {"Can't get file: " + c.file + "\n\n" + c.reason + "\n"}));
    // No system error from an earlier call that happened to fail.
    EXPECT_FALSE(r.err.contains("Last system error")) << r.err.toStdString();
  }
}

// What an opponent's definition file could do if the program took it as it is: write
// received files out of the game's installation, or into the settings' own sections.
TEST(CliReceive, DefinitionsThatLeadOutOrTakeASettingsSectionReceiveNothing) {
  ReceiveHome fx;
  const QString evil = fx.home.Root() + "/games/evil";
  const QString autostart = fx.home.Root() + "/user/.config/autostart";
  WriteFile(evil + "/evil.exe", "MZ");
  QDir().mkpath(autostart);
  IniWrite("EVIL", "Directory", evil);
  IniWrite("E-Mail", "Directory", evil);
  const QByteArray definition =
      "[Settings]\r\nEXE=evil.exe\r\nEMailSubDir=" + QByteArray("../").repeated(evil.count('/')) +
      QFile::encodeName(autostart.mid(1)) +
      "\r\nKOLTFilePattern=*.hwg\r\nFileTypes=1\r\n[File0]\r\nExt=hwg\r\nPrimary=1\r\n";
  WriteFile(fx.home.File("EVIL.INI"), definition);
  WriteFile(fx.home.File("E-MAIL.INI"), QByteArray(definition).replace("EMailSubDir=", "EMailSubDir=x"));
  WriteFile(fx.staging + "/EVIL/Evil.hwg", "[Desktop Entry]\n");
  WriteFile(fx.staging + "/E-MAIL/a@example.org.hwg", "x");
  fx.TurnInStaging();
  const QString klt = ZipFolder(fx.staging, fx.downloads + "/KOLT.KLT");

  const Result list = fx.Run({"--yes", "list"});
  EXPECT_TRUE(
      Ended(list, 0,
            {"EVIL is not used: its game folder (EMailSubDir=",
             "E-MAIL.INI is not used as a program definition: E-MAIL is a name KOLT Helper uses itself."}));
  EXPECT_FALSE(list.out.contains("EVIL"));

  EXPECT_TRUE(Ended(fx.Run({"--yes", "receive", klt}), 0));
  EXPECT_EQ(QDir(autostart).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
  ClearIniCache();
  EXPECT_EQ(IniReadSection("E-Mail"), QStringList({"Directory=" + evil}));
  EXPECT_FALSE(IniRead("SPWAW", "email001.cmt/R").isEmpty());  // the real turn came in
}

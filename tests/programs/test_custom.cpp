#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "AdapterHome.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/CUSTOM/CUSTOM.h"
#include "programs/CUSTOM/CUSTOM_Game.h"
#include "support/NulSeparated.h"
#include "support/OneBox.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// A definition with a primary ".sav" (its status file) and a required ".dat", both
// checked for equal times, unless the test writes its own.
const QByteArray kTwoTypes =
    "[Settings]\r\nLongName=Alpha Bravo\r\nEXE=ab.exe\r\nEMailSubDir=Turns\r\nKOLTFilePattern=*.sav\r\n"
    "FileTypes=2\r\n"
    "[File0]\r\nExt=sav\r\nPrimary=1\r\nModified=1\r\nCheckSame=1\r\nRequired=1\r\n"
    "[File1]\r\nExt=dat\r\nRequired=1\r\n";

struct Fixture : AdapterHome {
  QString game = home.Root() + "/games/AB";
  QString turns = game + "/turns";  // EMailSubDir "Turns" is found without regard to case

  Fixture() {
    App().homeFolder = home.Path();
    QDir().mkpath(turns);
    WriteFile(game + "/ab.exe", "MZ");
  }
  ~Fixture() { App().homeFolder.clear(); }

  // With `with`, the program uses that toolbox instead of the fake one.
  std::shared_ptr<CUSTOM> Make(const QByteArray& definition = kTwoTypes, Wintools* with = nullptr) {
    WriteFile(home.File("ab.ini"), definition);
    ClearIniCache();
    auto p = std::make_shared<CUSTOM>(MakeServices(with ? *with : tools));
    p->SetINI("AB");
    return p;
  }
  std::shared_ptr<CUSTOM> Installed(const QByteArray& definition = kTwoTypes, Wintools* with = nullptr) {
    IniWrite("AB", "Directory", game);
    auto p = Make(definition, with);
    EXPECT_TRUE(p->Installed(false));
    return p;
  }
  std::shared_ptr<CUSTOM_Game> Game(const std::shared_ptr<CUSTOM>& p, const QString& name) {
    auto g = std::make_shared<CUSTOM_Game>(ui);
    g->Init(p, p->GetEMailDir(), name);
    return g;
  }
  QString Describe(const QByteArray& bytes, const QString& rule) {
    const QString path = home.Root() + "/described";
    WriteFile(path, bytes);
    return DescriptionRule(ui, path, rule);
  }
};

}  // namespace

// How each key is read is ProgramDefinition's (test_program_definition); here what the
// adapter makes of them.
TEST(CustomDefinition, SettingsFileTypesAndDefaults) {
  Fixture fx;
  auto p = fx.Make(
      "[Settings]\r\nEXE=ab.exe\r\nFileTypes=3\r\nContact=Ann\r\nContactEMail=ann@example.org\r\n"
      "[File0]\r\nExt=sav\r\nPrimary=1\r\nModified=1\r\n"
      "[File1]\r\nExt=dat\r\nModified=2\r\n");
  EXPECT_EQ(p->GetLongName(), "AB");  // no LongName
  p->ReadINI();
  ASSERT_EQ(p->GetCustomFiles().size(), 3u);
  EXPECT_EQ(p->GetModifiedExt(), "dat");  // the last Modified type wins
  EXPECT_EQ(p->GetEMailDir(), "");
  EXPECT_EQ(p->GetFilePattern(), "");
  EXPECT_EQ(p->GetContact(), "Ann");
  EXPECT_EQ(p->GetContactEMail(), "ann@example.org");
  EXPECT_FALSE(p->SupportsPasswords());  // no CommandLine
  EXPECT_TRUE(p->Provides(OptionalOperation::ProcessTurn));
  EXPECT_FALSE(p->Provides(OptionalOperation::Host));

  // A definition that names no executable yet: not installed, but nothing is asked and
  // it is not marked hidden, so that it is looked at again once it names one.
  EXPECT_FALSE(fx.Make("[Settings]\r\n")->Installed(true));
  EXPECT_TRUE(fx.ui.folderQuestions.empty());
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_EQ(IniRead("AB", "Directory"), "");
}
TEST(CustomInstalled, UninstallNamesAreTriedInTurnWithoutTheirBlanks) {
  Fixture fx;
  fx.tools.uninstall["Second Name"] = fx.game + "/ab.exe";
  auto p = fx.Make(QByteArray(kTwoTypes).replace("EXE=", "Uninstall=  First | |Second Name  \r\nEXE="));
  ASSERT_TRUE(p->Installed(false));
  EXPECT_EQ(fx.tools.lookups, QStringList({"First|ab.exe", "Second Name|ab.exe"}));
  EXPECT_EQ(p->GetDirectory(), fx.game);
  EXPECT_TRUE(fx.ui.folderQuestions.empty());
}

// The search itself is the built-in adapters' (see the Steel Panthers tests); a
// definition adds that its executable is a plain name.
TEST(CustomInstalled, AnExecutableNamedWithAFolderIsNotTaken) {
  Fixture fx;
  auto p = fx.Installed();  // the definition is read with the stored folder
  EXPECT_EQ(p->GetModifiedExt(), "sav");
  // Not even where that path leads to one.
  EXPECT_FALSE(fx.Make(QByteArray(kTwoTypes).replace("EXE=ab.exe", "EXE=turns/../ab.exe"))->Installed(false));
  ASSERT_TRUE(OneBoxStartsWith(fx.ui, "AB executable not found: "));
  EXPECT_EQ(IniRead("AB", "Directory"), "-");
}

TEST(CustomGames, PatternSubfolderAndDescriptions) {
  Fixture fx;
  WriteFile(fx.turns + "/Duel.SAV", "Duel of giants\r\nsecond line");
  WriteFile(fx.turns + "/alpha.sav", "Alpha\r\n");
  WriteFile(fx.turns + "/.hidden.sav", "x");
  WriteFile(fx.turns + "/notes.txt", "x");
  QDir().mkpath(fx.turns + "/folder.sav");
  auto p = fx.Installed(QByteArray(kTwoTypes).replace("FileTypes", "Description=line1\r\nFileTypes"));
  const GameList games = p->InitGames();
  EXPECT_EQ(GameNames(games), QStringList({"Duel.SAV", "alpha.sav"}));
  EXPECT_EQ(GameNames(p->GetGames()), GameNames(games));
  ASSERT_EQ(games.size(), 2u);
  EXPECT_EQ(games[0]->GetProgram(), p);
  EXPECT_EQ(games[0]->GetDescription(), "Duel of giants");  // the rule is upper-cased before use
  EXPECT_EQ(games[1]->GetDescription(), "Alpha");

  // An empty pattern takes every file of the game folder.
  auto all = fx.Installed(QByteArray(kTwoTypes).replace("KOLTFilePattern=*.sav", "KOLTFilePattern="));
  EXPECT_EQ(GameNames(all->InitGames()), QStringList({"Duel.SAV", "alpha.sav", "notes.txt"}));
}

TEST(CustomGame, StatusFileSpelledAsDefinedFoundInAnyCase) {
  Fixture fx;
  const QByteArray definition =
      "[Settings]\r\nEXE=ab.exe\r\nFileTypes=2\r\n"
      "[File0]\r\nExt=Turn\r\nPrimary=1\r\n[File1]\r\nExt=Stat\r\nModified=1\r\n";
  const QDateTime t0(QDate(2024, 3, 1), QTime(12, 0, 0));
  WriteFile(fx.game + "/game1.TURN", "t");
  WriteFile(fx.game + "/GAME1.stat", "s");
  SetModified(fx.game + "/GAME1.stat", t0);
  auto p = fx.Installed(definition);
  auto g = fx.Game(p, "game1.TURN");
  ASSERT_TRUE(g->IsValid());
  EXPECT_EQ(g->GetFolder(), fx.game);
  EXPECT_EQ(g->GetStatusFileName(), "game1.Stat");
  EXPECT_EQ(g->GetModifiedStamp(), "2024-03-01 12:00:00");
  EXPECT_FALSE(g->GetModified().isEmpty());
  ASSERT_TRUE(g->SetSent());

  // No Modified type: the base name alone, which is not there.
  auto none = fx.Installed(QByteArray(definition).replace("Modified=1", ""));
  auto h = fx.Game(none, "game1.TURN");
  EXPECT_EQ(h->GetStatusFileName(), "game1");
  EXPECT_EQ(h->GetModifiedStamp(), "");
  EXPECT_EQ(h->GetModified(), "");
  EXPECT_EQ(h->GetStatus(), "Unknown");  // sent before, now no stamp

  EXPECT_FALSE(fx.Game(p, "missing.turn")->IsValid());
}

// Two file types and deleting are checked with the other kinds (test_adapters); one
// type makes the game of the primary file alone, whatever lies beside it.
TEST(CustomGame, OneFileTypeIsThePrimaryFileAlone) {
  Fixture fx;
  WriteFile(fx.turns + "/one.sav", "1234");
  WriteFile(fx.turns + "/one.dat", "12");
  auto single = fx.Installed(QByteArray(kTwoTypes).replace("FileTypes=2", "FileTypes=1"));
  auto s = fx.Game(single, "one.sav");
  EXPECT_EQ(s->GetSize(), 4);
  EXPECT_EQ(s->GetFiles(), QStringList({fx.turns + "/one.sav"}));
}
TEST(DescriptionRules, LineTrimAndMid) {
  Fixture fx;
  const QByteArray text = "first\r\nsecond \r\nthird\nfourth\rfifth";
  const QByteArray header = QByteArray(20, '#') + "  Operation Market  " + QByteArray(1, '\0') + "tail";
  const struct {
    QByteArray bytes;
    QString rule, expected;
  } cases[] = {{text, "LINE", "first"},
               {text, "LINE0", "first"},
               {text, "LINE1", "first"},
               {text, "LINE2", "second "},    // not trimmed
               {text, "LINE2.5", "second "},  // halves to the even neighbour
               {text, "LINE3.5", "fourth"},
               {text, "LINE5", "fifth"},
               {text, "line5", "fifth"},  // as the editor may hand it in
               {text, "LINE6", ""},
               {"only\r\n", "LINE2", ""},
               {"", "LINE1", ""},
               {"Caf\xe9", "LINE1", QString::fromUtf8("Café")},  // single-byte text
               {QByteArray("   Battle of Kursk\0more bytes  ", 31), "TRIM", "Battle of Kursk"},
               {" Scenario\r\n", "TRIM", "Scenario"},
               {"", "TRIM", ""},
               {header, "MID21,64", "Operation Market"},
               {header, "MID21,11", "Operation"},
               {"abcdef", "MID0,3", "abc"},
               {"abcdef", "MID-4,3", "abc"},
               {"abcdef", "MID5,10", "ef"},
               {"abcdef", "MID2.5,1.5", "bc"},  // 2 and 2
               {"abcdef", "MID9,3", ""}};
  for (const auto& c : cases)
    EXPECT_EQ(fx.Describe(c.bytes, c.rule), c.expected)
        << c.rule.toStdString() << " on " << c.bytes.left(40).toStdString();
  EXPECT_EQ(DescriptionRule(fx.ui, fx.home.Root() + "/missing", "LINE1"), "");

  // A line far into a big file is looked for through the first megabyte only; a trimmed
  // text is cut at 64 KB.
  QByteArray big(3 << 20, 'x');
  big[10] = '\n';
  big.replace(2 << 20, 4, "\nend");
  EXPECT_EQ(fx.Describe(big, "LINE2").size(), (1 << 20) - 11);
  EXPECT_EQ(fx.Describe(big, "LINE3"), "");
  EXPECT_EQ(fx.Describe(QByteArray(200 << 10, 'a'), "TRIM").size(), 64 << 10);
  EXPECT_TRUE(fx.ui.boxes.empty());
}

TEST(DescriptionRules, AnInvalidRuleIsToldUnlessTheFileCannotBeRead) {
  Fixture fx;
  for (const QString rule : {"MID21", "MID1,2,3", "TRIMX", "FIRST"}) {
    fx.ui.boxes.clear();
    EXPECT_EQ(fx.Describe("abc", rule), "");
    ASSERT_EQ(fx.ui.boxes.size(), 1u) << rule.toStdString();
    EXPECT_EQ(fx.ui.boxes[0].text, "Invalid Description rule: " + rule);
    EXPECT_EQ(fx.ui.boxes[0].icon, Icon::Exclamation);
  }
  fx.ui.boxes.clear();
  EXPECT_EQ(DescriptionRule(fx.ui, fx.home.Root() + "/missing", "FIRST"), "");
  EXPECT_TRUE(fx.ui.boxes.empty());
}

TEST(CustomReceive, FilesSortedByTypeWithoutRegardToCase) {
  Fixture fx;
  const QString in = fx.home.Root() + "/in/AB";
  WriteFile(in + "/duel.SAV", "s");
  WriteFile(in + "/duel.Dat", "d");
  WriteFile(in + "/readme.txt", "?");
  WriteFile(in + "/lonely.sav", "s");  // comes without its required .dat
  WriteFile(in + "/NOEXT", "n");
  auto p = fx.Installed(QByteArray(kTwoTypes).replace("FileTypes=2", "FileTypes=3"));
  IniWrite("AB", "duel.SAV", "bob@example.org");
  p->ReceivedFiles(in, "ann@example.org", false);

  const RecordingBatch::Log& log = *fx.batchLog;
  EXPECT_EQ(log.program, "AB");
  // NOEXT: the third type has no extension; lonely.sav comes without its required .dat.
  EXPECT_EQ(log.Lines(in, fx.game),
            QStringList({"NOEXT -> turns key=Turns", "duel.Dat -> turns key=Turns",
                         "duel.SAV -> turns key=Turns old primary "
                         "stored=bob@example.org from=ann@example.org",
                         "lonely.sav -> turns key=Turns old primary from=ann@example.org"}));
  EXPECT_EQ(log.messages,
            QStringList({"Unknown file type: readme.txt", "Required file missing: lonely.dat"}));
  EXPECT_TRUE(log.finished);
  EXPECT_NE(std::dynamic_pointer_cast<CUSTOM_Game>(log.game), nullptr);
}

// Play under the Wine command: a stand-in records the arguments and the working folder.
class CustomPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(prefix + "/dosdevices");
    QFile::link("../drive_c", prefix + "/dosdevices/c:");
    QFile::link("/", prefix + "/dosdevices/z:");
    QDir().mkpath(game + "/Turns");
    fx.game = game;
    fx.turns = game + "/Turns";
    WriteFile(game + "/AB.EXE", "MZ");
    // The built stand-in takes the place of the Wine command and of a native program.
    for (const QString& path : {wine, native}) {
      ASSERT_TRUE(QFile::copy(ARGV_RECORDER, path));
      QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("ARGV_RECORD", QFile::encodeName(record));
    IniWrite("Settings", "Wine", wine);
  }
  void TearDown() override { qunsetenv("ARGV_RECORD"); }
  // The working folder, then each argument the stand-in got.
  QStringList Recorded() {
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(record) && clock.elapsed() < 10000) QThread::msleep(10);
    const QByteArray bytes = ReadFile(record);
    QFile::remove(record);
    const qsizetype newline = bytes.indexOf('\n');
    if (newline < 0) return {"(not run)"};
    return QStringList{QString::fromUtf8(bytes.left(newline))} + NulSeparated(bytes.mid(newline + 1));
  }

  Fixture fx;
  QString prefix = fx.home.Root() + "/prefix";
  QString game = prefix + "/drive_c/Games/AB";
  QString wine = fx.home.Root() + "/wine";
  QString native = game + "/ab-native";
  QString record = fx.home.Root() + "/record";
};

TEST_F(CustomPlay, RunStartsTheProgramWithoutArguments) {
  LinuxWintools tools(fx.ui);
  auto p = fx.Installed(QByteArray(kTwoTypes).replace("EXE=ab.exe", "EXE=ab.exe\r\nCommandLine="), &tools);
  EXPECT_FALSE(p->SupportsPasswords());
  EXPECT_EQ(p->GetStatus(), ProgramState::NotRunning);
  ASSERT_TRUE(p->Run(0));
  EXPECT_EQ(Recorded(), QStringList({game, game + "/AB.EXE"}));
}

// Names and passwords come from the opponent: whatever quotes, blanks, dashes, shell
// characters or placeholders they hold, each stays the one argument (or the part of one)
// that the definition's own text puts it in. A Windows program gets the game file in
// Windows form, a native one the Unix path.
TEST_F(CustomPlay, HostileFileNamesAndPasswordsStayInsideTheirArguments) {
  LinuxWintools tools(fx.ui);
  const QString injected = "x\" --injected \"50%p.sav";
  const QString password = "pa ss\"word %f $(id) `id`;x";
  WriteFile(game + "/Turns/" + injected, "s");
  WriteFile(game + "/Turns/-x.sav", "s");
  const QByteArray native = QByteArray(kTwoTypes).replace(
      "EXE=ab.exe", "EXE=ab-native\r\nCommandLine=/load %f \"%p\" -pw:%p /file:\"%f\" \"a \"\"q\"\" b\"");
  auto n = fx.Installed(native, &tools);
  ASSERT_TRUE(n->SupportsPasswords());
  const QString path = game + "/Turns/" + injected;
  ASSERT_TRUE(n->ProcessTurn(0, *fx.Game(n, injected), password));
  EXPECT_EQ(Recorded(),
            QStringList({game, "/load", path, password, "-pw:" + password, "/file:" + path, "a \"q\" b"}));
  // A name that begins with "-" arrives as a path, never as an option.
  ASSERT_TRUE(n->ProcessTurn(0, *fx.Game(n, "-x.sav"), "-p"));
  const QStringList dash = Recorded();
  ASSERT_EQ(dash.size(), 7);
  EXPECT_EQ(dash[2], game + "/Turns/-x.sav");
  EXPECT_EQ(dash[3], "-p");  // the definition put the password there itself

  // Under Wine: the Windows form of the same name, still one argument.
  auto w = fx.Installed(QByteArray(native).replace("EXE=ab-native", "EXE=AB.EXE"), &tools);
  ASSERT_TRUE(w->ProcessTurn(0, *fx.Game(w, injected), password));
  const QString windows = "C:\\Games\\AB\\Turns\\" + injected;
  EXPECT_EQ(Recorded(), QStringList({game, game + "/AB.EXE", "/load", windows, password, "-pw:" + password,
                                     "/file:" + windows, "a \"q\" b"}));
  ASSERT_TRUE(w->ProcessTurn(0, *fx.Game(w, "-x.sav"), "pw"));
  EXPECT_EQ(Recorded().value(3), "C:\\Games\\AB\\Turns\\-x.sav");
  EXPECT_TRUE(fx.ui.boxes.empty());

  // Blanks alone separate; quotes that hold nothing still make an (empty) argument.
  auto q = fx.Installed(
      QByteArray(kTwoTypes).replace("EXE=ab.exe", "EXE=ab-native\r\nCommandLine=  \"\"  %p\t\"%f\"x "),
      &tools);
  EXPECT_EQ(q->ArgumentsFor("/a b", "p w"), QStringList({"", "p w", "/a bx"}));
}
TEST(CustomFolders, AGameFolderOutsideTheInstallationIsRefusedWithTheReason) {
  Fixture fx;
  const QString outside = fx.home.Root() + "/autostart";
  QDir().mkpath(outside);
  QDir().mkpath(fx.game + "/deep/er");
  QFile::link(outside, fx.game + "/away");
  QFile::link(fx.home.Root() + "/nothing-yet", fx.game + "/dangling");
  auto with = [&](const QString& sub) {
    return fx.Installed(QByteArray(kTwoTypes).replace("EMailSubDir=Turns", "EMailSubDir=" + sub.toUtf8()));
  };
  const QString up = QString("../").repeated(fx.game.count('/')) + outside.mid(1);
  for (const QString& sub :
       {up, QString("..\\autostart"), outside, QString("C:\\windows"), QString("away"), QString("AWAY/x"),
        QString("deep/../../../autostart"), QString("away/../er"), QString("dangling/x")}) {
    SCOPED_TRACE(sub.toStdString());
    fx.ui.boxes.clear();
    IniWrite("AB", "Directory", fx.game);
    auto p = fx.Make(QByteArray(kTwoTypes).replace("EMailSubDir=Turns", "EMailSubDir=" + sub.toUtf8()));
    EXPECT_FALSE(p->Installed(false));
    EXPECT_EQ(p->GetDirectory(), "");
    EXPECT_EQ(p->GetProblem(), "Not installed: EMailSubDir leads outside the installation folder");
    ASSERT_TRUE(OneBoxStartsWith(fx.ui, "Alpha Bravo is not used: its game folder (EMailSubDir="));
    // Told once per object, and not stored as hidden: a corrected definition is taken.
    EXPECT_FALSE(p->Installed(true));
    EXPECT_EQ(fx.ui.boxes.size(), 1u);
    EXPECT_EQ(IniRead("AB", "Directory"), fx.game);
  }
  // Inside after resolving: accepted.
  fx.ui.boxes.clear();
  EXPECT_TRUE(with("deep/er/../../Turns")->GetProblem().isEmpty());
  EXPECT_TRUE(with("")->GetProblem().isEmpty());
  EXPECT_TRUE(with("new/folder")->GetProblem().isEmpty());
  EXPECT_TRUE(fx.ui.boxes.empty());

  // A link that appears after the check: nothing is received and no game is listed.
  auto p = with("Turns");
  WriteFile(fx.turns + "/old.sav", "s");
  ASSERT_EQ(p->InitGames().size(), 1u);
  QDir(fx.turns).removeRecursively();
  QFile::link(outside, fx.turns);
  WriteFile(outside + "/planted.sav", "s");
  const QString in = fx.home.Root() + "/in/AB";
  WriteFile(in + "/Evil.sav", "s");
  p->ReceivedFiles(in, "eve@example.org", false);
  EXPECT_TRUE(fx.batchLog->files.empty());
  EXPECT_FALSE(fx.batchLog->finished);
  EXPECT_EQ(fx.ui.boxes.size(), 1u);
  EXPECT_TRUE(p->InitGames().empty());
}

TEST(CustomFolders, DescriptionsAreNotReadThroughLinksOutOfTheInstallation) {
  Fixture fx;
  const QString secret = fx.home.Root() + "/secret";
  WriteFile(secret, "the secret\r\n");
  WriteFile(fx.turns + "/own.sav", "own text\r\n");
  QFile::link(secret, fx.turns + "/linked.sav");
  QFile::link(fx.turns + "/own.sav", fx.turns + "/inside.sav");
  auto p = fx.Installed(QByteArray(kTwoTypes).replace("FileTypes", "Description=LINE1\r\nFileTypes"));
  const GameList games = p->InitGames();
  ASSERT_EQ(GameNames(games), QStringList({"inside.sav", "linked.sav", "own.sav"}));
  EXPECT_EQ(games[0]->GetDescription(), "own text");
  EXPECT_EQ(games[1]->GetDescription(), "");
  EXPECT_EQ(games[2]->GetDescription(), "own text");

  // The same with the games in the installation folder itself.
  for (const char* name : {"own.sav", "linked.sav"})
    QFile::rename(fx.turns + "/" + name, fx.game + "/" + name);
  QFile::link(fx.game + "/own.sav", fx.game + "/alias.sav");
  auto top = fx.Installed(QByteArray(kTwoTypes)
                              .replace("EMailSubDir=Turns\r\n", "")
                              .replace("FileTypes", "Description=LINE1\r\nFileTypes"));
  const GameList here = top->InitGames();
  ASSERT_EQ(GameNames(here), QStringList({"alias.sav", "linked.sav", "own.sav"}));
  EXPECT_EQ(here[0]->GetDescription(), "own text");
  EXPECT_EQ(here[1]->GetDescription(), "");
  EXPECT_EQ(here[2]->GetDescription(), "own text");
}

TEST(CustomFolders, ADefinitionFileTooLargeToReadIsNotInstalled) {
  Fixture fx;
  IniWrite("AB", "Directory", fx.game);
  auto p = fx.Make();
  ASSERT_EQ(p->GetExeName(), "ab.exe");
  // Sparse: no disk space taken.
  QFile file(fx.home.File("ab.ini"));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.resize(kIniFileMax + 1));
  file.close();
  ClearIniCache();
  auto big = std::make_shared<CUSTOM>(fx.MakeServices(fx.tools));
  big->SetINI("AB");
  EXPECT_EQ(big->GetExeName(), "");
  EXPECT_FALSE(big->Installed(false));
  EXPECT_EQ(big->GetProblem(), "Not installed: the definition file is larger than 64 MB");
  ASSERT_EQ(fx.ui.boxes.size(), 1u);
  EXPECT_EQ(fx.ui.boxes[0].text, fx.home.File("ab.ini") +
                                     " is not read: it is larger than 64 MB, which no "
                                     "definition is.");
  EXPECT_EQ(QFileInfo(fx.home.File("ab.ini")).size(), kIniFileMax + 1);
}

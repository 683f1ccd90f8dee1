// A translation reaches what a person reads and nothing that another program or player
// reads: under a translation, kolt-cli's JSON list, the status words the records and the
// history compare, the game descriptions that go into mails and a reminder's waiting
// time stay byte for byte what they are without one, while the list's shown cells and
// headers and the terminal's questions are translated.
#include <gtest/gtest.h>

#include <QDir>

#include "PseudoTerminal.h"
#include "app/ListJson.h"
#include "app/TerminalUi.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "model/Waiting.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "programs/Se4SaveFile.h"
#include "support/RunCli.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "support/TestTranslator.h"

using namespace kolt;
using kolt::test::ReadFile;
using kolt::test::ScriptedUi;
using kolt::test::Se4Player;
using kolt::test::Se4Save;
using kolt::test::Se4SaveBytes;
using kolt::test::TempHome;
using kolt::test::TestTranslator;
using kolt::test::WriteFile;

namespace {

// A home with a game of each built-in kind that has words of its own in its cells:
// Steel Panthers waiting on the opponent, a Space Empires IV game hosted here (its
// description names the players' states), a user-defined one read from its file.
struct Home {
  TempHome home;
  ScriptedUi ui;
  LinuxWintools tools{ui};
  ProgramList programs;

  Home() {
    App().homeFolder = home.Path();
    const QString spwaw = home.File("games/SPWAW"), se4 = home.File("games/SE4"),
                  war = home.File("games/War");
    for (const QString& folder : {spwaw + "/EMAIL", se4 + "/SAVEGAME", war + "/Turns"}) QDir().mkpath(folder);
    WriteFile(spwaw + "/mech.exe", "MZ");
    WriteFile(se4 + "/se4.exe", "MZ");
    WriteFile(war + "/war.exe", "MZ");
    WriteFile(home.File("WAR.INI"),
              "[Settings]\r\nLongName=War\r\nEXE=war.exe\r\nEMailSubDir=TURNS\r\nKOLTFilePattern=*.sav\r\n"
              "Description=LINE1\r\nFileTypes=1\r\n[File0]\r\nExt=sav\r\nPrimary=1\r\nModified=1\r\n");
    EXPECT_TRUE(IniWrite("SPWAW", "Directory", spwaw));
    EXPECT_TRUE(IniWrite("SPWAW", "SAVE", "0"));
    EXPECT_TRUE(IniWrite("SE4", "Directory", se4));
    EXPECT_TRUE(IniWrite("WAR", "Directory", war));
    WriteFile(spwaw + "/EMAIL/email001.cmt", "Scenario");
    WriteFile(spwaw + "/EMAIL/email001.dat", "data");
    EXPECT_TRUE(IniWrite("SPWAW", "email001.cmt", "opp@example.org"));
    EXPECT_TRUE(IniWrite("SPWAW", "email001.cmt/S", "2024-06-01 10:00:00"));
    Se4Save save;
    save.players = {Se4Player{1, "E1", "L1", "me@example.org"}, Se4Player{2, "E2", "L2", "p2@example.org"}};
    WriteFile(se4 + "/SAVEGAME/Galaxy.gam", Se4SaveBytes(save) + "\r\nrest");
    WriteFile(se4 + "/SAVEGAME/Galaxy_0002.plr", "orders");
    WriteFile(war + "/Turns/war1.sav", "Campaign\r\n");
    EXPECT_TRUE(IniWrite("WAR", "war1.sav", "opp@example.org"));
    ProgramRegistry registry(Services{ui, tools, {}}, AdapterFactories());
    registry.BuildProgramList(programs);
  }
  ~Home() { App().homeFolder.clear(); }

  Lists Read() const {
    Pass pass;
    Lists lists = ReadLists(programs, true);
    EXPECT_TRUE(pass.End());
    return lists;
  }
};

}  // namespace

TEST(Translation, ReachesTheShownListsButNotWhatScriptsPeersAndRecordsRead) {
  Home fx;
  ASSERT_EQ(fx.programs.Count(), 3);
  const Lists plain = fx.Read();
  ASSERT_EQ(plain.gameRows.size(), 3U);
  const QByteArray json = ListJson::Write(plain.programs, plain.gameRows);
  const QByteArray ini = ReadFile(fx.home.Ini());

  TestTranslator translation;
  const Lists shown = fx.Read();
  EXPECT_EQ(ListJson::Write(shown.programs, shown.gameRows), json);
  EXPECT_EQ(ReadFile(fx.home.Ini()), ini);
  for (size_t i = 0; i < shown.gameRows.size(); ++i) {
    const GameRow& before = plain.gameRows[i];
    const GameRow& row = shown.gameRows[i];
    SCOPED_TRACE(row.fileName.toStdString());
    // What the records, the history and the peers' mails hold.
    EXPECT_EQ(row.status, before.status);
    EXPECT_EQ(row.info, before.info);
    EXPECT_EQ(shown.games[i]->GetStatus(), before.status);
    // What a person reads.
    EXPECT_EQ(row.ShownCells()[5], "{{" + before.status + "}}");
    EXPECT_TRUE(row.SizeText().startsWith("{{")) << row.SizeText().toStdString();
    EXPECT_EQ(row.SizeTip(), "{{" + QString::number(row.size) + " bytes}}");
  }
  EXPECT_EQ(shown.programs[0].ShownCells()[3], "{{Not running}}");
  EXPECT_EQ(shown.programs[0].status, "Not running");
  EXPECT_EQ(GameColumnHeaders().at(kGameSizeColumn), "{{Size}}");
  // A reminder mails the waiting time; the list shows it.
  EXPECT_EQ(WaitingText(qint64{2} * 86400), "2 d");
  EXPECT_EQ(ShownWaitingText(qint64{2} * 86400), "{{2 d}}");
}

TEST(Translation, TheTerminalTakesAnswersInItsLanguageAndInEnglish) {
  kolt::test::PseudoTerminal terminal;
  TestTranslator translation;
  translation.Set("Yes", "Ja");
  translation.Set("No", "Nein");
  TerminalUi ui(TerminalUi::Mode::Ask, terminal.In(), terminal.Out());
  terminal.Type("ja\nno\nn\nyes\n");
  for (const Answer answer : {Answer::Yes, Answer::No, Answer::No, Answer::Yes})
    EXPECT_EQ(ui.MsgBox("Send?", Buttons::YesNo, Icon::Question), answer);
  TerminalUi unattended(TerminalUi::Mode::Yes, nullptr, terminal.Out());
  EXPECT_EQ(unattended.MsgBox("Send?", Buttons::YesNo, Icon::Question), Answer::Yes);
  const QString printed = terminal.Printed();
  EXPECT_TRUE(printed.contains("{{Answer Ja/Nein [Ja]: }}")) << printed.toStdString();
  EXPECT_TRUE(printed.contains("[Ja/Nein] -> Ja (--yes)\n")) << printed.toStdString();
}

TEST(Translation, ANameHoldingPlaceholdersIsPrintedAsItIs) {
  // Texts and their arguments are put together in one step: a second step would fill the
  // name's own "%2" with the reason.
  TempHome home;
  const QString name = home.Path() + "/turn %2 of %1.klt";
  const kolt::test::CliResult result = kolt::test::RunCli(KOLT_CLI, {"--no", "receive", "--", name});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.contains("kolt-cli: " + name + " was not taken in: ")) << result.err.toStdString();
}

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "PseudoTerminal.h"
#include "app/TerminalUi.h"

using namespace kolt;
using Terminal = kolt::test::PseudoTerminal;

TEST(TerminalUi, AUserAtATerminalIsAskedQuestionsAndFolders) {
  Terminal t;
  TerminalUi ui(TerminalUi::Mode::Ask, t.In(), t.Out());
  t.Type("maybe\nc\n");  // an unknown answer is asked again
  EXPECT_EQ(ui.MsgBox("Copy?\rReally?", Buttons::OkCancel, Icon::Question, "Title", 1), Answer::Cancel);
  t.Type("\n");  // Enter: the default button
  EXPECT_EQ(ui.MsgBox("Sure?", Buttons::YesNo, Icon::None, "", 2), Answer::No);
  t.Type("yes\n");
  EXPECT_EQ(ui.MsgBox("Sure?", Buttons::YesNoCancel, Icon::None, "", 3), Answer::Yes);
  const QString printed = t.Printed();
  EXPECT_TRUE(printed.contains("[Title - Question]\nCopy?\nReally?\n")) << printed.toStdString();
  EXPECT_TRUE(printed.contains("Answer OK/Cancel [OK]: "));
  EXPECT_TRUE(printed.contains("[OK/Cancel] -> Cancel\n"));
  EXPECT_TRUE(printed.contains("[KOLT Helper]\nSure?\n"));

  // The folder question.
  QTemporaryDir dir;
  const QByteArray typed = (dir.path() + "/missing\n" + dir.path() + "\n").toUtf8();
  t.Type(typed.constData());
  EXPECT_EQ(ui.AskInstallFolder("SP", "Where?", "", "mech.exe"), std::optional<QString>(dir.path()));
  EXPECT_TRUE(t.Printed().contains("Folder '" + dir.path() + "/missing' does not exist\n"));
  t.Type("\n");  // Enter keeps the folder shown
  EXPECT_EQ(ui.AskInstallFolder("SP", "Where?", dir.path(), "mech.exe"), std::optional<QString>(dir.path()));
  t.Type("-\n");
  EXPECT_EQ(ui.AskInstallFolder("SP", "Where?", dir.path(), "mech.exe"), std::optional<QString>(QString()));
  // A typed relative name is taken from where the program was started, whatever the
  // current folder is by then.
  ASSERT_TRUE(QDir().mkpath(dir.path() + "/games/sp"));
  ui.SetStartFolder(dir.path() + "/games");
  t.Type("sp\n");
  EXPECT_EQ(ui.AskInstallFolder("SP", "Where?", "", "mech.exe"),
            std::optional<QString>(dir.path() + "/games/sp"));
}

TEST(TerminalUi, FlagsAnswerWithoutReading) {
  Terminal t;
  TerminalUi yes(TerminalUi::Mode::Yes, t.In(), t.Out());
  TerminalUi no(TerminalUi::Mode::No, t.In(), t.Out());
  EXPECT_EQ(yes.MsgBox("q", Buttons::OkCancel, Icon::None, "", 2), Answer::Ok);
  EXPECT_EQ(yes.MsgBox("q", Buttons::YesNo, Icon::None, "", 2), Answer::Yes);
  EXPECT_EQ(no.MsgBox("q", Buttons::OkCancel, Icon::None, "", 1), Answer::Cancel);
  EXPECT_EQ(no.MsgBox("q", Buttons::YesNoCancel, Icon::None, "", 1), Answer::Cancel);
  EXPECT_EQ(no.MsgBox("q", Buttons::YesNo, Icon::None, "", 1), Answer::No);
  EXPECT_EQ(yes.InputBox("Name?", "", "abc"), std::optional<QString>("abc"));
  EXPECT_EQ(no.InputBox("Name?", "", "abc"), std::nullopt);
  // OK on a folder that does not exist cannot close the dialog: cancelled.
  EXPECT_EQ(yes.AskInstallFolder("SP", "Where?", "/no/such/folder", "mech.exe"), std::nullopt);
  EXPECT_EQ(yes.AskInstallFolder("SP", "Where?", "", "mech.exe"), std::optional<QString>(QString()));
  EXPECT_EQ(no.AskInstallFolder("SP", "Where?", "/tmp", "mech.exe"), std::nullopt);
  // A message with a single button is only shown; escape sequences from file names are
  // not passed to the terminal.
  EXPECT_EQ(no.MsgBox("bad \x1b[2J name", Buttons::Ok, Icon::Exclamation, "", 1), Answer::Ok);
  EXPECT_TRUE(t.Printed().contains("bad ?[2J name"));
}

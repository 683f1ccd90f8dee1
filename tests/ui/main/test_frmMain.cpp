#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include "TestPrograms.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/archive/MemoryArchiveLog.h"
#include "exchange/mail/Mailer.h"
#include "exchange/mail/TestMessage.h"
#include "exchange/turns/TurnExchange.h"
#include "model/Services.h"
#include "platform/linux/LinuxWintools.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "ui/frmMain.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// A main window over test programs, loaded as at start-up.
struct Fixture {
  TempHome home;
  ScriptedUi ui;
  LinuxWintools tools{ui};
  ProgramList programs;
  std::shared_ptr<TestProgram> alpha = std::make_shared<TestProgram>(QStringLiteral("ALPHA"));
  std::shared_ptr<TestProgram> beta = std::make_shared<TestProgram>(QStringLiteral("BETA"));
  Services services{ui, tools, {}};
  ProgramRegistry registry{services, FactoriesFor({alpha, beta})};
  MemoryArchiveLog archiveLog;
  ArchiveWrapper archive{ui, archiveLog};
  Mailer mailer{ui};
  TurnExchange exchange{ui, tools, programs, archive, mailer};
  std::unique_ptr<frmMain> window;

  void Load() {
    MainWindowParts parts(ui, tools, registry, programs);
    parts.exchange = &exchange;
    window = std::make_unique<frmMain>(parts);
    window->Form_Load();
  }
  QTreeWidget* Games() { return window->GamesView(); }
  QStringList SelectedNames() {
    QStringList names;
    for (int i = 0; i < Games()->topLevelItemCount(); ++i) {
      if (Games()->topLevelItem(i)->isSelected()) names.append(Games()->topLevelItem(i)->text(1));
    }
    return names;
  }
  void Select(const QStringList& names) {
    Games()->clearSelection();
    for (int i = 0; i < Games()->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = Games()->topLevelItem(i);
      if (names.contains(item->text(1))) {
        item->setSelected(true);
        Games()->setCurrentItem(item, 0, QItemSelectionModel::Select);
      }
    }
  }
};

// Closes the modal dialog that the next command opens, answering with `button`.
void CloseNextModal(const char* button) {
  QTimer::singleShot(50, [button] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      if (auto* b = modal->findChild<QAbstractButton*>(QString::fromLatin1(button))) b->click();
    }
  });
}

}  // namespace

TEST(MainWindow, ListsShowColumnsBoldCellsAndKeepTheSelection) {
  Fixture f;
  f.alpha->AddGame("one.cmt", "Play", "x@example.org");
  f.alpha->AddGame("two.cmt", "Play", "-");
  f.beta->AddGame("Three.dat", "Wait", "y@example.org");
  f.Load();
  ASSERT_EQ(f.window->InstalledView()->topLevelItemCount(), 2);
  EXPECT_EQ(f.window->InstalledView()->topLevelItem(0)->text(1), "The ALPHA game");
  ASSERT_EQ(f.Games()->topLevelItemCount(), 3);
  QTreeWidgetItem* first = f.Games()->topLevelItem(0);
  EXPECT_EQ(first->text(0), "ALPHA");
  EXPECT_EQ(first->text(4), "1.5 kB");
  EXPECT_EQ(first->toolTip(4), "1536 bytes");
  EXPECT_TRUE(first->font(5).bold());                        // Play, with an address
  EXPECT_FALSE(f.Games()->topLevelItem(1)->font(5).bold());  // Play, but "-"
  EXPECT_FALSE(f.Games()->topLevelItem(2)->font(5).bold());  // Wait
  EXPECT_EQ(f.ui.statuses.last(), "Ready");
  EXPECT_TRUE(f.ui.statuses.contains("Checking The BETA game"));

  // The selection survives a reload by program and name, case-blind, whatever the order.
  f.Select({"Three.dat"});
  f.beta->games.front()->name = "THREE.DAT";
  f.beta->AddGame("four.dat", "New", "");
  std::swap(f.beta->games[0], f.beta->games[1]);
  f.window->RefreshLists(true);
  EXPECT_EQ(f.SelectedNames(), QStringList({"THREE.DAT"}));
}

// Names, descriptions and addresses come from other people's files: a tool tip shows
// them as they are, never as markup (an <img> would make the tip read any local file).
TEST(MainWindow, ToolTipsShowOtherPeoplesTextAsText) {
  Fixture f;
  f.alpha->AddGame("<img src=x>.cmt", "Play", "<b>x</b>@example.org");
  f.Load();
  ASSERT_EQ(f.Games()->topLevelItemCount(), 1);
  QTreeWidgetItem* item = f.Games()->topLevelItem(0);
  auto shown = [](const QString& tip) {
    QTextDocument doc;
    if (Qt::mightBeRichText(tip))
      doc.setHtml(tip);
    else
      doc.setPlainText(tip);
    return doc.toPlainText();
  };
  EXPECT_EQ(shown(item->toolTip(1)), "<img src=x>.cmt");
  EXPECT_EQ(shown(item->toolTip(2)), "about <img src=x>.cmt");
  EXPECT_EQ(shown(item->toolTip(7)), "<b>x</b>@example.org");
  EXPECT_EQ(item->toolTip(4), "1536 bytes");
}

TEST(MainWindow, AutoSelectPrefersSendThenPlaySendAndSkipsDash) {
  Fixture f;
  f.alpha->AddGame("a.cmt", "Send", "x@example.org");
  f.alpha->AddGame("b.cmt", "Play/Send", "x@example.org");
  f.alpha->AddGame("c.cmt", "Send", "-");
  f.beta->AddGame("d.dat", "Send", "y@example.org");
  f.Load();
  EXPECT_EQ(f.SelectedNames(), QStringList({"a.cmt", "d.dat"}));

  f.alpha->games[0]->status = "Wait";
  f.beta->games[0]->status = "Wait";
  f.window->AutoSelectCommand();
  EXPECT_EQ(f.SelectedNames(), QStringList({"b.cmt"}));

  f.alpha->games[1]->status = "Wait";
  f.window->AutoSelectCommand();
  EXPECT_TRUE(f.SelectedNames().isEmpty());
}

TEST(MainWindow, BusyGuardDropsSecondCommandsSilently) {
  Fixture f;
  f.alpha->AddGame("a.cmt", "Send", "x@example.org");
  f.Load();
  f.Select({"a.cmt"});
  {
    const BusyGuard busy = f.window->Busy();
    ASSERT_TRUE(busy);
    EXPECT_FALSE(f.window->Busy());   // a second command does not get in
    EXPECT_TRUE(f.window->IsBusy());  // and its end does not free the first one
    const qsizetype statuses = f.ui.statuses.size();
    f.window->Send();
    f.window->Refresh();
    f.window->PlayGame(false);
    f.window->Edit();  // a dialog would wait for a click that never comes
    EXPECT_EQ(f.ui.statuses.size(), statuses);
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_TRUE(f.alpha->calls.isEmpty());
  }
  EXPECT_FALSE(f.window->IsBusy());

  // While the game dialog is open, commands are dropped too.
  bool refreshed = true;
  QTimer::singleShot(0, [&] {
    const qsizetype statuses = f.ui.statuses.size();
    f.window->Refresh();
    refreshed = f.ui.statuses.size() != statuses;
    if (QWidget* modal = QApplication::activeModalWidget())
      modal->findChild<QAbstractButton*>("cmdCancel")->click();
  });
  f.window->Edit();
  EXPECT_FALSE(refreshed);
  EXPECT_FALSE(f.window->IsBusy());
}

TEST(MainWindow, PlayDispatch) {
  Fixture f;
  f.alpha->passwords = true;
  auto withPassword = f.alpha->AddGame("pw.cmt", "Play", "x@example.org", "Secret1");
  auto without = f.alpha->AddGame("nopw.cmt", "Play", "x@example.org");
  auto hosted = f.beta->AddGame("host.dat", "Wait/Host", "y@example.org");
  f.Load();

  // A password and a program that takes it: the turn goes in directly, never Run.
  f.Select({"pw.cmt"});
  f.window->PlayGame(false);
  EXPECT_EQ(f.alpha->calls, QStringList({"ProcessTurn pw.cmt Secret1"}));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Secret1");
  EXPECT_EQ(App().lastPlayedGameName, "pw.cmt");

  // No password: Run, since the program is not running; the clipboard is emptied.
  f.alpha->calls.clear();
  f.Select({"nopw.cmt"});
  f.window->PlayGame(false);
  EXPECT_EQ(f.alpha->calls, QStringList({"Run"}));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "");

  // A running program is not started again.
  f.alpha->calls.clear();
  f.alpha->running = true;
  f.window->PlayGame(false);
  EXPECT_TRUE(f.alpha->calls.isEmpty());

  // Play on a Wait/Host game of a program with hosting hosts without asking.
  f.beta->hosts = true;
  f.Select({"host.dat"});
  f.window->PlayGame(false);
  EXPECT_EQ(f.beta->calls, QStringList({"Host host.dat"}));
  EXPECT_TRUE(f.ui.boxes.empty());

  // Host on a program without hosting: the question, then the message titled with the
  // program's long name.
  f.Select({"nopw.cmt"});
  f.ui.Answers({Answer::Ok});
  f.window->PlayGame(true);
  ASSERT_EQ(f.ui.boxes.size(), 2u);
  EXPECT_EQ(f.ui.boxes[0].text, "Host this game?");
  EXPECT_EQ(f.ui.boxes[0].icon, Icon::Question);
  EXPECT_EQ(f.ui.boxes[1].text, "This program does not support hosting.");
  EXPECT_EQ(f.ui.boxes[1].title, "The ALPHA game");
  EXPECT_EQ(f.ui.boxes[1].icon, Icon::Exclamation);

  // Cancelling the question does nothing.
  f.beta->calls.clear();
  f.Select({"host.dat"});
  f.ui.Answers({Answer::Cancel});
  f.window->PlayGame(true);
  EXPECT_TRUE(f.beta->calls.isEmpty());
  (void)withPassword, (void)without, (void)hosted;
}

TEST(MainWindow, DoubleClickDispatchesByStatus) {
  Fixture f;
  auto game = f.alpha->AddGame("g.cmt", "Play", "x@example.org");
  f.Load();
  f.Select({"g.cmt"});
  f.window->GameDoubleClick();
  EXPECT_EQ(f.alpha->calls, QStringList({"Run"}));

  // Neither Play, Host nor Send: the game dialog opens instead (closed here with Cancel).
  f.alpha->calls.clear();
  game->status = "Wait/Host";
  f.alpha->hosts = true;
  f.window->RefreshLists(true);
  f.Select({"g.cmt"});
  CloseNextModal("cmdCancel");
  f.window->GameDoubleClick();
  EXPECT_TRUE(f.alpha->calls.isEmpty());
}

TEST(MainWindow, SendChecksAddressesAndGroupsByAddress) {
  Fixture f;
  f.alpha->AddGame("b1.cmt", "Send", "beta@example.org");
  f.alpha->AddGame("a1.cmt", "Send", "Alpha@example.org");
  f.beta->AddGame("a2.dat", "Send", "alpha@example.org");
  f.beta->AddGame("dash.dat", "Send", "-");
  f.Load();

  f.Select({"b1.cmt", "a1.cmt", "dash.dat"});
  f.window->SendSelectedGames(false);
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text, "Missing e-mail address:\r\rBETA : dash.dat");

  f.ui.boxes.clear();
  f.Games()->clearSelection();
  f.window->SendSelectedGames(false);
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text, "You have not selected any games.");

  f.ui.boxes.clear();
  f.Select({"b1.cmt", "a1.cmt", "a2.dat"});
  f.ui.Answers({Answer::Cancel});
  f.window->SendSelectedGames(true);
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text,
            "Are you sure you want to send message to these players?\r\rAlpha@example.org\r\tALPHA : a1.cmt"
            "\r\tBETA : a2.dat\r\rbeta@example.org\r\tALPHA : b1.cmt");
  EXPECT_EQ(f.ui.boxes[0].buttons, Buttons::OkCancel);
}

TEST(MainWindow, PasswordCommandsAndHide) {
  Fixture f;
  f.alpha->AddGame("g.cmt", "Play", "x@example.org", "Pw12345x");
  f.Load();
  f.Select({"g.cmt"});
  f.window->CopyPassword();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Pw12345x");

  f.window->GeneratePasswordCommand();
  const QString generated = QGuiApplication::clipboard()->text();
  EXPECT_EQ(generated.size(), 8);
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text,
            "The new password is: " + generated + "\r\rThe password has been copied to clipboard.");
  EXPECT_EQ(f.ui.boxes[0].icon, Icon::None);

  // Hide: No (the default) changes nothing; Yes hides the program and its games.
  f.window->InstalledView()->topLevelItem(0)->setSelected(true);
  f.ui.boxes.clear();
  f.window->HideProgram();
  EXPECT_EQ(f.ui.boxes[0].text, "Do you really want to hide The ALPHA game?");
  EXPECT_EQ(f.ui.boxes[0].defaultButton, 2);
  EXPECT_EQ(f.programs.Count(), 2);
  f.window->InstalledView()->topLevelItem(0)->setSelected(true);
  f.ui.Answers({Answer::Yes});
  f.window->HideProgram();
  EXPECT_EQ(f.alpha->calls, QStringList({"NotInstalled"}));
  EXPECT_EQ(f.programs.Count(), 1);
  EXPECT_EQ(f.window->InstalledView()->topLevelItemCount(), 1);
  EXPECT_EQ(f.Games()->topLevelItemCount(), 0);
}

TEST(MainWindow, CommandLineFileAndSettingsPromptOnFirstActivation) {
  Fixture f;
  f.Load();
  int settingsOpened = 0;
  MainWindowParts parts(f.ui, f.tools, f.registry, f.programs);
  parts.openSettings = [&] { ++settingsOpened; };
  frmMain window(parts);
  App().commandLineFile = f.home.File("missing.klt");
  window.Form_Activate();
  window.Form_Activate();
  EXPECT_EQ(settingsOpened, 1);
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text, "Invalid file name: " + f.home.File("missing.klt"));
  App().commandLineFile.clear();

  // With a mail mode set there is no prompt.
  IniWrite("E-Mail", "Mode", "SMTP");
  frmMain second(parts);
  second.Form_Activate();
  EXPECT_EQ(settingsOpened, 1);
}

TEST(MainWindow, FitInstalledListGrowsWithThePrograms) {
  Fixture f;
  f.Load();
  f.window->resize(900, 700);
  f.window->show();
  QApplication::processEvents();
  const int two = f.window->InstalledView()->height();
  const int gamesTwo = f.Games()->height();
  const int row =
      f.window->InstalledView()->visualItemRect(f.window->InstalledView()->topLevelItem(0)).height();
  // Eight programs: six rows more; the games list gives up the same height.
  for (int i = 0; i < 6; ++i)
    f.registry.AddProgram(std::make_shared<TestProgram>("P" + QString::number(i)), false, f.programs, true,
                          "");
  f.window->RefreshLists(true);
  f.window->FitInstalledList();
  QApplication::processEvents();
  EXPECT_EQ(f.window->InstalledView()->height() - two, 6 * row);
  EXPECT_EQ(gamesTwo - f.Games()->height(), 6 * row)
      << f.window->findChild<QWidget*>("fraInstalled")->height() << " "
      << f.window->findChild<QWidget*>("fraGames")->height() << " " << two << " " << gamesTwo;
}

// A program that really starts something (a short shell script) through the toolbox, as
// the adapters do, so that the window's timer watches a real process.
class StartingProgram : public TestProgram {
 public:
  StartingProgram(Wintools& tools, QString script)
      : TestProgram("REAL"), m_tools(tools), m_script(std::move(script)) {}
  bool Run(WindowHandle) override {
    calls.append("Run");
    return m_tools.RunProgram(m_script, QString(), QString(), false, false);
  }

 private:
  Wintools& m_tools;
  QString m_script;
};

TEST(MainWindow, TimerRescansAndSelectsWhenThePlayedProgramEnds) {
  Fixture f;
  const QString script = f.home.File("game.sh");
  WriteFile(script, "#!/bin/sh\nsleep 0.3\n");
  QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  auto real = std::make_shared<StartingProgram>(f.tools, script);
  auto game = real->AddGame("turn.dat", "Play", "x@example.org");
  f.Load();
  f.registry.AddProgram(real, false, f.programs, true, "");
  f.window->RefreshLists(true);
  f.Select({"turn.dat"});
  f.window->PlayGame(false);
  ASSERT_EQ(real->calls, QStringList({"Run"}));

  // The user "plays": the game is now ready to send. While it runs nothing happens.
  game->status = "Send";
  f.window->Timer1_Timer();
  EXPECT_TRUE(f.SelectedNames() == QStringList({"turn.dat"}));
  f.Games()->clearSelection();
  QThread::msleep(600);
  f.window->Timer1_Timer();
  EXPECT_EQ(f.SelectedNames(), QStringList({"turn.dat"}));  // rescanned and selected
  // Once only.
  f.Games()->clearSelection();
  f.window->Timer1_Timer();
  EXPECT_TRUE(f.SelectedNames().isEmpty());

  // A program that the adapter started itself (taking a turn directly) is watched too.
  ASSERT_TRUE(f.tools.RunProgram(script, QString(), QString(), false, false));
  f.window->Timer1_Timer();
  QThread::msleep(600);
  f.window->Timer1_Timer();
  EXPECT_EQ(f.SelectedNames(), QStringList({"turn.dat"}));
}

TEST(MainWindow, TheTestMessageFileIsRecognisedNotReceived) {
  Fixture f;
  IniWrite("E-Mail", "Mode", "SMTP");
  MainWindowParts parts(f.ui, f.tools, f.registry, f.programs);
  parts.exchange = &f.exchange;
  parts.showIfTestMessage = [&f](const QString& path) { return ShowIfTestMessage(f.ui, path); };
  frmMain window(parts);

  WriteFile(f.home.File("TEST.KLT"), "TEST");
  App().commandLineFile = f.home.File("TEST.KLT");
  window.Form_Activate();
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text, "Congratulations! You have successfully sent a KOLT test message.");
  EXPECT_TRUE(f.archiveLog.lines.isEmpty());  // nothing was unpacked

  // Longer than the four characters: handed to the receiving engine (which refuses it).
  f.ui.boxes.clear();
  WriteFile(f.home.File("KOLT.KLT"), "TEST and more");
  App().commandLineFile = f.home.File("KOLT.KLT");
  frmMain second(parts);
  second.Form_Activate();
  ASSERT_FALSE(f.ui.boxes.empty());
  for (const auto& box : f.ui.boxes)
    EXPECT_NE(box.text, "Congratulations! You have successfully sent a KOLT test message.");
  App().commandLineFile.clear();
}

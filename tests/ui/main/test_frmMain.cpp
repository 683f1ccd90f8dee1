#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>

#include "TestPrograms.h"
#include "exchange/mail/MailTransport.h"
#include "exchange/mail/TestMessage.h"
#include "support/MainWindowHarness.h"
#include "support/QtPrinters.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// A transport that takes every message and keeps its recipient.
class RecordingTransport final : public MailTransport {
 public:
  bool SendMail(const QString& address, const QString&, const QString&, const QStringList&, bool,
                bool) override {
    sent.append(address);
    return true;
  }
  QStringList sent;
};

// The test programs and a transport that keeps the recipients, made before the window's
// parts that use them.
struct TestParts {
  std::shared_ptr<TestProgram> alpha = std::make_shared<TestProgram>(QStringLiteral("ALPHA"));
  std::shared_ptr<TestProgram> beta = std::make_shared<TestProgram>(QStringLiteral("BETA"));
  RecordingTransport mailer;
};

// A main window over test programs, loaded as at start-up.
struct Fixture : TestParts, MainWindowHarness {
  Fixture() : MainWindowHarness(FactoriesFor({alpha, beta}), &mailer) {}
  QTreeView* Games() { return window->GamesView(); }
  const GamesModel& Model() { return window->GamesRows(); }
  int RowCount() { return Model().rowCount(); }
  QVariant Data(int row, int column, int role = Qt::DisplayRole) {
    return Model().index(row, column).data(role);
  }
  QString Text(int row, int column) { return Data(row, column).toString(); }
  bool Bold(int row, int column) { return Data(row, column, Qt::FontRole).value<QFont>().bold(); }
  QStringList SelectedNames() {
    QStringList names;
    for (int i = 0; i < RowCount(); ++i) {
      if (Games()->selectionModel()->isRowSelected(i, QModelIndex())) names.append(Text(i, 1));
    }
    return names;
  }
  QString CurrentName() { return Text(Games()->currentIndex().row(), 1); }
  // Selects the games as the program would; the last one becomes current.
  void Select(const QStringList& names) {
    Games()->clearSelection();
    for (int i = 0; i < RowCount(); ++i) {
      if (names.contains(Text(i, 1)))
        Games()->selectionModel()->setCurrentIndex(Model().index(i, 0),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
  // A click of the user on a game's row, with `modifiers` held.
  void Click(const QString& name, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QModelIndex index = Model().index(RowOf(name), 1);
    ASSERT_TRUE(index.isValid()) << name.toStdString();
    Games()->scrollTo(index);
    QTest::mouseClick(Games()->viewport(), Qt::LeftButton, modifiers, Games()->visualRect(index).center());
  }
  // Shows the window; the watch timer is stopped so that only the test's commands
  // change the selection.
  void Show() {
    window->findChild<QTimer*>("Timer1")->stop();
    window->show();
  }
  // A key pressed in the games list of the active window (its menu keys work only there:
  // after a dialog closes the window is active again once the desktop says so).
  // `dialog`, when given, answers the game dialog the key opens; a key that opens none
  // leaves it unused.
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const std::function<void(QWidget&)>& dialog = {}) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Games()->setFocus();
    QObject pending;
    if (dialog) {
      QTimer::singleShot(0, &pending, [&dialog] {
        if (QWidget* modal = QApplication::activeModalWidget()) dialog(*modal);
      });
    }
    QTest::keyClick(Games(), static_cast<Qt::Key>(key), modifiers);
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
  ASSERT_EQ(f.RowCount(), 3);
  EXPECT_EQ(f.Model().columnCount(), 9);
  for (int c = 0; c < 8; ++c)
    EXPECT_EQ(f.Model().headerData(c, Qt::Horizontal).toString(), GameColumnHeaders()[c]);
  EXPECT_EQ(f.Model().headerData(8, Qt::Horizontal).toString(), "Waiting");
  QStringList first;
  for (int c = 0; c < 8; ++c) first.append(f.Text(0, c));
  EXPECT_EQ(first, QStringList({"ALPHA", "one.cmt", "about one.cmt", "1/2/26 10:00 AM", "1.5 kB", "Play",
                                "KLT", "x@example.org"}));
  EXPECT_EQ(f.Data(0, 4, Qt::ToolTipRole).toString(), "1536 bytes");
  // The size column reads right-aligned, header and cells.
  const int right = Qt::AlignRight | Qt::AlignVCenter;
  EXPECT_EQ(f.Data(0, 4, Qt::TextAlignmentRole).toInt(), right);
  EXPECT_EQ(f.Model().headerData(4, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), right);
  EXPECT_FALSE(f.Data(0, 3, Qt::TextAlignmentRole).isValid());
  EXPECT_TRUE(f.Bold(0, 5));   // Play, with an address
  EXPECT_FALSE(f.Bold(1, 5));  // Play, but "-"
  EXPECT_FALSE(f.Bold(2, 5));  // Wait
  EXPECT_FALSE(f.Bold(0, 1));  // nothing received
  EXPECT_EQ(f.ui.statuses.last(), "Ready");
  EXPECT_TRUE(f.ui.statuses.contains("Checking The BETA game"));

  // The selection survives a reload by program and name, case-blind, whatever the order.
  f.Select({"Three.dat"});
  f.beta->games.front()->name = "THREE.DAT";
  f.beta->AddGame("four.dat", "New", "");
  std::swap(f.beta->games[0], f.beta->games[1]);
  f.window->RefreshLists(true);
  EXPECT_EQ(f.SelectedNames(), QStringList({"THREE.DAT"}));
  EXPECT_EQ(f.CurrentName(), "THREE.DAT");
}

// Names, descriptions and addresses come from other people's files: a tool tip shows
// them as they are, never as markup (an <img> would make the tip read any local file).
TEST(MainWindow, ToolTipsShowOtherPeoplesTextAsText) {
  Fixture f;
  f.alpha->AddGame("<img src=x>.cmt", "Play", "<b>x</b>@example.org");
  f.Load();
  ASSERT_EQ(f.RowCount(), 1);
  auto tip = [&f](int column) { return f.Data(0, column, Qt::ToolTipRole).toString(); };
  auto shown = [](const QString& tip) {
    QTextDocument doc;
    if (Qt::mightBeRichText(tip))
      doc.setHtml(tip);
    else
      doc.setPlainText(tip);
    return doc.toPlainText();
  };
  EXPECT_EQ(shown(tip(1)), "<img src=x>.cmt");
  EXPECT_EQ(shown(tip(2)), "about <img src=x>.cmt");
  EXPECT_EQ(shown(tip(7)), "<b>x</b>@example.org");
  EXPECT_EQ(tip(4), "1536 bytes");
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
  f.alpha->AddGame("pw.cmt", "Play", "x@example.org", "Secret1");
  f.alpha->AddGame("nopw.cmt", "Play", "x@example.org");
  f.beta->AddGame("host.dat", "Wait/Host", "y@example.org");
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

  // A double click plays a game to play; on any other (a hosting program's Wait/Host
  // game here) it opens the game dialog instead (closed with Cancel).
  f.alpha->running = false;
  f.Select({"nopw.cmt"});
  f.window->GameDoubleClick();
  EXPECT_EQ(f.alpha->calls, QStringList({"Run"}));
  f.Select({"host.dat"});
  CloseNextModal("cmdCancel");
  f.window->GameDoubleClick();
  EXPECT_TRUE(f.beta->calls.isEmpty());
}

// F2, F9 and Ctrl+C act on the highlighted game, also after every kind of reload: the
// kept selection keeps a current game, so no click is needed after F5, a send or Edit.
TEST(MainWindow, KeysActOnTheHighlightedGameAfterEveryReload) {
  Fixture f;
  // Play takes the turn in directly: the call names the game.
  f.alpha->passwords = true;
  f.beta->passwords = true;
  f.alpha->AddGame("a.cmt", "Play", "x@example.org", "PwA");
  f.alpha->AddGame("b.cmt", "Play", "y@example.org", "PwB");
  f.beta->AddGame("c.dat", "Wait", "z@example.org", "PwC");
  IniWrite("E-Mail", "From", "me@example.org");
  f.Load();
  f.Show();

  // Which game each command acted on ("" when none did).
  struct Acted {
    QString edited, played, copied;
  };
  auto keys = [&](const char* editButton = "cmdCancel") {
    Acted acted;
    f.Press(Qt::Key_F2, Qt::NoModifier, [&acted, editButton](QWidget& dialog) {
      acted.edited = dialog.findChild<QLineEdit*>("txtFileName")->text();
      dialog.findChild<QAbstractButton*>(editButton)->click();
    });
    f.alpha->calls.clear();
    f.beta->calls.clear();
    f.Press(Qt::Key_F9);
    const QStringList calls = f.alpha->calls + f.beta->calls;
    if (!calls.isEmpty()) acted.played = calls.join(" | ");
    QGuiApplication::clipboard()->setText("none");
    f.Press(Qt::Key_C, Qt::ControlModifier);
    acted.copied = QGuiApplication::clipboard()->text();
    return acted;
  };
  auto expectOn = [&](const Acted& acted, const QString& name, const QString& password) {
    EXPECT_EQ(acted.edited, name);
    EXPECT_EQ(acted.played, "ProcessTurn " + name + " " + password);
    EXPECT_EQ(acted.copied, password);
  };

  // The user picks a game; Play itself reloads, and Ctrl+C after it still copies.
  f.Click("b.cmt");
  expectOn(keys(), "b.cmt", "PwB");

  f.Press(Qt::Key_F5);
  EXPECT_EQ(f.CurrentName(), "b.cmt");
  expectOn(keys(), "b.cmt", "PwB");

  // Two games highlighted, the second one clicked last: that one stays the current game.
  f.Click("c.dat");
  f.Click("a.cmt", Qt::ControlModifier);
  f.Press(Qt::Key_F5);
  EXPECT_EQ(f.SelectedNames(), QStringList({"a.cmt", "c.dat"}));
  EXPECT_EQ(f.CurrentName(), "a.cmt");
  expectOn(keys(), "a.cmt", "PwA");

  // Edit -> OK (Enter opens it too) reloads the list.
  f.Click("c.dat");
  QString edited;
  const qsizetype statuses = f.ui.statuses.size();
  f.Press(Qt::Key_Return, Qt::NoModifier, [&edited](QWidget& dialog) {
    edited = dialog.findChild<QLineEdit*>("txtFileName")->text();
    dialog.findChild<QAbstractButton*>("cmdOK")->click();
  });
  EXPECT_EQ(edited, "c.dat");
  EXPECT_GT(f.ui.statuses.size(), statuses);  // reloaded
  expectOn(keys("cmdOK"), "c.dat", "PwC");

  // A message sent (F12), confirmed first with its games under their programs' short
  // names, reloads after sending.
  f.Click("b.cmt");
  f.ui.boxes.clear();
  f.ui.Answers({Answer::Ok});
  f.Press(Qt::Key_F12);
  EXPECT_EQ(f.mailer.sent, QStringList({"y@example.org"})) << f.ui.Texts().join(" | ").toStdString();
  ASSERT_FALSE(f.ui.boxes.empty());
  EXPECT_EQ(f.ui.boxes[0].text,
            "Are you sure you want to send message to these players?\r\ry@example.org\r\tALPHA : b.cmt");
  EXPECT_EQ(f.ui.boxes[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(f.CurrentName(), "b.cmt");
  expectOn(keys(), "b.cmt", "PwB");

  // Nothing highlighted: nothing happens, also after a reload.
  f.Games()->clearSelection();
  f.Press(Qt::Key_F5);
  const Acted none = keys();
  EXPECT_EQ(none.edited, "");
  EXPECT_EQ(none.played, "");
  EXPECT_EQ(none.copied, "none");
}

// No command is silent: without a game to act on, the buttons are greyed and the keys
// say why; the list has a current row as soon as it has the focus.
TEST(MainWindow, CommandsWithoutAGameSayWhyAndTheListAlwaysHasACurrentRow) {
  Fixture f;
  f.Load();
  f.Show();
  auto* edit = f.window->findChild<QWidget*>("cmdEdit");
  auto* play = f.window->findChild<QWidget*>("cmdPlay");
  ASSERT_TRUE(edit && play);
  EXPECT_FALSE(edit->isEnabled());
  EXPECT_FALSE(play->isEnabled());
  f.Press(Qt::Key_F2);
  EXPECT_EQ(f.ui.statuses.last(), "There is no game in the list yet.");
  EXPECT_TRUE(f.ui.boxes.empty());

  f.alpha->AddGame("a.cmt", "Play", "x@example.org");
  f.alpha->AddGame("b.cmt", "Wait", "y@example.org");
  f.window->RefreshLists(true);
  f.Games()->selectionModel()->clear();
  EXPECT_FALSE(edit->isEnabled());
  // Tabbed into, the list makes its first row the current, selected one.
  f.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
  f.window->InstalledView()->setFocus();
  f.Games()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(f.CurrentName(), "a.cmt");
  EXPECT_EQ(f.SelectedNames(), QStringList({"a.cmt"}));
  EXPECT_TRUE(edit->isEnabled());
  EXPECT_TRUE(play->isEnabled());

  // Nothing highlighted: each command says what it needs.
  f.Games()->clearSelection();
  EXPECT_FALSE(play->isEnabled());
  const std::pair<int, const char*> keys[] = {
      {Qt::Key_F2, "Select a game in the list to edit it."},
      {Qt::Key_F9, "Select a game in the list to play it."},
      {Qt::Key_H, "Select a game in the list to see its turn history."}};
  for (const auto& [key, text] : keys) {
    f.Press(key, key == Qt::Key_H ? Qt::ControlModifier : Qt::NoModifier);
    EXPECT_EQ(f.ui.statuses.last(), text);
  }
  EXPECT_FALSE(f.alpha->calls.join(" ").contains("ProcessTurn"));
  EXPECT_TRUE(f.ui.boxes.empty());
}

// Two windows on two homes are told apart by their titles; the usual home is not named.
TEST(MainWindow, TheTitleNamesAHomeOtherThanTheUsualOne) {
  Fixture f;
  f.Load();
  EXPECT_EQ(f.window->windowTitle(), "KOLT Helper - " + QDir::cleanPath(f.home.Path()));
  const QString usual =
      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kolt/");
  App().homeFolder = usual;
  f.window->Form_Load();
  EXPECT_EQ(f.window->windowTitle(), "KOLT Helper");
}

// Thousands of games: a refresh changes the list in one step, never row by row, and
// selects the kept games in one step too, the current one included.
TEST(MainWindow, ARefreshOfThousandsOfGamesChangesTheListOnce) {
  Fixture f;
  for (int i = 0; i < 2000; ++i)
    f.alpha->AddGame(QString("g%1.cmt").arg(i, 4, 10, QChar('0')), "Wait", "x@example.org");
  f.Load();
  f.Select({"g0100.cmt", "g0101.cmt", "g1500.cmt"});
  int resets = 0;
  int rowChanges = 0;
  int selections = 0;
  QObject::connect(&f.Model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
  QObject::connect(&f.Model(), &QAbstractItemModel::rowsInserted, [&] { ++rowChanges; });
  QObject::connect(&f.Model(), &QAbstractItemModel::rowsRemoved, [&] { ++rowChanges; });
  QObject::connect(&f.Model(), &QAbstractItemModel::layoutChanged, [&] { ++rowChanges; });
  QObject::connect(f.Games()->selectionModel(), &QItemSelectionModel::selectionChanged,
                   [&] { ++selections; });
  f.window->RefreshLists(true);
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(rowChanges, 0);
  EXPECT_EQ(selections, 1);
  EXPECT_EQ(f.RowCount(), 2000);
  EXPECT_EQ(f.SelectedNames(), QStringList({"g0100.cmt", "g0101.cmt", "g1500.cmt"}));
  EXPECT_EQ(f.CurrentName(), "g1500.cmt");
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
  EXPECT_EQ(f.RowCount(), 0);
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
    f.registry.AddProgram(std::make_shared<TestProgram>("P" + QString::number(i)), f.programs,
                          {.includeAll = true});
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
    return m_tools.RunProgram(m_script, {});
  }

 private:
  Wintools& m_tools;
  QString m_script;
};

// The window over a program whose game turn.dat (to play) runs `body` as its game.
struct WithRealGame : Fixture {
  explicit WithRealGame(const QByteArray& body) { WriteScript(script, "#!/bin/sh\n" + body); }
  void Load() {
    Fixture::Load();
    registry.AddProgram(real, programs, {.includeAll = true});
    window->RefreshLists(true);
  }
  const QString script = home.File("game.sh");
  std::shared_ptr<StartingProgram> real = std::make_shared<StartingProgram>(tools, script);
  std::shared_ptr<TestGame> game = real->AddGame("turn.dat", "Play", "x@example.org");
};

TEST(MainWindow, TimerRescansAndSelectsWhenThePlayedProgramEnds) {
  WithRealGame f("sleep 0.3\n");
  auto& real = f.real;
  auto& game = f.game;
  f.Load();
  f.Select({"turn.dat"});
  f.window->PlayGame(false);
  ASSERT_EQ(real->calls, QStringList({"Run"}));

  // The user "plays": the game is now ready to send. While it runs nothing happens, and
  // the window keeps its usual pointer.
  game->status = "Send";
  f.window->Timer1_Timer();
  EXPECT_TRUE(f.SelectedNames() == QStringList({"turn.dat"}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  f.Games()->clearSelection();
  QThread::msleep(600);
  f.window->Timer1_Timer();
  EXPECT_EQ(f.SelectedNames(), QStringList({"turn.dat"}));  // rescanned and selected
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // Once only.
  f.Games()->clearSelection();
  f.window->Timer1_Timer();
  EXPECT_TRUE(f.SelectedNames().isEmpty());

  // A program that the adapter started itself (taking a turn directly) is watched too.
  ASSERT_TRUE(f.tools.RunProgram(f.script, {}));
  f.window->Timer1_Timer();
  QThread::msleep(600);
  f.window->Timer1_Timer();
  EXPECT_EQ(f.SelectedNames(), QStringList({"turn.dat"}));
}

TEST(MainWindow, AFinishedTurnIsOfferedForSendingOnceThePlayedGameEnds) {
  WithRealGame f("");
  auto& game = f.game;
  game->mode = "-";  // the files themselves: no archive to pack
  game->files = {f.home.File("turn.dat")};
  WriteFile(game->files[0], "turn");
  f.Load();
  int turn = 0;
  // Play, the game ends with (or without) a new turn, the watch notices it.
  auto play = [&](bool played) {
    game->status = "Play";
    f.window->RefreshLists(true);
    f.Select({"turn.dat"});
    f.window->PlayGame(false);
    if (played) {
      game->status = "Send";
      game->modified = QStringLiteral("1/3/26 10:%1 AM").arg(++turn);
    }
    while (f.tools.StartedProgramRunning()) QThread::msleep(20);
    f.window->Timer1_Timer();
  };
  const QString question = "Send about turn.dat to x@example.org now?";

  // Declined: nothing goes out, the turn waits for Send.
  f.ui.Answers({Answer::No});
  play(true);
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text, question);
  EXPECT_EQ(f.ui.boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(f.ui.boxes[0].defaultButton, 1);  // Yes
  EXPECT_EQ(f.ui.checkTexts, QStringList({"Don't ask again: send finished turns at once"}));
  EXPECT_TRUE(f.mailer.sent.isEmpty());

  // Yes, and don't ask again: sent, and the setting is kept.
  f.ui.Answers({Answer::Yes});
  f.ui.Checks({true});
  play(true);
  EXPECT_EQ(f.mailer.sent, QStringList({"x@example.org"}));
  EXPECT_EQ(IniRead("Settings", "SendFinishedTurns"), "1");

  // From then on without a question; a game left unplayed is not sent at all.
  const size_t boxes = f.ui.boxes.size();
  play(true);
  EXPECT_EQ(f.mailer.sent, QStringList({"x@example.org", "x@example.org"}));
  play(false);
  EXPECT_EQ(f.mailer.sent.size(), 2);
  EXPECT_EQ(f.ui.boxes.size(), boxes);
  EXPECT_TRUE(f.ui.ScriptUsedUp());
}

// The first activation opens the settings while no mail mode is set, and takes in the
// file the program was started with: the test message is recognised, not received.
TEST(MainWindow, TheFirstActivationPromptsForSettingsAndTakesTheCommandLineFile) {
  Fixture f;
  int settingsOpened = 0;
  const auto activate = [&f, &settingsOpened](const QString& file) {
    App().commandLineFile = f.home.File(file);
    f.Make([&](MainWindowParts& parts) {
       parts.openSettings = [&settingsOpened] { ++settingsOpened; };
       parts.showIfTestMessage = [&f](const QString& path) { return ShowIfTestMessage(f.ui, path); };
     }).Form_Activate();
  };
  activate("missing.klt");
  f.window->Form_Activate();
  EXPECT_EQ(settingsOpened, 1);
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text, "Invalid file name: " + f.home.File("missing.klt"));

  // With a mail mode set there is no prompt.
  IniWrite("E-Mail", "Mode", "SMTP");
  f.ui.boxes.clear();
  const QString congratulations = "Congratulations! You have successfully sent a KOLT test message.";
  WriteFile(f.home.File("TEST.KLT"), "TEST");
  activate("TEST.KLT");
  EXPECT_EQ(settingsOpened, 1);
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text, congratulations);
  EXPECT_TRUE(f.exchange.log.lines.isEmpty());  // nothing was unpacked

  // Longer than the four characters: handed to the receiving engine (which refuses it).
  f.ui.boxes.clear();
  WriteFile(f.home.File("KOLT.KLT"), "TEST and more");
  activate("KOLT.KLT");
  ASSERT_FALSE(f.ui.boxes.empty());
  for (const auto& box : f.ui.boxes) EXPECT_NE(box.text, congratulations);
  App().commandLineFile.clear();
}

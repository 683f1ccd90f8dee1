// The window as the application starts it: drawn first, filled after, a part at a time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <memory>

#include "TestPrograms.h"
#include "support/MainWindowHarness.h"
#include "ui/LastLists.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// What the window looked like when it was first painted.
class FirstPaint final : public QObject {
 public:
  FirstPaint(frmMain& window, std::function<void()> look) : m_window(window), m_look(std::move(look)) {
    window.installEventFilter(this);
  }
  bool seen = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &m_window && event->type() == QEvent::Paint && !seen) {
      seen = true;
      m_look();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  frmMain& m_window;
  std::function<void()> m_look;
};

// The test programs, made before the window's parts that use them.
struct TestParts {
  std::shared_ptr<TestProgram> alpha = std::make_shared<TestProgram>("ALPHA");
  std::shared_ptr<TestProgram> beta = std::make_shared<TestProgram>("BETA");
};

// The window over the test programs, made but not yet started; nothing is sent.
struct Fixture : TestParts, MainWindowHarness {
  Fixture() : MainWindowHarness(FactoriesFor({alpha, beta})) { Make(); }
  // `games` games of each program; every seventh is waiting to be sent.
  void AddGames(int games) {
    for (int i = 0; i < games; ++i) {
      const QString n = QString::number(i).rightJustified(5, QChar('0'));
      alpha->AddGame("a" + n + ".cmt", i % 7 == 0 ? "Send" : "Play", "x@example.org");
      beta->AddGame("b" + n + ".dat", "Wait", "y@example.org");
    }
  }
  const GamesModel& Model() const { return window->GamesRows(); }
  QString Name(int row) const { return Model().index(row, 1).data().toString(); }
  void WaitUntilFilled() const {
    QSignalSpy filled(window.get(), &frmMain::filled);
    if (window->Filling() || Model().rowCount() == 0) {
      ASSERT_TRUE(filled.wait(30000));
    }
  }
};

}  // namespace

// The frame is on the screen before any game is read; the mailbox is checked and the
// lists are complete only after it.
TEST(StartUp, TheFirstPaintComesBeforeTheGamesAndTheMailboxCheck) {
  Fixture f;
  // A mailbox to check at start-up: nothing listens on the port, the check fails at once.
  ASSERT_TRUE(IniWrite("E-Mail", "IMAP_Server", "127.0.0.1"));
  ASSERT_TRUE(IniWrite("E-Mail", "IMAP_Port", "1"));
  f.AddGames(3000);
  int rowsAtPaint = -1, programsAtPaint = -1;
  bool mailboxAtPaint = true;
  bool gamesReadAtPaint = true;
  QStringList statusesAtPaint;
  FirstPaint paint(*f.window, [&] {
    rowsAtPaint = f.Model().rowCount();
    programsAtPaint = f.window->InstalledView()->topLevelItemCount();
    mailboxAtPaint = f.window->Mailbox() != nullptr;
    statusesAtPaint = f.ui.statuses;
    // A program's games are bound to it when it lists them.
    gamesReadAtPaint =
        !f.alpha->games.front()->program.expired() || !f.beta->games.front()->program.expired();
  });
  f.window->StartUp();
  f.window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
  f.WaitUntilFilled();
  ASSERT_TRUE(paint.seen);
  EXPECT_EQ(rowsAtPaint, 0);
  EXPECT_EQ(programsAtPaint, 0);
  EXPECT_FALSE(mailboxAtPaint);
  EXPECT_FALSE(gamesReadAtPaint);
  for (const QString& status : statusesAtPaint)
    EXPECT_FALSE(status.startsWith("Checking")) << status.toStdString();

  // Filled, the window is what Form_Load makes of the same home: every game in the
  // programs' order, the games to send selected, the mailbox checked.
  ASSERT_EQ(f.Model().rowCount(), 6000);
  EXPECT_EQ(f.Name(0), "a00000.cmt");
  EXPECT_EQ(f.Name(2999), "a02999.cmt");
  EXPECT_EQ(f.Name(3000), "b00000.dat");
  EXPECT_EQ(f.window->InstalledView()->topLevelItemCount(), 2);
  EXPECT_EQ(f.window->GamesView()->selectionModel()->selectedRows().size(), 429);
  EXPECT_EQ(f.window->SelectedGame()->GetName(), "a00000.cmt");
  EXPECT_FALSE(f.window->Filling());
  EXPECT_FALSE(f.window->IsBusy());
  ASSERT_NE(f.window->Mailbox(), nullptr);
  EXPECT_TRUE(std::any_of(f.ui.statuses.begin(), f.ui.statuses.end(),
                          [](const QString& s) { return s.startsWith("Checking the mailbox"); }));
}

// While a large home fills, the window's events run between the parts: input is taken,
// the list can be sorted, and commands wait until every game is in.
TEST(StartUp, ALargeHomeFillsInPartsWithTheEventLoopRunningBetween) {
  Fixture f;
  f.AddGames(5000);
  int insertions = 0;
  bool eventRanWhileFilling = false;
  bool busyWhileFilling = false;
  QObject::connect(&f.Model(), &QAbstractItemModel::rowsInserted, f.window.get(), [&] {
    if (++insertions != 1) return;
    // The user sorts by file name, newest first, as soon as the first rows show.
    f.window->GamesView()->sortByColumn(1, Qt::DescendingOrder);
    QTimer::singleShot(0, f.window.get(), [&] {
      eventRanWhileFilling = f.window->Filling();
      busyWhileFilling = f.window->IsBusy();
    });
  });
  f.window->StartUp();
  f.window->show();
  f.WaitUntilFilled();
  EXPECT_GE(insertions, 2);
  EXPECT_TRUE(eventRanWhileFilling);
  EXPECT_TRUE(busyWhileFilling);
  EXPECT_FALSE(f.window->IsBusy());
  // Rows that came after the sort went into its order.
  ASSERT_EQ(f.Model().rowCount(), 10000);
  for (int row = 1; row < f.Model().rowCount(); ++row)
    ASSERT_GT(QString::compare(f.Name(row - 1), f.Name(row)), 0) << row;
}

// Closing the window before every game is in ends the fill; nothing runs on after it.
TEST(StartUp, ClosingWhileFillingStopsTheFill) {
  Fixture f;
  f.AddGames(5000);
  QObject::connect(
      &f.Model(), &QAbstractItemModel::rowsInserted, f.window.get(),
      [&] { QTimer::singleShot(0, f.window.get(), [&] { f.window->close(); }); }, Qt::SingleShotConnection);
  QSignalSpy filled(f.window.get(), &frmMain::filled);
  f.window->StartUp();
  f.window->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->isVisible(); }, 30000));
  QTest::qWait(50);  // a part left queued would run now
  EXPECT_FALSE(f.window->Filling());
  EXPECT_FALSE(f.window->IsBusy());
  EXPECT_LT(f.Model().rowCount(), 10000);
  EXPECT_EQ(filled.count(), 0);
}

// A home read before is on the screen before its folders are read again: the last
// session's rows at once, commands held until the games behind them are in, then the
// games as they are now in their place.
TEST(StartUp, TheLastSessionsRowsShowUntilTheGamesAreRead) {
  Fixture f;
  f.AddGames(3000);
  f.window->StartUp();
  f.window->show();
  f.WaitUntilFilled();
  const QString kept = LastListsPath(App().homeFolder);
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(kept); }, 10000));

  // Between the sessions one game went and another changed its state.
  f.alpha->games.erase(f.alpha->games.begin() + 1);
  f.beta->games.front()->status = "Send";
  f.Make();
  int rowsShown = -1;
  bool gameBehindRow = true;
  bool fillingWhenShown = false;
  QString statusShown;
  QObject::connect(f.window.get(), &frmMain::shown, f.window.get(), [&] {
    rowsShown = f.Model().rowCount();
    gameBehindRow = f.Model().GameAt(0) != nullptr;
    fillingWhenShown = f.window->Filling();
    statusShown = f.Model().index(3000, 5).data().toString();
    f.window->Edit();  // a command waits for the games
  });
  f.window->StartUp();
  f.window->show();
  f.WaitUntilFilled();
  EXPECT_EQ(rowsShown, 6000);
  EXPECT_FALSE(gameBehindRow);
  EXPECT_TRUE(fillingWhenShown);
  EXPECT_EQ(statusShown, "Wait");
  EXPECT_TRUE(f.ui.statuses.contains("The games are still being read; try again in a moment."));

  ASSERT_EQ(f.Model().rowCount(), 5999);
  EXPECT_EQ(f.Name(1), "a00002.cmt");
  EXPECT_EQ(f.Model().index(2999, 5).data().toString(), "Send");
  ASSERT_NE(f.Model().GameAt(0), nullptr);
  EXPECT_EQ(f.window->SelectedGame()->GetName(), "a00000.cmt");
  EXPECT_FALSE(f.window->IsBusy());
}

// F5 on a large list reads the games in parts as the start does: the rows stay on the
// screen and the window answers until every game is in, then the list changes at once
// and keeps the player's selection.
TEST(StartUp, RefreshingALargeListKeepsItsRowsUntilEveryGameIsRead) {
  Fixture f;
  f.AddGames(2000);
  f.window->StartUp();
  f.window->show();
  f.WaitUntilFilled();
  ASSERT_EQ(f.Model().rowCount(), 4000);
  f.window->GamesView()->selectionModel()->clearSelection();
  for (int row = 0; row < f.Model().rowCount(); ++row) {
    if (f.Name(row) != "a01000.cmt") continue;
    f.window->GamesView()->selectionModel()->setCurrentIndex(
        f.Model().index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  ASSERT_EQ(f.window->SelectedGame()->GetName(), "a01000.cmt");

  f.alpha->games.erase(f.alpha->games.begin());
  f.beta->games.back()->status = "Send";
  bool eventRan = false;
  QTimer::singleShot(0, f.window.get(),
                     [&] { eventRan = f.window->Filling() && f.Model().rowCount() == 4000; });
  QSignalSpy filled(f.window.get(), &frmMain::filled);
  f.window->Refresh();
  EXPECT_TRUE(f.window->Filling());
  EXPECT_TRUE(f.window->IsBusy());
  EXPECT_EQ(f.Model().rowCount(), 4000);
  ASSERT_TRUE(filled.wait(30000));
  EXPECT_TRUE(eventRan);
  EXPECT_FALSE(f.window->IsBusy());
  ASSERT_EQ(f.Model().rowCount(), 3999);
  EXPECT_EQ(f.Name(0), "a00001.cmt");
  EXPECT_EQ(f.Model().index(3998, 5).data().toString(), "Send");
  ASSERT_NE(f.window->SelectedGame(), nullptr);
  EXPECT_EQ(f.window->SelectedGame()->GetName(), "a01000.cmt");
  EXPECT_EQ(f.window->GamesView()->selectionModel()->selectedRows().size(), 1);
}

// The kept rows are the user's own file, but a damaged or foreign one must never show
// half a list or take the start-up down: anything that is not a whole file of this
// version is not used.
TEST(LastLists, KeepEveryCellAndRefuseADamagedFile) {
  TempHome home;
  const QString path = LastListsPath(home.Path());
  LastLists lists;
  lists.programs.push_back({"SPWAW", "Steel Panthers", "8.4", "Not running", "/games/spwaw"});
  GameRow row;
  row.game = "SPWAW";
  row.fileName = "Ölmühle.cmt";
  row.info = "Tab\there";
  row.modified = "12/7/26 3:04 PM";
  row.size = 5'000'000'000;
  row.status = "Play";
  row.mode = "Hotseat";
  row.email = "x@example.org";
  row.statusBold = true;
  row.waitingSeconds = 3600;
  lists.games = {row, GameRow{}};
  ASSERT_TRUE(SaveLastLists(path, lists, 1000));

  // An hour and a day later the first game has waited a day more; a game with no
  // waiting time still has none.
  const std::optional<LastLists> read = LoadLastLists(path, 1000 + 86400);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->programs.size(), 1u);
  EXPECT_EQ(read->programs[0].Cells(), lists.programs[0].Cells());
  ASSERT_EQ(read->games.size(), 2u);
  EXPECT_EQ(read->games[0].Cells(), row.Cells());
  EXPECT_TRUE(read->games[0].statusBold);
  EXPECT_EQ(read->games[0].waitingSeconds, 3600 + 86400);
  EXPECT_EQ(read->games[0].waitingText, ShownWaitingText(3600 + 86400));
  EXPECT_EQ(read->games[1].waitingSeconds, -1);
  EXPECT_TRUE(read->games[1].waitingText.isEmpty());

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray whole = file.readAll();
  file.close();
  auto loadsFrom = [&](const QByteArray& bytes) {
    EXPECT_TRUE(WriteFile(path, bytes));
    return LoadLastLists(path, 1000).has_value();
  };
  // Cut anywhere, or with a byte more.
  for (qsizetype n = 0; n < whole.size(); ++n) ASSERT_FALSE(loadsFrom(whole.left(n))) << n;
  EXPECT_FALSE(loadsFrom(whole + 'x'));
  // Counts and lengths beyond what the file holds are refused before anything is made of
  // them (the program count is the first number after the magic, format and moment).
  QByteArray huge = whole;
  const qsizetype programCount = qsizetype(sizeof "KOLT lists\n" - 1) + 4 + 8;
  huge.replace(programCount, 4, QByteArray("\xff\xff\xff\x7f", 4));
  EXPECT_FALSE(loadsFrom(huge));
  QByteArray longString = whole;
  longString.replace(programCount + 4, 4, QByteArray("\xff\xff\xff\xff", 4));
  EXPECT_FALSE(loadsFrom(longString));
  QByteArray otherFormat = whole;
  otherFormat[programCount - 12] = 2;
  EXPECT_FALSE(loadsFrom(otherFormat));
  EXPECT_FALSE(LoadLastLists(path + ".none", 1000));
  EXPECT_TRUE(loadsFrom(whole));
}

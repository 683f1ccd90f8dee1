// The player's overview in the windows, on the demo home with the real adapters: the
// waiting column with its order and late colour, the turn history with "Restore this
// turn", the settings page and the tray icon's menu (offscreen: the desktop has no tray).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/OverviewSettings.h"
#include "exchange/history/HistoryStore.h"
#include "support/MainWindowHarness.h"
#include "support/Screenshot.h"
#include "ui/OptionsOverviewPage.h"
#include "ui/TrayIcon.h"
#include "ui/frmHistory.h"

using namespace kolt;

namespace {

// The main window on a fresh demo home.
class DemoHome : public ::testing::Test, protected test::MainWindowHarness {
 protected:
  void SetUp() override {
    MakeDemoHome();
    Load();
    window->resize(1280, 560);
    window->show();
    QApplication::processEvents();
  }
  QString Waiting(const QString& fileName) const { return Cell(fileName, GamesModel::kWaitingColumn); }
  GamePtr Game(const QString& fileName) const { return window->GamesRows().GameAt(RowOf(fileName)); }
};

}  // namespace

TEST_F(DemoHome, TheWaitingColumnSortsAndMarksGamesToPlayForTooLong) {
  const GamesModel& games = window->GamesRows();
  // The demo's Steel Panthers games, in every state the status rule knows; the one ready
  // to send is selected and the game the commands act on.
  EXPECT_EQ(Column(5).mid(0, 5), QStringList({"Send", "Play", "Wait", "New", "Play/Send"}));
  EXPECT_EQ(Cell("email001.cmt", 2),
            QString::fromUtf8("Kursk 1943: Prokhorovka – Großdeutschland vs. 5th Guards Tank"));
  EXPECT_TRUE(window->GamesView()->selectionModel()->isRowSelected(RowOf("email001.cmt"), QModelIndex()));
  EXPECT_EQ(window->GamesView()->currentIndex().row(), RowOf("email001.cmt"));
  EXPECT_EQ(games.headerData(GamesModel::kWaitingColumn, Qt::Horizontal).toString(), "Waiting");
  EXPECT_EQ(Waiting("email001.cmt"), "5 h");  // ready to send since it was played
  EXPECT_EQ(Waiting("email002.cmt"), "9 d");  // to play since it came in
  EXPECT_EQ(Waiting("email003.cmt"), "2 d");  // waiting since it went out
  EXPECT_EQ(Waiting("email005.cmt"), "30 min");
  EXPECT_EQ(Waiting("Galaxy.gam"), "");  // no stamp to count from

  // Past the default of 7 days in "Play": the whole row in the late colour, and no other.
  for (int i = 0; i < games.rowCount(); ++i) {
    const bool late = games.index(i, 1).data().toString() == "email002.cmt";
    EXPECT_EQ(games.index(i, 0).data(Qt::ForegroundRole).isValid(), late) << i;
  }
  EXPECT_EQ(games.index(RowOf("email002.cmt"), 5).data(Qt::ForegroundRole).value<QBrush>().color(),
            GamesModel::LateColour());

  // A click on the header sorts by the time waited; a game without one stays last.
  const QStringList listOrder = Column(1);
  window->GamesView()->sortByColumn(GamesModel::kWaitingColumn, Qt::DescendingOrder);
  QStringList order = Column(1);
  EXPECT_EQ(order.first(), "email002.cmt");
  EXPECT_EQ(order.last(), "Galaxy.gam");
  window->GamesView()->sortByColumn(GamesModel::kWaitingColumn, Qt::AscendingOrder);
  order = Column(1);
  EXPECT_EQ(order.first(), "email005.cmt");
  EXPECT_EQ(order.last(), "Galaxy.gam");
  // The commands act on the rows as shown: each row still holds its own game.
  for (int i = 0; i < games.rowCount(); ++i) EXPECT_EQ(games.GameAt(i)->GetName(), order[i]);
  // A refresh keeps the chosen order.
  window->Refresh();
  EXPECT_EQ(Column(1), order);
  test::SaveScreenshot(*window, "frmMain-waiting");

  // Fewer days make more games late; 0 marks none.
  SetLateDays(0);
  window->Refresh();
  for (int i = 0; i < games.rowCount(); ++i)
    EXPECT_FALSE(games.index(i, 0).data(Qt::ForegroundRole).isValid());
  window->GamesView()->header()->setSortIndicator(-1, Qt::AscendingOrder);
  EXPECT_EQ(Column(1), listOrder);
}

TEST_F(DemoHome, TheHistoryListsTurnsNewestFirstAndRestoresAKeptTurn) {
  const GamePtr game = Game("email002.cmt");
  ASSERT_TRUE(game);
  HistoryStore store(HistoryStore::DefaultPath());
  frmHistory dialog(ui, game, store, window.get());
  dialog.show();
  QApplication::processEvents();
  QTreeWidget* list = dialog.List();
  ASSERT_EQ(list->topLevelItemCount(), 4);
  QStringList turns;
  for (int i = 0; i < 4; ++i) turns.append(list->topLevelItem(i)->text(1));
  EXPECT_EQ(turns, QStringList({"Received", "Sent", "Received", "Sent"}));
  EXPECT_EQ(list->headerItem()->text(1), "Direction");
  EXPECT_EQ(list->topLevelItem(1)->text(2), "mike@example.net");
  EXPECT_EQ(list->topLevelItem(1)->text(4), "The artillery is zeroed in. Good luck.");
  EXPECT_TRUE(list->topLevelItem(1)->text(5).startsWith("email002.cmt ("))
      << list->topLevelItem(1)->text(5).toStdString();
  test::SaveScreenshot(dialog, "frmHistory");

  const QString email = home.File("games/SPWAW/EMAIL");
  const QByteArray current = test::ReadFile(email + "/email002.dat");
  // The newest turn is the one in place: restoring it would change nothing.
  auto* restore = dialog.findChild<QPushButton*>("cmdRestore");
  ASSERT_TRUE(restore);
  EXPECT_FALSE(restore->isEnabled());
  list->setCurrentItem(list->topLevelItem(1));
  ASSERT_TRUE(restore->isEnabled());

  // "No" changes nothing.
  ui.Answers({Answer::No});
  restore->click();
  EXPECT_EQ(test::ReadFile(email + "/email002.dat"), current);
  EXPECT_FALSE(dialog.Restored());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_TRUE(ui.boxes[0].text.startsWith("Restore the sent turn of ")) << ui.boxes[0].text.toStdString();
  EXPECT_TRUE(ui.boxes[0].text.endsWith("The files in place now are backed up first."))
      << ui.boxes[0].text.toStdString();

  // "Yes": the kept turn is back, the one it replaced in bak/, and the history says so.
  ui.Answers({Answer::Yes});
  restore->click();
  EXPECT_EQ(ui.boxes.size(), 2u) << ui.Texts().join("\n").toStdString();
  EXPECT_TRUE(dialog.Restored());
  EXPECT_EQ(QFileInfo(email + "/email002.dat").size(), 23500);
  EXPECT_EQ(test::ReadFile(email + "/bak/email002.dat"), current);
  ASSERT_EQ(list->topLevelItemCount(), 5);
  EXPECT_EQ(list->topLevelItem(0)->text(1), "Restored");
  // A restored line restores nothing itself, nor does the turn now in place.
  list->setCurrentItem(list->topLevelItem(0));
  EXPECT_FALSE(restore->isEnabled());
  list->setCurrentItem(list->topLevelItem(2));
  EXPECT_EQ(list->topLevelItem(2)->text(1), "Sent");
  EXPECT_FALSE(restore->isEnabled());
  dialog.cmdRestore_Click();
  EXPECT_EQ(ui.boxes.back().text, "The files in place are this turn's already: there is nothing to restore.");
  EXPECT_EQ(list->topLevelItemCount(), 5);
  // The player's own turn, put back, waits for the opponent again.
  EXPECT_EQ(game->GetStatus(), "Wait");
}

// Offscreen there is no tray: no icon, and closing behaves as before.
TEST_F(DemoHome, WithoutATrayTheWindowKeepsNoIcon) {
  EXPECT_FALSE(TrayIcon::Available());
  EXPECT_EQ(window->Tray(), nullptr);
}

TEST(Overview, TheTrayMenuTellsTheWindowWhatWasChosen) {
  TrayIcon tray(QIcon{});
  QMenu* menu = tray.Menu();
  QStringList texts;
  for (QAction* a : menu->actions()) {
    if (!a->isSeparator()) texts.append(a->text());
  }
  EXPECT_EQ(texts, QStringList({"&Open", "&Check mail now", "&Refresh", "&Quit"}));
  auto* checkMail = menu->findChild<QAction*>("mnuTrayCheckMail");
  ASSERT_NE(checkMail, nullptr);
  EXPECT_FALSE(checkMail->isVisible());  // until the window says mailbox fetching is set up
  tray.SetMailFetchingAvailable(true);
  EXPECT_TRUE(checkMail->isVisible());

  QSignalSpy open(&tray, &TrayIcon::openRequested), mail(&tray, &TrayIcon::checkMailRequested),
      refresh(&tray, &TrayIcon::refreshRequested), quit(&tray, &TrayIcon::quitRequested);
  menu->findChild<QAction*>("mnuTrayOpen")->trigger();
  checkMail->trigger();
  menu->findChild<QAction*>("mnuTrayRefresh")->trigger();
  menu->findChild<QAction*>("mnuTrayQuit")->trigger();
  EXPECT_EQ(open.count(), 1);
  EXPECT_EQ(mail.count(), 1);
  EXPECT_EQ(refresh.count(), 1);
  EXPECT_EQ(quit.count(), 1);

  EXPECT_EQ(tray.ToolTip(), "KOLT Helper: no game to play");
  tray.SetPlayCount(1);
  EXPECT_EQ(tray.ToolTip(), "KOLT Helper: 1 game to play");
  tray.SetPlayCount(3);
  EXPECT_EQ(tray.ToolTip(), "KOLT Helper: 3 games to play");
  // The count is drawn on the icon: the badge's colour beside the number, none without games.
  const QImage three = tray.Icon().pixmap(64, 64).toImage();
  EXPECT_EQ(three.pixelColor(24, 40), QColor(0xc0, 0x1c, 0x1c));
  tray.SetPlayCount(0);
  EXPECT_EQ(tray.Icon().pixmap(64, 64).toImage().pixelColor(24, 40).alpha(), 0);
}

TEST(Overview, TheSettingsPageJoinsAnyDialogAndWritesItsKeys) {
  test::TempHome home;
  IniWrite("History", "KeepTurns", "4");
  QDialog tabbed;
  auto* tabs = new QTabWidget(&tabbed);
  (new QVBoxLayout(&tabbed))->addWidget(tabs);
  auto* page = new OptionsOverviewPage;
  page->AddTo(&tabbed);
  EXPECT_EQ(tabs->count(), 1);
  EXPECT_EQ(tabs->tabText(0), "Overview");
  auto* keep = page->findChild<QSpinBox*>("spnKeepTurns");
  auto* late = page->findChild<QSpinBox*>("spnLateDays");
  ASSERT_TRUE(keep && late);
  EXPECT_EQ(keep->value(), 4);
  EXPECT_EQ(late->value(), kDefaultLateDays);
  keep->setValue(0);
  late->setValue(3);
  ASSERT_TRUE(page->Apply());
  EXPECT_EQ(KeepTurns(), 0);
  EXPECT_EQ(LateDays(), 3);
  EXPECT_FALSE(KeepRunningInTray());
  // A malformed value reads as the default.
  IniWrite("History", "KeepTurns", "-3");
  EXPECT_EQ(KeepTurns(), kDefaultKeepTurns);
}

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTreeView>

#include "support/MainWindowHarness.h"
#include "support/Screenshot.h"
#include "ui/frmGame.h"

using namespace kolt;

// The main window and the game dialog on the demo home, saved for a reviewer to look at.
TEST(Screenshots, MainWindowOnTheDemoHome) {
  test::MainWindowHarness h;
  h.MakeDemoHome();
  frmMain& window = h.Load();
  window.resize(1180, 560);
  window.show();
  QApplication::processEvents();

  // The demo's Steel Panthers games, in every state the status rule knows.
  const GamesModel& games = window.GamesRows();
  ASSERT_GE(games.rowCount(), 5);
  QStringList states;
  for (int i = 0; i < games.rowCount(); ++i) states.append(games.index(i, 5).data().toString());
  EXPECT_EQ(states.mid(0, 5), QStringList({"Send", "Play", "Wait", "New", "Play/Send"}));
  EXPECT_EQ(games.index(0, 2).data().toString(),
            QString::fromUtf8("Kursk 1943: Prokhorovka – Großdeutschland vs. 5th Guards Tank"));
  // Ready to send: selected, and the game the commands act on.
  EXPECT_TRUE(window.GamesView()->selectionModel()->isRowSelected(0, QModelIndex()));
  EXPECT_EQ(window.GamesView()->currentIndex().row(), 0);
  test::SaveScreenshot(window, "frmMain");

  frmGame dialog(h.ui, window.Games(), 0, &window);
  dialog.show();
  QApplication::processEvents();
  test::SaveScreenshot(dialog, "frmGame");
}

// A new user: Steel Panthers is installed, no game is in progress. The games list says
// what to do next.
TEST(Screenshots, TheEmptyMainWindowOfANewUser) {
  test::MainWindowHarness h;
  const QString game = h.InstallSpwaw();
  IniWrite("CMBO", "Directory", "-");
  IniWrite("SE4", "Directory", "-");
  App().timeZoneText = ReadTimeZone().text;
  frmMain& window = h.Load();
  window.resize(1000, 480);
  window.show();
  QApplication::processEvents();
  ASSERT_EQ(window.GamesRows().rowCount(), 0);
  auto* hint = window.findChild<QLabel*>(QStringLiteral("lblEmptyHint"));
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->isVisible());
  EXPECT_TRUE(hint->text().contains(QStringLiteral("File > Open received file... (Ctrl+O)")));
  test::SaveScreenshot(window, "frmMain-new-user");

  // The first game saved: the hint gives way to the list.
  test::WriteFile(game + "/EMAIL/email001.cmt", "First battle");
  test::WriteFile(game + "/EMAIL/email001.dat", "turn");
  window.Refresh();
  EXPECT_EQ(window.GamesRows().rowCount(), 1);
  EXPECT_FALSE(hint->isVisible());
}

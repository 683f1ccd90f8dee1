#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFont>
#include <QTreeWidget>

#include "support/MainWindowHarness.h"
#include "support/PackKlt.h"

using namespace kolt;
using namespace kolt::test;

// The desktop starts the program with a received KOLT.KLT (the file association); on its
// first activation the main window takes it in: the game is the user's to play, shows
// in bold, and the sender's address is stored.
TEST(OpenReceivedKlt, TheMainWindowTakesInTheCommandLineFile) {
  MainWindowHarness h;
  const QString game = h.InstallSpwaw();
  const QDateTime played = QDateTime::currentDateTime().addSecs(-7200);
  WriteFile(game + "/EMAIL/email001.cmt", "Bocage");
  WriteFile(game + "/EMAIL/email001.dat", "old turn");
  SetModified(game + "/EMAIL/email001.dat", played);
  SetModified(game + "/EMAIL/email001.cmt", played);
  IniWrite("SPWAW", "email001.cmt/S", played.toString("yyyy-MM-dd hh:mm:ss"));

  // The opponent's turn, packed as a KLT by another machine's Info-ZIP.
  App().commandLineFile = PackKlt(
      h.home.Root() + "/KOLT.KLT",
      {{"SPWAW/email001.cmt", "Bocage"}, {"SPWAW/email001.dat", "new turn"}, {"SPWAW/email001.aux", "aux"}},
      "ivan@example.org", played.addSecs(3600));
  frmMain& window = h.Load();
  ScriptedUi& ui = h.ui;
  const GamesModel& games = window.GamesRows();
  auto cell = [&games](int column, int role = Qt::DisplayRole) { return games.index(0, column).data(role); };
  ASSERT_EQ(games.rowCount(), 1);
  EXPECT_EQ(cell(5).toString(), "Wait");

  window.Form_Activate();
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join(" | ").toStdString();
  ASSERT_EQ(games.rowCount(), 1);
  EXPECT_EQ(cell(5).toString(), "Play");
  EXPECT_TRUE(cell(1, Qt::FontRole).value<QFont>().bold());  // received in this run
  EXPECT_TRUE(cell(5, Qt::FontRole).value<QFont>().bold());  // the user's move
  EXPECT_TRUE(window.InstalledView()->topLevelItem(0)->font(0).bold());
  EXPECT_EQ(cell(7).toString(), "ivan@example.org");
  EXPECT_EQ(ReadFile(game + "/EMAIL/email001.dat"), "new turn");
  EXPECT_EQ(ReadFile(game + "/EMAIL/bak/email001.dat"), "old turn");
  EXPECT_EQ(ui.statuses.last(), "Received 1 game from ivan@example.org");
  EXPECT_EQ(window.SelectedGame()->GetName(), "email001.cmt");

  // Once only: a later activation does not take the file in again.
  ui.statuses.clear();
  window.Form_Activate();
  EXPECT_TRUE(ui.statuses.isEmpty());
}

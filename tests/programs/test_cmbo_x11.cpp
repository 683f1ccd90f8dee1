// Taking a Combat Mission turn on a real X server: the adapter starts a stand-in of the
// game, opens its file-name window by the two clicks, and types the turn file's name and
// the password, which the stand-in records.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "core/Settings.h"
#include "core/Startup.h"
#include "model/GameWindows.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/CMBO/CMBO.h"
#include "programs/CMBO/CMBO_Game.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

TEST(CmboTurnOnX11, TheStandInReceivesExactlyTheTurnFileAndThePassword) {
  TempHome home;
  ScriptedUi ui;
  const QString game = home.Root() + "/games/CM";
  const QString out = home.Root() + "/received.txt";
  WriteFile(game + "/Combat Mission.exe", "MZ");
  WriteFile(game + "/KOLT/Battle_002.txt", "turn");
  IniWrite("CMBO", "Directory", game);
  // The "Wine" that runs the game is the stand-in itself.
  IniWrite("Settings", "Wine", QStringLiteral(CMBO_STANDIN) + " " + out);

  LinuxWintools tools(ui);
  std::unique_ptr<GameWindows> windows = CreateGameWindows();
  auto cmbo = std::make_shared<CMBO>(Services{ui, tools, {}, windows.get()});
  ASSERT_TRUE(cmbo->Installed(false));
  const GameList games = cmbo->InitGames();
  ASSERT_EQ(games.size(), 1u);

  cmbo->ProcessTurn(0, *games[0], "s3cret-Pw");
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 10000 && !ReadFile(out).contains("password=")) QThread::msleep(50);
  EXPECT_EQ(ReadFile(out), "file=Battle_002.txt\npassword=s3cret-Pw\n");
  EXPECT_EQ(App().lastPlayedGameName, "Battle_002.txt");
  // The stand-in ends after the password; it was the watched program.
  timer.restart();
  while (timer.elapsed() < 5000 && tools.StartedProgramRunning()) QThread::msleep(50);
  EXPECT_FALSE(tools.StartedProgramRunning());
  App().lastPlayedGameName.clear();
}

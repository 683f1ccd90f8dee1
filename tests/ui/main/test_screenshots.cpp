#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QTreeView>

#include "core/Settings.h"
#include "core/Startup.h"
#include "model/ProgramRegistry.h"
#include "model/Services.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "ui/GamesModel.h"
#include "ui/frmGame.h"
#include "ui/frmMain.h"

using namespace kolt;

namespace {

QString ShotPath(const QString& name) {
  const QString dir = QStringLiteral(KOLT_TEST_BINARY_DIR "/screenshots");
  QDir().mkpath(dir);
  return dir + QChar('/') + name + QStringLiteral(".png");
}

}  // namespace

// The main window and the game dialog on the demo home, saved for a reviewer to look at.
TEST(Screenshots, MainWindowOnTheDemoHome) {
  test::TempHome home;
  QProcess demo;
  demo.start(QStringLiteral("python3"), {QStringLiteral(KOLT_DEMO_SCRIPT), home.Path()});
  ASSERT_TRUE(demo.waitForFinished(60000));
  ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
  App().homeFolder = home.Path();
  App().timeZoneText = ReadTimeZone().text;

  test::ScriptedUi ui;
  LinuxWintools tools(ui);
  ProgramList programs;
  Services services{ui, tools, {}};
  ProgramRegistry registry(services, AdapterFactories());
  MainWindowParts parts(ui, tools, registry, programs);
  frmMain window(parts);
  window.Form_Load();
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
  EXPECT_TRUE(window.grab().save(ShotPath(QStringLiteral("frmMain"))));

  frmGame dialog(ui, window.Games(), 0, &window);
  dialog.show();
  QApplication::processEvents();
  EXPECT_TRUE(dialog.grab().save(ShotPath(QStringLiteral("frmGame"))));
}

// A new user: Steel Panthers is installed, no game is in progress. The games list says
// what to do next.
TEST(Screenshots, TheEmptyMainWindowOfANewUser) {
  test::TempHome home;
  const QString game = home.File("games/SPWAW");
  test::WriteFile(game + "/mech.exe", "MZ");
  QDir().mkpath(game + "/EMAIL");
  IniWrite("SPWAW", "Directory", game);
  IniWrite("SPWAW", "SAVE", "0");
  IniWrite("CMBO", "Directory", "-");
  IniWrite("SE4", "Directory", "-");
  App().timeZoneText = ReadTimeZone().text;

  test::ScriptedUi ui;
  LinuxWintools tools(ui);
  ProgramList programs;
  Services services{ui, tools, {}};
  ProgramRegistry registry(services, AdapterFactories());
  MainWindowParts parts(ui, tools, registry, programs);
  frmMain window(parts);
  window.Form_Load();
  window.resize(1000, 480);
  window.show();
  QApplication::processEvents();
  ASSERT_EQ(window.GamesRows().rowCount(), 0);
  auto* hint = window.findChild<QLabel*>(QStringLiteral("lblEmptyHint"));
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->isVisible());
  EXPECT_TRUE(hint->text().contains(QStringLiteral("File > Open received file... (Ctrl+O)")));
  EXPECT_TRUE(window.grab().save(ShotPath(QStringLiteral("frmMain-new-user"))));

  // The first game saved: the hint gives way to the list.
  test::WriteFile(game + "/EMAIL/email001.cmt", "First battle");
  test::WriteFile(game + "/EMAIL/email001.dat", "turn");
  window.Refresh();
  EXPECT_EQ(window.GamesRows().rowCount(), 1);
  EXPECT_FALSE(hint->isVisible());
}

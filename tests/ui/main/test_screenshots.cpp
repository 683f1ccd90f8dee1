#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "support/MainWindowHarness.h"
#include "support/Screenshot.h"

using namespace kolt;

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

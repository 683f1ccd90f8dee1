#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/Settings.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/SPWAW/SPWAW.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// The toolbox's test data, kept in the repository: a system.reg written by Wine 8 and a
// PE file with a version resource.
QString SamplePath(const QString& name) {
  return QStringLiteral(KOLT_TEST_SOURCE_DIR "/tests/platform/data/") + name;
}

}  // namespace

TEST(SpwawUnderWine, FoundThroughTheUninstallEntryWithItsVersion) {
  const QString reg = SamplePath("wine-system.reg");
  const QString exe = SamplePath("with-version.exe");
  ASSERT_TRUE(QFileInfo::exists(reg) && QFileInfo::exists(exe)) << "test data missing: " << qPrintable(reg);
  TempHome home;
  // A Wine prefix whose system.reg names C:\Games\SPWAW\uninst.exe as the game's
  // uninstaller.
  const QString prefix = home.Root() + "/prefix";
  ScopedEnv wineprefix("WINEPREFIX", prefix);
  QDir().mkpath(prefix + "/dosdevices");
  QFile::link("../drive_c", prefix + "/dosdevices/c:");
  ASSERT_TRUE(QFile::copy(reg, prefix + "/system.reg"));
  const QString game = prefix + "/drive_c/Games/SPWAW";
  ASSERT_TRUE(WriteFile(game + "/uninst.exe", "MZ"));
  ASSERT_TRUE(QFile::copy(exe, game + "/MECH.EXE"));  // installers under Wine keep any case
  ASSERT_TRUE(WriteFile(game + "/Email/Email001.CMT", "Kursk"));
  ASSERT_TRUE(WriteFile(game + "/Email/EMAIL001.dat", "turn"));

  ScriptedUi ui;
  LinuxWintools tools(ui, "true");
  auto p = std::make_shared<SPWAW>(Services{ui, tools, {}});
  ui.Answers({Answer::Cancel});  // no SAVE folder
  ASSERT_TRUE(p->Installed(false));
  EXPECT_TRUE(ui.folderQuestions.empty());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Do you want to use the SAVE directory as well?");
  EXPECT_EQ(p->GetDirectory(), game);
  EXPECT_EQ(p->GetExePath(), game + "/MECH.EXE");
  EXPECT_EQ(p->GetVersion(), "2.5.17");
  EXPECT_EQ(p->GetStatus(), ProgramState::NotRunning);
  EXPECT_EQ(IniRead("SPWAW", "Directory"), game);
  const GameList games = p->InitGames();
  ASSERT_EQ(games.size(), 1u);
  EXPECT_EQ(games[0]->GetDescription(), "Kursk");
  EXPECT_EQ(games[0]->GetSize(), 9);

  // A folder stored the Windows way is found through the prefix's drive letters; a
  // trailing separator is tolerated. Either is stored again as found.
  for (const QString& stored : {QString("C:\\Games\\SPWAW\\"), game + "/"}) {
    IniWrite("SPWAW", "Directory", stored);
    auto again = std::make_shared<SPWAW>(Services{ui, tools, {}});
    ASSERT_TRUE(again->Installed(false));
    EXPECT_EQ(again->GetDirectory(), game);
    EXPECT_EQ(IniRead("SPWAW", "Directory"), game);
  }
}

// What one refresh costs per game, counted on a home of the four kinds of programs with
// the real adapters and the real process scan: the running processes are looked at once
// per pass, every folder is listed once, each game's time is converted once (a Space
// Empires IV game's order files once more, however often the list asks), and a second
// refresh costs what the first did.
#include <gtest/gtest.h>

#include <QDir>

#include "Se4SaveFile.h"
#include "core/FolderSnapshot.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "model/Stamp.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

constexpr int kEach = 4;  // games of each kind

struct MixedHome {
  TempHome home;
  ScriptedUi ui;
  LinuxWintools tools{ui};
  int orderFiles = 0;

  MixedHome() {
    App().homeFolder = home.Path();
    const QString spwaw = home.File("games/SPWAW"), cmbo = home.File("games/CMBO");
    const QString se4 = home.File("games/SE4"), custom = home.File("games/War");
    for (const QString& folder : {spwaw + "/EMAIL", cmbo + "/KOLT", se4 + "/SAVEGAME", custom + "/Turns"})
      QDir().mkpath(folder);
    WriteFile(spwaw + "/mech.exe", "MZ");
    WriteFile(cmbo + "/Combat Mission.exe", "MZ");
    WriteFile(se4 + "/se4.exe", "MZ");
    WriteFile(custom + "/war.exe", "MZ");
    WriteFile(home.File("WAR.INI"),
              "[Settings]\r\nLongName=War\r\nEXE=war.exe\r\nEMailSubDir=TURNS\r\nKOLTFilePattern=*.sav\r\n"
              "Description=LINE1\r\nFileTypes=2\r\n[File0]\r\nExt=sav\r\nPrimary=1\r\nModified=1\r\n"
              "[File1]\r\nExt=dat\r\n");
    IniWrite("SPWAW", "Directory", spwaw);
    IniWrite("SPWAW", "SAVE", "0");
    IniWrite("CMBO", "Directory", cmbo);
    IniWrite("SE4", "Directory", se4);
    IniWrite("WAR", "Directory", custom);
    Pass pass;  // one write of all the records
    for (int i = 0; i < kEach; ++i) {
      const QString n = QString::number(i);
      WriteFile(spwaw + "/EMAIL/email00" + n + ".cmt", "Game " + n.toUtf8());
      WriteFile(spwaw + "/EMAIL/email00" + n + ".dat", "data");
      IniWrite("SPWAW", "email00" + n + ".cmt", "opp@example.org");
      IniWrite("SPWAW", "email00" + n + ".cmt/S", "2024-06-01 10:00:00");
      WriteFile(cmbo + "/KOLT/Battle" + n + "_001.txt", "turn");
      IniWrite("CMBO", "Battle" + n + "_/R", "2024-06-01 10:00:00");
      Se4Save save;
      save.players = {Se4Player{1, "E1", "L1", "me@example.org"}, Se4Player{2, "E2", "L2", "p2@example.org"},
                      Se4Player{3, "E3", "L3", "p3@example.org"}};
      WriteFile(se4 + "/SAVEGAME/Galaxy" + n + ".gam", Se4SaveBytes(save) + "\r\nrest");
      WriteFile(se4 + "/SAVEGAME/Galaxy" + n + "_0002.plr", "orders");
      WriteFile(se4 + "/SAVEGAME/Galaxy" + n + "_0003.plr", "orders");
      orderFiles += 2;
      WriteFile(custom + "/Turns/war" + n + ".sav", "Campaign " + n.toUtf8() + "\r\n");
      WriteFile(custom + "/Turns/war" + n + ".dat", "data");
      IniWrite("WAR", "war" + n + ".sav", "opp@example.org");
    }
    EXPECT_TRUE(pass.End());
  }
  ~MixedHome() { App().homeFolder.clear(); }
};

struct Counts {
  size_t games = 0;
  long long scans = 0, listings = 0, conversions = 0;
};

Counts Refresh(const ProgramList& programs) {
  Counts c;
  const long long scans = LinuxWintools::ProcessScanCount();
  const long long listings = FolderListingCount();
  const long long conversions = Stamp::ConversionCount();
  Pass pass;
  const Lists lists = ReadLists(programs, true);
  // What the window asks again of a row it shows comes from what the pass kept.
  for (const GamePtr& game : lists.games) {
    game->GetStatus();
    game->GetDescription();
    game->GetModified();
  }
  EXPECT_TRUE(pass.End());
  c.games = lists.games.size();
  c.scans = LinuxWintools::ProcessScanCount() - scans;
  c.listings = FolderListingCount() - listings;
  c.conversions = Stamp::ConversionCount() - conversions;
  return c;
}

}  // namespace

TEST(RefreshCounts, EachGameCostsItsOwnFilesOnceAndThePassOneProcessScan) {
  MixedHome fx;
  ProgramList programs;
  ProgramRegistry registry(Services{fx.ui, fx.tools, {}}, AdapterFactories());
  registry.BuildProgramList(programs);
  ASSERT_EQ(programs.Count(), 4);

  const Counts first = Refresh(programs);
  EXPECT_EQ(first.games, 4U * kEach);
  EXPECT_EQ(first.scans, 1);  // four programs, one look at the processes
  // Each program's installation and game folders, once each.
  EXPECT_LE(first.listings, 8);
  // A time per game for its state file and one for how long it waits, and a Space
  // Empires IV game's order files once, though its status and description both ask.
  EXPECT_LE(first.conversions, 2 * static_cast<long long>(first.games) + fx.orderFiles);

  const Counts second = Refresh(programs);
  EXPECT_EQ(second.games, first.games);
  EXPECT_EQ(second.scans, 1);
  EXPECT_EQ(second.conversions, first.conversions);
}

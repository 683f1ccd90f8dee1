#include <gtest/gtest.h>

#include <QDir>

#include "FakeWintools.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "programs/Adapters.h"
#include "programs/CUSTOM/CUSTOM.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

QStringList Keys(const ProgramList& list) {
  QStringList keys;
  for (const ProgramPtr& p : list) keys.append(p->GetShortName());
  return keys;
}

struct Fixture {
  TempHome home;
  ScriptedUi ui;
  FakeWintools tools;
  Fixture() { App().homeFolder = home.Path(); }
  ~Fixture() { App().homeFolder.clear(); }
  ProgramRegistry Registry() { return ProgramRegistry(Services{ui, tools, {}}, AdapterFactories()); }
};

}  // namespace

TEST(Adapters, EveryProgramInOrderWithIncludeAll) {
  Fixture fx;
  WriteFile(fx.home.File("abc.ini"),
            "[Settings]\r\nLongName=Alpha Bravo\r\nEXE=ab.exe\r\nEMailSubDir=turns\r\n");
  WriteFile(fx.home.File("spwaw.ini"), "[Settings]\r\nLongName=Impostor\r\n");
  ProgramList list;
  fx.Registry().BuildProgramList(list, {.includeAll = true});
  ASSERT_EQ(Keys(list), QStringList({"SPWAW", "CMBO", "SE4", "ABC"}));
  EXPECT_EQ(list.At(0)->GetLongName(), "Steel Panthers: World at War");
  EXPECT_EQ(list.At(0)->GetExeName(), "mech.exe");
  EXPECT_EQ(list.At(1)->GetLongName(), "Combat Mission: Beyond Overlord");
  EXPECT_EQ(list.At(1)->GetExeName(), "Combat Mission.exe");
  EXPECT_EQ(list.At(2)->GetLongName(), "Space Empires IV");
  EXPECT_EQ(list.At(2)->GetExeName(), "se4.exe");
  auto custom = std::dynamic_pointer_cast<CUSTOM>(list.At(3));
  ASSERT_NE(custom, nullptr);
  EXPECT_EQ(custom->GetIniPath(), fx.home.File("abc.ini"));
  EXPECT_EQ(custom->GetLongName(), "Alpha Bravo");
  EXPECT_EQ(custom->GetExeName(), "ab.exe");
  EXPECT_EQ(custom->GetEMailDir(), "turns");
  // The impostor is left out, and the user learns why.
  ASSERT_EQ(fx.ui.boxes.size(), 1u);
  EXPECT_EQ(fx.ui.boxes[0].text, fx.home.File("spwaw.ini") +
                                     " is not used as a program definition: SPWAW is a name KOLT Helper uses "
                                     "itself. Give the file another name to use it.");
  EXPECT_TRUE(fx.ui.folderQuestions.empty());
}

TEST(Adapters, AtLoadOnlyInstalledProgramsAndACancelledQuestionIsRemembered) {
  Fixture fx;
  const QString game = fx.home.Root() + "/games/SPWAW";
  WriteFile(game + "/mech.exe", "MZ");
  IniWrite("SPWAW", "Directory", game);
  IniWrite("SPWAW", "SAVE", "0");
  WriteFile(fx.home.File("abc.ini"), "[Settings]\r\n");
  ProgramList list;
  fx.Registry().BuildProgramList(list);
  EXPECT_EQ(Keys(list), QStringList({"SPWAW"}));
  EXPECT_TRUE(fx.ui.boxes.empty());
  // Combat Mission and Space Empires IV have no uninstall entry here: their folders are
  // asked for, and the cancelled questions are remembered so that the next start does not
  // ask again.
  ASSERT_EQ(fx.ui.folderQuestions.size(), 2u);
  EXPECT_EQ(fx.ui.folderQuestions[1].caption, "Space Empires IV");
  EXPECT_EQ(IniReadSection("CMBO"), QStringList({"Directory=-"}));
  EXPECT_EQ(IniReadSection("SE4"), QStringList({"Directory=-"}));
  EXPECT_TRUE(IniReadSection("ABC").isEmpty());
}

TEST(Adapters, CustomDefinitionFileFoundWithoutRegardToCase) {
  Fixture fx;
  WriteFile(fx.home.File("xyz.Ini"), "[Settings]\r\n");
  CUSTOM program(Services{fx.ui, fx.tools, {}});
  EXPECT_TRUE(program.SetINI("XYZ"));
  EXPECT_EQ(program.GetShortName(), "XYZ");
  EXPECT_EQ(program.GetIniPath(), fx.home.File("xyz.Ini"));
  EXPECT_EQ(program.GetLongName(), "XYZ");  // no LongName: the short name
  EXPECT_FALSE(program.Installed(true));
}

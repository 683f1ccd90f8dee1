#include <gtest/gtest.h>

#include "FakePrograms.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "model/ProgramRegistry.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

class NoTools final : public Wintools {
 public:
  bool RunProgram(const QString&, const RunOptions&) override { return false; }
  bool ShellOpen(const QString&, const OpenOptions&) override { return false; }
  QString UninstallLookup(const QString&, const QString&) override { return QString(); }
  QString FileVersion(const QString&) override { return QString(); }
  bool TouchFile(const QString&) override { return false; }
  bool StartedProgramRunning() override { return false; }
  bool CanOpenExclusive(const QString&) override { return true; }
  QString ToWindowsPath(const QString& p) override { return p; }
};

// Builds registries over fake programs and remembers every object created.
struct Fixture {
  TempHome home;
  ScriptedUi ui;
  NoTools tools;
  std::vector<std::shared_ptr<FakeProgram>> builtins;
  std::vector<std::shared_ptr<FakeUserProgram>> users;
  bool usersInstalled = true;

  Fixture() { App().homeFolder = home.Path(); }
  ~Fixture() { App().homeFolder.clear(); }

  ProgramRegistry Registry(std::vector<std::pair<QString, bool>> programs) {
    ProgramFactories f;
    for (const auto& [name, installed] : programs) {
      f.builtins.push_back([this, name, installed](const Services&) -> ProgramPtr {
        auto p = std::make_shared<FakeProgram>(name, installed);
        builtins.push_back(p);
        return p;
      });
    }
    f.custom = [this](const Services&) -> std::shared_ptr<UserProgram> {
      auto p = std::make_shared<FakeUserProgram>(usersInstalled);
      users.push_back(p);
      return p;
    };
    return ProgramRegistry(Services{ui, tools, {}}, std::move(f));
  }
};

QStringList Keys(const ProgramList& list) {
  QStringList keys;
  for (const ProgramPtr& p : list) keys.append(p->GetShortName());
  return keys;
}

}  // namespace

TEST(Registry, BuiltinsInOrderThenDefinitionFilesOnlyInstalledOnes) {
  Fixture fx;
  WriteFile(fx.home.File("zulu.ini"), "[Settings]\r\n");
  WriteFile(fx.home.File("ALPHA.INI"), "[Settings]\r\n");
  ProgramRegistry registry = fx.Registry({{"SPWAW", true}, {"CMBO", false}, {"SE4", true}});
  ProgramList list;
  list.Add(std::make_shared<FakeProgram>("OLD", true));  // emptied first
  registry.BuildProgramList(list);
  EXPECT_EQ(Keys(list), QStringList({"SPWAW", "SE4", "ALPHA", "ZULU"}));
  ASSERT_EQ(fx.users.size(), 2u);
  // Bound before anything else is asked; the rescan flag is handed on.
  EXPECT_EQ(fx.users[0]->calls, QStringList({"SetINI(ALPHA)", "Installed(false)"}));
  EXPECT_EQ(fx.builtins[1]->calls, QStringList({"Installed(false)"}));

  registry.BuildProgramList(list, {.rescan = true});
  EXPECT_EQ(fx.builtins.back()->calls, QStringList({"Installed(true)"}));
}

// Every program is taken without asking whether it is installed; some definition files
// never become programs.
TEST(Registry, IncludeAllTakesEveryProgramButNotEveryDefinitionFile) {
  Fixture fx;
  fx.usersInstalled = false;
  WriteFile(fx.home.File("KOLT.INI"), "[Settings]\r\nRemovedPrograms=GONE,xyz\r\n");
  WriteFile(fx.home.File("kolt.ini.INI"), "");  // base "KOLT.INI": a dot, no blank: allowed
  WriteFile(fx.home.File("gone.ini"), "");      // removed
  WriteFile(fx.home.File("xyz.ini"), "");       // "XYZ" is not "xyz": exact comparison
  WriteFile(fx.home.File("My Game.ini"), "");   // blank in the name
  WriteFile(fx.home.File("spwaw.ini"), "");     // would share the built-in's section
  WriteFile(fx.home.File("..ini"), "");         // "." would name the instance folder itself
  WriteFile(fx.home.File("...ini"), "");        // ".." its parent
  WriteFile(fx.home.File("a[b].ini"), "");      // would break the settings section
  WriteFile(fx.home.File(".ini"), "");          // empty name
  WriteFile(fx.home.File("dup.ini"), "");
  WriteFile(fx.home.File("DUP.INI"), "");  // same short name: listed once
  WriteFile(fx.home.File("notes.txt"), "");
  QDir().mkpath(fx.home.File("folder.ini"));  // a folder is no definition file
  ProgramRegistry registry = fx.Registry({{"SPWAW", false}, {"CMBO", false}, {"SE4", false}});
  ProgramList list;
  registry.BuildProgramList(list, {.includeAll = true});
  EXPECT_EQ(Keys(list), QStringList({"SPWAW", "CMBO", "SE4", "DUP", "KOLT.INI", "XYZ"}));
  for (const auto& p : fx.builtins) EXPECT_TRUE(p->calls.isEmpty());
  for (const auto& p : fx.users) EXPECT_EQ(p->calls, QStringList({"SetINI(" + p->GetShortName() + ")"}));
}

TEST(Registry, ProgramListKeysAreUniqueWithoutRegardToCase) {
  ProgramList list;
  EXPECT_TRUE(list.Add(std::make_shared<FakeProgram>("ABC", true)));
  EXPECT_FALSE(list.Add(std::make_shared<FakeProgram>("abc", true)));
  EXPECT_FALSE(list.Add(nullptr));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Find("Abc"), list.At(0));
  EXPECT_EQ(list.Find("XYZ"), nullptr);
}

TEST(Registry, AddProgramBindsOnlyUserDefinedPrograms) {
  Fixture fx;
  ProgramRegistry registry = fx.Registry({});
  ProgramList list;
  auto builtin = std::make_shared<FakeProgram>("SPWAW", true);
  registry.AddProgram(builtin, list, {.iniName = "CUST"});  // cannot be bound: not taken
  EXPECT_TRUE(list.IsEmpty());
  auto user = std::make_shared<FakeUserProgram>(false);
  registry.AddProgram(user, list, {.iniName = "CUST"});
  EXPECT_TRUE(list.IsEmpty());  // not installed
  registry.AddProgram(user, list, {.includeAll = true, .iniName = "CUST"});
  EXPECT_EQ(Keys(list), QStringList({"CUST"}));
}

TEST(AskInstallDirectory, QuestionTextAndAnswers) {
  ScriptedUi ui;
  FakeProgram program("SPWAW", false, "mech.exe");
  ui.Folders({QString("/games/sp"), std::nullopt, QString(""), std::nullopt});
  EXPECT_EQ(AskInstallDirectory(ui, program, "/old"), "/games/sp");
  ASSERT_EQ(ui.folderQuestions.size(), 1u);
  EXPECT_EQ(ui.folderQuestions[0].caption, "Long SPWAW");
  EXPECT_EQ(ui.folderQuestions[0].question,
            "I don't know if Long SPWAW is installed. Please enter the installation directory (where "
            "\"mech.exe\" is) below.");
  EXPECT_EQ(ui.folderQuestions[0].folder, "/old");
  EXPECT_EQ(ui.folderQuestions[0].exeName, "mech.exe");

  // Cancel returns the starting value unchanged, also "-"; the field does not show "-".
  EXPECT_EQ(AskInstallDirectory(ui, program, "-"), "-");
  EXPECT_EQ(ui.folderQuestions[1].folder, "");
  // OK on an empty field: empty, not the previous folder.
  EXPECT_EQ(AskInstallDirectory(ui, program, "/old"), "");
  EXPECT_EQ(AskInstallDirectory(ui, program, "/old"), "/old");

  FakeProgram noExe("X", false, "");
  EXPECT_EQ(AskInstallDirectory(ui, noExe, "/old"), "");
  EXPECT_EQ(ui.folderQuestions.size(), 4u);  // not asked
}

// A definition file named after a section of the settings file would make every write
// of that program (a received turn's address, for one) land in that section.
TEST(Registry, DefinitionFilesNamedAfterSettingsSectionsAreRefusedWithAMessage) {
  Fixture fx;
  for (const char* name : {"E-MAIL.INI", "settings.ini", "Addresses.ini", "TEXT.INI", "history.ini",
                           "tray.ini", "cmbo.ini", "ok.ini"})
    WriteFile(fx.home.File(name), "[Settings]\r\nEXE=x.exe\r\n");
  ProgramRegistry registry = fx.Registry({{"SPWAW", true}});
  ProgramList list;
  registry.BuildProgramList(list, {.includeAll = true});
  EXPECT_EQ(Keys(list), QStringList({"SPWAW", "OK"}));
  QStringList refused;
  for (const auto& box : fx.ui.boxes) refused.append(box.text.section(" is not used", 0, 0).section('/', -1));
  refused.sort();
  EXPECT_EQ(refused, QStringList({"Addresses.ini", "E-MAIL.INI", "TEXT.INI", "cmbo.ini", "history.ini",
                                  "settings.ini", "tray.ini"}));
  EXPECT_TRUE(fx.ui.Texts().first().endsWith(
      " is a name KOLT Helper uses itself. Give the file another name to use it."));
  // Told once a run, however often the list is built.
  registry.BuildProgramList(list);
  EXPECT_EQ(fx.ui.boxes.size(), 7u);

  for (const char* name : {"E-Mail", " e-mail ", "SETTINGS", "kolt", "Se4", "Tray", "History", "Addresses"})
    EXPECT_TRUE(ProgramRegistry::IsReservedName(name)) << name;
  for (const char* name : {"EMAIL", "MAIL", "ABC", "SE5", ""})
    EXPECT_FALSE(ProgramRegistry::IsReservedName(name)) << name;
}

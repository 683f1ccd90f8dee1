#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "AdapterHome.h"
#include "Se4SaveFile.h"
#include "core/Settings.h"
#include "exchange/turns/TurnMessages.h"
#include "platform/linux/LinuxWintools.h"
#include "platform/support/PeBuilder.h"
#include "programs/SE4/SE4.h"
#include "programs/SE4/SE4_Game.h"
#include "support/NulSeparated.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString kLong = "Space Empires IV";

Se4Save Simultaneous() {
  return Se4TwoPlayers();
}
Se4Save TurnBased() {
  return Se4TwoPlayers("Turn Based");
}

struct Fixture : AdapterHome {
  QString game = home.Root() + "/games/SE4";
  QString saves = game + "/SAVEGAME";
  QDateTime t0 = QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0));

  Fixture() {
    QDir().mkpath(saves);
    WriteFile(game + "/se4.exe", "MZ");
    IniWrite("E-Mail", "From", "ann@example.org");
  }
  std::shared_ptr<SE4> Installed() { return Installed(tools); }
  std::shared_ptr<SE4> Installed(Wintools& with) {
    IniWrite("SE4", "Directory", game);
    auto p = std::make_shared<SE4>(MakeServices(with));
    EXPECT_TRUE(p->Installed(false));
    return p;
  }
  void Save(const QString& name, const Se4Save& save, const QDateTime& when) {
    const QString path = saves + "/" + name;
    ASSERT_TRUE(WriteFile(path, Se4SaveBytes(save)));
    SetModified(path, when);
  }
  std::shared_ptr<SE4_Game> Game(const std::shared_ptr<SE4>& p, const QString& name) {
    auto g = std::make_shared<SE4_Game>(ui);
    g->Init(p, p->GetSaveFolder(), name);
    EXPECT_TRUE(g->IsValid()) << name.toStdString();
    return g;
  }
};

QStringList SaveNames(const GameList& games) {
  QStringList names;
  for (const auto& g : games) names.append(std::dynamic_pointer_cast<SE4_Game>(g)->GetSaveFileName());
  return names;
}

}  // namespace

TEST(Se4Installed, TheModFolderOfPathTxt) {
  // Only the first line with ":=" that begins with the phrase, exactly as spelled.
  EXPECT_EQ(SE4::ModFolderOf("Using Mod Directory := MyMod\r\n"), "MyMod");
  EXPECT_EQ(SE4::ModFolderOf("Data := x\r\nUsing Mod Directory MyMod\r\nUsing Mod Directory:=  Big Mod \r\n"
                             "Using Mod Directory := Other\r\n"),
            "Big Mod");
  EXPECT_EQ(SE4::ModFolderOf("Using Mod Directory := None\r\nUsing Mod Directory := MyMod\r\n"), "");
  EXPECT_EQ(SE4::ModFolderOf("Using Mod Directory := \r\n"), "");
  EXPECT_EQ(SE4::ModFolderOf("using mod directory := MyMod\r\n"), "");
  EXPECT_EQ(SE4::ModFolderOf("  Using Mod Directory := MyMod\r\n"), "");
  EXPECT_EQ(SE4::ModFolderOf("Using Mod Directory := Mods\\Star Trek\\\n"), "Mods/Star Trek");

  Fixture fx;
  auto saveFolderWith = [&](const QByteArray& pathTxt) {
    WriteFile(fx.game + "/path.txt", pathTxt);
    auto p = std::make_shared<SE4>(fx.MakeServices(fx.tools));
    IniWrite("SE4", "Directory", fx.game);
    EXPECT_TRUE(p->Installed(false));
    return p->GetEMailDir();
  };
  EXPECT_EQ(saveFolderWith("Using Mod Directory := MyMod\r\n"), "SAVEGAME");  // no such folder
  QDir().mkpath(fx.game + "/mymod/savegame");                                 // found without regard to case
  EXPECT_EQ(saveFolderWith("Using Mod Directory := MyMod\r\n"), "MyMod\\SAVEGAME");
  EXPECT_EQ(saveFolderWith("Using Mod Directory := None\r\n"), "SAVEGAME");
  EXPECT_EQ(saveFolderWith("Using Mod Directory MyMod\r\n"), "SAVEGAME");
  WriteFile(fx.game + "/Plain", "a file, not a folder");
  EXPECT_EQ(saveFolderWith("Using Mod Directory := Plain\r\n"), "SAVEGAME");
  EXPECT_TRUE(fx.ui.boxes.empty());
}

// The mod's save folder is where games are listed and received, and the mail names it
// as the Windows opponent knows it.
TEST(Se4Installed, AModSaveFolderIsListedReceivedAndNamedInTheMail) {
  Fixture fx;
  WriteFile(fx.game + "/path.txt", "Using Mod Directory := Mods\\Big Mod\r\n");
  const QString modSaves = fx.game + "/mods/big mod/SaveGame";
  ASSERT_TRUE(WriteFile(modSaves + "/Nebula.gam", Se4SaveBytes(Simultaneous())));
  fx.Save("Galaxy.gam", Simultaneous(), fx.t0);  // the plain SAVEGAME is not looked at
  auto p = fx.Installed();
  EXPECT_EQ(p->GetSaveFolder(), "Mods/Big Mod/SAVEGAME");
  EXPECT_EQ(p->GetEMailDir(), "Mods\\Big Mod\\SAVEGAME");
  EXPECT_TRUE(MessageBody(SendMode::Plain, "SE4", p->GetEMailDir(), false, "", "SE4/Nebula.gam")
                  .contains("Save the attachments into Mods\\Big Mod\\SAVEGAME directory.\r\n"));
  EXPECT_TRUE(MessageBody(SendMode::Zip, "SE4", p->GetEMailDir(), false, "", "SE4/Nebula.gam")
                  .contains("extract the files into Mods\\Big Mod\\SAVEGAME directory.\r\n"));
  const GameList games = p->InitGames();
  ASSERT_EQ(SaveNames(games), QStringList({"Nebula.gam"}));
  EXPECT_EQ(std::dynamic_pointer_cast<SE4_Game>(games[0])->GetFolder(), modSaves);

  const QString in = fx.home.Root() + "/in/SE4";
  WriteFile(in + "/Galaxy.gam", "x");
  p->ReceivedFiles(in, "", false);
  ASSERT_EQ(fx.batchLog->files.size(), 1u);
  EXPECT_EQ(fx.batchLog->files[0].targetFolder, modSaves);
  EXPECT_EQ(fx.batchLog->files[0].key, "Mods/Big Mod/SAVEGAME");
}

TEST(Se4Installed, PasswordsFromTheExecutableOfTheEleventhOfAprilTwoThousandOne) {
  Fixture fx;
  SetModified(fx.game + "/se4.exe", QDateTime(QDate(2001, 4, 10), QTime(23, 59, 59)));
  auto old = fx.Installed();
  EXPECT_EQ(old->GetExeStamp(), "2001-04-10 23:59:59");
  EXPECT_FALSE(old->SupportsPasswords());
  SetModified(fx.game + "/se4.exe", QDateTime(QDate(2001, 4, 11), QTime(0, 0, 0)));
  EXPECT_TRUE(fx.Installed()->SupportsPasswords());
  // Nothing found, nothing supported.
  EXPECT_FALSE(std::make_shared<SE4>(fx.MakeServices(fx.tools))->SupportsPasswords());
}

TEST(Se4Games, AutomaticSavesNeverAndEachSeriesUnderItsNewestFile) {
  Fixture fx;
  fx.Save("AUTOSAVE.GAM", Simultaneous(), fx.t0);
  fx.Save("autosav2.gam", TurnBased(), fx.t0);
  fx.Save("Galaxy.gam", Simultaneous(), fx.t0);
  // Modified later wins whatever the numbers say.
  fx.Save("Duel_3.gam", TurnBased(), fx.t0.addSecs(60));
  fx.Save("Duel_4.gam", TurnBased(), fx.t0);
  // Equal times: the one listed later wins.
  fx.Save("Even_1.gam", TurnBased(), fx.t0);
  fx.Save("Even_2.gam", TurnBased(), fx.t0);
  // A series of one, and one that is another series because the case differs.
  fx.Save("Solo_1.gam", TurnBased(), fx.t0);
  fx.Save("solo_2.gam", TurnBased(), fx.t0.addSecs(60));
  // Not games.
  Se4Save broken = Simultaneous();
  broken.phrasePosition = 40;
  fx.Save("Broken.gam", broken, fx.t0);
  WriteFile(fx.saves + "/Galaxy_0001.plr", "orders");
  QDir().mkpath(fx.saves + "/Folder.gam");

  auto p = fx.Installed();
  const GameList games = p->InitGames();
  EXPECT_EQ(SaveNames(games),
            QStringList({"Duel_3.gam", "Even_2.gam", "Galaxy.gam", "Solo_1.gam", "solo_2.gam"}));
  EXPECT_EQ(SaveNames(p->GetGames()), SaveNames(games));
  for (const auto& g : games) EXPECT_EQ(g->GetProgram(), p);
  EXPECT_EQ(games[0]->GetName(), "Duel*.gam");
}

TEST(Se4ProcessTurn, ThreeArgumentsBeforeVersionOnePointFortyOneAndFourFrom) {
  Fixture fx;
  Se4Save save = Simultaneous();
  fx.Save("Galaxy.gam", save, fx.t0);
  fx.Save("Duel_3.gam", TurnBased(), fx.t0);
  const QString galaxy = "Z:" + fx.saves + "/Galaxy.gam";  // the stand-in's Windows form

  fx.tools.version = "1.40.0";
  auto p = fx.Installed();
  auto g = fx.Game(p, "Galaxy.gam");
  ASSERT_TRUE(p->ProcessTurn(0, *g, "se\"cret"));
  ASSERT_EQ(fx.tools.runs.size(), 1u);
  EXPECT_EQ(fx.tools.runs[0].file, fx.game + "/se4.exe");
  EXPECT_EQ(fx.tools.runs[0].parameters, "\"" + galaxy + "\" \"se\"\"cret\" \"1\"");
  EXPECT_EQ(fx.tools.runs[0].directory, fx.game);
  EXPECT_FALSE(fx.tools.runs[0].wait);
  EXPECT_FALSE(fx.tools.runs[0].showError);

  fx.tools.version = "1.49.2";
  p = fx.Installed();
  IniWrite("SE4", "Galaxy/ME", "2");
  ASSERT_TRUE(p->ProcessTurn(0, *fx.Game(p, "Galaxy.gam"), ""));
  EXPECT_EQ(fx.tools.runs[1].parameters, "\"" + galaxy + "\" \"\" \"2\" \" \"");
  // A turn-based game starts on its save file (its name is the series), as the player
  // whose turn the file is.
  ASSERT_TRUE(p->ProcessTurn(0, *fx.Game(p, "Duel_3.gam"), "pw"));
  EXPECT_EQ(fx.tools.runs[2].parameters, "\"Z:" + fx.saves + "/Duel_3.gam\" \"pw\" \"3\" \" \"");

  fx.tools.runResult = false;
  EXPECT_FALSE(p->ProcessTurn(0, *fx.Game(p, "Galaxy.gam"), ""));
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_EQ(fx.ui.beeps, 0);
}

TEST(Se4Host, AGameThatCannotStartIsNotHosted) {
  Fixture fx;
  fx.Save("Galaxy.gam", Simultaneous(), fx.t0);
  auto p = fx.Installed();
  fx.tools.runResult = false;
  EXPECT_FALSE(p->Host(0, *fx.Game(p, "Galaxy.gam")));
  ASSERT_EQ(fx.tools.runs.size(), 1u);
  EXPECT_TRUE(fx.tools.runs[0].wait);
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_EQ(fx.ui.beeps, 0);
  EXPECT_EQ(fx.ui.statuses.value(fx.ui.statuses.size() - 1), "");  // "Hosting..." is gone
}

// The game itself under the Wine command: a stand-in for Wine records the command line it
// was given and ends with a chosen exit code.
class Se4UnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(prefix + "/dosdevices");
    QDir().mkpath(game + "/SAVEGAME");
    WriteFile(prefix + "/system.reg", "WINE REGISTRY Version 2\n");  // a folder set up already
    QFile::link("../drive_c", prefix + "/dosdevices/c:");
    QFile::link("/", prefix + "/dosdevices/z:");
    ASSERT_TRUE(WriteScript(wine,
                            "#!/bin/sh\n"
                            "for last; do :; done\n"
                            "case \"$last\" in *wine32-check.exe) exit 42;; esac\n"  // a Wine that runs it
                            "dir=$(dirname \"$0\")\n"
                            "printf '%s\\0' \"$@\" > \"$dir/args\"\n"
                            "code=$(cat \"$dir/code\")\n"
                            "if [ \"$code\" = crash ]; then kill -9 $$; fi\n"
                            "exit $code\n"));
    IniWrite("Settings", "Wine", wine);
    fx.game = game;
    fx.saves = game + "/SAVEGAME";
    Se4Save save = Simultaneous();
    fx.Save("Galaxy.gam", save, fx.t0);
    IniWrite("SE4", "Galaxy/P", "player pw");
  }
  void Exe(int minor) {
    PeLayout layout;
    layout.fileVersionMS = (1u << 16) | unsigned(minor);
    layout.fileVersionLS = 0;
    ASSERT_TRUE(WriteFile(game + "/SE4.EXE", PeBuilder::Build(layout)));
  }
  // The arguments the game got behind the Wine command's own.
  QStringList GameArguments() {
    if (!QFile::exists(fx.home.Root() + "/args")) return {"(not run)"};
    return NulSeparated(ReadFile(fx.home.Root() + "/args"));
  }
  bool HostWith(const QByteArray& code, int minor) {
    Exe(minor);
    WriteFile(fx.home.Root() + "/code", code);
    QFile::remove(fx.home.Root() + "/args");
    LinuxWintools tools(fx.ui);
    auto p = fx.Installed(tools);
    return p->Host(0, *fx.Game(p, "Galaxy.gam"));
  }

  Fixture fx;
  QString prefix = fx.home.Root() + "/prefix";
  QString game = prefix + "/drive_c/Games/SE4";
  QString wine = fx.home.Root() + "/wine";
};

TEST_F(Se4UnderWine, HostHandsTheGameItsSaveFileAndHostPassword) {
  fx.ui.statuses.clear();
  ASSERT_TRUE(HostWith("0", 40));
  EXPECT_EQ(GameArguments(),
            QStringList({game + "/SE4.EXE", "C:\\Games\\SE4\\SAVEGAME\\Galaxy.gam", "player pw"}));
  EXPECT_TRUE(fx.ui.statuses.contains("Hosting..."));
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_EQ(fx.ui.beeps, 1);

  IniWrite("SE4", "Galaxy/HP", "master \"pw\"");
  ASSERT_TRUE(HostWith("0", 49));
  EXPECT_EQ(GameArguments(), QStringList({game + "/SE4.EXE", "C:\\Games\\SE4\\SAVEGAME\\Galaxy.gam",
                                          "master \"pw\"", "0", " "}));
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_EQ(fx.ui.beeps, 2);
}

TEST_F(Se4UnderWine, WhatTheGameAnswersIsToldAndTheListsAreRefreshedAllTheSame) {
  const std::pair<QByteArray, QString> cases[] = {
      {"1", "Invalid Master Password."}, {"2", "Invalid Player Password."}, {"7", "Return code 7"}};
  int beeps = 0;
  for (const auto& [code, text] : cases) {
    SCOPED_TRACE(text.toStdString());
    fx.ui.boxes.clear();
    EXPECT_TRUE(HostWith(code, 49));
    ASSERT_EQ(fx.ui.boxes.size(), 1u);
    EXPECT_EQ(fx.ui.boxes[0].text, text);
    EXPECT_EQ(fx.ui.boxes[0].title, kLong);
    EXPECT_EQ(fx.ui.boxes[0].icon, Icon::Exclamation);
    EXPECT_EQ(fx.ui.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(fx.ui.beeps, ++beeps);
  }
  // A game that crashed left no exit code: nothing to tell.
  fx.ui.boxes.clear();
  EXPECT_TRUE(HostWith("crash", 49));
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_EQ(fx.ui.beeps, beeps + 1);
}

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "AdapterHome.h"
#include "core/Settings.h"
#include "programs/SPWAW/SPWAW.h"
#include "programs/SPWAW/SPWAW_Game.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString kSaveQuestion = "Do you want to use the SAVE directory as well?";
const QString kLong = "Steel Panthers: World at War";

struct Fixture : AdapterHome {
  QString game = home.Root() + "/games/SPWAW";

  Fixture() { QDir().mkpath(game); }

  std::shared_ptr<SPWAW> Make() { return std::make_shared<SPWAW>(MakeServices()); }
  void Exe(const QString& name = "mech.exe") const { WriteFile(game + "/" + name, "MZ"); }
  // Stores the folder and the SAVE answer, then checks the installation.
  std::shared_ptr<SPWAW> Installed(bool useSave) {
    Exe();
    IniWrite("SPWAW", "Directory", game);
    IniWrite("SPWAW", "SAVE", useSave ? "1" : "0");
    auto p = Make();
    EXPECT_TRUE(p->Installed(false));
    return p;
  }
  void File(const QString& relative, const QByteArray& bytes = "x") const {
    WriteFile(game + "/" + relative, bytes);
  }
};

}  // namespace

TEST(SpwawInstalled, AFolderThatCannotBeStoredIsUsedAndReported) {
  Fixture fx;
  fx.Exe();
  fx.tools.uninstall["Steel_Panthers_World_At_War"] = fx.game + "/mech.exe";
  WriteFile(fx.home.Ini(), "[E-Mail]\r\nFrom=me@example.org\r\n");
  ClearIniCache();
  QFile::setPermissions(fx.home.Ini(), QFile::ReadOwner | QFile::ReadGroup);
  fx.ui.Answers({Answer::Ok});
  auto p = fx.Make();
  EXPECT_TRUE(p->Installed(false));
  EXPECT_EQ(p->GetDirectory(), fx.game);
  ASSERT_EQ(fx.ui.boxes.size(), 3u);  // the SAVE question between the two reports
  EXPECT_TRUE(fx.ui.boxes[0].text.startsWith("Can't write the settings file " + fx.home.Ini()));
  EXPECT_TRUE(fx.ui.boxes[2].text.startsWith("Can't write the settings file " + fx.home.Ini()));
  EXPECT_EQ(IniRead("SPWAW", "Directory"), "");
}

// The search itself is BuiltinProgram's (test_adapters); Steel Panthers adds the
// question whether its SAVE folder holds games too.
TEST(SpwawInstalled, TheSaveQuestionIsAskedOnceAndOnEveryRescan) {
  Fixture fx;
  fx.Exe();
  fx.tools.uninstall["Steel_Panthers_World_At_War"] = fx.game + "/mech.exe";
  fx.ui.Answers({Answer::Cancel});
  auto p = fx.Make();
  EXPECT_TRUE(p->Installed(false));
  ASSERT_EQ(fx.ui.boxes.size(), 1u);
  EXPECT_EQ(fx.ui.boxes[0].text, kSaveQuestion);
  EXPECT_EQ(fx.ui.boxes[0].title, kLong);
  EXPECT_EQ(fx.ui.boxes[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(IniRead("SPWAW", "SAVE"), "0");
  EXPECT_EQ(p->GetEMailDir(), "EMAIL");

  // The next start takes the answer from the settings; a rescan asks again.
  auto again = fx.Make();
  EXPECT_TRUE(again->Installed(false));
  EXPECT_EQ(fx.ui.boxes.size(), 1u);
  EXPECT_FALSE(again->UsesSaveFolder());
  fx.ui.Answers({Answer::Ok});
  EXPECT_TRUE(again->Installed(true));
  ASSERT_EQ(fx.ui.boxes.size(), 2u);
  EXPECT_EQ(fx.ui.boxes[1].text, kSaveQuestion);
  EXPECT_EQ(IniRead("SPWAW", "SAVE"), "1");
  EXPECT_TRUE(again->UsesSaveFolder());
  EXPECT_EQ(again->GetEMailDir(), "EMAIL or SAVE");
}
TEST(SpwawGames, EmailGamesThenSaveGamesWithTheirFiles) {
  Fixture fx;
  fx.File("EMAIL/email001.cmt", "One");
  fx.File("EMAIL/EMAIL001.DAT", QByteArray(100, 'd'));
  fx.File("EMAIL/email001.aux", QByteArray(20, 'a'));
  fx.File("EMAIL/email001.bak", QByteArray(1000, 'b'));  // a backup: neither counted nor sent
  fx.File("EMAIL/email002.cmt", "Two");
  fx.File("EMAIL/notes.cmt", "not a turn");
  fx.File("SAVE/SAVE0012.CMT", "quick save");  // never a game
  fx.File("SAVE/save0001.cmt", "quick save");
  fx.File("SAVE/save0020.cmt", "Twenty");
  {
    auto p = fx.Installed(false);
    const GameList games = p->InitGames();
    EXPECT_EQ(GameNames(games), QStringList({"email001.cmt", "email002.cmt"}));
    EXPECT_EQ(GameNames(p->GetGames()), GameNames(games));
    const auto& g = games[0];
    EXPECT_EQ(g->GetProgram(), p);
    EXPECT_EQ(g->GetSize(), 3 + 100 + 20);
    EXPECT_EQ(g->GetFiles(), QStringList({fx.game + "/EMAIL/EMAIL001.DAT", fx.game + "/EMAIL/email001.aux",
                                          fx.game + "/EMAIL/email001.cmt"}));
  }
  auto p = fx.Installed(true);
  const GameList games = p->InitGames();
  EXPECT_EQ(GameNames(games), QStringList({"email001.cmt", "email002.cmt", "save0020.cmt"}));
  ASSERT_EQ(p->GetGames().size(), 3u);  // kept while they are held
  EXPECT_EQ(p->GetGames().back()->GetFiles(), QStringList({fx.game + "/SAVE/save0020.cmt"}));
}

TEST(SpwawGames, DescriptionFromTheCommentFile) {
  EXPECT_EQ(SPWAW_Game::DescriptionOf(QByteArray("Scenario X\0more bytes\x01", 22)), "Scenario X");
  EXPECT_EQ(SPWAW_Game::DescriptionOf("Villers-Bocage\x01"), "Villers-Bocage");
  EXPECT_EQ(SPWAW_Game::DescriptionOf("only one\x01\x01"), "only one\x01");
  EXPECT_EQ(SPWAW_Game::DescriptionOf("Gro\xdf"
                                      "deutschland \x96 Kursk"),
            QString::fromUtf8("Großdeutschland – Kursk"));
  EXPECT_EQ(SPWAW_Game::DescriptionOf("Gro\xc3\x9f"), QString::fromUtf8("Groß"));
  EXPECT_EQ(SPWAW_Game::DescriptionOf(QByteArray("\0x", 2)), "");

  Fixture fx;
  fx.File("EMAIL/email001.cmt", QByteArray("Prokhorovka\0junk", 16));
  // A comment file that cannot be read forms no game.
  QFile::link(fx.game + "/EMAIL/nowhere", fx.game + "/EMAIL/email002.cmt");
  auto p = fx.Installed(false);
  const GameList games = p->InitGames();
  ASSERT_EQ(GameNames(games), QStringList({"email001.cmt"}));
  EXPECT_EQ(games[0]->GetDescription(), "Prokhorovka");
}

// The Space Empires IV game on real temporary folders: the save file's first line, the
// record keys, the order files of simultaneous games and what they make of the status
// and the description, the files sent, deleting, and the players dialog.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <functional>

#include "Se4SaveFile.h"
#include "core/FolderSnapshot.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "model/Status.h"
#include "programs/BuiltinProgram.h"
#include "programs/SE4/SE4_Game.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString kLong = "Space Empires IV";
const QString kMe = "me@example.org";
const QString kYou = "you@example.org";
const QString kThird = "third@example.org";

// Stands in for the program: a folder and the names the game uses.
class Se4StandIn final : public Program {
 public:
  explicit Se4StandIn(QString directory) : m_directory(std::move(directory)) {}
  QString GetShortName() const override { return "SE4"; }
  QString GetLongName() const override { return kLong; }
  QString GetEMailDir() const override { return "SAVEGAME"; }
  QString GetExeName() const override { return "se4.exe"; }
  bool Installed(bool) override { return true; }
  void NotInstalled() override {}
  QString GetDirectory() const override { return m_directory; }
  QString GetVersion() const override { return "1.49"; }
  ProgramState GetStatus() const override { return ProgramState::NotRunning; }
  bool Run(WindowHandle) override { return false; }
  GameList InitGames() override { return {}; }
  void ReceivedFiles(const QString&, const QString&, bool) override {}
  bool SupportsPasswords() const override { return true; }

 private:
  QString m_directory;
};

// Answers the players dialog through a function of the test.
class PlayersUi : public ScriptedUi {
 public:
  bool EditPlayers(PlayersEdit& edit) override {
    shown.push_back(edit);
    return answer ? answer(edit) : false;
  }
  std::function<bool(PlayersEdit&)> answer;
  std::vector<PlayersEdit> shown;
};

Se4Player P(int number, const QString& email, const QString& state = "Alive") {
  return Se4Player{number, QString("Empire %1").arg(number), QString("Leader %1").arg(number), email, state};
}

struct Fixture {
  TempHome home;
  PlayersUi ui;
  QString dir = home.Root() + "/games/SE4";
  QString folder = dir + "/SAVEGAME";
  std::shared_ptr<Se4StandIn> program = std::make_shared<Se4StandIn>(dir);
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));

  Fixture() {
    QDir().mkpath(folder);
    IniWrite("E-Mail", "From", kMe);
  }
  void Save(const QString& name, const Se4Save& save, const QDateTime& when) {
    WriteFile(folder + "/" + name, Se4SaveBytes(save));
    SetModified(folder + "/" + name, when);
  }
  void Save(const QString& name, const Se4Save& save) { Save(name, save, t0); }
  void File(const QString& name, const QDateTime& when, const QByteArray& bytes = "orders") {
    WriteFile(folder + "/" + name, bytes);
    SetModified(folder + "/" + name, when);
  }
  std::shared_ptr<SE4_Game> Game(const QString& name) {
    auto game = std::make_shared<SE4_Game>(ui);
    game->Init(program, "SAVEGAME", name);
    return game;
  }
  QStringList Left() const { return QDir(folder).entryList(QDir::Files, QDir::Name); }
  QString Stamp(const QDateTime& when) const { return FormatStamp(when); }
};

Se4Save Simultaneous(std::vector<Se4Player> players) {
  Se4Save save;
  save.players = std::move(players);
  return save;
}

Se4Save TurnBased(std::vector<Se4Player> players) {
  Se4Save save;
  save.type = "Turn Based";
  save.turn = "    7";
  save.players = std::move(players);
  return save;
}

}  // namespace

// --- The save file's first line -------------------------------------------------------

TEST(Se4GameHeader, ThePhraseMayBeginAt51To55) {
  for (int position : {51, 52, 55}) {
    Fixture fx;
    Se4Save save = Simultaneous({P(1, kMe), P(2, kYou, "Dead")});
    save.phrasePosition = position;
    save.turn = " 12 a";
    save.players[0].empire = "  The Terrans";
    fx.Save("Game.gam", save);
    const auto game = fx.Game("game.GAM");  // found without regard to case
    ASSERT_TRUE(game->IsValid()) << position;
    EXPECT_EQ(game->GetSaveFileName(), "Game.gam");
    EXPECT_EQ(game->GetName(), "Game.gam");
    EXPECT_EQ(game->GetFileBase(), "Game");
    EXPECT_FALSE(game->IsTurnBased());
    EXPECT_EQ(game->GetTurnText(), " 12 a");  // kept with its blanks
    EXPECT_EQ(game->GetFolder(), fx.folder);
    ASSERT_EQ(game->GetPlayers().size(), 2u);
    const auto& first = game->GetPlayers()[0];
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.empire, "The Terrans");
    EXPECT_EQ(first.leader, "Leader 1");
    EXPECT_EQ(first.email, kMe);
    EXPECT_EQ(first.state, "Alive");
    EXPECT_EQ(game->GetPlayers()[1].state, "Dead");
  }
}

TEST(Se4GameHeader, FilesThatFormNoGame) {
  Fixture fx;
  const Se4Save good = Simultaneous({P(1, kMe), P(2, kYou)});
  auto invalid = [&](const QString& what, const QByteArray& bytes) {
    WriteFile(fx.folder + "/Bad.gam", bytes);
    EXPECT_FALSE(fx.Game("Bad.gam")->IsValid()) << what.toStdString();
  };
  Se4Save s = good;
  s.phrasePosition = 50;  // the two-character field would begin before character 72
  invalid("phrase at 50", Se4SaveBytes(s));
  s.phrasePosition = 56;  // the phrase no longer ends within the first 72 characters
  invalid("phrase at 56", Se4SaveBytes(s));
  s = good;
  s.playerCount = 0;
  invalid("no players", Se4SaveBytes(s));
  s = good;
  s.type = "Hotseat";
  invalid("unknown type", Se4SaveBytes(s));
  s = good;
  s.twoCharField = 0;
  invalid("two-character field 0", Se4SaveBytes(s));

  // P is 0-based 23 for the phrase at 51: the count at 34, the two-character field at 71.
  QByteArray bytes = Se4SaveBytes(good);
  bytes.replace(23 + 11, 3, "ab2");
  invalid("count not a number", bytes);
  bytes = Se4SaveBytes(good);
  bytes.replace(23 + 48, 2, "x1");
  invalid("two-character field not a number", bytes);

  // A count that promises more records than the file holds: nothing read past the end.
  s = good;
  s.playerCount = 999;
  invalid("huge count", Se4SaveBytes(s));
  invalid("cut within the records", Se4SaveBytes(good).left(23 + 50 + 129 + 60));
  invalid("shorter than the phrase window", Se4SaveBytes(good).left(60));
  invalid("empty", QByteArray());
  EXPECT_FALSE(fx.Game("Missing.gam")->IsValid());
}

TEST(Se4GameHeader, ManyPlayersAreReadBeyondTheFirstBlock) {
  Fixture fx;
  std::vector<Se4Player> players;
  for (int i = 1; i <= 40; ++i) players.push_back(P(i, QString("p%1@example.org").arg(i)));
  fx.Save("Big.gam", Simultaneous(players));
  const auto game = fx.Game("Big.gam");
  ASSERT_TRUE(game->IsValid());
  ASSERT_EQ(game->GetPlayers().size(), 40u);
  EXPECT_EQ(game->GetPlayers()[39].email, "p40@example.org");
  EXPECT_EQ(game->GetPlayers()[39].state, "Alive");
}

TEST(Se4GameHeader, ABoundObjectIsBoundAgainCleanly) {
  Fixture fx;
  fx.Save("GameX_3.gam", TurnBased({P(1, kMe), P(2, kYou), P(3, kThird)}));
  fx.Save("Other.gam", Simultaneous({P(1, kMe)}));
  SE4_Game game(fx.ui);
  game.Init(fx.program, "SAVEGAME", "GameX_3.gam");
  ASSERT_TRUE(game.IsTurnBased());
  game.Init(fx.program, "SAVEGAME", "Other.gam");
  EXPECT_TRUE(game.IsValid());
  EXPECT_FALSE(game.IsTurnBased());
  EXPECT_EQ(game.GetFileBase(), "Other");
  EXPECT_EQ(game.GetPlayers().size(), 1u);
  game.Init(fx.program, "SAVEGAME", "Missing.gam");
  EXPECT_FALSE(game.IsValid());
  EXPECT_TRUE(game.GetPlayers().empty());
}

// --- Turn-based games ----------------------------------------------------------------

TEST(Se4GameTurnBased, TheSeriesNameAndThePlayerOfTheTurn) {
  Fixture fx;
  fx.Save("GameX_3.gam", TurnBased({P(1, kMe), P(2, kYou), P(3, kThird)}));
  const auto game = fx.Game("GameX_3.gam");
  ASSERT_TRUE(game->IsValid());
  EXPECT_TRUE(game->IsTurnBased());
  EXPECT_EQ(game->GetFileBase(), "GameX");
  EXPECT_EQ(game->GetRecordKey(), "GameX");
  EXPECT_EQ(game->GetName(), "GameX*.gam");
  EXPECT_EQ(game->GetEMail(), kThird);
  EXPECT_EQ(game->GetPlayerNumber(), 3);
  EXPECT_EQ(game->TurnNumberOf("GameX_12.gam"), 12);
  EXPECT_EQ(game->GetDescription(), "    7: Player 3");
  EXPECT_FALSE(game->IsHost());
  EXPECT_EQ(game->GetSize(), QFileInfo(fx.folder + "/GameX_3.gam").size());
  EXPECT_EQ(game->GetFiles(), QStringList({fx.folder + "/GameX_3.gam"}));
  EXPECT_EQ(game->GetModifiedStamp(), fx.Stamp(fx.t0));
  EXPECT_FALSE(game->GetModified().isEmpty());

  // The address goes under the series' key without a question.
  EXPECT_TRUE(game->SetEMail("other@example.org"));
  EXPECT_EQ(IniRead("SE4", "GameX"), "other@example.org");
  EXPECT_TRUE(fx.ui.boxes.empty());
}

TEST(Se4GameTurnBased, StatusFollowsTheTurnOfTheFileSent) {
  Fixture fx;
  const Se4Save save = TurnBased({P(1, kMe), P(2, kYou), P(3, kThird)});
  fx.Save("GameX_2.gam", save);
  auto sent = fx.Game("GameX_2.gam");
  EXPECT_EQ(sent->GetStatus(), status::New);
  ASSERT_TRUE(sent->SetSent());
  EXPECT_EQ(IniRead("SE4", "GameX/S"), fx.Stamp(fx.t0));
  EXPECT_EQ(IniRead("SE4", "GameX/SN"), "GameX_2.gam");
  EXPECT_EQ(sent->GetStatus(), status::Wait);

  // The opponent's next turn came in without a receipt on record: numbers differ.
  fx.Save("GameX_3.gam", save, fx.t0.addSecs(60));
  EXPECT_EQ(fx.Game("GameX_3.gam")->GetStatus(), status::Play);

  // The file sent was played again after sending.
  SetModified(fx.folder + "/GameX_2.gam", fx.t0.addSecs(120));
  EXPECT_EQ(fx.Game("GameX_2.gam")->GetStatus(), status::Send);

  // Without the name sent, the rule alone stands.
  IniWrite("SE4", "GameX/SN", "");
  EXPECT_EQ(fx.Game("GameX_3.gam")->GetStatus(), status::PlaySend);

  // A receipt: DecideStatus as every game.
  IniWrite("SE4", "GameX/R", fx.Stamp(fx.t0.addSecs(60)));
  EXPECT_EQ(fx.Game("GameX_3.gam")->GetStatus(), status::Play);
}

// --- Simultaneous games: addresses and host/client mode ------------------------------

TEST(Se4GameAddresses, AHostSendsToTheAliveHumanPlayers) {
  Fixture fx;
  IniWrite("SE4", "Game/AI", "4, 2x");
  fx.Save("Game.gam", Simultaneous({P(1, kMe), P(2, kYou), P(3, "dead@example.org", "Dead"),
                                    P(4, "ai@example.org"), P(5, ""), P(6, kThird)}));
  const auto game = fx.Game("Game.gam");
  ASSERT_TRUE(game->IsValid());
  EXPECT_TRUE(game->IsHost());
  std::vector<bool> ai;
  for (const auto& p : game->GetPlayers()) ai.push_back(p.ai);
  EXPECT_EQ(ai, std::vector<bool>({false, true, false, true, false, false}));  // "2x" is 2
  EXPECT_EQ(game->GetEMail(), kMe + ";" + kThird);

  // The list given back changes nothing, and asks nothing.
  IniWrite("SE4", "Game/S", fx.Stamp(fx.t0));
  EXPECT_TRUE(game->SetEMail(game->GetEMail()));
  EXPECT_EQ(IniRead("SE4", "Game"), "");
  EXPECT_TRUE(fx.ui.boxes.empty());
}

TEST(Se4GameAddresses, ChangingBetweenHostAndClientAsks) {
  Fixture fx;
  fx.Save("Game.gam", Simultaneous({P(1, kMe), P(2, kYou)}));
  auto game = fx.Game("Game.gam");

  // Not sent yet: the host address is taken at once.
  EXPECT_TRUE(game->SetEMail("host@example.org"));
  EXPECT_EQ(IniRead("SE4", "Game"), "host@example.org");
  EXPECT_FALSE(game->IsHost());
  EXPECT_EQ(game->GetEMail(), "host@example.org");
  EXPECT_TRUE(fx.ui.boxes.empty());
  // A client takes another host address at once, too.
  EXPECT_TRUE(game->SetEMail("host2@example.org"));
  EXPECT_EQ(IniRead("SE4", "Game"), "host2@example.org");

  // Back to hosting: asked; Cancel keeps the client game, OK hosts it.
  fx.ui.Answers({Answer::Cancel, Answer::Ok});
  EXPECT_TRUE(game->SetEMail(""));
  EXPECT_EQ(IniRead("SE4", "Game"), "host2@example.org");
  EXPECT_TRUE(game->SetEMail(""));
  EXPECT_TRUE(game->IsHost());
  ASSERT_EQ(fx.ui.boxes.size(), 2u);
  EXPECT_EQ(fx.ui.boxes[0].text, "Game.gam: Change from client to host mode?");
  EXPECT_EQ(fx.ui.boxes[0].title, kLong);
  EXPECT_EQ(fx.ui.boxes[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(fx.ui.boxes[0].icon, Icon::Question);

  // A hosted game that was sent: asked before it becomes a client game.
  game->SetSent();
  fx.ui.Answers({Answer::Cancel, Answer::Ok});
  EXPECT_TRUE(game->SetEMail("host@example.org"));
  EXPECT_TRUE(game->IsHost());
  EXPECT_TRUE(game->SetEMail("host@example.org"));
  EXPECT_EQ(IniRead("SE4", "Game"), "host@example.org");
  ASSERT_EQ(fx.ui.boxes.size(), 4u);
  EXPECT_EQ(fx.ui.boxes[2].text, "Game.gam: Change from host to client mode?");
  EXPECT_EQ(fx.ui.boxes[2].title, kLong);
  EXPECT_EQ(fx.ui.boxes[2].icon, Icon::Question);

  // SetEMail2 never asks.
  EXPECT_TRUE(game->SetEMail2(""));
  EXPECT_TRUE(game->IsHost());
  EXPECT_EQ(fx.ui.boxes.size(), 4u);
}

TEST(Se4GameAddresses, PlayerNumberFromTheStoredChoiceOrTheOwnAddress) {
  Fixture fx;
  fx.Save("Game.gam", Simultaneous({P(1, kYou), P(7, "ME@Example.ORG"), P(3, "")}));
  EXPECT_EQ(fx.Game("Game.gam")->GetPlayerNumber(), 7);  // the number field, case ignored
  IniWrite("SE4", "Game/ME", "3");
  EXPECT_EQ(fx.Game("Game.gam")->GetPlayerNumber(), 3);
  IniWrite("SE4", "Game/ME", "0");
  IniWrite("E-Mail", "From", "nobody@example.org");
  EXPECT_EQ(fx.Game("Game.gam")->GetPlayerNumber(), 0);
  // Without an own address the player without one is not the user.
  IniWrite("E-Mail", "From", "");
  EXPECT_EQ(fx.Game("Game.gam")->GetPlayerNumber(), 0);
}

TEST(Se4GameAddresses, PasswordsAndTheHostPassword) {
  Fixture fx;
  fx.Save("Game.gam", Simultaneous({P(1, kMe)}));
  auto game = fx.Game("Game.gam");
  game->SetPassword("secret");
  EXPECT_EQ(game->GetHostPassword(), "secret");
  game->SetHostPassword("master");
  EXPECT_EQ(game->GetHostPassword(), "master");
  EXPECT_EQ(IniRead("SE4", "Game/HP"), "master");
  game->SetHostPassword("");
  EXPECT_EQ(game->GetHostPassword(), "secret");
}

// --- Simultaneous games: status and description --------------------------------------

TEST(Se4GameHostStatus, EveryRowOfTheHostTable) {
  Fixture fx;
  fx.Save("GameX.gam", Simultaneous({P(1, kMe), P(2, kYou)}));
  auto status = [&] { return fx.Game("GameX.gam")->GetStatus(); };
  auto description = [&] { return fx.Game("GameX.gam")->GetDescription(); };

  // No order file and nothing sent.
  EXPECT_EQ(status(), status::Unknown);
  // Nothing ready, the save file changed since sending.
  IniWrite("SE4", "GameX/S", fx.Stamp(fx.t0.addSecs(-60)));
  EXPECT_EQ(status(), status::Send);
  // Sent as it is: the user still has to play.
  IniWrite("SE4", "GameX/S", fx.Stamp(fx.t0));
  EXPECT_EQ(status(), status::Play);
  EXPECT_EQ(description(), "   12: Wait2:1/" + kMe + ",2/" + kYou);

  // Only the opponent's orders are in: the user plays.
  fx.File("GameX_0002.plr", fx.t0.addSecs(60));
  EXPECT_EQ(status(), status::Play);
  EXPECT_EQ(description(), "   12: Wait1:1/" + kMe + " Ready1:2/" + kYou);

  // Everybody's orders are in and newer than the save file: host.
  fx.File("GameX_0001.plr", fx.t0.addSecs(30));
  EXPECT_EQ(status(), status::Host);
  EXPECT_EQ(description(), "   12: Ready2:1/" + kMe + ",2/" + kYou);
  const auto analysed = fx.Game("GameX.gam");
  EXPECT_TRUE(analysed->GetPlayers()[0].playerFileStamp.IsEmpty());  // known after the analysis
  analysed->GetStatus();
  EXPECT_EQ(analysed->GetPlayers()[0].playerFileStamp.Text(), fx.Stamp(fx.t0.addSecs(30)));

  // One order file is older than the save file.
  SetModified(fx.folder + "/GameX_0001.plr", fx.t0.addSecs(-30));
  EXPECT_EQ(status(), status::WaitHost);
  EXPECT_EQ(description(), "   12: Ready1:2/" + kYou + " Old1:1/" + kMe);
}

TEST(Se4GameHostStatus, DeadUserWaitingHostAndTheCommonTail) {
  Fixture fx;
  IniWrite("SE4", "GameX/S", fx.Stamp(fx.t0));
  IniWrite("SE4", "GameX/AI", "4");
  fx.Save("GameX.gam", Simultaneous({P(1, kMe, "Dead"), P(2, kYou), P(3, kThird), P(4, "ai@example.org"),
                                     P(5, "gone@example.org", "Dead"), P(6, "late@example.org", "Dead")}));
  fx.File("GameX_0002.plr", fx.t0.addSecs(60));
  fx.File("GameX_0006.plr", fx.t0.addSecs(60));   // a dead player with a file
  fx.File("GameX_0009.plr", fx.t0.addSecs(60));   // names no player
  fx.File("GameX2_0003.plr", fx.t0.addSecs(60));  // another game's orders
  const auto game = fx.Game("GameX.gam");
  EXPECT_EQ(game->GetStatus(), status::Dead);
  EXPECT_EQ(game->GetDescription(),
            "   12: Wait1:3/" + kThird + " Ready1:2/" + kYou +
                " AI1:4/ai@example.org Dead2:6/late@example.org,5/gone@example.org ?1:9");

  // The user alive and in: the host waits for player 3.
  fx.Save("GameX.gam", Simultaneous({P(1, kMe), P(2, kYou), P(3, kThird)}));
  fx.File("GameX_0001.plr", fx.t0.addSecs(60));
  EXPECT_EQ(fx.Game("GameX.gam")->GetStatus(), status::Wait);
}

TEST(Se4GameHostStatus, TheStoredChoiceMakesAnyPlayerTheUser) {
  Fixture fx;
  IniWrite("SE4", "GameX/S", fx.Stamp(fx.t0));
  fx.Save("GameX.gam", Simultaneous({P(1, kMe), P(2, kYou), P(3, kThird)}));
  fx.File("GameX_0001.plr", fx.t0.addSecs(60));
  fx.File("GameX_0002.plr", fx.t0.addSecs(60));
  fx.File("GameX_0003.plr", fx.t0.addSecs(-60));  // old
  EXPECT_EQ(fx.Game("GameX.gam")->GetStatus(), status::WaitHost);
  SetModified(fx.folder + "/GameX_0002.plr", fx.t0.addSecs(-60));
  SetModified(fx.folder + "/GameX_0003.plr", fx.t0.addSecs(60));
  QFile::remove(fx.folder + "/GameX_0001.plr");
  // Player 1 (the user by address) waits: the user plays.
  EXPECT_EQ(fx.Game("GameX.gam")->GetStatus(), status::Play);
  // Player 3 is the user: his orders are in, so the host waits.
  IniWrite("SE4", "GameX/ME", "3");
  EXPECT_EQ(fx.Game("GameX.gam")->GetStatus(), status::Wait);
  // Player 2, whose file is old, is the user: he still has to play.
  IniWrite("SE4", "GameX/ME", "2");
  EXPECT_EQ(fx.Game("GameX.gam")->GetStatus(), status::Play);
}

TEST(Se4GameClientStatus, EveryRowOfTheClientTable) {
  Fixture fx;
  IniWrite("SE4", "GameX", "host@example.org");
  fx.Save("GameX.gam", Simultaneous({P(1, kMe), P(2, kYou)}));
  auto game = [&] { return fx.Game("GameX.gam"); };

  // Just received: nothing ready, nobody dead.
  EXPECT_EQ(game()->GetStatus(), status::Play);
  EXPECT_EQ(game()->GetDescription(), "   12: Play");
  // The user's orders are written.
  fx.File("GameX_0001.plr", fx.t0.addSecs(60));
  EXPECT_EQ(game()->GetStatus(), status::Send);
  EXPECT_EQ(game()->GetDescription(), "   12: Send:1/" + kMe);
  // Sent: the save file has not changed since.
  ASSERT_TRUE(game()->SetSent());
  EXPECT_EQ(game()->GetStatus(), status::Wait);
  // The save file changed since sending, with the orders still newer.
  IniWrite("SE4", "GameX/S", fx.Stamp(fx.t0.addSecs(-60)));
  EXPECT_EQ(game()->GetStatus(), status::Send);

  // Nothing ready and a dead player.
  QFile::remove(fx.folder + "/GameX_0001.plr");
  fx.Save("GameX.gam", Simultaneous({P(1, kMe), P(2, kYou, "Dead")}));
  EXPECT_EQ(game()->GetStatus(), status::Unknown);
  EXPECT_EQ(game()->GetDescription(), "   12: Play Dead1:2/" + kYou);
}

TEST(Se4GameClientStatus, DescriptionsOfAClientThatIsNotPlaying) {
  Fixture fx;
  IniWrite("SE4", "GameX", "host@example.org");
  // The user is out of the game.
  fx.Save("GameX.gam", Simultaneous({P(1, kMe, "Dead"), P(2, kYou)}));
  EXPECT_EQ(fx.Game("GameX.gam")->GetDescription(), "   12: Dead");
  // The user is not among the players: others still have to play.
  IniWrite("E-Mail", "From", "outsider@example.org");
  fx.Save("GameX.gam", Simultaneous({P(1, kMe), P(2, kYou)}));
  fx.File("GameX_0002.plr", fx.t0.addSecs(-60));
  EXPECT_EQ(fx.Game("GameX.gam")->GetDescription(), "   12: Play Old1:2/" + kYou);
  // Nothing to say at all.
  fx.Save("GameX.gam", Simultaneous({P(1, "")}));
  QFile::remove(fx.folder + "/GameX_0002.plr");
  EXPECT_EQ(fx.Game("GameX.gam")->GetDescription(), "   12: ");
}

// --- Sizes, files to send, deleting ---------------------------------------------------

TEST(Se4GameFiles, AClientSendsItsOrdersAndWarnsOfMore) {
  Fixture fx;
  IniWrite("SE4", "Game", "host@example.org");
  fx.Save("Game.gam", Simultaneous({P(1, kMe), P(2, kYou)}));
  auto game = fx.Game("Game.gam");
  EXPECT_TRUE(game->GetFiles().isEmpty());
  EXPECT_EQ(game->GetSize(), 0);

  fx.File("Game_0001.plr", fx.t0, "1234");
  fx.File("Game.SUB", fx.t0, "1");
  const QString f = fx.folder + "/";
  EXPECT_EQ(game->GetFiles(), QStringList({f + "Game_0001.plr", f + "Game.SUB"}));
  EXPECT_EQ(game->GetSize(), 4);
  EXPECT_TRUE(fx.ui.boxes.empty());

  fx.File("Game_0002.PLR", fx.t0, "12");
  EXPECT_EQ(game->GetFiles(), QStringList({f + "Game_0001.plr", f + "Game.SUB"}));
  ASSERT_EQ(fx.ui.boxes.size(), 1u);
  EXPECT_EQ(fx.ui.boxes[0].text,
            "Client mode (the server e-mail address defined), but still many .plr files! Delete unnecessary "
            "files. The first file (" +
                f + "Game_0001.plr) used.");
  EXPECT_EQ(fx.ui.boxes[0].title, kLong);
}

TEST(Se4GameFiles, DeletingATurnBasedGameTakesTheSeries) {
  Fixture fx;
  const Se4Save save = TurnBased({P(1, kMe), P(2, kYou)});
  fx.Save("GameX_1.gam", save);
  fx.Save("GameX_2.gam", save, fx.t0.addSecs(60));
  fx.File("GameXY_1.gam", fx.t0);
  // A simultaneous game whose name begins with the series' name is another game.
  fx.Save("GameX_Big.gam", Simultaneous({P(1, kMe), P(2, kYou)}));
  fx.File("GameX_Big_0002.plr", fx.t0);
  fx.Game("GameX_2.gam")->Delete();
  EXPECT_EQ(fx.Left(), QStringList({"GameXY_1.gam", "GameX_Big.gam", "GameX_Big_0002.plr"}));
}

// A host sends the save file and the turn results, never the orders or another game's
// files; deleting takes the game's files and record and leaves every other game's.
TEST(Se4GameFiles, GamesWhoseNamesBeginTheSameWayKeepTheirFilesApart) {
  EXPECT_TRUE(SE4_Game::IsFileOfGame("B", "b.GAM"));
  EXPECT_TRUE(SE4_Game::IsFileOfGame("B", "B_0002.plr"));
  EXPECT_TRUE(SE4_Game::IsFileOfGame("B_Big", "b_big_3.gam"));
  for (const QString other : {"B_Big.gam", "B_Big_0002.plr", "B2.gam", "B_.gam", "B_2x.plr", "B.v2.gam", "B",
                              "B.", "B_0002", "A.gam"})
    EXPECT_FALSE(SE4_Game::IsFileOfGame("B", other)) << other.toStdString();

  Fixture fx;
  const Se4Save save = Simultaneous({P(1, kMe), P(2, kYou)});
  fx.Save("B.gam", save);
  fx.File("B_0002.plr", fx.t0.addSecs(60), "22");
  fx.File("B.txt", fx.t0, "333");
  fx.File("b.SUB", fx.t0, "4444");
  fx.File("B.trn", fx.t0, "1");
  fx.File("B_0001.CMB", fx.t0, "12");
  fx.File("B.emp", fx.t0, "1");
  fx.File("Br.txt", fx.t0);
  for (const QString other : {"B_Big", "B2", "B.v2"}) {
    fx.Save(other + ".gam", save);
    fx.File(other + "_0001.plr", fx.t0.addSecs(60), "55555");
  }
  const QString f = fx.folder + "/";
  const auto host = fx.Game("B.gam");
  EXPECT_EQ(host->GetSize(), QFileInfo(f + "B.gam").size() + 2 + 3 + 4 + 1 + 2 + 1);
  EXPECT_EQ(host->GetFiles(),
            QStringList({f + "B.gam", f + "B.trn", f + "B.txt", f + "B_0001.CMB", f + "b.SUB"}));
  // Only the own order file counts: player 2 is in, the user still has to play, and no
  // other game's orders show as files naming nobody.
  EXPECT_EQ(host->GetStatus(), status::Play);
  EXPECT_EQ(host->GetDescription(), "   12: Wait1:1/" + kMe + " Ready1:2/" + kYou);

  const auto big = fx.Game("B_Big.gam");
  EXPECT_EQ(big->GetSize(), QFileInfo(f + "B_Big.gam").size() + 5);
  EXPECT_EQ(big->GetFiles(), QStringList({f + "B_Big.gam"}));

  IniWrite("SE4", "B", "host@example.org");  // B as a client sends its own orders only
  EXPECT_EQ(fx.Game("B.gam")->GetFiles(), QStringList({f + "B_0002.plr", f + "b.SUB"}));
  EXPECT_EQ(fx.Game("B.gam")->GetSize(), 2);
  EXPECT_TRUE(fx.ui.boxes.empty());

  for (const QString suffix : {"", "/R", "/S", "/P", "/HP", "/SN", "/ME", "/AI", "/M"})
    IniWrite("SE4", "B" + suffix, "value");
  fx.Game("B.gam")->Delete();
  EXPECT_EQ(fx.Left(), QStringList({"B.v2.gam", "B.v2_0001.plr", "B2.gam", "B2_0001.plr", "B_Big.gam",
                                    "B_Big_0001.plr", "Br.txt"}));
  for (const QString suffix : {"", "/R", "/S", "/P", "/HP", "/SN", "/ME", "/AI"})
    EXPECT_EQ(IniRead("SE4", "B" + suffix, "none"), "") << suffix.toStdString();
  EXPECT_EQ(IniRead("SE4", "B/M"), "value");
}
TEST(Se4GameFiles, OnePassListsTheSaveFolderOnce) {
  Fixture fx;
  for (int i = 0; i < 5; ++i) {
    fx.Save(QString("Game%1.gam").arg(i), Simultaneous({P(1, kMe), P(2, kYou)}));
    fx.File(QString("Game%1_0002.plr").arg(i), fx.t0.addSecs(60));
  }
  Pass pass;
  const long long before = FolderListingCount();
  for (int i = 0; i < 5; ++i) {
    const auto game = fx.Game(QString("Game%1.gam").arg(i));
    ASSERT_TRUE(game->IsValid());
    game->GetStatus();
    game->GetDescription();
    game->GetSize();
    game->GetFiles();
    game->GetModified();
  }
  EXPECT_LE(FolderListingCount() - before, 2);  // the installation folder and its save folder

  // What the program deletes during the pass is gone for a game that looked before.
  const auto game = fx.Game("Game0.gam");
  EXPECT_EQ(game->GetStatus(), status::Play);
  ASSERT_TRUE(DeleteGameFile(fx.ui, fx.folder + "/Game0_0002.plr"));
  EXPECT_EQ(game->GetStatus(), status::Unknown);
  EXPECT_EQ(game->GetSize(), QFileInfo(fx.folder + "/Game0.gam").size());
}

// --- The players dialog ---------------------------------------------------------------

TEST(Se4GamePlayers, TheListShowsTheUserAndTheComputerPlayers) {
  Fixture fx;
  IniWrite("SE4", "Game/AI", "2,4");
  fx.Save("Game.gam", Simultaneous({P(1, "Me@Example.org"), P(2, kYou), P(3, ""), P(4, kThird), P(5, kMe)}));
  PlayersEdit edit;
  edit.rows.resize(9);  // whatever was there goes
  fx.Game("Game.gam")->FillMore(edit);
  ASSERT_EQ(edit.rows.size(), 5u);
  std::vector<bool> ai, me, own;
  for (const PlayerRow& row : edit.rows) {
    ai.push_back(row.ai);
    me.push_back(row.me);
    own.push_back(row.ownAddress);
  }
  EXPECT_EQ(ai, std::vector<bool>({false, true, true, true, false}));
  EXPECT_EQ(me, std::vector<bool>({true, false, false, false, true}));  // by the address at each position
  EXPECT_EQ(own, std::vector<bool>({true, false, false, false, true}));
  EXPECT_EQ(edit.rows[1].empire, "Empire 2");
  EXPECT_EQ(edit.rows[1].leader, "Leader 2");
  EXPECT_EQ(edit.rows[1].email, kYou);
  EXPECT_EQ(edit.rows[1].state, "Alive");

  IniWrite("SE4", "Game/ME", "4");
  fx.Game("Game.gam")->FillMore(edit);
  EXPECT_TRUE(edit.rows[3].me);
  EXPECT_FALSE(edit.rows[0].me);
}

TEST(Se4GamePlayers, CloseStoresTheChoicesAndCancelStoresNothing) {
  Fixture fx;
  fx.Save("Game.gam", Simultaneous({P(1, kMe), P(2, kYou), P(3, "")}));
  auto game = fx.Game("Game.gam");
  game->SetPassword("secret");
  IniWrite("SE4", "Game/ME", "1");

  // Cancel.
  game->ShowMore();
  ASSERT_EQ(fx.ui.shown.size(), 1u);
  EXPECT_EQ(fx.ui.shown[0].caption, "Game.gam - " + kLong);
  EXPECT_EQ(fx.ui.shown[0].hostPassword, "secret");
  EXPECT_EQ(fx.ui.shown[0].rows.size(), 3u);
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_EQ(IniRead("SE4", "Game/AI", "none"), "none");

  // Closed without marking anybody: "/ME" keeps its value, the player without an address
  // becomes computer-controlled.
  fx.ui.answer = [](PlayersEdit& edit) {
    for (PlayerRow& row : edit.rows) row.me = false;
    edit.rows[1].ai = true;
    edit.hostPassword = "";
    return true;
  };
  game->ShowMore();
  EXPECT_EQ(IniRead("SE4", "Game/ME"), "1");
  EXPECT_EQ(IniRead("SE4", "Game/AI"), "2,3");
  EXPECT_EQ(IniRead("SE4", "Game/HP", "none"), "");
  ASSERT_EQ(fx.ui.boxes.size(), 1u);
  EXPECT_EQ(fx.ui.boxes[0].text,
            "You have to press Refresh F5 in the main window in order to see the changes.");
  EXPECT_EQ(fx.ui.boxes[0].title, kLong);
  EXPECT_EQ(fx.ui.boxes[0].icon, Icon::Information);

  fx.ui.answer = [](PlayersEdit& edit) {
    edit.rows[0].me = false;
    edit.rows[2].me = true;
    for (PlayerRow& row : edit.rows) row.ai = false;
    edit.hostPassword = "master";
    return true;
  };
  game->ShowMore();
  EXPECT_EQ(IniRead("SE4", "Game/ME"), "3");
  EXPECT_EQ(IniRead("SE4", "Game/AI", "none"), "");
  EXPECT_EQ(game->GetHostPassword(), "master");
  // The next refresh reads the new choices.
  EXPECT_FALSE(fx.Game("Game.gam")->GetPlayers()[1].ai);
}

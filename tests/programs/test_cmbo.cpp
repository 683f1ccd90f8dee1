// The Combat Mission adapter on real temporary folders: numbered series, backups of older
// turns, records kept per series, deleting, receiving.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <unistd.h>

#include "AdapterHome.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "model/GameWindows.h"
#include "model/Status.h"
#include "programs/CMBO/CMBO.h"
#include "programs/CMBO/CMBO_Game.h"

using namespace kolt;
using namespace kolt::test;

namespace {

struct Fixture : AdapterHome {
  QString game = home.Root() + "/games/CM";
  QString kolt = game + "/KOLT";
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));

  Fixture() { QDir().mkpath(kolt); }

  std::shared_ptr<CMBO> Installed() {
    WriteFile(game + "/Combat Mission.exe", "MZ");
    IniWrite("CMBO", "Directory", game);
    auto p = std::make_shared<CMBO>(MakeServices());
    EXPECT_TRUE(p->Installed(false));
    return p;
  }
  void Turn(const QString& name, const QDateTime& when, const QByteArray& bytes = "turn") {
    const QString path = kolt + "/" + name;
    WriteFile(path, bytes);
    SetModified(path, when);
  }
  QStringList Left(const QString& folder = QString()) const {
    return QDir(folder.isEmpty() ? kolt : folder).entryList(QDir::Files, QDir::Name);
  }
};

std::shared_ptr<CMBO_Game> Only(const GameList& games) {
  EXPECT_EQ(games.size(), 1u);
  return games.empty() ? nullptr : std::dynamic_pointer_cast<CMBO_Game>(games.front());
}

}  // namespace

TEST(CmboNames, ThreeDigitsAfterANonDigitMakeATurnOfASeries) {
  EXPECT_TRUE(CMBO_Game::IsNumberedStem("Game-003"));
  EXPECT_TRUE(CMBO_Game::IsNumberedStem("x999"));
  EXPECT_FALSE(CMBO_Game::IsNumberedStem("001"));  // no non-digit before the digits
  EXPECT_FALSE(CMBO_Game::IsNumberedStem("Game_01"));
  EXPECT_FALSE(CMBO_Game::IsNumberedStem("Game"));
}

TEST(CmboGames, ASeriesIsOneGameUnderItsNewestTurnAndOlderTurnsMoveAside) {
  Fixture fx;
  auto p = fx.Installed();
  fx.Turn("Game_001.txt", fx.t0, "first turn");
  fx.Turn("Game_002.txt", fx.t0.addSecs(60), "second turn!");
  fx.Turn("single.txt", fx.t0);
  fx.Turn("001.txt", fx.t0);
  fx.Turn("Game_1001.txt", fx.t0);
  const GameList games = p->InitGames();
  QStringList names, descriptions;
  for (const GamePtr& g : games) {
    names.append(g->GetName());
    descriptions.append(g->GetDescription());
  }
  EXPECT_EQ(names, QStringList({"001.txt", "Game_###.txt", "Game_1001.txt", "single.txt"}));
  EXPECT_EQ(descriptions, QStringList({"", "002", "", ""}));
  auto series = std::dynamic_pointer_cast<CMBO_Game>(games[1]);
  EXPECT_EQ(series->GetName2(), "Game_002.txt");
  EXPECT_EQ(series->GetFileBase(), "Game_");
  EXPECT_EQ(series->GetNumber(), "002");
  EXPECT_EQ(series->GetSize(), 12);
  EXPECT_EQ(series->GetFiles(), QStringList({fx.kolt + "/Game_002.txt"}));
  EXPECT_EQ(fx.Left(fx.kolt + "/Game"), QStringList({"Game_001.txt"}));
  EXPECT_EQ(ReadFile(fx.kolt + "/Game/Game_001.txt"), "first turn");

  // A turn of the series changed later than the newest one is named in the description.
  fx.Turn("Game_003.txt", fx.t0.addSecs(120));
  fx.Turn("Game_004.txt", fx.t0.addSecs(60));
  QStringList shown;
  for (const GamePtr& g : p->InitGames()) shown.append(g->GetDescription());
  EXPECT_EQ(shown, QStringList({"", "004 (latest 003)", "", ""}));
}

TEST(CmboGames, ATurnFileThatCannotBeReadIsReportedAndNotListed) {
  Fixture fx;
  auto p = fx.Installed();
  fx.Turn("single.txt", fx.t0);
  QDir().mkpath(fx.kolt + "/Folder.txt");
  QStringList unreadable{fx.kolt + "/Folder.txt"};
  // Root reads a file without permissions all the same.
  if (::geteuid() != 0) {
    fx.Turn("Locked_002.txt", fx.t0);
    ASSERT_TRUE(QFile::setPermissions(fx.kolt + "/Locked_002.txt", QFileDevice::Permissions()));
    unreadable.append(fx.kolt + "/Locked_002.txt");
  }
  const auto game = Only(p->InitGames());
  EXPECT_EQ(game->GetName(), "single.txt");
  ASSERT_EQ(fx.ui.boxes.size(), static_cast<std::size_t>(unreadable.size()))
      << fx.ui.Texts().join("|").toStdString();
  for (qsizetype i = 0; i < unreadable.size(); ++i) {
    EXPECT_TRUE(fx.ui.boxes[i].text.startsWith("Can't get file: " + unreadable[i] + "\r"))
        << fx.ui.boxes[i].text.toStdString();
  }
  EXPECT_TRUE(fx.ui.boxes[0].text.contains("Is a directory")) << fx.ui.boxes[0].text.toStdString();
}

// The backup folder is the series' name without its trailing marks, unless a folder
// with them exists; a turn already there is never replaced.
TEST(CmboGames, TheBackupFolderKeepsWhatItHoldsAndDropsTrailingMarks) {
  Fixture fx;
  auto p = fx.Installed();
  fx.Turn("Game-001.txt", fx.t0, "new copy");
  fx.Turn("Game-002.txt", fx.t0.addSecs(60));
  WriteFile(fx.kolt + "/Game/Game-001.txt", "kept before");
  EXPECT_EQ(Only(p->InitGames())->GetName2(), "Game-002.txt");
  EXPECT_EQ(fx.Left(), QStringList({"Game-001.txt", "Game-002.txt"}));
  EXPECT_EQ(ReadFile(fx.kolt + "/Game/Game-001.txt"), "kept before");

  QDir().mkpath(fx.kolt + "/War-");
  fx.Turn("War-001.txt", fx.t0);
  fx.Turn("War-002.txt", fx.t0.addSecs(60));
  p->InitGames();
  EXPECT_EQ(fx.Left(fx.kolt + "/War-"), QStringList({"War-001.txt"}));
  EXPECT_FALSE(QFileInfo::exists(fx.kolt + "/War"));
}
TEST(CmboGames, ASeriesKeepsItsRecordFromTurnToTurn) {
  Fixture fx;
  auto p = fx.Installed();
  fx.Turn("Game_001.txt", fx.t0);
  auto first = Only(p->InitGames());
  ASSERT_TRUE(first->SetEMail("ivan@example.org"));
  ASSERT_TRUE(first->SetPassword("secret"));
  ASSERT_TRUE(first->SetSent());
  EXPECT_EQ(IniRead("CMBO", "Game_"), "ivan@example.org");
  EXPECT_EQ(first->GetStatus(), status::Wait);

  fx.Turn("Game_002.txt", fx.t0.addSecs(600));
  auto second = Only(p->InitGames());
  EXPECT_EQ(second->GetEMail(), "ivan@example.org");
  EXPECT_EQ(second->GetPassword(), "secret");
  EXPECT_EQ(second->GetStatus(), status::PlaySend);  // newer than what was sent
}

TEST(CmboGames, DeletingMovesTheTurnAsideOrRemovesTheWholeSeries) {
  Fixture fx;
  auto p = fx.Installed();
  fx.Turn("single.txt", fx.t0);
  fx.Turn("Game_002.txt", fx.t0);
  IniWrite("CMBO", "Game_", "ivan@example.org");
  IniWrite("CMBO", "Game_/M", "ZIP");
  GameList games = p->InitGames();
  ASSERT_EQ(games.size(), 2u);
  games[1]->Delete();  // single.txt
  games[0]->Delete();  // the series: its turn goes to the backup folder
  EXPECT_EQ(fx.Left(), QStringList());
  EXPECT_EQ(fx.Left(fx.kolt + "/Game"), QStringList({"Game_002.txt"}));
  EXPECT_EQ(IniRead("CMBO", "Game_"), "");
  EXPECT_EQ(IniRead("CMBO", "Game_/M"), "ZIP");  // the mode stays

  // With the turn already in the backup folder, every turn of the series is deleted.
  fx.Turn("Game_002.txt", fx.t0);
  fx.Turn("Game_1001.txt", fx.t0);
  fx.Turn("Game_abc.txt", fx.t0);
  games = p->InitGames();
  ASSERT_EQ(games.size(), 3u);
  games[0]->Delete();
  EXPECT_EQ(fx.Left(), QStringList({"Game_1001.txt", "Game_abc.txt"}));
  EXPECT_TRUE(fx.ui.boxes.empty());
}

TEST(CmboGames, AListingInAPassShowsWhatItMovedItself) {
  Fixture fx;
  auto p = fx.Installed();
  fx.Turn("Game_001.txt", fx.t0);
  fx.Turn("Game_002.txt", fx.t0.addSecs(60));
  Pass pass;
  EXPECT_EQ(Only(p->InitGames())->GetName2(), "Game_002.txt");
  EXPECT_EQ(Only(p->InitGames())->GetDescription(), "002");
  fx.Turn("Game_003.txt", fx.t0.addSecs(120));
  NoteChanged(fx.kolt + "/Game_003.txt");
  EXPECT_EQ(Only(p->InitGames())->GetName2(), "Game_003.txt");
  EXPECT_EQ(fx.Left(fx.kolt + "/Game"), QStringList({"Game_001.txt", "Game_002.txt"}));
}

namespace {

// The game's windows as the adapter sees them: a game window that appears once the game
// is started, and a file-open window after the two clicks the window's size calls for.
class FakeWindows final : public GameWindows {
 public:
  bool Available() const override { return true; }
  Id FindGameWindow(const QString& title, const QString& exe) override {
    EXPECT_EQ(title, "Combat Mission: Beyond Overlord");
    EXPECT_EQ(exe, "Combat Mission.exe");
    return gameShown ? kGame : 0;
  }
  void Restore(Id) override { ++restored; }
  QSize WindowSize(Id) override { return size; }
  bool ClickAt(Id window, int x, int y) override {
    EXPECT_EQ(window, kGame);
    clicks.append(QPoint(x, y));
    return true;
  }
  Id FindDialogOf(Id owner) override {
    return owner == kGame && clicks.size() >= 2 && dialogOpens && !ownerless ? kDialog : 0;
  }
  std::vector<Id> OtherWindowsOfProcess(Id window) override {
    EXPECT_EQ(window, kGame);
    ++processLookups;
    if (clicks.size() >= 2 && dialogOpens && ownerless) return {kHelper, kDialog};
    return {kHelper};
  }
  bool TypeInto(Id window, const QString& text, bool enter) override {
    typed.append(QString::number(window) + ":" + text + (enter ? "\n" : ""));
    return true;
  }

  static constexpr Id kGame = 7, kDialog = 8, kHelper = 9;
  bool gameShown = false;
  bool dialogOpens = true;
  bool ownerless = false;
  int processLookups = 0;
  QSize size{1024, 768};
  int restored = 0;
  QList<QPoint> clicks;
  QStringList typed;
};

// A Combat Mission installation driven through `windows`, with the turn Game_002.txt.
struct Driven : Fixture {
  FakeWindows windows;
  std::shared_ptr<CMBO> p;
  std::shared_ptr<CMBO_Game> turn;

  Driven() {
    Installed();
    p = Fresh();
    Turn("Game_002.txt", t0);
    turn = Only(p->InitGames());
  }
  ~Driven() { App().lastPlayedGameName.clear(); }
  std::shared_ptr<CMBO> Fresh() {
    auto fresh = std::make_shared<CMBO>(Services{ui, tools, {}, &windows});
    EXPECT_TRUE(fresh->Installed(false));
    return fresh;
  }
  // The game's window appears once it was started.
  void ShowWindowOnRun() {
    tools.onRun = [this] { windows.gameShown = true; };
  }
};

}  // namespace

TEST(CmboTurn, WithoutADisplayTheGameIsStartedAndTheHotKeysDoTheTyping) {
  Fixture fx;
  auto p = fx.Installed();
  fx.Turn("Game_002.txt", fx.t0);
  auto game = Only(p->InitGames());
  p->ProcessTurn(0, *game, "secret");
  EXPECT_EQ(App().lastPlayedGameName, "Game_002.txt");
  ASSERT_EQ(fx.tools.runs.size(), 1u);
  EXPECT_EQ(fx.tools.runs[0].file, fx.game + "/Combat Mission.exe");
  EXPECT_FALSE(fx.tools.runs[0].wait);
  EXPECT_EQ(fx.ui.Texts(), QStringList({"Error finding file open window!"}));
  App().lastPlayedGameName.clear();
}

TEST(CmboTurn, TakingATurnOpensTheFileWindowAndTypesTheTurnAndThePassword) {
  Driven fx;
  // Without the game window the game is started; one that ends without a window aborts.
  fx.tools.stillRunning = false;
  fx.p->ProcessTurn(0, *fx.turn, "secret");
  EXPECT_EQ(App().lastPlayedGameName, "Game_002.txt");
  ASSERT_EQ(fx.tools.runs.size(), 1u);
  EXPECT_EQ(fx.tools.runs[0].file, fx.game + "/Combat Mission.exe");
  EXPECT_EQ(fx.ui.Texts(),
            QStringList({"Combat Mission: Beyond Overlord was not started properly.  Aborting."}));

  // A game started by hand is not driven either: only a game this run started is.
  fx.windows.gameShown = true;
  fx.ui.boxes.clear();
  fx.p->ProcessTurn(0, *fx.turn, "secret");
  EXPECT_EQ(fx.ui.Texts(),
            QStringList({"Combat Mission: Beyond Overlord was not started properly.  Aborting."}));
  EXPECT_TRUE(fx.windows.clicks.isEmpty());
}

TEST(CmboTurn, TheClicksFollowTheWindowSizeAndTheTextsGoWhereTheyBelong) {
  EXPECT_EQ(CMBO::ClickPositionsFor({640, 480})->first, QPoint(160, 400));
  EXPECT_EQ(CMBO::ClickPositionsFor({2048, 1536})->second, QPoint(1024, 630));
  // A framed game under Wine: its client area alone (no window manager) or inside a
  // window manager's frame, which is not the Windows frame the game asked for.
  EXPECT_EQ(CMBO::ClickPositionsFor({1018, 743})->first, QPoint(313, 670));
  EXPECT_EQ(CMBO::ClickPositionsFor({1020, 764})->first, QPoint(313, 670));
  EXPECT_EQ(CMBO::ClickPositionsFor({794, 575})->second, QPoint(400, 348));
  EXPECT_EQ(CMBO::ClickPositionsFor({1280, 1000})->second, QPoint(630, 580));

  Driven fx;
  FakeWindows& windows = fx.windows;
  fx.ShowWindowOnRun();
  fx.p->ProcessTurn(0, *fx.turn, "secret");
  EXPECT_TRUE(fx.ui.boxes.empty()) << fx.ui.Texts().join("|").toStdString();
  EXPECT_EQ(windows.clicks, QList<QPoint>({QPoint(313, 670), QPoint(512, 460)}));
  EXPECT_EQ(windows.typed, QStringList({"8:Game_002.txt\n", "7:secret\n"}));

  // The next turn finds the window running; a window size the game does not have is
  // reported once for the run, and without the file-open window nothing is typed.
  // The game ends instead: the file-open window is not waited for any longer.
  windows.size = QSize(1000, 700);
  windows.dialogOpens = false;
  fx.tools.stillRunning = false;
  windows.clicks.clear();
  windows.typed.clear();
  fx.p->ProcessTurn(0, *fx.turn, "secret");
  EXPECT_EQ(fx.ui.Texts(), QStringList({"Error finding file open window!"}));
  EXPECT_EQ(windows.clicks.size(), 2);  // the positions chosen at the first turn
  EXPECT_TRUE(windows.typed.isEmpty());
  EXPECT_EQ(fx.tools.runs.size(), 1u);

  fx.ui.boxes.clear();
  windows.gameShown = false;
  fx.Fresh()->ProcessTurn(0, *fx.turn, "secret");
  ASSERT_FALSE(fx.ui.boxes.empty());
  EXPECT_EQ(fx.ui.boxes[0].text, "The resolution you are running CM at (1000x700) is not supported by KOLT.");
}

TEST(CmboTurn, AFileWindowWithoutAnOwnerIsTheGamesNewWindowAndCountsOnlyAtTheEnd) {
  Driven fx;
  FakeWindows& windows = fx.windows;
  windows.ownerless = true;
  fx.ShowWindowOnRun();
  fx.p->ProcessTurn(0, *fx.turn, "secret");
  EXPECT_TRUE(fx.ui.boxes.empty()) << fx.ui.Texts().join("|").toStdString();
  // The game's window that was there before the clicks is not taken for the dialog.
  EXPECT_EQ(windows.typed, QStringList({"8:Game_002.txt\n", "7:secret\n"}));
  // Asked before the clicks and once more at the last attempt only.
  EXPECT_EQ(windows.processLookups, 2);
}

// Play against real Wine: the Combat Mission adapter drives a Windows stand-in of the
// game (built with mingw-w64) through its real Wine windows, as a player's desktop shows
// them: borderless or framed by a window manager, minimised between turns, inside Wine's
// virtual desktop, with a file-open window that has an owner or none. The stand-in logs
// the clicks, the chosen file and every character it receives.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "WineDesk.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "model/GameWindows.h"
#include "platform/linux/LinuxWintools.h"
#include "platform/x11/X11HotKeys.h"
#include "programs/CMBO/CMBO.h"
#include "programs/SE4/SE4.h"
#include "programs/SPWAW/SPWAW.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using kolt::test::ActivateWindow;
using kolt::test::HasWindow;
using kolt::test::ScriptedUi;
using kolt::test::TempHome;
using kolt::test::WaitForText;
using kolt::test::WineDesk;
using kolt::test::WriteFile;

namespace {

class WineEnvironment final : public ::testing::Environment {
 public:
  void TearDown() override { WineDesk::Get().TearDown(); }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WineEnvironment);

class WinePlay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!WineDesk::Get().Missing().isEmpty())
      GTEST_SKIP() << "Wine tests need wine and gcc-mingw-w64-x86-64: "
                   << WineDesk::Get().Missing().toStdString();
    ASSERT_TRUE(WineDesk::Get().Broken().isEmpty()) << WineDesk::Get().Broken().toStdString();
  }
  void TearDown() override {
    // Only the game: Wine's own programs stay up for the next test, as on a desktop.
    WineDesk::EndProgram(tools.StartedProgramId());
    qunsetenv("STANDIN_MODE");
    App().lastPlayedGameName.clear();
  }

  // Combat Mission installed from the stand-in with one turn waiting, played in `mode`.
  std::shared_ptr<CMBO> InstallCmbo(const QString& name, const char* mode) {
    game = WineDesk::Get().InstallGame(QStringLiteral("cmbo"), name, QStringLiteral("Combat Mission.exe"));
    log = game + QStringLiteral("/standin.log");
    WriteFile(game + QStringLiteral("/KOLT/Battle_002.txt"), "turn");
    IniWrite(QStringLiteral("CMBO"), QStringLiteral("Directory"), game);
    qputenv("STANDIN_MODE", mode);
    auto cmbo = std::make_shared<CMBO>(Services{ui, tools, {}, windows.get()});
    EXPECT_TRUE(cmbo->Installed(false));
    return cmbo;
  }

  TempHome home;
  ScriptedUi ui;
  LinuxWintools tools{ui};
  std::unique_ptr<GameWindows> windows = CreateGameWindows();
  QString game, log;
};

// A password no keyboard layout has in full: letters outside it, a blank, a quote.
const QString kPassword = QStringLiteral("Pä$ 5\"x_Ü€ßé");

TEST_F(WinePlay, ABorderlessGameGetsTheTurnFileAndEveryCharacterOfThePassword) {
  for (const char* size : {"1024x768", "800x600"}) {
    SCOPED_TRACE(size);
    auto cmbo = InstallCmbo(QStringLiteral("CM-") + size, size);
    const GameList games = cmbo->InitGames();
    ASSERT_EQ(games.size(), 1u);
    cmbo->ProcessTurn(0, *games[0], kPassword);
    EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
    const QString got = WaitForText(log, QStringLiteral("password "), 20000);
    const bool large = QByteArray(size) == "1024x768";
    const QString clicks = large ? QStringLiteral("click 313,670\nclick 512,460\n")
                                 : QStringLiteral("click 210,500\nclick 400,348\n");
    EXPECT_TRUE(got.contains(clicks)) << got.toStdString();
    EXPECT_TRUE(got.contains(QStringLiteral("file C:\\Games\\CM-") + size +
                             QStringLiteral("\\KOLT\\Battle_002.txt\n")))
        << got.toStdString();
    EXPECT_TRUE(got.contains(QStringLiteral("password ") + kPassword + QChar('\n'))) << got.toStdString();
    WaitForText(log, QStringLiteral("end"), 5000);
    WineDesk::EndProgram(tools.StartedProgramId());
    ui.boxes.clear();
  }
}

TEST_F(WinePlay, AGameMinimisedBetweenTurnsIsRestoredAndPlayedAgain) {
  // It minimises itself after each turn, as a full-screen game does when the player
  // switches away.
  auto cmbo = InstallCmbo(QStringLiteral("CM-stay"), "stay");
  const GameList games = cmbo->InitGames();
  ASSERT_EQ(games.size(), 1u);
  for (int turn = 1; turn <= 2; ++turn) {
    SCOPED_TRACE(turn);
    cmbo->ProcessTurn(0, *games[0], QStringLiteral("turn%1").arg(turn));
    EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
    const QString got = WaitForText(log, QStringLiteral("password turn%1\nminimised").arg(turn), 20000);
    EXPECT_TRUE(got.contains(QStringLiteral("password turn%1\nminimised\n").arg(turn))) << got.toStdString();
    // One copy of the game only, driven on both turns.
    EXPECT_EQ(got.count(QStringLiteral("size 1024x768")), 1) << got.toStdString();
    EXPECT_EQ(got.count(QStringLiteral(
                  "click 313,670\nclick 512,460\nfile C:\\Games\\CM-stay\\KOLT\\Battle_002.txt\n")),
              turn)
        << got.toStdString();
  }
}

TEST_F(WinePlay, AFramedGameWithAnOwnerlessFileWindowIsMeasuredAndFound) {
  // Wine leaves the title bar to the window manager: the X window is the client area.
  // The file-open window without an owner is known only as the game's new window.
  for (const char* mode : {"framed 800x600", "noowner"}) {
    SCOPED_TRACE(mode);
    const QString name = QStringLiteral("CM-") + QString::fromLatin1(mode).section(' ', 0, 0);
    auto cmbo = InstallCmbo(name, mode);
    const GameList games = cmbo->InitGames();
    ASSERT_EQ(games.size(), 1u);
    cmbo->ProcessTurn(0, *games[0], QStringLiteral("pw"));
    EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
    const QString got = WaitForText(log, QStringLiteral("password pw"), 20000);
    const QString clicks = QByteArray(mode).startsWith("framed")
                               ? QStringLiteral("click 210,500\nclick 400,348\n")
                               : QStringLiteral("click 313,670\nclick 512,460\n");
    EXPECT_TRUE(got.contains(clicks + QStringLiteral("file C:\\Games\\") + name +
                             QStringLiteral("\\KOLT\\Battle_002.txt\n")))
        << got.toStdString();
    EXPECT_TRUE(got.contains(QStringLiteral("password pw\n"))) << got.toStdString();
    WaitForText(log, QStringLiteral("end"), 5000);
    WineDesk::EndProgram(tools.StartedProgramId());
    ui.boxes.clear();
  }
}

TEST_F(WinePlay, AGameInsideWinesVirtualDesktopIsFoundMeasuredRestoredAndPlayed) {
  // With "Emulate a virtual desktop" every Windows window is a child of the desktop's X
  // window, and the file-open window is one more child: no window manager knows them.
  // The game is smaller than the desktop, so measuring the desktop would give wrong
  // clicks. Borderless, as full-screen games are, it stays open between turns while the
  // player works in another program, whose window then has the keys. Framed, Wine draws
  // its title bar inside the X window, so the clicks go below it. Minimised, it is the
  // small title bar Wine shows at the foot of the desktop until it is restored.
  WineDesk::Get().SetVirtualDesktop(QStringLiteral("1024x768"));
  for (const char* mode : {"800x600 keep", "framed 800x600 stay", "800x600 stay"}) {
    SCOPED_TRACE(mode);
    const bool minimises = QByteArray(mode).endsWith("stay");
    const QString name = QStringLiteral("CM-desktop-") + QString::fromLatin1(mode).section(' ', 0, 0);
    auto cmbo = InstallCmbo(name, mode);
    const GameList games = cmbo->InitGames();
    ASSERT_EQ(games.size(), 1u);
    for (int turn = 1; turn <= 2; ++turn) {
      SCOPED_TRACE(turn);
      if (turn == 2) WineDesk::Get().ActivateOtherWindow();
      const QString password = turn == 1 ? kPassword : QStringLiteral("turn2");
      cmbo->ProcessTurn(0, *games[0], password);
      EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
      const QString done = QStringLiteral("password ") + password + QChar('\n') +
                           (minimises ? QStringLiteral("minimised\n") : QString());
      const QString got = WaitForText(log, done, 20000);
      EXPECT_EQ(got.count(QStringLiteral("click 210,500\nclick 400,348\nfile C:\\Games\\") + name +
                          QStringLiteral("\\KOLT\\Battle_002.txt\n")),
                turn)
          << got.toStdString();
      EXPECT_TRUE(got.contains(done)) << got.toStdString();
      EXPECT_EQ(got.count(QStringLiteral("size 800x600")), 1) << got.toStdString();
      EXPECT_TRUE(HasWindow(QStringLiteral("Default - Wine desktop")));
    }
    WineDesk::EndProgram(tools.StartedProgramId());
    ui.boxes.clear();
  }
  WineDesk::Get().SetVirtualDesktop(QString());
}

}  // namespace

namespace {

// Space Empires IV's command line under Wine: the arguments the game's C runtime makes
// of it are the ones it is given on Windows, blanks and double quotes included, and its
// exit code comes back.
TEST_F(WinePlay, SpaceEmpiresGetsItsArgumentsAsOnWindowsAndItsExitCodeComesBack) {
  const QString folder =
      WineDesk::Get().InstallGame(QStringLiteral("se4"), QStringLiteral("SE4"), QStringLiteral("se4.exe"));
  const QString standinLog = folder + QStringLiteral("/standin.log");
  const QString save = QStringLiteral("C:\\Games\\SE4\\Savegame\\My Galaxy.gam");
  for (const QString& password : {QStringLiteral("plain"), QStringLiteral("two words"),
                                  QStringLiteral("say \"hi\""), QStringLiteral("Pä$ 5\"x_Ü€")}) {
    SCOPED_TRACE(password.toStdString());
    QFile::remove(standinLog);
    qputenv("STANDIN_EXIT", "7");
    const QString parameters =
        SE4::QuoteArguments({save, password, QStringLiteral("2"), QStringLiteral(" ")});
    ASSERT_TRUE(tools.RunProgram(folder + QStringLiteral("/se4.exe"),
                                 {.parameters = parameters, .directory = folder, .wait = true}));
    EXPECT_EQ(tools.LastExitCode(), 7);
    const QString got = WaitForText(standinLog, QStringLiteral("arg 4"), 5000);
    EXPECT_TRUE(got.contains(QStringLiteral("arg 1 [") + save + QStringLiteral("]\narg 2 [") + password +
                             QStringLiteral("]\narg 3 [2]\narg 4 [ ]\n")))
        << got.toStdString();
  }
  qunsetenv("STANDIN_EXIT");
}

// The built-in games are 32-bit. Where Wine has its 32-bit part the check lets such a
// game start, and its arguments and exit code pass; where it lacks it (Debian's wine
// alone), the start says what to install instead of doing nothing.
TEST_F(WinePlay, A32BitGameStartsOnlyWhereWineHasItsThirtyTwoBitPart) {
  if (!QStringLiteral(KOLT_MINGW32_MISSING).isEmpty())
    GTEST_SKIP() << "a 32-bit stand-in needs " KOLT_MINGW32_MISSING;
  const QString folder = WineDesk::Get().InstallGame(QStringLiteral("se4-32"), QStringLiteral("SE4-32"),
                                                     QStringLiteral("se4.exe"));
  const QString standinLog = folder + QStringLiteral("/standin.log");
  qputenv("STANDIN_EXIT", "7");
  const bool started =
      tools.RunProgram(folder + QStringLiteral("/se4.exe"),
                       {.parameters = QStringLiteral("turn"), .directory = folder, .wait = true});
  qunsetenv("STANDIN_EXIT");
  const QString boxes = ui.Texts().join("\n");
  if (WineDesk::Has32BitWine()) {
    RecordProperty("wine32", "installed");
    EXPECT_TRUE(started);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.toStdString();
    EXPECT_EQ(tools.LastExitCode(), 7);
    const QString got = WaitForText(standinLog, QStringLiteral("arg 1"), 5000);
    EXPECT_TRUE(got.contains(QStringLiteral("arg 1 [turn]\n"))) << got.toStdString();
  } else {
    RecordProperty("wine32", "missing");
    EXPECT_FALSE(started);
    EXPECT_TRUE(boxes.contains(QStringLiteral("it is a 32-bit Windows program"))) << boxes.toStdString();
    EXPECT_TRUE(boxes.contains(QStringLiteral("sudo apt install wine32:i386"))) << boxes.toStdString();
    EXPECT_FALSE(QFile::exists(standinLog));
  }
}

}  // namespace

namespace {

// Presses a hot key ("Ctrl+Shift+P") as the player does, from outside this process, and
// serves it; true once it was acted on.
bool PressHotKey(X11HotKeys& keys, const QString& key) {
  const int before = keys.HandledCount();
  if (QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), key.toLower()}) != 0) return false;
  QElapsedTimer clock;
  clock.start();
  while (keys.HandledCount() == before && clock.elapsed() < 5000) {
    keys.ProcessPendingEvents();
    QThread::msleep(20);
  }
  return keys.HandledCount() > before;
}

bool PressEnter() {
  return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")}) == 0;
}

// Steel Panthers has no automation: the player types the turn's file name into the
// game's file-open window and the password into its password field with the hot keys.
TEST_F(WinePlay, TheHotKeysTypeTheFileNameAndThePasswordIntoSteelPanthers) {
  const QString folder = WineDesk::Get().InstallGame(QStringLiteral("spwaw"), QStringLiteral("SPWAW"),
                                                     QStringLiteral("mech.exe"));
  WriteFile(folder + QStringLiteral("/EMAIL/email001.cmt"), "Kursk");
  IniWrite(QStringLiteral("SPWAW"), QStringLiteral("Directory"), folder);
  IniWrite(QStringLiteral("SPWAW"), QStringLiteral("SAVE"), QStringLiteral("0"));
  auto spwaw = std::make_shared<SPWAW>(Services{ui, tools, {}, windows.get()});
  ASSERT_TRUE(spwaw->Installed(false));
  const GameList games = spwaw->InitGames();
  ASSERT_EQ(games.size(), 1u);
  std::unique_ptr<X11HotKeys> keys = X11HotKeys::Open();
  ASSERT_TRUE(keys && keys->Register());
  const QString password = QStringLiteral("Pä$ 5\"x_€");
  keys->SetTextProvider(
      [&](HotKeys::Key key) { return key == HotKeys::Key::FileName ? games[0]->GetName() : password; });
  const QString standinLog = folder + QStringLiteral("/standin.log");

  ASSERT_TRUE(spwaw->Run(0));
  ASSERT_TRUE(ActivateWindow(QStringLiteral("Open"), 30000));
  ASSERT_TRUE(PressHotKey(*keys, keys->FileNameKeyText()));
  ASSERT_TRUE(PressEnter());
  QString got = WaitForText(standinLog, QStringLiteral("file "), 10000);
  EXPECT_TRUE(got.contains(QStringLiteral("file C:\\Games\\SPWAW\\EMAIL\\email001.cmt\n")))
      << got.toStdString();

  ASSERT_TRUE(ActivateWindow(QStringLiteral("Password"), 10000));
  ASSERT_TRUE(PressHotKey(*keys, keys->PasswordKeyText()));
  // Enter only once every character is in: a key is never taken back.
  got = WaitForText(standinLog, QStringLiteral("text ") + password + QChar('\n'), 10000);
  ASSERT_TRUE(PressEnter());
  got = WaitForText(standinLog, QStringLiteral("end"), 10000);
  EXPECT_TRUE(got.endsWith(QStringLiteral("password ") + password + QStringLiteral("\nend\n")))
      << got.toStdString();
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
}

}  // namespace

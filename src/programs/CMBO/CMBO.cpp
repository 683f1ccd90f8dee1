#include "programs/CMBO/CMBO.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/FileNames.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "programs/CMBO/CMBO_Game.h"

namespace kolt {
namespace {

const QString kTurnFolder = QStringLiteral("KOLT");

}  // namespace

GameList CMBO::InitGames() {
  m_games.Clear();
  if (m_directory.isEmpty()) return {};
  bool found = false;
  const QString folder = ResolveNoCase(m_directory, kTurnFolder, &found);
  if (!found) return {};

  // One game per numbered series, the newest turn; found through a map by base name so
  // that thousands of series stay one pass over the folder.
  const ProgramPtr self = Self();
  std::vector<std::shared_ptr<CMBO_Game>> games;
  std::vector<bool> dropped;
  QHash<QString, size_t> series;  // base name (exact spelling) -> index in games
  // Folders and other entries with a turn file's name are listed too: the game reports
  // what it cannot read instead of leaving it out silently.
  for (const QString& name : ListNoCase(folder, QStringLiteral("*.txt"), false)) {
    auto game = std::make_shared<CMBO_Game>(m_services.ui);
    game->Init(self, kTurnFolder, name);
    if (!game->IsValid()) continue;
    if (!game->IsNumbered()) {
      games.push_back(game);
      dropped.push_back(false);
      continue;
    }
    auto known = series.find(game->GetFileBase());
    if (known == series.end()) {
      series.insert(game->GetFileBase(), games.size());
      games.push_back(game);
      dropped.push_back(false);
      continue;
    }
    CMBO_Game& earlier = *games[*known];
    // Stamps and numbers are fixed-width text.
    if (earlier.latestStamp > game->latestStamp) {
      game->latestStamp = earlier.latestStamp;
      game->latestNumber = earlier.latestNumber;
    } else if (game->latestStamp > earlier.latestStamp) {
      earlier.latestStamp = game->latestStamp;
      earlier.latestNumber = game->latestNumber;
    }
    if (earlier.GetNumber() > game->GetNumber()) {
      game->Backup();  // an older turn of the series goes out of the way
      continue;
    }
    earlier.Backup();
    dropped[*known] = true;
    *known = games.size();
    games.push_back(game);
    dropped.push_back(false);
  }
  GameList kept;
  for (size_t i = 0; i < games.size(); ++i) {
    if (!dropped[i]) kept.push_back(games[i]);
  }
  m_games.Keep(kept);
  return kept;
}

std::optional<BuiltinProgram::ReceivedFile> CMBO::ReceivedFileKind(const QString& name) const {
  // A turn file is bound to the installed copy or, for a new turn of a series, to the
  // series.
  if (name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
    return ReceivedFile{kTurnFolder, true, true, {}};
  return std::nullopt;
}

std::shared_ptr<Game> CMBO::NewGame() const {
  return std::make_shared<CMBO_Game>(m_services.ui);
}

std::optional<CMBO::ClickPositions> CMBO::ClickPositionsFor(const QSize& size) {
  struct Row {
    int width, height;
    ClickPositions clicks;
  };
  static const Row table[] = {
      {640, 480, {{160, 400}, {320, 240}}},    {720, 576, {{190, 450}, {360, 285}}},
      {800, 600, {{210, 500}, {400, 348}}},    {960, 720, {{290, 560}, {475, 400}}},
      {1024, 768, {{313, 670}, {512, 460}}},   {1152, 864, {{380, 716}, {564, 506}}},
      {1280, 960, {{450, 760}, {630, 550}}},   {1280, 1024, {{450, 800}, {630, 580}}},
      {1400, 1050, {{510, 810}, {700, 605}}},  {1600, 1200, {{620, 885}, {800, 675}}},
      {1920, 1440, {{680, 1035}, {960, 810}}}, {2048, 1536, {{744, 1041}, {1024, 630}}},
  };
  for (const Row& row : table) {
    if (row.width == size.width() && row.height == size.height()) return row.clicks;
  }
  // A game in a window with a title bar: under Wine a window manager draws the frame
  // instead of Windows, and its frame is thinner or thicker than the one the game asked
  // for, so the outer size falls a little short of (or beyond) the game's.
  // The nearest size within a frame's thickness is the game's.
  constexpr int kFrameWidth = 16, kFrameHeight = 48;
  const Row* nearest = nullptr;
  int nearestDistance = 0;
  for (const Row& row : table) {
    const int dx = std::abs(row.width - size.width()), dy = std::abs(row.height - size.height());
    if (dx > kFrameWidth || dy > kFrameHeight) continue;
    if (!nearest || dx + dy < nearestDistance) {
      nearest = &row;
      nearestDistance = dx + dy;
    }
  }
  if (nearest) return nearest->clicks;
  return std::nullopt;
}

GameWindows::Id CMBO::FindWindow() const {
  GameWindows* windows = m_services.windows;
  return windows ? windows->FindGameWindow(GetLongName(), GetExeName()) : 0;
}

void CMBO::Wait(int ms) const {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    m_services.ui.DoEvents();
    QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(ms - timer.elapsed(), 0, 20)));
  }
}

void CMBO::StartGame() {
  m_started = false;
  // Only one copy of the game can take the turn.
  while (FindWindow() != 0 || GetStatus() == ProgramState::Running) {
    m_services.ui.MsgBox(
        QCoreApplication::translate("CMBO",
                                    "%1 is already running... shut it down, then switch back to this "
                                    "application.")
            .arg(GetLongName()),
        Buttons::Ok, Icon::None, GetLongName());
  }
  if (m_exePath.isEmpty() || !m_services.tools.RunProgram(m_exePath, {.directory = m_directory})) return;
  if (!m_services.windows || !m_services.windows->Available()) return;
  // Ready once its window is there; a game that shows none within 30 s did not start.
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 30000) {
    if (FindWindow() != 0) {
      m_started = true;
      return;
    }
    if (!m_services.windows || !m_services.tools.StartedProgramRunning()) return;
    Wait(100);
  }
}

bool CMBO::ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) {
  (void)mainWindow;
  auto* turn = dynamic_cast<CMBO_Game*>(&game);
  if (!turn) return false;
  App().lastPlayedGameName = turn->GetName2();
  UiPort& ui = m_services.ui;
  const QString title = GetLongName();

  if (!m_services.windows || !m_services.windows->Available()) {
    // Without a display the game is started and the hot keys do the typing.
    StartGame();
    ui.MsgBox(QCoreApplication::translate("CMBO", "Error finding file open window!"), Buttons::Ok, Icon::None,
              title);
    return true;
  }
  GameWindows::Id window = FindWindow();
  if (window == 0) {
    StartGame();
    window = FindWindow();
  }
  if (!m_started || window == 0) {
    // A game started by hand is not watched, so it is not driven either.
    ui.MsgBox(QCoreApplication::translate("CMBO", "%1 was not started properly.  Aborting.").arg(title),
              Buttons::Ok, Icon::None, title);
    return false;
  }
  GameWindows& windows = *m_services.windows;
  windows.Restore(window);
  Wait(1);
  if (!m_clicksChosen) {
    // Chosen once per run: a later change of the game's resolution is not noticed.
    m_clicksChosen = true;
    const QSize size = windows.WindowSize(window);
    if (const auto clicks = ClickPositionsFor(size)) {
      m_clicks = *clicks;
    } else {
      //: %1 and %2 are the width and height of the game's window
      ui.MsgBox(QCoreApplication::translate("CMBO",
                                            "The resolution you are running CM at (%1x%2) is not "
                                            "supported by KOLT.")
                    .arg(size.width())
                    .arg(size.height()),
                Buttons::Ok, Icon::None, title);
    }
  }
  // A file-open window without an owner is known only as a new window of the game.
  const std::vector<GameWindows::Id> before = windows.OtherWindowsOfProcess(window);
  windows.ClickAt(window, m_clicks.first.x(), m_clicks.first.y());
  windows.ClickAt(window, m_clicks.second.x(), m_clicks.second.y());

  // The file-open window shows within a second on a quiet machine, and may take many on
  // a busy one: waited for until it shows, within a generous bound, or until the game
  // has ended. One the game owns is taken at once; a new window without an owner only
  // once an owned one had its time.
  constexpr qint64 kOwnedFirstMs = 2500, kDialogMs = 15000;
  QElapsedTimer clock;
  clock.start();
  GameWindows::Id dialog = 0;
  for (;;) {
    dialog = windows.FindDialogOf(window);
    if (dialog != 0) break;
    if (clock.elapsed() >= kOwnedFirstMs) {
      for (GameWindows::Id w : windows.OtherWindowsOfProcess(window)) {
        if (std::find(before.begin(), before.end(), w) == before.end()) {
          dialog = w;
          break;
        }
      }
      if (dialog != 0 || clock.elapsed() >= kDialogMs || !m_services.tools.StartedProgramRunning()) break;
    }
    Wait(100);
  }
  if (dialog == 0) {
    ui.MsgBox(QCoreApplication::translate("CMBO", "Error finding file open window!"), Buttons::Ok, Icon::None,
              title);
    return true;
  }
  // The file-open window opens with the keyboard in its file-name field.
  Wait(400);
  if (!windows.TypeInto(dialog, turn->GetName2(), true)) {
    ui.MsgBox(QCoreApplication::translate("CMBO", "Error entering filename in dialog box!"), Buttons::Ok,
              Icon::None, title);
    return true;
  }
  Wait(2000);
  windows.TypeInto(window, password, true);
  return true;
}

}  // namespace kolt

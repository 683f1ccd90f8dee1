#include "programs/CMBO/CMBO.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "core/FileNames.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "programs/CMBO/CMBO_Game.h"

namespace kolt {
namespace {

const QString kTurnFolder = QStringLiteral("KOLT");

}  // namespace

GameList CMBO::InitGames() {
  m_games.clear();
  if (m_directory.isEmpty()) return m_games;
  bool found = false;
  const QString folder = ResolveNoCase(m_directory, kTurnFolder, &found);
  if (!found) return m_games;

  // One game per numbered series, the newest turn; found through a map by base name so
  // that thousands of series stay one pass over the folder.
  const ProgramPtr self = Self();
  std::vector<std::shared_ptr<CMBO_Game>> games;
  std::vector<bool> dropped;
  QHash<QString, size_t> series;  // base name (exact spelling) -> index in games
  for (const QString& name : ListNoCase(folder, QStringLiteral("*.txt"))) {
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
  for (size_t i = 0; i < games.size(); ++i) {
    if (!dropped[i]) m_games.push_back(games[i]);
  }
  return m_games;
}

void CMBO::ReceivedFiles(const QString& folder, const QString& sender, bool plain) {
  UiPort& ui = m_services.ui;
  std::unique_ptr<ReceiveBatch> batch = OpenReceiveBatch(folder);
  if (!batch) return;

  const ProgramPtr self = Self();
  const QString target = ResolveNoCase(m_directory, kTurnFolder);
  batch->BeginReceive(self);
  for (const QString& name : ListNoCase(folder, QStringLiteral("*.*"))) {
    ui.ShowStatus(SafeForDisplay(name));
    const QString file = QDir(folder).filePath(name);
    const qsizetype dot = name.lastIndexOf(QChar('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1).toUpper();
    if (extension == QStringLiteral("TXT")) {
      // Bound to the installed copy or, for a new turn of a series, to the series.
      CMBO_Game installed(ui);
      installed.Init(self, kTurnFolder, name);
      batch->AddReceivedFile(file, target, true, installed.GetEMail(), sender, true, kTurnFolder, QString());
    } else {
      batch->AddMessage(QStringLiteral("Unknown file type: ") + name);
    }
  }
  batch->FinishReceive(sender, std::make_shared<CMBO_Game>(ui), plain);
}

bool CMBO::StartGame() {
  // Only one copy of the game can take the turn.
  while (GetStatus() == ProgramState::Running) {
    m_services.ui.MsgBox(
        GetLongName() +
            QStringLiteral(" is already running... shut it down, then switch back to this application."),
        Buttons::Ok, Icon::None, GetLongName());
  }
  if (m_exePath.isEmpty()) return false;
  return m_services.tools.RunProgram(m_exePath, {.directory = m_directory});
}

bool CMBO::ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) {
  (void)mainWindow;
  (void)password;
  if (auto* turn = dynamic_cast<CMBO_Game*>(&game)) App().lastPlayedGameName = turn->GetName2();
  if (!StartGame()) {
    m_services.ui.MsgBox(GetLongName() + QStringLiteral(" was not started properly.  Aborting."), Buttons::Ok,
                         Icon::None, GetLongName());
    return false;
  }
  // The game's window is not reached from here yet: the hot keys type the file name and
  // the password instead.
  m_services.ui.MsgBox(QStringLiteral("Error finding file open window!"), Buttons::Ok, Icon::None,
                       GetLongName());
  return true;
}

}  // namespace kolt

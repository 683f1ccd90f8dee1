#pragma once

#include <QPoint>
#include <QSize>
#include <optional>

#include "model/GameWindows.h"
#include "programs/BuiltinProgram.h"

namespace kolt {

// Combat Mission: Beyond Overlord. Its games are the turn files "*.txt" in the KOLT
// folder; a numbered series ("Game_001.txt", "Game_002.txt") is one game under its
// newest turn, and the older turns are moved into the series' backup folder.
class CMBO final : public BuiltinProgram {
 public:
  explicit CMBO(const Services& services) : BuiltinProgram(services) {}

  QString GetShortName() const override { return QStringLiteral("CMBO"); }
  QString GetLongName() const override { return QStringLiteral("Combat Mission: Beyond Overlord"); }
  QString GetExeName() const override { return QStringLiteral("Combat Mission.exe"); }
  QString GetEMailDir() const override { return QStringLiteral("KOLT"); }
  bool SupportsPasswords() const override { return true; }
  bool Provides(OptionalOperation operation) const override {
    return operation == OptionalOperation::ProcessTurn;
  }

  GameList InitGames() override;
  // The collection built by the last InitGames.
  GameList GetGames() const { return m_games.Get(); }
  // Starts the game on the turn: the file name for the file-name hot key, the game
  // started when it does not run yet, then its file-open window opened by two clicks on
  // its main screen and the turn file's name and the password typed in.
  bool ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) override;

  // Where the file-open window is opened, by the game window's size; nullopt for a size
  // the game is not known to run at.
  struct ClickPositions {
    QPoint first, second;
  };
  static std::optional<ClickPositions> ClickPositionsFor(const QSize& size);

 protected:
  std::optional<ReceivedFile> ReceivedFileKind(const QString& name) const override;
  std::shared_ptr<Game> NewGame() const override;

 private:
  // Starts the game once no copy of it runs, and waits up to 30 s for its window;
  // m_started tells whether it came up.
  void StartGame();
  GameWindows::Id FindWindow() const;
  // Waits `ms` with the window served meanwhile.
  void Wait(int ms) const;

  KeptGames m_games;
  bool m_started = false;
  bool m_clicksChosen = false;
  ClickPositions m_clicks;
};

}  // namespace kolt

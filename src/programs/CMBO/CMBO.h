#pragma once

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
  const GameList& GetGames() const { return m_games; }
  void ReceivedFiles(const QString& folder, const QString& sender, bool plain) override;
  // Starts the game on the turn: the file name for the file-name hot key, the game
  // started when it does not run yet, then its file-open window opened and filled in.
  bool ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) override;

 private:
  // Starts the game once it no longer runs; true when it was started.
  bool StartGame();

  GameList m_games;
};

}  // namespace kolt

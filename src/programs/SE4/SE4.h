#pragma once

#include <QStringList>

#include "programs/BuiltinProgram.h"

namespace kolt {

class SE4_Game;

// Space Empires IV. Its games are the save files "*.gam" in the save folder (SAVEGAME,
// or the SAVEGAME folder of the mod that the game's path.txt names). Simultaneous games
// are hosted here (the game processes the turn from the players' order files) or played
// as a client; turn-based games are a series of save files, listed under the newest.
class SE4 final : public BuiltinProgram {
 public:
  explicit SE4(const Services& services) : BuiltinProgram(services) {}

  QString GetShortName() const override { return QStringLiteral("SE4"); }
  QString GetLongName() const override { return QStringLiteral("Space Empires IV"); }
  QString GetExeName() const override { return QStringLiteral("se4.exe"); }
  // The save folder relative to the installation folder, as the mail instructions name it
  // to the opponent: he plays on Windows, so a mod's folder is "MyMod\SAVEGAME".
  QString GetEMailDir() const override;
  // Versions before 2001-04-11 cannot be started on a game that has a password.
  bool SupportsPasswords() const override;
  bool Provides(OptionalOperation operation) const override {
    return operation == OptionalOperation::ProcessTurn || operation == OptionalOperation::Host;
  }

  GameList InitGames() override;
  // The collection built by the last InitGames.
  GameList GetGames() const { return m_games.Get(); }
  // Starts the game on the save file with the password and the user's player number.
  bool ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) override;
  // Lets the game process the hosted turn and waits for it with the window served; true
  // once the game ran (whatever it answered), false when it could not be started.
  bool Host(WindowHandle window, Game& game) override;

  // "SAVEGAME" or "<mod>/SAVEGAME".
  QString GetSaveFolder() const { return m_saveFolder; }
  // The executable's modification stamp, taken by Installed.
  QString GetExeStamp() const { return m_exeStamp; }
  // The arguments of the game's command lines, before quoting (tests).
  QStringList TurnArguments(const SE4_Game& game, const QString& password);
  QStringList HostArguments(const SE4_Game& game);
  // Each argument in double quotes (a quote inside doubled), separated by one blank.
  static QString QuoteArguments(const QStringList& arguments);
  // The mod folder named by a path.txt, or empty for none.
  static QString ModFolderOf(const QByteArray& pathTxt);

 protected:
  QStringList UninstallKeys() const override { return {QStringLiteral("Space Empires IV")}; }
  bool AfterInstalled(bool rescan) override;
  std::optional<ReceivedFile> ReceivedFileKind(const QString& name) const override;
  std::shared_ptr<Game> NewGame() const override;
  QString StoredAddress(const Game& installed) const override;

 private:
  // From 1.41 on the game takes one more argument on each command line.
  bool TakesExtraArguments() const;
  // The Windows path of the game's save file.
  QString SaveFileArgument(const SE4_Game& game);
  // Tells the user what a non-zero exit code of the game means; true for 0.
  bool CheckExitCode(int exitCode);

  QString m_saveFolder = QStringLiteral("SAVEGAME");
  QString m_exeStamp;
  KeptGames m_games;
};

}  // namespace kolt

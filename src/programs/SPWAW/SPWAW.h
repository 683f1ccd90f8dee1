#pragma once

#include "programs/BuiltinProgram.h"

namespace kolt {

// Steel Panthers: World at War. Its games are the comment files (".cmt") in the EMAIL
// folder and, when the user wants, in the SAVE folder.
class SPWAW final : public BuiltinProgram {
 public:
  explicit SPWAW(const Services& services) : BuiltinProgram(services) {}

  QString GetShortName() const override { return QStringLiteral("SPWAW"); }
  QString GetLongName() const override { return QStringLiteral("Steel Panthers: World at War"); }
  QString GetExeName() const override { return QStringLiteral("mech.exe"); }
  QString GetEMailDir() const override;
  bool SupportsPasswords() const override { return false; }

  GameList InitGames() override;
  // The collection built by the last InitGames.
  GameList GetGames() const { return m_games.Get(); }

  bool UsesSaveFolder() const { return m_useSave; }

  // "EMAIL" for names that start with "email" (any case), else "SAVE".
  static QString SubFolderOf(const QString& fileName);

 protected:
  QStringList UninstallKeys() const override { return {QStringLiteral("Steel_Panthers_World_At_War")}; }
  bool AfterInstalled(bool rescan) override;
  std::optional<ReceivedFile> ReceivedFileKind(const QString& name) const override;
  std::shared_ptr<Game> NewGame() const override;

 private:
  void ScanGames(const QString& subfolder, const QString& pattern, GameList& games);

  bool m_useSave = false;
  KeptGames m_games;
};

}  // namespace kolt

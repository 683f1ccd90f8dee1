#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "model/Program.h"
#include "model/Services.h"

namespace kolt {

// One file type of a user-defined program: section "File<i>" of its definition file.
struct CUSTOM_File {
  QString Ext;  // without the dot
  bool Primary = false;
  bool CheckSame = false;
  bool Required = false;
  bool Modified = false;
};

// A program described by the user in `<SHORT>.INI` in the home folder (beside KOLT.INI):
// its names, executable, game folder, uninstall names, the pattern of its games'
// primary files, a description rule, a command line and its file types. Its games are
// CUSTOM_Game objects.
class CUSTOM final : public UserProgram {
 public:
  explicit CUSTOM(const Services& services) : m_services(services) {}

  // Binds the object to its definition file and reads it (ReadINI); always true.
  bool SetINI(const QString& shortName) override;
  // Reads the whole definition: the Settings section and every file type.
  void ReadINI();
  // The definition file (found without regard to case), or the path it would have.
  QString GetIniPath() const { return m_iniPath; }

  const std::vector<CUSTOM_File>& GetCustomFiles() const { return m_files; }
  // The Ext of the file type marked Modified (the last such one); "" when none is.
  QString GetModifiedExt() const { return m_modifiedExt; }
  QString GetUninstall() const { return m_uninstall; }
  QString GetFilePattern() const { return m_filePattern; }
  // The description rule as stored (CUSTOM_Game upper-cases it).
  QString GetDescription() const { return m_description; }
  QString GetCommandLine() const { return m_commandLine; }
  // Read from the file at each call.
  QString GetContact() const;
  QString GetContactEMail() const;
  // Why the definition cannot be used, for the programs list ("" when nothing is
  // known against it): a game folder outside the installation folder, or a definition
  // file too large to read. Such a program is not installed.
  QString GetProblem() const { return m_problem; }

  QString GetShortName() const override { return m_shortName; }
  QString GetLongName() const override { return m_longName; }
  QString GetEMailDir() const override { return m_emailSubDir; }
  QString GetExeName() const override { return m_exe; }
  bool Installed(bool rescan) override;
  void NotInstalled() override;
  QString GetDirectory() const override { return m_directory; }
  QString GetVersion() const override { return m_version; }
  ProgramState GetStatus() const override;
  bool Run(WindowHandle window) override;
  GameList InitGames() override;
  // The collection built by the last InitGames.
  GameList GetGames() const { return m_games.Get(); }
  void ReceivedFiles(const QString& folder, const QString& sender, bool plain) override;
  bool SupportsPasswords() const override { return !m_commandLine.isEmpty(); }
  bool Provides(OptionalOperation operation) const override {
    return operation == OptionalOperation::ProcessTurn;
  }
  bool ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) override;

  // The arguments ProcessTurn hands over: CommandLine split at blanks outside double
  // quotes, with each "%f" replaced by `gamePath` and each "%p" by `password` inside the
  // argument it stands in (inserted text is never split or scanned again).
  QStringList ArgumentsFor(const QString& gamePath, const QString& password) const;
  // The first file type whose Ext equals the name's extension without regard to case;
  // null when none does.
  const CUSTOM_File* FileTypeOf(const QString& fileName) const;

 private:
  // The game folder as spelled on disk (its parts found without regard to case).
  QString GameFolderOnDisk() const;
  QString ExecutableIn(const QString& folder) const;
  bool Fail();
  // Not installed because of the definition itself: told once per object, and not
  // stored as "-", so a corrected definition is taken at the next start.
  bool Refuse(const QString& problem, const QString& message);
  // True (after telling the user) when the game folder leads out of the installation.
  bool GameFolderEscapes();
  // For each received primary file, the files of required types that did not come with it.
  QStringList MissingRequiredFiles(const QStringList& received) const;

  Services m_services;
  QString m_shortName;
  QString m_iniPath;
  QString m_longName;
  QString m_exe, m_emailSubDir, m_uninstall, m_filePattern, m_description, m_commandLine;
  std::vector<CUSTOM_File> m_files;
  QString m_modifiedExt;
  QString m_directory;  // no trailing separator; empty until Installed succeeds
  QString m_version;
  QString m_exePath;
  QString m_problem;
  bool m_problemTold = false;
  KeptGames m_games;
};

}  // namespace kolt

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "model/Program.h"
#include "model/Services.h"
#include "programs/BuiltinProgram.h"
#include "programs/CUSTOM/CUSTOM_File.h"
#include "programs/CUSTOM/ProgramDefinition.h"

namespace kolt {

// A program described by the user in `<SHORT>.INI` in the home folder (beside KOLT.INI):
// its names, executable, game folder, uninstall names, the pattern of its games'
// primary files, a description rule, a command line and its file types. Its games are
// CUSTOM_Game objects. It is found, run and sent files as the built-in programs are.
class CUSTOM final : public BuiltinProgram, public UserProgram {
 public:
  explicit CUSTOM(const Services& services) : BuiltinProgram(services) {}

  // Binds the object to its definition file and reads it (ReadINI); always true.
  bool SetINI(const QString& shortName) override;
  // Reads the whole definition again: the Settings section and every file type.
  void ReadINI();
  QString GetIniPath() const override { return m_iniPath; }
  // The definition as last read.
  const ProgramDefinition& GetDefinition() const { return m_definition; }

  const std::vector<CUSTOM_File>& GetCustomFiles() const { return m_definition.Files; }
  // The Ext of the file type marked Modified (the last such one); "" when none is.
  QString GetModifiedExt() const { return m_modifiedExt; }
  QString GetUninstall() const { return m_definition.Uninstall; }
  QString GetFilePattern() const { return m_definition.KOLTFilePattern; }
  // The description rule as stored (CUSTOM_Game upper-cases it).
  QString GetDescription() const { return m_definition.Description; }
  QString GetCommandLine() const { return m_definition.CommandLine; }
  QString GetContact() const { return m_definition.Contact; }
  QString GetContactEMail() const { return m_definition.ContactEMail; }
  // Why the definition cannot be used, for the programs list ("" when nothing is
  // known against it): a game folder outside the installation folder, or a definition
  // file too large to read. Such a program is not installed.
  QString GetProblem() const override { return m_problem; }

  QString GetShortName() const override { return m_shortName; }
  QString GetLongName() const override { return m_longName; }
  QString GetEMailDir() const override { return m_definition.EMailSubDir; }
  QString GetExeName() const override { return m_definition.EXE; }
  GameList InitGames() override;
  // The collection built by the last InitGames.
  GameList GetGames() const { return m_games.Get(); }
  bool SupportsPasswords() const override { return !m_definition.CommandLine.isEmpty(); }
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
  // False when `subfolder` of the installation leads out of it (see LeadsOutOf). Asked
  // for every game, answered once per folder in a pass: a pass that changes nothing of
  // its own sees the same folders throughout.
  bool StaysInside(const QString& subfolder) const;

 protected:
  QStringList UninstallKeys() const override { return m_definition.UninstallNames(); }
  // The definition itself may keep the program from being used (GetProblem).
  bool MayInstall() override;
  bool ExeNameAcceptable() const override { return m_definition.ExeIsPlainName(); }
  bool AfterInstalled(bool rescan) override;
  std::optional<ReceivedFile> ReceivedFileKind(const QString& name) const override;
  std::shared_ptr<Game> NewGame() const override;
  // Checked again before anything is written: a link may have appeared since start-up.
  bool MayReceive() override { return !GameFolderEscapes(); }
  // "Required file missing: " for each file of a required type that did not come with
  // its primary file.
  QStringList ReceivedWarnings(const QStringList& names) const override;

 private:
  // The game folder as spelled on disk (its parts found without regard to case).
  QString GameFolderOnDisk() const;
  // Not installed because of the definition itself: told once per object, and not
  // stored as "-", so a corrected definition is taken at the next start.
  bool Refuse(const QString& problem, const QString& message);
  // True (after telling the user) when the game folder leads out of the installation.
  bool GameFolderEscapes();

  QString m_shortName;
  QString m_iniPath;
  QString m_longName;
  ProgramDefinition m_definition;
  QString m_modifiedExt;
  QString m_problem;
  bool m_problemTold = false;
  KeptGames m_games;
  // StaysInside's answers, for the pass (serial and changes) they were found in.
  struct Inside {
    quint64 serial = 0;
    quint64 changes = 0;
    QString directory;
    QHash<QString, bool> folders;
  };
  mutable Inside m_inside;
};

}  // namespace kolt

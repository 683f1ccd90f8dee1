#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

namespace kolt {

class Game;
using GameList = std::vector<std::shared_ptr<Game>>;

// The main window's native handle, handed to adapters that drive or own windows.
using WindowHandle = quintptr;

// Operations that only some adapters provide. Callers ask `Provides` first, so an
// operation that does not exist is told apart from one that returned false.
enum class OptionalOperation { ProcessTurn, Host, ShowMore };

// Whether a program's game is running (its executable is held by a process).
enum class ProgramState { NotRunning, Running };
// "Not running" or "Running": the installed list's Status column.
QString ProgramStateText(ProgramState state);

// One supported game application. The registry owns program objects for the whole run;
// their games hold a shared reference to them, so programs are always created through
// std::make_shared.
class Program : public std::enable_shared_from_this<Program> {
 public:
  virtual ~Program() = default;

  // Identity: the settings section, the key in the program list, the folder name in the
  // working and instance folders and inside KLT archives.
  virtual QString GetShortName() const = 0;
  virtual QString GetLongName() const = 0;
  // The subfolder that holds turn files, as quoted to the opponent; may be empty.
  virtual QString GetEMailDir() const = 0;
  // The executable's file name without folder; empty when there is none to look for.
  virtual QString GetExeName() const = 0;

  // Finds the installation; true means GetDirectory and GetVersion are valid. With
  // `rescan` the stored folder and answers are ignored and the search runs again.
  virtual bool Installed(bool rescan) = 0;
  // Stores "-" as the folder, so that later start-ups skip the program until a rescan.
  virtual void NotInstalled() = 0;
  virtual QString GetDirectory() const = 0;
  virtual QString GetVersion() const = 0;
  virtual ProgramState GetStatus() const = 0;
  // Starts the executable without arguments in the installation folder.
  virtual bool Run(WindowHandle window) = 0;

  // Scans the program's folders; every game's GetProgram is this program.
  virtual GameList InitGames() = 0;
  // Takes in the files received for this program that lie in `folder`. `sender` is the
  // address from a KLT archive or empty; `plain` is true for files from the working
  // folder.
  virtual void ReceivedFiles(const QString& folder, const QString& sender, bool plain) = 0;

  // True when ProcessTurn can start the program directly on a game with its password.
  virtual bool SupportsPasswords() const = 0;

  virtual bool Provides(OptionalOperation operation) const {
    (void)operation;
    return false;
  }
  // Optional: only called when Provides(OptionalOperation::ProcessTurn).
  virtual bool ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) {
    (void)mainWindow, (void)game, (void)password;
    return false;
  }
  // Optional: only called when Provides(OptionalOperation::Host). True when something
  // was done and the lists must be refreshed.
  virtual bool Host(WindowHandle window, Game& game) {
    (void)window, (void)game;
    return false;
  }

  // The shared reference that games keep.
  std::shared_ptr<Program> Self() { return shared_from_this(); }
};

using ProgramPtr = std::shared_ptr<Program>;

// A program described by the user in a definition file `<SHORT>.INI` in the home folder.
// The registry binds it with SetINI before calling anything else. Program is a virtual
// base, so that an adapter can build on a shared program class as well.
class UserProgram : public virtual Program {
 public:
  // Binds the object to its definition file; always true.
  virtual bool SetINI(const QString& shortName) = 0;
  // The definition file (found without regard to case), or the path it would have.
  virtual QString GetIniPath() const = 0;
  // Why the definition cannot be used, for the programs list; "" when nothing is known
  // against it.
  virtual QString GetProblem() const { return {}; }
};

}  // namespace kolt

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kolt {

// The operating-system toolbox: starting and watching programs, opening documents,
// finding installed games, file versions and times. The Linux implementation runs
// Windows programs under Wine and reads the Wine prefix's registry; callers never see
// which. Hot keys and typing into other windows are in HotKeys.h.
// How RunProgram starts a program.
struct RunOptions {
  QString parameters;  // one string, split as Windows splits a command line
  // When set, the arguments exactly as they are (nothing is split again); `parameters`
  // is then only what error messages show.
  std::optional<QStringList> arguments;
  QString directory;       // the working folder; empty: ours
  bool showError = false;  // on failure: "Can't execute: " + file + " " + parameters
  bool wait = false;       // return once the program has ended
};

// How ShellOpen opens a document, a page or a program.
struct OpenOptions {
  QString parameters;
  QString directory;
  bool showError = false;
};

class Wintools {
 public:
  virtual ~Wintools() = default;

  // Starts `file` (a .exe under Wine with WINEPREFIX taken from its path, a native
  // executable directly). With `wait` it returns once the program has ended, letting the
  // UI run meanwhile; without, the started process becomes the watched one.
  virtual bool RunProgram(const QString& file, const RunOptions& options) = 0;
  // Opens a document or web page with the desktop's handler (a program is started).
  virtual bool ShellOpen(const QString& file, const OpenOptions& options = {}) = 0;
  // The full Unix path of `exeName` in the folder that the uninstall entry `keyName` of
  // the Wine prefix names, or empty.
  virtual QString UninstallLookup(const QString& exeName, const QString& keyName) = 0;
  // The names of the Wine prefix's uninstall entries (the keys UninstallLookup takes), in
  // the registry's order, the 32-bit view's own entries after the others; empty when the
  // prefix has none.
  virtual QStringList UninstallKeyNames() { return {}; }
  // "major.minor.build" from the PE version resource, else the modification time in the
  // locale's short date and time format.
  virtual QString FileVersion(const QString& file) = 0;
  // Sets the file's modification time to now. Reports "Can't open file: " / "Can't set
  // file time: " + path.
  virtual bool TouchFile(const QString& path) = 0;
  // The watched program (the last one started without wait) is still running.
  virtual bool StartedProgramRunning() = 0;
  // True when `path` is a file that no running process executes or has mapped, so it may
  // be opened exclusively (a game keeps its executable mapped while it runs, also under
  // Wine); false for a missing file.
  virtual bool CanOpenExclusive(const QString& path) = 0;
  // The form a Windows program understands: C:\... inside the Wine prefix, Z:\... else.
  virtual QString ToWindowsPath(const QString& unixPath) = 0;

  // The exit code of the last program RunProgram waited for; -1 after a crash, a failed
  // start, or when none has been waited for yet.
  virtual int LastExitCode() const { return -1; }
  // The Unix path of a Windows path (drive letter through the Wine prefix's dosdevices
  // links), or empty when it cannot be mapped. Parts need not exist.
  virtual QString ToUnixPath(const QString& windowsPath) {
    (void)windowsPath;
    return QString();
  }
  // Opens `file` with the desktop's default application for `mimeType`, never with this
  // program itself (which the desktop may name for a turn file). False when the desktop
  // names none, names this program, or it cannot be started.
  virtual bool OpenWithHandlerOf(const QString& file, const QString& mimeType) {
    (void)file, (void)mimeType;
    return false;
  }
  // A string value of the Wine prefix's registry: LocalMachine = system.reg, CurrentUser =
  // user.reg. Key paths are separated by '\' and compared without regard to case; an
  // empty value name is the key's default value. Returns 0 and sets `value`, else an
  // errno-style code (ENOENT when the key or value is absent, EIO for an unreadable file).
  enum class RegRoot { LocalMachine, CurrentUser };
  virtual int RegReadString(RegRoot root, const QString& keyPath, const QString& valueName, QString& value) {
    (void)root, (void)keyPath, (void)valueName, (void)value;
    return 2;
  }
};

}  // namespace kolt

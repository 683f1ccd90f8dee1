#pragma once

#include <QString>

struct _XDisplay;  // NOLINT(bugprone-reserved-identifier): Xlib's own name for Display

namespace kolt::test {

// The desktop the Wine tests play on, set up once per run of the suite: a window
// manager on the test's X server (the one xvfb-run made) and a Wine folder made afresh,
// whose first set-up takes most of the time. Windows stand-ins of the games are copied
// into its C: drive, where the adapters find the folder by the game's path.
class WineDesk {
 public:
  // Sets it up on the first call.
  static WineDesk& Get();

  // Why the tests cannot run here (a missing package, no display); empty when ready.
  const QString& Missing() const { return m_missing; }
  // Why the desktop failed to come up although everything is installed; empty when
  // it did.
  const QString& Broken() const { return m_broken; }
  const QString& Folder() const { return m_folder; }
  // True when Wine's 32-bit part is installed (Debian's wine32 puts its loader there).
  static bool Has32BitWine();
  // Copies the stand-in `standin` (its name without ".exe") to C:\Games\<game>\<exe> and
  // returns the game's folder (Unix path), made empty first.
  QString InstallGame(const QString& standin, const QString& game, const QString& exe) const;
  // Shows every Windows program started from now on inside Wine's virtual desktop
  // "Default" of `size` ("1024x768"), as winecfg's "Emulate a virtual desktop" does; an
  // empty size turns it off. Wine's own programs are ended first: a desktop of that name
  // already up without the setting would take the programs instead.
  void SetVirtualDesktop(const QString& size) const;
  // Shows a window of another program and makes it the active one, as a player's switch
  // to another program (this one's main window) does between turns.
  void ActivateOtherWindow();
  // Ends one program (a game left running), waiting a little for it to go.
  static void EndProgram(qint64 pid);
  // Ends every Windows program of the folder (done at the end of the run).
  void EndPrograms() const;
  void TearDown();

 private:
  WineDesk();

  QString m_missing;
  QString m_broken;
  QString m_folder;
  QString m_scratch;  // the temporary folder of the run's Wine programs
  qint64 m_windowManager = 0;
  _XDisplay* m_display = nullptr;
  unsigned long m_otherWindow = 0;
};

// True when the window manager knows a window titled `title`.
bool HasWindow(const QString& title);

// Waits for a window titled `title` to show and makes it the active one, as the player's
// click on it does (at most `ms`); false when it did not come.
bool ActivateWindow(const QString& title, int ms);

// Waits until `path` holds `text` (at most `ms`); returns what it holds then.
QString WaitForText(const QString& path, const QString& text, int ms);

}  // namespace kolt::test

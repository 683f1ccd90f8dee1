#pragma once

#include <QSize>
#include <QString>
#include <memory>
#include <vector>

namespace kolt {

// The windows of a running game, for adapters that drive a game's own dialogs (Combat
// Mission's file-open window). On X11 a Windows game under Wine shows a top-level window
// titled with its name whose class is its executable's name; its dialogs are new
// top-level windows transient for it, or, opened without an owner, new top-level
// windows of its process. With Wine's virtual desktop they all sit inside the desktop's
// window. Without a display nothing is found.
class GameWindows {
 public:
  using Id = unsigned long;  // 0: no window

  virtual ~GameWindows() = default;

  // False without a display: nothing can be found or driven.
  virtual bool Available() const = 0;

  // A top-level window titled `title` or whose class is `exeName` (any case), shown or
  // minimised (a shown one preferred); 0 when there is none.
  virtual Id FindGameWindow(const QString& title, const QString& exeName) = 0;
  // Shows the window if it is minimised and raises it; returns once it is shown (or
  // after a few seconds).
  virtual void Restore(Id window) = 0;
  // The window's outer size: with the frame a window manager draws around it, else its
  // own.
  virtual QSize WindowSize(Id window) = 0;
  // A left click at (x, y) in the window's coordinates.
  virtual bool ClickAt(Id window, int x, int y) = 0;
  // A shown top-level window transient for `owner` (a dialog the game opened); 0 when
  // there is none.
  virtual Id FindDialogOf(Id owner) = 0;
  // The other shown top-level windows of the process that shows `window` (a dialog it
  // opened without an owner is among them); empty when the process is unknown.
  virtual std::vector<Id> OtherWindowsOfProcess(Id window) = 0;
  // Gives `window` the keyboard focus and types `text`, then Enter when asked.
  virtual bool TypeInto(Id window, const QString& text, bool enter) = 0;
};

// The display's windows when there is one, else a stand-in that finds nothing.
std::unique_ptr<GameWindows> CreateGameWindows();

}  // namespace kolt

#pragma once

#include <memory>

#include "model/GameWindows.h"

struct _XDisplay;  // NOLINT(bugprone-reserved-identifier): Xlib's own name for Display

namespace kolt {

// Game windows on X11: found by title or class among the display's client windows and
// the windows inside frames and Wine's virtual desktop, clicked and typed into with
// XTest.
class X11GameWindows final : public GameWindows {
 public:
  // Null when there is no display or it lacks XTest.
  static std::unique_ptr<X11GameWindows> Open();
  ~X11GameWindows() override;

  bool Available() const override { return true; }
  Id FindGameWindow(const QString& title, const QString& exeName) override;
  void Restore(Id window) override;
  QSize WindowSize(Id window) override;
  bool ClickAt(Id window, int x, int y) override;
  Id FindDialogOf(Id owner) override;
  std::vector<Id> OtherWindowsOfProcess(Id window) override;
  bool TypeInto(Id window, const QString& text, bool enter) override;

 private:
  explicit X11GameWindows(_XDisplay* display);

  _XDisplay* m_display;
};

}  // namespace kolt

#pragma once

#include <QString>
#include <memory>

class QProcess;

namespace kolt {

// An X display for the games where there is none (a home server, a systemd service):
// Windows games under Wine need one even when nobody looks. With DISPLAY set nothing is
// done; else a private Xvfb is started for as long as this object lives, and DISPLAY is
// set for the programs we start.
class HeadlessDisplay {
 public:
  HeadlessDisplay();
  ~HeadlessDisplay();
  HeadlessDisplay(const HeadlessDisplay&) = delete;
  HeadlessDisplay& operator=(const HeadlessDisplay&) = delete;

  // True when a display is there (given, or started now). Else `problem` says why not.
  bool Ensure(QString* problem);
  // ":N" of the private Xvfb; empty when the display was given.
  QString Started() const { return m_display; }

  // What the user is told when neither Xvfb nor xvfb-run is installed.
  static QString MissingText();

 private:
  std::unique_ptr<QProcess> m_xvfb;
  QString m_display;
};

}  // namespace kolt

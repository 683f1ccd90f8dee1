#pragma once

#include "model/Program.h"
#include "model/Services.h"

namespace kolt {

// A built-in program whose adapter is not written yet: it has its names and reports
// itself not installed, without storing anything, so that the real adapter later
// starts from a clean record.
class PendingProgram : public Program {
 public:
  PendingProgram(const Services& services, QString shortName, QString longName, QString exeName,
                 QString emailDir)
      : m_services(services),
        m_shortName(std::move(shortName)),
        m_longName(std::move(longName)),
        m_exeName(std::move(exeName)),
        m_emailDir(std::move(emailDir)) {}

  QString GetShortName() const override { return m_shortName; }
  QString GetLongName() const override { return m_longName; }
  QString GetEMailDir() const override { return m_emailDir; }
  QString GetExeName() const override { return m_exeName; }
  bool Installed(bool rescan) override {
    (void)rescan;
    return false;
  }
  void NotInstalled() override {}
  QString GetDirectory() const override { return QString(); }
  QString GetVersion() const override { return QString(); }
  ProgramState GetStatus() const override { return ProgramState::NotRunning; }
  bool Run(WindowHandle window) override {
    (void)window;
    return false;
  }
  GameList InitGames() override { return {}; }
  void ReceivedFiles(const QString& folder, const QString& sender, bool plain) override {
    (void)folder, (void)sender, (void)plain;
  }
  bool SupportsPasswords() const override { return false; }

 protected:
  Services m_services;

 private:
  QString m_shortName, m_longName, m_exeName, m_emailDir;
};

}  // namespace kolt

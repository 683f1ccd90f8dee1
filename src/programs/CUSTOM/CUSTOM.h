#pragma once

#include "model/Program.h"
#include "model/Services.h"

namespace kolt {

// A program described by the user in `<SHORT>.INI` in the home folder. For now it only
// knows its names; it reports itself not installed, so it is listed only when the
// caller asks for every program.
class CUSTOM final : public UserProgram {
 public:
  explicit CUSTOM(const Services& services) : m_services(services) {}

  bool SetINI(const QString& shortName) override;
  // The definition file (found without regard to case), or the path it would have.
  QString GetIniPath() const { return m_iniPath; }

  QString GetShortName() const override { return m_shortName; }
  QString GetLongName() const override;
  QString GetEMailDir() const override;
  QString GetExeName() const override;
  bool Installed(bool rescan) override {
    (void)rescan;
    return false;
  }
  void NotInstalled() override;
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

 private:
  QString Definition(const QString& key, const QString& defaultValue = QString()) const;

  Services m_services;
  QString m_shortName;
  QString m_iniPath;
};

}  // namespace kolt

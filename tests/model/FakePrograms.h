#pragma once

#include <QStringList>

#include "model/Program.h"

namespace kolt::test {

// A program that answers Installed from a flag and records what it was asked. Program
// is a virtual base, as for the adapters, so that the user-defined kind below can build
// on it.
class FakeProgram : public virtual Program {
 public:
  FakeProgram(QString shortName, bool installed, QString exe = QStringLiteral("game.exe"))
      : m_short(std::move(shortName)), m_installed(installed), m_exe(std::move(exe)) {}

  QString GetShortName() const override { return m_short; }
  QString GetLongName() const override { return QStringLiteral("Long ") + m_short; }
  QString GetEMailDir() const override { return QString(); }
  QString GetExeName() const override { return m_exe; }
  bool Installed(bool rescan) override {
    calls.append(QStringLiteral("Installed(") + (rescan ? "true" : "false") + QChar(')'));
    return m_installed;
  }
  void NotInstalled() override {}
  QString GetDirectory() const override { return QStringLiteral("/games/") + m_short; }
  QString GetVersion() const override { return QStringLiteral("1.0"); }
  ProgramState GetStatus() const override { return ProgramState::NotRunning; }
  bool Run(WindowHandle) override { return false; }
  GameList InitGames() override { return {}; }
  void ReceivedFiles(const QString&, const QString&, bool) override {}
  bool SupportsPasswords() const override { return false; }

  QStringList calls;

 protected:
  QString m_short;
  bool m_installed;
  QString m_exe;
};

// A user-defined program: bound by SetINI to its short name.
class FakeUserProgram : public FakeProgram, public UserProgram {
 public:
  explicit FakeUserProgram(bool installed) : FakeProgram(QString(), installed, QString()) {}
  bool SetINI(const QString& shortName) override {
    calls.append(QStringLiteral("SetINI(") + shortName + QChar(')'));
    m_short = shortName;
    return true;
  }
  QString GetIniPath() const override { return m_short + QStringLiteral(".INI"); }
};

}  // namespace kolt::test

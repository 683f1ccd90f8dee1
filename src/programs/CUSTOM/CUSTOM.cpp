#include "programs/CUSTOM/CUSTOM.h"

#include "core/FileNames.h"
#include "core/Settings.h"
#include "core/Startup.h"

namespace kolt {

// Not complete yet: a user-defined program knows its names and reports itself not
// installed.

bool CUSTOM::SetINI(const QString& shortName) {
  m_shortName = shortName.toUpper();
  const QString home = App().homeFolder;
  const QString found = FindEntryNoCase(home, m_shortName + QStringLiteral(".INI"));
  m_iniPath = found.isEmpty() ? home + QChar('/') + m_shortName + QStringLiteral(".INI") : found;
  m_longName = IniRead(QStringLiteral("Settings"), QStringLiteral("LongName"), QString(), m_iniPath);
  if (m_longName.isEmpty()) m_longName = m_shortName;
  return true;
}

void CUSTOM::ReadINI() {}

QString CUSTOM::GetContact() const {
  return IniRead(QStringLiteral("Settings"), QStringLiteral("Contact"), QString(), m_iniPath);
}

QString CUSTOM::GetContactEMail() const {
  return IniRead(QStringLiteral("Settings"), QStringLiteral("ContactEMail"), QString(), m_iniPath);
}

QString CUSTOM::GetGameFolder() const {
  return m_emailSubDir.isEmpty() ? m_directory : m_directory + QChar('/') + m_emailSubDir;
}

bool CUSTOM::Installed(bool rescan) {
  (void)rescan;
  return false;
}

void CUSTOM::NotInstalled() {
  if (!m_shortName.isEmpty()) IniWrite(m_shortName, QStringLiteral("Directory"), QStringLiteral("-"));
}

ProgramState CUSTOM::GetStatus() const {
  return ProgramState::NotRunning;
}

bool CUSTOM::Run(WindowHandle window) {
  (void)window;
  return false;
}

GameList CUSTOM::InitGames() {
  return {};
}

void CUSTOM::ReceivedFiles(const QString& folder, const QString& sender, bool plain) {
  (void)folder, (void)sender, (void)plain;
}

bool CUSTOM::ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) {
  (void)mainWindow, (void)game, (void)password;
  return false;
}

}  // namespace kolt

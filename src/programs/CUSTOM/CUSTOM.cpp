#include "programs/CUSTOM/CUSTOM.h"

#include "core/FileNames.h"
#include "core/Settings.h"
#include "core/Startup.h"

namespace kolt {

bool CUSTOM::SetINI(const QString& shortName) {
  m_shortName = shortName.toUpper();
  const QString home = App().homeFolder;
  const QString found = FindEntryNoCase(home, m_shortName + QStringLiteral(".INI"));
  m_iniPath = found.isEmpty() ? home + QChar('/') + m_shortName + QStringLiteral(".INI") : found;
  return true;
}

QString CUSTOM::Definition(const QString& key, const QString& defaultValue) const {
  if (m_iniPath.isEmpty()) return defaultValue;
  return IniRead(QStringLiteral("Settings"), key, defaultValue, m_iniPath);
}

QString CUSTOM::GetLongName() const {
  return Definition(QStringLiteral("LongName"), m_shortName);
}

QString CUSTOM::GetEMailDir() const {
  return Definition(QStringLiteral("EMailSubDir"));
}

QString CUSTOM::GetExeName() const {
  return Definition(QStringLiteral("EXE"));
}

void CUSTOM::NotInstalled() {
  if (!m_shortName.isEmpty()) IniWrite(m_shortName, QStringLiteral("Directory"), QStringLiteral("-"));
}

}  // namespace kolt

#include "core/LoopSettings.h"

#include "core/Settings.h"

namespace kolt {
namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kAutoHost = QStringLiteral("AutoHost");
const QString kReminders = QStringLiteral("Reminders");

bool ReadFlag(const QString& section, const QString& key) {
  return IniRead(section, key, QString()).trimmed() == QStringLiteral("1");
}

bool WriteFlag(const QString& section, const QString& key, bool on) {
  // Off is written as "" so that a game's record does not linger once it is unmarked.
  return IniWrite(section, key, on ? QStringLiteral("1") : QString());
}

}  // namespace

bool SendFinishedTurnsAtOnce() {
  return ReadFlag(kSettings, QStringLiteral("SendFinishedTurns"));
}

bool SetSendFinishedTurnsAtOnce(bool atOnce) {
  return IniWrite(kSettings, QStringLiteral("SendFinishedTurns"),
                  atOnce ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IsAutoHosted(const QString& gameName) {
  return !gameName.isEmpty() && ReadFlag(kAutoHost, gameName);
}

bool SetAutoHosted(const QString& gameName, bool on) {
  return WriteFlag(kAutoHost, gameName, on);
}

bool AutoRemindersEnabled() {
  return ReadFlag(kReminders, QStringLiteral("Auto"));
}

bool SetAutoRemindersEnabled(bool on) {
  return IniWrite(kReminders, QStringLiteral("Auto"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

QDateTime LastReminder(const QString& gameKey) {
  return QDateTime::fromString(IniRead(kReminders, gameKey, QString()).trimmed(), Qt::ISODate);
}

bool SetLastReminder(const QString& gameKey, const QDateTime& when) {
  return IniWrite(kReminders, gameKey, when.toUTC().toString(Qt::ISODate));
}

}  // namespace kolt

#include "core/OverviewSettings.h"

#include "core/Settings.h"

namespace kolt {
namespace {

const QString kHistory = QStringLiteral("History");
const QString kTray = QStringLiteral("Tray");

// A stored count; the default for a missing or malformed value, never below 0.
int ReadCount(const QString& section, const QString& key, int defaultValue) {
  bool ok = false;
  const int value = IniRead(section, key, QString()).trimmed().toInt(&ok);
  return ok && value >= 0 ? value : defaultValue;
}

}  // namespace

int KeepTurns() {
  return ReadCount(kHistory, QStringLiteral("KeepTurns"), kDefaultKeepTurns);
}

bool SetKeepTurns(int turns) {
  return IniWrite(kHistory, QStringLiteral("KeepTurns"), QString::number(std::max(turns, 0)));
}

int LateDays() {
  return ReadCount(kHistory, QStringLiteral("LateDays"), kDefaultLateDays);
}

bool SetLateDays(int days) {
  return IniWrite(kHistory, QStringLiteral("LateDays"), QString::number(std::max(days, 0)));
}

bool KeepRunningInTray() {
  return ReadCount(kTray, QStringLiteral("KeepRunning"), 0) != 0;
}

bool SetKeepRunningInTray(bool keep) {
  return IniWrite(kTray, QStringLiteral("KeepRunning"), keep ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace kolt

#include "model/RecordGame.h"

#include "core/Settings.h"
#include "model/Status.h"

namespace kolt {

QString RecordGame::Section() const {
  const auto program = GetProgram();
  return program ? program->GetShortName() : QString();
}

QString RecordGame::ReadRecord(const QString& suffix, const QString& defaultValue) const {
  const QString key = GetRecordKey();
  const QString section = Section();
  // An unbound game has no record; reading "" would list the whole section.
  if (key.isEmpty() || section.isEmpty()) return defaultValue;
  return IniRead(section, key + suffix, defaultValue);
}

void RecordGame::WriteRecord(const QString& suffix, const QString& value) {
  const QString key = GetRecordKey();
  const QString section = Section();
  if (key.isEmpty() || section.isEmpty()) return;
  IniWrite(section, key + suffix, value);
}

QString RecordGame::GetStatus() const {
  return DecideStatus(GetModifiedStamp(), ReadRecord(suffix::Sent), ReadRecord(suffix::Received));
}

QString RecordGame::GetMode() const {
  const QString stored = ReadRecord(suffix::Mode);
  return stored.isEmpty() ? mode::Klt : stored;
}

void RecordGame::SetMode(const QString& value) {
  WriteRecord(suffix::Mode, value);
}

QString RecordGame::GetEMail() const {
  return ReadRecord(QString());
}

void RecordGame::SetEMail(const QString& address) {
  WriteRecord(QString(), address);
}

QString RecordGame::GetPassword() const {
  return ReadRecord(suffix::Password);
}

void RecordGame::SetPassword(const QString& password) {
  WriteRecord(suffix::Password, password);
}

void RecordGame::SetSent() {
  WriteRecord(suffix::Sent, GetModifiedStamp());
}

void RecordGame::SetReceived() {
  WriteRecord(suffix::Received, GetModifiedStamp());
}

void RecordGame::ClearRecord(bool password) {
  WriteRecord(QString(), QString());
  WriteRecord(suffix::Received, QString());
  WriteRecord(suffix::Sent, QString());
  if (password) WriteRecord(suffix::Password, QString());
}

}  // namespace kolt

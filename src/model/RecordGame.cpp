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

bool RecordGame::WriteRecord(const QString& suffix, const QString& value) {
  const QString key = GetRecordKey();
  const QString section = Section();
  if (key.isEmpty() || section.isEmpty()) return false;
  return IniWrite(section, key + suffix, value);
}

QString RecordGame::GetStatus() const {
  return DecideStatus(GetModifiedStamp(), ReadRecord(suffix::Sent), ReadRecord(suffix::Received));
}

QString RecordGame::GetMode() const {
  const QString stored = ReadRecord(suffix::Mode);
  return stored.isEmpty() ? mode::Klt : stored;
}

bool RecordGame::SetMode(const QString& mode) {
  return WriteRecord(suffix::Mode, mode);
}

QString RecordGame::GetEMail() const {
  return ReadRecord(QString());
}

bool RecordGame::SetEMail(const QString& address) {
  return WriteRecord(QString(), address);
}

QString RecordGame::GetPassword() const {
  return ReadRecord(suffix::Password);
}

bool RecordGame::SetPassword(const QString& password) {
  return WriteRecord(suffix::Password, password);
}

bool RecordGame::SetSent() {
  return WriteRecord(suffix::Sent, GetModifiedStamp());
}

bool RecordGame::SetReceived() {
  return WriteRecord(suffix::Received, GetModifiedStamp());
}

bool RecordGame::ClearRecord(bool password) {
  bool ok = WriteRecord(QString(), QString());
  ok = WriteRecord(suffix::Received, QString()) && ok;
  ok = WriteRecord(suffix::Sent, QString()) && ok;
  if (password) ok = WriteRecord(suffix::Password, QString()) && ok;
  return ok;
}

}  // namespace kolt

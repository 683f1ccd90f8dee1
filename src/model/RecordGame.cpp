#include "model/RecordGame.h"

#include "core/Settings.h"
#include "model/Status.h"

namespace kolt {
namespace {

// The keys of a record, read together: every suffix an adapter keeps.
const QStringList& RecordSuffixes() {
  static const QStringList suffixes = {QString(),        suffix::Sent,     suffix::Received,     suffix::Mode,
                                       suffix::Password, suffix::SaveName, suffix::HostPassword, suffix::Me,
                                       suffix::Computer};
  return suffixes;
}

}  // namespace

void RecordGame::Marks(quint64* pass, quint64* changes, quint64* settings) {
  const FolderSnapshot* snapshot = CurrentSnapshot();
  *pass = snapshot ? snapshot->Serial() : 0;
  *changes = snapshot ? snapshot->Changes() : 0;
  *settings = IniGeneration();
}

bool RecordGame::StillKept(quint64 pass, quint64 changes, quint64 settings) {
  quint64 p = 0, c = 0, s = 0;
  Marks(&p, &c, &s);
  return p != 0 && p == pass && c == changes && s == settings;
}

const RecordGame::KeptState& RecordGame::State() const {
  if (StillKept(m_state.pass, m_state.changes, m_state.settings)) return m_state;
  m_state.file = StateFile();
  m_state.stamp = m_state.file ? Stamp::OfFile(*m_state.file) : Stamp();
  Marks(&m_state.pass, &m_state.changes, &m_state.settings);
  return m_state;
}

std::optional<FolderEntry> RecordGame::KeptStateFile() const {
  return State().file;
}

Stamp RecordGame::ModifiedStamp() const {
  return State().stamp;
}

QString RecordGame::GetModified() const {
  const std::optional<FolderEntry>& file = State().file;
  return file ? ModifiedTextOf(*file) : QString();
}

QString RecordGame::Section() const {
  const auto program = GetProgram();
  return program ? program->GetShortName() : QString();
}

const RecordGame::KeptRecord* RecordGame::Record() const {
  if (StillKept(m_record.pass, m_record.changes, m_record.settings)) return &m_record;
  const QString key = GetRecordKey();
  const QString section = Section();
  // An unbound game has no record; reading "" would list the whole section.
  if (key.isEmpty() || section.isEmpty()) return nullptr;
  std::vector<bool> cut;
  m_record.values = IniReadKeys(section, key, RecordSuffixes(), &cut);
  m_record.addressCut = !cut.empty() && cut.front();
  Marks(&m_record.pass, &m_record.changes, &m_record.settings);
  return &m_record;
}

QString RecordGame::ReadRecord(const QString& suffix, const QString& defaultValue) const {
  const qsizetype at = RecordSuffixes().indexOf(suffix);
  if (at >= 0) {
    const KeptRecord* record = Record();
    if (!record) return defaultValue;
    // Read together, an absent key and an empty one are alike: both give the default.
    const QString& value = record->values[at];
    return value.isEmpty() ? defaultValue : value;
  }
  const QString key = GetRecordKey();
  const QString section = Section();
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
  return DecideStatus(ModifiedStamp(), SentStamp(), ReceivedStamp());
}

QString RecordGame::GetMode() const {
  const QString stored = ReadRecord(suffix::Mode);
  return stored.isEmpty() ? mode::Klt : stored;
}

bool RecordGame::SetMode(const QString& mode) {
  return WriteRecord(suffix::Mode, mode);
}

QString RecordGame::GetEMail() const {
  QString address = ReadRecord(QString());
  // Senders ask whether the stored list was cut, as after reading it themselves.
  const KeptRecord* record = Record();
  IniSetLastReadWasCut(record && record->addressCut);
  return address;
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

#pragma once

#include <optional>
#include <vector>

#include "core/FolderSnapshot.h"
#include "model/Game.h"
#include "model/Stamp.h"
#include "model/Status.h"

namespace kolt {

// The part of a game that lives in the settings file: address, mode, password and the
// sent and received stamps, all under the game's record key in the program's section;
// and the game's modification time, from the state file the adapter names. Adapters
// derive from it and supply the record key and the state file.
//
// Within a pass (core/Pass.h) the state file and the record are read once per game and
// kept while neither the pass's listings nor the settings change: a refresh asks for the
// status, the stamps and the address of every game in turn.
class RecordGame : public Game {
 public:
  QString GetStatus() const override;
  QString GetMode() const override;
  [[nodiscard]] bool SetMode(const QString& mode) override;
  QString GetEMail() const override;
  [[nodiscard]] bool SetEMail(const QString& address) override;
  QString GetPassword() const override;
  [[nodiscard]] bool SetPassword(const QString& password) override;
  [[nodiscard]] bool SetSent() override;
  [[nodiscard]] bool SetReceived() override;
  // The state file's time in the locale's short date and time format; "" without one.
  QString GetModified() const override;

  // Unique among the program's games; empty while the game is not bound.
  virtual QString GetRecordKey() const = 0;
  // The modification stamp of the game's state file (empty when it cannot be read).
  Stamp ModifiedStamp() const;
  QString GetModifiedStamp() const { return ModifiedStamp().Text(); }
  // The stamps stored when the game was last sent and received (empty when never).
  Stamp SentStamp() const { return Stamp::FromText(ReadRecord(suffix::Sent)); }
  Stamp ReceivedStamp() const { return Stamp::FromText(ReadRecord(suffix::Received)); }
  QString GetSentStamp() const { return ReadRecord(suffix::Sent); }
  QString GetReceivedStamp() const { return ReadRecord(suffix::Received); }

 protected:
  // The file whose modification time is the game's (its "status file"), when it is a
  // file; found through core/FileNames. Called once per pass.
  virtual std::optional<FolderEntry> StateFile() const = 0;
  // StateFile, kept for the pass.
  std::optional<FolderEntry> KeptStateFile() const;

  // The settings section: the program's short name.
  QString Section() const;
  QString ReadRecord(const QString& suffix, const QString& defaultValue = QString()) const;
  [[nodiscard]] bool WriteRecord(const QString& suffix, const QString& value);
  // After the files are gone: empties the address and the stamps (and the password
  // when asked); the mode stays.
  [[nodiscard]] bool ClearRecord(bool password);
  // True while what was kept for the pass `pass` still holds: the same pass, no listing
  // changed by the program, no settings changed (false outside a pass).
  static bool StillKept(quint64 pass, quint64 changes, quint64 settings);
  // The marks of the moment, for StillKept.
  static void Marks(quint64* pass, quint64* changes, quint64* settings);

 private:
  struct KeptState {
    quint64 pass = 0, changes = 0, settings = 0;
    std::optional<FolderEntry> file;
    Stamp stamp;
  };
  struct KeptRecord {
    quint64 pass = 0, changes = 0, settings = 0;
    QStringList values;  // by the suffixes of RecordSuffixes()
    bool addressCut = false;
  };
  const KeptState& State() const;
  // The record's values, read in one look-up; null when the game has no record.
  const KeptRecord* Record() const;
  mutable KeptState m_state;
  mutable KeptRecord m_record;
};

}  // namespace kolt

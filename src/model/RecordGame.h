#pragma once

#include "model/Game.h"
#include "model/Status.h"

namespace kolt {

// The part of a game that lives in the settings file: address, mode, password and the
// sent and received stamps, all under the game's record key in the program's section.
// Adapters derive from it and supply the record key and the modification stamp.
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

  // Unique among the program's games; empty while the game is not bound.
  virtual QString GetRecordKey() const = 0;
  // The modification stamp of the game's status file ("" when it cannot be read).
  virtual QString GetModifiedStamp() const = 0;
  // The stamps stored when the game was last sent and received ("" when never).
  QString GetSentStamp() const { return ReadRecord(suffix::Sent); }
  QString GetReceivedStamp() const { return ReadRecord(suffix::Received); }

 protected:
  // The settings section: the program's short name.
  QString Section() const;
  QString ReadRecord(const QString& suffix, const QString& defaultValue = QString()) const;
  [[nodiscard]] bool WriteRecord(const QString& suffix, const QString& value);
  // After the files are gone: empties the address and the stamps (and the password
  // when asked); the mode stays.
  [[nodiscard]] bool ClearRecord(bool password);
};

}  // namespace kolt

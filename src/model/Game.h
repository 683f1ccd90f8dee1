#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "model/Program.h"

namespace kolt {

// One game in progress. Created by its program's InitGames or by the receiving engine,
// bound by Init, and dropped at the next refresh: all lasting state lives in the
// settings file under the game's record key.
class Game {
 public:
  virtual ~Game() = default;

  // Binds the game to its program and its primary file `fileName` in the installation
  // folder (or in `subfolder` of it) and validates it.
  virtual void Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) = 0;
  virtual bool IsValid() const = 0;
  virtual std::shared_ptr<Program> GetProgram() const = 0;

  virtual QString GetName() const = 0;
  virtual QString GetDescription() const = 0;
  // Modification time of the status file in the locale's date format; empty when the
  // file cannot be read.
  virtual QString GetModified() const = 0;
  // Total size in bytes of the game's files.
  virtual qint64 GetSize() const = 0;
  // A game status word (see model/Status.h).
  virtual QString GetStatus() const = 0;
  // The send mode; "KLT" when none is stored.
  virtual QString GetMode() const = 0;
  [[nodiscard]] virtual bool SetMode(const QString& mode) = 0;
  // One address or several separated by ";"; "" or "-" means none.
  virtual QString GetEMail() const = 0;
  [[nodiscard]] virtual bool SetEMail(const QString& address) = 0;
  // Full paths of the files to attach when the turn is sent.
  virtual QStringList GetFiles() const = 0;
  // Deletes the game's files; on the first failure reports "Can't delete: " + path and
  // keeps the stored record, else clears the address and the stamps.
  virtual void Delete() = 0;
  // Store the current modification stamp as sent / received. The setters return false
  // when the settings file refused the value (during a pass the pass's end tells).
  [[nodiscard]] virtual bool SetSent() = 0;
  [[nodiscard]] virtual bool SetReceived() = 0;
  virtual QString GetPassword() const = 0;
  [[nodiscard]] virtual bool SetPassword(const QString& password) = 0;

  virtual bool Provides(OptionalOperation operation) const {
    (void)operation;
    return false;
  }
  // Optional: only called when Provides(OptionalOperation::ShowMore).
  virtual void ShowMore() {}
};

using GamePtr = std::shared_ptr<Game>;

// The games a program's last InitGames built. They hold their program, so the program
// holds them weakly: a cycle would keep both alive for ever.
class KeptGames {
 public:
  void Keep(const std::vector<GamePtr>& games) { m_games.assign(games.begin(), games.end()); }
  void Clear() { m_games.clear(); }
  // The kept games that still exist, in order.
  std::vector<GamePtr> Get() const {
    std::vector<GamePtr> games;
    for (const std::weak_ptr<Game>& weak : m_games) {
      if (GamePtr game = weak.lock()) games.push_back(std::move(game));
    }
    return games;
  }

 private:
  std::vector<std::weak_ptr<Game>> m_games;
};

}  // namespace kolt

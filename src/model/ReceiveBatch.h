#pragma once

#include <QString>
#include <memory>

#include "model/Game.h"
#include "model/Program.h"

namespace kolt {

// The engine through which every adapter's ReceivedFiles checks and copies received
// files. Declared here so that adapters need not know the exchange layer, which
// implements it. One batch serves one program at a time:
//   BeginReceive, then AddReceivedFile or AddMessage per file, then FinishReceive.
class ReceiveBatch {
 public:
  virtual ~ReceiveBatch() = default;

  virtual void BeginReceive(std::shared_ptr<Program> program) = 0;
  // Checks `file` (a full path) against the file of the same name in `targetFolder`
  // and queues it for copying. `sameIsOld`: an equal modification time counts as old.
  // `storedAddress` / `senderAddress`: compared when either is not empty. `primary`
  // marks the file that names a game; `key` (the subfolder argument of Game::Init) is
  // handed back when the receipt is recorded. `extra`, when not empty, names a game
  // that a non-primary file belongs to.
  virtual void AddReceivedFile(const QString& file, const QString& targetFolder, bool sameIsOld,
                               const QString& storedAddress, const QString& senderAddress, bool primary,
                               const QString& key, const QString& extra) = 0;
  // A line for the warning text (files the adapter does not recognise).
  virtual void AddMessage(const QString& text) = 0;
  // Asks when something is odd, copies the queued files with backups, and records the
  // receipt on `game` (a fresh, unbound object of the program's game class) for each
  // primary file. False when the user declined or a copy failed.
  virtual bool FinishReceive(const QString& sender, std::shared_ptr<Game> game, bool plain) = 0;
};

}  // namespace kolt

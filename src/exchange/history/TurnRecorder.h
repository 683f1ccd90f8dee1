#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

namespace kolt {

// One file of a recorded turn: its name, the folder it lives in, its size and its
// modification stamp (model/Status.h's FormatStamp form), which tells the turn's files
// apart from later ones of the same name.
struct TurnFile {
  QString name;
  QString folder;
  qint64 size = 0;
  QString stamp;
};

enum class TurnDirection {
  Sent,
  Received,
  Restored,  // the player put an earlier turn's files back
  Reminded,  // a reminder went to the opponent (no files)
};

// One line of a game's turn history.
struct TurnEntry {
  qint64 id = 0;  // given by the store
  QDateTime time;
  QString program;  // short name
  QString game;     // the game's name as listed
  TurnDirection direction = TurnDirection::Sent;
  QString opponent;  // the address sent to, or the sender
  QString mode;      // "KLT", "ZIP" or "-"
  std::vector<TurnFile> files;
  QString taunt;  // the personal text that went with the turn
};

// "Sent", "Received", "Restored", "Reminded": the stored and shown words.
QString DirectionText(TurnDirection direction);

// What the sending and receiving engine records its turns through. A failure is
// reported, never fatal: the turn itself has gone out or come in all the same.
class TurnRecorder {
 public:
  virtual ~TurnRecorder() = default;
  // False, with LastError() saying why, when the entry was not recorded.
  [[nodiscard]] virtual bool Record(const TurnEntry& entry) = 0;
  // Records all of `entries` or none (a receive's games: one write instead of one per
  // game). By default one by one.
  [[nodiscard]] virtual bool RecordAll(const std::vector<TurnEntry>& entries) {
    for (const TurnEntry& entry : entries) {
      if (!Record(entry)) return false;
    }
    return true;
  }
  virtual QString LastError() const = 0;
  // True when the newest turn recorded for the entry's game is this one (the same
  // direction and files): a receive finishing the work of one that stopped records
  // nothing twice. False when unknown.
  virtual bool HasNewest(const TurnEntry& entry) {
    (void)entry;
    return false;
  }
  // True when each of `files` (name, size and stamp; the folder aside) was among the
  // files of a turn of `program` received before. False when unknown.
  virtual bool HasReceived(const QString& program, const std::vector<TurnFile>& files) {
    (void)program;
    (void)files;
    return false;
  }
};

}  // namespace kolt

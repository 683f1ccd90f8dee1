#pragma once

#include <QByteArray>
#include <QString>

#include "model/Waiting.h"

namespace kolt {

// The turn history's latest sends and receives of every game, as the games list shows
// them. The list is refreshed far more often than turns go out or come in, and a big
// history takes a while to read: the file is read again only when it changed.
class HistoryMoments final {
 public:
  // Those of the history file at `path`; empty when there is none. When it cannot be
  // read, what was read last (and it is tried again next time).
  const TurnMomentsByGame& Latest(const QString& path);

 private:
  TurnMomentsByGame m_moments;  // the turn history as last read
  QByteArray m_state;           // and the state of its file then
};

}  // namespace kolt

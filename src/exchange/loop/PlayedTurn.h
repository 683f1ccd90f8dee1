#pragma once

#include <QString>

#include "exchange/turns/SendSelection.h"
#include "model/Game.h"

namespace kolt {

class TurnExchange;
class UiPort;

// A game the player started with Play, remembered as it was before the start, so that
// once the game program has ended we can tell whether a turn was played: the game is
// ready to send ("Send") and its files changed. A game whose start failed, or that the
// player left without playing, is never offered for sending.
class PlayedTurn {
 public:
  PlayedTurn() = default;
  explicit PlayedTurn(const Game& game);

  bool IsSet() const { return !m_key.isEmpty(); }
  // "SHORT/name", as kolt-cli names games.
  const QString& Key() const { return m_key; }
  static QString KeyOf(const Game& game);

  // The same game among `games` (a later refresh's objects), or null.
  GamePtr FindIn(const GameList& games) const;
  // True when `game` (this game, read again) holds a finished turn to send.
  bool IsFinished(const Game& game) const;

  // "Send <description> to <address> now?"
  static QString Question(const Game& game);
  // The check box under the question.
  static QString DontAskText();

 private:
  QString m_key;
  QString m_modified;
  qint64 m_size = -1;
};

// Sends the one finished game the usual way (KLT, ZIP or plain by its mode, with the
// taunt dialog when `taunt`), without the Send command's confirmation: the player has
// just answered the question above, or told us never to ask it.
SendResult SendFinishedTurn(UiPort& ui, TurnExchange& exchange, const GamePtr& game, bool taunt);

}  // namespace kolt

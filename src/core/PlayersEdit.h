#pragma once

#include <QString>
#include <vector>

namespace kolt {

// One row of a game's players list, as the players dialog shows and edits it.
struct PlayerRow {
  int number = 0;
  QString empire, leader, email, state;
  bool ai = false;          // "X" in the AI column: no address, or computer-controlled
  bool me = false;          // the user's empire (shown bold)
  bool ownAddress = false;  // the address is the user's own (shown bold)
};

// What the players dialog works on: filled by the game, edited by the user, stored by
// the game again when the dialog was closed with Close.
struct PlayersEdit {
  QString caption;
  std::vector<PlayerRow> rows;
  QString hostPassword;
};

}  // namespace kolt

#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace kolt::test {

// The first line of a Space Empires IV save file, written from its fields: the phrase
// "Different Machines" at `phrasePosition` (1-based; the game writes it at 51 to 55), the
// fields before and after it at their offsets, then one 129-character record per player.
struct Se4Player {
  int number = 1;
  QString empire, leader, email;
  QString state = QStringLiteral("Alive");
};

struct Se4Save {
  int phrasePosition = 51;
  QString turn = QStringLiteral("   12");         // 5 characters, kept as they are
  QString type = QStringLiteral("Simultaneous");  // or "Turn Based"
  int twoCharField = 1;                           // must not be 0
  int playerCount = -1;                           // -1: the number of players given
  std::vector<Se4Player> players;
};

// A game of Ann (player 1) and Bob (player 2).
inline Se4Save Se4TwoPlayers(const QString& type = QStringLiteral("Simultaneous")) {
  Se4Save save;
  save.type = type;
  save.players = {Se4Player{1, "Terrans", "Ann", "ann@example.org"},
                  Se4Player{2, "Sergetti", "Bob", "bob@example.org"}};
  return save;
}

inline QByteArray Se4SaveBytes(const Se4Save& save) {
  auto field = [](const QString& text, int width) {
    return text.leftJustified(width, QChar(' '), true).toLatin1();
  };
  auto number = [](int value, int width) {
    return QString::number(value).rightJustified(width, QChar(' '), true).toLatin1();
  };
  const int p = save.phrasePosition - 27;  // P, 1-based
  QByteArray bytes(p - 1, 'x');            // what comes before P is not read
  bytes += "HEADER";                       // P: 6 characters, not used
  bytes += field(save.turn, 5);
  bytes += number(save.playerCount >= 0 ? save.playerCount : static_cast<int>(save.players.size()), 3);
  bytes += field(save.type, 13);
  bytes += "Different Machines";
  bytes += "   ";
  bytes += number(save.twoCharField, 2);
  for (const Se4Player& player : save.players) {
    bytes += number(player.number, 3);
    bytes += field(player.empire, 40);
    bytes += field(player.leader, 40);
    bytes += field(player.email, 40);
    bytes += field(player.state, 6);
  }
  bytes += "\r\nthe rest of the save file\r\n";
  return bytes;
}

}  // namespace kolt::test

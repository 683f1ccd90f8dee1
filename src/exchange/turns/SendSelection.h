#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "model/Game.h"

// The Send and Message commands of the main window without the window: the selected
// games are ordered by address, confirmed once, and sent one address group at a time.
// kolt-cli's send command runs the same steps.
namespace kolt {

class TurnExchange;
class UiPort;

// The selected games (in list order) ordered by address without regard to case; games
// with equal addresses keep their order. Shows "Missing e-mail address:" (naming the
// first game without one) or "You have not selected any games." and returns nullopt.
std::optional<GameList> OrderByAddress(UiPort& ui, const GameList& selected);

// The confirmation question for an ordered send list.
QString SendConfirmation(const GameList& sendList, bool isMessage);

// Index ranges (0-based, inclusive) of the runs of equal addresses (ignoring case).
std::vector<std::pair<int, int>> AddressGroups(const GameList& sendList);

enum class SendResult {
  Refused,    // nothing selected, or a game without address: nothing was asked or sent
  Cancelled,  // the user declined the confirmation
  Failed,     // a group failed or its taunt was cancelled; later groups were not sent
  Sent,       // every group went out
};

// What went out of one command: the games, and the address of each group that was sent,
// in send order.
struct SentGames {
  int games = 0;
  QStringList addresses;
};

// What the status line says after a send: "Sent 2 games to paul@example.org", "Sent 3
// games to 2 players", "Sent a message to paul@example.org", "Sent messages to 2
// players"; empty when nothing went out.
QString SentText(const SentGames& sent, bool isMessage);

// The whole command. `taunt`: ask for a taunt per message (always for messages).
// `refresh` runs after the groups were tried (the window rebuilds its lists), then the
// status line says "Done!" when every group went out. `sent`, when given, receives what
// went out, also when a later group failed.
SendResult SendSelectedGames(UiPort& ui, TurnExchange& exchange, const GameList& selected, bool isMessage,
                             bool taunt, const std::function<void()>& refresh = {},
                             SentGames* sent = nullptr);

}  // namespace kolt

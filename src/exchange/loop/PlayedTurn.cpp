#include "exchange/loop/PlayedTurn.h"

#include <QCoreApplication>

#include "core/Pass.h"
#include "core/UiPort.h"
#include "exchange/turns/TurnExchange.h"
#include "model/Status.h"

namespace kolt {

PlayedTurn::PlayedTurn(const Game& game)
    : m_key(KeyOf(game)), m_modified(game.GetModified()), m_size(game.GetSize()) {}

QString PlayedTurn::KeyOf(const Game& game) {
  const auto program = game.GetProgram();
  return (program ? program->GetShortName() : QString()) + QChar('/') + game.GetName();
}

GamePtr PlayedTurn::FindIn(const GameList& games) const {
  if (m_key.isEmpty()) return nullptr;
  for (const GamePtr& game : games) {
    if (KeyOf(*game).compare(m_key, Qt::CaseInsensitive) == 0) return game;
  }
  return nullptr;
}

bool PlayedTurn::IsFinished(const Game& game) const {
  if (KeyOf(game).compare(m_key, Qt::CaseInsensitive) != 0) return false;
  if (game.GetStatus() != status::Send) return false;
  // The game's files must have changed: a game that was already waiting to be sent
  // when it was started, and left without playing, is not the player's new turn.
  return game.GetModified() != m_modified || game.GetSize() != m_size;
}

QString PlayedTurn::Question(const Game& game) {
  return QCoreApplication::translate("PlayedTurn", "Send %1 to %2 now?")
      .arg(game.GetDescription(), game.GetEMail());
}

QString PlayedTurn::DontAskText() {
  return QCoreApplication::translate("PlayedTurn", "Don't ask again: send finished turns at once");
}

SendResult SendFinishedTurn(UiPort& ui, TurnExchange& exchange, const GamePtr& game, bool taunt) {
  // The same checks as Send: a game without a valid address says so and sends nothing.
  const std::optional<GameList> list = OrderByAddress(ui, {game});
  if (!list) return SendResult::Refused;
  bool sent = false;
  {
    Pass pass;
    sent = exchange.SendGroup(game->GetEMail(), *list, 0, 0, taunt, false);
  }
  if (!sent) return SendResult::Failed;
  ui.ShowStatus(QCoreApplication::translate("PlayedTurn", "Done!"));
  return SendResult::Sent;
}

}  // namespace kolt

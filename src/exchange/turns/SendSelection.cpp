#include "exchange/turns/SendSelection.h"

#include <QCoreApplication>

#include "core/Pass.h"
#include "core/Settings.h"
#include "core/UiPort.h"
#include "exchange/mail/MailText.h"
#include "exchange/turns/TurnExchange.h"

namespace kolt {
namespace {

QString Label(const Game& game) {
  const auto program = game.GetProgram();
  return (program ? program->GetShortName() : QString()) + QStringLiteral(" : ") + game.GetName();
}

bool SameAddress(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

std::optional<GameList> OrderByAddress(UiPort& ui, const GameList& selected) {
  GameList list;
  for (const GamePtr& game : selected) {
    const QString address = game->GetEMail();
    const bool cut = IniLastReadWasCut();
    if (address.trimmed().isEmpty() || address.trimmed() == QStringLiteral("-")) {
      ui.ShowError(
          QCoreApplication::translate("SendSelection", "Missing e-mail address:\r\r%1").arg(Label(*game)));
      return std::nullopt;
    }
    // Checked again here: the settings file may hold anything, written by hand, by an
    // older copy, or cut to what a value holds (the rest of the list would be lost and
    // the last address mangled into another one).
    std::optional<QString> problem = AddressListProblem(address);
    if (cut) {
      problem = QCoreApplication::translate(
                    "SendSelection", "The stored address list is longer than %1 characters and was cut.")
                    .arg(kIniValueMax);
    }
    if (problem) {
      ui.ShowError(QCoreApplication::translate("SendSelection",
                                               "The e-mail address of this game is not valid; fix it in the "
                                               "game's properties:\r\r%1\r\r%2")
                       .arg(Label(*game), *problem));
      return std::nullopt;
    }
    const QString key = address.toUpper();
    auto at = list.begin();
    while (at != list.end() && (*at)->GetEMail().toUpper() <= key) ++at;
    list.insert(at, game);
  }
  if (list.empty()) {
    ui.ShowError(QCoreApplication::translate("SendSelection", "You have not selected any games."));
    return std::nullopt;
  }
  return list;
}

QString SendConfirmation(const GameList& sendList, bool isMessage) {
  QString text =
      isMessage ? QCoreApplication::translate("SendSelection",
                                              "Are you sure you want to send message to these players?")
                : QCoreApplication::translate("SendSelection", "Are you sure you want to send these games?");
  QString previous;
  for (size_t i = 0; i < sendList.size(); ++i) {
    const QString address = sendList[i]->GetEMail();
    if (i == 0 || !SameAddress(address, previous)) text += QStringLiteral("\r\r") + address;
    text += QStringLiteral("\r\t") + Label(*sendList[i]);
    previous = address;
  }
  return text;
}

std::vector<std::pair<int, int>> AddressGroups(const GameList& sendList) {
  std::vector<std::pair<int, int>> groups;
  for (int i = 0; i < static_cast<int>(sendList.size()); ++i) {
    const QString address = sendList[static_cast<size_t>(i)]->GetEMail();
    if (groups.empty() ||
        !SameAddress(sendList[static_cast<size_t>(groups.back().second)]->GetEMail(), address))
      groups.emplace_back(i, i);
    else
      groups.back().second = i;
  }
  return groups;
}

QString SentText(const SentGames& sent, bool isMessage) {
  const auto groups = sent.addresses.size();
  if (groups == 0) return QString();
  const QString to =
      groups == 1 ? sent.addresses.front()
                  : QCoreApplication::translate("SendSelection", "%1 players").arg(QString::number(groups));
  if (isMessage) {
    return groups == 1 ? QCoreApplication::translate("SendSelection", "Sent a message to %1").arg(to)
                       : QCoreApplication::translate("SendSelection", "Sent messages to %1").arg(to);
  }
  // A source for one game and one for more, each translated with all its plural forms:
  // the English text is right before any translation is loaded.
  return (sent.games == 1
              ? QCoreApplication::translate("SendSelection", "Sent %n game to %1", nullptr, sent.games)
              : QCoreApplication::translate("SendSelection", "Sent %n games to %1", nullptr, sent.games))
      .arg(to);
}

SendResult SendSelectedGames(UiPort& ui, TurnExchange& exchange, const GameList& selected, bool isMessage,
                             bool taunt, const std::function<void()>& refresh, SentGames* sentGames) {
  const std::optional<GameList> sendList = OrderByAddress(ui, selected);
  if (!sendList) return SendResult::Refused;
  if (ui.MsgBox(SendConfirmation(*sendList, isMessage), Buttons::OkCancel, Icon::Question) != Answer::Ok)
    return SendResult::Cancelled;
  bool sent = true;
  {
    // One pass for every group: the games' folders are listed once.
    Pass pass;
    for (const auto& [first, last] : AddressGroups(*sendList)) {
      const QString address = (*sendList)[static_cast<size_t>(last)]->GetEMail();
      sent = exchange.SendGroup(address, *sendList, first, last, isMessage || taunt, isMessage);
      if (!sent) break;
      if (sentGames) {
        sentGames->games += last - first + 1;
        sentGames->addresses.append(address);
      }
    }
  }
  if (refresh) refresh();
  if (!sent) return SendResult::Failed;
  ui.ShowStatus(QCoreApplication::translate("SendSelection", "Done!"));
  return SendResult::Sent;
}

}  // namespace kolt

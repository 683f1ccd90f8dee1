// The main window's part of the turn loop without hands: a turn finished in the game
// goes out without the player looking for Send.
#include <QCheckBox>
#include <utility>

#include "core/LoopSettings.h"
#include "core/UiPort.h"
#include "exchange/loop/AutoHost.h"
#include "model/Status.h"
#include "ui/GamesModel.h"
#include "ui/frmMain.h"
#include "ui_frmMain.h"

namespace kolt {

void frmMain::OfferPlayedTurn() {
  const PlayedTurn played = std::exchange(m_played, PlayedTurn());
  if (!played.IsSet() || !m_parts.exchange) return;
  const GamePtr game = played.FindIn(Games());
  // Not offered when the game was left without playing, or is not ready to send.
  if (!game || !played.IsFinished(*game)) return;
  if (!SendFinishedTurnsAtOnce()) {
    bool dontAsk = false;
    const Answer answer = m_parts.ui.AskWithCheckBox(PlayedTurn::Question(*game), PlayedTurn::DontAskText(),
                                                     &dontAsk, Buttons::YesNo, Icon::Question, 1);
    if (dontAsk && !SetSendFinishedTurnsAtOnce(true)) m_parts.ui.ShowSettingsWriteError();
    if (answer != Answer::Yes) return;
  }
  const BusyGuard busy = Busy();
  if (!busy) return;
  ShowStatus(QStringLiteral("Sending files..."));
  const QString address = game->GetEMail();
  const SendResult result =
      SendFinishedTurn(m_parts.ui, *m_parts.exchange, game, m_form->chkTaunt->isChecked());
  RefreshLists(true);
  if (result == SendResult::Sent) ShowStatus(AfterSendText(SentGames{1, {address}}, false, QString()));
}

void frmMain::HostMarkedGames() {
  if (m_busy || !m_parts.exchange) return;
  QSet<QString> due;
  for (const GameRow& row : m_gamesModel->Rows()) {
    const QString key = row.game + QChar('/') + row.fileName;
    if (row.status == status::Host && IsAutoHosted(key)) due.insert(key.toUpper());
  }
  m_hostTried.intersect(due);  // a game that left "Host" may be tried again later
  if (due.isEmpty() || due.subtract(QSet<QString>(m_hostTried)).isEmpty()) return;
  const BusyGuard busy = Busy();
  if (!busy) return;
  m_hostTried.unite(due);
  AutoHost host(m_parts.ui, m_parts.tools, *m_parts.exchange, m_parts.programs);
  host.SetLog([this](const QString& line) { ShowStatus(line); });
  host.Run();
  RefreshLists(true);
}

}  // namespace kolt

// The main window's part of the turn loop without hands: a turn finished in the game
// goes out without the player looking for Send.
#include <QCheckBox>
#include <QMenu>
#include <QTreeView>
#include <utility>

#include "core/LoopSettings.h"
#include "core/OverviewSettings.h"
#include "core/UiPort.h"
#include "exchange/loop/AutoHost.h"
#include "exchange/loop/Reminders.h"
#include "exchange/turns/TurnExchange.h"
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

void frmMain::BuildGameContextMenu() {
  QTreeView* games = m_form->lvGames;
  games->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(games, &QWidget::customContextMenuRequested, this, [this, games](const QPoint& at) {
    const int row = games->indexAt(at).row();
    if (row < 0) return;
    QMenu menu(this);
    QAction* remind = menu.addAction(QStringLiteral("&Remind the opponent"));
    remind->setObjectName(QStringLiteral("mnuRemind"));
    remind->setEnabled(RemindableRow(row));
    if (menu.exec(games->viewport()->mapToGlobal(at)) != remind) return;
    const BusyGuard busy = Busy();
    if (busy) RemindRow(row);
  });
}

bool frmMain::RemindableRow(int row) const {
  const std::vector<GameRow>& rows = m_gamesModel->Rows();
  if (row < 0 || row >= static_cast<int>(rows.size()) || !m_parts.exchange) return false;
  const GameRow& r = rows[static_cast<size_t>(row)];
  return Reminders::IsLateWait(r.status, r.waitingSeconds, LateDays());
}

void frmMain::RemindRow(int row) {
  if (!RemindableRow(row)) return;
  const GamePtr game = m_gamesModel->GameAt(row);
  const qint64 waiting = m_gamesModel->Rows()[static_cast<size_t>(row)].waitingSeconds;
  Reminders reminders(m_parts.ui, m_parts.exchange->Mail(), m_parts.exchange->Recorder());
  const Reminders::Result result =
      reminders.Remind(*game, waiting, LateDays(), QDateTime::currentDateTime(), false);
  if (result == Reminders::Result::Sent)
    ShowStatus(QStringLiteral("Reminded ") + game->GetEMail() + QStringLiteral(" of ") + game->GetName());
}

}  // namespace kolt

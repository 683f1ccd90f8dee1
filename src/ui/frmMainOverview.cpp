// The main window's part of the player's overview: the turn history of the selected
// game, and the tray icon with the number of games to play.
#include <sys/stat.h>
#include <QApplication>
#include <QCloseEvent>
#include <QDataStream>
#include <QFile>
#include <QTreeView>

#include "core/AppSettings.h"
#include "core/OverviewSettings.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/turns/TurnExchange.h"
#include "model/Status.h"
#include "ui/GamesModel.h"
#include "ui/TrayIcon.h"
#include "ui/frmHistory.h"
#include "ui/frmMain.h"
#include "ui_frmMain.h"

namespace kolt {

void frmMain::ShowHistory() {
  if (NoGameFor(QStringLiteral("see its turn history"))) return;
  const GamePtr game = SelectedGame();
  const BusyGuard busy = Busy();
  if (!busy) return;
  HistoryStore store(HistoryStore::DefaultPath());
  frmHistory dialog(m_parts.ui, game, store, this);
  dialog.exec();
  if (!dialog.Restored()) return;
  RefreshLists(true);
  if (!dialog.Note().isEmpty()) ShowStatus(dialog.Note());
}

QString frmMain::ReadyText() const {
  if (m_holdSendNote) return QStringLiteral("Ready");
  const QString note = m_parts.exchange ? m_parts.exchange->TakeSendHistoryNote() : QString();
  return note.isEmpty() ? QStringLiteral("Ready") : note;
}

QString frmMain::AfterSendText(const SentGames& sent, bool isMessage, const QString& arrived) const {
  QStringList parts;
  const QString sentText = SentText(sent, isMessage);
  if (!sentText.isEmpty()) parts.append(sentText);
  if (!arrived.isEmpty()) parts.append(arrived);
  const QString note = m_parts.exchange ? m_parts.exchange->TakeSendHistoryNote() : QString();
  if (!note.isEmpty()) parts.append(note);
  return parts.isEmpty() ? QStringLiteral("Ready") : parts.join(QStringLiteral("; "));
}

namespace {

// What tells one state of the history file from another: the file, its size and time,
// and SQLite's change counter (header bytes 24 to 27, counted up by every transaction
// that writes). Empty when there is no such file.
QByteArray HistoryFileState(const QString& path) {
  struct stat st {};
  if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
    return QByteArray();
  QByteArray state;
  QDataStream out(&state, QIODevice::WriteOnly);
  out << quint64{st.st_dev} << quint64{st.st_ino} << qint64{st.st_size} << qint64{st.st_mtim.tv_sec}
      << qint64{st.st_mtim.tv_nsec};
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) state += file.read(28).mid(24);
  return state;
}

}  // namespace

const TurnMomentsByGame& frmMain::TurnHistoryMoments() {
  // The list is refreshed far more often than turns go out or come in; a big history
  // takes a while to read.
  const QString path = HistoryStore::DefaultPath();
  const QByteArray state = HistoryFileState(path);
  if (state.isEmpty()) {
    m_moments.clear();
  } else if (state != m_historyState) {
    HistoryStore store(path);
    std::optional<TurnMomentsByGame> moments = store.LatestTurns();
    if (!moments) {
      m_historyState.clear();  // tried again at the next refresh; meanwhile what was read last
      return m_moments;
    }
    m_moments = std::move(*moments);
  }
  m_historyState = state;
  return m_moments;
}

void frmMain::SetUpTray() {
  if (!TrayIcon::Available()) return;  // without a tray nothing changes
  m_tray = new TrayIcon(windowIcon().isNull() ? QApplication::windowIcon() : windowIcon(), this);
  connect(m_tray, &TrayIcon::openRequested, this, &frmMain::ShowFromTray);
  connect(m_tray, &TrayIcon::refreshRequested, this, &frmMain::Refresh);
  connect(m_tray, &TrayIcon::checkMailRequested, this, &frmMain::checkMailRequested);
  connect(m_tray, &TrayIcon::quitRequested, this, [this] {
    m_quitting = true;
    close();
  });
  m_tray->Show();
}

void frmMain::UpdateOverview() {
  m_form->lvGames->resizeColumnToContents(GamesModel::kWaitingColumn);
  if (!m_tray) return;
  int play = 0;
  for (const GameRow& row : m_gamesModel->Rows()) {
    if (row.status == status::Play) ++play;
  }
  m_tray->SetPlayCount(play);
  // Settings may have named a mailbox (or dropped it) since the last refresh.
  m_tray->SetMailFetchingAvailable(m_mailbox && !ReadImapSettings().server.isEmpty());
}

void frmMain::SetMailFetchingAvailable(bool available) {
  if (m_tray) m_tray->SetMailFetchingAvailable(available);
}

bool frmMain::HideToTray() {
  if (m_quitting || !m_tray || !m_tray->IsVisible() || !KeepRunningInTray()) return false;
  hide();
  return true;
}

void frmMain::ShowFromTray() {
  if (isMinimized() || !isVisible()) showNormal();
  raise();
  activateWindow();
}

}  // namespace kolt

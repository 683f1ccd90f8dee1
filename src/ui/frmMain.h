#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QSet>
#include <functional>
#include <memory>

#include "core/Utilities.h"
#include "exchange/loop/PlayedTurn.h"
#include "exchange/turns/SendSelection.h"
#include "model/Game.h"
#include "model/ListRows.h"
#include "model/ProgramList.h"
#include "ui/BusyGuard.h"
#include "ui/HistoryMoments.h"

class QAction;
class QLabel;
class QTimer;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class frmMain;
}

namespace kolt {

class DesktopNotifier;
class GamesFill;
class GamesModel;
class HotKeys;
class MailboxChecker;
class ProgramRegistry;
class TrayIcon;
class TurnExchange;
class UiPort;
class Wintools;

// What the main window works with. Everything but the port, the toolbox and the
// program lists is optional; an absent part makes its command say it is not available.
struct MainWindowParts {
  MainWindowParts(UiPort& u, Wintools& t, ProgramRegistry& r, ProgramList& p)
      : ui(u), tools(t), registry(r), programs(p) {}

  UiPort& ui;
  Wintools& tools;
  ProgramRegistry& registry;
  ProgramList& programs;
  TurnExchange* exchange = nullptr;
  HotKeys* hotKeys = nullptr;
  // Dialogs and windows the commands open.
  std::function<void()> openSettings;  // modal
  std::function<void()> openPrograms;  // not modal
  std::function<void()> openAbout;     // modal
  std::function<void()> testEMail;
  std::function<void()> showZipWindow;
  std::function<void()> showBlatWindow;
  // Whether a file is the test message, shown as such (then it is not taken in).
  std::function<bool(const QString&)> showIfTestMessage;
  // The received file the user picks for File > Open received file; empty: none. When
  // absent, a file dialog asks.
  std::function<QString()> chooseReceivedFile;
};

// The application's main window: the installed programs, every game in progress with
// its state, the commands that play, send and receive turns, and the status bar.
class frmMain final : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmMain(MainWindowParts parts, QWidget* parent = nullptr);
  ~frmMain() override;

  // The start-up work of the window, all at once: lists, automatic selection, hot keys,
  // the mailbox check.
  void Form_Load();
  // The same as the application starts it: the window with its frame and menus is drawn
  // first; the lists fill after its first paint, a part at a time so the window stays
  // responsive, and hot keys and the mailbox check follow once every game is in.
  void StartUp();
  // True while the start-up fill runs (commands wait for it as for any other).
  bool Filling() const { return m_fill != nullptr || m_readPending; }
  // Runs on every activation: the settings prompt once, the command-line file once.
  void Form_Activate();

  void ShowStatus(const QString& text);
  // Sets the status text without passing it to the port (the port's own sink).
  void SetStatusText(const QString& text);
  void RefreshLists(bool reload);
  void FitInstalledList();
  void AutoSelect();
  int SelectByStatus(const QString& word);
  // Takes the busy state for as long as the guard lives; a guard that tests false means
  // another command runs.
  [[nodiscard]] BusyGuard Busy() { return BusyGuard(m_busy); }
  bool IsBusy() const { return m_busy; }

  // Commands.
  void Edit();
  void AutoSelectCommand();
  void Send();
  void Message();
  void Refresh();
  void Rescan();
  void PlayGame(bool host);
  void GameDoubleClick();
  void RunProgramCommand();
  void HideProgram();
  void CopyPassword() const;
  void GeneratePasswordCommand();
  void OpenReceivedFile();
  // Sends the selected games (or a message to their players); returns what went out.
  SentGames SendSelectedGames(bool isMessage);
  void ProcessCommandLineFile();
  // A file a later start handed over: taken in as a command-line file, with the window
  // raised; while a command runs it waits for it to end.
  void TakeHandedOffFile(const QString& path);
  // File > Open received file (Ctrl+O).
  void OpenReceivedFileCommand();
  // File > Turn history (Ctrl+H): the selected game's turns.
  void ShowHistory();
  // The tray's "Check mail now" is offered while mailbox fetching is set up.
  void SetMailFetchingAvailable(bool available);
  // The tray icon; nullptr where the desktop has no tray.
  TrayIcon* Tray() const { return m_tray; }
  // The 1000 ms watch of the program started by Play.
  void Timer1_Timer();
  // Takes in the turns a mailbox check fetched, once the user is at the window.
  void TakeMailboxTurns();
  MailboxChecker* Mailbox() const { return m_mailbox; }

  const GameList& Games() const;
  // The games list shows GamesRows(): the rows as the last refresh read them.
  const GamesModel& GamesRows() const { return *m_gamesModel; }
  QTreeView* GamesView() const;
  QTreeWidget* InstalledView() const;
  // The game the commands act on: the current row of the games list while it is
  // selected; else none.
  GamePtr SelectedGame() const;
  // Status panels 1 to 4.
  QString PanelText(int panel) const;

 signals:
  // The tray's "Check mail now" was chosen.
  void checkMailRequested();
  // The window itself was painted (every time).
  void painted();
  // The games list holds every game of the start-up or of a refresh.
  void filled();
  // At start-up, the games list shows rows: the last session's, or the first games read.
  void shown();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A received .klt or .zip dropped onto the window is taken in.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  // Takes in a received file (a KLT archive or the test message), with the status line
  // telling what it does.
  void ReceiveFile(const QString& path);
  void TakeIn(const QString& path);
  // Takes in a received archive and makes sure the user learns what became of it: why a
  // turn was not taken in, and for a turn of a program that is not set up the offer to
  // give its folder, after which the turn is taken in again.
  void TakeInTurn(const QString& path);
  // The program, known but not set up here, that one of `folders` (an archive's top
  // folders) is named after and that was not offered yet; null when there is none.
  ProgramPtr ProgramNotSetUp(const QStringList& folders, const QStringList& offered) const;
  // Asks for the folder of `program` (its installation-folder question) and puts it into
  // the window's program list; false when it was not set up.
  bool SetUpProgram(const ProgramPtr& program);
  void BuildWidgets();
  // Form_Load's parts: what the frame shows before the lists, and what follows them.
  void LoadFrame();
  void FinishLoad();
  // The start-up fill: begun after the first paint, one part per turn of the event loop.
  void BeginFill();
  // The rows of the last session, shown until the games are read; false when there are
  // none to show.
  bool ShowLastLists();
  void ReadGames();
  // Refresh on a large list: read in parts, the rows shown until every game is in.
  void RefreshInParts();
  static constexpr int kRefreshInPartsFrom = 3000;
  void FillStep();
  // The games read take the place of the last session's rows.
  void ReplaceLastLists();
  void EndFill();
  // Keeps the lists as they are now for the next start, once the window is idle.
  void SaveListsLater();
  void ClearPrograms();
  // The installed list shows `rows`, the programs selected before still selected.
  void ShowPrograms(const std::vector<ProgramRow>& rows);
  QTreeWidgetItem* AddProgramRow(const ProgramRow& row);
  void FillGames(Lists& lists);
  void SelectGames(const QSet<QString>& keys, const QString& currentKey);
  // The selected rows of the games list, in order.
  std::vector<int> SelectedRows() const;
  // The keys of the selected rows, and of the current row when it is selected.
  void SelectedKeys(QSet<QString>& keys, QString& currentKey) const;
  void SelectRows(const std::vector<bool>& selected, int current);
  // Says what the last receive took in: the received games selected and in view, the
  // status line, and a desktop notification while the window is not the active one.
  // False when nothing arrived.
  bool AnnounceArrivals();
  void FitColumns();
  void KeepGameColumnsInView();
  int SelectedProgramIndex() const;
  void StartWatching();
  void StartGame(const GamePtr& game, bool host, bool doubleClick);
  bool HostGame(Program& program, Game& game);
  // Says that a part the window was made without is missing; `text` is the whole sentence.
  void NotAvailable(const QString& text);
  // Greys the buttons that need a game while none is selected.
  void UpdateGameCommands();
  void EnsureCurrentGame();
  // True when no game is selected, after the status line said so ("... to `what`.").
  bool NoGameFor(const QString& what);
  void SetPanelTips();
  // The hint over an empty games list: what a new user does next.
  void ShowEmptyHint();
  // The tray icon where the desktop has a tray; after each refresh the games to play on
  // it and the waiting column's width.
  void SetUpTray();
  void UpdateOverview();
  // Close leaves the program in the tray when the user chose so: true when the window
  // was hidden instead.
  bool HideToTray();
  // "Ready", or what the turn history missed of the last send.
  QString ReadyText() const;
  // The status line after a send: what went where, what arrived meanwhile, and what the
  // turn history missed.
  QString AfterSendText(const SentGames& sent, bool isMessage, const QString& arrived) const;
  void ShowFromTray();
  // Once the game started by Play has ended: offers its finished turn for sending, or
  // sends it at once when the player said not to ask.
  void OfferPlayedTurn();
  // Hosts and sends the games marked "Host automatically" whose orders are all in, as
  // the last refresh listed them; each such game is tried once until its state changes.
  void HostMarkedGames();
  // The games list's context menu: Remind, for a game that waits on a late opponent.
  void BuildGameContextMenu();
  bool RemindableRow(int row) const;
  // Mails the opponent of the game in `row` a reminder. The caller holds the busy state:
  // the context menu's command, or Edit while the game dialog offers Remind.
  void RemindRow(int row);

  std::unique_ptr<Ui::frmMain> m_form;
  MainWindowParts m_parts;
  GamesModel* m_gamesModel = nullptr;
  bool m_busy = false;
  bool m_settingsPrompted = false;
  bool m_commandLineProcessed = false;
  bool m_watching = false;
  MailboxChecker* m_mailbox = nullptr;
  bool m_mailboxNotified = false;   // the user was told that fetched turns wait
  bool m_arrivalAnnounced = false;  // the last refresh said what arrived
  bool m_holdSendNote = false;      // the send's own refresh leaves the history note to it
  QString m_receiveOutcome;         // the status line after a receive that took nothing in
  // The turn history's latest sends and receives of every game; empty when there is
  // none or it cannot be read (the waiting times then count from the files' stamps).
  HistoryMoments m_historyMoments;

  QLabel* m_panels[4] = {};
  QTimer* m_timer = nullptr;
  QAction* m_mnuOpenInWinZip = nullptr;
  DesktopNotifier* m_notifier = nullptr;
  QLabel* m_emptyHint = nullptr;
  TrayIcon* m_tray = nullptr;
  bool m_quitting = false;      // Quit from the tray: closing really ends the program
  bool m_startPending = false;  // StartUp waits for the first paint to fill the lists
  std::unique_ptr<GamesFill> m_fill;
  // Rows the fill has read and the list does not show yet, and when it last took some.
  GameList m_heldGames;
  std::vector<GameRow> m_heldRows;
  std::vector<bool> m_heldReceived;
  QElapsedTimer m_lastShown;
  bool m_fillHoldsBusy = false;       // the fill took the busy state (and gives it back)
  bool m_fillIsStartUp = true;        // the fill is the start-up's, not a refresh's
  bool m_replacingLastLists = false;  // the fill reads games in place of the rows shown
  bool m_readPending = false;         // ... and starts reading once those are drawn
  std::vector<ProgramRow> m_heldPrograms;
  std::vector<ProgramRow> m_programRows;  // what the installed list shows
  bool m_listsSavePending = false;
  PlayedTurn m_played;        // the game Play started, as it was before
  QSet<QString> m_hostTried;  // marked games hosting was tried for, while still in "Host"
};

}  // namespace kolt

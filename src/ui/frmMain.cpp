#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "core/AppSettings.h"
#include "core/LoopSettings.h"
#include "core/OverviewSettings.h"
#include "core/Pass.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/UiPort.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/loop/AutoHost.h"
#include "exchange/loop/Reminders.h"
#include "exchange/turns/ReceiveOutcome.h"
#include "exchange/turns/SendSelection.h"
#include "exchange/turns/TurnExchange.h"
#include "model/HotKeys.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "model/Status.h"
#include "model/Wintools.h"
#include "ui/DesktopNotifier.h"
#include "ui/GamesFill.h"
#include "ui/GamesModel.h"
#include "ui/LastLists.h"
#include "ui/MailboxChecker.h"
#include "ui/PlainTip.h"
#include "ui/TrayIcon.h"
#include "ui/UserGuide.h"
#include "ui/frmGame.h"
#include "ui/frmHistory.h"
#include "ui_frmMain.h"

namespace kolt {
namespace {

// Design widths are twips; 15 twips make a pixel at 96 dpi.
int TwipsToPixels(int twips) {
  return twips / 15;
}

void SetBold(QTreeWidgetItem* item, int column, bool bold) {
  QFont f = item->font(column);
  f.setBold(bold);
  item->setFont(column, f);
}

}  // namespace

frmMain::frmMain(MainWindowParts parts, QWidget* parent)
    : QMainWindow(parent), m_form(std::make_unique<Ui::frmMain>()), m_parts(std::move(parts)) {
  m_form->setupUi(this);
  BuildWidgets();
  setAcceptDrops(true);
  BuildMenus();
  BuildGameContextMenu();
  m_timer = new QTimer(this);
  m_timer->setObjectName(QStringLiteral("Timer1"));
  m_timer->setInterval(1000);
  connect(m_timer, &QTimer::timeout, this, &frmMain::Timer1_Timer);
  m_timer->start();
  SetUpTray();
  m_notifier = new DesktopNotifier(this);
  connect(m_notifier, &DesktopNotifier::activated, this, [this] {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
  });

  const QByteArray geometry = WindowGeometry();
  if (geometry.isEmpty() || !restoreGeometry(geometry)) {
    // Wide enough for every column of the games list on a usual screen.
    QSize size(1200, 660);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
  }
}

frmMain::~frmMain() = default;

// What the form file cannot say: the lists' columns and model, the status panels and
// the connections.
void frmMain::BuildWidgets() {
  QTreeWidget* installed = m_form->lvInstalled;
  installed->setHeaderLabels(ProgramColumnHeaders());
  QTreeView* games = m_form->lvGames;
  m_gamesModel = new GamesModel(this);
  games->setModel(m_gamesModel);
  // A click on a header sorts by that column; until then the programs' own order.
  games->header()->setSortIndicator(-1, Qt::AscendingOrder);
  games->setSortingEnabled(true);
  // Shown beside the state it counts.
  games->header()->moveSection(GamesModel::kWaitingColumn, kGameSizeColumn + 2);
  // Columns fit what a sample of rows holds: measuring every cell of thousands of games
  // would cost more than the rest of a refresh.
  games->header()->setResizeContentsPrecision(200);
  games->installEventFilter(this);
  // Over an empty games list: what to do next.
  m_emptyHint = new QLabel(games->viewport());
  m_emptyHint->setObjectName(QStringLiteral("lblEmptyHint"));
  m_emptyHint->setWordWrap(true);
  m_emptyHint->setAlignment(Qt::AlignCenter);
  m_emptyHint->setForegroundRole(QPalette::PlaceholderText);
  m_emptyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
  m_emptyHint->hide();
  games->viewport()->installEventFilter(this);

  // Shown until the status, the hot keys and the time zone are known.
  const QString panelNames[4] = {
      //: the status bar's first panel, before any status is shown
      tr("Status"), tr("Hot key for file name"), tr("Hot key for password"), tr("Time zone")};
  for (int i = 0; i < 4; ++i) {
    m_panels[i] = new QLabel(panelNames[i]);
    m_panels[i]->setObjectName(QStringLiteral("StatusBar1_Panel") + QString::number(i + 1));
    m_panels[i]->setFrameShape(QFrame::StyledPanel);
    m_panels[i]->setMinimumWidth(i == 0 ? 200 : 120);
    if (i == 0)
      statusBar()->addWidget(m_panels[i], 1);
    else
      statusBar()->addPermanentWidget(m_panels[i]);
  }

  const QList<int> programWidths = ProgramColumnWidths();
  for (int i = 0; i < programWidths.size(); ++i)
    installed->setColumnWidth(i, TwipsToPixels(programWidths[i]));
  const QList<int> gameWidths = GameColumnWidths();
  for (int i = 0; i < gameWidths.size(); ++i) games->setColumnWidth(i, TwipsToPixels(gameWidths[i]));

  connect(m_form->cmdRun, &QPushButton::clicked, this, &frmMain::RunProgramCommand);
  connect(m_form->cmdHide, &QPushButton::clicked, this, &frmMain::HideProgram);
  connect(m_form->cmdEdit, &QPushButton::clicked, this, &frmMain::Edit);
  connect(m_form->cmdSelect, &QPushButton::clicked, this, &frmMain::AutoSelectCommand);
  connect(m_form->cmdSend, &QPushButton::clicked, this, &frmMain::Send);
  connect(m_form->cmdRefresh, &QPushButton::clicked, this, &frmMain::Refresh);
  // Ctrl held at the click hosts instead of playing.
  connect(m_form->cmdPlay, &QPushButton::clicked, this,
          [this] { PlayGame(QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier)); });
  connect(m_form->cmdMessage, &QPushButton::clicked, this, &frmMain::Message);
  // The buttons that act on one game are greyed while there is none to act on.
  connect(games->selectionModel(), &QItemSelectionModel::currentChanged, this, &frmMain::UpdateGameCommands);
  connect(games->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &frmMain::UpdateGameCommands);
  connect(m_gamesModel, &QAbstractItemModel::modelReset, this, [this] {
    EnsureCurrentGame();
    UpdateGameCommands();
  });
  UpdateGameCommands();
  connect(m_form->cmdClose, &QPushButton::clicked, this, &QWidget::close);
  connect(m_form->chkTaunt, &QCheckBox::clicked, this, [this](bool checked) {
    if (!SetTauntEnabled(checked)) m_parts.ui.ShowSettingsWriteError();
  });
  connect(installed, &QTreeWidget::itemDoubleClicked, this, [this] { RunProgramCommand(); });
  connect(games, &QTreeView::doubleClicked, this, [this] { GameDoubleClick(); });
}

void frmMain::BuildMenus() {
  auto add = [this](QMenu* menu, const QString& caption, const char* name, const QKeySequence& key,
                    auto slot) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) {
      a->setShortcut(key);
      a->setShortcutContext(Qt::WindowShortcut);
    }
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  add(file, tr("&Edit selected game..."), "mnuEdit", QKeySequence(Qt::Key_F2), [this] { Edit(); });
  add(file, tr("Turn &history..."), "mnuHistory", QKeySequence(Qt::CTRL | Qt::Key_H),
      [this] { ShowHistory(); });
  add(file, tr("&Automatically select games"), "mnuAutoSelect", QKeySequence(Qt::Key_F3),
      [this] { AutoSelectCommand(); });
  add(file, tr("&Send selected games..."), "mnuSend", QKeySequence(Qt::Key_F4), [this] { Send(); });
  //: the menu command that reads the programs and games again
  add(file, tr("&Refresh"), "mnuRefresh", QKeySequence(Qt::Key_F5), [this] { Refresh(); });
  add(file, tr("S&top checking the mailbox"), "mnuStopMailbox", QKeySequence(), [this] {
    if (m_mailbox) m_mailbox->Cancel();
  });
  //: the menu command that starts the selected game
  add(file, tr("&Play"), "mnuPlay", QKeySequence(Qt::Key_F9), [this] { PlayGame(false); });
  //: the menu command that hosts the selected game (Space Empires IV)
  add(file, tr("&Host..."), "mnuHost", QKeySequence(Qt::CTRL | Qt::Key_F9), [this] { PlayGame(true); });
  add(file, tr("Send &Message..."), "mnuMessage", QKeySequence(Qt::Key_F12), [this] { Message(); });
  file->addSeparator()->setObjectName(QStringLiteral("mnuSep2"));
  add(file, tr("Generate password..."), "mnuGeneratePassword", QKeySequence(Qt::Key_F11),
      [this] { GeneratePasswordCommand(); });
  add(file, tr("Copy the selected game password"), "mnuCopyPassword", QKeySequence(Qt::CTRL | Qt::Key_C),
      [this] { CopyPassword(); });
  file->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
  add(file, tr("Open &received file..."), "mnuOpenReceived", QKeySequence(Qt::CTRL | Qt::Key_O),
      [this] { OpenReceivedFileCommand(); });
  m_mnuOpenInWinZip = add(file, tr("&Open the received file in the archive viewer"), "mnuOpenInWinZip",
                          QKeySequence(Qt::Key_F6), [this] { OpenReceivedFile(); });
  m_mnuOpenInWinZip->setEnabled(false);
  add(file, tr("Show the last Zip operation..."), "mnuShowZipWindow", QKeySequence(Qt::Key_F7), [this] {
    if (m_parts.showZipWindow) m_parts.showZipWindow();
  });
  add(file, tr("Show the last SMTP operation..."), "mnuShowBlatWindow", QKeySequence(Qt::Key_F8), [this] {
    if (m_parts.showBlatWindow) m_parts.showBlatWindow();
  });

  QMenu* options = menuBar()->addMenu(tr("&Options"));
  options->setObjectName(QStringLiteral("mnuSep"));
  add(options, tr("&Sending e-mail..."), "mnuSettings", QKeySequence(), [this] {
    if (m_parts.openSettings) {
      m_parts.openSettings();
      UpdateOverview();  // the tray offers "Check mail now" once a mailbox is named
    } else {
      NotAvailable(tr("The settings dialog is not available yet."));
    }
  });
  add(options, tr("&Test e-mail sending"), "mnuTestEMail", QKeySequence(), [this] {
    if (m_parts.testEMail)
      m_parts.testEMail();
    else
      NotAvailable(tr("The test message is not available yet."));
  });
  options->addSeparator()->setObjectName(QStringLiteral("mnuSep3"));
  add(options, tr("&Modify installed programs..."), "mnuModifyPrograms", QKeySequence(), [this] {
    if (m_parts.openPrograms)
      m_parts.openPrograms();
    else
      NotAvailable(tr("The programs dialog is not available yet."));
  });
  add(options, tr("&Rescan installed programs"), "mnuRescanInstalled", QKeySequence(), [this] { Rescan(); });
  options->addSeparator()->setObjectName(QStringLiteral("mnuSep4"));
  add(options, tr("Set &additional working folder..."), "mnuWorkingFolder", QKeySequence(), [this] {
    if (m_parts.exchange)
      m_parts.exchange->SetWorkingFolderCommand();
    else
      NotAvailable(tr("The working folder is not available yet."));
  });

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  // F1 is help, as everywhere on the desktop: the user guide.
  add(help, tr("&User guide"), "mnuGuide", QKeySequence(Qt::Key_F1),
      [this] { UserGuide::Open(m_parts.ui, UserGuide::Candidates()); });
  add(help, tr("&About KOLT Helper..."), "mnuAbout", QKeySequence(), [this] {
    if (m_parts.openAbout) m_parts.openAbout();
  });
}

void frmMain::NotAvailable(const QString& text) {
  m_parts.ui.MsgBox(text, Buttons::Ok, Icon::Information);
}

QString frmMain::PanelText(int panel) const {
  if (panel < 1 || panel > 4) return QString();
  return m_panels[panel - 1]->text();
}

void frmMain::Form_Load() {
  LoadFrame();
  m_parts.registry.BuildProgramList(m_parts.programs);
  RefreshLists(true);
  FinishLoad();
}

void frmMain::StartUp() {
  LoadFrame();
  m_startPending = true;
  // A window that is never drawn (opened on another workspace, say) fills all the same.
  QTimer::singleShot(1000, this, [this] {
    if (m_startPending) BeginFill();
  });
}

void frmMain::LoadFrame() {
  // Two windows on two home folders must be told apart: a home other than the usual one
  // is named in the title.
  const QString usual = QDir::cleanPath(
      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kolt"));
  const QString home = App().homeFolder.isEmpty() ? QString() : QDir::cleanPath(App().homeFolder);
  setWindowTitle(home.isEmpty() || home == usual ? AppTitle() : AppTitle() + QStringLiteral(" - ") + home);
  m_panels[3]->setText(App().timeZoneText);
  m_form->chkTaunt->setChecked(TauntEnabled());
}

void frmMain::FinishLoad() {
  FitInstalledList();
  // Turns the working folder brought in stay selected.
  if (!m_arrivalAnnounced) AutoSelect();
  if (HotKeys* keys = m_parts.hotKeys) {
    keys->SetBusyCheck([this] { return IsBusy() || QApplication::activeModalWidget() != nullptr; });
    keys->SetNotice([this](const QString& text) { ShowStatus(text); });
    keys->SetTextProvider([](HotKeys::Key key) {
      if (key == HotKeys::Key::FileName) return App().lastPlayedGameName;
      return QGuiApplication::clipboard()->text();
    });
    if (keys->Register()) {
      if (!keys->PasswordKeyText().isEmpty()) m_panels[2]->setText(keys->PasswordKeyText());
      if (!keys->FileNameKeyText().isEmpty()) m_panels[1]->setText(keys->FileNameKeyText());
    }
  }
  SetPanelTips();
  if (m_parts.exchange) {
    m_mailbox = new MailboxChecker(m_parts.ui, *m_parts.exchange, m_parts.programs, this);
    connect(m_mailbox, &MailboxChecker::status, this, &frmMain::ShowStatus);
    connect(m_mailbox, &MailboxChecker::waiting, this, &frmMain::TakeMailboxTurns);
    connect(this, &frmMain::checkMailRequested, m_mailbox, [this] { m_mailbox->Check(true); });
    m_mailbox->Check(false);
  }
  UpdateOverview();
  emit filled();
}

void frmMain::BeginFill() {
  if (!m_startPending) return;
  m_startPending = false;
  // Commands wait for the games they act on; the window draws and scrolls meanwhile.
  m_fillHoldsBusy = !m_busy;
  m_busy = true;
  m_replacingLastLists = ShowLastLists();
  if (!m_replacingLastLists) return ReadGames();
  // The last session's rows are drawn before any folder is read.
  m_readPending = true;
  emit shown();
  QTimer::singleShot(0, this, [this] {
    if (!std::exchange(m_readPending, false)) return;  // closed meanwhile
    ReadGames();
  });
}

bool frmMain::ShowLastLists() {
  std::optional<LastLists> last =
      LoadLastLists(LastListsPath(App().homeFolder), QDateTime::currentSecsSinceEpoch());
  if (!last || last->games.empty()) return false;
  ShowPrograms(last->programs);
  FitInstalledList();
  m_gamesModel->ShowRows(std::move(last->games));
  FitColumns();
  AutoSelect();
  return true;
}

void frmMain::ReadGames() {
  if (m_fillIsStartUp) m_parts.registry.BuildProgramList(m_parts.programs);
  // One pass for the whole fill: the working folder's turns and every game folder, each
  // listed once.
  auto pass = std::make_unique<Pass>();
  if (m_parts.exchange && !App().workingFolder.isEmpty()) m_parts.exchange->ProcessWorkingFolder();
  if (!m_replacingLastLists) ClearPrograms();
  m_fill = std::make_unique<GamesFill>(
      std::move(pass), m_parts.programs,
      [this](const Program& program) { ShowStatus(tr("Checking %1").arg(program.GetLongName())); },
      m_historyMoments.Latest(HistoryStore::DefaultPath()));
  FillStep();
}

void frmMain::ClearPrograms() {
  m_form->lvInstalled->clear();
  m_programRows.clear();
}

void frmMain::ShowPrograms(const std::vector<ProgramRow>& rows) {
  QSet<QString> selected;
  for (QTreeWidgetItem* item : m_form->lvInstalled->selectedItems()) selected.insert(item->text(0));
  ClearPrograms();
  for (const ProgramRow& row : rows) AddProgramRow(row)->setSelected(selected.contains(row.game));
}

QTreeWidgetItem* frmMain::AddProgramRow(const ProgramRow& row) {
  m_programRows.push_back(row);
  auto* item = new QTreeWidgetItem(row.ShownCells());
  item->setToolTip(1, PlainTip(row.name));
  item->setToolTip(2, PlainTip(row.version));
  item->setToolTip(4, PlainTip(row.directory));
  m_form->lvInstalled->addTopLevelItem(item);
  // Bold: the program received files in this run.
  SetBold(item, 0, m_parts.exchange && CollectionHasKey(m_parts.exchange->ReceivedPrograms(), row.game));
  return item;
}

void frmMain::FillStep() {
  if (!m_fill) return;  // stopped by a close
  const bool first = m_gamesModel->rowCount() == 0;
  // A short first part puts the top of the list on the screen soon; later parts are as
  // long as a frame or two, so scrolling and the menus keep answering, and never more
  // games than a fast machine reads in that time.
  GamesFill::Part part = m_fill->Next(first ? 10 : 40, first ? 200 : 2000);
  for (ProgramRow& row : part.programs) {
    if (m_replacingLastLists) {
      m_heldPrograms.push_back(std::move(row));
      continue;
    }
    AddProgramRow(row);
  }
  if (!part.programs.empty() && !m_replacingLastLists) FitInstalledList();
  const KeyedCollection noMarks;
  const KeyedCollection& receivedGames = m_parts.exchange ? m_parts.exchange->ReceivedGames() : noMarks;
  for (const GameRow& row : part.rows)
    m_heldReceived.push_back(CollectionHasKey(receivedGames, row.game + QChar('\t') + row.fileName));
  std::move(part.games.begin(), part.games.end(), std::back_inserter(m_heldGames));
  std::move(part.rows.begin(), part.rows.end(), std::back_inserter(m_heldRows));
  if (m_replacingLastLists) {
    // The last session's rows stay until every game is read, then give way at once.
    if (m_fill->Done()) ReplaceLastLists();
  } else {
    // The first rows go on the screen at once; the others a few times a second: every
    // insertion lays out and draws the list again, which adds up over many parts.
    constexpr qint64 kShowEveryMs = 250;
    if (!m_heldRows.empty() && (first || m_fill->Done() || m_lastShown.elapsed() >= kShowEveryMs)) {
      m_gamesModel->Append(std::move(m_heldGames), std::move(m_heldRows), std::move(m_heldReceived));
      m_heldGames.clear();
      m_heldRows.clear();
      m_heldReceived.clear();
      m_lastShown.start();
      // The columns fit the first rows shown (a sample, not every game).
      if (first) FitColumns();
      if (first) emit shown();
    }
  }
  if (m_fill->Done()) {
    EndFill();
    return;
  }
  QTimer::singleShot(0, this, &frmMain::FillStep);
}

void frmMain::ReplaceLastLists() {
  m_replacingLastLists = false;
  ShowPrograms(std::exchange(m_heldPrograms, {}));
  FitInstalledList();
  // The selection and the row the player scrolled to stay (a start selects the games to
  // send again when the fill ends).
  QTreeView* view = m_form->lvGames;
  const QString top = m_gamesModel->RowKey(view->indexAt(QPoint(0, 0)).row());
  QSet<QString> selected;
  QString current;
  SelectedKeys(selected, current);
  m_gamesModel->Reset(std::exchange(m_heldGames, {}), std::exchange(m_heldRows, {}),
                      std::exchange(m_heldReceived, {}));
  SelectGames(selected, current);
  for (int row = 0; !top.isEmpty() && row < m_gamesModel->rowCount(); ++row) {
    if (m_gamesModel->RowKey(row) != top) continue;
    view->scrollTo(m_gamesModel->index(row, 0), QAbstractItemView::PositionAtTop);
    break;
  }
}

void frmMain::EndFill() {
  if (!m_fill->End()) m_parts.ui.ShowSettingsWriteError();
  m_fill.reset();
  if (m_fillHoldsBusy) m_busy = false;
  m_fillHoldsBusy = false;
  m_arrivalAnnounced = false;
  ShowEmptyHint();
  FitColumns();
  if (!AnnounceArrivals()) ShowStatus(ReadyText());
  SaveListsLater();
  if (!std::exchange(m_fillIsStartUp, true)) {
    UpdateOverview();
    if (m_mailbox) m_mailbox->Check(true);
    emit filled();
    return;
  }
  if (m_gamesModel->rowCount() == 0) emit shown();  // an empty list is shown as it is
  FinishLoad();
  // A turn named on the command line waited for the list.
  if (isActiveWindow()) QTimer::singleShot(0, this, &frmMain::Form_Activate);
}

void frmMain::SaveListsLater() {
  if (std::exchange(m_listsSavePending, true)) return;
  // After the lists are drawn, once however many refreshes come before.
  QTimer::singleShot(0, this, [this] {
    m_listsSavePending = false;
    if (Filling() || !m_gamesModel->HasGames()) return;
    LastLists lists{m_programRows, m_gamesModel->Rows()};
    // Only a quicker next start is lost when this fails.
    (void)SaveLastLists(LastListsPath(App().homeFolder), lists, QDateTime::currentSecsSinceEpoch());
  });
}

void frmMain::TakeMailboxTurns() {
  if (!m_mailbox || !m_mailbox->HasWaiting()) return;
  // A receive may ask questions: they wait until the user is at the window.
  if (!isActiveWindow() || IsBusy() || QApplication::activeModalWidget()) {
    if (!isActiveWindow() && !m_mailboxNotified) {
      m_mailboxNotified = true;
      m_notifier->Notify(tr("Turns arrived in the mailbox"),
                         tr("They are taken in when you return to KOLT Helper."));
      QApplication::alert(this);
    }
    return;
  }
  const BusyGuard busy = Busy();
  if (!busy) return;
  m_mailboxNotified = false;
  m_mailbox->TakeInWaiting();
  RefreshLists(true);
}

// What the status panels are for: the hot keys work in the game's own windows, which
// nothing else on the screen tells.
void frmMain::SetPanelTips() {
  const QString fileKey = m_panels[1]->text();
  const QString passwordKey = m_panels[2]->text();
  m_panels[1]->setToolTip(PlainTip(
      tr("Press %1 in the game's file dialog to type the file name of the game started last with Play.")
          .arg(fileKey)));
  m_panels[2]->setToolTip(PlainTip(
      tr("Press %1 in the game's password dialog to type the clipboard: Play copies the game's password "
         "there.")
          .arg(passwordKey)));
  m_panels[3]->setToolTip(
      PlainTip(tr("Your time zone, as it goes to your opponents with every turn you send.")));
}

bool frmMain::event(QEvent* event) {
  const bool result = QMainWindow::event(event);
  if (event->type() == QEvent::Paint) {
    emit painted();
    // Once the frame is on the screen: the lists fill from the next turn of the loop.
    if (m_startPending) QTimer::singleShot(0, this, &frmMain::BeginFill);
  }
  if (event->type() == QEvent::WindowActivate) {
    // After the activation itself has been handled: the prompt and the file may open
    // modal windows.
    QTimer::singleShot(0, this, &frmMain::Form_Activate);
  }
  return result;
}

void frmMain::Form_Activate() {
  if (MailMode().isEmpty() && !m_settingsPrompted) {
    m_settingsPrompted = true;
    m_parts.ui.DoEvents();
    if (m_parts.openSettings) m_parts.openSettings();
  }
  {
    const BusyGuard busy = Busy();
    if (!busy) return;
    if (!App().commandLineFile.isEmpty() && !m_commandLineProcessed) {
      m_commandLineProcessed = true;
      ProcessCommandLineFile();
    }
  }
  TakeMailboxTurns();  // fetched while the user was away
}

void frmMain::ProcessCommandLineFile() {
  ReceiveFile(App().commandLineFile);
}

void frmMain::TakeHandedOffFile(const QString& path) {
  // A file handed over while a command runs waits for it to end.
  if (IsBusy() || QApplication::activeModalWidget()) {
    QTimer::singleShot(500, this, [this, path] { TakeHandedOffFile(path); });
    return;
  }
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  const BusyGuard busy = Busy();
  App().commandLineFile = path;  // what "Open the received file" opens
  m_commandLineProcessed = true;
  ReceiveFile(path);
}

void frmMain::OpenReceivedFileCommand() {
  QString path;
  if (m_parts.chooseReceivedFile) {
    path = m_parts.chooseReceivedFile();
  } else {
    // The patterns stay out of the texts: a translation must not change what is listed.
    const QString filter = tr("Turn files (%1)").arg(QStringLiteral("*.klt *.KLT *.zip *.ZIP")) +
                           QStringLiteral(";;") + tr("All files (%1)").arg(QStringLiteral("*"));
    path = QFileDialog::getOpenFileName(this, tr("Open received file"), QDir::homePath(), filter);
  }
  if (!path.isEmpty()) TakeHandedOffFile(QFileInfo(path).absoluteFilePath());
}

namespace {

// The first local .klt or .zip file among dropped URLs; empty when there is none.
QString DroppedTurnFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return QString();
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    QString path = url.toLocalFile();
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QStringLiteral("klt"), Qt::CaseInsensitive) == 0 ||
        suffix.compare(QStringLiteral("zip"), Qt::CaseInsensitive) == 0)
      return path;
  }
  return QString();
}

}  // namespace

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedTurnFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
  const QString path = DroppedTurnFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // After the drop has ended: taking a turn in may ask questions.
  QTimer::singleShot(0, this, [this, path] { TakeHandedOffFile(path); });
}

void frmMain::ReceiveFile(const QString& path) {
  ShowStatus(tr("Processing file %1 ...").arg(path));
  m_parts.ui.DoEvents();
  m_arrivalAnnounced = false;
  m_receiveOutcome.clear();
  TakeIn(path);
  if (!m_arrivalAnnounced)
    //: the status line when nothing is going on
    ShowStatus(m_receiveOutcome.isEmpty() ? tr("Ready") : m_receiveOutcome);
}

void frmMain::TakeIn(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    m_parts.ui.ShowError(tr("Invalid file name: %1").arg(path));
    return;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    SetSystemError(errno);
    m_parts.ui.ShowError(tr("Can't open file: %1").arg(path));
    return;
  }
  file.close();
  if (m_parts.showIfTestMessage && m_parts.showIfTestMessage(path)) return;
  const int programs = m_parts.programs.Count();
  if (m_parts.exchange) {
    TakeInTurn(path);
  } else {
    NotAvailable(tr("Receiving turns is not available yet."));
  }
  RefreshLists(true);
  if (m_parts.programs.Count() != programs) FitInstalledList();  // a program was set up
  m_mnuOpenInWinZip->setEnabled(true);
}

void frmMain::TakeInTurn(const QString& path) {
  TurnExchange& exchange = *m_parts.exchange;
  QStringList offered;
  for (;;) {
    const ReceiveRecords before = exchange.Records();
    const bool taken = exchange.ReceivedFile(path);
    const ReceiveOutcome outcome = ReceiveOutcome::Of(taken, before, exchange.Records(), m_parts.programs);
    if (outcome.TakenIn()) return;
    const QString shownPath = SafeForDisplay(path, QChar('?'));
    m_receiveOutcome = tr("%1 was not taken in").arg(SafeForDisplay(QFileInfo(path).fileName(), QChar('?')));
    // Refused and stopped receives have told the user why already (or the user chose).
    if (outcome.kind == ReceiveOutcome::Kind::Refused || outcome.kind == ReceiveOutcome::Kind::Stopped)
      return;
    const QString text = tr("%1 was not taken in: %2").arg(shownPath, outcome.reason);
    if (outcome.kind == ReceiveOutcome::Kind::NoProgram) {
      if (const ProgramPtr program = ProgramNotSetUp(outcome.folders, offered)) {
        offered.append(program->GetShortName());
        const QString question = text + QStringLiteral("\r\r") +
                                 tr("The turn is for %1, which is not set up here. Do you want to give its "
                                    "installation folder now?")
                                     .arg(program->GetLongName());
        if (m_parts.ui.MsgBox(question, Buttons::YesNo, Icon::Question) == Answer::Yes &&
            SetUpProgram(program))
          continue;  // the same turn again, now that its program is there
        return;
      }
    }
    m_parts.ui.MsgBox(text, Buttons::Ok,
                      outcome.kind == ReceiveOutcome::Kind::Declined ? Icon::Information : Icon::Exclamation);
    return;
  }
}

ProgramPtr frmMain::ProgramNotSetUp(const QStringList& folders, const QStringList& offered) const {
  if (folders.isEmpty()) return nullptr;
  ProgramList known;
  m_parts.registry.BuildProgramList(known, {.includeAll = true});
  for (const QString& folder : folders) {
    ProgramPtr program = known.Find(folder);
    if (program && !m_parts.programs.Contains(program->GetShortName()) &&
        !offered.contains(program->GetShortName(), Qt::CaseInsensitive))
      return program;
  }
  return nullptr;
}

bool frmMain::SetUpProgram(const ProgramPtr& program) {
  if (!program->Installed(true)) return false;
  // In the registry's order, beside the program objects the window already works with.
  ProgramList known;
  m_parts.registry.BuildProgramList(known, {.includeAll = true});
  ProgramList programs;
  for (const ProgramPtr& p : known) {
    if (const ProgramPtr kept = m_parts.programs.Find(p->GetShortName()))
      programs.Add(kept);
    else if (p->GetShortName().compare(program->GetShortName(), Qt::CaseInsensitive) == 0)
      programs.Add(program);
  }
  for (const ProgramPtr& p : m_parts.programs) programs.Add(p);  // one the registry no longer lists
  if (!programs.Contains(program->GetShortName())) programs.Add(program);
  m_parts.programs = programs;
  return true;
}

void frmMain::ShowStatus(const QString& text) {
  SetStatusText(text);
  m_parts.ui.ShowStatus(text);
}

void frmMain::SetStatusText(const QString& text) {
  m_panels[0]->setText(text);
}

const GameList& frmMain::Games() const {
  return m_gamesModel->Games();
}

QTreeView* frmMain::GamesView() const {
  return m_form->lvGames;
}

QTreeWidget* frmMain::InstalledView() const {
  return m_form->lvInstalled;
}

void frmMain::RefreshLists(bool reload) {
  // One pass: the working folder's turns and every game folder, each listed once.
  Pass pass;
  if (m_parts.exchange && !App().workingFolder.isEmpty()) m_parts.exchange->ProcessWorkingFolder();

  QSet<QString> selectedGames;
  QString currentGame;
  if (reload) SelectedKeys(selectedGames, currentGame);

  Lists lists = ReadLists(
      m_parts.programs, reload,
      [this](const Program& program) { ShowStatus(tr("Checking %1").arg(program.GetLongName())); },
      reload ? m_historyMoments.Latest(HistoryStore::DefaultPath()) : TurnMomentsByGame());
  if (!pass.End()) m_parts.ui.ShowSettingsWriteError();

  ShowPrograms(lists.programs);
  m_arrivalAnnounced = false;
  if (reload) {
    // The list shows the rows it had until the new ones are all read, then changes once.
    FillGames(lists);
    SelectGames(selectedGames, currentGame);
    SaveListsLater();
  }
  FitColumns();
  if (!reload || !AnnounceArrivals()) ShowStatus(ReadyText());
}

bool frmMain::AnnounceArrivals() {
  if (!m_parts.exchange) return false;
  const TurnExchange::Arrivals arrivals = m_parts.exchange->TakeArrivals();
  const QString text = TurnExchange::ArrivalText(arrivals);
  if (text.isEmpty()) return false;
  m_arrivalAnnounced = true;
  // A file name says little about which game it is: the description the list shows
  // comes first, the file name after it.
  QHash<QString, QString> descriptions;
  for (const GameRow& row : m_gamesModel->Rows())
    descriptions.insert((row.game + QChar('\t') + row.fileName).toUpper(), row.info.simplified());
  QSet<QString> keys;
  QStringList names;
  for (const ReceiveRecords::Arrived& a : arrivals.games) {
    const QString key = (a.shortName + QChar('\t') + a.gameName).toUpper();
    keys.insert(key);
    const QString description = descriptions.value(key);
    //: a received game in a notification: %1 the program's short name, %2 the file name
    names.append(description.isEmpty() ? tr("%1: %2").arg(a.shortName, a.gameName)
                                       //: a received game in a notification: %1 the program's short
                                       //: name, %2 the game's description, %3 its file name
                                       : tr("%1: %2 (%3)").arg(a.shortName, description, a.gameName));
  }
  const ReceiveRecords::Arrived& first = arrivals.games.front();
  SelectGames(keys, (first.shortName + QChar('\t') + first.gameName).toUpper());
  const QModelIndex current = m_form->lvGames->selectionModel()->currentIndex();
  // The first received game at the top, the others after it in view as far as they fit.
  QTreeView* view = m_form->lvGames;
  if (current.isValid()) view->scrollTo(current, QAbstractItemView::PositionAtTop);
  ShowStatus(text);
  if (!isActiveWindow()) {
    constexpr qsizetype kListed = 5;
    QStringList body = names.mid(0, kListed);
    if (names.size() > kListed)
      //: the last line of a notification that lists only the first games received
      body.append(tr("and %1 more").arg(names.size() - kListed));
    m_notifier->Notify(text, body.join(QChar('\n')));
    QApplication::alert(this);
  }
  return true;
}

void frmMain::FillGames(Lists& lists) {
  const KeyedCollection noMarks;
  const KeyedCollection& receivedGames = m_parts.exchange ? m_parts.exchange->ReceivedGames() : noMarks;
  std::vector<bool> received;
  received.reserve(lists.gameRows.size());
  for (const GameRow& row : lists.gameRows)
    received.push_back(CollectionHasKey(receivedGames, row.game + QChar('\t') + row.fileName));
  m_gamesModel->Reset(std::move(lists.games), std::move(lists.gameRows), std::move(received));
  ShowEmptyHint();
  UpdateOverview();
}

void frmMain::ShowEmptyHint() {
  if (m_gamesModel->rowCount() > 0) {
    m_emptyHint->hide();
    return;
  }
  if (m_parts.programs.Count() == 0) {
    m_emptyHint->setText(
        tr("No supported game program was found on this computer.\n\nIf one is installed, tell where: "
           "Options > Modify installed programs..."));
  } else {
    m_emptyHint->setText(
        tr("No games in progress yet.\n\nStart a game for e-mail play in one of the programs above "
           "(Run, or a double click on the program) and save its turn: it shows here.\n\nA turn "
           "your opponent sent you comes in with File > Open received file... (Ctrl+O), or drop the "
           "file onto this window."));
  }
  m_emptyHint->setGeometry(m_form->lvGames->viewport()->rect().adjusted(24, 16, -24, -16));
  m_emptyHint->show();
}

// Selects the games of `keys`, and makes the game of `currentKey` current when it is
// among them, else the first of them: the commands act on the current game.
void frmMain::SelectGames(const QSet<QString>& keys, const QString& currentKey) {
  if (keys.isEmpty()) return;
  const int rows = m_gamesModel->rowCount();
  std::vector<bool> selected(static_cast<size_t>(rows), false);
  int current = -1;
  for (int row = 0; row < rows; ++row) {
    const QString key = m_gamesModel->RowKey(row);
    if (!keys.contains(key)) continue;
    selected[static_cast<size_t>(row)] = true;
    if (current < 0 || key == currentKey) current = row;
  }
  SelectRows(selected, current);
}

std::vector<int> frmMain::SelectedRows() const {
  // From the selection's ranges, which span whole rows (the list selects rows). Qt's
  // selectedRows() asks every range about every row it finds: quadratic in a selection
  // of thousands of games in as many ranges.
  std::vector<int> rows;
  for (const QItemSelectionRange& range : m_form->lvGames->selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void frmMain::SelectedKeys(QSet<QString>& keys, QString& currentKey) const {
  const QItemSelectionModel* selection = m_form->lvGames->selectionModel();
  for (int row : SelectedRows()) keys.insert(m_gamesModel->RowKey(row));
  const QModelIndex current = selection->currentIndex();
  if (current.isValid() && selection->isRowSelected(current.row(), QModelIndex()))
    currentKey = m_gamesModel->RowKey(current.row());
}

// The selection of the games list in one step, contiguous rows as one range: thousands
// of rows selected one by one would each notify the view.
void frmMain::SelectRows(const std::vector<bool>& selected, int current) {
  QItemSelection selection;
  const int last = m_gamesModel->columnCount() - 1;
  const int rows = static_cast<int>(selected.size());
  for (int row = 0; row < rows; ++row) {
    if (!selected[static_cast<size_t>(row)]) continue;
    const int first = row;
    while (row + 1 < rows && selected[static_cast<size_t>(row) + 1]) ++row;
    selection.select(m_gamesModel->index(first, 0), m_gamesModel->index(row, last));
  }
  QItemSelectionModel* model = m_form->lvGames->selectionModel();
  // The ranges span every column already. Without the Rows flag: with it, Qt widens each
  // range again and merges it into the others one by one, which is quadratic in the
  // number of ranges (every seventh game of 10,000 selected took a fifth of the start).
  model->select(selection, QItemSelectionModel::ClearAndSelect);
  if (current >= 0) model->setCurrentIndex(m_gamesModel->index(current, 0), QItemSelectionModel::NoUpdate);
}

// Columns fit their content (never narrower than the header), up to a limit that keeps
// long descriptions and folders from pushing the other columns out of sight.
void frmMain::FitColumns() {
  const auto fit = [](QTreeView* view, const QList<int>& design) {
    const int columns = view->header()->count();
    for (int c = 0; c < columns && c < design.size(); ++c) {
      view->resizeColumnToContents(c);
      const int limit = std::max(TwipsToPixels(design[c]), 360);
      view->setColumnWidth(c, std::min(view->columnWidth(c) + 12, limit));
    }
  };
  fit(m_form->lvInstalled, ProgramColumnWidths());
  fit(m_form->lvGames, GameColumnWidths());
  KeepGameColumnsInView();
}

void frmMain::KeepGameColumnsInView() {
  // A long description must not push the opponent's address out of sight: the Info
  // column gives up what the list lacks, down to a readable width (its cells are elided
  // and their tips show them whole).
  constexpr int kInfoColumn = 2;
  constexpr int kInfoMinimum = 200;
  QTreeView* games = m_form->lvGames;
  QHeaderView* header = games->header();
  const int available = games->viewport()->width();
  if (!games->isVisible() || available <= 0 || header->isSectionHidden(kInfoColumn)) return;
  const int excess = header->length() - available;
  const int info = header->sectionSize(kInfoColumn);
  if (excess > 0 && info > kInfoMinimum)
    header->resizeSection(kInfoColumn, std::max(kInfoMinimum, info - excess));
}

void frmMain::FitInstalledList() {
  QTreeWidget* installed = m_form->lvInstalled;
  const int n = installed->topLevelItemCount();
  if (n == 0) return;
  int rowHeight = installed->visualItemRect(installed->topLevelItem(0)).height();
  if (rowHeight <= 0) rowHeight = fontMetrics().height() + 4;
  // The rows, the header, one spare row and room for the horizontal scroll bar: the games
  // frame takes what is left.
  const int header = installed->header()->sizeHint().height();
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  installed->setFixedHeight(header + (n + 1) * rowHeight + scrollBar + 2 * installed->frameWidth());
  m_form->fraInstalled->layout()->activate();
  centralWidget()->layout()->activate();
}

void frmMain::AutoSelect() {
  if (SelectByStatus(status::Send) == 0) SelectByStatus(status::PlaySend);
}

int frmMain::SelectByStatus(const QString& word) {
  // The states the list shows, as the last refresh read them.
  const std::vector<GameRow>& rows = m_gamesModel->Rows();
  std::vector<bool> selected(rows.size(), false);
  int first = -1;
  int count = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].email == QStringLiteral("-") || rows[i].status != word) continue;
    selected[i] = true;
    if (count == 0) first = static_cast<int>(i);
    ++count;
  }
  SelectRows(selected, first);
  return count;
}

GamePtr frmMain::SelectedGame() const {
  const QItemSelectionModel* selection = m_form->lvGames->selectionModel();
  const QModelIndex current = selection->currentIndex();
  if (!current.isValid() || !selection->isRowSelected(current.row(), QModelIndex())) return nullptr;
  return m_gamesModel->GameAt(current.row());
}

int frmMain::SelectedProgramIndex() const {
  QTreeWidget* installed = m_form->lvInstalled;
  QTreeWidgetItem* item = installed->currentItem();
  if (!item || !item->isSelected()) {
    const auto selected = installed->selectedItems();
    if (selected.isEmpty()) return -1;
    item = selected.first();
  }
  const int index = installed->indexOfTopLevelItem(item);
  return index < m_parts.programs.Count() ? index : -1;
}

void frmMain::EnsureCurrentGame() {
  // A list with the focus always has a current row: the arrow keys and the tab-in start
  // from it. Which rows are highlighted stays the user's choice.
  QItemSelectionModel* selection = m_form->lvGames->selectionModel();
  if (!m_form->lvGames->hasFocus() || selection->currentIndex().isValid() || m_gamesModel->rowCount() == 0)
    return;
  const QModelIndexList rows = selection->selectedRows();
  selection->setCurrentIndex(rows.isEmpty() ? m_gamesModel->index(0, 0) : rows.first(),
                             QItemSelectionModel::NoUpdate);
}

void frmMain::UpdateGameCommands() {
  const bool game = SelectedGame() != nullptr;
  m_form->cmdEdit->setEnabled(game);
  m_form->cmdPlay->setEnabled(game);
}

bool frmMain::NoGameFor(const QString& what) {
  if (SelectedGame()) return false;
  // The keys and menu items stay live, so they say why nothing happens.
  if (!m_gamesModel->HasGames()) {
    ShowStatus(tr("The games are still being read; try again in a moment."));
    return true;
  }
  ShowStatus(m_gamesModel->rowCount() == 0 ? tr("There is no game in the list yet.")
                                           //: %1 says what for, such as "edit it"
                                           : tr("Select a game in the list to %1.").arg(what));
  return true;
}

void frmMain::Edit() {
  //: completes "Select a game in the list to %1."
  if (NoGameFor(tr("edit it"))) return;
  const BusyGuard busy = Busy();
  if (!busy) return;
  const QModelIndex current = m_form->lvGames->selectionModel()->currentIndex();
  frmGame dialog(m_parts.ui, m_gamesModel->Games(), current.row(), this);
  if (RemindableRow(current.row())) dialog.SetRemind([this, row = current.row()] { RemindRow(row); });
  if (dialog.exec() == QDialog::Accepted) RefreshLists(true);
}

void frmMain::AutoSelectCommand() {
  const BusyGuard busy = Busy();
  if (!busy) return;
  RefreshLists(true);
  AutoSelect();
}

void frmMain::Refresh() {
  if (m_gamesModel->rowCount() >= kRefreshInPartsFrom) return RefreshInParts();
  const BusyGuard busy = Busy();
  if (!busy) return;
  RefreshLists(true);
  if (m_mailbox) m_mailbox->Check(true);
}

void frmMain::RefreshInParts() {
  if (IsBusy()) return;
  // The rows on the screen stay, and the window answers, until every game is read again;
  // then they change at once, as at the start.
  m_fillHoldsBusy = true;
  m_busy = true;
  m_fillIsStartUp = false;
  m_replacingLastLists = true;
  ReadGames();
}

void frmMain::Rescan() {
  const BusyGuard busy = Busy();
  if (!busy) return;
  m_parts.registry.BuildProgramList(m_parts.programs, {.rescan = true});
  RefreshLists(true);
  FitInstalledList();
}

void frmMain::Send() {
  const BusyGuard busy = Busy();
  if (!busy) return;
  RefreshLists(true);
  ShowStatus(tr("Sending files..."));
  SendSelectedGames(false);
}

void frmMain::Message() {
  const BusyGuard busy = Busy();
  if (!busy) return;
  ShowStatus(tr("Sending messages..."));
  SendSelectedGames(true);
}

SentGames frmMain::SendSelectedGames(bool isMessage) {
  SentGames sent;
  if (!m_parts.exchange) {
    NotAvailable(tr("Sending turns is not available yet."));
    return sent;
  }
  GameList selected;
  for (int row : SelectedRows()) {
    if (GamePtr game = m_gamesModel->GameAt(row)) selected.push_back(std::move(game));
  }
  QString arrived;
  kolt::SendSelectedGames(
      m_parts.ui, *m_parts.exchange, selected, isMessage, isMessage || m_form->chkTaunt->isChecked(),
      [this, &arrived] {
        m_holdSendNote = true;
        RefreshLists(true);
        m_holdSendNote = false;
        if (m_arrivalAnnounced) arrived = PanelText(1);
      },
      &sent);
  ShowStatus(AfterSendText(sent, isMessage, arrived));
  return sent;
}

// The game runs in its own window: this one stays usable meanwhile, with its usual
// pointer; only the rescan once the game has ended shows a busy one.
void frmMain::StartWatching() {
  m_watching = true;
}

void frmMain::PlayGame(bool host) {
  //: completes "Select a game in the list to %1."
  if (NoGameFor(host ? tr("host it") : tr("play it"))) return;
  const GamePtr game = SelectedGame();
  const BusyGuard busy = Busy();
  if (!busy) return;
  StartGame(game, host, false);
}

void frmMain::GameDoubleClick() {
  const GamePtr game = SelectedGame();
  if (!game) return;
  const QString gameStatus = game->GetStatus();
  if (gameStatus == status::Send) return Send();
  if (gameStatus != status::Play && gameStatus != status::Host) return Edit();
  const BusyGuard busy = Busy();
  if (!busy) return;
  StartGame(game, false, true);
}

// Play, Host and the double click: the password goes to the clipboard and the name to
// the file-name hot key, then the program hosts the game, takes the turn directly, or is
// started. The double click feeds a turn directly only to a game in "Play".
void frmMain::StartGame(const GamePtr& game, bool host, bool doubleClick) {
  ProgramPtr program = game->GetProgram();
  if (!program) return;
  const ProgramState programStatus = program->GetStatus();
  const QString password = game->GetPassword();
  QGuiApplication::clipboard()->clear();
  if (!password.isEmpty()) QGuiApplication::clipboard()->setText(password);
  App().lastPlayedGameName = game->GetName();
  const QString gameStatus = game->GetStatus();
  const WindowHandle window = winId();

  if (host) {
    if (m_parts.ui.MsgBox(tr("Host this game?"), Buttons::OkCancel, Icon::Question) != Answer::Ok) return;
    ClearPendingError();
    if (!program->Provides(OptionalOperation::Host)) {
      m_parts.ui.MsgBox(tr("This program does not support hosting."), Buttons::Ok, Icon::Exclamation,
                        program->GetLongName());
      return;
    }
    if (HostGame(*program, *game)) return RefreshLists(true);
  }
  if ((!doubleClick || gameStatus == status::Play) && program->SupportsPasswords() && !password.isEmpty() &&
      program->Provides(OptionalOperation::ProcessTurn)) {
    if (program->ProcessTurn(window, *game, password)) m_played = PlayedTurn(*game);
    StartWatching();
    return RefreshLists(true);
  }
  if (programStatus != ProgramState::NotRunning) return;  // the hot keys are ready; nothing to start
  if (gameStatus != status::Host && gameStatus != status::WaitHost) {
    if (program->Run(window)) {
      m_played = PlayedTurn(*game);
      StartWatching();
      RefreshLists(false);
    }
  } else if (program->Provides(OptionalOperation::Host) && HostGame(*program, *game)) {
    RefreshLists(true);
  }
}

// The game processes the hosted turn while the window waits, with the arrow-and-hourglass
// pointer over it.
bool frmMain::HostGame(Program& program, Game& game) {
  setCursor(Qt::BusyCursor);
  const bool hosted = program.Host(winId(), game);
  unsetCursor();
  return hosted;
}

void frmMain::RunProgramCommand() {
  const int index = SelectedProgramIndex();
  if (index < 0) return;
  const BusyGuard busy = Busy();
  if (!busy) return;
  ProgramPtr program = m_parts.programs.At(index);
  if (program->GetStatus() == ProgramState::NotRunning && program->Run(winId())) {
    StartWatching();
    RefreshLists(false);
  }
}

void frmMain::HideProgram() {
  const int index = SelectedProgramIndex();
  if (index < 0) return;
  const BusyGuard busy = Busy();
  if (!busy) return;
  ProgramPtr program = m_parts.programs.At(index);
  if (m_parts.ui.MsgBox(tr("Do you really want to hide %1?").arg(program->GetLongName()), Buttons::YesNo,
                        Icon::Question, QString(), 2) == Answer::Yes) {
    program->NotInstalled();
    ProgramList kept;
    for (const ProgramPtr& p : m_parts.programs) {
      if (p != program) kept.Add(p);
    }
    m_parts.programs = kept;
    delete m_form->lvInstalled->takeTopLevelItem(index);
    FitInstalledList();
    RefreshLists(true);
  }
}

void frmMain::CopyPassword() const {
  const GamePtr game = SelectedGame();
  if (!game) return;
  QGuiApplication::clipboard()->clear();
  QGuiApplication::clipboard()->setText(game->GetPassword());
}

void frmMain::GeneratePasswordCommand() {
  const QString password = GeneratePassword();
  QGuiApplication::clipboard()->clear();
  QGuiApplication::clipboard()->setText(password);
  // The line breaks stay out of the texts: translation files do not keep a carriage return well.
  m_parts.ui.MsgBox(tr("The new password is: %1").arg(password) + QStringLiteral("\r\r") +
                        tr("The password has been copied to clipboard."),
                    Buttons::Ok, Icon::None);
}

// The received file in the desktop's handler for it (an archive viewer).
void frmMain::OpenReceivedFile() {
  if (App().commandLineFile.isEmpty()) return;
  // A KLT is a ZIP archive; the desktop's handler for turn files is this program.
  if (m_parts.tools.OpenWithHandlerOf(App().commandLineFile, QStringLiteral("application/zip"))) return;
  m_parts.ui.MsgBox(tr("No program is set up to open ZIP archives on this desktop."), Buttons::Ok,
                    Icon::Information);
}

void frmMain::Timer1_Timer() {
  // Fetched turns wait for a command or dialog to end.
  if (m_mailbox && m_mailbox->HasWaiting() && isActiveWindow()) TakeMailboxTurns();
  HostMarkedGames();
  // Whoever started the watched program (Run, or an adapter taking a turn), it is
  // watched until it ends.
  if (m_parts.tools.StartedProgramRunning()) {
    StartWatching();
    return;
  }
  if (!m_watching) return;
  m_watching = false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  AutoSelectCommand();
  raise();
  activateWindow();
  QApplication::restoreOverrideCursor();
  OfferPlayedTurn();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_form->lvGames->viewport() && event->type() == QEvent::Resize) {
    m_emptyHint->setGeometry(m_form->lvGames->viewport()->rect().adjusted(24, 16, -24, -16));
    KeepGameColumnsInView();
  }
  if (watched == m_form->lvGames && event->type() == QEvent::FocusIn) {
    // Tabbed into with nothing highlighted: the current row is highlighted too, so that
    // F2 and F9 act on the row the user sees marked.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    EnsureCurrentGame();
    QItemSelectionModel* selection = m_form->lvGames->selectionModel();
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason) &&
        selection->currentIndex().isValid() && !selection->hasSelection())
      selection->select(selection->currentIndex(), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  if (watched == m_form->lvGames && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
      Edit();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (HideToTray()) {
    event->ignore();
    return;
  }
  if (Filling()) {
    // Closed before every game was in: what is read so far is all the close needs.
    if (m_fill && !m_fill->End()) m_parts.ui.ShowSettingsWriteError();
    m_fill.reset();
    m_readPending = false;
    m_replacingLastLists = false;
    m_heldPrograms.clear();
    m_heldGames.clear();
    m_heldRows.clear();
    m_heldReceived.clear();
    if (m_fillHoldsBusy) m_busy = false;
    m_fillHoldsBusy = false;
  }
  m_startPending = false;
  const BusyGuard busy = Busy();
  if (!busy) {
    event->ignore();  // a command is running: Close is dropped like every guarded command
    return;
  }
  (void)SetWindowGeometry(saveGeometry());  // only the window's size and place would be lost
  if (m_parts.hotKeys) m_parts.hotKeys->Unregister();
  m_watching = false;
  event->accept();
  QApplication::quit();
}

void frmMain::ShowHistory() {
  if (NoGameFor(tr("see its turn history"))) return;
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
  if (m_holdSendNote) return tr("Ready");
  const QString note = m_parts.exchange ? m_parts.exchange->TakeSendHistoryNote() : QString();
  return note.isEmpty() ? tr("Ready") : note;
}

QString frmMain::AfterSendText(const SentGames& sent, bool isMessage, const QString& arrived) const {
  QStringList parts;
  const QString sentText = SentText(sent, isMessage);
  if (!sentText.isEmpty()) parts.append(sentText);
  if (!arrived.isEmpty()) parts.append(arrived);
  const QString note = m_parts.exchange ? m_parts.exchange->TakeSendHistoryNote() : QString();
  if (!note.isEmpty()) parts.append(note);
  return parts.isEmpty() ? tr("Ready") : parts.join(QStringLiteral("; "));
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

// The turn loop without hands: a turn finished in the game goes out without the player
// looking for Send.
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
  ShowStatus(tr("Sending files..."));
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
    QAction* remind = menu.addAction(tr("&Remind the opponent"));
    remind->setObjectName(QStringLiteral("mnuRemind"));
    remind->setEnabled(RemindableRow(row));
    if (menu.exec(games->viewport()->mapToGlobal(at)) != remind) return;
    const BusyGuard busy = Busy();
    if (busy) RemindRow(row);
  });
}

bool frmMain::RemindableRow(int row) const {
  // A row without its game (the last session's) waits for the game to be read.
  if (!m_gamesModel->GameAt(row) || !m_parts.exchange) return false;
  const GameRow& r = m_gamesModel->Rows()[static_cast<size_t>(row)];
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
    ShowStatus(tr("Reminded %1 of %2").arg(game->GetEMail(), game->GetName()));
}

}  // namespace kolt

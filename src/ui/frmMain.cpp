#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStatusBar>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "exchange/turns/SendSelection.h"
#include "exchange/turns/TurnExchange.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "model/Status.h"
#include "platform/HotKeys.h"
#include "platform/Wintools.h"
#include "ui/frmGame.h"

namespace kolt {
namespace {

// Design widths are twips; 15 twips make a pixel at 96 dpi.
int TwipsToPixels(int twips) {
  return twips / 15;
}

QPushButton* Button(const QString& caption, const char* name, const QString& tip) {
  auto* b = new QPushButton(caption);
  b->setObjectName(QString::fromLatin1(name));
  b->setToolTip(tip);
  b->setAutoDefault(false);
  return b;
}

void SetBold(QTreeWidgetItem* item, int column, bool bold) {
  QFont f = item->font(column);
  f.setBold(bold);
  item->setFont(column, f);
}

// Tool tips render markup when the text looks like it; names, descriptions and
// addresses come from other people's files and are shown as the text they are.
QString PlainTip(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

QString GameKey(const Game& game) {
  ProgramPtr program = game.GetProgram();
  return ((program ? program->GetShortName() : QString()) + QChar('\t') + game.GetName()).toUpper();
}

}  // namespace

frmMain::frmMain(MainWindowParts parts, QWidget* parent) : QMainWindow(parent), m_parts(std::move(parts)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("KOLT Helper"));
  BuildWidgets();
  BuildMenus();
  m_timer = new QTimer(this);
  m_timer->setObjectName(QStringLiteral("Timer1"));
  m_timer->setInterval(1000);
  connect(m_timer, &QTimer::timeout, this, &frmMain::Timer1_Timer);
  m_timer->start();

  const QByteArray geometry =
      QByteArray::fromBase64(IniRead(QStringLiteral("Settings"), QStringLiteral("Window")).toLatin1());
  if (geometry.isEmpty() || !restoreGeometry(geometry)) {
    // Wide enough for every column of the games list on a usual screen.
    QSize size(1200, 660);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
  }
}

frmMain::~frmMain() {
  if (m_watching) QApplication::restoreOverrideCursor();
}

void frmMain::BuildWidgets() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);

  m_fraInstalled = new QGroupBox(QStringLiteral("Installed programs"));
  m_fraInstalled->setObjectName(QStringLiteral("fraInstalled"));
  m_lvInstalled = new QTreeWidget;
  m_lvInstalled->setObjectName(QStringLiteral("lvInstalled"));
  m_lvInstalled->setRootIsDecorated(false);
  m_lvInstalled->setUniformRowHeights(true);
  m_lvInstalled->setHeaderLabels(ProgramColumnHeaders());
  m_lvInstalled->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* cmdRun = Button(QStringLiteral("&Run"), "cmdRun",
                        QStringLiteral("Start the selected program (or double-click the program)"));
  auto* cmdHide = Button(QStringLiteral("H&ide"), "cmdHide", QStringLiteral("Hide the selected program"));
  auto* installedButtons = new QVBoxLayout;
  installedButtons->addWidget(cmdRun);
  installedButtons->addWidget(cmdHide);
  installedButtons->addStretch(1);
  auto* installedLayout = new QHBoxLayout(m_fraInstalled);
  installedLayout->addWidget(m_lvInstalled, 1);
  installedLayout->addLayout(installedButtons);

  m_fraGames = new QGroupBox(QStringLiteral("Games in progress"));
  m_fraGames->setObjectName(QStringLiteral("fraGames"));
  m_lvGames = new QTreeWidget;
  m_lvGames->setObjectName(QStringLiteral("lvGames"));
  m_lvGames->setRootIsDecorated(false);
  m_lvGames->setUniformRowHeights(true);
  // Columns fit what a sample of rows holds: measuring every cell of thousands of games
  // would cost more than the rest of a refresh.
  m_lvGames->header()->setResizeContentsPrecision(200);
  m_lvGames->setHeaderLabels(GameColumnHeaders());
  m_lvGames->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_lvGames->headerItem()->setTextAlignment(kGameSizeColumn, Qt::AlignRight | Qt::AlignVCenter);
  m_lvGames->installEventFilter(this);

  auto* cmdEdit = Button(
      QStringLiteral("&Edit... (F2)"), "cmdEdit",
      QStringLiteral("Set the Mode and E-Mail address for the selected game (or double-click the game)"));
  auto* cmdSelect = Button(QStringLiteral("Se&lect (F3)"), "cmdSelect",
                           QStringLiteral("Select games with Send or Play/Send status"));
  auto* cmdSend =
      Button(QStringLiteral("&Send... (F4)"), "cmdSend", QStringLiteral("Send all selected games"));
  m_chkTaunt = new QCheckBox(QStringLiteral("&Taunt your opponent"));
  m_chkTaunt->setObjectName(QStringLiteral("chkTaunt"));
  m_chkTaunt->setToolTip(QStringLiteral("Open an editor window before sending message to each opponent"));
  auto* cmdRefresh = Button(QStringLiteral("Refresh (F5)"), "cmdRefresh",
                            QStringLiteral("Refresh the program and game status"));
  auto* cmdPlay =
      Button(QStringLiteral("&Play (F9)"), "cmdPlay",
             QStringLiteral("Play the selected game (or double-click the game when it has Play status)"));
  auto* cmdMessage =
      Button(QStringLiteral("&Message (F12)"), "cmdMessage", QStringLiteral("Send a message to opponent"));
  auto* cmdClose = Button(QStringLiteral("&Close"), "cmdClose", QString());
  auto* row = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{cmdEdit, cmdSelect, cmdSend, m_chkTaunt, cmdRefresh,
                                                    cmdPlay, cmdMessage})
    row->addWidget(w);
  row->addStretch(1);
  row->addWidget(cmdClose);
  auto* gamesLayout = new QVBoxLayout(m_fraGames);
  gamesLayout->addWidget(m_lvGames, 1);
  gamesLayout->addLayout(row);

  layout->addWidget(m_fraInstalled, 0);
  layout->addWidget(m_fraGames, 1);
  setCentralWidget(central);

  const char* panelNames[4] = {"Status", "Hot key for file name", "Hot key for password", "Time zone"};
  for (int i = 0; i < 4; ++i) {
    m_panels[i] = new QLabel(QString::fromLatin1(panelNames[i]));
    m_panels[i]->setObjectName(QStringLiteral("StatusBar1_Panel") + QString::number(i + 1));
    m_panels[i]->setFrameShape(QFrame::StyledPanel);
    m_panels[i]->setMinimumWidth(i == 0 ? 200 : 120);
    if (i == 0)
      statusBar()->addWidget(m_panels[i], 1);
    else
      statusBar()->addPermanentWidget(m_panels[i]);
  }
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));

  const QList<int> programWidths = ProgramColumnWidths();
  for (int i = 0; i < programWidths.size(); ++i)
    m_lvInstalled->setColumnWidth(i, TwipsToPixels(programWidths[i]));
  const QList<int> gameWidths = GameColumnWidths();
  for (int i = 0; i < gameWidths.size(); ++i) m_lvGames->setColumnWidth(i, TwipsToPixels(gameWidths[i]));

  connect(cmdRun, &QPushButton::clicked, this, &frmMain::RunProgramCommand);
  connect(cmdHide, &QPushButton::clicked, this, &frmMain::HideProgram);
  connect(cmdEdit, &QPushButton::clicked, this, &frmMain::Edit);
  connect(cmdSelect, &QPushButton::clicked, this, &frmMain::AutoSelectCommand);
  connect(cmdSend, &QPushButton::clicked, this, &frmMain::Send);
  connect(cmdRefresh, &QPushButton::clicked, this, &frmMain::Refresh);
  // Ctrl held at the click hosts instead of playing.
  connect(cmdPlay, &QPushButton::clicked, this,
          [this] { PlayGame(QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier)); });
  connect(cmdMessage, &QPushButton::clicked, this, &frmMain::Message);
  connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
  connect(m_chkTaunt, &QCheckBox::clicked, this, [this](bool checked) {
    IniWrite(QStringLiteral("Settings"), QStringLiteral("Taunt"),
             checked ? QStringLiteral("1") : QStringLiteral("0"));
  });
  connect(m_lvInstalled, &QTreeWidget::itemDoubleClicked, this, [this] { RunProgramCommand(); });
  connect(m_lvGames, &QTreeWidget::itemDoubleClicked, this, [this] { GameDoubleClick(); });
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
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  add(file, QStringLiteral("&Edit selected game..."), "mnuEdit", QKeySequence(Qt::Key_F2),
      [this] { Edit(); });
  add(file, QStringLiteral("&Automatically select games"), "mnuAutoSelect", QKeySequence(Qt::Key_F3),
      [this] { AutoSelectCommand(); });
  add(file, QStringLiteral("&Send selected games..."), "mnuSend", QKeySequence(Qt::Key_F4),
      [this] { Send(); });
  add(file, QStringLiteral("&Refresh"), "mnuRefresh", QKeySequence(Qt::Key_F5), [this] { Refresh(); });
  add(file, QStringLiteral("&Play"), "mnuPlay", QKeySequence(Qt::Key_F9), [this] { PlayGame(false); });
  add(file, QStringLiteral("&Host..."), "mnuHost", QKeySequence(Qt::CTRL | Qt::Key_F9),
      [this] { PlayGame(true); });
  add(file, QStringLiteral("Send &Message..."), "mnuMessage", QKeySequence(Qt::Key_F12),
      [this] { Message(); });
  file->addSeparator()->setObjectName(QStringLiteral("mnuSep2"));
  add(file, QStringLiteral("Generate password..."), "mnuGeneratePassword", QKeySequence(Qt::Key_F11),
      [this] { GeneratePasswordCommand(); });
  add(file, QStringLiteral("Copy the selected game password"), "mnuCopyPassword",
      QKeySequence(Qt::CTRL | Qt::Key_C), [this] { CopyPassword(); });
  file->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
  m_mnuOpenInWinZip = add(file, QStringLiteral("&Open the received file in the archive viewer"),
                          "mnuOpenInWinZip", QKeySequence(Qt::Key_F6), [this] { OpenReceivedFile(); });
  m_mnuOpenInWinZip->setEnabled(false);
  add(file, QStringLiteral("Show the last Zip operation..."), "mnuShowZipWindow", QKeySequence(Qt::Key_F7),
      [this] {
        if (m_parts.showZipWindow) m_parts.showZipWindow();
      });
  add(file, QStringLiteral("Show the last SMTP operation..."), "mnuShowBlatWindow", QKeySequence(Qt::Key_F8),
      [this] {
        if (m_parts.showBlatWindow) m_parts.showBlatWindow();
      });

  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("mnuSep"));
  add(options, QStringLiteral("&Sending e-mail..."), "mnuSettings", QKeySequence(), [this] {
    if (m_parts.openSettings)
      m_parts.openSettings();
    else
      NotAvailable(QStringLiteral("The settings dialog"));
  });
  add(options, QStringLiteral("&Test e-mail sending"), "mnuTestEMail", QKeySequence(), [this] {
    if (m_parts.testEMail)
      m_parts.testEMail();
    else
      NotAvailable(QStringLiteral("The test message"));
  });
  options->addSeparator()->setObjectName(QStringLiteral("mnuSep3"));
  add(options, QStringLiteral("&Modify installed programs..."), "mnuModifyPrograms", QKeySequence(), [this] {
    if (m_parts.openPrograms)
      m_parts.openPrograms();
    else
      NotAvailable(QStringLiteral("The programs dialog"));
  });
  add(options, QStringLiteral("&Rescan installed programs"), "mnuRescanInstalled", QKeySequence(),
      [this] { Rescan(); });
  options->addSeparator()->setObjectName(QStringLiteral("mnuSep4"));
  add(options, QStringLiteral("Set &additional working folder..."), "mnuWorkingFolder", QKeySequence(),
      [this] {
        if (m_parts.exchange)
          m_parts.exchange->SetWorkingFolderCommand();
        else
          NotAvailable(QStringLiteral("The working folder"));
      });

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  add(help, QStringLiteral("&About KOLT Helper..."), "mnuAbout", QKeySequence(Qt::Key_F1), [this] {
    if (m_parts.openAbout) m_parts.openAbout();
  });
}

void frmMain::NotAvailable(const QString& what) {
  m_parts.ui.MsgBox(what + QStringLiteral(" is not available yet."), Buttons::Ok, Icon::Information);
}

QString frmMain::PanelText(int panel) const {
  if (panel < 1 || panel > 4) return QString();
  return m_panels[panel - 1]->text();
}

void frmMain::Form_Load() {
  m_panels[3]->setText(App().timeZoneText);
  m_chkTaunt->setChecked(LeadingNumber(IniRead(QStringLiteral("Settings"), QStringLiteral("Taunt"))) != 0);
  m_parts.registry.BuildProgramList(false, m_parts.programs, false);
  RefreshLists(true);
  FitInstalledList();
  AutoSelect();
  if (HotKeys* keys = m_parts.hotKeys) {
    keys->SetBusyCheck([this] { return IsBusy() || QApplication::activeModalWidget() != nullptr; });
    keys->SetTextProvider([](HotKeys::Key key) {
      if (key == HotKeys::Key::FileName) return App().lastPlayedGameName;
      return QGuiApplication::clipboard()->text();
    });
    if (keys->Register()) {
      if (!keys->PasswordKeyText().isEmpty()) m_panels[2]->setText(keys->PasswordKeyText());
      if (!keys->FileNameKeyText().isEmpty()) m_panels[1]->setText(keys->FileNameKeyText());
    }
  }
}

bool frmMain::event(QEvent* event) {
  const bool result = QMainWindow::event(event);
  if (event->type() == QEvent::WindowActivate) {
    // After the activation itself has been handled: the prompt and the file may open
    // modal windows.
    QTimer::singleShot(0, this, &frmMain::Form_Activate);
  }
  return result;
}

void frmMain::Form_Activate() {
  if (IniRead(QStringLiteral("E-Mail"), QStringLiteral("Mode")).isEmpty() && !m_settingsPrompted) {
    m_settingsPrompted = true;
    m_parts.ui.DoEvents();
    if (m_parts.openSettings) m_parts.openSettings();
  }
  const BusyGuard busy = Busy();
  if (!busy) return;
  if (!App().commandLineFile.isEmpty() && !m_commandLineProcessed) {
    m_commandLineProcessed = true;
    ShowStatus(QStringLiteral("Processing file ") + App().commandLineFile + QStringLiteral(" ..."));
    m_parts.ui.DoEvents();
    ProcessCommandLineFile();
    ShowStatus(QStringLiteral("Ready"));
  }
}

void frmMain::ProcessCommandLineFile() {
  const QString path = App().commandLineFile;
  if (!QFileInfo(path).isFile()) {
    m_parts.ui.ShowError(QStringLiteral("Invalid file name: ") + path);
    return;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    SetSystemError(errno);
    m_parts.ui.ShowError(QStringLiteral("Can't open file: ") + path);
    return;
  }
  file.close();
  if (m_parts.showIfTestMessage && m_parts.showIfTestMessage(path)) return;
  if (m_parts.exchange) {
    m_parts.exchange->ReceivedFile(path);
  } else {
    NotAvailable(QStringLiteral("Receiving turns"));
  }
  RefreshLists(true);
  m_mnuOpenInWinZip->setEnabled(true);
}

void frmMain::ShowStatus(const QString& text) {
  SetStatusText(text);
  m_parts.ui.ShowStatus(text);
}

void frmMain::SetStatusText(const QString& text) {
  m_panels[0]->setText(text);
}

void frmMain::RefreshLists(bool reload) {
  // One pass: the working folder's turns and every game folder, each listed once.
  Pass pass;
  if (m_parts.exchange && !App().workingFolder.isEmpty()) m_parts.exchange->ProcessWorkingFolder();

  QSet<QString> selectedPrograms;
  for (QTreeWidgetItem* item : m_lvInstalled->selectedItems()) selectedPrograms.insert(item->text(0));
  QSet<QString> selectedGames;
  if (reload) {
    for (int i = 0; i < m_lvGames->topLevelItemCount(); ++i) {
      if (m_lvGames->topLevelItem(i)->isSelected() && i < static_cast<int>(m_games.size()))
        selectedGames.insert(GameKey(*m_games[static_cast<size_t>(i)]));
    }
    m_games.clear();
    m_rows.clear();
    m_lvGames->clear();
  }
  m_lvInstalled->clear();

  Lists lists = ReadLists(m_parts.programs, reload, [this](const Program& program) {
    ShowStatus(QStringLiteral("Checking ") + program.GetLongName());
  });
  if (!pass.End()) m_parts.ui.ShowSettingsWriteError();

  const KeyedCollection noMarks;
  const KeyedCollection& receivedPrograms = m_parts.exchange ? m_parts.exchange->ReceivedPrograms() : noMarks;
  const KeyedCollection& receivedGames = m_parts.exchange ? m_parts.exchange->ReceivedGames() : noMarks;
  for (const ProgramRow& row : lists.programs) {
    auto* item = new QTreeWidgetItem(row.Cells());
    item->setToolTip(1, PlainTip(row.name));
    item->setToolTip(2, PlainTip(row.version));
    item->setToolTip(4, PlainTip(row.directory));
    m_lvInstalled->addTopLevelItem(item);
    SetBold(item, 0, CollectionHasKey(receivedPrograms, row.game));
    item->setSelected(selectedPrograms.contains(row.game));
  }
  if (reload) {
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(lists.games.size()));
    for (size_t i = 0; i < lists.games.size(); ++i) {
      const GameRow& g = lists.gameRows[i];
      auto* gameItem = new QTreeWidgetItem(g.Cells());
      gameItem->setToolTip(1, PlainTip(g.fileName));
      gameItem->setToolTip(2, PlainTip(g.info));
      gameItem->setToolTip(3, PlainTip(g.modified));
      gameItem->setToolTip(kGameSizeColumn, g.sizeTip);
      gameItem->setToolTip(7, PlainTip(g.email));
      gameItem->setTextAlignment(kGameSizeColumn, Qt::AlignRight | Qt::AlignVCenter);
      SetBold(gameItem, 1, CollectionHasKey(receivedGames, g.game + QChar('\t') + g.fileName));
      SetBold(gameItem, 5, g.statusBold);
      items.append(gameItem);
    }
    // All rows at once: one layout of the view instead of one per row.
    m_lvGames->addTopLevelItems(items);
    for (size_t i = 0; i < lists.games.size(); ++i) {
      if (selectedGames.contains(GameKey(*lists.games[i])))
        items[static_cast<qsizetype>(i)]->setSelected(true);
    }
    m_games = std::move(lists.games);
    m_rows = std::move(lists.gameRows);
  }
  FitColumns();
  ShowStatus(QStringLiteral("Ready"));
}

// Columns fit their content (never narrower than the header), up to a limit that keeps
// long descriptions and folders from pushing the other columns out of sight.
void frmMain::FitColumns() {
  for (QTreeWidget* view : {m_lvInstalled, m_lvGames}) {
    const QList<int> design = view == m_lvGames ? GameColumnWidths() : ProgramColumnWidths();
    for (int c = 0; c < view->columnCount() && c < design.size(); ++c) {
      view->resizeColumnToContents(c);
      const int limit = std::max(TwipsToPixels(design[c]), 360);
      view->setColumnWidth(c, std::min(view->columnWidth(c) + 12, limit));
    }
  }
}

void frmMain::FitInstalledList() {
  const int n = m_lvInstalled->topLevelItemCount();
  if (n == 0) return;
  int rowHeight = m_lvInstalled->visualItemRect(m_lvInstalled->topLevelItem(0)).height();
  if (rowHeight <= 0) rowHeight = fontMetrics().height() + 4;
  // The rows, the header, one spare row and room for the horizontal scroll bar: the games
  // frame takes what is left.
  const int header = m_lvInstalled->header()->sizeHint().height();
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  m_lvInstalled->setFixedHeight(header + (n + 1) * rowHeight + scrollBar + 2 * m_lvInstalled->frameWidth());
  m_fraInstalled->layout()->activate();
  centralWidget()->layout()->activate();
}

void frmMain::AutoSelect() {
  if (SelectByStatus(status::Send) == 0) SelectByStatus(status::PlaySend);
}

int frmMain::SelectByStatus(const QString& word) {
  int count = 0;
  // The states the list shows, as the last refresh read them.
  for (int i = 0; i < m_lvGames->topLevelItemCount() && i < static_cast<int>(m_rows.size()); ++i) {
    const GameRow& row = m_rows[static_cast<size_t>(i)];
    QTreeWidgetItem* item = m_lvGames->topLevelItem(i);
    if (row.email == QStringLiteral("-")) {
      item->setSelected(false);
    } else if (row.status == word) {
      item->setSelected(true);
      if (count == 0) m_lvGames->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
      ++count;
    } else {
      item->setSelected(false);
    }
  }
  return count;
}

int frmMain::SelectedGameIndex() const {
  QTreeWidgetItem* item = m_lvGames->currentItem();
  if (!item || !item->isSelected()) return -1;
  const int index = m_lvGames->indexOfTopLevelItem(item);
  return index < static_cast<int>(m_games.size()) ? index : -1;
}

int frmMain::SelectedProgramIndex() const {
  QTreeWidgetItem* item = m_lvInstalled->currentItem();
  if (!item || !item->isSelected()) {
    const auto selected = m_lvInstalled->selectedItems();
    if (selected.isEmpty()) return -1;
    item = selected.first();
  }
  const int index = m_lvInstalled->indexOfTopLevelItem(item);
  return index < m_parts.programs.Count() ? index : -1;
}

void frmMain::Edit() {
  const int index = SelectedGameIndex();
  if (index < 0) return;
  const BusyGuard busy = Busy();
  if (!busy) return;
  frmGame dialog(m_parts.ui, m_games, index, this);
  if (dialog.exec() == QDialog::Accepted) RefreshLists(true);
}

void frmMain::AutoSelectCommand() {
  const BusyGuard busy = Busy();
  if (!busy) return;
  RefreshLists(true);
  AutoSelect();
}

void frmMain::Refresh() {
  const BusyGuard busy = Busy();
  if (!busy) return;
  RefreshLists(true);
}

void frmMain::Rescan() {
  const BusyGuard busy = Busy();
  if (!busy) return;
  m_parts.registry.BuildProgramList(true, m_parts.programs, false);
  RefreshLists(true);
  FitInstalledList();
}

void frmMain::Send() {
  const BusyGuard busy = Busy();
  if (!busy) return;
  RefreshLists(true);
  ShowStatus(QStringLiteral("Sending files..."));
  SendSelectedGames(false);
  ShowStatus(QStringLiteral("Ready"));
}

void frmMain::Message() {
  const BusyGuard busy = Busy();
  if (!busy) return;
  ShowStatus(QStringLiteral("Sending messages..."));
  SendSelectedGames(true);
  ShowStatus(QStringLiteral("Ready"));
}

void frmMain::SendSelectedGames(bool isMessage) {
  if (!m_parts.exchange) return NotAvailable(QStringLiteral("Sending turns"));
  GameList selected;
  for (int i = 0; i < m_lvGames->topLevelItemCount() && i < static_cast<int>(m_games.size()); ++i) {
    if (m_lvGames->topLevelItem(i)->isSelected()) selected.push_back(m_games[static_cast<size_t>(i)]);
  }
  kolt::SendSelectedGames(m_parts.ui, *m_parts.exchange, selected, isMessage,
                          isMessage || m_chkTaunt->isChecked(), [this] { RefreshLists(true); });
}

void frmMain::StartWatching() {
  if (m_watching) return;
  m_watching = true;
  QApplication::setOverrideCursor(Qt::BusyCursor);
}

void frmMain::PlayGame(bool host) {
  const int index = SelectedGameIndex();
  if (index < 0) return;
  const BusyGuard busy = Busy();
  if (!busy) return;
  StartGame(m_games[static_cast<size_t>(index)], host, false);
}

void frmMain::GameDoubleClick() {
  const int index = SelectedGameIndex();
  if (index < 0) return;
  GamePtr game = m_games[static_cast<size_t>(index)];
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
  const QString programStatus = program->GetStatus();
  const QString password = game->GetPassword();
  QGuiApplication::clipboard()->clear();
  if (!password.isEmpty()) QGuiApplication::clipboard()->setText(password);
  App().lastPlayedGameName = game->GetName();
  const QString gameStatus = game->GetStatus();
  const WindowHandle window = winId();

  if (host) {
    if (m_parts.ui.MsgBox(QStringLiteral("Host this game?"), Buttons::OkCancel, Icon::Question) != Answer::Ok)
      return;
    ClearPendingError();
    if (!program->Provides(OptionalOperation::Host)) {
      m_parts.ui.MsgBox(QStringLiteral("This program does not support hosting."), Buttons::Ok,
                        Icon::Exclamation, program->GetLongName());
      return;
    }
    if (program->Host(window, *game)) return RefreshLists(true);
  }
  if ((!doubleClick || gameStatus == status::Play) && program->SupportsPasswords() && !password.isEmpty() &&
      program->Provides(OptionalOperation::ProcessTurn)) {
    program->ProcessTurn(window, *game, password);
    StartWatching();
    return RefreshLists(true);
  }
  if (programStatus != kNotRunning) return;  // the hot keys are ready; nothing to start
  if (gameStatus != status::Host && gameStatus != status::WaitHost) {
    if (program->Run(window)) {
      StartWatching();
      RefreshLists(false);
    }
  } else if (program->Provides(OptionalOperation::Host) && program->Host(window, *game)) {
    RefreshLists(true);
  }
}

void frmMain::RunProgramCommand() {
  const int index = SelectedProgramIndex();
  if (index < 0) return;
  const BusyGuard busy = Busy();
  if (!busy) return;
  ProgramPtr program = m_parts.programs.At(index);
  if (program->GetStatus() == kNotRunning && program->Run(winId())) {
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
  if (m_parts.ui.MsgBox(
          QStringLiteral("Do you really want to hide ") + program->GetLongName() + QStringLiteral("?"),
          Buttons::YesNo, Icon::Question, QString(), 2) == Answer::Yes) {
    program->NotInstalled();
    ProgramList kept;
    for (const ProgramPtr& p : m_parts.programs) {
      if (p != program) kept.Add(p);
    }
    m_parts.programs = kept;
    delete m_lvInstalled->takeTopLevelItem(index);
    FitInstalledList();
    RefreshLists(true);
  }
}

void frmMain::CopyPassword() {
  const int index = SelectedGameIndex();
  if (index < 0) return;
  QGuiApplication::clipboard()->clear();
  QGuiApplication::clipboard()->setText(m_games[static_cast<size_t>(index)]->GetPassword());
}

void frmMain::GeneratePasswordCommand() {
  const QString password = GeneratePassword();
  QGuiApplication::clipboard()->clear();
  QGuiApplication::clipboard()->setText(password);
  m_parts.ui.MsgBox(QStringLiteral("The new password is: ") + password +
                        QStringLiteral("\r\rThe password has been copied to clipboard."),
                    Buttons::Ok, Icon::None);
}

// The received file in the desktop's handler for it (an archive viewer).
void frmMain::OpenReceivedFile() {
  if (App().commandLineFile.isEmpty()) return;
  m_parts.tools.ShellOpen(App().commandLineFile, QString(), QString(), false);
}

void frmMain::Timer1_Timer() {
  // Whoever started the watched program (Run, or an adapter taking a turn), it is
  // watched until it ends.
  if (m_parts.tools.StartedProgramRunning()) {
    StartWatching();
    return;
  }
  if (!m_watching) return;
  m_watching = false;
  QApplication::restoreOverrideCursor();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  AutoSelectCommand();
  raise();
  activateWindow();
  QApplication::restoreOverrideCursor();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_lvGames && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
      Edit();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
  const BusyGuard busy = Busy();
  if (!busy) {
    event->ignore();  // a command is running: Close is dropped like every guarded command
    return;
  }
  IniWrite(QStringLiteral("Settings"), QStringLiteral("Window"),
           QString::fromLatin1(saveGeometry().toBase64()));
  if (m_parts.hotKeys) m_parts.hotKeys->Unregister();
  if (m_watching) QApplication::restoreOverrideCursor();
  m_watching = false;
  event->accept();
  QApplication::quit();
}

}  // namespace kolt

#include "ui/frmHistory.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/OverviewSettings.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/history/KeptTurns.h"
#include "exchange/history/TurnHistory.h"
#include "ui/PlainTip.h"

namespace kolt {
namespace {

QString TimeText(const QDateTime& time) {
  return QLocale::system().toString(time.toLocalTime(), QLocale::ShortFormat);
}

QStringList FileLines(const std::vector<TurnFile>& files) {
  QStringList lines;
  for (const TurnFile& f : files)
    lines.append(f.name + QStringLiteral(" (") + FormatSize(f.size) + QChar(')'));
  return lines;
}

QString FilesText(const std::vector<TurnFile>& files) {
  return FileLines(files).join(QStringLiteral(", "));
}

constexpr int kFilesColumn = 5;

}  // namespace

QStringList frmHistory::Cells(const TurnEntry& entry) {
  // One line of the taunt: the list shows a row per turn.
  const QString taunt = entry.taunt.simplified();
  // A file a line: a turn's few files read at a glance, however long their names.
  return {TimeText(entry.time),
          DirectionText(entry.direction),
          entry.opponent,
          entry.mode,
          taunt,
          FileLines(entry.files).join(QChar('\n'))};
}

frmHistory::frmHistory(UiPort& ui, GamePtr game, HistoryStore& store, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_game(std::move(game)), m_store(store) {
  setObjectName(QStringLiteral("frmHistory"));
  const auto program = m_game ? m_game->GetProgram() : nullptr;
  setWindowTitle(QStringLiteral("Turn history - ") +
                 (program ? program->GetShortName() + QStringLiteral(" ") : QString()) +
                 (m_game ? m_game->GetName() : QString()));
  m_list = new QTreeWidget;
  m_list->setObjectName(QStringLiteral("lvHistory"));
  m_list->setRootIsDecorated(false);
  // A row is as high as its turn has files (a game's history is short).
  m_list->setUniformRowHeights(false);
  m_list->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Direction"), QStringLiteral("Opponent"),
                           QStringLiteral("Mode"), QStringLiteral("Taunt"), QStringLiteral("Files")});
  m_lblProblem = new QLabel;
  m_lblProblem->setObjectName(QStringLiteral("lblProblem"));
  m_lblProblem->setWordWrap(true);
  m_lblProblem->hide();
  m_cmdRestore = new QPushButton(QStringLiteral("&Restore this turn..."));
  m_cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
  m_cmdRestore->setAutoDefault(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->addButton(m_cmdRestore, QDialogButtonBox::ActionRole);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_lblProblem);
  layout->addWidget(m_list, 1);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_cmdRestore, &QPushButton::clicked, this, &frmHistory::cmdRestore_Click);
  connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });
  resize(860, 360);
  Reload();
  // Wide enough for every column where the screen allows; else the list scrolls.
  const int wanted = m_list->header()->length() + 2 * m_list->frameWidth() +
                     m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                     layout->contentsMargins().left() + layout->contentsMargins().right();
  int room = wanted;
  if (const QScreen* screen = this->screen()) room = screen->availableGeometry().width() * 9 / 10;
  if (wanted > width()) resize(std::min(wanted, room), height());
}

bool frmHistory::Reload() {
  m_list->clear();
  m_turns.clear();
  const auto program = m_game ? m_game->GetProgram() : nullptr;
  std::optional<std::vector<TurnEntry>> turns;
  if (program) turns = m_store.Turns(program->GetShortName(), m_game->GetName());
  if (!turns) {
    m_lblProblem->setText(QStringLiteral("The turn history cannot be read: ") +
                          (program ? m_store.LastError() : QStringLiteral("no game")));
    m_lblProblem->show();
    UpdateButtons();
    return false;
  }
  m_lblProblem->setVisible(turns->empty());
  if (turns->empty())
    m_lblProblem->setText(QStringLiteral("No turns of this game have been sent or received yet."));
  m_turns = std::move(*turns);
  for (const TurnEntry& entry : m_turns) {
    auto* item = new QTreeWidgetItem(Cells(entry));
    item->setToolTip(4, PlainTip(entry.taunt));
    item->setToolTip(kFilesColumn, PlainTip(FileLines(entry.files).join(QChar('\n'))));
    for (int c = 0; c < item->columnCount(); ++c) item->setTextAlignment(c, Qt::AlignLeft | Qt::AlignTop);
    m_list->addTopLevelItem(item);
  }
  for (int c = 0; c < m_list->columnCount(); ++c) {
    m_list->resizeColumnToContents(c);
    // A long taunt is cut (its tip shows it); the files column keeps its longest name.
    if (c != kFilesColumn) m_list->setColumnWidth(c, std::min(m_list->columnWidth(c), 320));
  }
  if (!m_turns.empty()) m_list->setCurrentItem(m_list->topLevelItem(0));
  UpdateButtons();
  return true;
}

void frmHistory::UpdateButtons() {
  const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
  const bool restorable = row >= 0 && row < static_cast<int>(m_turns.size()) &&
                          m_turns[static_cast<size_t>(row)].direction != TurnDirection::Restored &&
                          !m_turns[static_cast<size_t>(row)].files.empty() &&
                          !kept_turns::InPlace(m_turns[static_cast<size_t>(row)]);
  m_cmdRestore->setEnabled(restorable);
  m_cmdRestore->setToolTip(
      restorable || row < 0 ? QString() : QStringLiteral("The files in place are this turn's already."));
}

void frmHistory::cmdRestore_Click() {
  const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
  if (row < 0 || row >= static_cast<int>(m_turns.size())) return;
  const TurnEntry entry = m_turns[static_cast<size_t>(row)];
  if (kept_turns::InPlace(entry)) {
    // Restoring it would change nothing and only add a "Restored" line.
    m_ui.MsgBox(QStringLiteral("The files in place are this turn's already: there is nothing to restore."),
                Buttons::Ok, Icon::Information, QStringLiteral("Restore this turn"));
    return;
  }
  const QString question = QStringLiteral("Restore the ") + DirectionText(entry.direction).toLower() +
                           QStringLiteral(" turn of ") + TimeText(entry.time) + QStringLiteral("?\r\n\r\n") +
                           FilesText(entry.files) +
                           QStringLiteral("\r\n\r\nThe files in place now are backed up first.");
  if (m_ui.MsgBox(question, Buttons::YesNo, Icon::Question, QStringLiteral("Restore this turn"), 2) !=
      Answer::Yes)
    return;
  const kept_turns::RestoreResult result =
      turn_history::RestoreTurn(&m_store, entry, KeepTurns(), m_game.get(), &m_note);
  if (!result.ok) {
    m_ui.MsgBox(result.message, Buttons::Ok, Icon::Exclamation, QStringLiteral("Restore this turn"));
    return;
  }
  m_restored = true;
  m_ui.ShowStatus(m_note.isEmpty() ? QStringLiteral("Restored the turn of ") + TimeText(entry.time) : m_note);
  Reload();
}

}  // namespace kolt

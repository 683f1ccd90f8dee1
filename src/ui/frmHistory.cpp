#include "ui/frmHistory.h"

#include <QHeaderView>
#include <QLocale>
#include <QScreen>
#include <QStyle>

#include "core/OverviewSettings.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/history/KeptTurns.h"
#include "exchange/history/TurnHistory.h"
#include "ui/PlainTip.h"
#include "ui_frmHistory.h"

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

// The direction as the list shows it; the history file keeps DirectionText's English word.
QString ShownDirection(TurnDirection direction) {
  switch (direction) {
    case TurnDirection::Sent:
      return QCoreApplication::translate("kolt::frmHistory", "Sent", "a turn's direction");
    case TurnDirection::Received:
      return QCoreApplication::translate("kolt::frmHistory", "Received", "a turn's direction");
    case TurnDirection::Restored:
      return QCoreApplication::translate("kolt::frmHistory", "Restored", "a turn's direction");
    case TurnDirection::Reminded:
      return QCoreApplication::translate("kolt::frmHistory", "Reminded", "a turn's direction");
  }
  return DirectionText(direction);
}

}  // namespace

QStringList frmHistory::Cells(const TurnEntry& entry) {
  // One line of the taunt: the list shows a row per turn.
  const QString taunt = entry.taunt.simplified();
  // A file a line: a turn's few files read at a glance, however long their names.
  return {TimeText(entry.time),
          ShownDirection(entry.direction),
          entry.opponent,
          entry.mode,
          taunt,
          FileLines(entry.files).join(QChar('\n'))};
}

frmHistory::frmHistory(UiPort& ui, GamePtr game, HistoryStore& store, QWidget* parent)
    : QDialog(parent),
      m_form(std::make_unique<Ui::frmHistory>()),
      m_ui(ui),
      m_game(std::move(game)),
      m_store(store) {
  m_form->setupUi(this);
  const auto program = m_game ? m_game->GetProgram() : nullptr;
  const QString name = m_game ? m_game->GetName() : QString();
  setWindowTitle(program ? tr("Turn history - %1 %2").arg(program->GetShortName(), name)
                         : tr("Turn history - %1").arg(name));
  connect(m_form->cmdClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_form->cmdRestore, &QPushButton::clicked, this, &frmHistory::cmdRestore_Click);
  connect(m_form->lvHistory, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });
  Reload();
  FitColumns();
}

frmHistory::~frmHistory() = default;

QTreeWidget* frmHistory::List() const {
  return m_form->lvHistory;
}

void frmHistory::FitColumns() {
  const QTreeWidget* list = m_form->lvHistory;
  const QMargins margins = m_form->layoutMain->contentsMargins();
  const int wanted = list->header()->length() + 2 * list->frameWidth() +
                     list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + margins.left() +
                     margins.right();
  int room = wanted;
  if (const QScreen* screen = this->screen()) room = screen->availableGeometry().width() * 9 / 10;
  if (wanted > width()) resize(std::min(wanted, room), height());
}

bool frmHistory::Reload() {
  m_form->lvHistory->clear();
  m_turns.clear();
  const auto program = m_game ? m_game->GetProgram() : nullptr;
  std::optional<std::vector<TurnEntry>> turns;
  if (program) turns = m_store.Turns(program->GetShortName(), m_game->GetName());
  if (!turns) {
    m_form->lblProblem->setText(
        tr("The turn history cannot be read: %1").arg(program ? m_store.LastError() : tr("no game")));
    m_form->lblProblem->show();
    UpdateButtons();
    return false;
  }
  m_form->lblProblem->setVisible(turns->empty());
  if (turns->empty())
    m_form->lblProblem->setText(tr("No turns of this game have been sent or received yet."));
  m_turns = std::move(*turns);
  for (const TurnEntry& entry : m_turns) {
    auto* item = new QTreeWidgetItem(Cells(entry));
    item->setToolTip(4, PlainTip(entry.taunt));
    item->setToolTip(kFilesColumn, PlainTip(FileLines(entry.files).join(QChar('\n'))));
    for (int c = 0; c < item->columnCount(); ++c) item->setTextAlignment(c, Qt::AlignLeft | Qt::AlignTop);
    m_form->lvHistory->addTopLevelItem(item);
  }
  for (int c = 0; c < m_form->lvHistory->columnCount(); ++c) {
    m_form->lvHistory->resizeColumnToContents(c);
    // A long taunt is cut (its tip shows it); the files column keeps its longest name.
    if (c != kFilesColumn)
      m_form->lvHistory->setColumnWidth(c, std::min(m_form->lvHistory->columnWidth(c), 320));
  }
  if (!m_turns.empty()) m_form->lvHistory->setCurrentItem(m_form->lvHistory->topLevelItem(0));
  UpdateButtons();
  return true;
}

void frmHistory::UpdateButtons() {
  const int row = m_form->lvHistory->indexOfTopLevelItem(m_form->lvHistory->currentItem());
  const bool restorable = row >= 0 && row < static_cast<int>(m_turns.size()) &&
                          m_turns[static_cast<size_t>(row)].direction != TurnDirection::Restored &&
                          !m_turns[static_cast<size_t>(row)].files.empty() &&
                          !kept_turns::InPlace(m_turns[static_cast<size_t>(row)]);
  m_form->cmdRestore->setEnabled(restorable);
  m_form->cmdRestore->setToolTip(restorable || row < 0 ? QString()
                                                       : tr("The files in place are this turn's already."));
}

void frmHistory::cmdRestore_Click() {
  const int row = m_form->lvHistory->indexOfTopLevelItem(m_form->lvHistory->currentItem());
  if (row < 0 || row >= static_cast<int>(m_turns.size())) return;
  const TurnEntry entry = m_turns[static_cast<size_t>(row)];
  if (kept_turns::InPlace(entry)) {
    // Restoring it would change nothing and only add a "Restored" line.
    m_ui.MsgBox(tr("The files in place are this turn's already: there is nothing to restore."), Buttons::Ok,
                Icon::Information, tr("Restore this turn"));
    return;
  }
  // Whole sentences: a language may not put the direction where English does.
  const QString question =
      (entry.direction == TurnDirection::Received
           ? tr("Restore the received turn of %1?\r\n\r\n%2\r\n\r\nThe files in place now are backed up "
                "first.")
           : tr("Restore the sent turn of %1?\r\n\r\n%2\r\n\r\nThe files in place now are backed up first."))
          .arg(TimeText(entry.time), FilesText(entry.files));
  if (m_ui.MsgBox(question, Buttons::YesNo, Icon::Question, tr("Restore this turn"), 2) != Answer::Yes)
    return;
  const kept_turns::RestoreResult result =
      turn_history::RestoreTurn(&m_store, entry, KeepTurns(), m_game.get(), &m_note);
  if (!result.ok) {
    m_ui.MsgBox(result.message, Buttons::Ok, Icon::Exclamation, tr("Restore this turn"));
    return;
  }
  m_restored = true;
  m_ui.ShowStatus(m_note.isEmpty() ? tr("Restored the turn of %1").arg(TimeText(entry.time)) : m_note);
  Reload();
}

}  // namespace kolt

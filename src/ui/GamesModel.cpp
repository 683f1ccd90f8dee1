#include "ui/GamesModel.h"

#include <QBrush>
#include <QCoreApplication>

#include <QFont>
#include <algorithm>

#include "core/OverviewSettings.h"
#include "model/Status.h"
#include "model/Waiting.h"
#include "ui/PlainTip.h"

namespace kolt {
namespace {

// The shared columns, then how long each game has been in its state.
enum Column { kGame, kFileName, kInfo, kModified, kSize, kStatus, kMode, kEMail, kWaiting, kColumns };
static_assert(kSize == kGameSizeColumn);
static_assert(kWaiting == GamesModel::kWaitingColumn);

QString Cell(const GameRow& row, int column) {
  switch (column) {
    case kGame:
      return row.game;
    case kFileName:
      return row.fileName;
    case kInfo:
      return row.info;
    case kModified:
      return row.modified;
    case kSize:
      return row.SizeText();
    case kStatus:
      return ShownStatus(row.status);
    case kMode:
      return row.mode;
    case kEMail:
      return row.email;
    case kWaiting:
      return row.waitingText;
    default:
      return QString();
  }
}

QVariant ToolTip(const GameRow& row, int column) {
  switch (column) {
    case kFileName:
      return PlainTip(row.fileName);
    case kInfo:
      return PlainTip(row.info);
    case kModified:
      return PlainTip(row.modified);
    case kSize:
      return row.SizeTip();
    case kEMail:
      return PlainTip(row.email);
    case kWaiting:
      //: the tip of the Waiting column: %1 the game's status, %2 how long, such as "3 days"
      return row.waitingSeconds < 0 ? QVariant()
                                    : QVariant(QCoreApplication::translate("GamesModel", "In \"%1\" for %2")
                                                   .arg(ShownStatus(row.status), row.waitingText));
    default:
      return QVariant();
  }
}

// As a number: what every Qt 6 view reads from the alignment role.
QVariant RightAligned() {
  return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
}

QVariant Bold() {
  QFont font;
  font.setBold(true);
  return font;
}

}  // namespace

GamesModel::GamesModel(QObject* parent)
    //: the column that shows how long each game has been in its status
    : QAbstractTableModel(parent), m_headers(GameColumnHeaders() << tr("Waiting", "column")) {}

void GamesModel::Reset(GameList games, std::vector<GameRow> rows, std::vector<bool> received) {
  beginResetModel();
  m_games = std::move(games);
  m_rows = std::move(rows);
  m_received = std::move(received);
  // The three run side by side; a short one would leave rows without a game.
  const size_t n = std::min(m_games.size(), m_rows.size());
  m_games.resize(n);
  m_rows.resize(n);
  m_received.resize(n, false);
  m_lateDays = LateDays();
  m_listOrder.clear();  // new rows: their own order is the list order
  SortRows();
  endResetModel();
}

void GamesModel::Append(GameList games, std::vector<GameRow> rows, std::vector<bool> received) {
  // Rows shown without games give way to the games read.
  if (!HasGames()) return Reset(std::move(games), std::move(rows), std::move(received));
  const size_t n = std::min(games.size(), rows.size());
  if (n == 0) return;
  if (m_rows.empty()) m_lateDays = LateDays();
  const size_t first = m_rows.size();
  beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(first + n - 1));
  received.resize(n, false);
  for (size_t i = 0; i < n; ++i) {
    m_games.push_back(std::move(games[i]));
    m_rows.push_back(std::move(rows[i]));
    m_received.push_back(received[i]);
    m_listOrder.push_back(first + i);  // after every row there is, in the programs' order
  }
  endInsertRows();
  if (m_sortColumn >= 0) sort(m_sortColumn, m_sortOrder);
}

void GamesModel::ShowRows(std::vector<GameRow> rows) {
  beginResetModel();
  m_games.clear();
  m_rows = std::move(rows);
  m_received.assign(m_rows.size(), false);
  m_lateDays = LateDays();
  m_listOrder.clear();
  SortRows();
  endResetModel();
}

bool GamesModel::IsLateRow(int row) const {
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return false;
  const GameRow& r = m_rows[static_cast<size_t>(row)];
  return IsLate(r.status, r.waitingSeconds, m_lateDays);
}

void GamesModel::sort(int column, Qt::SortOrder order) {
  m_sortColumn = column;
  m_sortOrder = order;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  const std::vector<size_t> moved = SortRows();
  // Persistent rows (the selection, the current row) follow their rows.
  std::vector<int> rowNow(moved.size(), -1);
  for (size_t i = 0; i < moved.size(); ++i) rowNow[moved[i]] = static_cast<int>(i);
  QModelIndexList after;
  for (const QModelIndex& index : before) {
    const auto was = static_cast<size_t>(index.row());
    after.append(was < rowNow.size() ? this->index(rowNow[was], index.column()) : QModelIndex());
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<size_t> GamesModel::SortRows() {
  const size_t n = m_rows.size();
  std::vector<size_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = i;
  if (m_listOrder.size() != n) m_listOrder = order;
  // Column -1: the order the programs listed their games in.
  if (m_sortColumn >= 0 && m_sortColumn < kColumns) {
    const int column = m_sortColumn;
    auto less = [&](size_t a, size_t b) {
      const GameRow& x = m_rows[a];
      const GameRow& y = m_rows[b];
      if (column == kSize) return x.size < y.size;
      if (column == kWaiting) return x.waitingSeconds < y.waitingSeconds;
      return QString::localeAwareCompare(Cell(x, column), Cell(y, column)) < 0;
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      // A game without a waiting time goes after those with one, whichever the direction.
      if (column == kWaiting && (m_rows[a].waitingSeconds < 0) != (m_rows[b].waitingSeconds < 0))
        return m_rows[b].waitingSeconds < 0;
      return m_sortOrder == Qt::AscendingOrder ? less(a, b) : less(b, a);
    });
  } else {
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return m_listOrder[a] < m_listOrder[b]; });
  }
  // `order` names every row once: each is moved, not copied.
  const bool withGames = !m_games.empty();
  GameList games;
  std::vector<GameRow> rows;
  std::vector<bool> received;
  std::vector<size_t> listOrder;
  games.reserve(withGames ? n : 0);
  rows.reserve(n);
  received.reserve(n);
  listOrder.reserve(n);
  for (size_t i : order) {
    if (withGames) games.push_back(std::move(m_games[i]));
    rows.push_back(std::move(m_rows[i]));
    received.push_back(m_received[i]);
    listOrder.push_back(m_listOrder[i]);
  }
  m_games = std::move(games);
  m_rows = std::move(rows);
  m_received = std::move(received);
  m_listOrder = std::move(listOrder);
  return order;
}

GamePtr GamesModel::GameAt(int row) const {
  if (row < 0 || row >= static_cast<int>(m_games.size())) return nullptr;
  return m_games[static_cast<size_t>(row)];
}

QString GamesModel::RowKey(int row) const {
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return QString();
  const GameRow& r = m_rows[static_cast<size_t>(row)];
  return (r.game + QChar('\t') + r.fileName).toUpper();
}

int GamesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int GamesModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant GamesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size())) return QVariant();
  const auto r = static_cast<size_t>(index.row());
  const GameRow& row = m_rows[r];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return Cell(row, column);
    case Qt::ToolTipRole:
      return ToolTip(row, column);
    case Qt::TextAlignmentRole:
      if (column == kSize || column == kWaiting) return RightAligned();
      return QVariant();
    case Qt::ForegroundRole:
      if (IsLateRow(index.row())) return QBrush(LateColour());
      return QVariant();
    case Qt::FontRole:
      if ((column == kFileName && m_received[r]) || (column == kStatus && row.statusBold)) return Bold();
      return QVariant();
    default:
      return QVariant();
  }
}

QVariant GamesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return QVariant();
  if (role == Qt::DisplayRole) return m_headers.value(section);
  if (role == Qt::TextAlignmentRole && (section == kSize || section == kWaiting)) return RightAligned();
  return QVariant();
}

}  // namespace kolt

#include "ui/GamesModel.h"

#include <QFont>
#include <algorithm>

#include "ui/PlainTip.h"

namespace kolt {
namespace {

enum Column { kGame, kFileName, kInfo, kModified, kSize, kStatus, kMode, kEMail, kColumns };
static_assert(kSize == kGameSizeColumn);

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
      return row.sizeText;
    case kStatus:
      return row.status;
    case kMode:
      return row.mode;
    case kEMail:
      return row.email;
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
      return row.sizeTip;
    case kEMail:
      return PlainTip(row.email);
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

GamesModel::GamesModel(QObject* parent) : QAbstractTableModel(parent), m_headers(GameColumnHeaders()) {}

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
  endResetModel();
}

GamePtr GamesModel::GameAt(int row) const {
  if (row < 0 || row >= static_cast<int>(m_games.size())) return nullptr;
  return m_games[static_cast<size_t>(row)];
}

QString GamesModel::Key(const Game& game) {
  ProgramPtr program = game.GetProgram();
  return ((program ? program->GetShortName() : QString()) + QChar('\t') + game.GetName()).toUpper();
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
      if (column == kSize) return RightAligned();
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
  if (role == Qt::TextAlignmentRole && section == kSize) return RightAligned();
  return QVariant();
}

}  // namespace kolt

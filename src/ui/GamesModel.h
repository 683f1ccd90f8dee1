#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <vector>

#include "model/Game.h"
#include "model/ListRows.h"

namespace kolt {

// The games list of the main window: every game with the row the last refresh read for
// it. The rows are what the list shows and what selection by state looks at; the games
// are what the commands act on.
class GamesModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GamesModel(QObject* parent = nullptr);

  // Replaces every row at once (one reset, however many games). `received` tells which
  // rows hold a game received in this run; their names show in bold.
  void Reset(GameList games, std::vector<GameRow> rows, std::vector<bool> received);
  // Adds rows after the others (one insertion however many), in the order of the sort
  // column when one is chosen: the list filling a part at a time.
  void Append(GameList games, std::vector<GameRow> rows, std::vector<bool> received);
  // Shows rows that have no games behind them (the last session's, until the games are
  // read): GameAt is null for each, Games() is empty.
  void ShowRows(std::vector<GameRow> rows);
  bool HasGames() const { return !m_games.empty() || m_rows.empty(); }

  // The colour of a game waiting for the player's move for too long ([History] LateDays).
  static QColor LateColour() { return QColor(0xb0, 0x1c, 0x1c); }
  bool IsLateRow(int row) const;
  // Rows in the order of `column` (-1: as the programs listed them); every later Reset
  // keeps that order.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
  static constexpr int kWaitingColumn = 8;

  const GameList& Games() const { return m_games; }
  const std::vector<GameRow>& Rows() const { return m_rows; }
  GamePtr GameAt(int row) const;

  // What a selection is kept by across reloads: the program's short name and the game's
  // name, without regard to case; the same whether or not a game is behind the row.
  QString RowKey(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  GameList m_games;             // as many as rows, or none (ShowRows)
  std::vector<GameRow> m_rows;  // m_rows[i] is what row i shows of m_games[i]
  std::vector<bool> m_received;
  std::vector<size_t> m_listOrder;  // each row's place in the programs' own order
  QStringList m_headers;
  int m_lateDays = 0;
  int m_sortColumn = -1;
  Qt::SortOrder m_sortOrder = Qt::AscendingOrder;

  // Puts the rows into the chosen order; `order[i]` is the row that is now row i.
  std::vector<size_t> SortRows();
};

}  // namespace kolt

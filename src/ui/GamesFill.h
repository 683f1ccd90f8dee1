#pragma once

#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <vector>

#include "core/Pass.h"
#include "model/ListRows.h"
#include "model/ProgramList.h"

namespace kolt {

// The lists of a large home read a part at a time, so that the window can draw and take
// input between the parts: each program's row and games, then the games' rows, for as
// long as a part's time allows. One pass runs from the first part to End (each folder is
// listed once however many parts there are); what each part yields goes into the lists
// as it comes, in the order ReadLists gives.
class GamesFill final {
 public:
  struct Part {
    std::vector<ProgramRow> programs;
    GameList games;
    std::vector<GameRow> rows;  // rows[i] is the row of games[i]
  };

  // `pass` is the pass the fill runs in (begun by the caller, who may have done work in
  // it already); `checking` is told each program before it is read.
  GamesFill(std::unique_ptr<Pass> pass, const ProgramList& programs,
            std::function<void(const Program&)> checking, TurnMomentsByGame moments);

  // Reads on until `budgetMs` has passed or `maxGames` rows are read, at least one
  // program or one game. Empty when everything has been read.
  Part Next(qint64 budgetMs, size_t maxGames);
  bool Done() const { return m_program >= m_programs.size() && m_game >= m_games.size(); }
  // Ends the pass; false when the settings gathered in it could not be written.
  bool End();

 private:
  std::unique_ptr<Pass> m_pass;
  std::vector<ProgramPtr> m_programs;
  std::function<void(const Program&)> m_checking;
  TurnMomentsByGame m_moments;
  // One moment for every row, as in one refresh; in UTC, since a local time looks up the
  // zone again for every row.
  QDateTime m_now;
  size_t m_program = 0;
  QString m_prefix;  // the current program's key prefix among the moments
  GameList m_games;  // the current program's games
  size_t m_game = 0;
};

}  // namespace kolt

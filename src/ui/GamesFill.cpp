#include "ui/GamesFill.h"

namespace kolt {

GamesFill::GamesFill(std::unique_ptr<Pass> pass, const ProgramList& programs,
                     std::function<void(const Program&)> checking, TurnMomentsByGame moments)
    : m_pass(std::move(pass)),
      m_checking(std::move(checking)),
      m_moments(std::move(moments)),
      m_now(QDateTime::currentDateTimeUtc()) {
  for (const ProgramPtr& program : programs) m_programs.push_back(program);
}

GamesFill::Part GamesFill::Next(qint64 budgetMs, size_t maxGames) {
  Part part;
  QElapsedTimer clock;
  clock.start();
  while (!Done()) {
    if (m_game >= m_games.size()) {
      Program& program = *m_programs[m_program++];
      if (m_checking) m_checking(program);
      part.programs.push_back(MakeProgramRow(program));
      m_games = program.InitGames();
      m_game = 0;
      m_prefix = program.GetShortName().toUpper() + QChar('\t');
    } else {
      GamePtr& game = m_games[m_game++];
      const TurnMoments recorded =
          m_moments.isEmpty() ? TurnMoments{} : m_moments.value(m_prefix + game->GetName().toUpper());
      part.rows.push_back(MakeGameRow(*game, m_now, recorded));
      part.games.push_back(std::move(game));
    }
    if (clock.elapsed() >= budgetMs || part.rows.size() >= maxGames) break;
  }
  if (Done()) m_games.clear();
  return part;
}

bool GamesFill::End() {
  return m_pass ? m_pass->End() : true;
}

}  // namespace kolt

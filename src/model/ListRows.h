#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "model/Game.h"
#include "model/Program.h"
#include "model/Waiting.h"

// The cells of the two lists of the main window, formed in one place so that every view
// of them (the window, kolt-cli) shows the same values.
namespace kolt {

// One row of the installed programs list.
struct ProgramRow {
  QString game;  // short name
  QString name;  // long name
  QString version;
  QString status;  // "Running" or "Not running"
  QString directory;

  QStringList Cells() const { return {game, name, version, status, directory}; }
  // Cells() as a person reads them: the state in his language.
  QStringList ShownCells() const;
};

// One row of the games list.
struct GameRow {
  QString game;      // the program's short name
  QString fileName;  // GetName
  QString info;      // GetDescription
  QString modified;  // GetModified
  qint64 size = 0;   // bytes
  QString status;
  QString mode;
  QString email;
  bool statusBold = false;  // a move is due and the address is not "-"
  // How long the game has been in its state (-1: unknown), and as the list shows it (in
  // the user's language); not among Cells(), which keep the columns every view shares.
  qint64 waitingSeconds = -1;
  QString waitingText;

  // The size as the list shows it and as its tip tells it: formed when asked, since a
  // refresh of thousands of games shows only the rows on the screen.
  QString SizeText() const;
  QString SizeTip() const;

  QStringList Cells() const { return {game, fileName, info, modified, SizeText(), status, mode, email}; }
  // Cells() as a person reads them: the status in his language.
  QStringList ShownCells() const;
};

ProgramRow MakeProgramRow(const Program& program);
// `now` is the moment the waiting times are counted to (invalid: the current time);
// `moments`, when given, what the turn history recorded of the game.
GameRow MakeGameRow(const Game& game, const QDateTime& now = QDateTime(), const TurnMoments& moments = {});

class ProgramList;

// What one refresh shows: a row for every program and, when asked, every game of every
// program (InitGames) with its row, in list order.
struct Lists {
  std::vector<ProgramRow> programs;
  GameList games;
  std::vector<GameRow> gameRows;  // gameRows[i] is the row of games[i]
};

// Reads both lists as the main window and kolt-cli show them, in one pass (each game
// folder listed once). `checking`, when given, is told each program before it is read;
// `moments` are the turn history's latest sends and receives, read once for all games.
Lists ReadLists(const ProgramList& programs, bool withGames,
                const std::function<void(const Program&)>& checking = {},
                const TurnMomentsByGame& moments = {});

// In the user's language.
QStringList ProgramColumnHeaders();  // "Game", "Name", "Version", "Status", "Directory"
QStringList GameColumnHeaders();     // "Game", "File Name", ... "E-Mail"
// Column widths of the design, in twips, in column order.
QList<int> ProgramColumnWidths();
QList<int> GameColumnWidths();
// The column of the games list whose cells are right-aligned.
constexpr int kGameSizeColumn = 4;

}  // namespace kolt

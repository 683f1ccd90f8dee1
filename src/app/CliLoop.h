#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <memory>

#include "exchange/loop/HeadlessDisplay.h"
#include "model/Game.h"
#include "model/ProgramList.h"

namespace kolt {

class AutoHost;
class CliTurns;
class Wintools;

// kolt-cli's turn loop without hands:
// - play SHORT/NAME: starts the game as the window's Play does, waits for it to end and
//   sends the finished turn (after "Send ... now?", answered by --yes/--no as ever);
// - serve [--interval SECONDS] [--once]: checks the working folder and the mailbox,
//   hosts the games marked for automatic hosting, sends the results and reminds late
//   opponents, every interval, writing one line per action to the standard output, until
//   SIGTERM or Ctrl+C (the step under way is finished first).
class CliLoop final {
  Q_DECLARE_TR_FUNCTIONS(CliLoop)

 public:
  CliLoop(CliTurns& turns, Wintools& tools, ProgramList& programs);
  ~CliLoop();

  static bool IsCommand(const QString& word);
  // What is wrong with the arguments, or empty.
  static QString CheckArguments(const QString& command, const QStringList& arguments);
  int Run(const QString& command, const QStringList& arguments);

 private:
  int Play(const QString& name);
  int Serve(int intervalSeconds, bool once);
  // One round of serve.
  void ServeOnce();
  // The game listed as SHORT/NAME, or null after saying so.
  GamePtr FindGame(const QString& name);
  // Says what the last receive took in, one line per game.
  void LogArrivals();

  CliTurns& m_turns;
  Wintools& m_tools;
  ProgramList& m_programs;
  bool m_mailboxNoted = false;
  // Started only when a game is to be hosted and there is no display.
  HeadlessDisplay m_display;
  std::unique_ptr<AutoHost> m_host;
};

}  // namespace kolt

#pragma once

#include <QString>
#include <functional>

#include "model/Game.h"
#include "model/ProgramList.h"

namespace kolt {

class HostJournal;
class TurnExchange;
class UiPort;
class Wintools;

// Hosting without the host: a game marked for it (IsAutoHosted) whose every living
// human player's orders are in ("Host") is processed exactly as the Host command does,
// and the new turn is sent to every player, one message each, as sending the game does.
//
// A step is journalled (HostJournal): killed while the game processes the turn, the next
// run puts the game's files back as they were; killed while sending, it sends to the
// players not yet served. A failed step (the game could not be started, ended with an
// error or without an exit code, or left the turn unprocessed) is undone, reported once,
// and switches automatic hosting of that game off: it is never tried again in a loop.
class AutoHost {
 public:
  AutoHost(UiPort& ui, Wintools& tools, TurnExchange& exchange, ProgramList& programs);

  // One line for each thing done ("Hosted SE4/Game.gam", "Sent SE4/Game.gam to ...").
  void SetLog(std::function<void(const QString&)> log) { m_log = std::move(log); }
  // Asked before the first game is hosted (a display for the game); false, with the
  // reason, leaves every game for the next run as it is.
  void SetBeforeHost(std::function<bool(QString*)> ready) { m_ready = std::move(ready); }

  // Finishes or undoes the steps a killed run left, then hosts every marked game whose
  // orders are all in. Returns how many games were hosted and sent completely.
  int Run();

  // The report of a failed step, shown once.
  static QString StoppedText(const QString& gameKey, const QString& reason);

 private:
  // Looks the game up in a fresh listing of its program.
  GamePtr FindGame(const QString& key);
  void Resume(const QString& key);
  bool HostOne(const ProgramPtr& program, const GamePtr& game);
  // Sends the processed turn to the players the journal has not served yet; true when
  // every one has it and the journal is gone.
  bool SendRemaining(const GamePtr& game, HostJournal& journal);
  // Undoes the step, switches automatic hosting off and tells the user once.
  void Stop(const GamePtr& game, HostJournal& journal, const QString& reason);
  void Log(const QString& line);

  UiPort& m_ui;
  Wintools& m_tools;
  TurnExchange& m_exchange;
  ProgramList& m_programs;
  std::function<void(const QString&)> m_log;
  std::function<bool(QString*)> m_ready;
  bool m_readyTold = false;
};

}  // namespace kolt

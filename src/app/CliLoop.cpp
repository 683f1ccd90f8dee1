#include "app/CliLoop.h"

#include <unistd.h>

#include <QThread>
#include <atomic>
#include <csignal>
#include <cstdio>

#include "app/CliTurns.h"
#include "app/TerminalUi.h"
#include "core/AppSettings.h"
#include "core/LoopSettings.h"
#include "core/OverviewSettings.h"
#include "core/Pass.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/UiPort.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/loop/AutoHost.h"
#include "exchange/loop/HeadlessDisplay.h"
#include "exchange/loop/PlayedTurn.h"
#include "exchange/loop/Reminders.h"
#include "exchange/turns/MailboxFetch.h"
#include "exchange/turns/TurnExchange.h"
#include "model/Status.h"
#include "model/Wintools.h"

namespace kolt {
namespace {

constexpr int kDefaultInterval = 300;
// How often a waiting loop looks at the started game or the stop flag.
constexpr unsigned long kPollMs = 200;

std::atomic<bool> g_stop{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnStop(int) {
  g_stop.store(true);
}

void Err(const QString& text) {
  const QByteArray bytes = ForTerminal(text).toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

// One line of serve's log: on the standard output at once, so that the journal of a
// systemd service has it when it happens.
void LogLine(const QString& text) {
  const QByteArray bytes = (SafeForDisplay(text, QChar(' ')) + QChar('\n')).toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
  std::fflush(stdout);
}

bool ParseInterval(const QString& text, int* seconds) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < 1 || value > 7 * 24 * 3600) return false;
  *seconds = value;
  return true;
}

}  // namespace

CliLoop::CliLoop(CliTurns& turns, Wintools& tools, ProgramList& programs)
    : m_turns(turns), m_tools(tools), m_programs(programs) {}

CliLoop::~CliLoop() = default;

bool CliLoop::IsCommand(const QString& word) {
  return word == QStringLiteral("play") || word == QStringLiteral("serve");
}

QString CliLoop::CheckArguments(const QString& command, const QStringList& arguments) {
  if (command == QStringLiteral("play")) {
    QStringList names;
    for (const QString& a : arguments) {
      if (a != QStringLiteral("--")) names.append(a);
    }
    return names.size() == 1 ? QString() : tr("play takes one game (SHORT/NAME)");
  }
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    int seconds = 0;
    if (a == QStringLiteral("--once")) continue;
    if (a == QStringLiteral("--interval")) {
      if (i + 1 == arguments.size() || !ParseInterval(arguments[i + 1], &seconds))
        return tr("--interval needs a number of seconds (1 to 604800)");
      ++i;
      continue;
    }
    return tr("unexpected argument: %1").arg(a);
  }
  return QString();
}

int CliLoop::Run(const QString& command, const QStringList& arguments) {
  if (!CheckArguments(command, arguments).isEmpty()) return 2;
  if (command == QStringLiteral("play")) {
    for (const QString& a : arguments) {
      if (a != QStringLiteral("--")) return Play(a);
    }
    return 2;
  }
  int interval = kDefaultInterval;
  bool once = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--once")) once = true;
    if (arguments[i] == QStringLiteral("--interval")) ParseInterval(arguments[++i], &interval);
  }
  return Serve(interval, once);
}

GamePtr CliLoop::FindGame(const QString& name) {
  GameList all;
  {
    Pass pass;
    for (const ProgramPtr& program : m_programs) {
      for (const GamePtr& game : program->InitGames()) all.push_back(game);
    }
  }
  for (const GamePtr& game : all) {
    if (PlayedTurn::KeyOf(*game).compare(name, Qt::CaseInsensitive) == 0) return game;
  }
  Err(QStringLiteral("kolt-cli: ") +
      tr("no such game: %1 ('kolt-cli list' shows the games in progress)").arg(name) + QChar('\n'));
  return nullptr;
}

int CliLoop::Play(const QString& name) {
  UiPort& ui = m_turns.Port();
  m_turns.Refresh();
  const GamePtr game = FindGame(name);
  if (!game) return 2;
  const ProgramPtr program = game->GetProgram();
  if (!program) return 2;
  if (program->GetStatus() != ProgramState::NotRunning) {
    Err(QStringLiteral("kolt-cli: ") +
        tr("%1 is running already; finish it first").arg(program->GetLongName()) + QChar('\n'));
    return 1;
  }
  const PlayedTurn played(*game);
  const QString password = game->GetPassword();
  const QString gameStatus = game->GetStatus();
  App().lastPlayedGameName = game->GetName();
  // As Play does: the turn directly where the game takes a password, the hosting of a
  // hosted game whose orders are in, else the program.
  bool started = false;
  if (program->SupportsPasswords() && !password.isEmpty() &&
      program->Provides(OptionalOperation::ProcessTurn)) {
    started = program->ProcessTurn(WindowHandle{}, *game, password);
  } else if ((gameStatus == status::Host || gameStatus == status::WaitHost) &&
             program->Provides(OptionalOperation::Host)) {
    started = program->Host(WindowHandle{}, *game);
  } else {
    started = program->Run(WindowHandle{});
  }
  if (!started) {
    Err(QStringLiteral("kolt-cli: ") + tr("%1 was not played: the game could not be started").arg(name) +
        QChar('\n'));
    return 1;
  }
  ui.ShowStatus(tr("Waiting for %1 to end...").arg(program->GetLongName()));
  while (m_tools.StartedProgramRunning()) QThread::msleep(kPollMs);

  m_turns.Refresh();
  const GamePtr after = played.FindIn([this] {
    GameList all;
    Pass pass;
    for (const ProgramPtr& p : m_programs) {
      for (const GamePtr& g : p->InitGames()) all.push_back(g);
    }
    return all;
  }());
  if (!after || !played.IsFinished(*after)) {
    Err(QStringLiteral("kolt-cli: ") +
        tr("nothing to send: no new turn of %1 is ready (the game's files did not change)").arg(name) +
        QChar('\n'));
    return 1;
  }
  if (!SendFinishedTurnsAtOnce()) {
    bool dontAsk = false;
    const Answer answer = ui.AskWithCheckBox(PlayedTurn::Question(*after), PlayedTurn::DontAskText(),
                                             &dontAsk, Buttons::YesNo, Icon::Question, 1);
    if (dontAsk && !SetSendFinishedTurnsAtOnce(true)) ui.ShowSettingsWriteError();
    if (answer != Answer::Yes) {
      Err(QStringLiteral("kolt-cli: ") + tr("%1 was not sent; send it with 'kolt-cli send'").arg(name) +
          QChar('\n'));
      return 1;
    }
  }
  ui.ShowStatus(tr("Sending files..."));
  const SendResult result = SendFinishedTurn(ui, m_turns.Exchange(), after, TauntEnabled());
  if (result == SendResult::Sent) {
    //: %1 is the game (SHORT/NAME), %2 the opponent's address
    const QByteArray line = (tr("Sent %1 to %2").arg(name, after->GetEMail()) + QChar('\n')).toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    return 0;
  }
  Err(QStringLiteral("kolt-cli: ") + tr("%1 was not sent, see the message above").arg(name) + QChar('\n'));
  return 1;
}

void CliLoop::LogArrivals() {
  const TurnExchange::Arrivals arrivals = m_turns.Exchange().TakeArrivals();
  for (const ReceiveRecords::Arrived& a : arrivals.games) {
    const QString game = a.shortName + QChar('/') + a.gameName;
    //: %1 is the game (SHORT/NAME), %2 the address it came from
    LogLine(arrivals.sender.isEmpty() ? tr("Received %1").arg(game)
                                      : tr("Received %1 from %2").arg(game, arrivals.sender));
  }
  if (!arrivals.historyNote.isEmpty()) LogLine(arrivals.historyNote);
}

void CliLoop::ServeOnce() {
  UiPort& ui = m_turns.Port();
  TurnExchange& exchange = m_turns.Exchange();
  m_turns.Refresh();
  LogArrivals();
  if (g_stop.load()) return;

  QString problem;
  MailboxFetch::ReadAccount(m_programs, &problem);
  if (!problem.isEmpty()) {
    if (!m_mailboxNoted) LogLine(tr("No mailbox to check: %1").arg(problem));
    m_mailboxNoted = true;
  } else {
    MailboxFetch fetch(ui, exchange, m_programs);
    const MailboxTally tally = fetch.Run(&g_stop);
    LogArrivals();
    for (const QString& p : tally.Problems()) LogLine(tr("Mailbox: %1").arg(p));
  }
  if (g_stop.load()) return;

  if (!m_host) {
    // One for the whole run: a missing display is told once, not every interval.
    m_host = std::make_unique<AutoHost>(ui, m_tools, exchange, m_programs);
    m_host->SetLog(&LogLine);
    HeadlessDisplay* display = &m_display;
    m_host->SetBeforeHost([display](QString* why) { return display->Ensure(why); });
  }
  m_host->Run();
  if (g_stop.load()) return;

  if (AutoRemindersEnabled()) {
    // The waiting times count from the recorded sends, as the lists show them.
    HistoryStore history(HistoryStore::DefaultPath());
    Lists lists;
    {
      Pass pass;
      lists = ReadLists(m_programs, true, {}, history.LatestTurns().value_or(TurnMomentsByGame()));
    }
    Reminders reminders(ui, m_turns.Mail(), history.Path().isEmpty() ? nullptr : &history);
    reminders.SetLog(&LogLine);
    reminders.RunAutomatic(lists, LateDays(), QDateTime::currentDateTime());
  }
}

int CliLoop::Serve(int intervalSeconds, bool once) {
  g_stop.store(false);
  struct sigaction action {};
  action.sa_handler = &OnStop;
  sigemptyset(&action.sa_mask);
  struct sigaction previousInt {
  }, previousTerm{};
  ::sigaction(SIGINT, &action, &previousInt);
  ::sigaction(SIGTERM, &action, &previousTerm);
  //: %1 is the home folder, %2 the seconds between two rounds
  LogLine(tr("Serving %1 every %2 s").arg(App().homeFolder, QString::number(intervalSeconds)));
  while (!g_stop.load()) {
    ServeOnce();
    if (once) break;
    for (qint64 waited = 0; waited < qint64{intervalSeconds} * 1000 && !g_stop.load(); waited += kPollMs)
      QThread::msleep(kPollMs);
  }
  ::sigaction(SIGINT, &previousInt, nullptr);
  ::sigaction(SIGTERM, &previousTerm, nullptr);
  //: the last line of kolt-cli serve: stopped by a signal, or one round done
  LogLine(g_stop.load() ? tr("Stopped") : tr("Done"));
  return 0;
}

}  // namespace kolt

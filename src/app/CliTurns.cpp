#include "app/CliTurns.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <optional>

#include "app/TerminalUi.h"
#include "core/AppSettings.h"
#include "core/FileNames.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/archive/MemoryArchiveLog.h"
#include "exchange/mail/MailProgress.h"
#include "exchange/mail/Mailer.h"
#include "exchange/mail/TestMessage.h"
#include "exchange/turns/MailboxFetch.h"
#include "exchange/turns/ReceiveOutcome.h"
#include "exchange/turns/SendSelection.h"
#include "exchange/turns/TurnExchange.h"

namespace kolt {
namespace {

void Err(const QString& text) {
  const QByteArray bytes = ForTerminal(text).toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

// What the last receive took in, on standard output: "Received 2 games from ...", then
// one line per game (SHORT/name).
void PrintArrivals(TurnExchange& exchange) {
  const TurnExchange::Arrivals arrivals = exchange.TakeArrivals();
  const QString text = TurnExchange::ArrivalText(arrivals);
  if (text.isEmpty()) return;
  QString lines = text + QChar('\n');
  for (const ReceiveRecords::Arrived& a : arrivals.games)
    lines += QStringLiteral("  ") + a.shortName + QChar('/') + a.gameName + QChar('\n');
  const QByteArray bytes = lines.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

// The terminal port with the taunt answered from --taunt (a terminal has no editor
// window); everything else goes to the terminal as it is.
class TauntingUi final : public UiPort {
 public:
  explicit TauntingUi(UiPort& inner) : m_inner(inner) {}
  void SetTaunt(const QString& text) { m_taunt = text; }
  // Error messages shown so far: work that reports its failures only to the user (the
  // working folder's archives) still ends the command with a non-zero status.
  int Errors() const { return m_errors; }

  Answer ShowMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                        int defaultButton) override {
    if (buttons == Buttons::Ok && icon == Icon::Exclamation) ++m_errors;  // as ShowError shows them
    return m_inner.MsgBox(text, buttons, icon, title, defaultButton);
  }
  std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) override {
    return m_inner.InputBox(prompt, title, defaultText);
  }
  void ShowStatus(const QString& text) override { m_inner.ShowStatus(text); }
  void DoEvents() override { m_inner.DoEvents(); }
  std::optional<QString> AskInstallFolder(const QString& caption, const QString& question,
                                          const QString& folder, const QString& exeName) override {
    return m_inner.AskInstallFolder(caption, question, folder, exeName);
  }
  std::optional<QString> AskTaunt(const QString& address, const QString& gamesText) override {
    (void)address, (void)gamesText;
    return m_taunt;
  }

 private:
  UiPort& m_inner;
  QString m_taunt;
  int m_errors = 0;
};

volatile std::sig_atomic_t g_interrupted = 0;

// Raised by Ctrl+C or SIGTERM during a mailbox check (lock-free, so a handler may set it).
std::atomic<bool> g_fetchStop{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnFetchStop(int) {
  g_fetchStop.store(true);
}

void OnInterrupt(int) {
  g_interrupted = 1;
}

// The SMTP progress as a terminal has it: no window, but Ctrl+C stops the message being
// sent, as the window's Cancel does (a server that stopped answering is otherwise waited
// for until the time limit). A second Ctrl+C ends the program at once.
class TerminalProgress final : public MailProgress {
 public:
  void Init() override { g_interrupted = 0; }
  void SetRecipients(const QString&) override {}
  void SetAttachments(const QString&) override {}
  void AddLine(const QString&) override {}
  void SetProgress(qint64, qint64) override {}
  void SetSending(bool sending) override {
    if (sending == m_installed) return;
    if (sending) {
      struct sigaction action {};
      action.sa_handler = &OnInterrupt;
      sigemptyset(&action.sa_mask);
      action.sa_flags = SA_RESETHAND;
      m_installed = ::sigaction(SIGINT, &action, &m_previous) == 0;
    } else {
      ::sigaction(SIGINT, &m_previous, nullptr);
      m_installed = false;
    }
  }
  void ShowWindow() override {}
  void HideWindow() override {}
  bool CancelRequested() const override { return g_interrupted != 0; }

 private:
  bool m_installed = false;
  struct sigaction m_previous {};
};

}  // namespace

struct CliTurns::Parts {
  Parts(UiPort& ui, Wintools& tools, ProgramList& programs)
      : port(ui),
        archive(port, log),
        mailer(port, &progress),
        exchange(port, tools, programs, archive, mailer) {}
  TauntingUi port;
  MemoryArchiveLog log;
  ArchiveWrapper archive;
  TerminalProgress progress;
  Mailer mailer;
  TurnExchange exchange;
};

CliTurns::CliTurns(UiPort& ui, Wintools& tools, ProgramList& programs)
    : m_parts(std::make_unique<Parts>(ui, tools, programs)), m_ui(ui), m_programs(programs) {}

CliTurns::~CliTurns() = default;

bool CliTurns::IsCommand(const QString& word) {
  return word == QStringLiteral("receive") || word == QStringLiteral("refresh") ||
         word == QStringLiteral("send") || word == QStringLiteral("test-mail") ||
         word == QStringLiteral("fetch");
}

QString CliTurns::CheckArguments(const QString& command, const QStringList& arguments) {
  Arguments parsed;
  return Parse(command, arguments, &parsed);
}

QString CliTurns::Parse(const QString& command, const QStringList& arguments, Arguments* parsed) {
  const bool isSend = command == QStringLiteral("send");
  bool optionsEnd = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (optionsEnd || a == QStringLiteral("-") || !a.startsWith(QChar('-'))) {
      parsed->names.append(a);
    } else if (a == QStringLiteral("--")) {
      optionsEnd = true;
    } else if (isSend && a == QStringLiteral("--message")) {
      parsed->isMessage = true;
    } else if (isSend && a == QStringLiteral("--taunt")) {
      if (i + 1 == arguments.size()) return tr("--taunt needs a text");
      parsed->taunt = arguments[++i];
    } else {
      return command == QStringLiteral("receive")
                 ? tr("unexpected argument: %1 (put -- before a file name that starts with -)").arg(a)
                 : tr("unexpected argument: %1").arg(a);
    }
  }
  if (command == QStringLiteral("receive") && parsed->names.size() != 1) return tr("receive takes one file");
  if (isSend && parsed->names.isEmpty()) return tr("send takes at least one game (SHORT/NAME)");
  if (!isSend && command != QStringLiteral("receive") && !parsed->names.isEmpty())
    //: %1 is a command: refresh, test-mail or fetch
    return tr("%1 takes no arguments").arg(command);
  return QString();
}

ReceiveBatchFactory CliTurns::BatchFactory() {
  TurnExchange* exchange = &m_parts->exchange;
  return [exchange]() { return exchange->NewBatch(); };
}

TurnExchange& CliTurns::Exchange() {
  return m_parts->exchange;
}

UiPort& CliTurns::Port() {
  return m_parts->port;
}

MailTransport& CliTurns::Mail() {
  return m_parts->mailer;
}

void CliTurns::Refresh() {
  if (!App().workingFolder.isEmpty()) m_parts->exchange.ProcessWorkingFolder();
}

int CliTurns::Run(const QString& command, const QStringList& arguments) {
  if (command == QStringLiteral("receive")) return Receive(arguments);
  if (command == QStringLiteral("refresh")) return RefreshCommand(arguments);
  if (command == QStringLiteral("send")) return Send(arguments);
  if (command == QStringLiteral("test-mail")) return TestMail(arguments);
  if (command == QStringLiteral("fetch")) return Fetch(arguments);
  return 2;
}

int CliTurns::Receive(const QStringList& arguments) {
  Arguments parsed;
  if (!Parse(QStringLiteral("receive"), arguments, &parsed).isEmpty()) return 2;
  const QStringList& files = parsed.names;
  const QString file = QDir::cleanPath(QDir(m_startFolder).absoluteFilePath(files[0]));
  // Only a regular file can be the test message; anything else is for ReceivedFile to
  // refuse with its reason (opening a pipe to look into it would wait for a writer).
  if (QFileInfo(file).isFile() && ShowIfTestMessage(m_parts->port, file)) return 0;
  const ReceiveRecords before = m_parts->exchange.Records();
  const bool taken = m_parts->exchange.ReceivedFile(file);
  const ReceiveOutcome outcome = ReceiveOutcome::Of(taken, before, m_parts->exchange.Records(), m_programs);
  PrintArrivals(m_parts->exchange);
  if (outcome.TakenIn()) return 0;
  Err(QStringLiteral("kolt-cli: ") + tr("%1 was not taken in: %2").arg(file, outcome.reason) + QChar('\n'));
  return 1;
}

int CliTurns::RefreshCommand(const QStringList& arguments) {
  Arguments parsed;
  if (!Parse(QStringLiteral("refresh"), arguments, &parsed).isEmpty()) return 2;
  if (App().workingFolder.isEmpty()) {
    Err(QStringLiteral("kolt-cli: ") +
        tr("no working folder is set (the window sets it: Options > Set additional working folder...)") +
        QChar('\n'));
    return 1;
  }
  const ReceiveRecords before = m_parts->exchange.Records();
  const int errorsBefore = m_parts->port.Errors();
  Refresh();
  PrintArrivals(m_parts->exchange);
  const ReceiveRecords& after = m_parts->exchange.Records();
  if (after.failed != before.failed) {
    Err(QStringLiteral("kolt-cli: ") + tr("copying the received files stopped, see the message above") +
        QChar('\n'));
    return 1;
  }
  if (after.declined != before.declined) {
    Err(QStringLiteral("kolt-cli: ") +
        tr("some received files were not taken in: the older files were not confirmed") + QChar('\n'));
    return 1;
  }
  if (m_parts->port.Errors() != errorsBefore) {
    Err(QStringLiteral("kolt-cli: ") +
        tr("not everything in the working folder was taken in, see the messages above") + QChar('\n'));
    return 1;
  }
  return 0;
}

int CliTurns::Send(const QStringList& arguments) {
  Arguments parsed;
  if (!Parse(QStringLiteral("send"), arguments, &parsed).isEmpty()) return 2;
  const bool isMessage = parsed.isMessage;
  const bool tauntGiven = parsed.taunt.has_value();
  if (tauntGiven) m_parts->port.SetTaunt(*parsed.taunt);
  const QStringList& names = parsed.names;
  // The window's Send refreshes first; the selection is then made on fresh games.
  Refresh();
  GameList all;
  for (const ProgramPtr& program : m_programs) {
    for (const GamePtr& game : program->InitGames()) all.push_back(game);
  }
  GameList selected;
  for (const QString& name : names) {
    const qsizetype slash = name.indexOf(QChar('/'));
    const QString shortName = slash < 0 ? QString() : name.left(slash);
    const QString gameName = slash < 0 ? name : name.mid(slash + 1);
    GamePtr found;
    for (const GamePtr& game : all) {
      if (game->GetProgram()->GetShortName().compare(shortName, Qt::CaseInsensitive) == 0 &&
          game->GetName().compare(gameName, Qt::CaseInsensitive) == 0) {
        found = game;
        break;
      }
    }
    if (!found) {
      Err(QStringLiteral("kolt-cli: ") +
          tr("no such game: %1 ('kolt-cli list' shows the games in progress)").arg(name) + QChar('\n'));
      return 2;
    }
    // Selected in the list's order, as rows are.
    if (std::find(selected.begin(), selected.end(), found) == selected.end()) selected.push_back(found);
  }
  std::stable_sort(selected.begin(), selected.end(), [&all](const GamePtr& a, const GamePtr& b) {
    return std::find(all.begin(), all.end(), a) < std::find(all.begin(), all.end(), b);
  });
  const bool taunt = tauntGiven || TauntEnabled();
  m_ui.ShowStatus(isMessage ? tr("Sending messages...") : tr("Sending files..."));
  const SendResult result = SendSelectedGames(m_parts->port, m_parts->exchange, selected, isMessage, taunt);
  //: the status line when nothing is under way
  m_ui.ShowStatus(tr("Ready"));
  const QString historyNote = m_parts->exchange.TakeSendHistoryNote();
  if (!historyNote.isEmpty()) Err(QStringLiteral("kolt-cli: ") + historyNote + QChar('\n'));
  switch (result) {
    case SendResult::Sent:
      return 0;
    case SendResult::Refused:
      Err(QStringLiteral("kolt-cli: ") + tr("nothing was sent, see the message above") + QChar('\n'));
      break;
    case SendResult::Cancelled:
      Err(QStringLiteral("kolt-cli: ") + tr("nothing was sent: the confirmation was declined") + QChar('\n'));
      break;
    case SendResult::Failed:
      if (m_parts->progress.CancelRequested()) {
        Err(QStringLiteral("kolt-cli: ") +
            tr("sending was interrupted (Ctrl+C); that message and the games after it were not sent") +
            QChar('\n'));
        break;
      }
      Err(QStringLiteral("kolt-cli: ") +
          tr("sending stopped, see the message above; the games after it were not sent") + QChar('\n'));
      break;
  }
  return 1;
}

int CliTurns::Fetch(const QStringList& arguments) {
  Arguments parsed;
  if (!Parse(QStringLiteral("fetch"), arguments, &parsed).isEmpty()) return 2;
  // What waits in the working folder first, as every refresh does; then the mailbox.
  Refresh();
  PrintArrivals(m_parts->exchange);
  // Ctrl+C or SIGTERM (a systemd stop) ends the check cleanly: the message under way is
  // not taken in and every message not taken in stays unread. A second one ends at once.
  g_fetchStop.store(false);
  struct sigaction action {};
  action.sa_handler = &OnFetchStop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  struct sigaction previousInt {
  }, previousTerm{};
  ::sigaction(SIGINT, &action, &previousInt);
  ::sigaction(SIGTERM, &action, &previousTerm);
  MailboxFetch fetch(m_parts->port, m_parts->exchange, m_programs);
  const MailboxTally tally = fetch.Run(&g_fetchStop);
  ::sigaction(SIGINT, &previousInt, nullptr);
  ::sigaction(SIGTERM, &previousTerm, nullptr);
  PrintArrivals(m_parts->exchange);
  m_ui.ShowStatus(tr("Ready"));
  for (const QString& problem : tally.Problems()) Err(QStringLiteral("kolt-cli: ") + problem + QChar('\n'));
  if (tally.Busy()) Err(QStringLiteral("kolt-cli: ") + tally.StatusText() + QChar('\n'));
  if (tally.AlreadyIn() > 0)
    Err(QStringLiteral("kolt-cli: ") + tr("%1 turn message(s) were already taken in").arg(tally.AlreadyIn()) +
        QChar('\n'));
  return tally.ExitStatus();
}

int CliTurns::TestMail(const QStringList& arguments) {
  Arguments parsed;
  if (!Parse(QStringLiteral("test-mail"), arguments, &parsed).isEmpty()) return 2;
  const std::optional<QString> to = MailTestMessage(m_parts->port, m_parts->mailer);
  if (!to) {
    Err(QStringLiteral("kolt-cli: ") +
        (m_parts->progress.CancelRequested() ? tr("the test message was not sent: interrupted (Ctrl+C)")
                                             : tr("the test message was not sent, see the message above")) +
        QChar('\n'));
    return 1;
  }
  const QByteArray line = (TestMessageSentText(*to) + QChar('\n')).toUtf8();
  std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
  return 0;
}

}  // namespace kolt

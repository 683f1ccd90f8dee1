// kolt-cli: the same core as the window, on a terminal (`kolt-cli --help`).
//
// Runs the start-up and builds the program list as the main window does when it opens;
// `list` then prints both lists with the main window's columns, the turn commands are
// CliTurns'. KOLT_HOME selects the home folder.
#include <QCoreApplication>
#include <QDir>
#include <clocale>
#include <cstdio>

#include "app/CliLoop.h"
#include "app/CliTurns.h"
#include "app/ListJson.h"
#include "app/TerminalUi.h"
#include "core/Pass.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/Translations.h"
#include "exchange/history/HistoryStore.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"

namespace {

using namespace kolt;

// Marked for translation here, translated where they are printed.
const char* const kUsage =
    QT_TRANSLATE_NOOP("KoltCli",
                      "usage: kolt-cli [--yes|--no] list [--json]\n"
                      "       kolt-cli [--yes|--no] receive [--] FILE\n"
                      "       kolt-cli [--yes|--no] refresh\n"
                      "       kolt-cli [--yes|--no] send [--message] [--taunt TEXT] SHORT/NAME...\n"
                      "       kolt-cli [--yes|--no] test-mail\n"
                      "       kolt-cli [--yes|--no] fetch\n"
                      "       kolt-cli [--yes|--no] play SHORT/NAME\n"
                      "       kolt-cli [--yes|--no] serve [--interval SECONDS] [--once]\n");

const char* const kHelp = QT_TRANSLATE_NOOP(
    "KoltCli",
    "\n"
    "  list       the installed programs and the games in progress, as the main window\n"
    "             shows them; --json prints one JSON object {\"programs\": [...], \"games\": [...]}\n"
    "             (each game with \"waiting_seconds\": how long it has been in its state)\n"
    "  receive    take in a received KLT archive; FILE is taken from the current folder\n"
    "  refresh    take in the files waiting in the working folder\n"
    "  send       send the named games (program short name / file name, as listed) to\n"
    "             their opponents, grouped by address; --message sends a message\n"
    "             without files; --taunt gives the personal text of every message\n"
    "  test-mail  mail the test message to your own address\n"
    "  fetch      take in the turn messages waiting unread in the mailbox (IMAP), after\n"
    "             the working folder; exit status 0 when a turn was taken in, 1 when the\n"
    "             check or marking a message failed, a turn message stays unread or a\n"
    "             message was refused, 3 when there was nothing new or another check\n"
    "             (the window, another kolt-cli) was running on the same home (then\n"
    "             \"The mailbox is being checked by another KOLT Helper\" is on the error\n"
    "             output); Ctrl+C stops it, leaving what was not taken in unread\n"
    "  play       start the named game as the window's Play does, wait for it to end,\n"
    "             then send the finished turn (\"Send ... now?\"); exit status 1 when\n"
    "             nothing was played or sent\n"
    "  serve      check the working folder and the mailbox, host the games marked \"Host\n"
    "             automatically\" and send the results, and remind late opponents when\n"
    "             [Reminders] Auto=1, every interval (default 300\n"
    "             seconds; --once: one round); one line per action on the standard\n"
    "             output; SIGTERM or Ctrl+C finishes the step under way and ends it\n"
    "\n"
    "  --yes      answer every question with OK or Yes\n"
    "  --no       answer every question with Cancel or No\n"
    "  -h, --help this text\n"
    "\n"
    "Without --yes or --no, questions are asked on the terminal; without a terminal the\n"
    "default button answers. Messages and questions go to the error output, lists to the\n"
    "standard output. KOLT_HOME selects the home folder.\n"
    "\n"
    "Exit status: 0 done; 1 not done (declined, refused, failed or not taken in; the\n"
    "reason is on the error output); 2 bad arguments, or the start-up was stopped;\n"
    "3 fetch found nothing new, or another check of the mailbox was running.\n");

QString Translated(const char* text) {
  return QCoreApplication::translate("KoltCli", text);
}

// A usage error: what was wrong, then the synopsis.
int UsageError(const QString& problem) {
  const QByteArray text =
      ((problem.isEmpty() ? QString() : QStringLiteral("kolt-cli: ") + problem + QChar('\n')) +
       Translated(kUsage) + QCoreApplication::translate("KoltCli", "Try 'kolt-cli --help' for more.\n"))
          .toUtf8();
  std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
  return 2;
}

void Write(std::FILE* f, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), f);
}

// Cell text for a terminal: no line breaks or control characters from game files.
QString Cell(const QString& text) {
  return SafeForDisplay(text, QChar(' '));
}

QString Table(const QString& title, const QStringList& headers, const QList<QStringList>& rows,
              int rightColumn) {
  QList<qsizetype> widths;
  for (const QString& h : headers) widths.append(h.size());
  for (const QStringList& row : rows) {
    for (int i = 0; i < row.size() && i < widths.size(); ++i)
      widths[i] = std::max(widths[i], Cell(row[i]).size());
  }
  auto line = [&](const QStringList& cells) {
    QString out;
    for (int i = 0; i < cells.size(); ++i) {
      const QString c = Cell(cells[i]);
      const bool last = i == cells.size() - 1;
      if (i > 0) out += QStringLiteral("  ");
      if (i == rightColumn)
        out += c.rightJustified(widths[i]);
      else
        out += last ? c : c.leftJustified(widths[i]);
    }
    while (out.endsWith(QChar(' '))) out.chop(1);  // an empty last cell
    return out + QChar('\n');
  };
  QString out = title + QChar('\n') + line(headers);
  for (const QStringList& row : rows) out += line(row);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  // Non-ASCII names need a UTF-8 character type.
  std::setlocale(LC_CTYPE, "C.UTF-8");
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("kolt-cli"));
  QCoreApplication::setApplicationVersion(ProgramVersion());
  translations::Install();

  TerminalUi::Mode mode = TerminalUi::Mode::Ask;
  bool json = false;
  QString command;
  QStringList turnArguments;
  const QStringList args = QCoreApplication::arguments().mid(1);
  bool optionsEnd = false;  // after "--" every word is the command's own
  for (const QString& a : args) {
    if (optionsEnd) {
      turnArguments.append(a);
    } else if (a == QStringLiteral("--yes") || a == QStringLiteral("--no")) {
      const TerminalUi::Mode wanted =
          a == QStringLiteral("--yes") ? TerminalUi::Mode::Yes : TerminalUi::Mode::No;
      if (mode != TerminalUi::Mode::Ask && mode != wanted)
        return UsageError(QCoreApplication::translate("KoltCli", "--yes and --no cannot be given together"));
      mode = wanted;
    } else if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
      Write(stdout, Translated(kUsage) + Translated(kHelp));
      return 0;
    } else if (a == QStringLiteral("--json") && !CliTurns::IsCommand(command) &&
               !CliLoop::IsCommand(command)) {
      json = true;
    } else if (CliTurns::IsCommand(command) || CliLoop::IsCommand(command)) {
      if (a == QStringLiteral("--")) optionsEnd = true;
      turnArguments.append(a);
    } else if (command.isEmpty() &&
               (a == QStringLiteral("list") || CliTurns::IsCommand(a) || CliLoop::IsCommand(a))) {
      command = a;
    } else {
      return UsageError(QCoreApplication::translate("KoltCli", "unexpected argument: %1").arg(a));
    }
  }
  if (command.isEmpty()) return UsageError(QString());
  if (json && command != QStringLiteral("list"))
    return UsageError(QCoreApplication::translate("KoltCli", "--json is an option of list"));
  if (CliTurns::IsCommand(command)) {
    const QString problem = CliTurns::CheckArguments(command, turnArguments);
    if (!problem.isEmpty()) return UsageError(problem);
  }
  if (CliLoop::IsCommand(command)) {
    const QString problem = CliLoop::CheckArguments(command, turnArguments);
    if (!problem.isEmpty()) return UsageError(problem);
  }

  // Names the user gives (on the command line, or typed as an answer) are relative to
  // where kolt-cli was started, not to the instance folder that start-up makes the
  // current folder.
  const QString startFolder = QDir::currentPath();

  TerminalUi ui(mode);
  ui.SetStartFolder(startFolder);
  // The window is the desktop's handler for turn files, not this tool.
  if (!RunStartup(ui, {}, QCoreApplication::applicationFilePath(), false)) return 2;
  // For the benchmarks: the start-up alone, to be set beside a whole command.
  if (qgetenv("KOLT_EXIT_AT") == "started") return 0;

  LinuxWintools tools(ui);
  ProgramList programs;
  CliTurns turns(ui, tools, programs);
  turns.SetStartFolder(startFolder);
  ProgramRegistry registry(Services{ui, tools, turns.BatchFactory()}, AdapterFactories());
  registry.BuildProgramList(programs);
  if (CliTurns::IsCommand(command)) return turns.Run(command, turnArguments);
  if (CliLoop::IsCommand(command)) return CliLoop(turns, tools, programs).Run(command, turnArguments);
  // As every refresh of the window: first take in what waits in the working folder, then
  // read the lists, all in one pass.
  Pass pass;
  turns.Refresh();
  // The waiting times count from the recorded sends and receives, as in the window.
  HistoryStore history(HistoryStore::DefaultPath());
  const Lists lists = ReadLists(programs, true, {}, history.LatestTurns().value_or(TurnMomentsByGame()));
  if (!pass.End()) ui.ShowSettingsWriteError();
  const std::vector<ProgramRow>& programRows = lists.programs;
  const std::vector<GameRow>& gameRows = lists.gameRows;

  if (json) {
    const QByteArray text = ListJson::Write(programRows, gameRows);
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    return 0;
  }

  QList<QStringList> p;
  for (const ProgramRow& r : programRows) p.append(r.ShownCells());
  QList<QStringList> g;
  for (const GameRow& r : gameRows) g.append(r.ShownCells());
  Write(stdout,
        Table(QCoreApplication::translate("KoltCli", "Installed programs"), ProgramColumnHeaders(), p, -1) +
            QChar('\n') +
            Table(QCoreApplication::translate("KoltCli", "Games in progress"), GameColumnHeaders(), g,
                  kGameSizeColumn));
  return 0;
}

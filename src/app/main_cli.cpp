// kolt-cli: the same core as the window, on a terminal.
//
//   kolt-cli [--yes|--no] list [--json]
//
// Runs the start-up, builds the program list as the main window does when it opens, and
// prints both lists with the main window's columns. KOLT_HOME selects the home folder.
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <clocale>
#include <cstdio>

#include "app/CliTurns.h"
#include "app/TerminalUi.h"
#include "core/Pass.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"

namespace {

using namespace kolt;

const char kUsage[] =
    "usage: kolt-cli [--yes|--no] list [--json]\n"
    "\n"
    "  list     the installed programs and the games in progress, as the main window shows them\n"
    "  --json   one JSON object {\"programs\": [...], \"games\": [...]}\n"
    "  --yes    answer every question with OK or Yes\n"
    "  --no     answer every question with Cancel or No\n"
    "\n"
    "Without --yes or --no, questions are asked on the terminal; without a terminal the\n"
    "default button answers. KOLT_HOME selects the home folder.\n";

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

  TerminalUi::Mode mode = TerminalUi::Mode::Ask;
  bool json = false;
  QString command;
  QStringList turnArguments;
  const QStringList args = app.arguments().mid(1);
  for (const QString& a : args) {
    if (a == QStringLiteral("--yes") && mode != TerminalUi::Mode::No) {
      mode = TerminalUi::Mode::Yes;
    } else if (a == QStringLiteral("--no") && mode != TerminalUi::Mode::Yes) {
      mode = TerminalUi::Mode::No;
    } else if (a == QStringLiteral("--json")) {
      json = true;
    } else if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
      Write(stdout, QString::fromLatin1(kUsage) + QChar('\n') + CliTurns::Usage());
      return 0;
    } else if (CliTurns::IsCommand(command)) {
      turnArguments.append(a);
    } else if (command.isEmpty() && (a == QStringLiteral("list") || CliTurns::IsCommand(a))) {
      command = a;
    } else {
      Write(stderr, QStringLiteral("kolt-cli: unexpected argument: ") + a + QStringLiteral("\n\n") +
                        QString::fromLatin1(kUsage));
      return 2;
    }
  }
  if (command.isEmpty()) {
    Write(stderr, QString::fromLatin1(kUsage));
    return 2;
  }

  // A file named on the command line is where the user is, not in the instance folder
  // that start-up makes the current folder.
  if (command == QStringLiteral("receive")) {
    const QDir startFolder(QDir::currentPath());
    for (QString& a : turnArguments) {
      if (!a.startsWith(QStringLiteral("--"))) a = startFolder.absoluteFilePath(a);
    }
  }

  TerminalUi ui(mode);
  // The window is the desktop's handler for turn files, not this tool.
  if (!RunStartup(ui, {}, QCoreApplication::applicationFilePath(), false)) return 2;

  LinuxWintools tools(ui);
  ProgramList programs;
  CliTurns turns(ui, tools, programs);
  ProgramRegistry registry(Services{ui, tools, turns.BatchFactory()}, AdapterFactories());
  registry.BuildProgramList(programs);
  if (CliTurns::IsCommand(command)) return turns.Run(command, turnArguments);
  // As every refresh of the window: first take in what waits in the working folder, then
  // read the lists, all in one pass.
  Pass pass;
  turns.Refresh();
  const Lists lists = ReadLists(programs, true);
  if (!pass.End()) ui.ShowSettingsWriteError();
  const std::vector<ProgramRow>& programRows = lists.programs;
  const std::vector<GameRow>& gameRows = lists.gameRows;

  if (json) {
    QJsonArray p;
    for (const ProgramRow& r : programRows) {
      p.append(QJsonObject{{"game", r.game},
                           {"name", r.name},
                           {"version", r.version},
                           {"status", r.status},
                           {"directory", r.directory}});
    }
    QJsonArray g;
    for (const GameRow& r : gameRows) {
      g.append(QJsonObject{{"game", r.game},
                           {"file_name", r.fileName},
                           {"info", r.info},
                           {"modified", r.modified},
                           {"size", static_cast<double>(r.size)},
                           {"status", r.status},
                           {"mode", r.mode},
                           {"email", r.email}});
    }
    const QByteArray text =
        QJsonDocument(QJsonObject{{"programs", p}, {"games", g}}).toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    return 0;
  }

  QList<QStringList> p;
  for (const ProgramRow& r : programRows) p.append(r.Cells());
  QList<QStringList> g;
  for (const GameRow& r : gameRows) g.append(r.Cells());
  Write(stdout, Table(QStringLiteral("Installed programs"), ProgramColumnHeaders(), p, -1) + QChar('\n') +
                    Table(QStringLiteral("Games in progress"), GameColumnHeaders(), g, kGameSizeColumn));
  return 0;
}

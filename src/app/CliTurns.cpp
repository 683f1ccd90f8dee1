#include "app/CliTurns.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include "core/AppSettings.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/archive/MemoryArchiveLog.h"
#include "exchange/mail/Mailer.h"
#include "exchange/mail/TestMessage.h"
#include "exchange/turns/SendSelection.h"
#include "exchange/turns/TurnExchange.h"

namespace kolt {
namespace {

void Err(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

// The terminal port with the taunt answered from --taunt (a terminal has no editor
// window); everything else goes to the terminal as it is.
class TauntingUi final : public UiPort {
 public:
  explicit TauntingUi(UiPort& inner) : m_inner(inner) {}
  void SetTaunt(const QString& text) { m_taunt = text; }

  Answer ShowMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                        int defaultButton) override {
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
};

}  // namespace

struct CliTurns::Parts {
  Parts(UiPort& ui, Wintools& tools, ProgramList& programs)
      : port(ui), archive(port, log), mailer(port), exchange(port, tools, programs, archive, mailer) {}
  TauntingUi port;
  MemoryArchiveLog log;
  ArchiveWrapper archive;
  Mailer mailer;
  TurnExchange exchange;
};

CliTurns::CliTurns(UiPort& ui, Wintools& tools, ProgramList& programs)
    : m_parts(std::make_unique<Parts>(ui, tools, programs)), m_ui(ui), m_programs(programs) {}

CliTurns::~CliTurns() = default;

bool CliTurns::IsCommand(const QString& word) {
  return word == QStringLiteral("receive") || word == QStringLiteral("refresh") ||
         word == QStringLiteral("send") || word == QStringLiteral("test-mail");
}

QString CliTurns::Usage() {
  return QStringLiteral(
      "       kolt-cli [--yes|--no] receive FILE\n"
      "       kolt-cli [--yes|--no] refresh\n"
      "       kolt-cli [--yes|--no] send [--message] [--taunt TEXT] SHORT/NAME...\n"
      "       kolt-cli [--yes|--no] test-mail\n"
      "\n"
      "  receive    take in a received KLT archive (exit code 1 when it was not taken in)\n"
      "  refresh    take in the files waiting in the working folder\n"
      "  send       send the named games (program short name / file name, as listed) to\n"
      "             their opponents, grouped by address; --message sends a message\n"
      "             without files; --taunt gives the personal text of every message\n"
      "  test-mail  mail the test message to your own address\n");
}

ReceiveBatchFactory CliTurns::BatchFactory() {
  TurnExchange* exchange = &m_parts->exchange;
  return [exchange]() { return exchange->NewBatch(); };
}

void CliTurns::Refresh() {
  if (!App().workingFolder.isEmpty()) m_parts->exchange.ProcessWorkingFolder();
}

int CliTurns::Run(const QString& command, const QStringList& arguments) {
  if (command == QStringLiteral("receive")) return Receive(arguments);
  if (command == QStringLiteral("refresh")) return RefreshCommand(arguments);
  if (command == QStringLiteral("send")) return Send(arguments);
  if (command == QStringLiteral("test-mail")) return TestMail(arguments);
  return 2;
}

int CliTurns::Receive(const QStringList& arguments) {
  if (arguments.size() != 1) {
    Err(QStringLiteral("kolt-cli: receive takes one file\n"));
    return 2;
  }
  const QString file = QFileInfo(arguments[0]).absoluteFilePath();
  if (ShowIfTestMessage(m_parts->port, file)) return 0;
  const ReceiveRecords before = m_parts->exchange.Records();
  const bool taken = m_parts->exchange.ReceivedFile(file);
  const ReceiveRecords& after = m_parts->exchange.Records();
  // Taken in: unpacked, at least one program's batch ran, and none was declined or
  // stopped.
  const bool complete = taken && after.batches > before.batches && after.declined == before.declined &&
                        after.failed == before.failed;
  return complete ? 0 : 1;
}

int CliTurns::RefreshCommand(const QStringList& arguments) {
  if (!arguments.isEmpty()) {
    Err(QStringLiteral("kolt-cli: refresh takes no arguments\n"));
    return 2;
  }
  if (App().workingFolder.isEmpty()) {
    Err(QStringLiteral("kolt-cli: no working folder is set\n"));
    return 1;
  }
  const ReceiveRecords before = m_parts->exchange.Records();
  Refresh();
  const ReceiveRecords& after = m_parts->exchange.Records();
  return after.declined == before.declined && after.failed == before.failed ? 0 : 1;
}

int CliTurns::Send(const QStringList& arguments) {
  bool isMessage = false;
  bool tauntGiven = false;
  QStringList names;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a == QStringLiteral("--message")) {
      isMessage = true;
    } else if (a == QStringLiteral("--taunt") && i + 1 < arguments.size()) {
      m_parts->port.SetTaunt(arguments[++i]);
      tauntGiven = true;
    } else if (a.startsWith(QStringLiteral("--"))) {
      Err(QStringLiteral("kolt-cli: unexpected argument: ") + a + QChar('\n'));
      return 2;
    } else {
      names.append(a);
    }
  }
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
      Err(QStringLiteral("kolt-cli: no such game: ") + name + QChar('\n'));
      return 2;
    }
    // Selected in the list's order, as rows are.
    if (std::find(selected.begin(), selected.end(), found) == selected.end()) selected.push_back(found);
  }
  std::stable_sort(selected.begin(), selected.end(), [&all](const GamePtr& a, const GamePtr& b) {
    return std::find(all.begin(), all.end(), a) < std::find(all.begin(), all.end(), b);
  });
  const bool taunt = tauntGiven || TauntEnabled();
  m_ui.ShowStatus(isMessage ? QStringLiteral("Sending messages...") : QStringLiteral("Sending files..."));
  const SendResult result = SendSelectedGames(m_parts->port, m_parts->exchange, selected, isMessage, taunt);
  m_ui.ShowStatus(QStringLiteral("Ready"));
  return result == SendResult::Sent ? 0 : 1;
}

int CliTurns::TestMail(const QStringList& arguments) {
  if (!arguments.isEmpty()) {
    Err(QStringLiteral("kolt-cli: test-mail takes no arguments\n"));
    return 2;
  }
  const std::optional<QString> to = MailTestMessage(m_parts->port, m_parts->mailer);
  if (!to) return 1;
  const QByteArray line = (TestMessageSentText(*to) + QChar('\n')).toUtf8();
  std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
  return 0;
}

}  // namespace kolt

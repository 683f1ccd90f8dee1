#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "model/ProgramList.h"
#include "model/Services.h"

namespace kolt {

class MailTransport;
class TurnExchange;
class UiPort;
class Wintools;

// kolt-cli's turn commands: receive, refresh, send, test-mail, fetch. Owns the sending and
// receiving engine with its archive wrapper and mail transport, and hands the receive
// batch to the adapters.
class CliTurns final {
  Q_DECLARE_TR_FUNCTIONS(CliTurns)

 public:
  CliTurns(UiPort& ui, Wintools& tools, ProgramList& programs);
  ~CliTurns();

  static bool IsCommand(const QString& word);
  // What is wrong with the arguments of a turn command, or empty: checked before the
  // start-up, so a mistyped command line asks nothing and changes nothing.
  static QString CheckArguments(const QString& command, const QStringList& arguments);
  // Where kolt-cli was started: file names on the command line are relative to it, not
  // to the instance folder that start-up makes the current folder.
  void SetStartFolder(const QString& folder) { m_startFolder = folder; }
  static QString Usage();

  // The receive batch factory for the adapters' Services.
  ReceiveBatchFactory BatchFactory();
  // Takes in the working folder, as every refresh of the window does.
  void Refresh();
  // The engine and the port the commands use (the turn loop's commands share them).
  TurnExchange& Exchange();
  UiPort& Port();
  MailTransport& Mail();

  // Runs `command` with its own arguments; the process's exit code: 0 done, 1 not done
  // (declined, failed, not taken in), 2 bad arguments.
  int Run(const QString& command, const QStringList& arguments);

 private:
  struct Arguments {
    QStringList names;  // files or games
    bool isMessage = false;
    std::optional<QString> taunt;
  };
  static QString Parse(const QString& command, const QStringList& arguments, Arguments* parsed);

  int Receive(const QStringList& arguments);
  int RefreshCommand(const QStringList& arguments);
  int Send(const QStringList& arguments);
  int TestMail(const QStringList& arguments);
  // Takes in the turn messages waiting in the mailbox: 0 when something was taken in,
  // 3 when there was nothing new, 1 when the check failed or a message stays.
  int Fetch(const QStringList& arguments);

  struct Parts;
  std::unique_ptr<Parts> m_parts;
  UiPort& m_ui;
  ProgramList& m_programs;
  QString m_startFolder;
};

}  // namespace kolt

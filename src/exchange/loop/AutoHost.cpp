#include "exchange/loop/AutoHost.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "core/FileNames.h"
#include "core/FolderSnapshot.h"
#include "core/LoopSettings.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "core/UiPort.h"
#include "exchange/loop/HostJournal.h"
#include "exchange/loop/PlayedTurn.h"
#include "exchange/mail/MailText.h"
#include "exchange/turns/CrashPoint.h"
#include "exchange/turns/TurnExchange.h"
#include "model/Status.h"
#include "model/Wintools.h"

namespace kolt {
namespace {

// The file names of a hosted game begin with its save file's name without extension.
QString PrefixOfName(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  return dot > 0 ? name.left(dot) : name;
}

QString FilePrefix(const Game& game) {
  return PrefixOfName(game.GetName());
}

// The save file as it is now (time to the millisecond and size): tells a processed turn
// from the one before, also within the same second.
QString SaveFingerprint(const Game& game) {
  for (const QString& file : game.GetFiles()) {
    const QFileInfo info(file);
    if (info.fileName().compare(game.GetName(), Qt::CaseInsensitive) != 0) continue;
    return QString::number(info.lastModified().toMSecsSinceEpoch()) + QChar(':') +
           QString::number(info.size());
  }
  return QString();
}

QStringList Recipients(const Game& game) {
  QStringList list;
  for (const QString& a : game.GetEMail().split(QChar(';'), Qt::SkipEmptyParts)) {
    const QString address = a.trimmed();
    if (!address.isEmpty() && !list.contains(address, Qt::CaseInsensitive)) list.append(address);
  }
  return list;
}

QString ExitText(int code) {
  if (code < 0)
    return QCoreApplication::translate("AutoHost",
                                       "the game ended without an exit code (it crashed or was killed)");
  if (code == 1) return QCoreApplication::translate("AutoHost", "Invalid Master Password.");
  if (code == 2) return QCoreApplication::translate("AutoHost", "Invalid Player Password.");
  return QCoreApplication::translate("AutoHost", "Return code %1").arg(code);
}

}  // namespace

AutoHost::AutoHost(UiPort& ui, Wintools& tools, TurnExchange& exchange, ProgramList& programs)
    : m_ui(ui), m_tools(tools), m_exchange(exchange), m_programs(programs) {}

QString AutoHost::StoppedText(const QString& gameKey, const QString& reason) {
  return QCoreApplication::translate(
             "AutoHost",
             "Automatic hosting of %1 stopped: %2\r\rNothing was sent. The game is as it was "
             "before the host step; turn automatic hosting on again in the "
             "game's properties once the cause is fixed.")
      .arg(gameKey, reason);
}

void AutoHost::Log(const QString& line) {
  if (m_log) m_log(line);
}

GamePtr AutoHost::FindGame(const QString& key) {
  const qsizetype slash = key.indexOf(QChar('/'));
  const QString shortName = key.left(slash);
  for (const ProgramPtr& program : m_programs) {
    if (program->GetShortName().compare(shortName, Qt::CaseInsensitive) != 0) continue;
    for (const GamePtr& game : program->InitGames()) {
      if (PlayedTurn::KeyOf(*game).compare(key, Qt::CaseInsensitive) == 0) return game;
    }
  }
  return nullptr;
}

int AutoHost::Run() {
  for (const QString& key : HostJournal::Pending()) Resume(key);
  int hosted = 0;
  for (const ProgramPtr& program : m_programs) {
    if (!program->Provides(OptionalOperation::Host)) continue;
    GameList due;
    {
      Pass pass;
      for (const GamePtr& game : program->InitGames()) {
        if (IsAutoHosted(PlayedTurn::KeyOf(*game)) && game->GetStatus() == status::Host) due.push_back(game);
      }
    }
    for (const GamePtr& game : due) {
      QString why;
      if (m_ready && !m_ready(&why)) {
        // Not the game's fault: it stays marked, and waits for the display.
        if (!m_readyTold) m_ui.MsgBox(why, Buttons::Ok, Icon::Exclamation);
        m_readyTold = true;
        return hosted;
      }
      if (HostOne(program, game)) ++hosted;
    }
  }
  return hosted;
}

void AutoHost::Resume(const QString& key) {
  HostJournal journal(key);
  bool busy = false;
  if (!journal.TryLock(&busy) || !journal.Load()) return;  // another run is at it, or nothing left
  const GamePtr game = FindGame(key);
  QString error;
  if (journal.Phase() == QStringLiteral("hosting")) {
    // Killed while the game processed the turn: what it wrote may be half a turn.
    if (!journal.UndoHosting(PrefixOfName(key.mid(key.indexOf(QChar('/')) + 1)), &error) ||
        !journal.Finish(&error)) {
      m_ui.ShowError(error);
      return;
    }
    Log(QCoreApplication::translate("AutoHost", "Undid the interrupted host step of %1").arg(key));
    return;
  }
  if (!game || SaveFingerprint(*game) != journal.Stamp()) {
    // The turn was changed by hand since: what was processed is no longer there to send.
    Log(QCoreApplication::translate("AutoHost", "Not sent %1 to %2: the game changed since it was hosted")
            .arg(key, QStringList(journal.Recipients()).join(QStringLiteral(", "))));
    if (!journal.Finish(&error)) m_ui.ShowError(error);
    return;
  }
  SendRemaining(game, journal);
}

bool AutoHost::HostOne(const ProgramPtr& program, const GamePtr& game) {
  const QString key = PlayedTurn::KeyOf(*game);
  HostJournal journal(key);
  bool busy = false;
  if (!journal.TryLock(&busy)) {
    if (!busy)
      m_ui.ShowError(
          QCoreApplication::translate("AutoHost", "Can't create folder: %1").arg(HostJournal::Folder()));
    return false;  // another run hosts it now
  }
  if (journal.Load()) return false;  // left by a run that ended after Resume looked
  QString error;

  // Every address must be one a message can go to before anything is done.
  const QStringList players = Recipients(*game);
  for (const QString& address : players) {
    if (const std::optional<QString> problem = AddressListProblem(address)) {
      Stop(game, journal,
           QCoreApplication::translate("AutoHost", "the address %1 is not valid: %2").arg(address, *problem));
      return false;
    }
  }
  if (players.isEmpty()) {
    Stop(game, journal,
         QCoreApplication::translate("AutoHost", "the game has no player to send the turn to"));
    return false;
  }

  const QString before = SaveFingerprint(*game);
  const QStringList files = game->GetFiles();
  if (files.isEmpty()) {
    Stop(game, journal, QCoreApplication::translate("AutoHost", "the game's files were not found"));
    return false;
  }
  QStringList all;
  const QString folder = QFileInfo(files.first()).absolutePath();
  for (const FolderEntry& entry : ListPrefixNoCase(folder, FilePrefix(*game))) {
    if (entry.IsFile()) all.append(folder + QChar('/') + entry.name);
  }
  if (!journal.BeginHosting(all, &error)) {
    m_ui.ShowError(error);
    return false;
  }
  CrashPoint();

  ClearPendingError();
  const bool started = program->Host(WindowHandle{}, *game);
  const int code = started ? m_tools.LastExitCode() : -1;
  CrashPoint();
  if (!started) {
    Stop(game, journal, QCoreApplication::translate("AutoHost", "the game could not be started"));
    return false;
  }
  if (code != 0) {
    Stop(game, journal, ExitText(code));
    return false;
  }

  // The processed turn: a new save file, no longer waiting for orders.
  const GamePtr hosted = FindGame(key);
  if (!hosted || SaveFingerprint(*hosted) == before || hosted->GetStatus() == status::Host ||
      hosted->GetStatus() == status::WaitHost) {
    Stop(hosted ? hosted : game, journal,
         QCoreApplication::translate("AutoHost", "the game ended without processing the turn"));
    return false;
  }
  const QStringList recipients = Recipients(*hosted);
  if (!journal.BeginSending(SaveFingerprint(*hosted), recipients, &error)) {
    // Nothing has gone out: the processed turn stays, to be sent by hand.
    m_ui.ShowError(error);
    return false;
  }
  Log(QCoreApplication::translate("AutoHost", "Hosted %1").arg(key));
  CrashPoint();
  return SendRemaining(hosted, journal);
}

bool AutoHost::SendRemaining(const GamePtr& game, HostJournal& journal) {
  const QString key = PlayedTurn::KeyOf(*game);
  const GameList games{game};
  QString error;
  for (const QString& address : journal.Recipients()) {
    if (journal.Sent().contains(address, Qt::CaseInsensitive)) continue;
    // A run killed after the mail server took a message and before MarkSent was written
    // leaves that message's outcome unknown: SMTP gives no way to ask afterwards, and not
    // every host keeps a Sent folder to look in. It is sent again. That is sound because
    // the message is the same turn as before (the save file's stamp is checked on
    // resume), and the player's copy takes a turn identical to the one in place from its
    // mailbox without a word or a second history entry. Not sending it could leave a
    // player without the turn for good.
    if (journal.Sending().compare(address, Qt::CaseInsensitive) == 0)
      Log(QStringLiteral("Sending ") + key + QStringLiteral(" to ") + address +
          QStringLiteral(" again: the last run was stopped while sending it"));
    if (!journal.MarkSending(address, &error)) {
      m_ui.ShowError(error);
      return false;
    }
    CrashPoint();
    bool sent = false;
    {
      Pass pass;
      sent = m_exchange.SendGroup(address, games, 0, 0, false, false);
    }
    if (!sent) {
      // The mail server may be away for a while: the next run sends to the rest.
      Log(QCoreApplication::translate("AutoHost", "Sending %1 to %2 failed; the next check tries again")
              .arg(key, address));
      return false;
    }
    CrashPoint();
    if (!journal.MarkSent(address, &error)) {
      m_ui.ShowError(error);
      return false;
    }
    Log(QCoreApplication::translate("AutoHost", "Sent %1 to %2").arg(key, address));
    CrashPoint();
  }
  if (!journal.Finish(&error)) {
    m_ui.ShowError(error);
    return false;
  }
  Log(QCoreApplication::translate("AutoHost", "Done with %1: sent to %2 players")
          .arg(key, QString::number(journal.Recipients().size())));
  return true;
}

void AutoHost::Stop(const GamePtr& game, HostJournal& journal, const QString& reason) {
  const QString key = PlayedTurn::KeyOf(*game);
  QString error;
  if (journal.Phase() == QStringLiteral("hosting") && !journal.UndoHosting(FilePrefix(*game), &error)) {
    m_ui.ShowError(error);
    SetAutoHosted(key, false);
    return;
  }
  if (!journal.Finish(&error)) m_ui.ShowError(error);
  if (!SetAutoHosted(key, false) || !FlushIniBatch()) m_ui.ShowSettingsWriteError();
  Log(QCoreApplication::translate("AutoHost", "Hosting %1 failed: %2; automatic hosting of it is off")
          .arg(key, reason));
  m_ui.MsgBox(StoppedText(key, reason), Buttons::Ok, Icon::Exclamation);
}

}  // namespace kolt

#include "model/ListRows.h"

#include <QCoreApplication>

#include "core/Pass.h"
#include "core/Utilities.h"
#include "model/ProgramList.h"
#include "model/RecordGame.h"
#include "model/Status.h"
#include "model/Waiting.h"

namespace kolt {

QStringList ProgramRow::ShownCells() const {
  return {game, name, version, ShownStatus(status), directory};
}

QStringList GameRow::ShownCells() const {
  return {game, fileName, info, modified, SizeText(), ShownStatus(status), mode, email};
}

ProgramRow MakeProgramRow(const Program& program) {
  ProgramRow row;
  row.game = program.GetShortName();
  row.name = program.GetLongName();
  row.version = program.GetVersion();
  row.status = ProgramStateText(program.GetStatus());
  row.directory = program.GetDirectory();
  return row;
}

QString GameRow::SizeText() const {
  return FormatSize(size);
}

QString GameRow::SizeTip() const {
  return QCoreApplication::translate("ListRows", "%1 bytes").arg(size);
}

GameRow MakeGameRow(const Game& game, const QDateTime& now, const TurnMoments& moments) {
  GameRow row;
  const auto program = game.GetProgram();
  row.game = program ? program->GetShortName() : QString();
  row.fileName = game.GetName();
  row.info = game.GetDescription();
  row.modified = game.GetModified();
  row.size = game.GetSize();
  row.email = game.GetEMail();
  row.status = game.GetStatus();
  row.mode = game.GetMode();
  row.statusBold = IsStatusBold(row.status, row.email);
  if (const auto* record = dynamic_cast<const RecordGame*>(&game)) {
    // The stamps GetStatus read, kept by the game for the pass.
    row.waitingSeconds =
        WaitingSeconds(row.status, record->ModifiedStamp(), record->SentStamp(), record->ReceivedStamp(),
                       now.isValid() ? now.toSecsSinceEpoch() : QDateTime::currentSecsSinceEpoch(), moments);
    row.waitingText = ShownWaitingText(row.waitingSeconds);
  }
  return row;
}

Lists ReadLists(const ProgramList& programs, bool withGames,
                const std::function<void(const Program&)>& checking, const TurnMomentsByGame& moments) {
  Pass pass;
  Lists lists;
  // One moment for every row of the list (in UTC: a local time would look up the zone
  // again for every row).
  const QDateTime now = QDateTime::currentDateTimeUtc();
  for (const ProgramPtr& program : programs) {
    if (checking) checking(*program);
    lists.programs.push_back(MakeProgramRow(*program));
    if (!withGames) continue;
    const QString prefix = program->GetShortName().toUpper() + QChar('\t');
    for (GamePtr& game : program->InitGames()) {
      const TurnMoments recorded =
          moments.isEmpty() ? TurnMoments{} : moments.value(prefix + game->GetName().toUpper());
      lists.gameRows.push_back(MakeGameRow(*game, now, recorded));
      lists.games.push_back(std::move(game));
    }
  }
  return lists;
}

QStringList ProgramColumnHeaders() {
  //: column: the program's short name
  return {QCoreApplication::translate("ListRows", "Game"),
          //: column: the program's long name
          QCoreApplication::translate("ListRows", "Name"), QCoreApplication::translate("ListRows", "Version"),
          //: column: running or not
          QCoreApplication::translate("ListRows", "Status"),
          //: column: the installation folder
          QCoreApplication::translate("ListRows", "Directory")};
}

QStringList GameColumnHeaders() {
  return {QCoreApplication::translate("ListRows", "Game"),
          QCoreApplication::translate("ListRows", "File Name"),
          //: column: the game's own description (scenario, turn, players)
          QCoreApplication::translate("ListRows", "Info"),
          //: column: when the game's file last changed
          QCoreApplication::translate("ListRows", "Modified"),
          QCoreApplication::translate("ListRows", "Size"), QCoreApplication::translate("ListRows", "Status"),
          //: column: how the game is sent (KLT, ZIP or plain files)
          QCoreApplication::translate("ListRows", "Mode"), QCoreApplication::translate("ListRows", "E-Mail")};
}

QList<int> ProgramColumnWidths() {
  return {1764, 5292, 2999, 1764, 6440};
}

QList<int> GameColumnWidths() {
  return {1764, 3528, 3528, 3000, 1235, 1764, 1058, 3618};
}

}  // namespace kolt

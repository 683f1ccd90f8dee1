// Finishing a receive that was killed in the middle (a crash, a power cut, a full disk)
// from its journal: the turns it replaced are kept as earlier turns, and each game whose
// files all came in is recorded, once.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include "core/FileNames.h"
#include "core/OverviewSettings.h"
#include "core/RegularFile.h"
#include "core/Settings.h"
#include "core/UiPort.h"
#include "exchange/history/KeptTurns.h"
#include "exchange/history/TurnHistory.h"
#include "exchange/turns/FileReplace.h"
#include "exchange/turns/ReceiveJournal.h"
#include "exchange/turns/TurnExchange.h"
#include "model/Status.h"

namespace kolt {
namespace {

bool IsRegularOfSize(const QString& path, qint64 size) {
  struct stat st {};
  return IsRegularFile(path, &st) && st.st_size == size;
}

}  // namespace

void TurnExchange::FinishInterruptedReceives() {
  for (const std::unique_ptr<ReceiveJournal>& journal :
       ReceiveJournal::TakeInterrupted(ReceiveJournal::Folder()))
    FinishInterruptedReceive(*journal);
}

void TurnExchange::FinishInterruptedReceive(ReceiveJournal& journal) {
  const ReceiveJournal::Content& c = journal.Contents();
  const QList<QByteArray> deadTags = {c.tag};
  // The batch's temporaries: its writer is gone.
  QSet<QString> folders;
  for (const ReceiveJournal::File& f : c.files) folders.insert(f.folder);
  for (const QString& folder : folders) {
    RemoveStaleTemporaries(folder, m_records.staleTemporarySeconds, deadTags);
    const QString backupFolder = FindEntryNoCase(folder, QStringLiteral("bak"));
    if (!backupFolder.isEmpty())
      RemoveStaleTemporaries(backupFolder, m_records.staleTemporarySeconds, deadTags);
  }
  const ProgramPtr program = m_programs.Find(c.program);
  if (!program) {
    // The program is gone: no game can be told from its files any more.
    journal.Remove();
    return;
  }

  // Which replacements were made: the installed file has the received bytes.
  struct Step {
    const ReceiveJournal::File* file;
    bool done = false;
    GamePtr game;
    QString gameName;
  };
  std::vector<Step> steps;
  for (const ReceiveJournal::File& f : c.files) {
    const QString path = f.folder + QChar('/') + f.name;
    const bool done = !f.inPlace && !f.hash.isEmpty() && IsRegularOfSize(path, f.size) &&
                      ReceiveJournal::Hash(path) == f.hash;
    steps.push_back(Step{&f, done, nullptr, QString()});
  }

  // Each file's game, as the program's games name their files.
  QHash<QString, GamePtr> byFile;
  for (const GamePtr& game : program->InitGames()) {
    for (const QString& file : game->GetFiles()) byFile.insert(ReceiveEngine::FileKey(file), game);
  }
  QStringList games;
  QHash<QString, GamePtr> gameByName;
  for (Step& s : steps) {
    s.game = byFile.value(ReceiveEngine::FileKey(s.file->folder + QChar('/') + s.file->name));
    s.gameName = s.game ? s.game->GetName() : s.file->extra;
    if (s.gameName.isEmpty()) continue;
    const QString key = s.gameName.toCaseFolded();
    if (!gameByName.contains(key)) {
      games.append(s.gameName);
      gameByName.insert(key, s.game);
    } else if (s.game) {
      gameByName[key] = s.game;
    }
  }
  const QString lone = games.size() == 1 ? games.front() : QString();
  // The files of each game (by index: a journal of thousands of games is grouped in one
  // go).
  QHash<QString, std::vector<size_t>> members;
  for (size_t i = 0; i < steps.size(); ++i) {
    Step& s = steps[i];
    if (s.gameName.isEmpty()) s.gameName = lone;
    if (!s.gameName.isEmpty()) members[s.gameName.toCaseFolded()].push_back(i);
  }

  // The earlier turn of every file that was replaced: its backup, while it is still the
  // file that was replaced.
  QString note;
  const int keep = KeepTurns();
  for (const Step& s : steps) {
    const ReceiveJournal::File& f = *s.file;
    if (!s.done || f.backup.isEmpty() || s.gameName.isEmpty()) continue;
    if (!IsRegularOfSize(f.backup, f.oldSize) || FileStamp(f.backup) != f.oldStamp) continue;
    const QString turnFolder = kept_turns::TurnFolder(f.folder, s.gameName, f.oldStamp);
    if (QFileInfo(turnFolder).isDir())
      RemoveStaleTemporaries(turnFolder, m_records.staleTemporarySeconds, deadTags);
    QString why;
    if (!kept_turns::Keep(f.folder, s.gameName, f.name, f.backup, f.oldStamp, keep, &why))
      note = tr("Earlier turn not kept: %1").arg(why);
  }

  // A game is recorded when every file of it came in; one whose receive stopped half-way
  // is recorded by the receive that brings the rest.
  const QString shortName = program->GetShortName();
  const QDateTime now = QDateTime::currentDateTimeUtc();
  std::vector<TurnEntry> entries;
  bool stamped = true;  // every game's record of the receive was written
  for (const QString& name : games) {
    bool any = false, all = true;
    TurnEntry entry;
    for (const size_t i : members.value(name.toCaseFolded())) {
      const Step& s = steps[i];
      if (!s.file->inPlace) {
        any = any || s.done;
        all = all && s.done;
      }
      entry.files.push_back(turn_history::FileOf(s.file->folder + QChar('/') + s.file->name));
    }
    if (!any || !all) continue;
    const GamePtr game = gameByName.value(name.toCaseFolded());
    entry.time = now;
    entry.program = shortName;
    entry.game = name;
    entry.direction = TurnDirection::Received;
    entry.opponent = c.sender.isEmpty() && game ? game->GetEMail() : c.sender;
    entry.mode = c.plain && game ? game->GetMode() : QStringLiteral("KLT");
    entry.taunt = c.taunt;
    if (!m_records.recorder || !m_records.recorder->HasNewest(entry)) entries.push_back(std::move(entry));
    // What the stopped receive would have recorded on the game.
    if (game) {
      stamped = game->SetReceived() && stamped;
      if (!c.plain && game->GetMode() != QStringLiteral("KLT"))
        stamped = game->SetMode(QStringLiteral("KLT")) && stamped;
      if (!c.sender.isEmpty() && !ReceiveEngine::AddressMatches(game->GetEMail(), c.sender))
        stamped = game->SetEMail(c.sender) && stamped;
    }
    AddUnique(m_records.programs, shortName);
    AddUnique(m_records.games, shortName + QChar('\t') + name);
    m_records.NoteArrived(shortName, name);
    if (!c.sender.isEmpty()) m_records.arrivedFrom = c.sender;
    ++m_records.gamesRecorded;
  }
  const QString failed = turn_history::RecordAll(m_records.recorder, entries);
  if (!failed.isEmpty()) note = failed;
  if (!note.isEmpty()) {
    m_records.historyNote = note;
    m_ui.ShowStatus(note);
  }
  // Gone only once the games' records are on disk.
  if (stamped && FlushIniBatch())
    journal.Remove();
  else
    journal.Leave();
}

}  // namespace kolt

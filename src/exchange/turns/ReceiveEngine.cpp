#include "exchange/turns/ReceiveEngine.h"
#include "core/TextCodec.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

#include "core/AppSettings.h"
#include "core/FileNames.h"
#include "core/Pass.h"
#include "core/RegularFile.h"
#include "core/Settings.h"
#include "core/UiPort.h"
#include "exchange/history/TurnHistory.h"
#include "exchange/turns/CrashPoint.h"
#include "exchange/turns/FileReplace.h"
#include "exchange/turns/SenderRecord.h"
#include "exchange/turns/TargetFolder.h"
#include "model/Status.h"
#include "model/Wintools.h"

namespace kolt {
namespace {

const QChar kCr('\r');
const QString kBackupFolder = QStringLiteral("bak");

// A name as it may be shown.
QString Shown(const QString& name) {
  return SafeForDisplay(name);
}

bool Exists(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

}  // namespace

// The entry's path as spelled on disk (the exact spelling first), or empty. The pass's
// snapshot answers the case-insensitive part; whether the entry is there now is asked
// of the disk, since replacing files hangs on it.
QString Find(const QString& folder, const QString& name) {
  const QString found = FindEntryNoCase(folder, name);
  return !found.isEmpty() && Exists(found) ? found : QString();
}

// The entry as spelled on disk, else the name as given.
QString PathIn(const QString& folder, const QString& name) {
  const QString found = Find(folder, name);
  return found.isEmpty() ? folder + QChar('/') + name : found;
}

QString ReceiveEngine::FileKey(const QString& path) {
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toCaseFolded();
}

ReceiveEngine::ReceiveEngine(UiPort& ui, Wintools& tools, ReceiveRecords& records)
    : m_ui(ui), m_tools(tools), m_records(records) {}

ReceiveEngine::~ReceiveEngine() = default;

QString ReceiveEngine::DateText(const QDateTime& time) {
  const QDateTime local = time.toLocalTime();
  return QLocale::system().toString(local.date(), QLocale::ShortFormat) + QChar(' ') +
         local.time().toString(QStringLiteral("HH:mm:ss"));
}

bool ReceiveEngine::AddressMatches(const QString& list, const QString& address) {
  if (list.compare(address, Qt::CaseInsensitive) == 0) return true;
  if (list.isEmpty() || address.isEmpty()) return false;
  // Blanks after the ";" are how people write lists; they do not make a new address.
  const QString wanted = address.trimmed();
  for (const QString& one : list.split(QChar(';'))) {
    if (one.trimmed().compare(wanted, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

void ReceiveEngine::BeginReceive(std::shared_ptr<Program> program) {
  m_program = std::move(program);
  m_okText.clear();
  m_warningText.clear();
  m_pending.clear();
  m_queued.clear();
  m_cleaned.clear();
  m_targets.clear();
  m_asked = false;
  m_unstamped = false;
  m_fileGames.clear();
  m_journal.Leave();
  m_tag = ReceiveJournal::NewTag();
  m_pass = std::make_unique<Pass>();
  if (!m_records.refusedSender.isEmpty()) m_warningText += Shown(m_records.refusedSender) + kCr;
  m_ownAddress = m_records.fromMailbox ? GetOwnAddress() : QString();
}

bool ReceiveEngine::EndReceive() {
  m_program.reset();
  m_pending.clear();
  m_queued.clear();
  m_targets.clear();
  if (!m_pass) return true;
  const bool written = m_pass->End();
  m_pass.reset();
  return written;
}

void ReceiveEngine::AddMessage(const QString& text) {
  // Notes name received files; a line break in a name must not forge lines of the question.
  m_warningText += Shown(text) + kCr;
}

void ReceiveEngine::FixFutureDate(const QString& path) {
  const QDateTime modified = QFileInfo(path).lastModified();
  if (!modified.isValid() || modified <= QDateTime::currentDateTime()) return;
  const QString old = DateText(modified);
  m_asked = true;
  const bool touched = m_tools.TouchFile(path);
  NoteChanged(path);
  if (touched) {
    m_ui.MsgBox(tr("File '%1' modification date was in the future, fixed:\r\n\r\n%2").arg(path, old),
                Buttons::Ok, Icon::Information);
  } else {
    m_ui.MsgBox(tr("File '%1' modification date is still in the future:\r\n\r\n%2").arg(path, old),
                Buttons::Ok, Icon::Exclamation);
  }
}

void ReceiveEngine::CompareFile(const QString& file, const QString& existing, bool sameIsOld) {
  const QFileInfo mine(file);
  const QDateTime myTime = mine.lastModified();
  const QString description = mine.fileName() + QStringLiteral(" (") + DateText(myTime) + QChar(')');
  if (existing.isEmpty()) {
    m_okText += tr("%1 is NEW").arg(description) + kCr;
    return;
  }
  const QFileInfo theirs(existing);
  const QDateTime oldTime = theirs.lastModified();
  const QString other = theirs.fileName() + QStringLiteral(" (") + DateText(oldTime) + QChar(')');
  // Whole seconds: what archives keep of a time, and what the texts show.
  const qint64 a = myTime.toSecsSinceEpoch();
  const qint64 b = oldTime.toSecsSinceEpoch();
  if (a < b) {
    m_warningText += tr("%1 is OLDER than %2").arg(description, other) + kCr;
  } else if (a > b) {
    m_okText += tr("%1 is NEWER than %2").arg(description, other) + kCr;
  } else {
    const QString line = tr("%1 is THE SAME as %2").arg(description, other) + kCr;
    (sameIsOld ? m_warningText : m_okText) += line;
  }
}

void ReceiveEngine::CheckSenderAddress(const QString& label, const QString& stored, const QString& sender) {
  if (AddressMatches(stored, sender)) {
    m_okText += tr("%1: The sender e-mail address %2 is THE SAME as %3").arg(label, sender, stored) + kCr;
  } else if (stored.isEmpty()) {
    m_okText += tr("%1: The sender e-mail address is NEW: %2").arg(label, sender) + kCr;
  } else if (!sender.isEmpty()) {
    m_warningText +=
        tr("%1: The sender e-mail address %2 is DIFFERENT than %3").arg(label, sender, stored) + kCr;
  } else {
    m_okText +=
        tr("%1: The sender e-mail address is MISSING, the address is currently %2").arg(label, stored) + kCr;
  }
}

void ReceiveEngine::AddReceivedFile(const QString& file, const QString& targetFolder, bool sameIsOld,
                                    const QString& storedAddress, const QString& senderAddress, bool primary,
                                    const QString& key, const QString& extra) {
  const QFileInfo info(file);
  const QString name = info.fileName();
  // Names and files come from other people: only plain names of regular files are
  // taken; the user sees the refusal among the odd files.
  if (!IsPlainFileName(name)) {
    m_warningText += tr("File '%1' is not a plain file name, refused").arg(Shown(name)) + kCr;
    return;
  }
  if (!IsRegularFile(file)) {
    m_warningText += tr("File '%1' is not a regular file, refused").arg(Shown(name)) + kCr;
    return;
  }
  // Two received names that differ only in case would replace the same installed file
  // twice, and the second backup would overwrite the first: the installed file would be
  // lost. Only the first is taken.
  const QString queuedKey = targetFolder + QChar(u'\0') + name.toCaseFolded();
  if (m_queued.contains(queuedKey)) {
    m_warningText +=
        tr("File '%1' has the same name as another received file, refused").arg(Shown(name)) + kCr;
    return;
  }
  m_queued.insert(queuedKey);
  FixFutureDate(file);
  const QString existing = Find(targetFolder, name);
  CompareFile(file, IsRegularFile(existing) ? existing : QString(), sameIsOld);
  // The adapters name the addresses with the file that carries the game's record.
  if (!storedAddress.isEmpty() || !senderAddress.isEmpty()) {
    CheckSenderAddress(name, storedAddress, senderAddress);
    CheckMailSender(name, storedAddress, senderAddress);
  }
  m_pending.push_back(Pending{info.absolutePath(), name, targetFolder, primary, key, extra});
}

void ReceiveEngine::CheckMailSender(const QString& label, const QString& stored, const QString& sender) {
  if (!m_records.fromMailbox) return;
  const QString& from = m_records.mailFrom;
  // The player's own address: a turn forwarded from another mailbox of theirs.
  if (!from.isEmpty() &&
      (AddressMatches(sender, from) || AddressMatches(stored, from) || AddressMatches(m_ownAddress, from)))
    return;
  m_warningText +=
      tr("%1: The message came from %2, but %3 names %4")
          .arg(label, from.isEmpty() ? tr("no usable address") : from, QString::fromLatin1(kSenderFileName),
               sender.isEmpty() ? tr("no sender") : sender) +
      kCr;
}

bool ReceiveEngine::ConfirmOldFiles() {
  if (m_warningText.isEmpty()) return true;
  m_asked = true;
  QString text = tr("Received old %1 files:").arg(m_program->GetShortName()) + kCr + kCr + m_warningText;
  if (!m_okText.isEmpty()) text += kCr + tr("These files were OK:") + kCr + kCr + m_okText;
  text += kCr + tr("Do you still want to copy these files?");
  const QString title = m_program->GetLongName();
  if (m_ui.MsgBox(text, Buttons::OkCancel, Icon::None, title, 2) != Answer::Ok) return false;
  return m_ui.MsgBox(text + kCr + kCr + tr("ARE YOU REALLY SURE??"), Buttons::OkCancel, Icon::None, title,
                     2) == Answer::Ok;
}

const TargetFolder* ReceiveEngine::Target(const QString& folder) {
  auto it = m_targets.find(folder);
  if (it == m_targets.end()) {
    auto target = std::make_unique<TargetFolder>();
    if (!target->Open(folder)) return nullptr;
    it = m_targets.emplace(folder, std::move(target)).first;
  }
  return it->second.get();
}

void ReceiveEngine::RemoveLeftovers(const QString& folder) {
  if (m_cleaned.contains(folder)) return;
  m_cleaned.insert(folder);
  const TargetFolder* target = Target(folder);
  if (!target) return;  // the copy pass says why
  RemoveStaleTemporaries(target->Fd(), folder, m_records.staleTemporarySeconds);
  const QString backupFolder = Find(folder, kBackupFolder);
  TargetFolder backup;
  if (!backupFolder.isEmpty() && backup.OpenSub(*target, QFileInfo(backupFolder).fileName(), false))
    RemoveStaleTemporaries(backup.Fd(), backupFolder, m_records.staleTemporarySeconds);
}

bool ReceiveEngine::AllInPlace() const {
  if (m_pending.empty()) return false;
  return std::all_of(m_pending.begin(), m_pending.end(), [](const Pending& p) {
    return SameContent(p.sourceFolder + QChar('/') + p.fileName, Find(p.targetFolder, p.fileName));
  });
}

bool ReceiveEngine::TakenInBefore() const {
  if (!m_records.recorder || m_pending.empty()) return false;
  bool older = false;
  std::vector<TurnFile> files;
  for (const Pending& p : m_pending) {
    const QString source = p.sourceFolder + QChar('/') + p.fileName;
    const QString installed = Find(p.targetFolder, p.fileName);
    if (installed.isEmpty()) return false;
    // Whole seconds, as the files are compared before a receive asks.
    const qint64 theirs = QFileInfo(source).lastModified().toSecsSinceEpoch();
    const qint64 mine = QFileInfo(installed).lastModified().toSecsSinceEpoch();
    if (theirs > mine) return false;
    older = older || theirs < mine;
    files.push_back(turn_history::FileOf(source));
  }
  return older && m_records.recorder->HasReceived(m_program->GetShortName(), files);
}

void ReceiveEngine::Plan(const QString& sender, bool plain) {
  // The folders may have changed while the user was asked. Otherwise the listings of the
  // pass still hold: a fetch of hundreds of turns lists each game folder once.
  if (m_asked) {
    for (const Pending& p : m_pending) NoteFolderChanged(p.targetFolder);
  }
  ReceiveJournal::Content journal{
      m_program->GetShortName(), sender, m_records.incomingTaunt, plain, m_tag, {}};
  bool replaces = false;
  for (Pending& p : m_pending) {
    RemoveLeftovers(p.targetFolder);
    const QString source = p.sourceFolder + QChar('/') + p.fileName;
    // The installed file keeps its spelling: a second file differing only in case would
    // be a second game file to the program.
    p.dest = PathIn(p.targetFolder, p.fileName);
    // Already in place (the same archive taken in twice, or again after an interrupted
    // receive): a backup now would replace the turn before by this one. Something else
    // than a file in its place stops the copy pass there; it stays in the journal as not
    // taken in, so that its game is recorded by the receive that brings it.
    const bool refused = Exists(p.dest) && !IsRegularFile(p.dest);
    p.inPlace = !refused && SameContent(source, p.dest);
    const QFileInfo dest(p.dest);
    ReceiveJournal::File file{dest.absolutePath(),
                              dest.fileName(),
                              p.primary,
                              p.key,
                              p.extra,
                              p.inPlace,
                              QFileInfo(source).size(),
                              {},
                              {},
                              {},
                              -1};
    if (refused) {
      file.size = -1;
    } else if (!p.inPlace) {
      replaces = true;
      file.hash = ReceiveJournal::Hash(source);
      if (IsRegularFile(p.dest)) {
        p.backup = PathIn(PathIn(p.targetFolder, kBackupFolder), dest.fileName());
        p.replacedStamp = FileStamp(p.dest);
        file.backup = p.backup;
        file.oldStamp = p.replacedStamp;
        file.oldSize = dest.size();
      }
    }
    journal.files.push_back(std::move(file));
  }
  const QString folder = ReceiveJournal::Folder();
  if (replaces && !folder.isEmpty()) {
    if (!m_journal.Write(folder, journal)) {
      // The files are as safe without it; only a crash of this batch would go unrecorded.
      SetSystemError(errno);
      m_ui.ShowStatus(tr("Receive journal not written in %1").arg(folder));
    }
    CrashPoint();
  }
}

bool ReceiveEngine::BackUp(Pending& p, const TargetFolder& folder, const FileAt& dest) {
  if (p.backup.isEmpty()) p.backup = PathIn(PathIn(p.targetFolder, kBackupFolder), dest.name);
  const QFileInfo backupInfo(p.backup);
  const QString backupFolder = backupInfo.absolutePath();
  // Opened relative to the game folder and never through a link: a "bak" that is a link
  // (someone else planted it) would take the old turn elsewhere. Without a real folder
  // nothing is replaced.
  TargetFolder backups;
  bool backedUp = false;
  if (backups.OpenSub(folder, QFileInfo(backupFolder).fileName(), true)) {
    NoteChanged(backupFolder);
    p.replacedStamp = FileStamp(dest.path);
    const FileAt backup = backups.At(backupInfo.fileName());
    backedUp = KeepAsBackup(dest, backup, nullptr, m_tag) && IsFaithfulCopy(dest, backup);
    NoteChanged(p.backup);
    if (backedUp) p.replacedCopy = p.backup;
    CrashPoint();
  }
  if (!backedUp) {
    // Without a verified backup the installed file is not replaced.
    m_ui.ShowError(tr("Error while making backup of file %1 to %2").arg(dest.path, backupFolder));
  }
  return backedUp;
}

bool ReceiveEngine::CopyPass(bool plain) {
  for (Pending& p : m_pending) {
    const QString source = p.sourceFolder + QChar('/') + p.fileName;
    m_ui.ShowStatus(p.dest);
    m_ui.DoEvents();

    // Every write below goes through the folder opened once for the batch.
    const TargetFolder* folder = Target(p.targetFolder);
    if (!folder) {
      SetSystemError(errno);
      m_ui.ShowError(tr("Can't copy file %1 to %2: its folder is not a real folder").arg(p.fileName, p.dest));
      return false;
    }
    const FileAt dest = folder->At(QFileInfo(p.dest).fileName());
    struct stat st {};
    const bool exists = ::fstatat(folder->Fd(), dest.Native().constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
      // A link, pipe, device or folder where the game file belongs: nothing to back up,
      // and nothing this program replaces.
      m_ui.ShowError(tr("Can't copy file %1 to %2: it is not a regular file").arg(p.fileName, dest.path));
      return false;
    }

    if (p.inPlace) {
      ++m_records.filesInPlace;
      p.fileName = dest.name;
      p.targetFolder = folder->Path();
      if (plain && !RemoveSource(source)) return false;
      continue;
    }

    const QString oldBackup = Find(p.targetFolder, dest.name + QStringLiteral(".bak"));
    if (!oldBackup.isEmpty() && !RemoveIfPresent(folder->At(QFileInfo(oldBackup).fileName())))
      m_ui.ShowError(tr("Error while deleting %1").arg(dest.path + QStringLiteral(".bak")));

    if (exists && !BackUp(p, *folder, dest)) return false;

    const bool copied = ReplaceWithCopy(FileAt::Path(source), dest, nullptr, m_tag);
    NoteChanged(dest.path);
    CrashPoint();
    if (!copied) {
      m_ui.ShowError(tr("Can't copy file %1 to %2").arg(p.fileName, dest.path));
      return false;
    }
    ++m_records.filesCopied;
    p.fileName = dest.name;
    p.targetFolder = folder->Path();
    if (plain && !RemoveSource(source)) return false;
    if (plain) CrashPoint();
  }
  return true;
}

bool ReceiveEngine::RemoveSource(const QString& source) {
  const bool removed = QFile::remove(source);
  NoteChanged(source);
  if (!removed) m_ui.ShowError(tr("Can't delete file %1").arg(source));
  return removed;
}

void ReceiveEngine::RecordPass(const QString& sender, Game& game, bool plain) {
  const QString shortName = m_program->GetShortName();
  for (Pending& p : m_pending) {
    if (!p.primary) {
      AddUnique(m_records.programs, shortName);
      p.gameName = p.extra;
      if (!p.extra.isEmpty()) {
        AddUnique(m_records.games, shortName + QChar('\t') + p.extra);
        m_records.NoteArrived(shortName, p.extra);
      }
      continue;
    }
    m_ui.ShowStatus(p.targetFolder + QChar('/') + p.fileName);
    game.Init(m_program, p.key, p.fileName);
    if (!game.IsValid()) {
      m_ui.MsgBox(tr("%1 game %2 is not valid").arg(shortName, p.fileName), Buttons::Ok, Icon::None);
      continue;
    }
    bool stamped = game.SetReceived();
    // Written only when it changes: every write rewrites the whole settings file.
    if (!plain && game.GetMode() != QStringLiteral("KLT"))
      stamped = game.SetMode(QStringLiteral("KLT")) && stamped;
    if (!sender.isEmpty() && !AddressMatches(game.GetEMail(), sender))
      stamped = game.SetEMail(sender) && stamped;
    m_unstamped = m_unstamped || !stamped;
    AddUnique(m_records.programs, shortName);
    AddUnique(m_records.games, shortName + QChar('\t') + game.GetName());
    m_records.NoteArrived(shortName, game.GetName());
    p.gameName = game.GetName();
    // The other files of the game (a Steel Panthers turn's .dat and .aux) carry no name
    // of their own: the game says which they are.
    m_fileGames.insert(FileKey(p.targetFolder + QChar('/') + p.fileName), p.gameName);
    for (const QString& file : game.GetFiles()) m_fileGames.insert(FileKey(file), p.gameName);
    p.mode = plain ? game.GetMode() : QStringLiteral("KLT");
    p.opponent = sender.isEmpty() ? game.GetEMail() : sender;
    ++m_records.gamesRecorded;
  }
  if (!sender.isEmpty()) m_records.arrivedFrom = sender;
}

void ReceiveRecords::NoteArrived(const QString& shortName, const QString& gameName) {
  const QString key = (shortName + QChar('\t') + gameName).toUpper();
  if (arrivedKeys.contains(key)) return;
  arrivedKeys.insert(key);
  arrived.push_back({shortName, gameName});
}

bool ReceiveEngine::FinishReceive(const QString& sender, std::shared_ptr<Game> game, bool plain) {
  bool ok = false;
  if (m_program) {
    ++m_records.batches;
    if (m_records.quietWhenIdentical && (AllInPlace() || TakenInBefore())) {
      // The mailbox brought a turn that is in place already, or one that was and has been
      // followed by a later turn: nothing to ask, copy or record.
      // Files waiting in the working folder have served, as after any receive.
      ++m_records.batchesAlreadyIn;
      ok = true;
      if (plain) {
        ok = std::all_of(m_pending.begin(), m_pending.end(), [&](const Pending& p) {
          return RemoveSource(p.sourceFolder + QChar('/') + p.fileName);
        });
      }
    } else if (!ConfirmOldFiles()) {
      ++m_records.declined;
    } else {
      Plan(sender, plain);
      if (!CopyPass(plain)) {
        ++m_records.failed;
      } else {
        if (game) {
          RecordPass(sender, *game, plain);
          KeepAndRecordTurns(sender);
        }
        ok = true;
      }
    }
  }
  const bool ended = EndReceive();
  if (!ended || m_unstamped) {
    // The files are in place, but the games would not show what was received.
    m_ui.ShowSettingsWriteError();
    ok = false;
  }
  // The journal goes once what it describes is recorded, the settings included; after a
  // stop it stays, and the next receive finishes the work.
  if (m_journal.IsHeld()) {
    CrashPoint();
    if (ok && FlushIniBatch())
      m_journal.Remove();
    else
      m_journal.Leave();
  }
  return ok;
}

}  // namespace kolt

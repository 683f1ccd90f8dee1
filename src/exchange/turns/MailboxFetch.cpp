#include "exchange/turns/MailboxFetch.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cerrno>

#include "core/AtomicFile.h"
#include "core/FolderSnapshot.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/history/TurnHistory.h"
#include "exchange/mail/MailText.h"
#include "exchange/mail/PasswordStore.h"
#include "exchange/mail/TurnMail.h"
#include "exchange/turns/MailboxLock.h"
#include "exchange/turns/MailboxState.h"
#include "exchange/turns/TurnExchange.h"
#include "model/Game.h"

namespace kolt {
namespace {

const QString kKltSubject = QStringLiteral("KOLT file");
const QString kKltMessageSubject = QStringLiteral("KOLT message");
const QChar kCr('\r');

// A name from someone else made into a plain file name; empty when nothing is left.
QString PlainFileName(const QString& name) {
  QString base = name;
  base.replace(QChar('\\'), QChar('/'));
  base = base.mid(base.lastIndexOf(QChar('/')) + 1);
  base = SafeForDisplay(base, QChar('_')).trimmed();
  if (base == QStringLiteral(".") || base == QStringLiteral("..")) return QString();
  return base.left(200);
}

bool SearchableName(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() > 0x7e || c == QChar('"') || c == QChar('\\')) return false;
  }
  return !text.isEmpty();
}

QString Described(quint32 uid, const TurnMail& mail) {
  const QString subject = SafeForDisplay(mail.subject.left(200));
  if (mail.fromAddress.isEmpty())
    return MailboxFetch::tr("The message \"%1\" (UID %2)").arg(subject, QString::number(uid));
  return MailboxFetch::tr("The message \"%1\" from %2 (UID %3)")
      .arg(subject, SafeForDisplay(mail.fromAddress.left(200)), QString::number(uid));
}

bool SameText(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A failure of the check with what to do about it.
QString CheckFailed(ImapFailure failure, const QString& error) {
  const QString advice = ImapClient::Advice(failure);
  return MailboxFetch::tr("Checking the mailbox failed: %1").arg(error) +
         (advice.isEmpty() ? QString() : QString(kCr) + kCr + advice);
}

// The folder the user named for moved turns, as the server spells it. A name typed
// without its parent ("Processed" where the server has "INBOX/Processed" or
// "INBOX.Processed") is taken when exactly one folder ends in it; `note` says so.
bool ResolveTarget(ImapClient& client, const QString& wanted, QString* target, QString* note,
                   QString* error) {
  QList<ImapClient::Folder> folders;
  if (!client.List(wanted, &folders)) {
    *error = client.Error();
    return false;
  }
  for (const ImapClient::Folder& f : folders) {
    if (f.name == wanted || (SameText(f.name, wanted) && SameText(wanted, QStringLiteral("INBOX")))) {
      *target = f.name;
      return true;
    }
  }
  QList<ImapClient::Folder> ending;
  if (SearchableName(wanted) && !client.List(QStringLiteral("*") + wanted, &ending)) {
    *error = client.Error();
    return false;
  }
  QStringList matches;
  for (const ImapClient::Folder& f : ending) {
    const QString last = f.separator.isEmpty() ? f.name : f.name.section(f.separator, -1);
    if (last == wanted) matches.append(f.name);
  }
  if (matches.size() == 1) {
    *target = matches.first();
    *note = MailboxFetch::tr(
                "The folder %1 is \"%2\" on the server: turns are moved there (set IMAP_After to MOVE:%2 to "
                "say so).")
                .arg(wanted, *target);
    return true;
  }
  if (matches.size() > 1) {
    *error = MailboxFetch::tr("the server has several folders named %1: %2 (name one of them in full)")
                 .arg(wanted, matches.join(QStringLiteral(", ")));
    return false;
  }
  QList<ImapClient::Folder> top;
  QStringList names;
  if (client.List(QStringLiteral("%"), &top)) {
    for (const ImapClient::Folder& f : top) {
      names.append(f.name);
      // Servers that keep every folder below INBOX (Cyrus, Courier).
      QList<ImapClient::Folder> below;
      if (SameText(f.name, QStringLiteral("INBOX")) && !f.separator.isEmpty() &&
          client.List(f.name + f.separator + QStringLiteral("%"), &below)) {
        for (const ImapClient::Folder& b : below) names.append(b.name);
      }
    }
  }
  names = names.mid(0, 40);
  *error = names.isEmpty() ? MailboxFetch::tr("the server has no folder %1").arg(wanted)
                           : MailboxFetch::tr("the server has no folder %1 (its folders: %2)")
                                 .arg(wanted, names.join(QStringLiteral(", ")));
  return false;
}

}  // namespace

MailboxFetch::MailboxFetch(UiPort& ui, TurnExchange& exchange, ProgramList& programs)
    : m_ui(ui), m_exchange(exchange), m_programs(programs) {}

QStringList MailboxFetch::TurnSubjects(const ProgramList& programs) {
  QStringList subjects = {kKltSubject, kKltMessageSubject};
  for (const ProgramPtr& p : programs) {
    subjects.append(p->GetShortName() + QStringLiteral(" file"));
    subjects.append(p->GetShortName() + QStringLiteral(" message"));
  }
  return subjects;
}

QString MailboxFetch::SearchCriteria(const QStringList& subjects) {
  QStringList keys;
  for (const QString& s : subjects) {
    if (SearchableName(s)) keys.append(QStringLiteral("SUBJECT \"") + s + QChar('"'));
  }
  if (keys.isEmpty()) return QStringLiteral("UNSEEN");
  // IMAP's OR takes two keys: OR a OR b c.
  QString expression = keys.last();
  for (qsizetype i = keys.size() - 2; i >= 0; --i)
    expression = QStringLiteral("OR ") + keys[i] + QChar(' ') + expression;
  return QStringLiteral("UNSEEN ") + expression;
}

QString MailboxFetch::BareSubject(const QString& subject) {
  QString s = subject.simplified();
  for (bool changed = true; changed;) {
    changed = false;
    for (const QString& prefix : {QStringLiteral("re:"), QStringLiteral("fwd:"), QStringLiteral("fw:")}) {
      if (s.startsWith(prefix, Qt::CaseInsensitive)) {
        s = s.mid(prefix.size()).trimmed();
        changed = true;
      }
    }
    if (s.startsWith(QChar('['))) {
      const qsizetype close = s.indexOf(QChar(']'));
      if (close > 0) {
        s = s.mid(close + 1).trimmed();
        changed = true;
      }
    }
  }
  return s;
}

MailboxFetch::Account MailboxFetch::ReadAccount(const ProgramList& programs, QString* problem) {
  Account a;
  a.settings = ReadImapSettings();
  problem->clear();
  if (a.settings.server.isEmpty()) {
    *problem = tr("No IMAP server is set: enter one under Options > Sending e-mail, page Receiving e-mail.");
    return a;
  }
  a.imap.host = a.settings.server;
  a.imap.port = a.settings.port;
  a.imap.security = a.settings.security;
  a.imap.user = a.settings.LoginUser();
  a.imap.password = ImapPasswordStore().ReadPassword();
  a.imap.caFile = qEnvironmentVariable("KOLT_IMAP_CAINFO");
  a.subjects = TurnSubjects(programs);
  a.stateKey = a.imap.user + QChar('@') + a.imap.host + QChar(':') + QString::number(a.imap.port) +
               QChar('/') + a.settings.folder;
  a.statePath = HomeFile(QStringLiteral("imap-state"));
  a.downloadFolder = App().instanceFolder + QStringLiteral("/mailbox");
  return a;
}

MailboxDownload MailboxFetch::Download(const Account& account, const QSet<quint32>& skip,
                                       const std::atomic<bool>* cancel) {
  MailboxDownload d;
  ImapClient client(account.imap);
  client.SetCancelFlag(cancel);
  auto failWith = [&](ImapFailure failure, const QString& error) {
    d.failure = failure;
    d.error = CheckFailed(failure, error);
    return d;
  };
  auto fail = [&]() { return failWith(client.Failure(), client.Error()); };
  const QString folder = account.settings.folder;
  if (!client.UidValidity(folder, &d.validity)) return fail();
  QList<quint32> uids;
  if (!client.Search(folder, SearchCriteria(account.subjects), &uids)) return fail();
  d.found = static_cast<int>(uids.size());
  MailboxState state(account.statePath, account.stateKey);
  state.Load(d.validity);
  // Journalled by a check that was stopped: fetched again whatever their flags.
  QSet<quint32> candidates(uids.begin(), uids.end());
  candidates.unite(state.Pending());
  QList<quint32> wanted;
  for (quint32 uid : candidates) {
    if (state.IsHandled(uid)) continue;
    (skip.contains(uid) ? d.skipped : wanted).append(uid);
  }
  std::sort(wanted.begin(), wanted.end());
  QMap<quint32, qint64> sizes;
  if (!wanted.isEmpty() && !client.Sizes(folder, wanted, &sizes)) return fail();
  QList<quint32> toFetch;
  QList<quint32> gone;
  for (quint32 uid : wanted) {
    if (!sizes.contains(uid))
      gone.append(uid);  // moved or deleted meanwhile, by another program
    else if (sizes.value(uid) > kMaxMessageBytes)
      d.tooLarge.append(uid);
    else
      toFetch.append(uid);
  }
  QDir(account.downloadFolder).removeRecursively();
  if (toFetch.isEmpty()) {
    d.ok = true;
    if (!gone.isEmpty() || !d.tooLarge.isEmpty()) {
      state.RemovePending(gone);
      for (quint32 uid : d.tooLarge) state.AddHandled(uid, false);  // reported once
      QString error;
      if (!state.Save(&error)) d.failures.append(error);
    }
    return d;
  }
  if (!QDir().mkpath(account.downloadFolder)) {
    return failWith(ImapFailure::Other, tr("Can't create folder: %1").arg(account.downloadFolder));
  }
  QFile::setPermissions(account.downloadFolder,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  // The journal is on disk before the first message is marked read by its download.
  const QSet<quint32> journalled = state.Pending();
  state.AddPending(toFetch);
  state.RemovePending(gone);
  QString stateError;
  if (!state.Save(&stateError)) return failWith(ImapFailure::Other, stateError);

  // Every message goes into one file, one after the other: a new file per message cost more
  // than its download where the disk had just freed many (ext4 without a journal looks
  // at each recently freed inode before it takes one).
  const QString path = account.downloadFolder + QStringLiteral("/messages");
  QFile spool(path);
  if (!spool.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    return failWith(ImapFailure::Other, tr("Can't create file: %1 (%2)").arg(path, spool.errorString()));
  }
  QList<quint32> touched;  // fetched, or a fetch was begun: maybe marked read
  ImapFailure failure = ImapFailure::None;
  QString error;
  for (quint32 uid : toFetch) {
    if (cancel && cancel->load()) {
      failure = ImapFailure::Cancelled;
      error = tr("Cancelled");
      break;
    }
    touched.append(uid);
    const qint64 offset = spool.pos();
    if (client.FetchToFile(folder, d.validity, uid, kMaxMessageBytes, &spool)) {
      d.messages.push_back(FetchedMessage{uid, path, offset, spool.pos() - offset});
      continue;
    }
    if (client.Failure() == ImapFailure::TooLarge) {
      d.tooLarge.append(uid);
    } else if (client.Failure() != ImapFailure::Folder) {  // gone meanwhile is no failure of the check
      failure = client.Failure();
      error = client.Error();
      break;
    }
  }
  // Unread again, cancelled or not: a message is marked read only once its turn is in.
  for (quint32 uid : d.tooLarge) state.AddHandled(uid, false);  // reported once
  // Not reached (stopped first): never marked by this check. Those an earlier check
  // journalled stay journalled; they may still carry its read mark.
  for (quint32 uid : toFetch) {
    if (!touched.contains(uid) && !journalled.contains(uid)) state.RemovePending({uid});
  }
  if (client.SetSeen(folder, touched, false)) {
    state.RemovePending(touched);
  } else {
    d.failures.append(
        tr("The read marks of the messages fetched could not be taken back (%1): they are fetched again at "
           "the next check.")
            .arg(client.Error()));
  }
  if (!state.Save(&stateError)) d.failures.append(stateError);
  spool.close();
  if (failure != ImapFailure::None) {
    QFile::remove(path);
    d.messages.clear();
    return failWith(failure, error);
  }
  d.ok = true;
  return d;
}

QStringList MailboxFetch::Finish(const Account& account, quint32 validity, const std::atomic<bool>* cancel,
                                 QStringList* notes) {
  QStringList failures;
  MailboxState state(account.statePath, account.stateKey);
  state.Load(validity);
  const QList<quint32> uids = state.Unmarked();
  if (uids.isEmpty()) return failures;
  ImapClient client(account.imap);
  client.SetCancelFlag(cancel);
  const QString folder = account.settings.folder;
  const bool move = account.settings.after == ImapAfter::Move && !account.settings.moveTo.isEmpty();
  QString target;
  if (move) {
    QString note, error;
    if (!ResolveTarget(client, account.settings.moveTo, &target, &note, &error)) {
      failures.append(tr("%1 turn message(s) taken in could not be moved to the folder %2: %3. They stay in "
                         "%4; the move is tried again at the next check.")
                          .arg(QString::number(uids.size()), account.settings.moveTo, error, folder));
      return failures;
    }
    if (!note.isEmpty()) notes->append(note);
  }
  for (quint32 uid : uids) {
    const bool done = move ? client.Move(folder, uid, target) : client.SetSeen(folder, uid, true);
    if (done) {
      state.Marked(uid);
      continue;
    }
    failures.append(move
                        ? tr("The turn message with UID %1 was taken in but could not be moved to the folder "
                             "%2: %3 (tried again at the next check)")
                              .arg(QString::number(uid), target, client.Error())
                        : tr("The turn message with UID %1 was taken in but could not be marked as read in "
                             "%2: %3 (tried again at the next check)")
                              .arg(QString::number(uid), folder, client.Error()));
    const ImapFailure f = client.Failure();
    // The server is gone or the user stopped the check: the rest waits for the next one.
    if (f != ImapFailure::Folder && f != ImapFailure::Other) break;
  }
  QString error;
  if (!state.Save(&error)) failures.append(error);
  return failures;
}

std::vector<TakenMessage> MailboxFetch::TakeIn(const Account& account, quint32 validity,
                                               const std::vector<FetchedMessage>& messages,
                                               const std::atomic<bool>* cancel, MailboxTally* tally) {
  std::vector<TakenMessage> taken;
  // One pass for the whole check: each game folder is listed once however many turns
  // come in (every batch still writes its records as soon as it is done).
  Pass pass;
  MailboxState state(account.statePath, account.stateKey);
  state.Load(validity);
  bool unsaved = false;
  QElapsedTimer sinceSave;
  sinceSave.start();
  auto save = [&] {
    QString error;
    // The games' records reach the disk before the messages are noted as handled: a
    // check killed in between meets the turns again and finds them installed.
    if (unsaved && !FlushIniBatch()) m_ui.ShowSettingsWriteError();
    if (unsaved && !state.Save(&error)) tally->AddFailure(error);
    unsaved = false;
    sinceSave.restart();
  };
  for (const FetchedMessage& m : messages) {
    if (cancel && cancel->load()) {
      tally->SetCancelled();
      break;
    }
    TakenMessage t{m.uid, MessageOutcome::Skipped, QString()};
    // Another check took it in while this one waited for the user.
    if (!state.IsHandled(m.uid)) t.outcome = TakeInOne(m, &t.described);
    if (t.outcome == MessageOutcome::Declined) {
      m_declined.insert(m.uid);
      m_declinedText.insert(m.uid, t.described);
    }
    if (t.outcome != MessageOutcome::Declined && t.outcome != MessageOutcome::Skipped) {
      state.AddHandled(m.uid, t.outcome == MessageOutcome::TakenIn || t.outcome == MessageOutcome::AlreadyIn);
      unsaved = true;
    }
    // Written every second or so rather than after each message: a check killed before
    // the write meets these turns again, finds them installed and handles them quietly.
    if (unsaved && sinceSave.elapsed() >= 1000) save();
    tally->Add(t.outcome, t.described);
    taken.push_back(t);
  }
  save();
  // The download's file goes with its folder.
  QDir(account.downloadFolder).removeRecursively();
  if (!pass.End()) m_ui.ShowSettingsWriteError();
  return taken;
}

void MailboxFetch::ReportTooLarge(const QList<quint32>& uids, MailboxTally* tally) {
  for (quint32 uid : uids) {
    m_ui.ShowError(MailboxTally::TooLargeText(uid, kMaxMessageBytes));
    tally->AddTooLarge();
  }
}

void MailboxFetch::CountStillDeclined(const QList<quint32>& skipped, MailboxTally* tally) const {
  for (quint32 uid : skipped) {
    if (m_declined.contains(uid)) tally->Add(MessageOutcome::Declined, m_declinedText.value(uid));
  }
}

QString MailboxFetch::MailFolder() const {
  return App().instanceFolder + QStringLiteral("/mail");
}

void MailboxFetch::Refuse(quint32 uid, const TurnMail& mail, const QString& why) {
  m_ui.ShowError(tr("%1 was not taken in: %2\r\rIt stays unread in the mailbox and is not fetched again.")
                     .arg(Described(uid, mail), why));
}

MessageOutcome MailboxFetch::TakeInOne(const FetchedMessage& message, QString* described) {
  const TurnMail mail = ParseTurnMailFile(message.path, message.offset, message.size);
  *described = Described(message.uid, mail);
  if (!mail.problem.isEmpty()) {
    Refuse(message.uid, mail, mail.problem);
    return MessageOutcome::Refused;
  }
  ReceiveRecords& records = m_exchange.Records();
  const size_t arrivedBefore = records.arrived.size();
  const QString bare = BareSubject(mail.subject);
  const bool plain = mail.subject == bare;  // no "Re:" or tag before it
  const QString taunt = TauntOfText(mail.text).trimmed();
  bool hasKlt = false;
  for (const MailAttachment& a : mail.attachments)
    hasKlt = hasKlt || SameText(PlainFileName(a.name), QStringLiteral("KOLT.KLT"));
  auto notATurn = [&]() {
    m_ui.MsgBox(
        tr("%1 has the subject of a turn but carries no turn: it is left unread in the mailbox and not "
           "fetched again.")
            .arg(Described(message.uid, mail)),
        Buttons::Ok, Icon::Information);
    return MessageOutcome::NotATurn;
  };
  // What the batches of this message record with each turn; cleared after it.
  auto take = [&](auto work, const QString& fallbackSender) {
    records.incomingTaunt = taunt;
    records.quietWhenIdentical = true;
    const QString earlierSender = records.arrivedFrom;
    records.arrivedFrom.clear();
    const MessageOutcome outcome = work();
    records.incomingTaunt.clear();
    records.quietWhenIdentical = false;
    // The taunt goes with the turn: to the archive's sender, as the turn is.
    const QString from = records.arrivedFrom.isEmpty() ? fallbackSender : records.arrivedFrom;
    if (records.arrivedFrom.isEmpty()) records.arrivedFrom = earlierSender;
    if (outcome == MessageOutcome::TakenIn) KeepTaunt(taunt, from, arrivedBefore, QString());
    if (outcome == MessageOutcome::AlreadyIn) RecordMissingTurns(arrivedBefore, from, taunt);
    return outcome;
  };
  if (SameText(bare, kKltSubject)) {
    if (!hasKlt && !plain) return notATurn();
    return take([&] { return TakeKlt(message.uid, mail); }, QString());
  }
  if (SameText(bare, kKltMessageSubject)) {
    if (!plain) return notATurn();
    KeepTaunt(taunt, mail.fromAddress, arrivedBefore, GamesTextOf(mail.text));
    return MessageOutcome::TakenIn;
  }
  for (const ProgramPtr& p : m_programs) {
    const QString shortName = p->GetShortName();
    if (SameText(bare, shortName + QStringLiteral(" file"))) {
      if (mail.attachments.isEmpty() && !plain) return notATurn();
      return take([&] { return TakeProgramFiles(message.uid, p, mail); }, mail.fromAddress);
    }
    if (SameText(bare, shortName + QStringLiteral(" message"))) {
      if (!plain) return notATurn();
      KeepTaunt(taunt, mail.fromAddress, arrivedBefore, GamesTextOf(mail.text));
      return MessageOutcome::TakenIn;
    }
  }
  return notATurn();
}

MessageOutcome MailboxFetch::Classified(quint32 uid, const TurnMail& mail, const ReceiveRecords& before) {
  const ReceiveRecords& after = m_exchange.Records();
  if (after.failed != before.failed || after.declined != before.declined) return MessageOutcome::Declined;
  if (after.batchesAlreadyIn != before.batchesAlreadyIn && after.filesCopied == before.filesCopied)
    return MessageOutcome::AlreadyIn;
  if (after.batches == before.batches ||
      after.filesCopied + after.filesInPlace == before.filesCopied + before.filesInPlace) {
    Refuse(uid, mail, tr("it holds no files for an installed program (see the messages before)."));
    return MessageOutcome::Refused;
  }
  return MessageOutcome::TakenIn;
}

MessageOutcome MailboxFetch::TakeKlt(quint32 uid, const TurnMail& mail) {
  const MailAttachment* klt = nullptr;
  for (const MailAttachment& a : mail.attachments) {
    if (SameText(PlainFileName(a.name), QStringLiteral("KOLT.KLT"))) klt = &a;
  }
  if (!klt) {
    Refuse(uid, mail, tr("it has no attachment KOLT.KLT."));
    return MessageOutcome::Refused;
  }
  const QString folder = MailFolder();
  QDir(folder).removeRecursively();
  const QString path = folder + QStringLiteral("/KOLT.KLT");
  if (!QDir().mkpath(folder)) {
    SetSystemError(errno);
    m_ui.ShowError(tr("Can't create folder: %1").arg(folder));
    return MessageOutcome::Declined;
  }
  {
    AtomicFileWriter writer(path);
    if (!writer.Open(Permissions::Exactly, 0600) || !writer.Write(klt->data) || !writer.Commit()) {
      SetSystemError(errno);
      m_ui.ShowError(tr("Can't create file: %1").arg(path));
      return MessageOutcome::Declined;
    }
  }
  NoteChanged(path);
  const ReceiveRecords before = m_exchange.Records();
  ReceiveRecords& records = m_exchange.Records();
  records.fromMailbox = true;
  records.mailFrom = mail.fromAddress;
  const bool taken = m_exchange.ReceivedFile(path);
  records.fromMailbox = false;
  records.mailFrom.clear();
  QDir(folder).removeRecursively();
  NoteChanged(folder);
  // Not unpacked (or refused before anything was asked about its files): someone else's
  // bad archive, said once; trying it at every check would fail every check.
  if (!taken) {
    Refuse(uid, mail, tr("its archive could not be taken in (see the message before)."));
    return MessageOutcome::Refused;
  }
  return Classified(uid, mail, before);
}

MessageOutcome MailboxFetch::TakeProgramFiles(quint32 uid, const ProgramPtr& program, const TurnMail& mail) {
  // The sender is who the address check compares with the game's opponent; a message
  // without a usable one would pass as from anybody.
  if (mail.fromAddress.isEmpty() || AddressListProblem(mail.fromAddress)) {
    Refuse(uid, mail, tr("its sender address is missing or not valid."));
    return MessageOutcome::Refused;
  }
  if (mail.attachments.isEmpty()) {
    Refuse(uid, mail, tr("it has no attachments."));
    return MessageOutcome::Refused;
  }
  const QString folder = MailFolder() + QChar('/') + program->GetShortName();
  QDir(MailFolder()).removeRecursively();
  if (!QDir().mkpath(folder)) {
    SetSystemError(errno);
    m_ui.ShowError(tr("Can't create folder: %1").arg(folder));
    return MessageOutcome::Declined;
  }
  QSet<QString> names;
  for (const MailAttachment& a : mail.attachments) {
    const QString name = PlainFileName(a.name);
    if (name.isEmpty() || names.contains(name.toUpper())) continue;
    names.insert(name.toUpper());
    const QString path = folder + QChar('/') + name;
    AtomicFileWriter writer(path);
    if (!writer.Open(Permissions::Exactly, 0644) || !writer.Write(a.data) || !writer.Commit()) {
      SetSystemError(errno);
      m_ui.ShowError(tr("Can't create file: %1").arg(path));
      QDir(MailFolder()).removeRecursively();
      return MessageOutcome::Declined;
    }
  }
  const ReceiveRecords before = m_exchange.Records();
  MessageOutcome outcome = MessageOutcome::TakenIn;
  {
    Pass pass;
    NoteFolderChanged(folder);
    m_ui.ShowStatus(tr("Receiving %1 files...").arg(program->GetShortName()));
    m_exchange.DecompressFolder(folder);
    program->ReceivedFiles(folder, mail.fromAddress.trimmed(), true);
    if (!pass.End()) {
      m_ui.ShowSettingsWriteError();
      outcome = MessageOutcome::Declined;
    }
  }
  QDir(MailFolder()).removeRecursively();
  NoteChanged(MailFolder());
  if (outcome != MessageOutcome::TakenIn) return outcome;
  return Classified(uid, mail, before);
}

void MailboxFetch::RecordMissingTurns(size_t arrivedBefore, const QString& from, const QString& taunt) {
  const auto& arrived = m_exchange.Records().arrived;
  if (arrived.size() <= arrivedBefore || !m_exchange.Records().recorder) return;
  HistoryStore history(HistoryStore::DefaultPath());
  for (size_t i = arrivedBefore; i < arrived.size(); ++i) {
    for (const ProgramPtr& p : m_programs) {
      if (!SameText(p->GetShortName(), arrived[i].shortName)) continue;
      for (const GamePtr& game : p->InitGames()) {
        if (!SameText(game->GetName(), arrived[i].gameName)) continue;
        TurnEntry entry;
        entry.time = QDateTime::currentDateTimeUtc();
        entry.program = p->GetShortName();
        entry.game = game->GetName();
        entry.direction = TurnDirection::Received;
        entry.opponent = from.isEmpty() ? game->GetEMail() : from;
        entry.mode = game->GetMode();
        entry.taunt = taunt;
        QSet<QString> now;
        for (const QString& file : game->GetFiles()) {
          entry.files.push_back(turn_history::FileOf(file));
          now.insert(entry.files.back().name + QChar('\t') + entry.files.back().stamp);
        }
        // A check killed between copying this turn and recording it left no line for it.
        bool recorded = false;
        const auto turns = history.Turns(entry.program, entry.game);
        for (size_t t = 0; turns && t < turns->size() && t < 5 && !recorded; ++t) {
          QSet<QString> then;
          for (const TurnFile& f : (*turns)[t].files) then.insert(f.name + QChar('\t') + f.stamp);
          recorded = then == now;
        }
        if (turns && !recorded) turn_history::Record(m_exchange.Records().recorder, entry);
      }
    }
  }
}

void MailboxFetch::KeepTaunt(const QString& taunt, const QString& from, size_t arrivedBefore,
                             const QString& gamesText) {
  if (taunt.isEmpty()) return;
  const LastMessage message{taunt, from, QDateTime::currentDateTime().toString(Qt::ISODate)};
  bool told = false;
  auto keep = [&](const QString& shortName, const QString& gameName) {
    if (SetLastMessage(shortName, gameName, message) || told) return;
    told = true;  // the same file each time: told once
    SetSystemError(errno);
    m_ui.ShowError(tr("Can't write file: %1").arg(HomeFile(QStringLiteral("received-messages"))));
  };
  const auto& arrived = m_exchange.Records().arrived;
  for (size_t i = arrivedBefore; i < arrived.size(); ++i) keep(arrived[i].shortName, arrived[i].gameName);
  if (gamesText.isEmpty()) return;
  // A message without files names its games: "SHORT/name (description), ...".
  for (const ProgramPtr& p : m_programs) {
    for (const GamePtr& game : p->InitGames()) {
      const QString entry = p->GetShortName() + QChar('/') + game->GetName();
      qsizetype at = gamesText.indexOf(entry, 0, Qt::CaseInsensitive);
      while (at >= 0) {
        const qsizetype end = at + entry.size();
        const bool whole = (at == 0 || gamesText.mid(at - 2, 2) == QStringLiteral(", ")) &&
                           (end == gamesText.size() || gamesText.mid(end, 2) == QStringLiteral(", ") ||
                            gamesText.mid(end, 2) == QStringLiteral(" ("));
        if (whole) {
          keep(p->GetShortName(), game->GetName());
          break;
        }
        at = gamesText.indexOf(entry, at + 1, Qt::CaseInsensitive);
      }
    }
  }
}

MailboxFetch::LastMessage MailboxFetch::LastMessageOf(const QString& shortName, const QString& gameName) {
  const QJsonObject all = ReadJsonFile(HomeFile(QStringLiteral("received-messages")));
  const QJsonObject m = all.value((shortName + QChar('/') + gameName).toUpper()).toObject();
  return LastMessage{m.value(QStringLiteral("text")).toString(), m.value(QStringLiteral("from")).toString(),
                     m.value(QStringLiteral("when")).toString()};
}

bool MailboxFetch::SetLastMessage(const QString& shortName, const QString& gameName,
                                  const LastMessage& message) {
  const QString path = HomeFile(QStringLiteral("received-messages"));
  QJsonObject all = ReadJsonFile(path);
  all.insert((shortName + QChar('/') + gameName).toUpper(),
             QJsonObject{{QStringLiteral("text"), message.text},
                         {QStringLiteral("from"), message.from},
                         {QStringLiteral("when"), message.when}});
  return WriteJsonFile(path, all);
}

MailboxTally MailboxFetch::Run(const std::atomic<bool>* cancel) {
  MailboxTally tally;
  QString problem;
  const Account account = ReadAccount(m_programs, &problem);
  if (!problem.isEmpty()) {
    tally.AddFailure(problem);
    return tally;
  }
  MailboxLock lock;
  bool busy = false;
  if (!lock.TryLock(&busy, &problem)) {
    if (busy)
      tally.SetBusy();
    else
      tally.AddFailure(problem);
    return tally;
  }
  m_ui.ShowStatus(tr("Checking the mailbox %1 on %2...").arg(account.settings.folder, account.imap.host));
  const MailboxDownload d = Download(account, m_declined, cancel);
  for (const QString& f : d.failures) tally.AddFailure(f);
  if (!d.ok) {
    if (d.failure == ImapFailure::Cancelled)
      tally.SetCancelled();
    else
      tally.AddFailure(d.error);
    return tally;
  }
  tally.SetFound(d.found);
  TakeIn(account, d.validity, d.messages, cancel, &tally);
  ReportTooLarge(d.tooLarge, &tally);
  // Stopped: the turns taken in are marked at the next check, which is not kept waiting for.
  if (cancel && cancel->load()) return tally;
  QStringList notes;
  for (const QString& f : Finish(account, d.validity, cancel, &notes)) tally.AddFailure(f);
  for (const QString& n : notes) tally.AddNote(n);
  return tally;
}

}  // namespace kolt

#include "exchange/turns/MailboxFetch.h"

#include <QDateTime>
#include <QDir>
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
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/mail/MailText.h"
#include "exchange/mail/PasswordStore.h"
#include "exchange/mail/TurnMail.h"
#include "exchange/turns/TurnExchange.h"
#include "model/Game.h"

namespace kolt {
namespace {

const QString kKltSubject = QStringLiteral("KOLT file");
const QString kKltMessageSubject = QStringLiteral("KOLT message");
const QChar kCr('\r');
// Handled UIDs kept per folder; older ones are long gone from an inbox.
constexpr qsizetype kHandledKept = 20000;

QString HomeFile(const QString& name) {
  QString home = App().homeFolder;
  if (home.isEmpty()) home = qEnvironmentVariable("KOLT_HOME");
  return home + QChar('/') + name;
}

QJsonObject ReadJson(const QString& path) {
  const std::optional<QByteArray> bytes = ReadFileHead(path, qint64{16} * 1024 * 1024);
  if (!bytes) return {};
  return QJsonDocument::fromJson(*bytes).object();
}

bool WriteJson(const QString& path, const QJsonObject& object) {
  AtomicFileWriter writer(path);
  return writer.Open(Permissions::KeepExisting, 0600) &&
         writer.Write(QJsonDocument(object).toJson(QJsonDocument::Indented)) && writer.Commit();
}

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
  return QStringLiteral("The message \"") + SafeForDisplay(mail.subject) + QStringLiteral("\"") +
         (mail.fromAddress.isEmpty() ? QString()
                                     : QStringLiteral(" from ") + SafeForDisplay(mail.fromAddress)) +
         QStringLiteral(" (UID ") + QString::number(uid) + QChar(')');
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

MailboxFetch::Account MailboxFetch::ReadAccount(const ProgramList& programs, QString* problem) {
  Account a;
  a.settings = ReadImapSettings();
  problem->clear();
  if (a.settings.server.isEmpty()) {
    *problem = QStringLiteral(
        "No IMAP server is set: enter one under Options > Sending e-mail, page Receiving e-mail.");
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
  return a;
}

MailboxDownload MailboxFetch::Download(const Account& account, const QSet<quint32>& skip,
                                       const std::atomic<bool>* cancel) {
  MailboxDownload d;
  ImapClient client(account.imap);
  client.SetCancelFlag(cancel);
  auto failWith = [&](ImapFailure failure, const QString& error) {
    d.failure = failure;
    const QString advice = ImapClient::Advice(failure);
    d.error = QStringLiteral("Checking the mailbox failed: ") + error +
              (advice.isEmpty() ? QString() : QString(kCr) + kCr + advice);
    return d;
  };
  auto fail = [&]() { return failWith(client.Failure(), client.Error()); };
  const QString folder = account.settings.folder;
  if (!client.UidValidity(folder, &d.validity)) return fail();
  QList<quint32> uids;
  if (!client.Search(folder, SearchCriteria(account.subjects), &uids)) return fail();
  d.found = static_cast<int>(uids.size());
  const QJsonObject state = ReadJson(account.statePath).value(account.stateKey).toObject();
  QSet<quint32> handled;
  if (static_cast<quint32>(state.value(QStringLiteral("uidvalidity")).toDouble()) == d.validity) {
    for (const auto& v : state.value(QStringLiteral("handled")).toArray())
      handled.insert(static_cast<quint32>(v.toDouble()));
  }
  QList<quint32> wanted;
  for (quint32 uid : uids) {
    if (!handled.contains(uid) && !skip.contains(uid)) wanted.append(uid);
  }
  QMap<quint32, qint64> sizes;
  if (!wanted.isEmpty() && !client.Sizes(folder, wanted, &sizes)) return fail();
  // Fetching marks a message as read; it stays unread until its turn is in. The marks
  // are taken back a few messages at a time: one command instead of one per message.
  QList<quint32> marked;
  auto unmark = [&]() {
    const bool ok = client.SetSeen(folder, marked, false);
    marked.clear();
    return ok;
  };
  for (quint32 uid : wanted) {
    if (sizes.value(uid, 0) > kMaxMessageBytes) {
      d.tooLarge.append(uid);
      continue;
    }
    FetchedMessage m{uid, {}};
    const bool fetched = client.Fetch(folder, d.validity, uid, kMaxMessageBytes, &m.bytes);
    if (!fetched && client.Failure() == ImapFailure::TooLarge) {
      d.tooLarge.append(uid);
    } else if (!fetched) {
      const ImapFailure failure = client.Failure();
      const QString error = client.Error();
      if (!unmark()) return fail();
      // Gone meanwhile (another program moved it) is not a failure of the check.
      if (failure == ImapFailure::Folder) continue;
      return failWith(failure, error);
    }
    marked.append(uid);
    if (fetched) d.messages.push_back(std::move(m));
    if (marked.size() >= 25 && !unmark()) return fail();
  }
  if (!unmark()) return fail();
  d.ok = true;
  return d;
}

bool MailboxFetch::Finish(const Account& account, quint32 validity, const std::vector<TakenMessage>& taken,
                          const QList<quint32>& tooLarge, const std::atomic<bool>* cancel, QString* error) {
  error->clear();
  ImapClient client(account.imap);
  client.SetCancelFlag(cancel);
  const QString folder = account.settings.folder;
  QList<quint32> handled = tooLarge;
  bool ok = true;
  for (const TakenMessage& t : taken) {
    if (t.outcome == MessageOutcome::Declined) continue;
    if (t.outcome == MessageOutcome::TakenIn) {
      const bool done = account.settings.after == ImapAfter::Move && !account.settings.moveTo.isEmpty()
                            ? client.Move(folder, t.uid, account.settings.moveTo)
                            : client.SetSeen(folder, t.uid, true);
      if (!done && ok) {
        *error = QStringLiteral("The message with UID ") + QString::number(t.uid) +
                 QStringLiteral(" was taken in but could not be marked or moved: ") + client.Error();
        ok = false;
      }
    }
    // Remembered whatever the server did: a turn is never taken in twice.
    handled.append(t.uid);
  }
  if (handled.isEmpty()) return ok;
  QJsonObject all = ReadJson(account.statePath);
  QJsonObject state = all.value(account.stateKey).toObject();
  QJsonArray list;
  if (static_cast<quint32>(state.value(QStringLiteral("uidvalidity")).toDouble()) == validity)
    list = state.value(QStringLiteral("handled")).toArray();
  for (quint32 uid : handled) list.append(static_cast<double>(uid));
  while (list.size() > kHandledKept) list.removeFirst();
  state.insert(QStringLiteral("uidvalidity"), static_cast<double>(validity));
  state.insert(QStringLiteral("handled"), list);
  all.insert(account.stateKey, state);
  if (!WriteJson(account.statePath, all)) {
    SetSystemError(errno);
    if (ok) *error = QStringLiteral("Can't write file: ") + account.statePath;
    return false;
  }
  return ok;
}

void MailboxFetch::NoteOutcomes(const std::vector<TakenMessage>& taken) {
  for (const TakenMessage& t : taken) {
    if (t.outcome == MessageOutcome::Declined) m_declined.insert(t.uid);
  }
}

QString MailboxFetch::MailFolder() const {
  return App().instanceFolder + QStringLiteral("/mail");
}

void MailboxFetch::Refuse(quint32 uid, const TurnMail& mail, const QString& why) {
  m_ui.ShowError(Described(uid, mail) + QStringLiteral(" was not taken in: ") + why + kCr + kCr +
                 QStringLiteral("It stays unread in the mailbox and is not fetched again."));
}

std::vector<TakenMessage> MailboxFetch::TakeIn(const std::vector<FetchedMessage>& messages) {
  std::vector<TakenMessage> taken;
  taken.reserve(messages.size());
  for (const FetchedMessage& m : messages) taken.push_back({m.uid, TakeInOne(m)});
  NoteOutcomes(taken);
  return taken;
}

MessageOutcome MailboxFetch::TakeInOne(const FetchedMessage& message) {
  const TurnMail mail = ParseTurnMail(message.bytes);
  if (!mail.problem.isEmpty()) {
    Refuse(message.uid, mail, mail.problem);
    return MessageOutcome::Refused;
  }
  const size_t arrivedBefore = m_exchange.Records().arrived.size();
  if (mail.subject == kKltSubject) {
    const MessageOutcome outcome = TakeKlt(message.uid, mail);
    if (outcome == MessageOutcome::TakenIn) KeepTaunt(mail, arrivedBefore, QString());
    return outcome;
  }
  if (mail.subject == kKltMessageSubject) {
    KeepTaunt(mail, arrivedBefore, GamesTextOf(mail.text));
    return MessageOutcome::TakenIn;
  }
  for (const ProgramPtr& p : m_programs) {
    const QString shortName = p->GetShortName();
    if (mail.subject == shortName + QStringLiteral(" file")) {
      const MessageOutcome outcome = TakeProgramFiles(message.uid, p, mail);
      if (outcome == MessageOutcome::TakenIn) KeepTaunt(mail, arrivedBefore, QString());
      return outcome;
    }
    if (mail.subject == shortName + QStringLiteral(" message")) {
      KeepTaunt(mail, arrivedBefore, GamesTextOf(mail.text));
      return MessageOutcome::TakenIn;
    }
  }
  return MessageOutcome::NotATurn;
}

MessageOutcome MailboxFetch::TakeKlt(quint32 uid, const TurnMail& mail) {
  const MailAttachment* klt = nullptr;
  for (const MailAttachment& a : mail.attachments) {
    if (PlainFileName(a.name).compare(QStringLiteral("KOLT.KLT"), Qt::CaseInsensitive) == 0) klt = &a;
  }
  if (!klt) {
    Refuse(uid, mail, QStringLiteral("it has no attachment KOLT.KLT."));
    return MessageOutcome::Refused;
  }
  const QString folder = MailFolder();
  QDir(folder).removeRecursively();
  const QString path = folder + QStringLiteral("/KOLT.KLT");
  if (!QDir().mkpath(folder)) {
    SetSystemError(errno);
    m_ui.ShowError(QStringLiteral("Can't create folder: ") + folder);
    return MessageOutcome::Declined;
  }
  {
    AtomicFileWriter writer(path);
    if (!writer.Open(Permissions::Exactly, 0600) || !writer.Write(klt->data) || !writer.Commit()) {
      SetSystemError(errno);
      m_ui.ShowError(QStringLiteral("Can't create file: ") + path);
      return MessageOutcome::Declined;
    }
  }
  NoteChanged(path);
  const ReceiveRecords before = m_exchange.Records();
  const bool taken = m_exchange.ReceivedFile(path);
  const ReceiveRecords& after = m_exchange.Records();
  QDir(folder).removeRecursively();
  NoteChanged(folder);
  if (!taken) return MessageOutcome::Declined;  // refused, declined or failed: told already
  if (after.failed != before.failed || after.declined != before.declined) return MessageOutcome::Declined;
  if (after.batches == before.batches ||
      after.filesCopied + after.filesInPlace == before.filesCopied + before.filesInPlace) {
    Refuse(uid, mail, QStringLiteral("its archive holds no files for an installed program."));
    return MessageOutcome::Refused;
  }
  return MessageOutcome::TakenIn;
}

MessageOutcome MailboxFetch::TakeProgramFiles(quint32 uid, const ProgramPtr& program, const TurnMail& mail) {
  // The sender is who the address check compares with the game's opponent; a message
  // without a usable one would pass as from anybody.
  if (mail.fromAddress.isEmpty() || AddressListProblem(mail.fromAddress)) {
    Refuse(uid, mail, QStringLiteral("its sender address is missing or not valid."));
    return MessageOutcome::Refused;
  }
  if (mail.attachments.isEmpty()) {
    Refuse(uid, mail, QStringLiteral("it has no attachments."));
    return MessageOutcome::Refused;
  }
  const QString folder = MailFolder() + QChar('/') + program->GetShortName();
  QDir(MailFolder()).removeRecursively();
  if (!QDir().mkpath(folder)) {
    SetSystemError(errno);
    m_ui.ShowError(QStringLiteral("Can't create folder: ") + folder);
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
      m_ui.ShowError(QStringLiteral("Can't create file: ") + path);
      QDir(MailFolder()).removeRecursively();
      return MessageOutcome::Declined;
    }
  }
  const ReceiveRecords before = m_exchange.Records();
  MessageOutcome outcome = MessageOutcome::TakenIn;
  {
    Pass pass;
    NoteFolderChanged(folder);
    m_ui.ShowStatus(QStringLiteral("Receiving ") + program->GetShortName() + QStringLiteral(" files..."));
    m_exchange.DecompressFolder(folder);
    program->ReceivedFiles(folder, mail.fromAddress.trimmed(), true);
    if (!pass.End()) {
      m_ui.ShowSettingsWriteError();
      outcome = MessageOutcome::Declined;
    }
  }
  const ReceiveRecords& after = m_exchange.Records();
  QDir(MailFolder()).removeRecursively();
  NoteChanged(MailFolder());
  if (outcome != MessageOutcome::TakenIn) return outcome;
  if (after.failed != before.failed || after.declined != before.declined) return MessageOutcome::Declined;
  if (after.batches == before.batches ||
      after.filesCopied + after.filesInPlace == before.filesCopied + before.filesInPlace) {
    Refuse(uid, mail,
           QStringLiteral("its attachments hold no files for ") + program->GetShortName() +
               QStringLiteral(" (see the messages before)."));
    return MessageOutcome::Refused;
  }
  return MessageOutcome::TakenIn;
}

void MailboxFetch::KeepTaunt(const TurnMail& mail, size_t arrivedBefore, const QString& gamesText) {
  const QString taunt = TauntOfText(mail.text).trimmed();
  if (taunt.isEmpty()) return;
  const LastMessage message{taunt, mail.fromAddress, QDateTime::currentDateTime().toString(Qt::ISODate)};
  const auto& arrived = m_exchange.Records().arrived;
  for (size_t i = arrivedBefore; i < arrived.size(); ++i)
    SetLastMessage(arrived[i].shortName, arrived[i].gameName, message);
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
          SetLastMessage(p->GetShortName(), game->GetName(), message);
          break;
        }
        at = gamesText.indexOf(entry, at + 1, Qt::CaseInsensitive);
      }
    }
  }
}

MailboxFetch::LastMessage MailboxFetch::LastMessageOf(const QString& shortName, const QString& gameName) {
  const QJsonObject all = ReadJson(HomeFile(QStringLiteral("received-messages")));
  const QJsonObject m = all.value((shortName + QChar('/') + gameName).toUpper()).toObject();
  return LastMessage{m.value(QStringLiteral("text")).toString(), m.value(QStringLiteral("from")).toString(),
                     m.value(QStringLiteral("when")).toString()};
}

bool MailboxFetch::SetLastMessage(const QString& shortName, const QString& gameName,
                                  const LastMessage& message) {
  const QString path = HomeFile(QStringLiteral("received-messages"));
  QJsonObject all = ReadJson(path);
  all.insert((shortName + QChar('/') + gameName).toUpper(),
             QJsonObject{{QStringLiteral("text"), message.text},
                         {QStringLiteral("from"), message.from},
                         {QStringLiteral("when"), message.when}});
  return WriteJson(path, all);
}

MailboxFetch::Result MailboxFetch::Run(const std::atomic<bool>* cancel) {
  Result r;
  QString problem;
  const Account account = ReadAccount(m_programs, &problem);
  if (!problem.isEmpty()) {
    r.error = problem;
    return r;
  }
  m_ui.ShowStatus(QStringLiteral("Checking the mailbox ") + account.settings.folder + QStringLiteral(" on ") +
                  account.imap.host + QStringLiteral("..."));
  const MailboxDownload d = Download(account, m_declined, cancel);
  if (!d.ok) {
    r.error = d.error;
    return r;
  }
  r.found = d.found;
  const std::vector<TakenMessage> taken = TakeIn(d.messages);
  for (const TakenMessage& t : taken) {
    if (t.outcome == MessageOutcome::TakenIn) ++r.takenIn;
    if (t.outcome == MessageOutcome::Declined) ++r.declined;
    if (t.outcome == MessageOutcome::Refused) ++r.refused;
  }
  for (quint32 uid : d.tooLarge) {
    m_ui.ShowError(QStringLiteral("The message with UID ") + QString::number(uid) +
                   QStringLiteral(" is larger than ") + QString::number(kMaxMessageBytes / (1024LL * 1024)) +
                   QStringLiteral(" MB and was not fetched. It stays unread in the mailbox."));
    ++r.refused;
  }
  QString error;
  r.ok = Finish(account, d.validity, taken, d.tooLarge, cancel, &error);
  r.error = error;
  return r;
}

QString MailboxFetch::ResultText(const Result& result) {
  if (!result.error.isEmpty() && result.takenIn == 0) return result.error.section(kCr, 0, 0);
  QString text = QStringLiteral("Mailbox checked: ");
  if (result.takenIn == 0 && result.declined == 0 && result.refused == 0)
    return text + QStringLiteral("no new turns");
  text += QString::number(result.takenIn) + QStringLiteral(" taken in");
  if (result.declined)
    text += QStringLiteral(", ") + QString::number(result.declined) + QStringLiteral(" left for later");
  if (result.refused)
    text += QStringLiteral(", ") + QString::number(result.refused) + QStringLiteral(" refused");
  return text;
}

}  // namespace kolt

// Sending: one address group becomes the KLT message, then one ZIP or plain message per
// program. The receiving half of the class is in TurnExchangeReceive.cpp.
#include "exchange/turns/TurnExchange.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "core/AppSettings.h"
#include "core/FileNames.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/history/TurnHistory.h"
#include "exchange/mail/MailTransport.h"
#include "exchange/turns/FileReplace.h"
#include "exchange/turns/SenderRecord.h"
#include "model/Wintools.h"

namespace kolt {
namespace {

const QString kKltName = QStringLiteral("KOLT.KLT");

bool PathExists(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool SameProgram(const Game& game, const Program& program) {
  const auto p = game.GetProgram();
  return p && p->GetShortName().compare(program.GetShortName(), Qt::CaseInsensitive) == 0;
}

// The player's own file (a link is followed) into `folder`, keeping its time: the other
// side compares it with its own copy.
bool CopyForSending(const QString& file, const QString& folder) {
  const QFileInfo info(file);
  const QString real = info.canonicalFilePath();
  const QString dest = folder + QChar('/') + info.fileName();
  const bool copied = !real.isEmpty() && ReplaceWithCopy(real, dest);
  NoteChanged(dest);
  return copied;
}

}  // namespace

TurnExchange::TurnExchange(UiPort& ui, Wintools& tools, ProgramList& programs, ArchiveWrapper& archive,
                           MailTransport& mail)
    : m_ui(ui),
      m_tools(tools),
      m_programs(programs),
      m_archive(archive),
      m_mail(mail),
      m_history(std::make_unique<HistoryStore>(HistoryStore::DefaultPath())) {
  // Without a home folder (some tests) there is nowhere to keep a history.
  if (!m_history->Path().isEmpty()) m_records.recorder = m_history.get();
}

TurnExchange::~TurnExchange() = default;

std::unique_ptr<ReceiveBatch> TurnExchange::NewBatch() {
  return std::make_unique<ReceiveEngine>(m_ui, m_tools, m_records);
}

bool TurnExchange::InstanceFolderReady() {
  const QString folder = App().instanceFolder;
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return true;
  // Without a folder of our own every path below would name something else.
  m_ui.ShowError(tr("Can't get folder: %1").arg(folder.isEmpty() ? tr("(no instance folder)") : folder));
  return false;
}

bool TurnExchange::RemoveFolder(const QString& path) {
  struct stat st {};
  if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return true;
  if (S_ISDIR(st.st_mode))
    QDir(path).removeRecursively();
  else
    QFile::remove(path);  // a link or file where our folder belongs
  NoteChanged(path);
  if (PathExists(path)) {
    SetSystemError(errno);
    m_ui.ShowError(tr("Can't delete folder: %1").arg(path));
    return false;
  }
  return true;
}

bool TurnExchange::RecreateFolder(const QString& path) {
  if (!RemoveFolder(path)) return false;
  const bool made = QDir().mkpath(path);
  NoteChanged(path);
  if (!made) {
    SetSystemError(errno);
    m_ui.ShowError(tr("Can't create folder: %1").arg(path));
    return false;
  }
  return true;
}

bool TurnExchange::SendGroup(const QString& address, const GameList& games, int first, int last, bool taunt,
                             bool messageOnly) {
  Pass pass;
  return SendGroupKlt(address, games, first, last, taunt, messageOnly) &&
         SendGroupZip(address, games, first, last, taunt, messageOnly) &&
         SendGroupPlain(address, games, first, last, taunt, messageOnly);
}

bool TurnExchange::RecordSent(const GameList& games, int first, int last,
                              const std::function<bool(const Game&)>& sentWith, const QString& address,
                              const QString& taunt) {
  // Each message's records go to disk before the next message leaves: a turn that was
  // mailed is never mailed again because its record waited in memory.
  Pass pass;
  // The history takes the message's turns in one transaction.
  std::vector<TurnEntry> sent;
  bool stamped = true;
  for (int i = first; i <= last; ++i) {
    Game& game = *games[static_cast<size_t>(i)];
    if (!sentWith(game)) continue;
    stamped = game.SetSent() && stamped;
    sent.push_back(turn_history::SentEntry(game, address, taunt));
  }
  const QString note = turn_history::RecordAll(m_records.recorder, sent);
  if (!note.isEmpty()) {
    m_sendHistoryNote = note;
    m_ui.ShowStatus(note);
  }
  if (stamped && FlushIniBatch()) return true;
  m_ui.ShowSettingsWriteError();
  return false;
}

bool TurnExchange::AskTaunt(const QString& address, const QString& gamesText, QString* taunt) {
  taunt->clear();
  const std::optional<QString> text = m_ui.AskTaunt(address, gamesText);
  if (!text) return false;
  *taunt = TauntForBody(*text);
  return true;
}

bool TurnExchange::TauntStep(const QString& address, const QString& gamesText, bool taunt, bool messageOnly,
                             QString* text, bool* showDialog) {
  text->clear();
  *showDialog = false;
  if (!taunt && !messageOnly) return true;
  if (messageOnly && MailMode().compare(QLatin1String(kMailModeDesktop), Qt::CaseInsensitive) == 0) {
    *showDialog = true;  // the user writes the message in the mail client's window
    return true;
  }
  return AskTaunt(address, gamesText, text);
}

QString TurnExchange::WriteSenderFile() {
  const QString own = GetOwnAddress().trimmed();
  if (own.isEmpty()) {
    m_ui.ShowError(tr("You have not defined your own e-mail address!"));
    return QString();
  }
  if (!InstanceFolderReady()) return QString();
  const QString path = App().instanceFolder + QChar('/') + QString::fromLatin1(kSenderFileName);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    SetSystemError(errno);
    m_ui.ShowError(tr("Can't create file: %1").arg(path));
    return QString();
  }
  const QByteArray bytes =
      SenderFileBytes(SenderRecord{own, App().timeZoneText, App().totalBias, App().version});
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  file.close();
  NoteChanged(path);
  if (!written || file.error() != QFileDevice::NoError) {
    SetSystemError(errno);
    m_ui.ShowError(tr("Error while writing: %1").arg(path));
    return QString();
  }
  return QString::fromLatin1(kSenderFileName);
}

bool TurnExchange::SendGroupKlt(const QString& address, const GameList& games, int first, int last,
                                bool taunt, bool messageOnly) {
  first = std::max(first, 0);
  last = std::min(last, static_cast<int>(games.size()) - 1);
  const QString instance = App().instanceFolder;
  int copied = 0;
  QStringList entries;
  QStringList patterns;
  for (int i = first; i <= last; ++i) {
    Game& game = *games[static_cast<size_t>(i)];
    if (ModeOf(game) != SendMode::Klt) continue;
    const QStringList files = game.GetFiles();
    const auto program = game.GetProgram();
    const QString shortName = program ? program->GetShortName() : QString();
    if (!messageOnly) {
      for (const QString& file : files) {
        if (copied == 0) {
          if (!InstanceFolderReady()) return false;
          for (const ProgramPtr& p : m_programs) {
            if (!RecreateFolder(instance + QChar('/') + p->GetShortName())) return false;
          }
        }
        const QString pattern = shortName + QStringLiteral("\\*");
        if (!patterns.contains(pattern)) patterns.append(pattern);
        const QString folder = instance + QChar('/') + shortName;
        if (!QFileInfo(folder).isDir() && !RecreateFolder(folder)) return false;
        if (!CopyForSending(file, folder)) {
          m_ui.ShowError(tr("Error while copying: %1").arg(file));
          return false;
        }
        ++copied;
      }
    }
    if (!files.isEmpty()) entries.append(GamesTextEntry(game, SendMode::Klt));
  }
  const QString gamesText = JoinGamesText(entries);

  QStringList attachments;
  if (!messageOnly) {
    if (copied == 0) return true;
    const QString archive = instance + QChar('/') + kKltName;
    if (!RemoveIfPresent(archive)) {
      SetSystemError(errno);
      m_ui.ShowError(tr("Can't delete file: %1").arg(archive));
      return false;
    }
    const QString sender = WriteSenderFile();
    if (sender.isEmpty()) return false;
    patterns.append(sender);
    m_archive.ZipInit();
    m_archive.SetZipFName(archive);
    m_archive.Show();
    const bool zipped = m_archive.Zip(archive, instance, patterns);
    NoteChanged(archive);
    if (!zipped) {
      m_ui.ShowError(m_archive.WithFailureText(tr("Compression failed")));
      m_archive.Hide();
      return false;
    }
    attachments.append(archive);
  }

  QString tauntText;
  bool showDialog = false;
  if (!TauntStep(address, gamesText, taunt, messageOnly, &tauntText, &showDialog)) {
    if (!messageOnly) m_archive.Hide();
    return false;
  }
  const bool sent =
      m_mail.SendMail(address, MessageSubject(SendMode::Klt, QString(), messageOnly),
                      MessageBody(SendMode::Klt, QString(), QString(), messageOnly, tauntText, gamesText),
                      attachments, false, showDialog);
  if (messageOnly) return sent;
  if (!sent) {
    m_archive.Hide();
    return false;
  }
  const bool recorded = RecordSent(
      games, first, last, [](const Game& game) { return ModeOf(game) == SendMode::Klt; }, address, tauntText);
  m_archive.Hide();
  return recorded;
}

bool TurnExchange::SendGroupZip(const QString& address, const GameList& games, int first, int last,
                                bool taunt, bool messageOnly) {
  return SendGroupByProgram(SendMode::Zip, address, games, first, last, taunt, messageOnly);
}

bool TurnExchange::SendGroupPlain(const QString& address, const GameList& games, int first, int last,
                                  bool taunt, bool messageOnly) {
  return SendGroupByProgram(SendMode::Plain, address, games, first, last, taunt, messageOnly);
}

bool TurnExchange::SendGroupByProgram(SendMode mode, const QString& address, const GameList& games, int first,
                                      int last, bool taunt, bool messageOnly) {
  first = std::max(first, 0);
  last = std::min(last, static_cast<int>(games.size()) - 1);
  const bool zip = mode == SendMode::Zip;
  const QString instance = App().instanceFolder;
  for (const ProgramPtr& program : m_programs) {
    const QString shortName = program->GetShortName();
    const QString folder = instance + QChar('/') + shortName;
    int fileCount = 0;
    bool prepared = false;
    QStringList entries;
    QStringList attachments;
    for (int i = first; i <= last; ++i) {
      Game& game = *games[static_cast<size_t>(i)];
      if (ModeOf(game) != mode || !SameProgram(game, *program)) continue;
      const QStringList files = game.GetFiles();
      fileCount += static_cast<int>(files.size());
      if (!messageOnly) {
        for (const QString& file : files) {
          if (!zip) {
            attachments.append(file);
            continue;
          }
          if (!prepared) {
            if (!InstanceFolderReady() || !RecreateFolder(folder)) return false;
            prepared = true;
          }
          if (!CopyForSending(file, folder)) {
            m_ui.ShowError(tr("Error while copying: %1").arg(file));
            return false;
          }
        }
      }
      if (!files.isEmpty()) entries.append(GamesTextEntry(game, mode));
    }
    if (fileCount == 0) continue;

    if (zip && !messageOnly) {
      const QString archive = instance + QChar('/') + shortName + QStringLiteral(".zip");
      if (!RemoveIfPresent(archive)) {
        SetSystemError(errno);
        m_ui.ShowError(tr("Can't delete file: %1").arg(archive));
        return false;
      }
      m_archive.ZipInit();
      m_archive.SetZipFName(archive);
      m_archive.Show();
      const bool zipped = m_archive.Zip(archive, folder, {QStringLiteral("*")});
      NoteChanged(archive);
      if (!zipped) {
        m_ui.ShowError(m_archive.WithFailureText(tr("Compression failed")));
        m_archive.Hide();
        return false;
      }
      attachments = {archive};
    }

    const QString gamesText = JoinGamesText(entries);
    QString tauntText;
    bool showDialog = false;
    const bool archiveShown = zip && !messageOnly;
    if (!TauntStep(address, gamesText, taunt, messageOnly, &tauntText, &showDialog)) {
      if (archiveShown) m_archive.Hide();
      return false;
    }
    if (!m_mail.SendMail(
            address, MessageSubject(mode, shortName, messageOnly),
            MessageBody(mode, shortName, program->GetEMailDir(), messageOnly, tauntText, gamesText),
            attachments, false, showDialog)) {
      if (archiveShown) m_archive.Hide();
      return false;
    }
    const bool recorded =
        messageOnly ||
        RecordSent(
            games, first, last,
            [&](const Game& game) { return ModeOf(game) == mode && SameProgram(game, *program); }, address,
            tauntText);
    if (archiveShown) m_archive.Hide();
    if (!recorded) return false;
  }
  return true;
}

}  // namespace kolt

// Receiving: a KLT archive opened by the user, and the files waiting in the working
// folder, handed to each program's ReceivedFiles and from there to the receive batch.
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <optional>

#include "core/AppSettings.h"
#include "core/AtomicFile.h"
#include "core/FileNames.h"
#include "core/Pass.h"
#include "core/RegularFile.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "exchange/archive/ArchiveCodes.h"
#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/mail/MailText.h"
#include "exchange/turns/FileReplace.h"
#include "exchange/turns/SenderRecord.h"
#include "exchange/turns/ToolUnpacker.h"
#include "exchange/turns/TurnExchange.h"

namespace kolt {
namespace {

const QChar kCr('\r');
const QString kProduct = QStringLiteral("KOLT");

// Why `path` cannot be read as a received archive: nullopt when it can; otherwise the
// text to show after "Can't get file", empty when the pending system error (set from
// the failing call itself) says it all. A folder, device or pipe is never opened for
// reading, so none of them can block the program.
std::optional<QString> ArchiveFileProblem(const QString& path, qint64 maxBytes) {
  const FileDescriptor file(
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  struct stat st {};
  if (!file.IsOpen() || ::fstat(file.Get(), &st) != 0) {
    SetSystemError(errno);
    return QString();
  }
  if (S_ISDIR(st.st_mode)) return TurnExchange::tr("It is a folder, not a file.");
  if (!S_ISREG(st.st_mode)) return TurnExchange::tr("It is not a regular file (a device, pipe or socket).");
  if (st.st_size > maxBytes) {
    return TurnExchange::tr("The file is too large: %1 bytes, a received archive may have at most %2.")
        .arg(QString::number(st.st_size), QString::number(maxBytes));
  }
  return std::nullopt;
}

// `message`, then a blank line and why.
QString WithReason(const QString& message, const QString& reason) {
  return reason.isEmpty() ? message : message + kCr + kCr + reason;
}

bool IsRealFolder(const QString& path) {
  struct stat st {};
  return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QString ExtensionOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  return dot < 0 ? QString() : name.mid(dot + 1).toUpper();
}

// Formats libarchive reads in-process (a lone .gz or .bz2 file is not one of them; the
// external tool takes it then).
bool IsLibarchiveFormat(const QString& ext) {
  static const QStringList list = {QStringLiteral("RAR"), QStringLiteral("7Z"),   QStringLiteral("LHA"),
                                   QStringLiteral("LZH"), QStringLiteral("CAB"),  QStringLiteral("TAR"),
                                   QStringLiteral("TGZ"), QStringLiteral("TBZ"),  QStringLiteral("TBZ2"),
                                   QStringLiteral("TXZ"), QStringLiteral("GZ"),   QStringLiteral("GZIP"),
                                   QStringLiteral("BZ2"), QStringLiteral("BZIP"), QStringLiteral("XZ")};
  return list.contains(ext);
}

// Formats only the external tool reads.
bool IsToolFormat(const QString& ext) {
  static const QStringList list = {QStringLiteral("SIT"), QStringLiteral("SITX"), QStringLiteral("ARC"),
                                   QStringLiteral("ARJ"), QStringLiteral("ACE")};
  return list.contains(ext);
}

QString WorkingFolderQuestion(const QString& folder) {
  return TurnExchange::tr(
             "Set the additional working folder to\r\r%1 ?\r\r"
             "If you receive game turn files which are not in .KLT or .ZIP format, then save them into "
             "correct subfolders under this folder, and %2 will process them automatically when it is "
             "started or when you click Refresh F5.\r\r"
             "Also if you receive files in .ZIP format, then extract them into correct subfolder under this "
             "folder.\r\r"
             "%2 will create the correct subfolders under this folder, one for each program.\r\r"
             "WARNING: The files in these subfolders will be moved (deleted) when KOLT starts!")
      .arg(folder, kProduct);
}

}  // namespace

QString TurnExchange::ReceiveFolder() {
  return App().instanceFolder + QStringLiteral("/received");
}

bool TurnExchange::DeleteTempDir(QString* senderPath) {
  if (!InstanceFolderReady()) return false;
  const QString instance = App().instanceFolder;
  for (const ProgramPtr& p : m_programs) {
    if (!RemoveFolder(instance + QChar('/') + p->GetShortName())) return false;
  }
  if (!RemoveFolder(ReceiveFolder())) return false;
  for (const QString& name : {QStringLiteral("KOLT.TST"), QString::fromLatin1(kSenderFileName)}) {
    const QString path = instance + QChar('/') + name;
    if (!RemoveIfPresent(path)) {
      SetSystemError(errno);
      m_ui.ShowError(tr("Can't delete: %1").arg(path));
      return false;
    }
  }
  if (senderPath) *senderPath = ReceiveFolder() + QChar('/') + QString::fromLatin1(kSenderFileName);
  return true;
}

void TurnExchange::ShowVersionNotice(const QString& sender, const QString& version) {
  const QString own = App().version;
  if (CompareVersions(version, own) <= 0) return;
  if (CompareVersions(version, InformedVersion()) <= 0) return;
  if (!SetInformedVersion(version)) m_ui.ShowSettingsWriteError();
  m_ui.MsgBox(
      tr("Your opponent %1 has a newer version of KOLT:\r\r%2\r\rYour version is: %3\r\r"
         "You won't see this message again until somebody has a version greater than what your opponent has.")
          .arg(sender, version, own),
      Buttons::Ok, Icon::Information);
}

bool TurnExchange::ReceivedFile(const QString& path) {
  if (const std::optional<QString> problem = ArchiveFileProblem(path, m_archive.Limits().maxBytes)) {
    m_ui.ShowError(WithReason(tr("Can't get file: %1").arg(path), *problem));
    return false;
  }
  // One pass for the whole archive: the game folders are listed once, and the records of
  // every program's batch reach the disk together.
  Pass pass;
  FinishInterruptedReceives();
  QString senderPath;
  if (!DeleteTempDir(&senderPath)) return false;
  const QString root = ReceiveFolder();
  const bool made = QDir().mkpath(root);
  const int error = errno;
  NoteChanged(root);
  if (!made) {
    SetSystemError(error);
    m_ui.ShowError(tr("Can't create folder: %1").arg(root));
    return false;
  }

  m_archive.UnzipInit();
  m_archive.SetZipFName(path);
  m_archive.SetExtractRoot(root);
  m_archive.Show();
  const bool unpacked = m_archive.Unzip();
  NoteFolderChanged(root);
  if (!unpacked) {
    m_ui.ShowError(m_archive.WithFailureText(tr("Decompress failed")));
    m_archive.Hide();
    return false;
  }

  SenderRecord sender;
  const QString senderFile = FindEntryNoCase(root, QString::fromLatin1(kSenderFileName));
  if (senderFile.isEmpty() || !ReadSenderFile(senderFile, &sender)) {
    if (m_ui.MsgBox(
            tr("Didn't receive %1. Do you want to continue?").arg(QString::fromLatin1(kSenderFileName)),
            Buttons::OkCancel, Icon::Question) != Answer::Ok) {
      m_archive.Hide();
      return false;
    }
    sender = SenderRecord{};
  }
  ShowVersionNotice(sender.address, sender.version);

  // The address comes from the other side and becomes the address the next turn is
  // mailed to: only a list of plain addresses is taken. Anything else is left out (the
  // turn is received as from an unnamed sender) and each batch lists it among the odd
  // files, so the user sees it before anything is copied.
  m_records.refusedSender.clear();
  if (!sender.address.isEmpty()) {
    if (const std::optional<QString> problem = AddressListProblem(sender.address)) {
      m_records.refusedSender = tr("The sender e-mail address in %1 is not valid and was not taken: %2")
                                    .arg(QString::fromLatin1(kSenderFileName), *problem);
      sender.address.clear();
    }
  }

  for (const ProgramPtr& p : m_programs) {
    const QString shortName = p->GetShortName();
    const QString folder = FindEntryNoCase(root, shortName);
    if (!IsRealFolder(folder)) continue;
    m_ui.ShowStatus(tr("Receiving %1 files...").arg(shortName));
    m_ui.DoEvents();
    p->ReceivedFiles(folder, sender.address, false);
  }
  m_records.refusedSender.clear();
  m_archive.Hide();
  if (!pass.End()) {
    m_ui.ShowSettingsWriteError();
    return false;
  }
  m_ui.ShowStatus(tr("Done!"));
  return true;
}

void TurnExchange::DecompressFolder(const QString& folder) {
  const QString tool = App().archiveTool;
  // Taken before anything is unpacked: what an archive brings is not unpacked again.
  const QStringList names = ListNoCase(folder, QStringLiteral("*"));
  for (const QString& name : names) {
    const QString path = folder + QChar('/') + name;
    const QString ext = ExtensionOf(name);
    bool done = false;
    QString failure;
    if (ext == QStringLiteral("ZIP") || IsLibarchiveFormat(ext)) {
      m_archive.UnzipInit();
      m_archive.SetZipFName(path);
      m_archive.SetExtractRoot(folder);
      m_archive.Show();
      done = m_archive.Unzip();
      m_archive.Hide();
      failure = m_archive.WithFailureText(tr("Decompress failed: %1").arg(path));
      const int code = m_archive.LastCode();
      if (!done && ext != QStringLiteral("ZIP") &&
          (code == UnzipCode::NotFound || code == UnzipCode::ArchiveError)) {
        // Not readable in-process (a lone .gz, an unusual RAR): the tool's turn, and
        // without the tool the file waits, as it would without an unpacker at all.
        if (tool.isEmpty()) continue;
        ToolUnpacker unpacker(m_ui, tool);
        done = unpacker.Unpack(path, folder);
        failure = tr("unar decompress failed: %1").arg(path);
        if (!done && !unpacker.Reason().isEmpty())
          failure += QStringLiteral(" (") + unpacker.Reason() + QChar(')');
      }
    } else if (IsToolFormat(ext)) {
      if (tool.isEmpty()) continue;  // left for the user, as without the tool on Windows
      ToolUnpacker unpacker(m_ui, tool);
      done = unpacker.Unpack(path, folder);
      failure = tr("unar decompress failed: %1").arg(path);
      if (!done && !unpacker.Reason().isEmpty())
        failure += QStringLiteral(" (") + unpacker.Reason() + QChar(')');
    } else if (ext == QStringLiteral("KLT")) {
      if (name.toUpper() != QStringLiteral("KOLT.KLT")) continue;
      // Reports its own failures. When a copy pass stopped, the archive is the only
      // complete copy of the turn left: it stays for the next refresh.
      const int failedBefore = m_records.failed;
      done = ReceivedFile(path) && m_records.failed == failedBefore;
    } else {
      continue;  // a file for the program's ReceivedFiles
    }
    NoteFolderChanged(folder);  // an archive unpacked here, or the tool's output
    if (done) {
      const bool removed = QFile::remove(path);
      const int error = errno;
      NoteChanged(path);
      if (!removed) {
        SetSystemError(error);
        m_ui.ShowError(tr("Can't delete decompressed file: %1").arg(path));
      }
    } else if (!failure.isEmpty() && ext != QStringLiteral("KLT")) {
      m_ui.ShowError(failure);
    }
  }
}

TurnExchange::Arrivals TurnExchange::TakeArrivals() {
  Arrivals arrivals{std::move(m_records.arrived), m_records.arrivedFrom, m_records.historyNote};
  m_records.historyNote.clear();
  m_records.arrived.clear();
  m_records.arrivedKeys.clear();
  m_records.arrivedFrom.clear();
  return arrivals;
}

QString TurnExchange::ArrivalText(const Arrivals& arrivals) {
  const size_t n = arrivals.games.size();
  if (n == 0) return QString();
  const int count = static_cast<int>(n);
  // A source for one game and one for more, each translated with all its plural forms:
  // the English text is right before any translation is loaded.
  QString text;
  if (arrivals.sender.isEmpty()) {
    text = count == 1 ? tr("Received %n game from the working folder", nullptr, count)
                      : tr("Received %n games from the working folder", nullptr, count);
  } else {
    text = (count == 1 ? tr("Received %n game from %1", nullptr, count)
                       : tr("Received %n games from %1", nullptr, count))
               .arg(arrivals.sender);
  }
  return arrivals.historyNote.isEmpty() ? text
                                        : text + QStringLiteral(" (") + arrivals.historyNote + QChar(')');
}

void TurnExchange::ProcessWorkingFolder() {
  const QString working = App().workingFolder;
  if (working.isEmpty()) return;
  m_ui.ShowStatus(tr("Processing the working folder %1").arg(working));
  m_ui.DoEvents();
  Pass pass;
  FinishInterruptedReceives();
  // A KLT archive saved at the top of the folder (where a browser or mail program puts an
  // attachment) is taken in as an opened one, and removed once it is.
  for (const QString& name : ListNoCase(working, QStringLiteral("*.klt"))) {
    const QString path = working + QChar('/') + name;
    if (!IsRegularFile(path)) continue;
    // When a copy pass stopped, the archive is the only complete copy of the turn left:
    // it stays for the next refresh.
    const int failedBefore = m_records.failed;
    if (!ReceivedFile(path) || m_records.failed != failedBefore) continue;
    const bool removed = QFile::remove(path);
    NoteChanged(path);
    if (!removed) {
      SetSystemError(errno);
      m_ui.ShowError(tr("Can't delete decompressed file: %1").arg(path));
    }
  }
  if (!DeleteTempDir()) return;
  for (const ProgramPtr& p : m_programs) {
    const QString shortName = p->GetShortName();
    const QString folder = FindEntryNoCase(working, shortName);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) continue;
    if (!QDir(folder).isReadable()) {
      m_ui.ShowError(tr("Can't get folder %1").arg(folder));
      return;
    }
    if (ListNoCase(folder, QStringLiteral("*")).isEmpty()) continue;
    m_ui.ShowStatus(tr("Receiving %1 files...").arg(shortName));
    DecompressFolder(folder);
    p->ReceivedFiles(folder, QString(), true);
  }
  if (!pass.End()) return m_ui.ShowSettingsWriteError();
  m_ui.ShowStatus(tr("Done!"));
}

void TurnExchange::SetWorkingFolderCommand() {
  QString folder = App().workingFolder;
  if (folder.isEmpty()) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) {
      m_ui.ShowError(tr("Can't get the Documents folder"));
      return;
    }
    folder = documents + QStringLiteral("/KOLT");
  }
  if (m_ui.MsgBox(WorkingFolderQuestion(folder), Buttons::OkCancel, Icon::Question) != Answer::Ok) {
    App().workingFolder.clear();
    if (!SetWorkingFolderSetting(QString())) m_ui.ShowSettingsWriteError();
    return;
  }
  auto fail = [&](const QString& path) {
    SetSystemError(errno);
    m_ui.ShowError(tr("Can't create folder %1").arg(path));
    App().workingFolder.clear();
  };
  if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) return fail(folder);
  for (const ProgramPtr& p : m_programs) {
    const QString existing = FindEntryNoCase(folder, p->GetShortName());
    if (!existing.isEmpty() && QFileInfo(existing).isDir()) continue;
    const QString sub = folder + QChar('/') + p->GetShortName();
    if (!QDir().mkpath(sub)) return fail(sub);
  }
  App().workingFolder = folder;
  if (!SetWorkingFolderSetting(folder)) m_ui.ShowSettingsWriteError();
}

}  // namespace kolt

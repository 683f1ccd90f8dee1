#include "exchange/turns/ToolUnpacker.h"
#include "core/TextCodec.h"

#include <sys/stat.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "core/UiPort.h"

namespace kolt {
namespace {

// A name below the target: relative, without ".." or empty parts ('\' counts as a
// separator, as Windows archives use it).
bool IsContainedName(const QString& name) {
  if (name.isEmpty() || name.startsWith(QChar('/')) || name.startsWith(QChar('\\'))) return false;
  if (name.size() > 1 && name[1] == QChar(':')) return false;  // C:...
  QString n = name;
  n.replace(QChar('\\'), QChar('/'));
  for (const QString& part : n.split(QChar('/'), Qt::SkipEmptyParts)) {
    if (part == QStringLiteral("..")) return false;
  }
  return true;
}

}  // namespace

ToolUnpacker::ToolUnpacker(UiPort& ui, QString tool) : m_ui(ui), m_tool(std::move(tool)) {}

bool ToolUnpacker::Fail(const QString& reason) {
  // Reasons quote entry names from the archive; the user sees them in a message box.
  m_reason = SafeForDisplay(reason);
  return false;
}

bool ToolUnpacker::Run(const QString& program, const QStringList& arguments, const QString& folder,
                       QByteArray* output, const QString& watchFolder) {
  // An argument vector, not a command line: archive names from other people cannot
  // become options or further arguments.
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  process.setWorkingDirectory(folder);
  process.setStandardInputFile(QProcess::nullDevice());
  process.setProcessChannelMode(output ? QProcess::SeparateChannels : QProcess::MergedChannels);
  process.start();
  if (!process.waitForStarted(-1)) return Fail(tr("cannot start %1").arg(program));
  QByteArray out;
  int rounds = 0;
  while (process.state() != QProcess::NotRunning && !process.waitForFinished(100)) {
    out += process.readAllStandardOutput();
    m_ui.DoEvents();
    // Headers can lie about sizes: stop an archive that fills the disk as it unpacks.
    if (!watchFolder.isEmpty() && ++rounds % 5 == 0 && FolderBytes(watchFolder) > kMaxBytes) {
      process.kill();
      process.waitForFinished(5000);
      return Fail(tr("the archive unpacks to more than 1 GB"));
    }
  }
  out += process.readAllStandardOutput();
  if (output) *output = out;
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return Fail(
        tr("%1 ended with code %2").arg(QFileInfo(program).fileName(), QString::number(process.exitCode())));
  return true;
}

qint64 ToolUnpacker::FolderBytes(const QString& folder) {
  qint64 total = 0;
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    it.next();
    struct stat st {};
    if (::lstat(QFile::encodeName(it.filePath()).constData(), &st) == 0) total += qint64(st.st_blocks) * 512;
  }
  return total;
}

bool ToolUnpacker::ListingIsSafe(const QString& archivePath) {
  const QString lister = QFileInfo(m_tool).absoluteDir().filePath(QStringLiteral("lsar"));
  if (!QFileInfo(lister).isExecutable()) return true;  // the unpacked files are checked anyway
  QByteArray json;
  if (!Run(lister, {QStringLiteral("-j"), QStringLiteral("--"), archivePath},
           QFileInfo(archivePath).absolutePath(), &json))
    return false;
  const QJsonObject root = QJsonDocument::fromJson(json).object();
  const QJsonArray entries = root.value(QStringLiteral("lsarContents")).toArray();
  if (entries.size() > kMaxEntries) return Fail(tr("the archive holds more than 10,000 entries"));
  qint64 declared = 0;
  for (const auto& v : entries) {
    const QJsonObject e = v.toObject();
    const QString name = e.value(QStringLiteral("XADFileName")).toString();
    declared += static_cast<qint64>(e.value(QStringLiteral("XADFileSize")).toDouble());
    if (declared > kMaxBytes) return Fail(tr("the archive unpacks to more than 1 GB"));
    if (!IsContainedName(name)) return Fail(tr("the entry \"%1\" leaves the folder").arg(name));
    for (const char* key : {"XADLinkDestination", "XADIsLink", "XADIsHardLink", "XADIsCharacterDevice",
                            "XADIsBlockDevice", "XADIsFIFO"}) {
      const QJsonValue flag = e.value(QString::fromLatin1(key));
      if (!flag.isUndefined() && !(flag.isDouble() && flag.toInt() == 0))
        return Fail(tr("the entry \"%1\" is not a plain file").arg(name));
    }
  }
  return true;
}

bool ToolUnpacker::Unpack(const QString& archivePath, const QString& targetFolder) {
  m_reason.clear();
  if (m_tool.isEmpty()) return Fail(tr("no unpacking tool"));
  if (!ListingIsSafe(archivePath)) return false;

  QTemporaryDir staging(QDir(targetFolder).filePath(QStringLiteral(".unpack-XXXXXX")));
  if (!staging.isValid()) return Fail(tr("cannot create a folder in %1").arg(targetFolder));
  if (!Run(m_tool,
           {QStringLiteral("-q"), QStringLiteral("-f"), QStringLiteral("-D"), QStringLiteral("-k"),
            QStringLiteral("skip"), QStringLiteral("-o"), staging.path(), QStringLiteral("--"), archivePath},
           targetFolder, nullptr, staging.path()))
    return false;

  // Check what really arrived before anything reaches the target.
  QStringList files;
  qint64 total = 0;
  QDirIterator it(staging.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return Fail(tr("cannot read %1").arg(path));
    if (S_ISDIR(st.st_mode)) continue;
    if (!S_ISREG(st.st_mode))
      return Fail(
          tr("the entry \"%1\" is not a plain file").arg(QDir(staging.path()).relativeFilePath(path)));
    total += st.st_size;
    if (total > kMaxBytes) return Fail(tr("the archive unpacks to more than 1 GB"));
    files.append(QDir(staging.path()).relativeFilePath(path));
  }
  for (const QString& relative : files) {
    const QString dest = QDir(targetFolder).filePath(relative);
    if (!QDir().mkpath(QFileInfo(dest).absolutePath())) return Fail(tr("cannot create %1").arg(dest));
    if (QFileInfo(dest).isDir()) return Fail(tr("%1 is a folder").arg(dest));
    if (::rename(QFile::encodeName(staging.filePath(relative)).constData(),
                 QFile::encodeName(dest).constData()) != 0)
      return Fail(tr("cannot move %1 into place").arg(relative));
  }
  return true;
}

}  // namespace kolt

#include "programs/BuiltinProgram.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/FileNames.h"
#include "core/Settings.h"
#include "core/TextCodec.h"
#include "core/Utilities.h"
#include "model/Game.h"
#include "model/ProgramRegistry.h"

namespace kolt {
namespace {

const QString kDirectory = QStringLiteral("Directory");
const QString kHidden = QStringLiteral("-");

}  // namespace

void BuiltinProgram::ReceivedFiles(const QString& folder, const QString& sender, bool plain) {
  UiPort& ui = m_services.ui;
  const QFileInfo info(folder);
  if (folder.isEmpty() || !info.isDir() || !QDir(folder).isReadable()) {
    ui.ShowError(QCoreApplication::translate("BuiltinProgram", "Can't get directory: %1").arg(folder));
    return;
  }
  if (!MayReceive()) return;
  std::unique_ptr<ReceiveBatch> batch = m_services.newBatch ? m_services.newBatch() : nullptr;
  if (!batch) return;

  const ProgramPtr self = Self();
  batch->BeginReceive(self);
  const QStringList names = ListNoCase(folder, QStringLiteral("*.*"));
  for (const QString& name : names) {
    ui.ShowStatus(SafeForDisplay(name));
    const std::optional<ReceivedFile> kind = ReceivedFileKind(name);
    if (!kind) {
      batch->AddMessage(QCoreApplication::translate("BuiltinProgram", "Unknown file type: %1").arg(name));
      continue;
    }
    QString stored, from;
    if (kind->primary) {
      const std::shared_ptr<Game> installed = NewGame();
      installed->Init(self, kind->subfolder, name);
      stored = StoredAddress(*installed);
      from = sender;
    }
    batch->AddReceivedFile(QDir(folder).filePath(name), ResolveNoCase(m_directory, kind->subfolder),
                           kind->sameIsOld, stored, from, kind->primary, kind->subfolder, kind->extra);
  }
  for (const QString& line : ReceivedWarnings(names)) batch->AddMessage(line);
  batch->FinishReceive(sender, NewGame(), plain);
}

QString BuiltinProgram::StoredAddress(const Game& installed) const {
  return installed.GetEMail();
}

bool DeleteGameFiles(UiPort& ui, const QString& folder, const std::vector<FolderEntry>& files) {
  for (const FolderEntry& file : files) {
    if (!(file.mode & (S_IWUSR | S_IWGRP | S_IWOTH))) {
      SetSystemError(EACCES);
      ui.ShowError(QCoreApplication::translate("BuiltinProgram", "Can't delete: %1")
                       .arg(QDir(folder).filePath(file.name)));
      return false;
    }
  }
  for (const FolderEntry& file : files) {
    if (!DeleteGameFile(ui, QDir(folder).filePath(file.name))) return false;
  }
  return true;
}

bool DeleteGameFile(UiPort& ui, const QString& path) {
  const bool removed = QFile::remove(path);
  NoteChanged(path);
  if (!removed) ui.ShowError(QCoreApplication::translate("BuiltinProgram", "Can't delete: %1").arg(path));
  return removed;
}

QString BuiltinProgram::ReadSetting(const QString& key) const {
  return IniRead(GetShortName(), key);
}

void BuiltinProgram::WriteSetting(const QString& key, const QString& value) const {
  // The installation is usable all the same; the user learns it will be looked for again.
  if (!IniWrite(GetShortName(), key, value)) m_services.ui.ShowSettingsWriteError();
}

QString ExecutableInFolder(Wintools& tools, const QString& folder, const QString& exeName) {
  QString base = folder;
  const bool drive = base.size() >= 3 && base[0].isLetter() && base[1] == QChar(':') &&
                     (base[2] == QChar('\\') || base[2] == QChar('/'));
  if (drive) {
    const QString mapped = tools.ToUnixPath(base);
    if (!mapped.isEmpty()) base = mapped;
  }
  while (base.size() > 1 && (base.endsWith(QChar('/')) || base.endsWith(QChar('\\')))) base.chop(1);
  return ResolveNoCase(base, exeName);
}

bool LeadsOutOf(const QString& installation, const QString& relative) {
  QString rel = relative;
  rel.replace(QChar('\\'), QChar('/'));
  if (rel.startsWith(QChar('/')) || (rel.size() >= 2 && rel[1] == QChar(':'))) return true;
  const QString canonicalBase = QFileInfo(installation).canonicalFilePath();
  const QString base = canonicalBase.isEmpty() ? QDir::cleanPath(installation) : canonicalBase;
  auto inside = [&base](const QString& path) {
    return path == base || path.startsWith(base == QStringLiteral("/") ? base : base + QChar('/'));
  };
  // Part by part, as the kernel walks it: an existing part is replaced by its real path
  // (a link followed), so ".." after a link climbs from where the link leads.
  QString current = base;
  for (const QString& part : rel.split(QChar('/'), Qt::SkipEmptyParts)) {
    if (part == QStringLiteral(".")) continue;
    if (part == QStringLiteral("..")) {
      current = QDir::cleanPath(current + QStringLiteral("/.."));
      continue;
    }
    QString next = FindEntryNoCase(current, part);
    if (next.isEmpty()) next = current + QChar('/') + part;
    const QFileInfo info(next);
    const QString real = info.canonicalFilePath();
    if (real.isEmpty() && info.isSymLink()) return true;  // a dangling link may point anywhere later
    current = real.isEmpty() ? QDir::cleanPath(next) : real;
  }
  return !inside(current);
}

QString BuiltinProgram::ExecutableIn(const QString& folder) const {
  const QString exe = GetExeName();
  // Without a name the folder itself, which CheckInstallation then refuses by name.
  if (exe.isEmpty()) return ExecutableInFolder(m_services.tools, folder, QString()) + QChar('/');
  return ExecutableInFolder(m_services.tools, folder, exe);
}

bool BuiltinProgram::Fail() {
  m_directory.clear();
  m_version.clear();
  m_exePath.clear();
  NotInstalled();
  return false;
}

bool BuiltinProgram::Installed(bool rescan) {
  if (!MayInstall()) return false;
  if (!rescan && !m_directory.isEmpty()) return true;

  QString candidate;
  if (!rescan) {
    const QString stored = ReadSetting(kDirectory);
    if (stored == kHidden) return false;
    if (!stored.isEmpty()) candidate = ExecutableIn(stored);
  }
  if (candidate.isEmpty()) {
    for (const QString& key : UninstallKeys()) {
      candidate = m_services.tools.UninstallLookup(GetExeName(), key);
      if (!candidate.isEmpty()) break;
    }
  }
  if (candidate.isEmpty()) {
    // A program that names no executable (a definition still being written) leaves
    // nothing to ask for: it is not installed, but not marked so either, and is looked at
    // again once it names one.
    if (GetExeName().isEmpty()) {
      m_directory.clear();
      m_version.clear();
      m_exePath.clear();
      return false;
    }
    const QString answer = AskInstallDirectory(m_services.ui, *this, ReadSetting(kDirectory));
    if (answer.isEmpty() || answer == kHidden) return Fail();
    candidate = ExecutableIn(answer);
  }

  const std::optional<Installation> found =
      CheckInstallation(m_services, GetShortName(), candidate, ExeNameAcceptable());
  if (!found) return Fail();
  m_directory = found->directory;
  m_exePath = found->exePath;
  m_version = found->version;
  return AfterInstalled(rescan);
}

std::optional<Installation> CheckInstallation(const Services& services, const QString& shortName,
                                              const QString& candidate, bool nameOk) {
  const QFileInfo exe(candidate);
  if (!nameOk || !exe.isFile()) {
    //: %1 is the program's short name (SPWAW), %2 the file looked for
    services.ui.ShowError(QCoreApplication::translate("BuiltinProgram", "%1 executable not found: %2")
                              .arg(shortName, candidate));
    return std::nullopt;
  }
  const QString folder = exe.absolutePath();
  if (!QFileInfo(folder).isDir() || !QDir(folder).isReadable()) {
    services.ui.ShowError(QCoreApplication::translate("BuiltinProgram", "Can't get folder: %1").arg(folder));
    return std::nullopt;
  }
  Installation found{folder, exe.absoluteFilePath(), services.tools.FileVersion(exe.absoluteFilePath())};
  if (found.directory != IniRead(shortName, kDirectory)) {
    // The installation is usable all the same; the user learns it will be looked for again.
    if (!IniWrite(shortName, kDirectory, found.directory)) services.ui.ShowSettingsWriteError();
  }
  return found;
}

void BuiltinProgram::NotInstalled() {
  if (GetShortName().isEmpty()) return;  // an unbound definition has no section
  WriteSetting(kDirectory, kHidden);
}

ProgramState BuiltinProgram::GetStatus() const {
  // The game keeps its executable open (mapped, under Wine) while it runs.
  if (m_exePath.isEmpty() || m_services.tools.CanOpenExclusive(m_exePath)) return ProgramState::NotRunning;
  return ProgramState::Running;
}

bool BuiltinProgram::Run(WindowHandle window) {
  (void)window;
  if (m_exePath.isEmpty()) return false;
  return m_services.tools.RunProgram(m_exePath, {.directory = m_directory});
}

}  // namespace kolt

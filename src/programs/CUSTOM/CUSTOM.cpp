#include "programs/CUSTOM/CUSTOM.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#include "core/FileNames.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/Utilities.h"
#include "model/ProgramRegistry.h"
#include "programs/BuiltinProgram.h"
#include "programs/CUSTOM/CUSTOM_Game.h"

namespace kolt {
namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kDirectory = QStringLiteral("Directory");
const QString kHidden = QStringLiteral("-");

// A definition names its file types by count; a mistyped count must not make every
// start-up read thousands of empty sections.
constexpr long long kMaxFileTypes = 256;

bool Flag(const QString& value) {
  return LeadingNumber(value) != 0;
}

// The extension after the last dot, in upper case; "" for a name without one.
QString UpperExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  return dot < 0 ? QString() : name.mid(dot + 1).toUpper();
}

// The executable is named without a folder; a definition may come from someone else, so
// a name that leads out of the installation folder is not taken.
bool IsPlainName(const QString& name) {
  return !name.isEmpty() && !name.contains(QChar('/')) && !name.contains(QChar('\\')) &&
         name != QStringLiteral(".") && name != QStringLiteral("..");
}

// Programs that run under Wine and so understand only Windows paths.
bool IsWindowsProgram(const QString& file) {
  return file.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive) ||
         file.endsWith(QStringLiteral(".com"), Qt::CaseInsensitive) ||
         file.endsWith(QStringLiteral(".bat"), Qt::CaseInsensitive);
}

}  // namespace

bool CUSTOM::SetINI(const QString& shortName) {
  m_shortName = shortName.toUpper();
  const QString home = App().homeFolder;
  const QString found = FindEntryNoCase(home, m_shortName + QStringLiteral(".INI"));
  m_iniPath = found.isEmpty() ? home + QChar('/') + m_shortName + QStringLiteral(".INI") : found;
  m_problem.clear();
  m_problemTold = false;
  m_longName = IniRead(kSettings, QStringLiteral("LongName"), QString(), m_iniPath);
  if (m_longName.isEmpty()) m_longName = m_shortName;
  // Read once per object, here rather than on the first Installed: the programs dialog
  // lists programs it never checks, with their executables and folders.
  ReadINI();
  return true;
}

void CUSTOM::ReadINI() {
  auto setting = [this](const char* key) {
    return IniRead(kSettings, QLatin1String(key), QString(), m_iniPath);
  };
  m_exe = setting("EXE");
  m_emailSubDir = setting("EMailSubDir");
  m_uninstall = setting("Uninstall");
  m_filePattern = setting("KOLTFilePattern");
  m_description = setting("Description");
  m_commandLine = setting("CommandLine");
  const long long count = std::clamp(LeadingInteger(setting("FileTypes")), 0LL, kMaxFileTypes);

  m_files.clear();
  m_modifiedExt.clear();
  for (long long i = 0; i < count; ++i) {
    const QString section = QStringLiteral("File") + QString::number(i);
    CUSTOM_File file;
    file.Ext = IniRead(section, QStringLiteral("Ext"), QString(), m_iniPath);
    file.Primary = Flag(IniRead(section, QStringLiteral("Primary"), QString(), m_iniPath));
    file.Modified = Flag(IniRead(section, QStringLiteral("Modified"), QString(), m_iniPath));
    file.CheckSame = Flag(IniRead(section, QStringLiteral("CheckSame"), QString(), m_iniPath));
    file.Required = Flag(IniRead(section, QStringLiteral("Required"), QString(), m_iniPath));
    if (file.Modified) m_modifiedExt = file.Ext;  // the last one wins
    m_files.push_back(file);
  }
}

QString CUSTOM::GetContact() const {
  return IniRead(kSettings, QStringLiteral("Contact"), QString(), m_iniPath);
}

QString CUSTOM::GetContactEMail() const {
  return IniRead(kSettings, QStringLiteral("ContactEMail"), QString(), m_iniPath);
}

QString CUSTOM::GameFolderOnDisk() const {
  if (m_directory.isEmpty()) return QString();
  return ResolveNoCase(m_directory, m_emailSubDir);
}

const CUSTOM_File* CUSTOM::FileTypeOf(const QString& fileName) const {
  const QString extension = UpperExtension(fileName);
  for (const CUSTOM_File& type : m_files) {
    if (type.Ext.toUpper() == extension) return &type;
  }
  return nullptr;
}

QString CUSTOM::ExecutableIn(const QString& folder) const {
  if (m_exe.isEmpty()) return ExecutableInFolder(m_services.tools, folder, QString()) + QChar('/');
  return ExecutableInFolder(m_services.tools, folder, m_exe);
}

bool CUSTOM::Fail() {
  m_directory.clear();
  m_version.clear();
  m_exePath.clear();
  NotInstalled();
  return false;
}

bool CUSTOM::Refuse(const QString& problem, const QString& message) {
  m_directory.clear();
  m_version.clear();
  m_exePath.clear();
  m_problem = problem;
  if (!m_problemTold) {
    m_problemTold = true;
    m_services.ui.MsgBox(message, Buttons::Ok, Icon::Exclamation);
  }
  return false;
}

bool CUSTOM::GameFolderEscapes() {
  if (!m_problem.isEmpty()) return true;
  if (m_directory.isEmpty() || !LeadsOutOf(m_directory, m_emailSubDir)) return false;
  // A definition may come from someone else: its game folder is where received files
  // are written, so it must not reach into other folders (autostart, the settings).
  Refuse(QStringLiteral("Not installed: EMailSubDir leads outside the installation folder"),
         m_longName + QStringLiteral(" is not used: its game folder (EMailSubDir=") +
             SafeForDisplay(m_emailSubDir) + QStringLiteral(") leads outside the installation folder ") +
             m_directory + QStringLiteral(".\rChange EMailSubDir in ") + m_iniPath +
             QStringLiteral(" to a folder inside the installation folder."));
  return true;
}

bool CUSTOM::Installed(bool rescan) {
  if (!m_problem.isEmpty()) return false;
  if (!rescan && !m_directory.isEmpty()) return true;
  if (m_shortName.isEmpty()) return false;
  if (IniFileTooLarge(m_iniPath)) {
    return Refuse(
        QStringLiteral("Not installed: the definition file is larger than 64 MB"),
        m_iniPath + QStringLiteral(" is not read: it is larger than 64 MB, which no definition is."));
  }

  QString candidate;
  if (!rescan) {
    const QString stored = IniRead(m_shortName, kDirectory);
    if (stored == kHidden) return false;
    if (!stored.isEmpty()) candidate = ExecutableIn(stored);
  }
  if (candidate.isEmpty()) {
    for (const QString& part : m_uninstall.split(QChar('|'))) {
      const QString name = part.trimmed();
      if (name.isEmpty()) continue;
      candidate = m_services.tools.UninstallLookup(m_exe, name);
      if (!candidate.isEmpty()) break;
    }
  }
  if (candidate.isEmpty()) {
    // A definition that names no executable leaves nothing to ask for: it is not
    // installed, but it is not marked so either, and is looked at again once the
    // definition names one.
    if (m_exe.isEmpty()) {
      m_directory.clear();
      m_version.clear();
      m_exePath.clear();
      return false;
    }
    const QString answer = AskInstallDirectory(m_services.ui, *this, IniRead(m_shortName, kDirectory));
    if (answer.isEmpty() || answer == kHidden) return Fail();
    candidate = ExecutableIn(answer);
  }

  const std::optional<Installation> found =
      CheckInstallation(m_services, m_shortName, candidate, IsPlainName(m_exe));
  if (!found) return Fail();
  m_directory = found->directory;
  m_exePath = found->exePath;
  m_version = found->version;
  if (GameFolderEscapes()) return false;
  return !m_directory.isEmpty();
}

void CUSTOM::NotInstalled() {
  if (m_shortName.isEmpty()) return;
  if (!IniWrite(m_shortName, kDirectory, kHidden)) m_services.ui.ShowSettingsWriteError();
}

ProgramState CUSTOM::GetStatus() const {
  if (m_exePath.isEmpty() || m_services.tools.CanOpenExclusive(m_exePath)) return ProgramState::NotRunning;
  return ProgramState::Running;
}

bool CUSTOM::Run(WindowHandle window) {
  (void)window;
  if (m_exePath.isEmpty()) return false;
  return m_services.tools.RunProgram(m_exePath, {.directory = m_directory});
}

GameList CUSTOM::InitGames() {
  GameList games;
  bool found = false;
  const QString folder =
      m_directory.isEmpty() ? QString() : ResolveNoCase(m_directory, m_emailSubDir, &found);
  if (found && !GameFolderEscapes()) {
    const ProgramPtr self = Self();
    const QString pattern = m_filePattern.isEmpty() ? QStringLiteral("*.*") : m_filePattern;
    for (const QString& name : ListNoCase(folder, pattern)) {
      if (name.startsWith(QChar('.'))) continue;  // hidden files are not games
      auto game = std::make_shared<CUSTOM_Game>(m_services.ui);
      game->Init(self, m_emailSubDir, name);
      if (game->IsValid()) games.push_back(game);
    }
  }
  m_games.Keep(games);
  return games;
}

QStringList CUSTOM::MissingRequiredFiles(const QStringList& received) const {
  QSet<QString> names;
  for (const QString& name : received) names.insert(name.toUpper());
  QStringList missing;
  for (const QString& name : received) {
    const CUSTOM_File* type = FileTypeOf(name);
    if (!type || !type->Primary) continue;
    const qsizetype dot = name.lastIndexOf(QChar('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    for (const CUSTOM_File& other : m_files) {
      if (!other.Required || other.Primary) continue;
      const QString expected = other.Ext.isEmpty() ? base : base + QChar('.') + other.Ext;
      if (!names.contains(expected.toUpper()) && !missing.contains(expected)) missing.append(expected);
    }
  }
  return missing;
}

void CUSTOM::ReceivedFiles(const QString& folder, const QString& sender, bool plain) {
  UiPort& ui = m_services.ui;
  const QFileInfo info(folder);
  if (folder.isEmpty() || !info.isDir() || !QDir(folder).isReadable()) {
    ui.ShowError(QStringLiteral("Can't get directory: ") + folder);
    return;
  }
  // Checked again before anything is written: a link may have appeared since start-up.
  if (GameFolderEscapes()) return;
  std::unique_ptr<ReceiveBatch> batch = m_services.newBatch ? m_services.newBatch() : nullptr;
  if (!batch) return;

  const ProgramPtr self = Self();
  const QString target = GameFolderOnDisk();
  batch->BeginReceive(self);
  const QStringList names = ListNoCase(folder, QStringLiteral("*.*"));
  for (const QString& name : names) {
    ui.ShowStatus(SafeForDisplay(name));
    const QString file = QDir(folder).filePath(name);
    const CUSTOM_File* type = FileTypeOf(name);
    if (!type) {
      batch->AddMessage(QStringLiteral("Unknown file type: ") + name);
    } else if (type->Primary) {
      // Bound to the installed copy, if any: only its record key (the address) matters.
      CUSTOM_Game installed(ui);
      installed.Init(self, m_emailSubDir, name);
      batch->AddReceivedFile(file, target, type->CheckSame, installed.GetEMail(), sender, true, m_emailSubDir,
                             QString());
    } else {
      // Only a primary file names a game; the others are copied beside it.
      batch->AddReceivedFile(file, target, type->CheckSame, QString(), QString(), false, QString(),
                             QString());
    }
  }
  for (const QString& missing : MissingRequiredFiles(names))
    batch->AddMessage(QStringLiteral("Required file missing: ") + missing);
  batch->FinishReceive(sender, std::make_shared<CUSTOM_Game>(ui), plain);
}

QStringList CUSTOM::ArgumentsFor(const QString& gamePath, const QString& password) const {
  const QString& line = m_commandLine;
  QStringList arguments;
  QString current;
  bool present = false;  // an argument has begun (text, quotes or a placeholder)
  bool quoted = false;
  // One scan over the definition's own text: blanks and quotes are read only there, and
  // what "%f" and "%p" put in is never looked at again, so a file name or password with
  // blanks, quotes or dashes stays inside the one argument it was put into.
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (c == QChar('%') && i + 1 < line.size() && (line[i + 1] == QChar('f') || line[i + 1] == QChar('p'))) {
      current += line[i + 1] == QChar('f') ? gamePath : password;
      present = true;
      ++i;
    } else if (c == QChar('"')) {
      // Inside quotes a doubled quote stands for one, as on a Windows command line.
      if (quoted && i + 1 < line.size() && line[i + 1] == QChar('"')) {
        current += QChar('"');
        ++i;
      } else {
        quoted = !quoted;
      }
      present = true;
    } else if (!quoted && (c == QChar(' ') || c == QChar('\t'))) {
      if (present) arguments.append(current);
      current.clear();
      present = false;
    } else {
      current += c;
      present = true;
    }
  }
  if (present) arguments.append(current);
  return arguments;
}

bool CUSTOM::ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) {
  (void)mainWindow;
  if (m_exePath.isEmpty()) return false;
  const auto* own = dynamic_cast<const CUSTOM_Game*>(&game);
  const QString folder = own && !own->GetFolder().isEmpty() ? own->GetFolder() : GameFolderOnDisk();
  // Absolute, so a received name that begins with "-" is never taken for an option.
  QString path = QFileInfo(QDir(folder).filePath(game.GetName())).absoluteFilePath();
  if (IsWindowsProgram(m_exePath)) {
    const QString windows = m_services.tools.ToWindowsPath(path);
    if (!windows.isEmpty()) path = windows;
  }
  return m_services.tools.RunProgram(m_exePath,
                                     {.arguments = ArgumentsFor(path, password), .directory = m_directory});
}

}  // namespace kolt

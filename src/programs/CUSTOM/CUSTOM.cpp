#include "programs/CUSTOM/CUSTOM.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#include "core/FileNames.h"
#include "core/FolderSnapshot.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "core/Utilities.h"
#include "model/ProgramRegistry.h"
#include "programs/BuiltinProgram.h"
#include "programs/CUSTOM/CUSTOM_Game.h"

namespace kolt {
namespace {

// Programs that run under Wine and so understand only Windows paths.
bool IsWindowsProgram(const QString& file) {
  return file.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive) ||
         file.endsWith(QStringLiteral(".com"), Qt::CaseInsensitive) ||
         file.endsWith(QStringLiteral(".bat"), Qt::CaseInsensitive);
}

}  // namespace

bool CUSTOM::SetINI(const QString& shortName) {
  m_shortName = shortName.toUpper();
  m_iniPath = ProgramDefinition::PathFor(m_shortName);
  m_problem.clear();
  m_problemTold = false;
  // Read once per object, here rather than on the first Installed: the programs dialog
  // lists programs it never checks, with their executables and folders.
  ReadINI();
  return true;
}

void CUSTOM::ReadINI() {
  m_definition = ProgramDefinition::Read(m_iniPath);
  m_longName = m_definition.LongName.isEmpty() ? m_shortName : m_definition.LongName;
  m_modifiedExt = m_definition.ModifiedExt();
}

QString CUSTOM::GameFolderOnDisk() const {
  if (m_directory.isEmpty()) return QString();
  return ResolveNoCase(m_directory, m_definition.EMailSubDir);
}

const CUSTOM_File* CUSTOM::FileTypeOf(const QString& fileName) const {
  return m_definition.FileTypeOf(fileName);
}

bool CUSTOM::StaysInside(const QString& subfolder) const {
  const FolderSnapshot* pass = CurrentSnapshot();
  if (!pass) return !LeadsOutOf(m_directory, subfolder);
  if (m_inside.serial != pass->Serial() || m_inside.changes != pass->Changes() ||
      m_inside.directory != m_directory)
    m_inside = Inside{pass->Serial(), pass->Changes(), m_directory, {}};
  auto it = m_inside.folders.constFind(subfolder);
  if (it == m_inside.folders.constEnd())
    it = m_inside.folders.insert(subfolder, !LeadsOutOf(m_directory, subfolder));
  return it.value();
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
  if (!m_definition.GameFolderLeavesInstallation(m_directory)) return false;
  // A definition may come from someone else: its game folder is where received files
  // are written, so it must not reach into other folders (autostart, the settings).
  Refuse(
      QCoreApplication::translate("CUSTOM",
                                  "Not installed: EMailSubDir leads outside the installation folder"),
      //: %1 is the program, %2 its game folder, %3 its installation folder, %4 its definition file
      QCoreApplication::translate("CUSTOM",
                                  "%1 is not used: its game folder (EMailSubDir=%2) leads outside the "
                                  "installation folder %3.\rChange EMailSubDir in %4 to a folder inside the "
                                  "installation folder.")
          .arg(m_longName, SafeForDisplay(m_definition.EMailSubDir), m_directory, m_iniPath));
  return true;
}

bool CUSTOM::MayInstall() {
  if (!m_problem.isEmpty() || m_shortName.isEmpty()) return false;
  if (ProgramDefinition::TooLarge(m_iniPath)) {
    return Refuse(
        QCoreApplication::translate("CUSTOM", "Not installed: the definition file is larger than 64 MB"),
        QCoreApplication::translate("CUSTOM",
                                    "%1 is not read: it is larger than 64 MB, which no definition is.")
            .arg(m_iniPath));
  }
  return true;
}

bool CUSTOM::AfterInstalled(bool rescan) {
  (void)rescan;
  return !GameFolderEscapes() && !m_directory.isEmpty();
}

GameList CUSTOM::InitGames() {
  GameList games;
  bool found = false;
  const QString folder =
      m_directory.isEmpty() ? QString() : ResolveNoCase(m_directory, m_definition.EMailSubDir, &found);
  if (found && !GameFolderEscapes()) {
    const ProgramPtr self = Self();
    const QString pattern =
        m_definition.KOLTFilePattern.isEmpty() ? QStringLiteral("*.*") : m_definition.KOLTFilePattern;
    for (const QString& name : ListNoCase(folder, pattern)) {
      if (name.startsWith(QChar('.'))) continue;  // hidden files are not games
      auto game = std::make_shared<CUSTOM_Game>(m_services.ui);
      game->Init(self, m_definition.EMailSubDir, name);
      if (game->IsValid()) games.push_back(game);
    }
  }
  m_games.Keep(games);
  return games;
}

QStringList CUSTOM::ReceivedWarnings(const QStringList& names) const {
  QSet<QString> received;
  for (const QString& name : names) received.insert(name.toUpper());
  QStringList missing;
  for (const QString& name : names) {
    const CUSTOM_File* type = FileTypeOf(name);
    if (!type || !type->Primary) continue;
    const qsizetype dot = name.lastIndexOf(QChar('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    for (const CUSTOM_File& other : m_definition.Files) {
      if (!other.Required || other.Primary) continue;
      const QString expected = other.Ext.isEmpty() ? base : base + QChar('.') + other.Ext;
      const QString line = QCoreApplication::translate("CUSTOM", "Required file missing: %1").arg(expected);
      if (!received.contains(expected.toUpper()) && !missing.contains(line)) missing.append(line);
    }
  }
  return missing;
}

std::optional<BuiltinProgram::ReceivedFile> CUSTOM::ReceivedFileKind(const QString& name) const {
  const CUSTOM_File* type = FileTypeOf(name);
  if (!type) return std::nullopt;
  // Only a primary file names a game; the others are copied beside it.
  return ReceivedFile{m_definition.EMailSubDir, type->CheckSame, type->Primary, {}};
}

std::shared_ptr<Game> CUSTOM::NewGame() const {
  return std::make_shared<CUSTOM_Game>(m_services.ui);
}

QStringList CUSTOM::ArgumentsFor(const QString& gamePath, const QString& password) const {
  const QString& line = m_definition.CommandLine;
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

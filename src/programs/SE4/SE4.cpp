#include "programs/SE4/SE4.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <vector>

#include "core/FileNames.h"
#include "core/TextCodec.h"
#include "core/Utilities.h"
#include "model/Status.h"
#include "programs/SE4/SE4_Game.h"

namespace kolt {
namespace {

const QString kSaveGame = QStringLiteral("SAVEGAME");
// The first executable that can be started on a game with its password.
const QString kPasswordsSince = QStringLiteral("2001-04-11");
// A path.txt names a few folders; anything longer is not the game's.
constexpr qint64 kPathTxtReadMax = qint64{64} * 1024;
// A player file "<game>_NNNN.plr" belongs to "<game>.gam".
constexpr qsizetype kPlayerFileSuffix = 9;

QString ExtensionOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  return dot < 0 ? QString() : name.mid(dot + 1).toUpper();
}

}  // namespace

QString SE4::ModFolderOf(const QByteArray& pathTxt) {
  // The game writes CR LF; a file edited on Linux may have bare LF.
  for (QString line : DecodeText(pathTxt).split(QChar('\n'))) {
    if (line.endsWith(QChar('\r'))) line.chop(1);
    const qsizetype assign = line.indexOf(QStringLiteral(":="));
    if (assign < 0 || !line.startsWith(QStringLiteral("Using Mod Directory"))) continue;
    const QString value = line.mid(assign + 2).trimmed();
    if (value == QStringLiteral("None")) return QString();
    QString folder = value;
    folder.replace(QChar('\\'), QChar('/'));
    while (folder.endsWith(QChar('/'))) folder.chop(1);
    return folder;
  }
  return QString();
}

QString SE4::GetEMailDir() const {
  QString folder = m_saveFolder;
  return folder.replace(QChar('/'), QChar('\\'));
}

bool SE4::AfterInstalled(bool rescan) {
  (void)rescan;
  const std::optional<FolderEntry> exe = FileEntryAt(m_exePath);
  m_exeStamp = exe ? StampOf(*exe) : QString();
  m_saveFolder = kSaveGame;

  const std::optional<FolderEntry> pathTxt = EntryNoCase(m_directory, QStringLiteral("path.txt"));
  if (!pathTxt || !pathTxt->IsFile()) return true;
  const std::optional<QByteArray> bytes =
      ReadListedFile(QDir(m_directory).filePath(pathTxt->name), *pathTxt, kPathTxtReadMax);
  if (!bytes) return true;
  const QString mod = ModFolderOf(*bytes);
  if (mod.isEmpty()) return true;
  bool found = false;
  const QString modPath = ResolveNoCase(m_directory, mod, &found);
  const std::optional<FolderEntry> modEntry = found ? FileEntryAt(modPath) : std::nullopt;
  if (modEntry && modEntry->IsFolder()) m_saveFolder = mod + QChar('/') + kSaveGame;
  return true;
}

bool SE4::SupportsPasswords() const {
  return !(m_exeStamp < kPasswordsSince);
}

GameList SE4::InitGames() {
  m_games.Clear();
  if (m_directory.isEmpty()) return {};
  bool found = false;
  const QString folder = ResolveNoCase(m_directory, m_saveFolder, &found);
  if (!found) return {};

  // A turn-based series is one game under its newest save file; the series are found
  // through a map by file base, so that a long history stays one pass over the folder.
  const ProgramPtr self = Self();
  std::vector<std::shared_ptr<SE4_Game>> games;
  std::vector<QString> stamps;  // of the turn-based ones, by index in games
  std::vector<bool> dropped;
  QHash<QString, size_t> series;  // file base (exact spelling) -> index in games
  for (const QString& name : ListNoCase(folder, QStringLiteral("*.GAM"))) {
    if (name.left(7).toUpper() == QStringLiteral("AUTOSAV")) continue;  // the game's own saves
    auto game = std::make_shared<SE4_Game>(m_services.ui);
    game->Init(self, m_saveFolder, name);
    if (!game->IsValid()) continue;
    const QString stamp = game->IsTurnBased() ? game->GetModifiedStamp() : QString();
    if (game->IsTurnBased()) {
      auto earlier = series.find(game->GetFileBase());
      if (earlier != series.end()) {
        // Stamps are fixed-width text; with equal times the later listed file wins.
        if (stamps[*earlier] > stamp) continue;
        dropped[*earlier] = true;
        *earlier = games.size();
      } else {
        series.insert(game->GetFileBase(), games.size());
      }
    }
    games.push_back(game);
    stamps.push_back(stamp);
    dropped.push_back(false);
  }
  GameList kept;
  for (size_t i = 0; i < games.size(); ++i) {
    if (!dropped[i]) kept.push_back(games[i]);
  }
  m_games.Keep(kept);
  return kept;
}

std::optional<BuiltinProgram::ReceivedFile> SE4::ReceivedFileKind(const QString& name) const {
  const QString extension = ExtensionOf(name);
  if (extension == QStringLiteral("GAM")) return ReceivedFile{m_saveFolder, true, true, {}};
  if (extension == QStringLiteral("PLR")) {
    // A name too short to hold a game's name names no game.
    const QString game = name.size() > kPlayerFileSuffix
                             ? name.left(name.size() - kPlayerFileSuffix) + QStringLiteral(".gam")
                             : QString();
    return ReceivedFile{m_saveFolder, true, false, game};
  }
  if (extension == QStringLiteral("CMB") || extension == QStringLiteral("TRN"))
    return ReceivedFile{m_saveFolder, true, false, {}};
  if (extension == QStringLiteral("TXT") || extension == QStringLiteral("SUB"))
    return ReceivedFile{m_saveFolder, false, false, {}};
  return std::nullopt;
}

std::shared_ptr<Game> SE4::NewGame() const {
  return std::make_shared<SE4_Game>(m_services.ui);
}

QString SE4::StoredAddress(const Game& installed) const {
  // Only a valid installed game has an address to check the sender against.
  return installed.IsValid() ? installed.GetEMail() : QString();
}

bool SE4::TakesExtraArguments() const {
  return LeadingNumber(m_version) >= 1.41;
}

QString SE4::SaveFileArgument(const SE4_Game& game) {
  // The save file itself: a turn-based game's name is the pattern of its series.
  const QString path = QDir(ResolveNoCase(m_directory, m_saveFolder)).filePath(game.GetSaveFileName());
  return m_services.tools.ToWindowsPath(path);
}

QString SE4::QuoteArguments(const QStringList& arguments) {
  QStringList quoted;
  for (QString argument : arguments) {
    argument.replace(QChar('"'), QStringLiteral("\"\""));
    quoted.append(QChar('"') + argument + QChar('"'));
  }
  return quoted.join(QChar(' '));
}

QStringList SE4::TurnArguments(const SE4_Game& game, const QString& password) {
  QStringList arguments{SaveFileArgument(game), password, QString::number(game.GetPlayerNumber())};
  if (TakesExtraArguments()) arguments.append(QStringLiteral(" "));
  return arguments;
}

QStringList SE4::HostArguments(const SE4_Game& game) {
  QStringList arguments{SaveFileArgument(game), game.GetHostPassword()};
  if (TakesExtraArguments()) arguments << QStringLiteral("0") << QStringLiteral(" ");
  return arguments;
}

bool SE4::ProcessTurn(WindowHandle mainWindow, Game& game, const QString& password) {
  (void)mainWindow;
  const auto* se4 = dynamic_cast<const SE4_Game*>(&game);
  if (!se4 || m_exePath.isEmpty()) return false;
  return m_services.tools.RunProgram(
      m_exePath, {.parameters = QuoteArguments(TurnArguments(*se4, password)), .directory = m_directory});
}

bool SE4::Host(WindowHandle window, Game& game) {
  (void)window;
  const auto* se4 = dynamic_cast<const SE4_Game*>(&game);
  if (!se4 || m_exePath.isEmpty()) return false;
  UiPort& ui = m_services.ui;
  Wintools& tools = m_services.tools;
  // Shown while the game processes the turn, which may take minutes; the wait serves the
  // window meanwhile.
  ui.ShowStatus(QCoreApplication::translate("SE4", "Hosting..."));
  const bool started = tools.RunProgram(
      m_exePath, {.parameters = QuoteArguments(HostArguments(*se4)), .directory = m_directory, .wait = true});
  if (!started) {
    ui.ShowStatus(QString());
    return false;
  }
  CheckExitCode(tools.LastExitCode());
  ui.Beep();
  return true;
}

bool SE4::CheckExitCode(int exitCode) {
  if (exitCode < 0) return false;  // no exit code to read (the game crashed)
  if (exitCode == 0) return true;
  QString text;
  if (exitCode == 1) {
    text = QCoreApplication::translate("SE4", "Invalid Master Password.");
  } else if (exitCode == 2) {
    text = QCoreApplication::translate("SE4", "Invalid Player Password.");
  } else {
    //: the game's exit code
    text = QCoreApplication::translate("SE4", "Return code %1").arg(exitCode);
  }
  m_services.ui.MsgBox(text, Buttons::Ok, Icon::Exclamation, GetLongName());
  return false;
}

}  // namespace kolt

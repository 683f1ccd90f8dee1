#include "programs/SPWAW/SPWAW.h"
#include "core/TextCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/FileNames.h"
#include "core/Utilities.h"
#include "programs/SPWAW/SPWAW_Game.h"

namespace kolt {
namespace {

const QString kEmail = QStringLiteral("EMAIL");
const QString kSave = QStringLiteral("SAVE");

}  // namespace

QString SPWAW::GetEMailDir() const {
  return m_useSave ? kEmail + QStringLiteral(" or ") + kSave : kEmail;
}

QString SPWAW::SubFolderOf(const QString& fileName) {
  return WildcardMatch(QStringLiteral("EMAIL*"), fileName) ? kEmail : kSave;
}

bool SPWAW::AfterInstalled(bool rescan) {
  m_useSave = false;
  if (!rescan) {
    const QString stored = ReadSetting(kSave);
    if (!stored.isEmpty()) {
      m_useSave = LeadingNumber(stored) != 0;
      return !m_directory.isEmpty();
    }
  }
  const Answer answer = m_services.ui.MsgBox(
      QCoreApplication::translate("SPWAW", "Do you want to use the SAVE directory as well?"),
      Buttons::OkCancel, Icon::None, GetLongName(), 1);
  m_useSave = answer == Answer::Ok;
  WriteSetting(kSave, m_useSave ? QStringLiteral("1") : QStringLiteral("0"));
  return !m_directory.isEmpty();
}

void SPWAW::ScanGames(const QString& subfolder, const QString& pattern, GameList& games) {
  bool found = false;
  const QString folder = ResolveNoCase(m_directory, subfolder, &found);
  if (!found) return;
  const ProgramPtr self = Self();
  for (const QString& name : ListNoCase(folder, pattern)) {
    auto game = std::make_shared<SPWAW_Game>(m_services.ui);
    game->Init(self, subfolder, name);
    if (game->IsValid()) games.push_back(game);
  }
}

GameList SPWAW::InitGames() {
  GameList games;
  if (!m_directory.isEmpty()) {
    ScanGames(kEmail, QStringLiteral("email*.cmt"), games);
    if (m_useSave) ScanGames(kSave, QStringLiteral("save*.cmt"), games);
  }
  m_games.Keep(games);
  return games;
}

std::optional<BuiltinProgram::ReceivedFile> SPWAW::ReceivedFileKind(const QString& name) const {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  const QString extension = dot < 0 ? QString() : name.mid(dot + 1).toUpper();
  if (extension == QStringLiteral("CMT")) return ReceivedFile{SubFolderOf(name), false, true, {}};
  if (extension == QStringLiteral("DAT") || extension == QStringLiteral("AUX") ||
      extension == QStringLiteral("REC"))
    return ReceivedFile{SubFolderOf(name), true, false, {}};
  return std::nullopt;
}

std::shared_ptr<Game> SPWAW::NewGame() const {
  return std::make_shared<SPWAW_Game>(m_services.ui);
}

}  // namespace kolt

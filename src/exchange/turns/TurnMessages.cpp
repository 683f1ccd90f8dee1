#include "exchange/turns/TurnMessages.h"

#include "model/Status.h"

namespace kolt {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kProduct = QStringLiteral("KOLT");

}  // namespace

SendMode ModeOf(const Game& game) {
  const QString m = game.GetMode().trimmed();
  if (m.compare(mode::Zip, Qt::CaseInsensitive) == 0) return SendMode::Zip;
  if (m == mode::Plain) return SendMode::Plain;
  return SendMode::Klt;
}

QString GamesTextEntry(const Game& game, SendMode mode) {
  const auto program = game.GetProgram();
  QString entry = (program ? program->GetShortName() : QString()) + QChar('/') + game.GetName();
  if (mode != SendMode::Plain) {
    const QString description = game.GetDescription();
    if (!description.isEmpty()) entry += QStringLiteral(" (") + description + QChar(')');
  }
  return entry;
}

QString JoinGamesText(const QStringList& entries) {
  return entries.join(QStringLiteral(", "));
}

QString MessageSubject(SendMode mode, const QString& shortName, bool messageOnly) {
  const QString what = messageOnly ? QStringLiteral(" message") : QStringLiteral(" file");
  return (mode == SendMode::Klt ? kProduct : shortName) + what;
}

QString MessageBody(SendMode mode, const QString& shortName, const QString& emailDir, bool messageOnly,
                    const QString& taunt, const QString& gamesText) {
  QString body = taunt + QStringLiteral("--") + kCrLf;
  if (!messageOnly) {
    switch (mode) {
      case SendMode::Klt:
        body += QStringLiteral("Open the attachment in ") + kProduct + kCrLf;
        break;
      case SendMode::Zip:
        body += QStringLiteral("Open the attachment and extract the files into ") +
                (emailDir.isEmpty() ? shortName : emailDir) + QStringLiteral(" directory.") + kCrLf;
        break;
      case SendMode::Plain:
        body +=
            QStringLiteral("Save the attachments into ") + emailDir + QStringLiteral(" directory.") + kCrLf;
        break;
    }
  }
  return body + gamesText;
}

QString TauntForBody(const QString& text) {
  if (text.isEmpty() || text.endsWith(kCrLf)) return text;
  return text + kCrLf;
}

}  // namespace kolt

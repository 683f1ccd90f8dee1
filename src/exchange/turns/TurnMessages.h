#pragma once

#include <QString>
#include <QStringList>

#include "model/Game.h"

// The subjects and bodies of outgoing turn messages. The person at the other end reads
// them (and their copy of the program may act on the KLT subject), so the texts are
// fixed word for word.
namespace kolt {

enum class SendMode { Klt, Zip, Plain };

// The mode a game is sent in, from its stored mode word (compared without regard to
// case; anything unknown is KLT, as a missing mode is).
SendMode ModeOf(const Game& game);

// One entry of the games text: "SHORT/name", with " (description)" in KLT and ZIP mode
// when the description is not empty.
QString GamesTextEntry(const Game& game, SendMode mode);
// Entries joined with ", ".
QString JoinGamesText(const QStringList& entries);

// `shortName`: the program's short name (ZIP and plain); `emailDir`: its GetEMailDir.
QString MessageSubject(SendMode mode, const QString& shortName, bool messageOnly);
QString MessageBody(SendMode mode, const QString& shortName, const QString& emailDir, bool messageOnly,
                    const QString& taunt, const QString& gamesText);

// The taunt as it goes into a body: CR LF appended unless empty or already there.
QString TauntForBody(const QString& text);

}  // namespace kolt

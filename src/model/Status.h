#pragma once

#include <QDateTime>
#include <QString>

#include "core/FolderSnapshot.h"
#include "model/Stamp.h"

// The vocabulary shared by every adapter: game status words, send modes, the suffixes
// of a game's record keys, the modification stamp and the status rule.
namespace kolt {

namespace status {
inline const QString New = QStringLiteral("New");
inline const QString Play = QStringLiteral("Play");
inline const QString Send = QStringLiteral("Send");
inline const QString Wait = QStringLiteral("Wait");
inline const QString PlaySend = QStringLiteral("Play/Send");
inline const QString Unknown = QStringLiteral("Unknown");
inline const QString Host = QStringLiteral("Host");
inline const QString WaitHost = QStringLiteral("Wait/Host");
inline const QString Dead = QStringLiteral("Dead");
}  // namespace status

namespace mode {
inline const QString Klt = QStringLiteral("KLT");
inline const QString Zip = QStringLiteral("ZIP");
inline const QString Plain = QStringLiteral("-");
}  // namespace mode

// Appended to a game's record key; the key alone holds the opponent's address.
namespace suffix {
inline const QString Sent = QStringLiteral("/S");
inline const QString Received = QStringLiteral("/R");
inline const QString Mode = QStringLiteral("/M");
inline const QString Password = QStringLiteral("/P");
inline const QString SaveName = QStringLiteral("/SN");
inline const QString HostPassword = QStringLiteral("/HP");
inline const QString Me = QStringLiteral("/ME");
inline const QString Computer = QStringLiteral("/AI");
}  // namespace suffix

// The status of a game from its current modification stamp `m` and the stamps stored
// when it was last sent (`s`) and received (`r`). Stamps compare as text; "" means none.
QString DecideStatus(const QString& m, const QString& s, const QString& r);
QString DecideStatus(const Stamp& m, const Stamp& s, const Stamp& r);

// "yyyy-mm-dd hh:nn:ss" in local time: fixed width, so text order is time order.
QString FormatStamp(const QDateTime& time);
// A time in the locale's short date and time format (the games list's "Modified").
QString FormatModified(const QDateTime& time);
// The stamp and the "Modified" text of a listed file's last modification.
QString StampOf(const FolderEntry& entry);
QString ModifiedTextOf(const FolderEntry& entry);
// The stamp of a file's last modification; empty when it cannot be read.
QString FileStamp(const QString& path);

// A game's status word (or a program's state text) as the lists show it to the user, in
// his language. The words themselves stay as they are wherever they are compared, stored,
// listed as JSON or mailed.
QString ShownStatus(const QString& word);

// True when the game's status cell is shown in bold: a move is due and the game is not
// excluded by the address "-".
bool IsStatusBold(const QString& word, const QString& address);

}  // namespace kolt

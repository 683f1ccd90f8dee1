#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace kolt {

// A received turn message taken apart: what the fetch needs of it and nothing more.
struct MailAttachment {
  QString name;  // decoded file name as the sender gave it (untrusted)
  QByteArray data;
};

struct TurnMail {
  QString subject;      // decoded
  QString fromAddress;  // the one mailbox of From; empty when From is anything else
  QString text;         // the first plain-text part without a file name, as UTF-8
  QList<MailAttachment> attachments;
  // Why the message was not read, empty when it was: not a message at all, or beyond
  // the limits below.
  QString problem;
};

// The message is someone else's bytes: each limit stops the reading with a problem
// rather than letting one message take the memory or the disk.
struct TurnMailLimits {
  qint64 maxAttachmentBytes = 64LL * 1024 * 1024;
  qint64 maxTotalBytes = 128LL * 1024 * 1024;
  int maxAttachments = 100;
  int maxParts = 500;
  qsizetype maxTextChars = qsizetype{64} * 1024;
};

// Parses a whole message (headers and body) with GMime.
TurnMail ParseTurnMail(const QByteArray& message, const TurnMailLimits& limits = TurnMailLimits());
// The same from a file, read as it is parsed: only the attachments are held in memory.
// The message is the file's `size` bytes from `offset` (a negative size: to the end).
TurnMail ParseTurnMailFile(const QString& path, qint64 offset = 0, qint64 size = -1,
                           const TurnMailLimits& limits = TurnMailLimits());

// The personal text of a turn message: what comes before the line "--" that ends it,
// without the line ends after it; empty when the text has no such line.
QString TauntOfText(const QString& text);

// The games text at the end of a turn message ("SHORT/name (description), ..."): its
// last non-empty line.
QString GamesTextOf(const QString& text);

}  // namespace kolt
